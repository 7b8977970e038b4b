#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace ui {

// A repeating timer with an interval in milliseconds and an enabled flag.
class Timer : public QObject
{
    Q_OBJECT

public:
    Timer(QObject* parent, int intervalMs, bool enabled);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return timer_.interval(); }

    // One tick, as the clock would give it: runs onTick when enabled.
    void tick();

    std::function<void()> onTick;

private:
    QTimer timer_;
    bool enabled_ = false;
};

} // namespace ui
