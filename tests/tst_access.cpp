// Playing with the keyboard alone, and what a screen reader is told: the tab
// order, the keyboard's cursor and turns, the focus frame, the cards as a table
// of named cells and the events that follow the game, and the dialogs' names.
#include "BoardFixture.h"

#include "hiscore/Dialog1.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>

#include <algorithm>

using fixture::Game;

namespace {

QAccessibleInterface* board(Form1& form)
{
    return QAccessible::queryAccessibleInterface(&form.Picture1);
}

QAccessibleInterface* cardCell(Form1& form, int x, int y)
{
    return board(form)->tableInterface()->cellAt(y, x);
}

QString nameOf(Form1& form, int x, int y)
{
    return cardCell(form, x, y)->text(QAccessible::Name);
}

// Presses a key where the focus is, as the player does. A key written with a
// trailing '*' is held: its first press is followed by two repeats.
void press(const QString& key)
{
    QString name = key;
    const bool held = name.endsWith(u'*');
    if (held)
        name.chop(1);
    Qt::KeyboardModifiers modifiers;
    if (name.startsWith(QStringLiteral("Ctrl+"))) {
        modifiers = Qt::ControlModifier;
        name = name.mid(5);
    }
    static const QHash<QString, Qt::Key> keys{
        {"Space", Qt::Key_Space}, {"Enter", Qt::Key_Return}, {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
        {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},    {"Home", Qt::Key_Home}, {"End", Qt::Key_End},
        {"Tab", Qt::Key_Tab},     {"Backtab", Qt::Key_Backtab}, {"A", Qt::Key_A},
        {"KeypadEnter", Qt::Key_Enter}};
    QVERIFY2(keys.contains(name), qPrintable(key));
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyPress(focus, keys[name], modifiers);
    for (int repeat = 0; held && repeat < 2; ++repeat)
        QTest::simulateEvent(focus, true, keys[name], modifiers, QString(), true);
    QTest::keyRelease(focus, keys[name], modifiers);
    QCoreApplication::processEvents();
}

void pressAll(const QStringList& keys)
{
    for (const QString& key : keys)
        press(key);
}

// The window active with the focus on New Game, as when the game starts.
void activate(Form1& form)
{
    form.activateWindow();
    QVERIFY(QTest::qWaitFor([&form] { return form.isActiveWindow(); }));
    form.Command1.setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), &form.Command1);
}

// A dealt game, its window active and the board reached with Tab, Tab.
struct FocusedGame : Game
{
    explicit FocusedGame(int columns = 4, int rows = 4) : Game(columns, rows)
    {
        activate(form);
        pressAll({"Tab", "Tab"});
    }
};

// Names of cells, by cell.
using Names = QList<std::pair<QPoint, QString>>;

// Where the cursor is, as a cell.
QPoint cursorOf(const Form1& form)
{
    return QPoint(form.Picture1.currentColumn(), form.Picture1.currentRow());
}

// The keys that move the cursor from where it is to a cell.
QStringList keysTo(const Form1& form, QPoint cell)
{
    const QPoint from = cursorOf(form);
    QStringList keys;
    for (int x = from.x(); x != cell.x(); x += x < cell.x() ? 1 : -1)
        keys << (x < cell.x() ? "Right" : "Left");
    for (int y = from.y(); y != cell.y(); y += y < cell.y() ? 1 : -1)
        keys << (y < cell.y() ? "Down" : "Up");
    return keys;
}

} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

private slots:
    void tabReachesTheBoardAndLeavesIt()
    {
        Game game;
        Form1& form = game.form;
        activate(form);
        // A click on a card turns it and leaves the focus on New Game.
        fixture::clickCard(form, 2, 2);
        QCOMPARE(form.attempts, 1);
        QCOMPARE(QApplication::focusWidget(), &form.Command1);
        const QList<QWidget*> order{&form.Command2, &form.Picture1, &form.Command1};
        for (QWidget* next : order) {
            press("Tab");
            QCOMPARE(QApplication::focusWidget(), next);
        }
        press("Backtab");
        QCOMPARE(QApplication::focusWidget(), &form.Picture1);
        // The first card has the focus, as a screen reader is told.
        QCOMPARE(game.platform.told.last().type, QAccessible::Focus);
        QCOMPARE(game.platform.told.last().name, QStringLiteral("Row 1, column 1: face down"));
    }

    void wholeGameByKeysAlone_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("4 x 4") << 4 << 4;
        // Five rows: pairs reach from the foot of one column to the head of the next.
        QTest::newRow("6 x 5") << 6 << 5;
    }

    void wholeGameByKeysAlone()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        Game game(columns, rows);
        Form1& form = game.form;
        activate(form);
        // Deals again with Space on New Game, then turns every card in the order
        // the pairs lie on this board.
        press("Space");
        pressAll({"Tab", "Tab", "Ctrl+End"});
        form.board().forEachCell([&](int x, int y) {
            pressAll(keysTo(form, QPoint(x, y)));
            press("Space");
        });
        QCOMPARE(fixture::boardStates(form), QString(columns * rows, u'F'));
        QCOMPARE(form.attempts, columns * rows);
        QVERIFY(!form.Timer1.enabled());
        QCOMPARE(game.platform.modalCaptions, QStringList{"Brindlepair Hiscore"});
        // The deal kept the build's order: the pictures 1, 1, 2, 2, ... down
        // each column in turn.
        form.board().forEachCell([&](int x, int y) {
            QCOMPARE(nameOf(form, x, y), QStringLiteral("Row %1, column %2: found, picture %3")
                                             .arg(y + 1)
                                             .arg(x + 1)
                                             .arg((x * rows + y) / 2 + 1));
        });
    }

    void keysActAsClicks_data()
    {
        // On the dealt 4 x 4 board cards (0, 0) and (0, 1) are a pair, (1, 0) another.
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QString>("states");
        const QString none(16, u'-');
        QTest::newRow("Space turns the card") << QStringList{"Space"} << QPoint(0, 0) << 1 << "O" + none.mid(1);
        QTest::newRow("Enter turns the card") << QStringList{"Enter"} << QPoint(0, 0) << 1 << "O" + none.mid(1);
        QTest::newRow("the keypad's Enter turns the card")
            << QStringList{"KeypadEnter"} << QPoint(0, 0) << 1 << "O" + none.mid(1);
        QTest::newRow("the open card again") << QStringList{"Space", "Enter"} << QPoint(0, 0) << 1
                                             << "O" + none.mid(1);
        QTest::newRow("a pair") << QStringList{"Space", "Down", "Space"} << QPoint(0, 1) << 2 << "FF" + none.mid(2);
        QTest::newRow("a found card") << QStringList{"Space", "Down", "Space", "Up", "Space"} << QPoint(0, 0) << 2
                                      << "FF" + none.mid(2);
        QTest::newRow("an unmatched pair") << QStringList{"Space", "Right", "Space"} << QPoint(1, 0) << 2 << none;
        QTest::newRow("a held Space turns once") << QStringList{"Space", "Right", "Space*"} << QPoint(1, 0) << 2
                                                 << none;
        QTest::newRow("a held arrow moves once") << QStringList{"Right*"} << QPoint(1, 0) << 0 << none;
        QTest::newRow("the right edge") << QStringList{"Right", "Right", "Right", "Right"} << QPoint(3, 0) << 0
                                        << none;
        QTest::newRow("the left edge") << QStringList{"Left"} << QPoint(0, 0) << 0 << none;
        QTest::newRow("the bottom edge") << QStringList{"Down", "Down", "Down", "Down"} << QPoint(0, 3) << 0 << none;
        QTest::newRow("the top edge") << QStringList{"Up"} << QPoint(0, 0) << 0 << none;
        QTest::newRow("End of the row") << QStringList{"Down", "End"} << QPoint(3, 1) << 0 << none;
        QTest::newRow("Home of the row") << QStringList{"Down", "End", "Home"} << QPoint(0, 1) << 0 << none;
        QTest::newRow("Ctrl+End") << QStringList{"Down", "Ctrl+End"} << QPoint(3, 3) << 0 << none;
        QTest::newRow("Ctrl+Home") << QStringList{"Ctrl+End", "Ctrl+Home"} << QPoint(0, 0) << 0 << none;
        QTest::newRow("a key the board does not use") << QStringList{"A"} << QPoint(0, 0) << 0 << none;
        QTest::newRow("a new deal, the first card")
            << QStringList{"Ctrl+End", "Space", "Tab", "Space", "Backtab"} << QPoint(0, 0) << 0 << none;
    }

    void keysActAsClicks()
    {
        QFETCH(QStringList, keys);
        QFETCH(QPoint, cursor);
        QFETCH(int, attempts);
        QFETCH(QString, states);
        FocusedGame game;
        Form1& form = game.form;
        pressAll(keys);
        QCOMPARE(cursorOf(form), cursor);
        QCOMPARE(form.attempts, attempts);
        QCOMPARE(fixture::boardStates(form), states);
        QCOMPARE(QApplication::focusWidget(), &form.Picture1);
        // An unmatched pair was shown for its second, as a click shows it.
        QCOMPARE(game.platform.now >= 1001.0f, keys.contains("Right") && attempts == 2);
        form.board().forEachCell([&](int x, int y) { QVERIFY(fixture::showsAsItIs(form, QPoint(x, y))); });
    }

    void keysAreIgnoredWhereAClickIs_data()
    {
        QTest::addColumn<bool>("dealt");
        QTest::newRow("before the first deal") << false;
        QTest::newRow("a card with no inside") << true;
    }

    void keysAreIgnoredWhereAClickIs()
    {
        QFETCH(bool, dealt);
        Game game(4, 4, dealt);
        Form1& form = game.form;
        // Cells 128 twips wide leave the cards no width.
        form.setClientSize(510, 3000);
        activate(form);
        pressAll({"Tab", "Tab", "Space", "Right", "Enter"});
        QCOMPARE(form.attempts, 0);
        QCOMPARE(fixture::boardStates(form), QString(dealt ? 16 : 0, u'-'));
        // The cursor moves wherever there are cards.
        QCOMPARE(cursorOf(form), QPoint(dealt ? 1 : 0, 0));
    }

    void theWindowGetsTheKeysTheBoardLeaves_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("boardTakesIt");
        QTest::newRow("Right") << int(Qt::Key_Right) << Qt::KeyboardModifiers() << true;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << true;
        QTest::newRow("F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers() << false;
        QTest::newRow("A") << int(Qt::Key_A) << Qt::KeyboardModifiers() << false;
    }

    void theWindowGetsTheKeysTheBoardLeaves()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, boardTakesIt);
        FocusedGame game;
        Form1& form = game.form;
        form.Picture1.clear();
        const QImage cleared = form.Picture1.canvas();
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&form.Picture1, &press);
        QCOMPARE(press.isAccepted(), boardTakesIt);
        QTest::keyRelease(&form.Picture1, Qt::Key(key), modifiers);
        // F5 lays the board out and paints it again, with the board focused too;
        // Space paints the card it turns; the cursor paints nothing there.
        QCOMPARE(form.Picture1.canvas() != cleared, key == Qt::Key_F5 || key == Qt::Key_Space);
    }

    void aScreenReadersActions()
    {
        Game game;
        Form1& form = game.form;
        // SetFocus puts the focus on the board, at that card.
        activate(form);
        cardCell(form, 1, 2)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        QCOMPARE(QApplication::focusWidget(), &form.Picture1);
        QCOMPARE(cursorOf(form), QPoint(1, 2));
        // Press is a click on the card.
        const auto pressCard = [&](int x, int y) {
            QAccessibleActionInterface* action = cardCell(form, x, y)->actionInterface();
            QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
            action->doAction(QAccessibleActionInterface::pressAction());
            // Taken from the event queue, as a click is.
            QCOMPARE(form.attempts, 0);
            QCoreApplication::processEvents();
        };
        pressCard(2, 1);
        QCOMPARE(form.attempts, 1);
        QVERIFY(form.board().card(2, 1).isOpen);
        QCOMPARE(cursorOf(form), QPoint(2, 1));
        // Not while another window is modal, as the mouse cannot reach the board then.
        form.attempts = 0;
        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        pressCard(3, 3);
        QCOMPARE(form.attempts, 0);
        modal.close();
        pressCard(3, 3);
        QCOMPARE(form.attempts, 1);
    }

    void namesFollowTheGame_data()
    {
        // Pairs as in keysActAsClicks: (0, 0) and (0, 1) show picture 1, (1, 0) picture 3.
        QTest::addColumn<QStringList>("keys");
        // Names of cells (x, y) afterwards, those not given face down.
        QTest::addColumn<Names>("names");
        // What the last events told, the focus last: "Focus: name", "NameChanged: name".
        QTest::addColumn<QStringList>("lastTold");
        QTest::newRow("dealt") << QStringList{} << Names{} << QStringList{};
        QTest::newRow("the cursor moves")
            << QStringList{"Down"} << Names{} << QStringList{"Focus: Row 2, column 1: face down"};
        QTest::newRow("a first card") << QStringList{"Space"}
                                      << Names{{{0, 0}, "face up, picture 1"}}
                                      << QStringList{"Focus: Row 1, column 1: face up, picture 1"};
        QTest::newRow("a pair, the first card too")
            << QStringList{"Space", "Down", "Space"}
            << Names{{{0, 0}, "found, picture 1"}, {{0, 1}, "found, picture 1"}}
            << QStringList{"NameChanged: Row 1, column 1: found, picture 1",
                           "Focus: Row 2, column 1: found, picture 1"};
        QTest::newRow("an unmatched pair, last seen")
            << QStringList{"Space", "Right", "Space"}
            << Names{{{0, 0}, "face down, last seen picture 1"},
                                     {{1, 0}, "face down, last seen picture 3"}}
            << QStringList{"NameChanged: Row 1, column 1: face down, last seen picture 1",
                           "Focus: Row 1, column 2: face down, last seen picture 3"};
        QTest::newRow("last seen until the next card")
            << QStringList{"Space", "Right", "Space", "Down", "Space"}
            << Names{{{1, 1}, "face up, picture 3"}}
            << QStringList{"NameChanged: Row 1, column 1: face down", "NameChanged: Row 1, column 2: face down",
                           "Focus: Row 2, column 2: face up, picture 3"};
        QTest::newRow("a new deal") << QStringList{"Space", "Right", "Space", "Tab", "Space"}
                                    << Names{} << QStringList{};
    }

    void namesFollowTheGame()
    {
        QFETCH(QStringList, keys);
        QFETCH(Names, names);
        QFETCH(QStringList, lastTold);
        FocusedGame game;
        Form1& form = game.form;
        QAccessibleInterface* table = board(form);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Cards"));
        const QAccessible::Id before = QAccessible::uniqueId(cardCell(form, 0, 0));
        game.platform.told.clear();
        pressAll(keys);

        QCOMPARE(table->tableInterface()->rowCount(), 4);
        QCOMPARE(table->tableInterface()->columnCount(), 4);
        QCOMPARE(table->childCount(), 16);
        form.board().forEachCell([&](int x, int y) {
            QAccessibleInterface* cell = cardCell(form, x, y);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->tableCellInterface()->columnIndex(), x);
            QCOMPARE(cell->tableCellInterface()->rowIndex(), y);
            QCOMPARE(table->indexOfChild(cell), y * 4 + x);
            QCOMPARE(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
            QString state = QStringLiteral("face down");
            for (const auto& [at, name] : names)
                state = at == QPoint(x, y) ? name : state;
            QCOMPARE(cell->text(QAccessible::Name),
                     QStringLiteral("Row %1, column %2: %3").arg(y + 1).arg(x + 1).arg(state));
        });
        const QList<TestPlatform::Told>& told = game.platform.told;
        QStringList said;
        for (const TestPlatform::Told& event : told.mid(told.size() - lastTold.size())) {
            const char* type = event.type == QAccessible::Focus         ? "Focus: "
                               : event.type == QAccessible::NameChanged ? "NameChanged: "
                                                                        : "other: ";
            said << type + event.name;
        }
        QCOMPARE(said, lastTold);
        // A card turned under the cursor took a new identity; a card the
        // cursor only passed keeps its own.
        const bool turned = keys.mid(0, 1) == QStringList{"Space"};
        QCOMPARE(QAccessible::uniqueId(cardCell(form, 0, 0)) != before, turned);
        if (!lastTold.isEmpty())
            QCOMPARE(told.last().id, QAccessible::uniqueId(table->focusChild()));
    }

    void aNewSizeGivesTheTableNewCells()
    {
        FocusedGame game;
        Form1& form = game.form;
        QAccessibleInterface* table = board(form);
        const QAccessible::Id corner = QAccessible::uniqueId(cardCell(form, 3, 3));
        game.platform.told.clear();
        game.platform.modalAnswers = {fixture::chooseSettings({}, {}, QStringLiteral("6 x 5"))};
        QTest::mouseClick(&form.Command2, Qt::LeftButton);
        const QList<TestPlatform::Told>& told = game.platform.told;
        QVERIFY(std::any_of(told.cbegin(), told.cend(), [](const TestPlatform::Told& event) {
            return event.type == QAccessible::TableModelChanged;
        }));
        QVERIFY(!QAccessible::accessibleInterface(corner));
        QCOMPARE(table->tableInterface()->columnCount(), 6);
        QCOMPARE(table->tableInterface()->rowCount(), 5);
        QCOMPARE(table->childCount(), 30);
        QCOMPARE(nameOf(form, 5, 4), QStringLiteral("Row 5, column 6: face down"));
        QCOMPARE(cursorOf(form), QPoint(0, 0));
    }

    void cellsTellTheirState_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QString>("state");
        QTest::newRow("the card under the cursor") << "" << QPoint(0, 0) << "focusable focused";
        QTest::newRow("the card beside it") << "" << QPoint(1, 0) << "focusable";
        QTest::newRow("the card below it") << "" << QPoint(0, 1) << "focusable";
        QTest::newRow("the cursor moved on") << "Right" << QPoint(0, 0) << "focusable";
        QTest::newRow("the card it moved to") << "Right" << QPoint(1, 0) << "focusable focused";
        QTest::newRow("the board left with Tab") << "Tab" << QPoint(0, 0) << "focusable";
        QTest::newRow("the window hidden") << "hide" << QPoint(1, 0) << "focusable invisible";
        QTest::newRow("a card of a larger board, after a smaller deal") << "4 x 4" << QPoint(4, 4) << "invalid";
    }

    void cellsTellTheirState()
    {
        QFETCH(QString, then);
        QFETCH(QPoint, cell);
        QFETCH(QString, state);
        FocusedGame game(6, 5);
        Form1& form = game.form;
        QAccessibleInterface* card = cardCell(form, cell.x(), cell.y());
        if (then == "hide") {
            form.hide();
        } else if (then == "4 x 4") {
            game.platform.modalAnswers = {fixture::chooseSettings({}, {}, then)};
            QTest::mouseClick(&form.Command2, Qt::LeftButton);
        } else if (!then.isEmpty()) {
            press(then);
        }
        const QAccessible::State flags = card->state();
        QStringList shown;
        for (const auto& [set, name] : {std::pair(flags.focusable, "focusable"), std::pair(flags.focused, "focused"),
                                        std::pair(flags.invisible, "invisible"), std::pair(flags.invalid, "invalid")})
            if (set)
                shown << name;
        QCOMPARE(shown.join(u' '), state);
    }

    void focusFrameIsPaintedOverTheBoard_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QSize>("clientSize");
        QTest::newRow("4 x 4, first card") << 4 << 4 << QStringList{} << QSize(6930, 5010);
        QTest::newRow("4 x 4, a face up") << 4 << 4 << QStringList{"Right", "Space"} << QSize(6930, 5010);
        QTest::newRow("6 x 6, last card") << 6 << 6 << QStringList{"Ctrl+End"} << QSize(6930, 5010);
        QTest::newRow("6 x 6, small window") << 6 << 6 << QStringList{"Down", "Right"} << QSize(3000, 2400);
    }

    void focusFrameIsPaintedOverTheBoard()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QStringList, keys);
        QFETCH(QSize, clientSize);
        FocusedGame game(columns, rows);
        Form1& form = game.form;
        form.setClientSize(clientSize.width(), clientSize.height());
        pressAll(keys);
        const auto shown = [&] { return form.Picture1.grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage focused = shown();
        const QImage stored = form.Picture1.canvas().convertToFormat(QImage::Format_RGB32);
        press("Tab");
        QCOMPARE(form.Picture1.canvas().convertToFormat(QImage::Format_RGB32), stored);
        QCOMPARE(shown(), stored);

        // The frame lies in the gap round the card under the cursor, 60 twips
        // wide at most: every pixel that differs is there, and it goes round.
        const MemoCard& card = form.board().card(cursorOf(form).x(), cursorOf(form).y());
        const auto pixel = [](std::int32_t twips) { return qRound(ui::toPixels(twips)); };
        const QRect cardPixels(QPoint(pixel(card.x1), pixel(card.y1)), QPoint(pixel(card.x2) - 1, pixel(card.y2) - 1));
        const QRect gap = cardPixels.adjusted(-4, -4, 4, 4);
        QRect changed;
        for (int y = 0; y < stored.height(); ++y) {
            for (int x = 0; x < stored.width(); ++x) {
                if (focused.pixel(x, y) == stored.pixel(x, y))
                    continue;
                QVERIFY2(gap.contains(x, y) && !cardPixels.contains(x, y),
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
                changed |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(changed.contains(cardPixels));
        const QPalette& palette = form.Picture1.palette();
        QCOMPARE(focused.pixelColor(cardPixels.right() + 1, cardPixels.center().y()),
                 palette.color(QPalette::HighlightedText));
        QCOMPARE(focused.pixelColor(cardPixels.right() + 3, cardPixels.center().y()),
                 palette.color(QPalette::Highlight));
    }

    void dialogControlsAreNamedByTheirLabels()
    {
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        Dialog settings(form);
        const std::pair<QWidget*, QString> boxes[] = {{&settings.Combo1, "select Card-Set"},
                                                      {&settings.Combo2, "select Deck"},
                                                      {&settings.Combo3, "select Gamefield"}};
        for (const auto& [box, label] : boxes) {
            const auto labels = QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.first().first->text(QAccessible::Name), label);
        }
        QAccessibleInterface* nameBox = QAccessible::queryAccessibleInterface(&form.hiscoreDialog().Text1);
        QCOMPARE(nameBox->text(QAccessible::Name), QStringLiteral("Enter name:"));
    }
};

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
