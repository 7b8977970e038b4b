// The high-score dialog: ranking a finished game, naming the new entry, the
// five tables and saving.
#include "TestPlatform.h"

#include "app/Form1.h"
#include "hiscore/Dialog1.h"
#include "hiscore/HiscoreTable.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include <map>

using hiscore::HsTable;

Q_DECLARE_METATYPE(HsTable)

namespace {

const QString loading = QStringLiteral("Error loading file: 'hiscore.dat'");
const QString writing = QStringLiteral("Error writing file: 'hiscore.dat'");
const QString newEntry = QStringLiteral("** NEW ENTRY **");

QString scorePath(const TestPlatform& platform)
{
    return platform.dir.path() + QStringLiteral("/hiscore.dat");
}

QByteArray fileBytes(const TestPlatform& platform)
{
    QFile file(scorePath(platform));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(no file)");
    return file.readAll();
}

void putTable(const TestPlatform& platform, const HsTable& table)
{
    QFile file(scorePath(platform));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(hiscore::writeTable(table).value());
}

HsTable defaults()
{
    HsTable table;
    hiscore::makeDefaultTable(table);
    return table;
}

HsTable tableInFile(const TestPlatform& platform)
{
    HsTable table;
    if (!hiscore::readTable(fileBytes(platform), table))
        qWarning("hiscore.dat cannot be read");
    return table;
}

QStringList rowCells(const HsTable& table, int row)
{
    return {table[0][row], table[1][row], table[2][row]};
}

void setGame(Form1& form, int columns, int rows, int attempts, int time)
{
    form.squareMaxX = columns;
    form.squareMaxY = rows;
    form.attempts = attempts;
    form.elapsedTime = time;
}

// Loads the dialog for a game, as the end of a game does, and makes it the
// active window, as a window that has just been shown is.
Dialog1& loadFor(Form1& form, int columns, int rows, int attempts, int time)
{
    setGame(form, columns, rows, attempts, time);
    Dialog1& dialog = form.hiscoreDialog();
    dialog.load();
    if (dialog.isVisible())
        QApplication::setActiveWindow(&dialog);
    return dialog;
}

// The line of row `row` (0 to 14) in the table text.
QString shownRow(const Dialog1& dialog, int row)
{
    return dialog.Label1.caption().split(QStringLiteral("\r\n")).value(2 + row / 3 * 5 + row % 3);
}

// Deals a 4 x 4 board from pictures of its own.
void deal(TestPlatform& platform, Form1& form)
{
    for (int n = 0; n < 8; ++n)
        platform.writePicture(QStringLiteral("cardPussy%1.jpg").arg(n, 2, 10, QLatin1Char('0')), Qt::red);
    platform.writePicture(QStringLiteral("deckAcorn.jpg"), Qt::blue);
    form.show();
    form.Command1_Click();
    QVERIFY(form.isBoardReady());
}

void clickCard(Form1& form, QPoint cell)
{
    const MemoCard& card = form.board().card(cell.x(), cell.y());
    const QPoint middle(int(ui::toPixels((card.x1 + card.x2) / 2.0)), int(ui::toPixels((card.y1 + card.y2) / 2.0)));
    QTest::mouseClick(&form.Picture1, Qt::LeftButton, Qt::NoModifier, middle);
}

// Plays the dealt board to its end, one pair after the other: 16 attempts in
// no counted second. The last pair ends the game.
void winGame(Form1& form)
{
    const Board& board = form.board();
    QList<QPoint> cells;
    board.forEachCell([&](int x, int y) { cells.append(QPoint(x, y)); });
    for (const QPoint cell : cells) {
        if (board.card(cell.x(), cell.y()).isFound)
            continue;
        for (const QPoint other : cells) {
            if (other != cell && board.card(other.x(), other.y()).fName == board.card(cell.x(), cell.y()).fName) {
                clickCard(form, cell);
                clickCard(form, other);
                break;
            }
        }
    }
}

// Types text into a box one key at a time, as a keyboard sends it, whatever
// letters it holds.
void typeInto(QWidget& box, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

bool surfaceIsBlank(const Form1& form)
{
    const QImage& canvas = form.Picture1.canvas();
    const QRgb back = form.Picture1.backColor().rgb();
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) != back)
                return false;
        }
    }
    return true;
}

} // namespace

class HiscoreDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void windowAsDesigned();
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void okComesFirstInTheTabOrder();
    void gameIsRankedAgainstItsSize_data();
    void gameIsRankedAgainstItsSize();
    void entryThatIsNotANumberIsBeaten_data();
    void entryThatIsNotANumberIsBeaten();
    void otherBoardSizeEarnsNoPlace_data();
    void otherBoardSizeEarnsNoPlace();
    void noPlaceShowsModallyAndOkSavesNothing();
    void placeShowsWithoutModalAndALaterGameOpensNothing();
    void tableTextShowsAllFiveSizes_data();
    void tableTextShowsAllFiveSizes();
    void summaryLineNamesTheGame_data();
    void summaryLineNamesTheGame();
    void tableShowsTheNameAsItIsTyped();
    void okStoresAndSavesTheEntry_data();
    void okStoresAndSavesTheEntry();
    void failedSaveStillClosesAndRedraws_data();
    void failedSaveStillClosesAndRedraws();
    void closeControlSavesNothing();
    void everyLoadStartsAsDesigned();
    void failedLoadRanksOnWhatTheTableHolds();
    void dialogIsCentredOnItsOwner();
};

void HiscoreDialogTest::windowAsDesigned()
{
    TestPlatform platform;
    Form1 form;
    Dialog1& d = loadFor(form, 4, 4, 34, 54);
    QCOMPARE(d.windowTitle(), QStringLiteral("Brindlepair Hiscore"));
    QCOMPARE(d.clientWidth(), 4410.0f);
    QCOMPARE(d.clientHeight(), 6225.0f);
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QVERIFY(d.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(d.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(d.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(d.Label2.caption(), QStringLiteral("Enter name:"));
    QCOMPARE(d.OKButton.text(), QStringLiteral("OK"));
    QCOMPARE(d.Text1.maxLength(), 12);
}

void HiscoreDialogTest::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Label1") << QStringLiteral("Label1") << QRect(120, 0, 3375, 5295);
    QTest::newRow("Label3") << QStringLiteral("Label3") << QRect(120, 5520, 4095, 255);
    QTest::newRow("Label2") << QStringLiteral("Label2") << QRect(120, 5880, 1335, 255);
    QTest::newRow("Text1") << QStringLiteral("Text1") << QRect(1440, 5880, 1455, 285);
    QTest::newRow("OKButton") << QStringLiteral("OKButton") << QRect(3120, 5880, 1215, 255);
}

void HiscoreDialogTest::controlsAtTheirPlaces()
{
    QFETCH(QString, control);
    QFETCH(QRect, twips);
    TestPlatform platform;
    Form1 form;
    Dialog1& d = loadFor(form, 4, 4, 30, 44);
    const std::map<QString, std::pair<ui::Control*, QWidget*>> controls = {
        {QStringLiteral("Label1"), {&d.Label1, &d.Label1}},
        {QStringLiteral("Label3"), {&d.Label3, &d.Label3}},
        {QStringLiteral("Label2"), {&d.Label2, &d.Label2}},
        {QStringLiteral("Text1"), {&d.Text1, &d.Text1}},
        {QStringLiteral("OKButton"), {&d.OKButton, &d.OKButton}},
    };
    const auto [place, widget] = controls.at(control);
    QCOMPARE(QRectF(place->left(), place->top(), place->width(), place->height()), QRectF(twips));
    QCOMPARE(widget->geometry(), QRect(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0),
                                       qRound(twips.width() / 15.0), qRound(twips.height() / 15.0)));
    // Courier New where it is installed, another fixed-pitch face where not:
    // the columns of the table line up either way.
    const QFont font = widget->font();
    QCOMPARE(font.pointSizeF(), 8.25);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic());
    QVERIFY2(QFontInfo(font).fixedPitch(), qPrintable(QFontInfo(font).family()));
    const QFontMetrics metrics(font);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WWWW")));
    QCOMPARE(font, d.font());
}

void HiscoreDialogTest::okComesFirstInTheTabOrder()
{
    TestPlatform platform;
    Form1 form;
    Dialog1& d = loadFor(form, 4, 4, 30, 44);
    QList<QWidget*> order;
    for (QWidget* w = d.nextInFocusChain(); w != &d; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            order.append(w);
    }
    QCOMPARE(order, (QList<QWidget*>{&d.OKButton, &d.Text1}));
}

void HiscoreDialogTest::gameIsRankedAgainstItsSize_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("place");
    QTest::addColumn<int>("block");
    // The three rows of the block afterwards.
    QTest::addColumn<QStringList>("rowsAfter");
    const QString n = newEntry;
    QTest::newRow("4 x 4: 30/44 equals the best and takes first")
        << 4 << 4 << 30 << 44 << 0 << 0
        << QStringList{n, "30", "44", "Amelia", "30", "44", "Bruno", "32", "56"};
    QTest::newRow("4 x 4: 31/10 takes second")
        << 4 << 4 << 31 << 10 << 1 << 0
        << QStringList{"Amelia", "30", "44", n, "31", "10", "Bruno", "32", "56"};
    QTest::newRow("4 x 4: 34/53 takes third")
        << 4 << 4 << 34 << 53 << 2 << 0
        << QStringList{"Amelia", "30", "44", "Bruno", "32", "56", n, "34", "53"};
    QTest::newRow("4 x 4: 34/54 takes none")
        << 4 << 4 << 34 << 54 << 99 << 0
        << QStringList{"Amelia", "30", "44", "Bruno", "32", "56", "Clara", "34", "53"};
    QTest::newRow("4 x 4: fewer attempts than the third, slower than all")
        << 4 << 4 << 33 << 999 << 2 << 0
        << QStringList{"Amelia", "30", "44", "Bruno", "32", "56", n, "33", "999"};
    QTest::newRow("4 x 4: 0/0 takes first")
        << 4 << 4 << 0 << 0 << 0 << 0
        << QStringList{n, "0", "0", "Amelia", "30", "44", "Bruno", "32", "56"};
    QTest::newRow("5 x 4: 44/62 equals the best and takes first")
        << 5 << 4 << 44 << 62 << 0 << 1
        << QStringList{n, "44", "62", "Dmitri", "44", "62", "Elena", "52", "67"};
    QTest::newRow("6 x 4: 66/84 equals the second and takes second")
        << 6 << 4 << 66 << 84 << 1 << 2
        << QStringList{"Greta", "62", "86", n, "66", "84", "Hugo", "66", "84"};
    QTest::newRow("6 x 5: as many attempts as the second but slower")
        << 6 << 5 << 80 << 103 << 2 << 3
        << QStringList{"Jonas", "74", "99", "Katja", "80", "102", n, "80", "103"};
    QTest::newRow("6 x 6: 100/154 equals the third and takes third")
        << 6 << 6 << 100 << 154 << 2 << 4
        << QStringList{"Mira", "90", "140", "Nils", "96", "133", n, "100", "154"};
    QTest::newRow("6 x 6: 101/1 takes none")
        << 6 << 6 << 101 << 1 << 99 << 4
        << QStringList{"Mira", "90", "140", "Nils", "96", "133", "Olivia", "100", "154"};
}

void HiscoreDialogTest::gameIsRankedAgainstItsSize()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, attempts);
    QFETCH(int, time);
    QFETCH(int, place);
    QFETCH(int, block);
    QFETCH(QStringList, rowsAfter);
    TestPlatform platform;
    putTable(platform, defaults());
    const QByteArray before = fileBytes(platform);
    Form1 form;
    Dialog1& d = loadFor(form, columns, rows, attempts, time);

    QCOMPARE(d.place(), place);
    QCOMPARE(d.sizeBlock(), block);
    QCOMPARE(rowCells(d.table(), block * 3) + rowCells(d.table(), block * 3 + 1) + rowCells(d.table(), block * 3 + 2),
             rowsAfter);
    for (int row = 0; row < 15; ++row) {
        if (row / 3 != block)
            QCOMPARE(rowCells(d.table(), row), rowCells(defaults(), row));
    }
    const bool earned = place != Dialog1::noPlace;
    // Visible from the load on when a place is earned, not modal.
    QCOMPARE(d.isVisible(), earned);
    QCOMPARE(d.isModal(), false);
    QCOMPARE(d.Text1.isVisible(), earned);
    QCOMPARE(d.Label2.isVisible(), earned);
    if (earned)
        QCOMPARE(d.focusWidget(), &d.Text1);
    // Ranking writes nothing; only OK does.
    QCOMPARE(fileBytes(platform), before);
    QCOMPARE(platform.writtenFiles, QStringList());
    QCOMPARE(platform.messages, QStringList());
}

void HiscoreDialogTest::entryThatIsNotANumberIsBeaten_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("stored");
    QTest::newRow("attempts are letters") << 1 << QStringLiteral("abc");
    QTest::newRow("time is empty") << 2 << QString();
    QTest::newRow("attempts beyond 32 bits") << 1 << QStringLiteral("99999999999");
    QTest::newRow("time is not finite") << 2 << QStringLiteral("inf");
}

void HiscoreDialogTest::entryThatIsNotANumberIsBeaten()
{
    QFETCH(int, column);
    QFETCH(QString, stored);
    TestPlatform platform;
    HsTable edited = defaults();
    edited[column][1] = stored;
    putTable(platform, edited);
    Form1 form;
    // Slower and with more attempts than any stored entry.
    Dialog1& d = loadFor(form, 4, 4, 500, 900);
    QCOMPARE(d.place(), 1);
    QCOMPARE(rowCells(d.table(), 1), (QStringList{newEntry, "500", "900"}));
    QCOMPARE(rowCells(d.table(), 2), rowCells(edited, 1));
    // Shown as it stands.
    const QString attempts = column == 1 ? stored : QStringLiteral("0032");
    const QString time = column == 2 ? stored : QStringLiteral("0056");
    QCOMPARE(shownRow(d, 2), QStringLiteral("3           Bruno   ") + attempts + QStringLiteral("   ") + time);
}

void HiscoreDialogTest::otherBoardSizeEarnsNoPlace_data()
{
    QTest::addColumn<int>("earlierColumns");
    QTest::addColumn<int>("earlierRows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("block");
    QTest::newRow("3 x 3 as the first game") << 0 << 0 << 3 << 3 << 0;
    QTest::newRow("7 x 6 after a 6 x 6 game") << 6 << 6 << 7 << 6 << 4;
    QTest::newRow("4 x 6, the rows of 6 x 4 turned") << 5 << 4 << 4 << 6 << 1;
}

void HiscoreDialogTest::otherBoardSizeEarnsNoPlace()
{
    QFETCH(int, earlierColumns);
    QFETCH(int, earlierRows);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, block);
    TestPlatform platform;
    Form1 form;
    if (earlierColumns > 0) {
        Dialog1& earlier = loadFor(form, earlierColumns, earlierRows, 999, 999);
        earlier.close();
    }
    putTable(platform, defaults());
    const QByteArray before = fileBytes(platform);
    // Enter presses OK here too, with no name box to type into.
    bool closedByEnter = false;
    platform.modalAnswers.push_back([&](ui::Window& w) {
        QApplication::setActiveWindow(&w);
        QCOMPARE(QApplication::focusWidget(), &static_cast<Dialog1&>(w).OKButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        closedByEnter = !w.isLoaded();
    });
    setGame(form, columns, rows, 1, 1);
    form.checkGameOver();
    Dialog1& d = form.hiscoreDialog();
    QCOMPARE(platform.modalCaptions, QStringList{QStringLiteral("Brindlepair Hiscore")});
    QVERIFY(closedByEnter);
    QCOMPARE(d.place(), Dialog1::noPlace);
    QCOMPARE(d.sizeBlock(), block);
    QCOMPARE(d.table(), tableInFile(platform));
    QCOMPARE(fileBytes(platform), before);
    QCOMPARE(d.Label3.caption(), QStringLiteral("You played: %1x%2   Att.: 1   Time: 1").arg(columns).arg(rows));
}

void HiscoreDialogTest::noPlaceShowsModallyAndOkSavesNothing()
{
    TestPlatform platform;
    HsTable better = defaults();
    better[1][0] = QStringLiteral("2");
    better[1][1] = QStringLiteral("4");
    better[1][2] = QStringLiteral("6");
    putTable(platform, better);
    const QByteArray before = fileBytes(platform);
    Form1 form;
    deal(platform, form);
    bool nameBoxShown = true;
    bool visible = false;
    bool wiped = false;
    platform.modalAnswers.push_back([&](ui::Window& w) {
        auto& d = static_cast<Dialog1&>(w);
        visible = d.isVisible();
        nameBoxShown = d.Text1.isVisible() || d.Label2.isVisible();
        form.Picture1.clear();
        wiped = surfaceIsBlank(form);
        QTest::mouseClick(&d.OKButton, Qt::LeftButton);
    });
    winGame(form);
    QCOMPARE(platform.modalCaptions, QStringList{QStringLiteral("Brindlepair Hiscore")});
    QVERIFY(visible);
    QVERIFY(!nameBoxShown);
    Dialog1& d = form.hiscoreDialog();
    QCOMPARE(d.Label3.caption(), QStringLiteral("You played: 4x4   Att.: 16   Time: 0"));
    QCOMPARE(d.place(), Dialog1::noPlace);
    QVERIFY(!d.isLoaded());
    QVERIFY(!d.isVisible());
    QCOMPARE(platform.writtenFiles, QStringList());
    QCOMPARE(fileBytes(platform), before);
    QCOMPARE(platform.messages, QStringList());
    // OK has the board redrawn.
    QVERIFY(wiped);
    QVERIFY(!surfaceIsBlank(form));
}

void HiscoreDialogTest::placeShowsWithoutModalAndALaterGameOpensNothing()
{
    TestPlatform platform;
    Form1 form;
    setGame(form, 4, 4, 31, 10);
    form.checkGameOver();
    Dialog1& d = form.hiscoreDialog();
    QCOMPARE(platform.modalCaptions, QStringList());
    QVERIFY(d.isVisible());
    QCOMPARE(d.place(), 1);
    const QString summary = d.Label3.caption();
    const QString text = d.Label1.caption();

    // The main window stays usable; a game won meanwhile is not ranked.
    setGame(form, 4, 4, 1, 1);
    form.checkGameOver();
    QCOMPARE(platform.modalCaptions, QStringList());
    QVERIFY(d.isVisible());
    QCOMPARE(d.place(), 1);
    QCOMPARE(rowCells(d.table(), 0), rowCells(defaults(), 0));
    QCOMPARE(rowCells(d.table(), 1), (QStringList{newEntry, "31", "10"}));
    QCOMPARE(d.Label3.caption(), summary);
    QCOMPARE(d.Label1.caption(), text);
    QCOMPARE(platform.writtenFiles.size(), 1); // the defaults, once
}

void HiscoreDialogTest::tableTextShowsAllFiveSizes_data()
{
    QTest::addColumn<HsTable>("file");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("time");
    QTest::addColumn<QStringList>("lines");

    // The default table, line by line, and the empty line after the last CR LF.
    const QStringList shownDefaults = {
        QStringLiteral(""),
        QStringLiteral("             4 x 4   Att.   Time"),
        QStringLiteral("1          Amelia   0030   0044"),
        QStringLiteral("2           Bruno   0032   0056"),
        QStringLiteral("3           Clara   0034   0053"),
        QStringLiteral(""),
        QStringLiteral("             5 x 4   Att.   Time"),
        QStringLiteral("1          Dmitri   0044   0062"),
        QStringLiteral("2           Elena   0052   0067"),
        QStringLiteral("3           Felix   0054   0066"),
        QStringLiteral(""),
        QStringLiteral("             6 x 4   Att.   Time"),
        QStringLiteral("1           Greta   0062   0086"),
        QStringLiteral("2            Hugo   0066   0084"),
        QStringLiteral("3          Ingrid   0070   0097"),
        QStringLiteral(""),
        QStringLiteral("             6 x 5   Att.   Time"),
        QStringLiteral("1           Jonas   0074   0099"),
        QStringLiteral("2           Katja   0080   0102"),
        QStringLiteral("3          Lorenz   0084   0110"),
        QStringLiteral(""),
        QStringLiteral("             6 x 6   Att.   Time"),
        QStringLiteral("1            Mira   0090   0140"),
        QStringLiteral("2            Nils   0096   0133"),
        QStringLiteral("3          Olivia   0100   0154"),
        QStringLiteral(""),
    };
    QTest::newRow("defaults, no place") << defaults() << 6 << 6 << 200 << 200 << shownDefaults;

    QStringList newThird = shownDefaults;
    newThird[4] = QStringLiteral("3 ** NEW ENTRY **   0033   0020");
    QTest::newRow("defaults and a new third place") << defaults() << 4 << 4 << 33 << 20 << newThird;

    HsTable edited = defaults();
    edited[0][3] = QStringLiteral("Bartholomew-Jones");
    edited[2][4] = QStringLiteral("12x");
    edited[1][5] = QStringLiteral("7.5");
    edited[1][6] = QStringLiteral("-3");
    QStringList shownEdited = shownDefaults;
    shownEdited[7] = QStringLiteral("1Bartholomew-Jone   0044   0062");
    shownEdited[8] = QStringLiteral("2           Elena   0052   12x");
    shownEdited[9] = QStringLiteral("3           Felix   0008   0066");
    shownEdited[12] = QStringLiteral("1           Greta   -0003   0086");
    QTest::newRow("edited file: long name, odd numbers") << edited << 6 << 6 << 200 << 200 << shownEdited;
}

void HiscoreDialogTest::tableTextShowsAllFiveSizes()
{
    QFETCH(HsTable, file);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, attempts);
    QFETCH(int, time);
    QFETCH(QStringList, lines);
    TestPlatform platform;
    putTable(platform, file);
    Form1 form;
    Dialog1& d = loadFor(form, columns, rows, attempts, time);
    QCOMPARE(d.Label1.caption().split(QStringLiteral("\r\n")), lines);
    QCOMPARE(d.Label1.caption(), lines.join(QStringLiteral("\r\n")));
}

void HiscoreDialogTest::summaryLineNamesTheGame_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("time");
    QTest::addColumn<QString>("summary");
    QTest::newRow("4 x 4") << 4 << 4 << 30 << 44 << QStringLiteral("You played: 4x4   Att.: 30   Time: 44");
    QTest::newRow("5 x 4") << 5 << 4 << 41 << 97 << QStringLiteral("You played: 5x4   Att.: 41   Time: 97");
    QTest::newRow("6 x 5, no place") << 6 << 5 << 1234 << 0 << QStringLiteral("You played: 6x5   Att.: 1234   Time: 0");
}

void HiscoreDialogTest::summaryLineNamesTheGame()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, attempts);
    QFETCH(int, time);
    QFETCH(QString, summary);
    TestPlatform platform;
    Form1 form;
    Dialog1& d = loadFor(form, columns, rows, attempts, time);
    QCOMPARE(d.Label3.caption(), summary);
}

void HiscoreDialogTest::tableShowsTheNameAsItIsTyped()
{
    TestPlatform platform;
    Form1 form;
    Dialog1& d = loadFor(form, 4, 4, 30, 44);
    QCOMPARE(shownRow(d, 0), QStringLiteral("1 ** NEW ENTRY **   0030   0044"));
    QTest::keyClicks(&d.Text1, QStringLiteral("Ann"));
    QCOMPARE(shownRow(d, 0), QStringLiteral("1             Ann   0030   0044"));
    QCOMPARE(d.table()[0][0], QStringLiteral("Ann"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&d.Text1, Qt::Key_Backspace);
    QCOMPARE(shownRow(d, 0), QStringLiteral("1 ** NEW ENTRY **   0030   0044"));
    QTest::keyClicks(&d.Text1, QStringLiteral("Maximiliane-X"));
    QCOMPARE(d.Text1.text(), QStringLiteral("Maximiliane-"));
    QCOMPARE(shownRow(d, 0), QStringLiteral("1    Maximiliane-   0030   0044"));
    // Nothing is filtered.
    QTest::keyClick(&d.Text1, Qt::Key_Backspace);
    QTest::keyClicks(&d.Text1, QStringLiteral("\""));
    QCOMPARE(d.Text1.text(), QStringLiteral("Maximiliane\""));
    QCOMPARE(platform.writtenFiles.size(), 1); // the defaults, once
}

void HiscoreDialogTest::okStoresAndSavesTheEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("stored");
    QTest::newRow("name, OK clicked") << QStringLiteral("Ann") << false << QStringLiteral("Ann");
    QTest::newRow("name, Enter") << QStringLiteral("Ann") << true << QStringLiteral("Ann");
    QTest::newRow("empty box, OK clicked") << QString() << false << QStringLiteral("Nobody");
    QTest::newRow("empty box, Enter") << QString() << true << QStringLiteral("Nobody");
    QTest::newRow("twelve Latin-1 letters") << QStringLiteral("\u00c6\u00d8\u00c5\u00e6\u00f8\u00e5\u00fc\u00df\u00e9\u00e8\u00ea\u00fc")
                                            << true << QStringLiteral("\u00c6\u00d8\u00c5\u00e6\u00f8\u00e5\u00fc\u00df\u00e9\u00e8\u00ea\u00fc");
}

void HiscoreDialogTest::okStoresAndSavesTheEntry()
{
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QString, stored);
    TestPlatform platform;
    Form1 form;
    deal(platform, form);
    winGame(form);
    Dialog1& d = form.hiscoreDialog();
    QCOMPARE(d.place(), 0);
    QApplication::setActiveWindow(&d);
    form.Picture1.clear();
    typeInto(d.Text1, typed);
    if (enter)
        QTest::keyClick(&d.Text1, Qt::Key_Return);
    else
        QTest::mouseClick(&d.OKButton, Qt::LeftButton);

    QVERIFY(!d.isLoaded());
    QVERIFY(!d.isVisible());
    QCOMPARE(d.Text1.text(), stored);
    QCOMPARE(shownRow(d, 0), QStringLiteral("1") + QString(16 - stored.size(), u' ') + stored
                                 + QStringLiteral("   0016   0000"));
    QCOMPARE(platform.messages, QStringList());
    HsTable expected = defaults();
    for (int column = 0; column < 3; ++column) {
        expected[column][2] = expected[column][1];
        expected[column][1] = expected[column][0];
    }
    expected[0][0] = stored;
    expected[1][0] = QStringLiteral("16");
    expected[2][0] = QStringLiteral("0");
    QCOMPARE(tableInFile(platform), expected);
    QVERIFY(!surfaceIsBlank(form));
}

void HiscoreDialogTest::failedSaveStillClosesAndRedraws_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qsizetype>("failAfter");
    QTest::newRow("name scrambles past 255") << QStringLiteral("Zo\u00ff") << qsizetype(-1);
    QTest::newRow("name outside Latin-1") << QStringLiteral("\u0141ukasz") << qsizetype(-1);
    QTest::newRow("disk full halfway") << QStringLiteral("Ann") << qsizetype(100);
    QTest::newRow("file cannot be created") << QStringLiteral("Ann") << qsizetype(0);
}

void HiscoreDialogTest::failedSaveStillClosesAndRedraws()
{
    QFETCH(QString, typed);
    QFETCH(qsizetype, failAfter);
    TestPlatform platform;
    putTable(platform, defaults());
    const QByteArray before = fileBytes(platform);
    Form1 form;
    deal(platform, form);
    winGame(form);
    Dialog1& d = form.hiscoreDialog();
    QApplication::setActiveWindow(&d);
    form.Picture1.clear();
    typeInto(d.Text1, typed);
    QCOMPARE(d.Text1.text(), typed);
    platform.failWritingAfter = failAfter;
    QTest::keyClick(&d.Text1, Qt::Key_Enter);
    QCOMPARE(platform.messages, QStringList{writing});
    QCOMPARE(fileBytes(platform), before);
    QVERIFY(!d.isLoaded());
    QVERIFY(!surfaceIsBlank(form));
}

void HiscoreDialogTest::closeControlSavesNothing()
{
    TestPlatform platform;
    putTable(platform, defaults());
    const QByteArray before = fileBytes(platform);
    Form1 form;
    deal(platform, form);
    winGame(form);
    Dialog1& d = form.hiscoreDialog();
    QVERIFY(d.isVisible());
    form.Picture1.clear();
    QTest::keyClicks(&d.Text1, QStringLiteral("Ann"));
    QVERIFY(d.close());
    QVERIFY(!d.isLoaded());
    QVERIFY(!d.isVisible());
    QCOMPARE(fileBytes(platform), before);
    QCOMPARE(platform.writtenFiles, QStringList());
    // No redraw.
    QVERIFY(surfaceIsBlank(form));
    // The table keeps the entry until the next load reads the file again.
    QCOMPARE(rowCells(d.table(), 0), (QStringList{"Ann", "16", "0"}));
}

void HiscoreDialogTest::everyLoadStartsAsDesigned()
{
    TestPlatform platform;
    Form1 form;
    Dialog1& first = loadFor(form, 4, 4, 30, 44);
    QTest::keyClicks(&first.Text1, QStringLiteral("Ann"));
    first.close();

    platform.modalAnswers.push_back([](ui::Window& w) {
        auto& d = static_cast<Dialog1&>(w);
        QVERIFY(d.Text1.isHidden());
        QVERIFY(d.Label2.isHidden());
        QCOMPARE(d.Text1.text(), QString());
        QTest::mouseClick(&d.OKButton, Qt::LeftButton);
    });
    setGame(form, 4, 4, 34, 54);
    form.checkGameOver();
    Dialog1& d = form.hiscoreDialog();
    QCOMPARE(&d, &first);
    QCOMPARE(platform.modalCaptions.size(), 1);
    QCOMPARE(d.place(), Dialog1::noPlace);
    QCOMPARE(d.table(), defaults());
    QCOMPARE(d.Label3.caption(), QStringLiteral("You played: 4x4   Att.: 34   Time: 54"));
}

void HiscoreDialogTest::failedLoadRanksOnWhatTheTableHolds()
{
    TestPlatform platform;
    Form1 form;
    HsTable file = defaults();
    file[1][0] = QStringLiteral("5");
    const QByteArray bytes = hiscore::writeTable(file).value();
    // Three whole rows, then the file breaks off.
    const QByteArray broken = bytes.left(bytes.indexOf("\r\n", bytes.indexOf("\r\n", bytes.indexOf("\r\n") + 2) + 2) + 2)
        + "\"Gpw";
    QFile out(scorePath(platform));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(broken);
    out.close();

    Dialog1& d = loadFor(form, 4, 4, 6, 1);
    QCOMPARE(platform.messages, QStringList{loading});
    QCOMPARE(d.place(), 1);
    QCOMPARE(rowCells(d.table(), 0), (QStringList{"Amelia", "5", "44"}));
    // The rows that were not read are still empty, and any game beats them.
    QCOMPARE(rowCells(d.table(), 3), (QStringList{"", "", ""}));
    QCOMPARE(fileBytes(platform), broken);
    d.close();

    Dialog1& again = loadFor(form, 5, 4, 9999, 9999);
    QCOMPARE(again.place(), 0);
    QCOMPARE(platform.messages, (QStringList{loading, loading}));
    QCOMPARE(platform.writtenFiles, QStringList());
}

void HiscoreDialogTest::dialogIsCentredOnItsOwner()
{
    TestPlatform platform;
    Form1 form;
    form.show();
    form.move(200, 150);
    Dialog1& d = loadFor(form, 4, 4, 30, 44);
    const QPoint offset = d.frameGeometry().center() - form.frameGeometry().center();
    QVERIFY2(std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

QTEST_MAIN(HiscoreDialogTest)
#include "tst_hiscoredialog.moc"
