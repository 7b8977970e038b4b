#pragma once

#include "ui/QtPlatform.h"
#include "ui/Window.h"
#include "ui/access/SurfaceAccessible.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <deque>
#include <functional>

// The platform the tests drive the game through: a clock that moves only when
// told (or when the game sleeps), scripted random numbers, message boxes that
// are recorded instead of shown, modal windows answered by the test, timers that
// tick only by hand, and a program directory of its own in a temporary folder.
// Listing files and loading pictures are the real ones.
class TestPlatform : public ui::QtPlatform
{
public:
    TestPlatform()
    {
        ui::setPlatform(this);
        ui::SurfaceAccessible::installFactory();
    }
    ~TestPlatform() override { ui::setPlatform(nullptr); }

    // A wait that spins on the clock would never see it move: after far too
    // many reads it moves on by itself, so such a wait ends (and its test
    // fails on the count of reads) instead of hanging.
    float clock() override { return ++clockReads % 10000 == 0 ? now += 1.0f : now; }
    void sleep(float seconds) override
    {
        ++clockSleeps;
        now += seconds;
        if (onSleep)
            onSleep(seconds);
    }
    void randomize() override { ++randomizeCalls; }
    // A generator of zeros: every swap of a shuffle exchanges cell (0, 0) with
    // itself, so a deal keeps the order in which the board was built.
    float rnd() override { return 0.0f; }
    void messageBox(const QString& text) override
    {
        messages.append(text);
        if (onMessage)
            onMessage(text);
    }
    // Shows the window and hands it to the next answer, which must close it;
    // without an answer left, it is closed with its close control.
    void showModal(ui::Window& window, ui::Window*) override
    {
        modalCaptions.append(window.windowTitle());
        window.show();
        if (!modalAnswers.empty()) {
            auto answer = std::move(modalAnswers.front());
            modalAnswers.pop_front();
            answer(window);
        }
        if (window.isLoaded())
            window.close();
    }
    void processEvents() override
    {
        if (onProcessEvents)
            onProcessEvents();
        QCoreApplication::processEvents();
    }
    bool timersRun() override { return false; }
    void quit() override { ++quitCalls; }
    void tellScreenReader(QAccessibleEvent& event) override
    {
        QAccessibleInterface* about = event.accessibleInterface();
        told.append({event.type(), about ? about->text(QAccessible::Name) : QString(),
                     about ? QAccessible::uniqueId(about) : 0});
        QtPlatform::tellScreenReader(event);
    }
    QString programDir() override { return dir.path(); }
    bool listFiles(const QString& pattern, QStringList& names) override
    {
        return !unlistable.contains(pattern) && QtPlatform::listFiles(pattern, names);
    }
    bool findFile(const QString& path, bool& found) override
    {
        return !unlistable.contains(path) && QtPlatform::findFile(path, found);
    }
    QString playerDataDir() override { return playerHome.filePath(QStringLiteral("Brindlepair")); }
    bool folderTakesNewFiles(const QString& folder) override
    {
        return !isReadOnly(folder) && QtPlatform::folderTakesNewFiles(folder);
    }
    bool fileTakesWrites(const QString& path) override
    {
        return !isReadOnly(path) && QtPlatform::fileTakesWrites(path);
    }
    bool makeFolder(const QString& path) override { return !isReadOnly(path) && QtPlatform::makeFolder(path); }
    imaging::Picture loadPicture(const QString& path) override
    {
        loadedPaths.append(path);
        return QtPlatform::loadPicture(path);
    }
    bool readFile(const QString& path, qint64 maxBytes, QByteArray& contents) override
    {
        const bool read = QtPlatform::readFile(path, maxBytes, contents);
        largestRead = std::max(largestRead, contents.size());
        return read;
    }
    bool writeFileWhole(const QString& path, const QByteArray& contents) override
    {
        writtenFiles.append(path);
        // A file that may not be written, in a folder that takes no new one,
        // stays as it is.
        if (isReadOnly(path) && !folderTakesNewFiles(QFileInfo(path).absolutePath()))
            return false;
        return QtPlatform::writeFileWhole(path, contents);
    }

    // The picture folder of the program directory, created on first use.
    QString picsDir()
    {
        QDir(dir.path()).mkpath(QStringLiteral("pics"));
        return dir.path() + QStringLiteral("/pics");
    }
    // The player's own picture folder, created on first use.
    QString playerPicsDir()
    {
        QDir().mkpath(playerDataDir() + QStringLiteral("/pics"));
        return playerDataDir() + QStringLiteral("/pics");
    }
    bool isReadOnly(const QString& path) const { return readOnly.contains(QDir::cleanPath(path)); }

    // Writes a JPEG of the given size and colour into the picture folder.
    void writePicture(const QString& fileName, QColor color, QSize size = {60, 40})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        image.save(picsDir() + u'/' + fileName, "JPG", 95);
    }

    // What the game told a screen reader: the event, and the name and identity
    // of the object it was about at that moment.
    struct Told
    {
        QAccessible::Event type;
        QString name;
        QAccessible::Id id;
    };

    QTemporaryDir dir;
    // Holds the player's data folder, which is not there until the game makes it.
    QTemporaryDir playerHome;
    QList<Told> told;
    float now = 1000.0f;
    int clockReads = 0;
    int randomizeCalls = 0;
    int quitCalls = 0;
    int clockSleeps = 0;
    // Runs inside every sleep of the game, after the clock has moved on.
    std::function<void(float seconds)> onSleep;
    QStringList messages;
    // Runs inside a message box, before it is answered.
    std::function<void(const QString&)> onMessage;
    std::deque<std::function<void(ui::Window&)>> modalAnswers;
    QStringList modalCaptions;
    // Runs inside processEvents, before the real events are processed.
    std::function<void()> onProcessEvents;
    // Every picture path loaded, in order.
    QStringList loadedPaths;
    // Paths for which listing fails as if the folder could not be read.
    QStringList unlistable;
    // Folders and files that take no writes, as a shared installation's are
    // to a player who is not root, by their clean paths.
    QStringList readOnly;
    // The most bytes read of a file at once.
    qsizetype largestRead = 0;
    // Every file replaced whole, by its path, in order.
    QStringList writtenFiles;
};
