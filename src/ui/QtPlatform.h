#pragma once

#include "Platform.h"

namespace ui {

// The real platform: Qt's clock, windows, message boxes and image readers.
class QtPlatform : public Platform
{
public:
    QtPlatform();

    float clock() override;
    void sleep(float seconds) override;
    float timeOfDay() override;
    void randomize() override;
    float rnd() override;
    void messageBox(const QString& text) override;
    void showModal(Window& window, Window* owner) override;
    void processEvents() override;
    void quit() override;
    QString programDir() override;
    bool listFiles(const QString& pattern, QStringList& names) override;
    Picture loadPicture(const QString& path) override;
    bool readFile(const QString& path, QByteArray& contents) override;
    bool writeFileWhole(const QString& path, const QByteArray& contents) override;

private:
    unsigned long long state_ = 0x9E3779B97F4A7C15ull;
};

} // namespace ui
