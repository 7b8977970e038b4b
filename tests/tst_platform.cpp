// The real platform's own decisions, made for real: which folders and files a
// player who is not root may write, and the clock across a change of the time
// of day.
#include "AsPlayer.h"

#include "ui/QtPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

namespace {

// Seconds added to the system's time of day, as when it is set by hand or
// crosses midnight; the monotonic clock is left alone.
std::atomic<long> timeOfDayShift{0};

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

} // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* time)
{
    using Real = int (*)(clockid_t, timespec*);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "clock_gettime"));
    const int result = real(clock, time);
    if (result == 0 && clock == CLOCK_REALTIME)
        time->tv_sec += timeOfDayShift;
    return result;
}

extern "C" int gettimeofday(timeval* time, void* zone)
{
    using Real = int (*)(timeval*, void*);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "gettimeofday"));
    const int result = real(time, zone);
    if (result == 0)
        time->tv_sec += timeOfDayShift;
    return result;
}

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void aPlayersRightsDecide_data()
    {
        QTest::addColumn<int>("folderMode");
        // The mode of the file that is there; 0 for none.
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("folderTakesFiles");
        QTest::addColumn<bool>("fileTakesWrites");
        QTest::addColumn<bool>("written");
        QTest::newRow("a folder anyone may write, no file") << 0777 << 0 << true << false << true;
        // A file the player may not write is not replaced by a new one either.
        QTest::newRow("a folder anyone may write, a read-only file") << 0777 << 0444 << true << false << false;
        QTest::newRow("a read-only folder, a file anyone may write") << 0555 << 0666 << false << true << true;
        QTest::newRow("a read-only folder and file") << 0555 << 0444 << false << false << false;
        QTest::newRow("a read-only folder, no file") << 0555 << 0 << false << false << false;
    }

    void aPlayersRightsDecide()
    {
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(bool, folderTakesFiles);
        QFETCH(bool, fileTakesWrites);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("game"));
        const QString path = folder + QStringLiteral("/hiscore.dat");
        QVERIFY(QDir().mkdir(folder));
        if (fileMode) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
            file.close();
            QVERIFY(chmod(qPrintable(path), mode_t(fileMode)) == 0);
        }
        QVERIFY(chmod(qPrintable(dir.path()), 0755) == 0 && chmod(qPrintable(folder), mode_t(folderMode)) == 0);
        ui::QtPlatform platform;
        bool takesFiles = false;
        bool takesWrites = false;
        bool wrote = false;
        bool madeFolder = false;
        {
            const AsPlayer player;
            QVERIFY2(player.ok(), "the rights of a player who is not root cannot be had");
            takesFiles = platform.folderTakesNewFiles(folder);
            takesWrites = platform.fileTakesWrites(path);
            wrote = platform.writeFileWhole(path, "new");
            madeFolder = platform.makeFolder(folder + QStringLiteral("/own/pics"));
        }
        QVERIFY(chmod(qPrintable(folder), 0755) == 0);
        QCOMPARE(takesFiles, folderTakesFiles);
        QCOMPARE(takesWrites, fileTakesWrites);
        QCOMPARE(wrote, written);
        QCOMPARE(contentsOf(path), written ? QByteArray("new") : fileMode ? QByteArray("old") : QByteArray("(no file)"));
        QCOMPARE(madeFolder, folderTakesFiles);
        QCOMPARE(QFileInfo(folder + QStringLiteral("/own/pics")).isDir(), folderTakesFiles);
        // Nothing is left beside the file: no copy half written, nothing renamed aside.
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, fileMode || written ? QStringList{"hiscore.dat"} : QStringList());
    }

    void clockKeepsCountingWhenTheTimeOfDayChanges_data()
    {
        QTest::addColumn<long>("shift");
        QTest::newRow("set back an hour") << -3600L;
        QTest::newRow("set on an hour") << 3600L;
        QTest::newRow("across midnight") << 86400L - 1;
    }

    void clockKeepsCountingWhenTheTimeOfDayChanges()
    {
        QFETCH(long, shift);
        ui::QtPlatform platform;
        const float dayBefore = platform.timeOfDay();
        const float before = platform.clock();
        timeOfDayShift = shift;
        const float dayAfter = platform.timeOfDay();
        const float after = platform.clock();
        timeOfDayShift = 0;
        // The change reached the time of day ...
        const float moved = std::fmod(dayAfter - dayBefore - float(shift) + 2 * 86400.0f, 86400.0f);
        QVERIFY2(moved < 1.0f || moved > 86399.0f, qPrintable(QString::number(dayAfter - dayBefore)));
        // ... and not the clock the game counts seconds by.
        QVERIFY2(after >= before && after - before < 1.0f, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
