// Play: which release turns which card, how a turn of two cards ends, the one
// second of an unmatched pair, the game clock, the window watch and the end of
// a game.
#include "BoardFixture.h"

#include "ui/Twips.h"

#include <QMouseEvent>
#include <QTest>

#include <chrono>
#include <cmath>

using fixture::Game;

namespace {

// A pixel of the surface, from a position in twips that is a whole pixel.
QPoint pixelAt(double x, double y)
{
    return QPoint(int(ui::toPixels(x)), int(ui::toPixels(y)));
}

// A dealt game in which card (0, 0) is the face-up first card of a turn, and
// `second` a face-down card with another key: clicking it makes an unmatched pair.
struct HalfTurn : Game
{
    HalfTurn()
    {
        second = fixture::otherKeyThan(form, first);
        fixture::clickCard(form, first.x(), first.y());
    }

    const QPoint first{0, 0};
    QPoint second;
};

void tickAt(TestPlatform& platform, Form1& form, const QList<float>& times)
{
    for (float time : times) {
        platform.now = time;
        form.Timer1.tick();
    }
}

enum class Target { ClosedCard, SameKey, OtherKey, OpenCard, FoundCard, Beside, NewGame };

} // namespace

struct Turn
{
    bool cardOpen;
    Target target;
    int attemptsAfter;
    bool firstCardOpenAfter;
    // The state letter of the open card (or the card clicked when none is
    // open) and of the card clicked, afterwards.
    char openCardAfter;
    char clickedAfter;
};

struct Release
{
    QPointF at;
    // A position that is a whole pixel goes through a real release; finer ones
    // go straight to the handler, with the surface's position in twips.
    bool throughEvent;
    bool turns;
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers = {};
};

struct Wait
{
    float start;
    // How much of the first sleep the thread is woken before it was asked to be.
    float wokenEarlyBy;
    int sleeps;
    enum { none, pair, another } click = none;
};

struct Count
{
    float dealAt;
    QList<float> ticks;
    QString label;
    int elapsed;
    float lastCount;
    // The ticks of a first game, before the deal of the one counted.
    QList<float> earlierGame = {};
};

struct Watch
{
    bool dealt;
    // Where the window's bottom edge is at each tick, in pixels above the
    // bottom of the screen. The band is 1000 twips: 66 pixels are within it,
    // 67 are not.
    QList<int> above;
    // At each tick, the earlier tick whose edge is remembered; -1 for none.
    QList<int> remembered;
    QList<bool> repainted;
};

class PlayTest : public QObject
{
    Q_OBJECT

    // The real clock, and the system's steady clock, when the program started.
    ui::QtPlatform realPlatform;
    float realStart = realPlatform.clock();
    std::chrono::steady_clock::time_point steadyStart = std::chrono::steady_clock::now();

private slots:
    // Over the whole run of this program, the real clock has counted seconds.
    void cleanupTestCase()
    {
        const double real = realPlatform.clock() - realStart;
        const double steady = std::chrono::duration<double>(std::chrono::steady_clock::now() - steadyStart).count();
        QVERIFY2(std::abs(real - steady) < 0.01 + 0.01 * steady, qPrintable(QStringLiteral("%1 s counted in %2 s")
                                                                              .arg(real).arg(steady)));
    }

    void turnTable_data()
    {
        QTest::addColumn<Turn>("turn");
        // Before each row one pair is found: 2 attempts.
        QTest::newRow("no card open, accepted click") << Turn{false, Target::ClosedCard, 3, true, 'O', 'O'};
        QTest::newRow("no card open, found card") << Turn{false, Target::FoundCard, 2, false, '-', 'F'};
        QTest::newRow("no card open, beside the cards") << Turn{false, Target::Beside, 2, false, '-', 0};
        QTest::newRow("one card open, the open card") << Turn{true, Target::OpenCard, 3, true, 'O', 'O'};
        QTest::newRow("one card open, found card") << Turn{true, Target::FoundCard, 3, true, 'O', 'F'};
        QTest::newRow("one card open, beside the cards") << Turn{true, Target::Beside, 3, true, 'O', 0};
        QTest::newRow("one card open, same key") << Turn{true, Target::SameKey, 4, false, 'F', 'F'};
        QTest::newRow("one card open, other key") << Turn{true, Target::OtherKey, 4, false, '-', '-'};
        QTest::newRow("one card open, New Game") << Turn{true, Target::NewGame, 0, false, '-', 0};
    }

    void turnTable()
    {
        QFETCH(Turn, turn);
        Game game;
        Form1& form = game.form;
        const QPoint found(3, 3);
        const QPoint foundPartner = fixture::partnerOf(form, found.x(), found.y());
        const QPoint open(0, 0);
        QVERIFY(foundPartner != open);
        fixture::clickCard(form, found.x(), found.y());
        fixture::clickCard(form, foundPartner.x(), foundPartner.y());
        if (turn.cardOpen)
            fixture::clickCard(form, open.x(), open.y());
        const QString statesBefore = fixture::boardStates(form);
        const QImage canvasBefore = form.Picture1.canvas();

        QPoint clicked(-1, -1);
        switch (turn.target) {
        case Target::ClosedCard:
        case Target::OpenCard: clicked = open; break;
        case Target::SameKey: clicked = fixture::partnerOf(form, open.x(), open.y()); break;
        case Target::OtherKey: clicked = fixture::otherKeyThan(form, open); break;
        case Target::FoundCard: clicked = found; break;
        // In the gap between the first two columns, level with the first row.
        case Target::Beside: QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, pixelAt(1695, 450)); break;
        case Target::NewGame: QTest::mouseClick(&form.Command1, Qt::LeftButton); break;
        }
        if (clicked.x() >= 0)
            fixture::clickCard(form, clicked.x(), clicked.y());

        const auto stateOf = [&](QPoint cell) { return fixture::boardStates(form).at(cell.x() * 4 + cell.y()); };
        QCOMPARE(form.attempts, turn.attemptsAfter);
        QCOMPARE(form.isFirstCardOpen(), turn.firstCardOpenAfter);
        QCOMPARE(stateOf(open), QChar(turn.openCardAfter));
        QVERIFY(fixture::showsAsItIs(form, open));
        if (clicked.x() >= 0) {
            QCOMPARE(stateOf(clicked), QChar(turn.clickedAfter));
            QVERIFY(fixture::showsAsItIs(form, clicked));
        }
        if (turn.firstCardOpenAfter)
            QCOMPARE(QPoint(form.firstCardX(), form.firstCardY()), open);
        if (turn.target != Target::NewGame && turn.attemptsAfter == 2 + int(turn.cardOpen)) {
            QCOMPARE(fixture::boardStates(form), statesBefore);
            QVERIFY(form.Picture1.canvas() == canvasBefore);
        }
        // No row ends the game: the end-of-game test lets it go on.
        QVERIFY(form.Timer1.enabled());
        QVERIFY(game.platform.modalCaptions.isEmpty());
    }

    void releaseTurnsTheCardStrictlyInsideIt_data()
    {
        // Card (0, 0) of the designed 4 x 4 board lies at (30, 30)-(1632, 1004).
        QTest::addColumn<Release>("release");
        QTest::newRow("on the left edge, released") << Release{{30, 450}, true, false};
        QTest::newRow("a pixel inside the left edge") << Release{{45, 450}, true, true};
        QTest::newRow("on the top edge, released") << Release{{450, 30}, true, false};
        QTest::newRow("in the gap right of the card") << Release{{1695, 450}, true, false};
        QTest::newRow("right button") << Release{{450, 450}, true, true, Qt::RightButton};
        QTest::newRow("middle button with Shift, Ctrl and Alt") << Release{
            {450, 450}, true, true, Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier};
        QTest::newRow("just right of the left edge") << Release{{30.01, 450}, false, true};
        QTest::newRow("on the right edge") << Release{{1632, 450}, false, false};
        QTest::newRow("just left of the right edge") << Release{{1631.99, 450}, false, true};
        QTest::newRow("on the bottom edge") << Release{{450, 1004}, false, false};
        QTest::newRow("just above the bottom edge") << Release{{450, 1003.99}, false, true};
    }

    void releaseTurnsTheCardStrictlyInsideIt()
    {
        QFETCH(Release, release);
        Game game;
        const MemoCard& card = game.form.board().card(0, 0);
        QCOMPARE(QRect(QPoint(card.x1, card.y1), QPoint(card.x2, card.y2)), QRect(QPoint(30, 30), QPoint(1632, 1004)));
        if (release.throughEvent)
            QTest::mouseRelease(&game.form.Picture1, release.button, release.modifiers,
                                pixelAt(release.at.x(), release.at.y()));
        else
            game.form.Picture1_MouseUp(1, 0, float(release.at.x()), float(release.at.y()));

        QCOMPARE(card.isOpen, release.turns);
        QCOMPARE(game.form.attempts, int(release.turns));
        QCOMPARE(fixture::boardStates(game.form).count(u'O'), int(release.turns));
    }

    void cardWithoutInsideCannotBeTurned_data()
    {
        QTest::addColumn<QSizeF>("clientSize");
        // On a 6 x 5 board, a surface 780 twips wide makes cells 130 wide, so that
        // x2 = x1; one 1245 - 595 = 650 high makes them 130 high, so that y2 = y1.
        QTest::newRow("no width") << QSizeF(780, 5010);
        QTest::newRow("no height") << QSizeF(6930, 1245);
    }

    void cardWithoutInsideCannotBeTurned()
    {
        QFETCH(QSizeF, clientSize);

        Game game(6, 5);
        Form1& form = game.form;
        form.setClientSize(float(clientSize.width()), float(clientSize.height()));
        form.board().forEachCell([&](int x, int y) {
            const MemoCard& card = form.board().card(x, y);
            QVERIFY(card.x2 == card.x1 || card.y2 == card.y1);
        });

        // Every quarter twip around the first card's corner, across and down.
        const MemoCard& first = form.board().card(0, 0);
        for (int t = -200; t <= 200; ++t) {
            for (int u = -8; u <= 8; ++u) {
                form.Picture1_MouseUp(1, 0, float(first.x1 + t / 4.0), float(first.y1 + 300 + u / 4.0));
                form.Picture1_MouseUp(1, 0, float(first.x1 + 300 + u / 4.0), float(first.y1 + t / 4.0));
            }
        }
        QCOMPARE(form.attempts, 0);
        QCOMPARE(fixture::boardStates(form), QString(30, u'-'));
    }

    void unmatchedPairStaysUpForOneSecond_data()
    {
        QTest::addColumn<Wait>("wait");
        QTest::newRow("plain") << Wait{1000, 0, 1};
        QTest::newRow("half a second before midnight") << Wait{86399.5f, 0, 1};
        QTest::newRow("woken a quarter second early") << Wait{1000, 0.25f, 2};
        // A release during the wait stays queued until the pair is face down,
        // and then starts the next turn.
        QTest::newRow("a click on the pair's second card meanwhile") << Wait{1000, 0.5f, 2, Wait::pair};
        QTest::newRow("a click on another card meanwhile") << Wait{1000, 0.5f, 2, Wait::another};
    }

    void unmatchedPairStaysUpForOneSecond()
    {
        QFETCH(Wait, wait);
        HalfTurn turn;
        TestPlatform& platform = turn.platform;
        Form1& form = turn.form;
        const QPoint target = wait.click == Wait::pair ? turn.second : fixture::otherKeyThan(form, turn.second);
        int upDuringWait = 0;
        platform.onSleep = [&](float) {
            QCOMPARE(fixture::boardStates(form).count(u'O'), 2);
            QVERIFY(fixture::showsAsItIs(form, turn.first));
            QVERIFY(fixture::showsAsItIs(form, turn.second));
            if (++upDuringWait > 1)
                return;
            platform.now -= wait.wokenEarlyBy;
            const QPoint pixel = fixture::cardCentre(form, target.x(), target.y());
            if (wait.click != Wait::none)
                QCoreApplication::postEvent(&form.Picture1,
                                            new QMouseEvent(QEvent::MouseButtonRelease, QPointF(pixel),
                                                            QPointF(form.Picture1.mapToGlobal(pixel)), Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
        };
        platform.now = wait.start;
        platform.clockReads = 0;
        fixture::clickCard(form, turn.second.x(), turn.second.y());
        platform.onSleep = nullptr;

        QCOMPARE(platform.now, wait.start + 1.0f);
        QCOMPARE(platform.clockSleeps, wait.sleeps);
        QCOMPARE(upDuringWait, wait.sleeps);
        // The start, and one look before and after every sleep at the most: no spinning.
        QVERIFY2(platform.clockReads <= 2 * wait.sleeps + 2, qPrintable(QString::number(platform.clockReads)));
        QCOMPARE(form.attempts, 2);
        QCOMPARE(fixture::boardStates(form).count(u'O'), 0);
        QVERIFY(fixture::showsAsItIs(form, turn.first));
        QVERIFY(fixture::showsAsItIs(form, turn.second));
        QVERIFY(!form.isFirstCardOpen());

        QCoreApplication::processEvents();
        QCOMPARE(form.attempts, wait.click == Wait::none ? 2 : 3);
        if (wait.click != Wait::none) {
            QCOMPARE(QPoint(form.firstCardX(), form.firstCardY()), target);
            QVERIFY(fixture::showsAsItIs(form, target));
        }
    }

    void clockCountsWholeSeconds_data()
    {
        QTest::addColumn<Count>("count");
        const float justOverOne = std::nextafter(1001.0f, 2000.0f);
        QTest::newRow("no tick yet") << Count{1000, {}, "Time:", 0, 1000};
        QTest::newRow("exactly a second after the deal") << Count{1000, {1000.2f, 1001}, "Time:", 0, 1000};
        QTest::newRow("just over a second after the deal") << Count{1000, {justOverOne}, "Time: 00", 1, justOverOne};
        QTest::newRow("a second after the first count") << Count{1000, {1001.5f, 1002.5f}, "Time: 00", 1, 1001.5f};
        QTest::newRow("previous count 7.4 after it") << Count{1000, {1007.4f, 1008.5f}, "Time: 07", 2, 1008.5f};
        QTest::newRow("previous count 123.2 after it") << Count{1000, {1123.2f, 1124.5f}, "Time: 123", 2, 1124.5f};
        // Counts at 1.25, 2.5, 3.75 and 5 seconds: fewer counts than seconds, and
        // the label trails by one count.
        QList<float> quarterSeconds;
        for (int i = 1; i <= 20; ++i)
            quarterSeconds.append(1000.0f + 0.25f * float(i));
        QTest::newRow("a tick a quarter second for five seconds") << Count{1000, quarterSeconds, "Time: 04", 4, 1005};
        QTest::newRow("across midnight") << Count{86399, {86400.25f, 86401.5f, 86402.75f}, "Time: 02", 3, 86402.75f};
        // A deal leaves the label as the earlier game left it until the first count.
        const QList<float> earlier{1001.5f, 1003, 1004.5f};
        QTest::newRow("a deal after three counts") << Count{2000, {2001}, "Time: 03", 0, 2000, earlier};
        QTest::newRow("the first count after it") << Count{2000, {2001.5f}, "Time: 00", 1, 2001.5f, earlier};
    }

    void clockCountsWholeSeconds()
    {
        QFETCH(Count, count);
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        if (!count.earlierGame.isEmpty()) {
            QTest::mouseClick(&form.Command1, Qt::LeftButton);
            tickAt(platform, form, count.earlierGame);
        }
        platform.now = count.dealAt;
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        tickAt(platform, form, count.ticks);

        QCOMPARE(form.Label2.caption(), count.label);
        QCOMPARE(form.elapsedTime, count.elapsed);
        // The clock ticks five times a second: a count is late by a fifth of a second at most.
        QCOMPARE(form.Timer1.interval(), 200);
        QCOMPARE(form.lastCount(), count.lastCount);
        QCOMPARE(form.gameStartTime(), count.dealAt);
    }

    void lastPairEndsTheGame_data()
    {
        QTest::addColumn<QList<float>>("ticks");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("mismatches");
        QTest::newRow("won before the first count") << QList<float>{1000.5f, 1001.0f} << 0 << "Time:" << 0;
        // Every mismatch adds two attempts.
        QTest::newRow("three mismatches, three counts")
            << QList<float>{1001.5f, 1003.0f, 1004.5f} << 3 << "Time: 03" << 3;
    }

    void lastPairEndsTheGame()
    {
        QFETCH(QList<float>, ticks);
        QFETCH(int, elapsed);
        QFETCH(QString, label);
        QFETCH(int, mismatches);
        Game game;
        Form1& form = game.form;
        tickAt(game.platform, form, ticks);
        const QPoint other = fixture::otherKeyThan(form, QPoint(0, 0));
        for (int i = 0; i < mismatches; ++i) {
            fixture::clickCard(form, 0, 0);
            fixture::clickCard(form, other.x(), other.y());
        }
        QCOMPARE(game.platform.clockSleeps, mismatches);
        // What the dialog finds when it opens: the clock stopped, the result in.
        bool clockRunningAtDialog = true;
        QPoint resultAtDialog;
        game.platform.modalAnswers.push_back([&](ui::Window& window) {
            clockRunningAtDialog = form.Timer1.enabled();
            resultAtDialog = QPoint(form.attempts, form.elapsedTime);
            window.close();
        });
        fixture::findEveryPair(form);

        QCOMPARE(game.platform.modalCaptions, QStringList{QStringLiteral("Brindlepair Hiscore")});
        QVERIFY(!clockRunningAtDialog);
        QCOMPARE(resultAtDialog, QPoint(16 + 2 * mismatches, elapsed));

        // The won board stays, face up, and takes no click, no count, until New Game.
        const QImage won = form.Picture1.canvas();
        tickAt(game.platform, form, {1010.0f, 1020.0f});
        form.board().forEachCell([&](int x, int y) {
            fixture::clickCard(form, x, y, Qt::RightButton);
            QVERIFY(fixture::showsAsItIs(form, QPoint(x, y)));
        });
        QCOMPARE(form.attempts, 16 + 2 * mismatches);
        QCOMPARE(form.elapsedTime, elapsed);
        QCOMPARE(form.Label2.caption(), label);
        QCOMPARE(fixture::boardStates(form), QString(16, u'F'));
        QCOMPARE(form.Picture1.canvas(), won);
        QCOMPARE(game.platform.modalCaptions.size(), 1);
        QVERIFY(form.isBoardReady());

        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        QCOMPARE(fixture::boardStates(form), QString(16, u'-'));
        QVERIFY(form.Timer1.enabled());
    }

    void windowWatchFollowsTheBottomEdge_data()
    {
        QTest::addColumn<Watch>("watch");
        QTest::newRow("never within the band") << Watch{true, {200, 100, 67, 300}, {-1, -1, -1, -1}, {0, 0, 0, 0}};
        QTest::newRow("dragged up from below the screen")
            << Watch{true, {-100, -50, 0, 66, 100, 200}, {0, 1, 2, 3, 4, 5}, {0, 1, 1, 1, 1, 1}};
        QTest::newRow("down again, then higher") << Watch{true, {0, 200, 150, 250}, {0, 1, 1, 3}, {0, 1, 0, 1}};
        QTest::newRow("dragged up before the first game") << Watch{false, {0, 100, 200}, {0, 1, 2}, {0, 0, 0}};
        QTest::newRow("a pixel higher every tick") << Watch{true, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 1, 1}};
        QTest::newRow("still for a tick, then up") << Watch{true, {40, 40, 41}, {0, 1, 2}, {0, 0, 1}};
        QTest::newRow("a pixel into the band from above it")
            << Watch{true, {67, 66, 67}, {-1, 1, 2}, {0, 0, 1}};
    }

    void windowWatchFollowsTheBottomEdge()
    {
        QFETCH(Watch, watch);
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        fixture::showAtDesignedSize(form);
        if (watch.dealt)
            QTest::mouseClick(&form.Command1, Qt::LeftButton);
        QCOMPARE(form.Timer2.interval(), 200);
        const int screenBottom = int(form.screenHeight());
        QCOMPARE(form.rememberedBottom(), 0);
        for (int i = 0; i < watch.above.size(); ++i) {
            form.move(form.pos().x(), int(ui::toPixels(screenBottom)) - watch.above[i] - form.frameGeometry().height());
            QCoreApplication::processEvents();
            QCOMPARE(int(form.outerTop() + form.outerHeight()), screenBottom - int(ui::toTwips(watch.above[i])));
            form.Picture1.clear();
            const QImage cleared = form.Picture1.canvas();

            form.Timer2.tick();

            const int remembered = watch.remembered[i];
            const int edge = remembered < 0 ? 0 : screenBottom - int(ui::toTwips(watch.above[remembered]));
            QCOMPARE(form.rememberedBottom(), edge);
            QCOMPARE(form.Picture1.canvas() != cleared, watch.repainted[i]);
            if (watch.repainted[i])
                QVERIFY(fixture::showsAsItIs(form, QPoint(3, 3)));
        }
    }
};

QTEST_MAIN(PlayTest)
#include "tst_play.moc"
