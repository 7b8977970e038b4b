#include "Timer.h"

#include "Platform.h"

namespace ui {

Timer::Timer(QObject* parent, int intervalMs, bool enabled) : QObject(parent)
{
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
    setEnabled(enabled);
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (enabled && platform().timersRun())
        timer_.start();
    else
        timer_.stop();
}

void Timer::tick()
{
    if (enabled_ && onTick)
        onTick();
}

} // namespace ui
