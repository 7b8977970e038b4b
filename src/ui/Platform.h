#pragma once

#include "imaging/Picture.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QAccessibleEvent;

namespace ui {

class Window;

// What the game asks of the world outside it: the clock, randomness, message
// boxes, modal windows, screen readers, files and pictures. The game reaches
// them only through platform(), so a test can put a scripted platform in its
// place.
class Platform
{
public:
    virtual ~Platform() = default;

    // Seconds on a monotonic clock that never falls back, not even at midnight.
    virtual float clock() = 0;
    // Blocks the event thread for the given seconds; no window event is handled.
    virtual void sleep(float seconds) = 0;
    // The time of day in seconds since midnight, as a 32-bit float.
    virtual float timeOfDay() = 0;

    // Reseeds the generator from the time of day.
    virtual void randomize() = 0;
    // The next uniform value in [0, 1), single precision.
    virtual float rnd() = 0;

    // A modal box titled "Brindlepair" with the stop icon and one OK button.
    virtual void messageBox(const QString& text) = 0;
    // Shows the window modally and returns once it is closed.
    virtual void showModal(Window& window, Window* owner) = 0;
    // Lets the event thread handle whatever window events are pending.
    virtual void processEvents() = 0;
    // Whether timers tick by themselves; a scripted platform ticks them by hand.
    virtual bool timersRun() { return true; }
    // Ends the program once the current event has been handled.
    virtual void quit() = 0;
    // Tells a screen reader of a change, whether or not one is listening.
    virtual void tellScreenReader(QAccessibleEvent& event) = 0;

    // The directory of the running program, without a trailing separator.
    virtual QString programDir() = 0;
    // The player's own data folder, for what a shared installation's folder
    // cannot take: scores and card sets of the player's own. It need not exist
    // yet; empty when the system names none.
    virtual QString playerDataDir() = 0;
    // Whether a new file can be made in the folder.
    virtual bool folderTakesNewFiles(const QString& folder) = 0;
    // Whether an ordinary file of this path is there and may be written.
    virtual bool fileTakesWrites(const QString& path) = 0;
    // Makes a folder and the folders above it that are missing; true when it
    // is there afterwards.
    virtual bool makeFolder(const QString& path) = 0;
    // The ordinary files (no folders, no hidden files) whose names match the
    // wildcard of the path's last component, in name order, as bare names.
    // Fails (returns false) when the folder cannot be listed.
    virtual bool listFiles(const QString& pattern, QStringList& names) = 0;
    // Whether an ordinary file (no folder, no hidden file) of exactly this path
    // is there: its name is taken as it stands, brackets and wildcard
    // characters included. Fails (returns false) when the folder cannot be listed.
    virtual bool findFile(const QString& path, bool& found) = 0;
    // Loads a picture from a file; an empty pointer when it cannot be loaded.
    virtual imaging::Picture loadPicture(const QString& path) = 0;
    // Starts decoding, off the event thread, picture files that are about to be
    // loaded, in the order loadPicture will be asked for them; loadPicture then
    // takes each one in its turn instead of decoding it there and then. Nothing
    // else changes: the files are still loaded when and in the order they are
    // asked for. This platform decodes nothing ahead.
    virtual void prefetchPictures(const QStringList& paths) { (void)paths; }
    // Drops whatever was decoded ahead and not taken, and waits for decodes
    // still running: nothing is left working once it returns.
    virtual void stopPrefetch() {}
    // No card is ever more than a screen's width / columns wide or a screen's
    // height / rows high: pictures need no more pixels than that.
    virtual void limitPicturesToCards(int columns, int rows) { (void)columns, (void)rows; }
    // Reads the first maxBytes bytes of a file, or all of a shorter one; false
    // when it cannot be opened or read.
    virtual bool readFile(const QString& path, qint64 maxBytes, QByteArray& contents) = 0;
    // Replaces a file's content as a whole: the new content is written beside
    // it and renamed over it only when all of it was written, so a failure
    // leaves the old file exactly as it was. Where the folder takes no new file
    // but the file itself may be written (a shared installation), the file is
    // written in place instead. False on any failure.
    virtual bool writeFileWhole(const QString& path, const QByteArray& contents) = 0;
};

// Decodes picture files ahead for as long as it lives (a board build), and
// stops every decode when it goes.
class PrefetchScope
{
public:
    explicit PrefetchScope(const QStringList& paths);
    ~PrefetchScope();
    PrefetchScope(const PrefetchScope&) = delete;
    PrefetchScope& operator=(const PrefetchScope&) = delete;

private:
    Platform& platform_;
};

// The platform in force. Until a test installs its own, the real one.
Platform& platform();
// Installs another platform (not owned); nullptr puts the real one back.
void setPlatform(Platform* replacement);

// The path separator of this platform, as text.
QString separator();

} // namespace ui
