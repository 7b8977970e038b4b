#pragma once

#include "ui/QtPlatform.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

namespace ui {
class Window;
}

// The platform the tests drive the game through: a clock that moves only when
// told (or when the game sleeps), scripted random numbers, message boxes that
// are recorded instead of shown, modal windows answered by the test, timers that
// tick only by hand, and a program directory of its own in a temporary folder.
// Listing files and loading pictures are the real ones.
class TestPlatform : public ui::QtPlatform
{
public:
    TestPlatform();
    ~TestPlatform() override;

    float clock() override { return now; }
    void sleep(float seconds) override;
    float timeOfDay() override { return now; }
    void randomize() override { ++randomizeCalls; }
    float rnd() override;
    void messageBox(const QString& text) override;
    void showModal(ui::Window& window, ui::Window* owner) override;
    void processEvents() override;
    bool timersRun() override { return false; }
    void quit() override { ++quitCalls; }
    QString programDir() override { return dir.path(); }
    bool listFiles(const QString& pattern, QStringList& names) override;
    ui::Picture loadPicture(const QString& path) override;

    // The picture folder of the program directory, created on first use.
    QString picsDir();
    // Writes a JPEG of the given size and colour into the picture folder.
    void writePicture(const QString& fileName, QColor color, QSize size = {60, 40});

    QTemporaryDir dir;
    float now = 1000.0f;
    // Values handed out by rnd(), in order; once used up, `randomFallback` is returned.
    std::deque<float> randoms;
    float randomFallback = 0.0f;
    int randomizeCalls = 0;
    int rndCalls = 0;
    int quitCalls = 0;
    int clockSleeps = 0;
    int processEventsCalls = 0;
    // Runs inside every sleep of the game, after the clock has moved on.
    std::function<void(float seconds)> onSleep;

    QStringList messages;
    // Runs inside a message box, before it is answered.
    std::function<void(const QString&)> onMessage;
    // Answers for modal windows, used in order; each gets the window and must
    // close it. Without an answer left, the window is closed with its close control.
    std::deque<std::function<void(ui::Window&)>> modalAnswers;
    QList<QString> modalCaptions;
    // Runs inside processEvents, before the real events are processed.
    std::function<void()> onProcessEvents;
    // Every picture path loaded, in order.
    QStringList loadedPaths;
    // Paths for which listing fails as if the folder could not be read.
    QStringList unlistable;

    bool writeFileWhole(const QString& path, const QByteArray& contents) override;
    // Every file replaced whole, by its path, in order.
    QStringList writtenFiles;
    // From zero up: replacing a file fails once that many bytes of the new content
    // have been written, as on a full disk; the old file stays as it was.
    qsizetype failWritingAfter = -1;
};
