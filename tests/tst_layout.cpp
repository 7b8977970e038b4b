// Laying the board out: the surface follows the window, the cards share it.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "game/Rounding.h"
#include "pictures/Layout.h"

#include <QRect>
#include <QTest>

namespace {

QRect rectOf(const MemoCard& card)
{
    return QRect(QPoint(card.x1, card.y1), QPoint(card.x2, card.y2));
}

Board filledBoard(int columns, int rows)
{
    Board board(columns, rows);
    board.forEachCell([&](int x, int y) { board.at(x, y) = std::make_shared<MemoCard>(); });
    return board;
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void designedWindowLaysOutEveryBoardSize_data();
    void designedWindowLaysOutEveryBoardSize();
    void cellWidthRoundsToEven_data();
    void cellWidthRoundsToEven();
    void boardWithoutColumnsLaysOutNothing();
    void surfaceFollowsTheWindow();
    void windowTooLowKeepsTheSurfaceHeight();
    void resizeLaysOutAndRedrawsADealtBoard();
    void tinyWindowLeavesCardsWithoutInside();
};

void LayoutTest::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("1732.5 down to even") << 1732.5 << 1732;
    QTest::newRow("1733.5 up to even") << 1733.5 << 1734;
    QTest::newRow("1103.75 to nearest") << 1103.75 << 1104;
    QTest::newRow("735.83 to nearest") << 735.83 << 736;
    QTest::newRow("0.5 down to zero") << 0.5 << 0;
    QTest::newRow("-2.5 to even") << -2.5 << -2;
}

void LayoutTest::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(game::roundHalfEven(value), rounded);
}

void LayoutTest::designedWindowLaysOutEveryBoardSize_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("last");
    QTest::newRow("4 x 4") << 4 << 4 << QRect(QPoint(30, 30), QPoint(1632, 1004))
                           << QRect(QPoint(5226, 3342), QPoint(6828, 4316));
    QTest::newRow("5 x 4") << 5 << 4 << QRect(QPoint(30, 30), QPoint(1286, 1004))
                           << QRect(QPoint(5574, 3342), QPoint(6830, 4316));
    QTest::newRow("6 x 4") << 6 << 4 << QRect(QPoint(30, 30), QPoint(1055, 1004))
                           << QRect(QPoint(5805, 3342), QPoint(6830, 4316));
    QTest::newRow("6 x 5") << 6 << 5 << QRect(QPoint(30, 30), QPoint(1055, 783))
                           << QRect(QPoint(5805, 3562), QPoint(6830, 4315));
    QTest::newRow("6 x 6") << 6 << 6 << QRect(QPoint(30, 30), QPoint(1055, 636))
                           << QRect(QPoint(5805, 3710), QPoint(6830, 4316));
}

void LayoutTest::designedWindowLaysOutEveryBoardSize()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QRect, first);
    QFETCH(QRect, last);

    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.squareMaxX = columns;
    form.squareMaxY = rows;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QCOMPARE(form.Picture1.left(), 0.0f);
    QCOMPARE(form.Picture1.top(), 595.0f);
    QCOMPARE(form.Picture1.width(), 6930.0f);
    QCOMPARE(form.Picture1.height(), 4415.0f);
    QCOMPARE(rectOf(form.board().card(0, 0)), first);
    QCOMPARE(rectOf(form.board().card(columns - 1, rows - 1)), last);
}

void LayoutTest::cellWidthRoundsToEven_data()
{
    QTest::addColumn<float>("surfaceWidth");
    QTest::addColumn<int>("cellWidth");
    QTest::newRow("6934 gives 1734") << 6934.0f << 1734;
    QTest::newRow("6930 gives 1732") << 6930.0f << 1732;
    QTest::newRow("6929.5 is 6930 first") << 6929.5f << 1732;
}

void LayoutTest::cellWidthRoundsToEven()
{
    QFETCH(float, surfaceWidth);
    QFETCH(int, cellWidth);
    Board board = filledBoard(4, 4);
    pictures::layOutCards(board, surfaceWidth, 4415);
    QCOMPARE(board.card(1, 0).x1 - board.card(0, 0).x1, cellWidth);
    QCOMPARE(board.card(0, 0).x2, cellWidth - 100);
}

void LayoutTest::boardWithoutColumnsLaysOutNothing()
{
    Board board = filledBoard(0, 4);
    pictures::layOutCards(board, 6930, 4415);
    int cells = 0;
    board.forEachCell([&](int, int) { ++cells; });
    QCOMPARE(cells, 0);
}

void LayoutTest::surfaceFollowsTheWindow()
{
    TestPlatform platform;
    Form1 form;
    fixture::showAtDesignedSize(form);
    form.setClientSize(9000, 7500);
    QCOMPARE(form.Picture1.width(), 9000.0f);
    QCOMPARE(form.Picture1.height(), 7500.0f - 595.0f);
    // The top row stays where it was designed.
    QCOMPARE(form.Command1.left(), 120.0f);
    QCOMPARE(form.Label2.left(), 2520.0f);
}

void LayoutTest::windowTooLowKeepsTheSurfaceHeight()
{
    TestPlatform platform;
    Form1 form;
    fixture::showAtDesignedSize(form);
    form.setClientSize(6930, 450);
    QCOMPARE(form.Picture1.height(), 4415.0f);
    QCOMPARE(form.Picture1.top(), 595.0f);
}

void LayoutTest::resizeLaysOutAndRedrawsADealtBoard()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    fixture::clickCard(form, 0, 0);
    const QString openKey = form.board().card(0, 0).fName;

    form.setClientSize(9240, 7515);

    QCOMPARE(rectOf(form.board().card(0, 0)), QRect(QPoint(30, 30), QPoint(2210, 1630)));
    const int face = openKey.mid(9).toInt() - 1;
    QVERIFY(fixture::sameColour(fixture::shownColor(form, 0, 0), fixture::faceColor(face)));
    QVERIFY(fixture::sameColour(fixture::shownColor(form, 3, 3), fixture::deckColor()));
}

void LayoutTest::tinyWindowLeavesCardsWithoutInside()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    form.setClientSize(480, 1200);
    const MemoCard& card = form.board().card(0, 0);
    QVERIFY(card.x2 <= card.x1);
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
