// The game's lifecycle and the main window's commands: the start-up defaults,
// building and dealing a board, the shuffle, Settings, F5, minimising and closing.
#include "BoardFixture.h"

#include "game/Shuffle.h"
#include "hiscore/Dialog1.h"
#include "settings/Dialog.h"

#include <QSet>
#include <QTest>

using fixture::Game;

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

// Shuffles with the values given, then zeros; the number of draws.
int shuffled(Board& board, std::deque<float> values)
{
    int draws = 0;
    game::shuffle(board, [&] {
        ++draws;
        const float value = values.empty() ? 0.0f : values.front();
        if (!values.empty())
            values.pop_front();
        return value;
    });
    return draws;
}

// The real generator, seeded from a time of day of the test's choosing; the
// values drawn after seeding it at `at`.
class SeededPlatform : public ui::QtPlatform
{
public:
    float timeOfDay() override { return at; }

    QList<float> drawsAfterSeeding(float seed, int count)
    {
        at = seed;
        randomize();
        QList<float> values;
        for (int i = 0; i < count; ++i)
            values << rnd();
        return values;
    }

private:
    float at = 0;
};

QStringList choicesOf(const Form1& form)
{
    return {form.cardName, form.deckName, QString::number(form.squareMaxX), QString::number(form.squareMaxY)};
}

// A dealt game with a second card set and deck in the folder, the first card
// of a turn face up and one second counted.
struct Turning : Game
{
    explicit Turning(QSize board) : Game(board.width(), board.height())
    {
        fixture::writePictures(platform, 18, QStringLiteral("cardOther"), QStringLiteral("deckOther"));
        platform.writePicture(QStringLiteral("deckOther.jpg"), Qt::darkGreen);
        fixture::clickCard(form, 0, 0);
        platform.now += 5;
        form.Timer1.tick();
        platform.loadedPaths.clear();
    }
};

struct SettingsChange
{
    QStringList typed;
    QString firstLoad;
    QStringList choices;
    bool newGame;
    QSize board = {4, 4};
};

} // namespace

class GameTest : public QObject
{
    Q_OBJECT

private slots:
    void newGameBuildsAndDealsFaceDown()
    {
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        QCOMPARE(choicesOf(form), (QStringList{"cardPussy", "deckAcorn", "4", "4"}));
        QVERIFY(form.dirty);
        QVERIFY(!form.Timer1.enabled());
        // Clicks, resizing and repainting before the first game touch no board.
        fixture::showAtDesignedSize(form);
        form.setClientSize(9000, 6000);
        QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, QPoint(20, 20));
        form.redraw();
        QVERIFY(!form.board().allocated());
        QCOMPARE(form.Picture1.canvas().pixelColor(20, 20), form.Picture1.backColor());
        QVERIFY(platform.loadedPaths.isEmpty());

        platform.now = 250.5f;
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        QVERIFY(form.isBoardReady());
        QVERIFY(!form.dirty);
        QCOMPARE(QPoint(form.board().upperX(), form.board().upperY()), QPoint(4, 4));
        QCOMPARE(platform.loadedPaths.size(), 9);
        QCOMPARE(QPoint(form.attempts, form.elapsedTime), QPoint(0, 0));
        QCOMPARE(form.gameStartTime(), 250.5f);
        QVERIFY(form.Timer1.enabled());
        QCOMPARE(platform.randomizeCalls, 1);
        QCOMPARE(fixture::boardStates(form), QString(16, u'-'));
        form.board().forEachCell([&](int x, int y) { QVERIFY(fixture::showsAsItIs(form, QPoint(x, y))); });

        // A second New Game deals the same cards again, and forgets a turn left half done.
        QSet<MemoCard*> cards;
        form.board().forEachCell([&](int x, int y) { cards.insert(form.board().at(x, y).get()); });
        fixture::clickCard(form, 1, 1);
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        QCOMPARE(platform.loadedPaths.size(), 9);
        QCOMPARE(platform.randomizeCalls, 2);
        form.board().forEachCell([&](int x, int y) { QVERIFY(cards.remove(form.board().at(x, y).get())); });
        QCOMPARE(fixture::boardStates(form), QString(16, u'-'));
        fixture::clickCard(form, 2, 2);
        QCOMPARE(QPoint(form.firstCardX(), form.firstCardY()), QPoint(2, 2));
        QCOMPARE(form.attempts, 1);
    }

    void commandsDuringABuildDoNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("New Game") << 0;
        QTest::newRow("Settings") << 1;
        QTest::newRow("clicks on the board") << 2;
    }

    void commandsDuringABuildDoNothing()
    {
        QFETCH(int, command);
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        fixture::showAtDesignedSize(form);
        // The build lets the window handle events after every card.
        platform.onProcessEvents = [&] {
            if (command < 2)
                return QTest::mouseClick(command ? &form.Command2 : &form.Command1, Qt::LeftButton);
            for (const QPoint pixel : {QPoint(60, 40), QPoint(170, 120), QPoint(400, 250), QPoint(1, 1)})
                QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, pixel);
        };
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        platform.onProcessEvents = nullptr;
        QCOMPARE(platform.loadedPaths.size(), 9);
        QVERIFY(platform.modalCaptions.isEmpty());
        QVERIFY(form.isBoardReady());
        QCOMPARE(form.attempts, 0);
        QCOMPARE(fixture::boardStates(form), QString(16, u'-'));
    }

    void shuffleSwapsTheDrawnCells_data()
    {
        QTest::addColumn<QSize>("board");
        QTest::addColumn<int>("swaps");
        // The first swap's four values, then zeros: every later swap exchanges
        // cell (0, 0) with itself. The two cells the first swap exchanges.
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QPoint>("a");
        QTest::addColumn<QPoint>("b");
        // Columns are drawn over 0 to m = columns - 1 and rows over 0 to n = rows - 1,
        // each rounded to the nearest, halves to even: on the boards that are not
        // square every value lands elsewhere if drawn over the other range.
        QTest::newRow("4 x 4, corner") << QSize(4, 4) << 9 << QList<float>{.99f, .99f, 0, 0} << QPoint(3, 3) << QPoint();
        QTest::newRow("5 x 4") << QSize(5, 4) << 12 << QList<float>{.9f, .4f, .4f, .9f} << QPoint(4, 1) << QPoint(2, 3);
        QTest::newRow("6 x 4") << QSize(6, 4) << 15 << QList<float>{.9f, .9f, .3f, .9f} << QPoint(4, 3) << QPoint(2, 3);
        QTest::newRow("6 x 5") << QSize(6, 5) << 20 << QList<float>{.1f, .3f, .3f, .3f} << QPoint(1, 1) << QPoint(2, 1);
        // 0.5 x 5 = 2.5 rounds to 2.
        QTest::newRow("6 x 6, halves to even")
            << QSize(6, 6) << 25 << QList<float>{.99f, .99f, .5f, .5f} << QPoint(5, 5) << QPoint(2, 2);
        QTest::newRow("one column") << QSize(1, 6) << 0 << QList<float>{0.9f, 0.9f} << QPoint() << QPoint();
        QTest::newRow("one row") << QSize(6, 1) << 0 << QList<float>{0.9f, 0.9f} << QPoint() << QPoint();
    }

    void shuffleSwapsTheDrawnCells()
    {
        QFETCH(QSize, board);
        QFETCH(int, swaps);
        QFETCH(QList<float>, draws);
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        Board cards = numberedBoard(board.width(), board.height());
        QCOMPARE(shuffled(cards, {draws.begin(), draws.end()}), 4 * swaps);
        QStringList expected = fixture::keysOf(numberedBoard(board.width(), board.height()));
        const int first = a.x() * board.height() + a.y();
        const int second = b.x() * board.height() + b.y();
        expected.swapItemsAt(first, second);
        QCOMPARE(fixture::keysOf(cards), expected);
        // The extra column and row are still empty.
        for (int i = 0; i <= board.width(); ++i)
            QVERIFY(!cards.at(i, board.height()));
        for (int j = 0; j <= board.height(); ++j)
            QVERIFY(!cards.at(board.width(), j));
    }

    void dealsDifferAsTheTimeOfDay()
    {
        SeededPlatform platform;
        const QList<float> values = platform.drawsAfterSeeding(36000.5f, 1000);
        // A deal at the same moment of another day is the same deal; a moment
        // later, another one.
        QCOMPARE(platform.drawsAfterSeeding(36000.5f, 1000), values);
        QVERIFY(platform.drawsAfterSeeding(36000.75f, 1000) != values);
        // Uniform in [0, 1): every tenth of the range drawn about as often.
        QList<int> tenths(10);
        for (const float value : values) {
            QVERIFY2(value >= 0 && value < 1, qPrintable(QString::number(value)));
            ++tenths[int(value * 10)];
        }
        for (const int count : tenths)
            QVERIFY2(count > 70 && count < 130, qPrintable(QString::number(count)));
    }

    void settingsChangesWhatItMust_data()
    {
        QTest::addColumn<SettingsChange>("change");
        const QStringList kept{"cardPussy", "deckAcorn", "4", "4"};
        QTest::newRow("OK without a change") << SettingsChange{{"", "", ""}, "", kept, false};
        QTest::newRow("Cancel after changing everything")
            << SettingsChange{{"cardOther", "deckOther", "6 x 6", "Cancel"}, "", kept, false};
        QTest::newRow("the deck alone") << SettingsChange{{"", "deckOther", ""}, "deckOther.jpg",
                                                          {"cardPussy", "deckOther", "4", "4"}, false};
        QTest::newRow("a deck that is missing")
            << SettingsChange{{"", "deckNone", ""}, "", {"cardPussy", "deckNone", "4", "4"}, false};
        QTest::newRow("card set and deck") << SettingsChange{{"cardOther", "deckOther", ""}, "cardOther00.jpg",
                                                             {"cardOther", "deckOther", "4", "4"}, true};
        QTest::newRow("the size alone")
            << SettingsChange{{"", "", "6 x 4"}, "cardPussy00.jpg", {"cardPussy", "deckAcorn", "6", "4"}, true};
        QTest::newRow("the rows alone") << SettingsChange{{"", "", "6 x 5"}, "cardPussy00.jpg",
                                                          {"cardPussy", "deckAcorn", "6", "5"}, true, {6, 4}};
    }

    void settingsChangesWhatItMust()
    {
        QFETCH(SettingsChange, change);
        Turning game(change.board);
        Form1& form = game.form;
        game.platform.modalAnswers = {[&](ui::Window& window) {
            auto& dialog = static_cast<Dialog&>(window);
            ui::ComboBox* boxes[] = {&dialog.Combo1, &dialog.Combo2, &dialog.Combo3};
            for (int box = 0; box < 3; ++box)
                if (!change.typed[box].isEmpty())
                    fixture::retype(*boxes[box], change.typed[box]);
            QTest::mouseClick(change.typed.size() > 3 ? &dialog.CancelButton : &dialog.OKButton, Qt::LeftButton);
        }};
        form.Picture1.clear();
        const QImage cleared = form.Picture1.canvas();

        QTest::mouseClick(&form.Command2, Qt::LeftButton);

        QCOMPARE(game.platform.modalCaptions, QStringList{QStringLiteral("Brindlepair Settings")});
        QCOMPARE(choicesOf(form), change.choices);
        QCOMPARE(game.platform.loadedPaths.value(0),
                 change.firstLoad.isEmpty() ? QString() : game.platform.picsDir() + u'/' + change.firstLoad);
        QVERIFY(!form.dirty);
        QCOMPARE(QPoint(form.board().upperX(), form.board().upperY()),
                 QPoint(change.choices[2].toInt(), change.choices[3].toInt()));
        // A new game, or the running one going on; repainted in either case.
        QCOMPARE(QPoint(form.attempts, form.elapsedTime), change.newGame ? QPoint(0, 0) : QPoint(1, 1));
        QCOMPARE(form.isFirstCardOpen(), !change.newGame);
        QVERIFY(form.Picture1.canvas() != cleared);
        if (!change.newGame)
            QVERIFY(fixture::showsAsItIs(form, QPoint(0, 0)));
        // Closed cards show the deck chosen, or the fallback picture in place of a missing one.
        QCOMPARE(form.Image1.hasPicture(), change.choices[1] != "deckNone");
        QCOMPARE(game.platform.messages.size(), int(change.choices[1] == "deckNone"));
        const QImage& back = *(form.Image1.hasPicture() ? form.Image1 : form.Image2).picture();
        QVERIFY(fixture::sameColour(fixture::meanColourOfCard(form, 3, 3), fixture::meanColour(back)));
        if (form.Image1.hasPicture())
            QVERIFY(fixture::sameColour(back.pixelColor(0, 0), change.choices[1] == "deckOther" ? QColor(Qt::darkGreen)
                                                                                               : fixture::deckColor()));
    }

    void settingsComparesWithTheChoicesAtItsClick()
    {
        // Face 07 is missing; in the dialog the build opens, another set and
        // another size are chosen. The board keeps the size it was built with.
        TestPlatform platform;
        fixture::writePictures(platform, 7);
        fixture::writePictures(platform, 8, QStringLiteral("cardOther"));
        Form1 form;
        fixture::showAtDesignedSize(form);
        platform.modalAnswers = {fixture::chooseSettings(QStringLiteral("cardOther"), {}, QStringLiteral("6 x 4"))};
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        QCOMPARE(form.board().upperX(), 4);
        QCOMPARE(choicesOf(form), (QStringList{"cardOther", "deckAcorn", "6", "4"}));

        platform.loadedPaths.clear();
        platform.modalAnswers = {fixture::chooseSettings({})};
        QTest::mouseClick(&form.Command2, Qt::LeftButton);
        QVERIFY(platform.loadedPaths.isEmpty());
        QCOMPARE(form.board().upperX(), 4);
    }

    void theBoardIsLaidOutAgain_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers();
        QTest::newRow("Ctrl F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("F4 does nothing") << int(Qt::Key_F4) << Qt::KeyboardModifiers();
        // Minimising changes nothing; restoring lays out and repaints.
        QTest::newRow("restored") << 0 << Qt::KeyboardModifiers();
    }

    void theBoardIsLaidOutAgain()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        Game game;
        const QImage dealt = game.form.Picture1.canvas();
        game.form.Picture1.clear();
        const QImage cleared = game.form.Picture1.canvas();
        if (key == 0) {
            game.form.showMinimized();
            QVERIFY(game.form.isMinimised());
            game.form.Form_Resize();
            QCOMPARE(game.form.Picture1.canvas(), cleared);
            game.form.showNormal();
        } else {
            // The focus is on a button: the window previews the key before it.
            game.form.Command1.setFocus();
            QTest::keyRelease(&game.form.Command1, Qt::Key(key), modifiers);
        }
        QCOMPARE(game.form.Picture1.canvas(), key == Qt::Key_F4 ? cleared : dealt);
    }

    void closingEndsEveryWindow()
    {
        Game game;
        Dialog1& scores = game.form.hiscoreDialog();
        scores.load();
        scores.show();
        QCOMPARE(ui::Window::openWindows().size(), 2);
        game.form.close();
        QVERIFY(ui::Window::openWindows().isEmpty());
        QVERIFY(!scores.isVisible());
        QCOMPARE(game.platform.quitCalls, 1);
    }
};

QTEST_MAIN(GameTest)
#include "tst_game.moc"
