#include "QtPlatform.h"

#include "Window.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTime>

#include <algorithm>
#include <bit>
#include <chrono>
#include <thread>

namespace ui {

namespace {

QElapsedTimer& monotonic()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

} // namespace

QtPlatform::QtPlatform()
{
    // Whatever a picture's header claims, decoding it may take no more than
    // this; pictures are decoded at card size, far below it.
    QImageReader::setAllocationLimit(256);
    monotonic();
    randomize();
}

float QtPlatform::clock()
{
    // Counted from the program's start, so a float keeps millisecond
    // resolution for days of play.
    return float(monotonic().nsecsElapsed() / 1e9);
}

void QtPlatform::sleep(float seconds)
{
    if (seconds > 0)
        std::this_thread::sleep_for(std::chrono::duration<float>(seconds));
}

float QtPlatform::timeOfDay()
{
    return float(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

void QtPlatform::randomize()
{
    state_ = std::bit_cast<unsigned>(timeOfDay()) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
}

float QtPlatform::rnd()
{
    // splitmix64; the top 24 bits make a float in [0, 1) exactly.
    unsigned long long z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return float(z >> 40) / float(1 << 24);
}

void QtPlatform::messageBox(const QString& text)
{
    // The game's texts break their lines with CR LF; the box wants LF alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Brindlepair"), shown, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void QtPlatform::showModal(Window& window, Window* owner)
{
    window.runModal(owner);
}

void QtPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

void QtPlatform::quit()
{
    QCoreApplication::quit();
}

void QtPlatform::tellScreenReader(QAccessibleEvent& event)
{
    QAccessible::updateAccessibility(&event);
}

QString QtPlatform::programDir()
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::playerDataDir()
{
    // $XDG_DATA_HOME/Brindlepair, ~/.local/share/Brindlepair unless set.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool QtPlatform::fileTakesWrites(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isWritable();
}

bool QtPlatform::makeFolder(const QString& path)
{
    return QDir().mkpath(path);
}

bool QtPlatform::listFiles(const QString& pattern, QStringList& names)
{
    const QFileInfo info(pattern);
    QDir dir = info.dir();
    // A folder that is not there holds no files; one that cannot be read fails.
    names.clear();
    if (!dir.exists())
        return true;
    if (!dir.isReadable())
        return false;
    // Without QDir::Hidden, hidden files are left out; with QDir::Files alone,
    // folders are too.
    names = dir.entryList({info.fileName()}, QDir::Files, QDir::Name);
    return true;
}

bool QtPlatform::findFile(const QString& path, bool& found)
{
    // The folder is listed whole and the name compared exactly, so that a name
    // with brackets or wildcard characters stands for itself alone.
    const QFileInfo info(path);
    QStringList names;
    const bool listed = listFiles(info.dir().filePath(QStringLiteral("*")), names);
    found = names.contains(info.fileName());
    return listed;
}

imaging::Picture QtPlatform::loadPicture(const QString& path)
{
    const QSize bound = pictureBound();
    if (std::optional<QImage> ahead = prefetch_.take(path, bound))
        return imaging::makePicture(std::move(*ahead));
    ++decodedInTurn_;
    QImage image = imaging::decodePicture(path, bound);
    if (image.isNull())
        return {};
    return imaging::makePicture(std::move(image));
}

void QtPlatform::prefetchPictures(const QStringList& paths)
{
    prefetch_.start(paths, pictureBound());
}

void QtPlatform::stopPrefetch()
{
    prefetch_.stop();
}

QSize QtPlatform::pictureBound() const
{
    if (bound_)
        return *bound_;
    // The window may go to any of the screens: the bound serves the largest of them.
    QSize largest;
    for (const QScreen* screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->geometry().size() * screen->devicePixelRatio());
    if (largest.isEmpty())
        return {};
    return QSize((largest.width() + fewestColumns_ - 1) / fewestColumns_,
                 (largest.height() + fewestRows_ - 1) / fewestRows_);
}

void QtPlatform::limitPicturesToCards(int columns, int rows)
{
    fewestColumns_ = std::max(1, columns);
    fewestRows_ = std::max(1, rows);
}

void QtPlatform::setPictureBound(QSize bound)
{
    bound_ = bound;
}

void QtPlatform::resetPictureBound()
{
    bound_.reset();
}

bool QtPlatform::readFile(const QString& path, qint64 maxBytes, QByteArray& contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    contents = file.read(maxBytes);
    return file.error() == QFileDevice::NoError;
}

bool QtPlatform::folderTakesNewFiles(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

bool QtPlatform::writeFileWhole(const QString& path, const QByteArray& contents)
{
    if (!folderTakesNewFiles(QFileInfo(path).absolutePath())) {
        // No new file can be made beside it: the file that is there is written
        // in place, and none is made.
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::ExistingOnly | QIODevice::Truncate)
            && file.write(contents) == contents.size() && file.flush();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // What is written is only buffered, so a full disk shows when it is
    // flushed; commit() would put the cut file in the old one's place all the same.
    if (file.write(contents) != contents.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace ui
