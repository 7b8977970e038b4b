// Turn handling: which mouse release turns which card, how a turn of two cards
// ends, and the one second for which an unmatched pair stays face up.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "ui/Twips.h"

#include <QMouseEvent>
#include <QTest>

#include <functional>

namespace {

// The first cell, column by column, for which `wanted` holds; (-1, -1) if none.
QPoint firstCell(const Form1& form, const std::function<bool(const MemoCard&, QPoint)>& wanted)
{
    QPoint found(-1, -1);
    form.board().forEachCell([&](int x, int y) {
        if (found.x() < 0 && wanted(form.board().card(x, y), QPoint(x, y)))
            found = QPoint(x, y);
    });
    return found;
}

// A face-down card whose key differs from that of `cell`.
QPoint otherKeyThan(const Form1& form, QPoint cell)
{
    const QString& key = form.board().card(cell.x(), cell.y()).fName;
    return firstCell(form, [&](const MemoCard& card, QPoint) {
        return !card.isOpen && !card.isFound && card.fName != key;
    });
}

// One letter a card: F found, O open, - face down.
char stateOf(const MemoCard& card)
{
    return card.isFound ? 'F' : card.isOpen ? 'O' : '-';
}

QString boardStates(const Form1& form)
{
    QString states;
    form.board().forEachCell([&](int x, int y) { states += QChar(stateOf(form.board().card(x, y))); });
    return states;
}

// Whether the surface shows the card in `cell` as it should: its face when it
// is open or found, the deck otherwise.
bool showsAsItIs(const Form1& form, QPoint cell)
{
    const MemoCard& card = form.board().card(cell.x(), cell.y());
    const QColor wanted = card.isOpen || card.isFound ? fixture::faceColorOf(form, cell.x(), cell.y())
                                                      : fixture::deckColor();
    return fixture::sameColour(fixture::shownColor(form, cell.x(), cell.y()), wanted);
}

// A pixel of the surface, from a position in twips that is a whole pixel.
QPoint pixelAt(double x, double y)
{
    return QPoint(int(ui::toPixels(x)), int(ui::toPixels(y)));
}

// A point in the gap between the first two columns, level with the first row.
QPoint gapBetweenColumns(const Form1& form)
{
    const MemoCard& left = form.board().card(0, 0);
    const MemoCard& right = form.board().card(1, 0);
    return pixelAt((left.x2 + right.x1) / 2.0, (left.y1 + left.y2) / 2.0);
}

// A release queued on the surface, as the window system queues one while the
// event thread is held.
void postRelease(Form1& form, QPoint pixel)
{
    QCoreApplication::postEvent(&form.Picture1,
                                new QMouseEvent(QEvent::MouseButtonRelease, QPointF(pixel),
                                                QPointF(form.Picture1.mapToGlobal(pixel)), Qt::LeftButton,
                                                Qt::NoButton, Qt::NoModifier));
}

// Counts how often the game reads the clock. A wait that spins on the clock
// would never see it move; after far too many reads it moves on by itself, so
// such a wait ends (and its test fails) instead of hanging.
class CountingPlatform : public TestPlatform
{
public:
    float clock() override
    {
        if (++clockReads % 10000 == 0)
            now += 1.0f;
        return now;
    }

    int clockReads = 0;
};

// What the surface showed at each of its paints: whether the two cards of a
// pair showed their faces.
class PaintWatch : public QObject
{
public:
    PaintWatch(Form1& form, QPoint first, QPoint second) : form_(form), first_(first), second_(second)
    {
        form.Picture1.installEventFilter(this);
    }

    struct Seen
    {
        bool firstFaceUp;
        bool secondFaceUp;
    };
    QList<Seen> paints;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paints.append({faceUp(first_), faceUp(second_)});
        return false;
    }

private:
    bool faceUp(QPoint cell) const
    {
        return fixture::sameColour(fixture::shownColor(form_, cell.x(), cell.y()),
                                   fixture::faceColorOf(form_, cell.x(), cell.y()));
    }

    Form1& form_;
    QPoint first_;
    QPoint second_;
};

// A dealt game in which card (0, 0) is the face-up first card of a turn, and
// `second` a face-down card with another key: clicking it makes an unmatched pair.
struct HalfTurn
{
    HalfTurn()
    {
        fixture::startGame(platform, form);
        second = otherKeyThan(form, first);
        fixture::clickCard(form, first.x(), first.y());
    }

    CountingPlatform platform;
    Form1 form;
    const QPoint first{0, 0};
    QPoint second;
};

enum class Target { ClosedCard, SameKey, OtherKey, OpenCard, FoundCard, Beside, NewGame };

} // namespace

Q_DECLARE_METATYPE(Target)

class TurnsTest : public QObject
{
    Q_OBJECT

private slots:
    void turnTable_data();
    void turnTable();
    void releaseHitsOnlyTheInsideOfACard_data();
    void releaseHitsOnlyTheInsideOfACard();
    void anyButtonAndModifierTurnACard_data();
    void anyButtonAndModifierTurnACard();
    void cardWithoutInsideCannotBeTurned_data();
    void cardWithoutInsideCannotBeTurned();
    void clicksDuringABuildAreIgnored();
    void clicksAfterTheWinAreIgnored();
    void everyMismatchAddsTwoAttempts_data();
    void everyMismatchAddsTwoAttempts();
    void unmatchedPairStaysUpForOneSecond_data();
    void unmatchedPairStaysUpForOneSecond();
    void unmatchedPairTurnsBackSecondCardFirst();
    void clickDuringTheWaitStartsTheNextTurn_data();
    void clickDuringTheWaitStartsTheNextTurn();
};

void TurnsTest::turnTable_data()
{
    QTest::addColumn<bool>("cardOpen");
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("attemptsAfter");
    QTest::addColumn<bool>("firstCardOpenAfter");
    // The state letter of the open card (or the card clicked when none is open)
    // and of the card clicked, afterwards.
    QTest::addColumn<char>("openCardAfter");
    QTest::addColumn<char>("clickedAfter");

    // Before each row one pair is found: 2 attempts.
    QTest::newRow("no card open, accepted click") << false << Target::ClosedCard << 3 << true << 'O' << 'O';
    QTest::newRow("no card open, found card") << false << Target::FoundCard << 2 << false << '-' << 'F';
    QTest::newRow("no card open, beside the cards") << false << Target::Beside << 2 << false << '-' << ' ';
    QTest::newRow("one card open, the open card") << true << Target::OpenCard << 3 << true << 'O' << 'O';
    QTest::newRow("one card open, found card") << true << Target::FoundCard << 3 << true << 'O' << 'F';
    QTest::newRow("one card open, beside the cards") << true << Target::Beside << 3 << true << 'O' << ' ';
    QTest::newRow("one card open, same key") << true << Target::SameKey << 4 << false << 'F' << 'F';
    QTest::newRow("one card open, other key") << true << Target::OtherKey << 4 << false << '-' << '-';
    QTest::newRow("one card open, New Game") << true << Target::NewGame << 0 << false << '-' << ' ';
}

void TurnsTest::turnTable()
{
    QFETCH(bool, cardOpen);
    QFETCH(Target, target);
    QFETCH(int, attemptsAfter);
    QFETCH(bool, firstCardOpenAfter);
    QFETCH(char, openCardAfter);
    QFETCH(char, clickedAfter);

    CountingPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    const QPoint found(3, 3);
    const QPoint foundPartner = fixture::partnerOf(form, found.x(), found.y());
    const QPoint open(0, 0);
    QVERIFY(foundPartner != open);
    fixture::clickCard(form, found.x(), found.y());
    fixture::clickCard(form, foundPartner.x(), foundPartner.y());
    if (cardOpen)
        fixture::clickCard(form, open.x(), open.y());

    const QString statesBefore = boardStates(form);
    const QImage canvasBefore = form.Picture1.canvas();
    const int firstXBefore = form.firstCardX();
    const int firstYBefore = form.firstCardY();

    QPoint clicked(-1, -1);
    switch (target) {
    case Target::ClosedCard:
    case Target::OpenCard: clicked = open; break;
    case Target::SameKey: clicked = fixture::partnerOf(form, open.x(), open.y()); break;
    case Target::OtherKey: clicked = otherKeyThan(form, open); break;
    case Target::FoundCard: clicked = found; break;
    case Target::Beside:
    case Target::NewGame: break;
    }
    if (target == Target::Beside)
        QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, gapBetweenColumns(form));
    else if (target == Target::NewGame)
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
    else
        fixture::clickCard(form, clicked.x(), clicked.y());

    QCOMPARE(form.attempts, attemptsAfter);
    QCOMPARE(form.isFirstCardOpen(), firstCardOpenAfter);
    QCOMPARE(stateOf(form.board().card(open.x(), open.y())), openCardAfter);
    QVERIFY(showsAsItIs(form, open));
    if (clicked.x() >= 0) {
        QCOMPARE(stateOf(form.board().card(clicked.x(), clicked.y())), clickedAfter);
        QVERIFY(showsAsItIs(form, clicked));
    }
    if (firstCardOpenAfter) {
        QCOMPARE(QPoint(form.firstCardX(), form.firstCardY()), open);
    }
    const bool nothingChanges = target != Target::NewGame && attemptsAfter == 2 + int(cardOpen);
    if (nothingChanges) {
        QCOMPARE(boardStates(form), statesBefore);
        QVERIFY(form.Picture1.canvas() == canvasBefore);
        QCOMPARE(form.firstCardX(), firstXBefore);
        QCOMPARE(form.firstCardY(), firstYBefore);
    }
    // No row ends the game: the end-of-game test lets it go on.
    QVERIFY(form.Timer1.enabled());
    QVERIFY(platform.modalCaptions.isEmpty());
}

void TurnsTest::releaseHitsOnlyTheInsideOfACard_data()
{
    // Card (0, 0) of the designed 4 x 4 board lies at (30, 30)-(1632, 1004).
    // A position that is a whole pixel goes through a real release; finer ones
    // go straight to the handler, with the surface's position in twips.
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<bool>("throughEvent");
    QTest::addColumn<bool>("turns");

    QTest::newRow("on the left edge, released") << QPointF(30, 450) << true << false;
    QTest::newRow("a pixel right of the left edge, released") << QPointF(45, 450) << true << true;
    QTest::newRow("on the top edge, released") << QPointF(450, 30) << true << false;
    QTest::newRow("a pixel below the top edge, released") << QPointF(450, 45) << true << true;
    QTest::newRow("in the gap right of the card, released") << QPointF(1695, 450) << true << false;
    QTest::newRow("in the gap below the card, released") << QPointF(450, 1050) << true << false;
    QTest::newRow("on the left edge") << QPointF(30, 450) << false << false;
    QTest::newRow("just right of the left edge") << QPointF(30.01, 450) << false << true;
    QTest::newRow("on the right edge") << QPointF(1632, 450) << false << false;
    QTest::newRow("just left of the right edge") << QPointF(1631.99, 450) << false << true;
    QTest::newRow("on the top edge") << QPointF(450, 30) << false << false;
    QTest::newRow("on the bottom edge") << QPointF(450, 1004) << false << false;
    QTest::newRow("just above the bottom edge") << QPointF(450, 1003.99) << false << true;
}

void TurnsTest::releaseHitsOnlyTheInsideOfACard()
{
    QFETCH(QPointF, at);
    QFETCH(bool, throughEvent);
    QFETCH(bool, turns);

    CountingPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    const MemoCard& card = form.board().card(0, 0);
    QCOMPARE(QRect(QPoint(card.x1, card.y1), QPoint(card.x2, card.y2)), QRect(QPoint(30, 30), QPoint(1632, 1004)));

    if (throughEvent)
        QTest::mouseRelease(&form.Picture1, Qt::LeftButton, {}, pixelAt(at.x(), at.y()));
    else
        form.Picture1_MouseUp(1, 0, float(at.x()), float(at.y()));

    QCOMPARE(card.isOpen, turns);
    QCOMPARE(form.attempts, int(turns));
    QCOMPARE(boardStates(form).count(u'O'), int(turns));
}

void TurnsTest::anyButtonAndModifierTurnACard_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers();
    QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers();
    QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers();
    QTest::newRow("left with Shift") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("right with Ctrl") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("left with Shift, Ctrl and Alt")
        << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

void TurnsTest::anyButtonAndModifierTurnACard()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);

    CountingPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    const QPoint partner = fixture::partnerOf(form, 2, 1);

    fixture::clickCard(form, 2, 1, button, modifiers);
    QVERIFY(form.board().card(2, 1).isOpen);
    QVERIFY(showsAsItIs(form, QPoint(2, 1)));
    fixture::clickCard(form, partner.x(), partner.y(), button, modifiers);
    QVERIFY(form.board().card(2, 1).isFound);
    QVERIFY(form.board().card(partner.x(), partner.y()).isFound);
    QCOMPARE(form.attempts, 2);
}

void TurnsTest::cardWithoutInsideCannotBeTurned_data()
{
    QTest::addColumn<QSizeF>("clientSize");

    // On a 6 x 5 board, a surface 780 twips wide makes cells 130 wide, so that
    // x2 = x1; one 1245 - 595 = 650 high makes them 130 high, so that y2 = y1.
    QTest::newRow("no width") << QSizeF(780, 5010);
    QTest::newRow("no height") << QSizeF(6930, 1245);
}

void TurnsTest::cardWithoutInsideCannotBeTurned()
{
    QFETCH(QSizeF, clientSize);

    CountingPlatform platform;
    Form1 form;
    form.squareMaxX = 6;
    form.squareMaxY = 5;
    fixture::startGame(platform, form);
    form.setClientSize(float(clientSize.width()), float(clientSize.height()));
    QTest::keyClick(&form, Qt::Key_F5);
    form.board().forEachCell([&](int x, int y) {
        const MemoCard& card = form.board().card(x, y);
        QVERIFY(card.x2 == card.x1 || card.y2 == card.y1);
    });

    // Every pixel of the surface, and every quarter twip around the first
    // card's corner, across and down.
    const QSize pixels = form.Picture1.size();
    QVERIFY(!pixels.isEmpty());
    for (int x = 0; x < pixels.width(); ++x)
        for (int y = 0; y < pixels.height(); ++y)
            QTest::mouseRelease(&form.Picture1, Qt::LeftButton, {}, QPoint(x, y));
    const MemoCard& first = form.board().card(0, 0);
    for (int t = -200; t <= 200; ++t) {
        for (int u = -8; u <= 8; ++u) {
            form.Picture1_MouseUp(1, 0, float(first.x1 + t / 4.0), float(first.y1 + 300 + u / 4.0));
            form.Picture1_MouseUp(1, 0, float(first.x1 + 300 + u / 4.0), float(first.y1 + t / 4.0));
        }
    }

    QCOMPARE(form.attempts, 0);
    QCOMPARE(boardStates(form).count(u'-'), 30);
}

void TurnsTest::clicksDuringABuildAreIgnored()
{
    CountingPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    fixture::clickCard(form, 1, 2);
    const QPoint everywhere[] = {fixture::cardCentre(form, 0, 0), fixture::cardCentre(form, 1, 2),
                                 fixture::cardCentre(form, 3, 3), QPoint(1, 1)};

    // A new card set: the board is built again and the window handles events
    // after every card.
    form.dirty = true;
    int clicksDuringBuild = 0;
    int turnedDuringBuild = 0;
    platform.onProcessEvents = [&] {
        if (!form.isBusy())
            return;
        for (const QPoint& pixel : everywhere) {
            const int before = form.attempts;
            QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, pixel);
            ++clicksDuringBuild;
            if (form.attempts != before || form.isFirstCardOpen())
                ++turnedDuringBuild;
        }
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    platform.onProcessEvents = nullptr;

    QVERIFY(clicksDuringBuild >= 4);
    QCOMPARE(turnedDuringBuild, 0);
    QVERIFY(form.isBoardReady());
    QCOMPARE(boardStates(form).count(u'-'), 16);
    fixture::clickCard(form, 1, 2);
    QCOMPARE(form.attempts, 1);
}

void TurnsTest::clicksAfterTheWinAreIgnored()
{
    CountingPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    platform.modalAnswers.push_back([](ui::Window& w) { w.close(); });
    fixture::findEveryPair(form);
    QCOMPARE(platform.modalCaptions.size(), 1);
    QCOMPARE(boardStates(form).count(u'F'), 16);
    const QImage canvas = form.Picture1.canvas();

    form.board().forEachCell([&](int x, int y) {
        fixture::clickCard(form, x, y);
        fixture::clickCard(form, x, y, Qt::RightButton);
    });
    QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, gapBetweenColumns(form));

    QCOMPARE(form.attempts, 16);
    QCOMPARE(platform.modalCaptions.size(), 1);
    QCOMPARE(boardStates(form).count(u'F'), 16);
    QVERIFY(form.Picture1.canvas() == canvas);
    QVERIFY(form.isBoardReady());
}

void TurnsTest::everyMismatchAddsTwoAttempts_data()
{
    QTest::addColumn<int>("mismatches");

    QTest::newRow("no mismatch") << 0;
    QTest::newRow("one mismatch") << 1;
    QTest::newRow("three mismatches") << 3;
}

void TurnsTest::everyMismatchAddsTwoAttempts()
{
    QFETCH(int, mismatches);

    CountingPlatform platform;
    Form1 form;
    fixture::startGame(platform, form);
    const QPoint first(0, 0);
    const QPoint other = otherKeyThan(form, first);
    for (int i = 0; i < mismatches; ++i) {
        fixture::clickCard(form, first.x(), first.y());
        fixture::clickCard(form, other.x(), other.y());
    }
    QCOMPARE(platform.clockSleeps, mismatches);
    platform.modalAnswers.push_back([](ui::Window& w) { w.close(); });
    fixture::findEveryPair(form);

    QCOMPARE(form.attempts, 16 + 2 * mismatches);
    QCOMPARE(boardStates(form).count(u'F'), 16);
    QCOMPARE(platform.modalCaptions.size(), 1);
}

void TurnsTest::unmatchedPairStaysUpForOneSecond_data()
{
    QTest::addColumn<float>("start");
    // How much of each sleep the thread is woken before it was asked to be.
    QTest::addColumn<float>("wokenEarlyBy");
    QTest::addColumn<int>("sleeps");

    QTest::newRow("plain") << 1000.0f << 0.0f << 1;
    QTest::newRow("half a second before midnight") << 86399.5f << 0.0f << 1;
    QTest::newRow("woken a quarter second early") << 1000.0f << 0.25f << 2;
}

void TurnsTest::unmatchedPairStaysUpForOneSecond()
{
    QFETCH(float, start);
    QFETCH(float, wokenEarlyBy);
    QFETCH(int, sleeps);

    HalfTurn turn;
    CountingPlatform& platform = turn.platform;
    Form1& form = turn.form;

    int upDuringWait = 0;
    platform.onSleep = [&](float) {
        if (platform.clockSleeps == 1)
            platform.now -= wokenEarlyBy;
        QVERIFY(form.board().card(turn.first.x(), turn.first.y()).isOpen);
        QVERIFY(form.board().card(turn.second.x(), turn.second.y()).isOpen);
        QVERIFY(showsAsItIs(form, turn.first));
        QVERIFY(showsAsItIs(form, turn.second));
        ++upDuringWait;
    };
    platform.now = start;
    platform.clockReads = 0;
    fixture::clickCard(form, turn.second.x(), turn.second.y());

    QCOMPARE(platform.now, start + 1.0f);
    QCOMPARE(platform.clockSleeps, sleeps);
    QCOMPARE(upDuringWait, sleeps);
    // The start, and one look before and after every sleep at the most.
    QVERIFY2(platform.clockReads <= 2 * sleeps + 2, qPrintable(QString::number(platform.clockReads)));
    QVERIFY(!form.board().card(turn.first.x(), turn.first.y()).isOpen);
    QVERIFY(!form.board().card(turn.second.x(), turn.second.y()).isOpen);
    QVERIFY(showsAsItIs(form, turn.first));
    QVERIFY(showsAsItIs(form, turn.second));
    QVERIFY(!form.isFirstCardOpen());
}

void TurnsTest::unmatchedPairTurnsBackSecondCardFirst()
{
    HalfTurn turn;
    CountingPlatform& platform = turn.platform;
    Form1& form = turn.form;

    PaintWatch watch(form, turn.first, turn.second);
    qsizetype paintsBeforeWaitEnds = -1;
    platform.onSleep = [&](float) { paintsBeforeWaitEnds = watch.paints.size(); };
    fixture::clickCard(form, turn.second.x(), turn.second.y());

    QVERIFY(paintsBeforeWaitEnds >= 1);
    const QList<PaintWatch::Seen> afterWait = watch.paints.mid(paintsBeforeWaitEnds);
    QCOMPARE(afterWait.size(), 2);
    QVERIFY(afterWait[0].firstFaceUp);
    QVERIFY(!afterWait[0].secondFaceUp);
    QVERIFY(!afterWait[1].firstFaceUp);
    QVERIFY(!afterWait[1].secondFaceUp);
}

void TurnsTest::clickDuringTheWaitStartsTheNextTurn_data()
{
    QTest::addColumn<int>("queuedOn");

    QTest::newRow("on the pair's first card") << 0;
    QTest::newRow("on the pair's second card") << 1;
    QTest::newRow("on another card") << 2;
}

void TurnsTest::clickDuringTheWaitStartsTheNextTurn()
{
    QFETCH(int, queuedOn);

    HalfTurn turn;
    CountingPlatform& platform = turn.platform;
    Form1& form = turn.form;
    const QPoint another = firstCell(form, [&](const MemoCard&, QPoint cell) {
        return cell != turn.first && cell != turn.second;
    });
    const QPoint target = queuedOn == 0 ? turn.first : queuedOn == 1 ? turn.second : another;

    // The first sleep comes back half a second early, so the wait goes round
    // again with the release already queued.
    int handledDuringWait = 0;
    platform.onSleep = [&](float) {
        if (platform.clockSleeps == 1) {
            platform.now -= 0.5f;
            postRelease(form, fixture::cardCentre(form, target.x(), target.y()));
        } else if (form.attempts != 2) {
            ++handledDuringWait;
        }
    };
    fixture::clickCard(form, turn.second.x(), turn.second.y());
    platform.onSleep = nullptr;

    // The queued release waits until the handler has returned.
    QCOMPARE(platform.clockSleeps, 2);
    QCOMPARE(handledDuringWait, 0);
    QCOMPARE(form.attempts, 2);
    QVERIFY(!form.isFirstCardOpen());
    QCOMPARE(boardStates(form).count(u'O'), 0);

    QCoreApplication::processEvents();
    QCOMPARE(form.attempts, 3);
    QVERIFY(form.isFirstCardOpen());
    QCOMPARE(QPoint(form.firstCardX(), form.firstCardY()), target);
    QCOMPARE(boardStates(form).count(u'O'), 1);
    QVERIFY(form.board().card(target.x(), target.y()).isOpen);
    QVERIFY(showsAsItIs(form, target));
}

QTEST_MAIN(TurnsTest)
#include "tst_turns.moc"
