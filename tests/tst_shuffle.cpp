// Shuffling the board before every deal.
#include "game/Board.h"
#include "game/Shuffle.h"

#include <QSet>
#include <QTest>

#include <deque>

namespace {

// A board whose cards carry their starting cell in their key.
Board numberedBoard(int columns, int rows)
{
    Board board(columns, rows);
    board.forEachCell([&](int x, int y) {
        board.at(x, y) = std::make_shared<MemoCard>();
        board.card(x, y).fName = QStringLiteral("%1,%2").arg(x).arg(y);
    });
    return board;
}

QStringList keysInWalkOrder(const Board& board)
{
    QStringList keys;
    board.forEachCell([&](int x, int y) { keys << board.card(x, y).fName; });
    return keys;
}

std::function<float()> scripted(std::deque<float> values, int* draws = nullptr)
{
    auto queue = std::make_shared<std::deque<float>>(std::move(values));
    return [queue, draws] {
        if (draws)
            ++*draws;
        if (queue->empty())
            return 0.0f;
        const float v = queue->front();
        queue->pop_front();
        return v;
    };
}

} // namespace

class ShuffleTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsFourValuesPerSwap_data();
    void drawsFourValuesPerSwap();
    void generatorOfZerosKeepsTheOrder();
    void singleColumnOrRowMovesNothing_data();
    void singleColumnOrRowMovesNothing();
    void swapsTheDrawnCells_data();
    void swapsTheDrawnCells();
    void everyCardStaysOnceAndExtraSlotsStayEmpty();
};

void ShuffleTest::drawsFourValuesPerSwap_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("swaps");
    QTest::newRow("4 x 4") << 4 << 4 << 9;
    QTest::newRow("5 x 4") << 5 << 4 << 12;
    QTest::newRow("6 x 4") << 6 << 4 << 15;
    QTest::newRow("6 x 5") << 6 << 5 << 20;
    QTest::newRow("6 x 6") << 6 << 6 << 25;
}

void ShuffleTest::drawsFourValuesPerSwap()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, swaps);
    Board board = numberedBoard(columns, rows);
    int draws = 0;
    game::shuffle(board, scripted({}, &draws));
    QCOMPARE(draws, 4 * swaps);
}

void ShuffleTest::generatorOfZerosKeepsTheOrder()
{
    Board board = numberedBoard(6, 6);
    const QStringList before = keysInWalkOrder(board);
    game::shuffle(board, scripted({}));
    QCOMPARE(keysInWalkOrder(board), before);
}

void ShuffleTest::singleColumnOrRowMovesNothing_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("one column") << 1 << 6;
    QTest::newRow("one row") << 6 << 1;
}

void ShuffleTest::singleColumnOrRowMovesNothing()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    Board board = numberedBoard(columns, rows);
    const QStringList before = keysInWalkOrder(board);
    int draws = 0;
    game::shuffle(board, scripted({0.9f, 0.9f, 0.1f, 0.1f}, &draws));
    QCOMPARE(draws, 0);
    QCOMPARE(keysInWalkOrder(board), before);
}

void ShuffleTest::swapsTheDrawnCells_data()
{
    QTest::addColumn<float>("u1");
    QTest::addColumn<float>("u2");
    QTest::addColumn<float>("u3");
    QTest::addColumn<float>("u4");
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    // On a 4 x 4 board m = n = 3: products 0.5 x 3 = 1.5 round to 2, and
    // 0.4 x 3 = 1.2 rounds to 1.
    QTest::newRow("corner with corner") << 0.99f << 0.99f << 0.0f << 0.0f << QPoint(3, 3) << QPoint(0, 0);
    QTest::newRow("half rounds to even") << 0.5f << 0.5f << 0.0f << 0.0f << QPoint(2, 2) << QPoint(0, 0);
    QTest::newRow("to the nearest") << 0.4f << 0.9f << 0.0f << 0.0f << QPoint(1, 3) << QPoint(0, 0);
}

void ShuffleTest::swapsTheDrawnCells()
{
    QFETCH(float, u1);
    QFETCH(float, u2);
    QFETCH(float, u3);
    QFETCH(float, u4);
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    Board board = numberedBoard(4, 4);
    const Board::CardRef cardA = board.at(a.x(), a.y());
    const Board::CardRef cardB = board.at(b.x(), b.y());
    // One swap, then eight that exchange (0, 0) with itself.
    game::shuffle(board, scripted({u1, u2, u3, u4}));
    QCOMPARE(board.at(a.x(), a.y()), cardB);
    QCOMPARE(board.at(b.x(), b.y()), cardA);
}

void ShuffleTest::everyCardStaysOnceAndExtraSlotsStayEmpty()
{
    Board board = numberedBoard(6, 5);
    QSet<MemoCard*> before;
    board.forEachCell([&](int x, int y) { before.insert(board.at(x, y).get()); });
    std::deque<float> values;
    for (int i = 0; i < 80; ++i)
        values.push_back(float((i * 37) % 100) / 100.0f);
    game::shuffle(board, scripted(values));

    QSet<MemoCard*> after;
    int cells = 0;
    board.forEachCell([&](int x, int y) {
        after.insert(board.at(x, y).get());
        ++cells;
    });
    QCOMPARE(cells, 30);
    QCOMPARE(after, before);
    QVERIFY(keysInWalkOrder(board) != keysInWalkOrder(numberedBoard(6, 5)));
    for (int x = 0; x <= 6; ++x)
        QVERIFY(!board.at(x, 5));
    for (int y = 0; y <= 5; ++y)
        QVERIFY(!board.at(6, y));
}

QTEST_MAIN(ShuffleTest)
#include "tst_shuffle.moc"
