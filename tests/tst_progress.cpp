// The progress window of a board build.
#include "TestPlatform.h"

#include "pictures/FormProgress.h"

#include <QTest>

class ProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsAnEmptyBarInsideTheOutline();
    void barFollowsTheCount_data();
    void barFollowsTheCount();
    void barNeverGrowsPastTheOutline();
    void reloadingStartsEmpty();
};

void ProgressTest::loadShowsAnEmptyBarInsideTheOutline()
{
    TestPlatform platform;
    FormProgress progress;
    QVERIFY(progress.isVisible());
    QCOMPARE(progress.windowTitle(), QString());
    QCOMPARE(progress.Label1.caption(), QStringLiteral("Loading picture..."));
    QCOMPARE(progress.fullBarWidth(), 3925);
    QCOMPARE(progress.Shape1.left(), 290.0f);
    QCOMPARE(progress.Shape1.top(), 890.0f);
    QCOMPARE(progress.Shape1.width(), 0.0f);
    QCOMPARE(progress.Shape1.height(), 245.0f);
    QCOMPARE(progress.Shape1.fillColor(), QColor(0, 0, 128));
    // A full bar ends where the outline does.
    QCOMPARE(progress.Shape1.left() + progress.fullBarWidth(),
             progress.imgProgress.left() + progress.imgProgress.width());
}

void ProgressTest::barFollowsTheCount_data()
{
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("maxAfter");
    QTest::newRow("8: 1 of 8") << 8 << 1 << 491 << 8;
    QTest::newRow("8: 4 of 8, half to even") << 8 << 4 << 1962 << 8;
    QTest::newRow("8: full") << 8 << 8 << 3925 << 8;
    QTest::newRow("10: 1 of 10, half to even") << 10 << 1 << 392 << 10;
    QTest::newRow("10: 3 of 10") << 10 << 3 << 1178 << 10;
    QTest::newRow("0 means 50") << 0 << 10 << 785 << 50;
    QTest::newRow("negative means 50") << -3 << 10 << 785 << 50;
    QTest::newRow("below zero is empty") << 8 << -2 << 0 << 8;
}

void ProgressTest::barFollowsTheCount()
{
    QFETCH(int, max);
    QFETCH(int, value);
    QFETCH(int, width);
    QFETCH(int, maxAfter);
    TestPlatform platform;
    FormProgress progress;
    progress.setMax(max);
    progress.update(value);
    QCOMPARE(progress.Shape1.width(), float(width));
    QCOMPARE(progress.maxValue(), maxAfter);
}

void ProgressTest::barNeverGrowsPastTheOutline()
{
    TestPlatform platform;
    FormProgress progress;
    progress.setMax(8);
    progress.update(8);
    progress.update(9);
    QCOMPARE(progress.Shape1.width(), 3925.0f);
}

void ProgressTest::reloadingStartsEmpty()
{
    TestPlatform platform;
    FormProgress progress;
    progress.setMax(8);
    progress.update(5);
    progress.unload();
    QVERIFY(!progress.isVisible());
    progress.load();
    QVERIFY(progress.isVisible());
    QCOMPARE(progress.Shape1.width(), 0.0f);
    QCOMPARE(progress.maxValue(), 8);
}

QTEST_MAIN(ProgressTest)
#include "tst_progress.moc"
