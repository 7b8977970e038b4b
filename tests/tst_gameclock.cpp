// The game clock: counting whole seconds into elapsedTime and Label2, and the
// end of a game, which stops it and opens the high-score dialog.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "hiscore/Dialog1.h"

#include <QTest>

#include <cmath>

namespace {

// Lets Timer1 tick once at each of the given clock values.
void tickAt(TestPlatform& platform, Form1& form, const QList<float>& times)
{
    for (float time : times) {
        platform.now = time;
        form.Timer1.tick();
    }
}

// Closes the high-score dialog as its close control would.
void closeDialog(ui::Window& window)
{
    window.close();
}

const QString hiscoreCaption = QStringLiteral("Brindlepair Hiscore");

} // namespace

class GameClockTest : public QObject
{
    Q_OBJECT

private slots:
    void countsWholeSeconds_data();
    void countsWholeSeconds();
    void dealLeavesTheLabelAlone();
    void lastPairStopsTheClock_data();
    void lastPairStopsTheClock();
    void gameFinishedWhileTheDialogIsOpenOpensNothing_data();
    void gameFinishedWhileTheDialogIsOpenOpensNothing();
};

void GameClockTest::countsWholeSeconds_data()
{
    QTest::addColumn<float>("dealAt");
    QTest::addColumn<QList<float>>("ticks");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<float>("lastCount");

    const float justOverOne = std::nextafter(1001.0f, 2000.0f);
    QTest::newRow("no tick yet") << 1000.0f << QList<float>{} << "Time:" << 0 << 1000.0f;
    QTest::newRow("exactly a second after the deal") << 1000.0f << QList<float>{1000.2f, 1001.0f} << "Time:" << 0
                                                     << 1000.0f;
    QTest::newRow("just over a second after the deal")
        << 1000.0f << QList<float>{justOverOne} << "Time: 00" << 1 << justOverOne;
    QTest::newRow("first count") << 1000.0f << QList<float>{1001.25f} << "Time: 00" << 1 << 1001.25f;
    QTest::newRow("a second after the first count")
        << 1000.0f << QList<float>{1001.5f, 1002.5f} << "Time: 00" << 1 << 1001.5f;
    QTest::newRow("previous count 7.4 after the deal")
        << 1000.0f << QList<float>{1007.4f, 1008.5f} << "Time: 07" << 2 << 1008.5f;
    QTest::newRow("previous count 7.6 after the deal")
        << 1000.0f << QList<float>{1007.6f, 1008.7f} << "Time: 08" << 2 << 1008.7f;
    QTest::newRow("previous count 123.2 after the deal")
        << 1000.0f << QList<float>{1123.2f, 1124.5f} << "Time: 123" << 2 << 1124.5f;
    // Counts at 1.25, 2.5, 3.75 and 5 seconds: fewer counts than seconds, and
    // the label trails by one count.
    QList<float> quarterSeconds;
    for (int i = 1; i <= 20; ++i)
        quarterSeconds.append(1000.0f + 0.25f * float(i));
    QTest::newRow("a tick every quarter second for five seconds")
        << 1000.0f << quarterSeconds << "Time: 04" << 4 << 1005.0f;
    QTest::newRow("a game across midnight")
        << 86399.0f << QList<float>{86400.25f, 86401.5f, 86402.75f} << "Time: 02" << 3 << 86402.75f;
}

void GameClockTest::countsWholeSeconds()
{
    QFETCH(float, dealAt);
    QFETCH(QList<float>, ticks);
    QFETCH(QString, label);
    QFETCH(int, elapsed);
    QFETCH(float, lastCount);

    TestPlatform platform;
    platform.now = dealAt;
    Form1 form;
    fixture::startGame(platform, form);
    QCOMPARE(form.gameStartTime(), dealAt);

    tickAt(platform, form, ticks);

    QCOMPARE(form.Label2.caption(), label);
    QCOMPARE(form.elapsedTime, elapsed);
    QCOMPARE(form.lastCount(), lastCount);
    QCOMPARE(form.gameStartTime(), dealAt);
    QVERIFY(form.Timer1.enabled());
}

void GameClockTest::dealLeavesTheLabelAlone()
{
    TestPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    tickAt(platform, form, {1001.5f, 1003.0f, 1004.5f});
    QCOMPARE(form.Label2.caption(), QStringLiteral("Time: 03"));
    QCOMPARE(form.elapsedTime, 3);

    platform.now = 2000.0f;
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    QCOMPARE(form.Label2.caption(), QStringLiteral("Time: 03"));
    QCOMPARE(form.elapsedTime, 0);
    QCOMPARE(form.gameStartTime(), 2000.0f);
    QCOMPARE(form.lastCount(), 2000.0f);
    QVERIFY(form.Timer1.enabled());

    tickAt(platform, form, {2000.5f, 2001.0f});
    QCOMPARE(form.Label2.caption(), QStringLiteral("Time: 03"));
    tickAt(platform, form, {2001.5f});
    QCOMPARE(form.Label2.caption(), QStringLiteral("Time: 00"));
    QCOMPARE(form.elapsedTime, 1);
}

void GameClockTest::lastPairStopsTheClock_data()
{
    QTest::addColumn<QList<float>>("ticks");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<QString>("label");

    QTest::newRow("won before the first count") << QList<float>{1000.5f, 1001.0f} << 0 << "Time:";
    QTest::newRow("won after three counts") << QList<float>{1001.5f, 1003.0f, 1004.5f} << 3 << "Time: 03";
}

void GameClockTest::lastPairStopsTheClock()
{
    QFETCH(QList<float>, ticks);
    QFETCH(int, elapsed);
    QFETCH(QString, label);

    TestPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    tickAt(platform, form, ticks);

    // What the dialog finds when it opens.
    bool clockRunningAtDialog = true;
    int elapsedAtDialog = -1;
    int attemptsAtDialog = -1;
    platform.modalAnswers.push_back([&](ui::Window& window) {
        clockRunningAtDialog = form.Timer1.enabled();
        elapsedAtDialog = form.elapsedTime;
        attemptsAtDialog = form.attempts;
        closeDialog(window);
    });
    fixture::findEveryPair(form);

    QCOMPARE(platform.modalCaptions, QList<QString>{hiscoreCaption});
    QVERIFY(!clockRunningAtDialog);
    QCOMPARE(elapsedAtDialog, elapsed);
    QCOMPARE(attemptsAtDialog, 16);

    tickAt(platform, form, {1010.0f, 1020.0f, 1030.0f});
    QVERIFY(!form.Timer1.enabled());
    QCOMPARE(form.elapsedTime, elapsed);
    QCOMPARE(form.Label2.caption(), label);
}

void GameClockTest::gameFinishedWhileTheDialogIsOpenOpensNothing_data()
{
    QTest::addColumn<bool>("dialogOpen");

    QTest::newRow("dialog of the earlier game closed") << false;
    QTest::newRow("dialog of the earlier game still open") << true;
}

void GameClockTest::gameFinishedWhileTheDialogIsOpenOpensNothing()
{
    QFETCH(bool, dialogOpen);

    TestPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    platform.modalAnswers.push_back(closeDialog);
    fixture::findEveryPair(form);
    QCOMPARE(platform.modalCaptions.size(), 1);
    QVERIFY(!form.hiscoreDialog().isVisible());

    // As the dialog of a game that earned a place stays open, without being modal.
    Dialog1& dialog = form.hiscoreDialog();
    if (dialogOpen) {
        dialog.load();
        dialog.show();
    }
    platform.modalCaptions.clear();
    platform.modalAnswers.push_back(closeDialog);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    fixture::findEveryPair(form);

    QVERIFY(!form.Timer1.enabled());
    QCOMPARE(platform.modalCaptions.size(), dialogOpen ? 0 : 1);
    QCOMPARE(dialog.isVisible(), dialogOpen);
}

QTEST_MAIN(GameClockTest)
#include "tst_gameclock.moc"
