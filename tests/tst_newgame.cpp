// The game's lifecycle: start-up defaults, building a board, dealing it.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "pictures/FormProgress.h"

#include <QSet>
#include <QTest>

class NewGameTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheDefaultsAndNoBoard();
    void clicksAndResizesBeforeTheFirstGameTouchNoBoard();
    void firstNewGameBuildsAndDealsFaceDown();
    void secondNewGameReusesTheCards();
    void newGameForgetsAHalfDoneTurn();
    void boardHasAnEmptyExtraColumnAndRow();
    void wonBoardStaysAndIsDealtAgain();
    void newGameWhileBusyIsIgnored();
};

void NewGameTest::startsWithTheDefaultsAndNoBoard()
{
    TestPlatform platform;
    Form1 form;
    QCOMPARE(form.cardName, QStringLiteral("cardPussy"));
    QCOMPARE(form.deckName, QStringLiteral("deckAcorn"));
    QCOMPARE(form.squareMaxX, 4);
    QCOMPARE(form.squareMaxY, 4);
    QVERIFY(form.dirty);
    QVERIFY(!form.board().allocated());
    QVERIFY(!form.isBoardReady());
    QVERIFY(!form.Timer1.enabled());
    QVERIFY(form.Timer2.enabled());
    QCOMPARE(form.Label2.caption(), QStringLiteral("Time:"));
}

void NewGameTest::clicksAndResizesBeforeTheFirstGameTouchNoBoard()
{
    TestPlatform platform;
    Form1 form;
    fixture::showAtDesignedSize(form);
    form.setClientSize(9000, 6000);
    QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, QPoint(20, 20));
    form.Form_Paint();
    QCOMPARE(form.attempts, 0);
    QVERIFY(!form.board().allocated());
    QCOMPARE(form.Picture1.top(), 595.0f);
    QCOMPARE(form.Picture1.width(), 9000.0f);
    QCOMPARE(form.Picture1.canvas().pixelColor(20, 20), form.Picture1.backColor());
    QVERIFY(platform.loadedPaths.isEmpty());
}

void NewGameTest::firstNewGameBuildsAndDealsFaceDown()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    platform.now = 250.5f;
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QVERIFY(form.isBoardReady());
    QVERIFY(!form.dirty);
    QVERIFY(!form.isBusy());
    QCOMPARE(form.board().upperX(), 4);
    QCOMPARE(form.board().upperY(), 4);
    QCOMPARE(platform.loadedPaths.size(), 9);
    QCOMPARE(form.attempts, 0);
    QCOMPARE(form.elapsedTime, 0);
    QCOMPARE(form.gameStartTime(), 250.5f);
    QCOMPARE(form.lastCount(), 250.5f);
    QVERIFY(form.Timer1.enabled());
    QCOMPARE(platform.randomizeCalls, 1);
    QCOMPARE(form.Label2.caption(), QStringLiteral("Time:"));
    form.board().forEachCell([&](int x, int y) {
        const MemoCard& card = form.board().card(x, y);
        QVERIFY(!card.isOpen && !card.isFound);
        QVERIFY(fixture::sameColour(fixture::shownColor(form, x, y), fixture::deckColor()));
    });
}

void NewGameTest::secondNewGameReusesTheCards()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    QSet<MemoCard*> cards;
    form.board().forEachCell([&](int x, int y) { cards.insert(form.board().at(x, y).get()); });
    fixture::clickCard(form, 0, 0);
    platform.loadedPaths.clear();
    platform.now += 10;

    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QVERIFY(platform.loadedPaths.isEmpty());
    QCOMPARE(platform.randomizeCalls, 2);
    QCOMPARE(form.attempts, 0);
    QSet<MemoCard*> dealt;
    form.board().forEachCell([&](int x, int y) {
        dealt.insert(form.board().at(x, y).get());
        QVERIFY(!form.board().card(x, y).isOpen);
    });
    QCOMPARE(dealt, cards);
}

void NewGameTest::newGameForgetsAHalfDoneTurn()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    fixture::clickCard(form, 1, 1);
    QVERIFY(form.isFirstCardOpen());

    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    QVERIFY(!form.isFirstCardOpen());
    fixture::clickCard(form, 2, 2);
    QVERIFY(form.isFirstCardOpen());
    QCOMPARE(form.firstCardX(), 2);
    QCOMPARE(form.attempts, 1);
}

void NewGameTest::boardHasAnEmptyExtraColumnAndRow()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.squareMaxX = 6;
    form.squareMaxY = 5;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    int cards = 0;
    form.board().forEachCell([&](int, int) { ++cards; });
    QCOMPARE(cards, 30);
    for (int x = 0; x <= 6; ++x)
        QVERIFY(!form.board().at(x, 5));
    for (int y = 0; y <= 5; ++y)
        QVERIFY(!form.board().at(6, y));
}

void NewGameTest::wonBoardStaysAndIsDealtAgain()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    platform.modalAnswers.push_back([](ui::Window& w) { w.close(); });
    form.board().forEachCell([&](int x, int y) {
        if (form.board().card(x, y).isFound)
            return;
        const QPoint partner = fixture::partnerOf(form, x, y);
        fixture::clickCard(form, x, y);
        fixture::clickCard(form, partner.x(), partner.y());
    });
    QVERIFY(form.isBoardReady());
    QVERIFY(!form.Timer1.enabled());
    form.board().forEachCell([&](int x, int y) {
        const int face = form.board().card(x, y).fName.mid(9).toInt() - 1;
        QVERIFY(fixture::sameColour(fixture::shownColor(form, x, y), fixture::faceColor(face)));
    });

    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    form.board().forEachCell([&](int x, int y) { QVERIFY(!form.board().card(x, y).isFound); });
    QVERIFY(form.Timer1.enabled());
}

void NewGameTest::newGameWhileBusyIsIgnored()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    int nestedBuilds = 0;
    platform.onProcessEvents = [&] {
        if (form.isBusy() && nestedBuilds++ == 0)
            form.Command1_Click();
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    platform.onProcessEvents = nullptr;
    QCOMPARE(platform.loadedPaths.size(), 9);
    QVERIFY(form.isBoardReady());
}

QTEST_MAIN(NewGameTest)
#include "tst_newgame.moc"
