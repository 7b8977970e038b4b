// How pictures are decoded ahead of a board build: one worker to a core, and
// progressive photos, which hold every coefficient while they decode, kept to a
// memory budget.
#include "TestPlatform.h"

#include "ui/PicturePrefetch.h"

#include <QImageWriter>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

class PerfMechanismTest : public QObject
{
    Q_OBJECT

private slots:
    void progressiveDecodesKeepToTheirBudget_data();
    void progressiveDecodesKeepToTheirBudget();
};

void PerfMechanismTest::progressiveDecodesKeepToTheirBudget_data()
{
    QTest::addColumn<bool>("progressive");
    QTest::newRow("progressive, one at a time") << true;
    QTest::newRow("baseline, not held back") << false;
}

void PerfMechanismTest::progressiveDecodesKeepToTheirBudget()
{
    QFETCH(bool, progressive);
    TestPlatform platform;
    // Grain all over, so that every decode takes a while.
    QImage photo(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator(12).fillRange(reinterpret_cast<quint32*>(photo.bits()), photo.width() * photo.height());
    QStringList paths;
    for (int n = 0; n < 6; ++n) {
        QImageWriter writer(platform.picsDir() + QStringLiteral("/photo%1.jpg").arg(n), "jpeg");
        writer.setProgressiveScanWrite(progressive);
        QVERIFY(writer.write(photo));
        paths << writer.fileName();
    }
    // Two bytes for each coefficient of 200 x 150 luma blocks and 100 x 75 of each chroma.
    const qint64 each = 45000 * 64 * 2;
    QCOMPARE(ui::progressiveDecodeMemory(paths[0]), progressive ? each : 0);

    // A worker to a core, with room for one progressive decode at a time.
    ui::PicturePrefetch prefetch(0, each);
    prefetch.start(paths, QSize(400, 300));
    QCOMPARE(prefetch.workers(), std::min(QThread::idealThreadCount(), 6));
    for (const QString& path : paths)
        QCOMPARE(prefetch.take(path, QSize(400, 300)).value_or(QImage()).size(), QSize(400, 300));
    QCOMPARE(prefetch.largestProgressiveMemory(), progressive ? each : 0);
}

QTEST_MAIN(PerfMechanismTest)
#include "tst_perf_mechanism.moc"
