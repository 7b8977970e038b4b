// The high-score table, its scrambling and the file hiscore.dat; the dialog
// that ranks a finished game, takes the new entry's name, shows the five
// tables and saves them.
#include "BoardFixture.h"

#include "hiscore/CodePage.h"
#include "hiscore/Dialog1.h"
#include "hiscore/HiscoreTable.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QTest>

using hiscore::HsTable;

namespace {

const QString loading = QStringLiteral("Error loading file: 'hiscore.dat'");
const QString writing = QStringLiteral("Error writing file: 'hiscore.dat'");

HsTable defaults()
{
    HsTable table;
    hiscore::makeDefaultTable(table);
    return table;
}

// A table whose every cell says it was there before.
HsTable oldTable()
{
    HsTable table;
    for (auto& column : table)
        column.fill(QStringLiteral("old"));
    return table;
}

// Rows 0 to 14 as they should be: the first `rows` from `read`, the rest as before.
void compareRows(const HsTable& actual, int rows, const HsTable& read = defaults())
{
    for (int row = 0; row < hiscore::rowCount; ++row) {
        const HsTable& expected = row < rows ? read : oldTable();
        for (int column = 0; column < hiscore::columnCount; ++column)
            QCOMPARE(actual[column][row], column < 3 && row < 15 ? expected[column][row] : oldTable()[column][row]);
    }
}

// The default file, one line each, CR LF included.
QList<QByteArray> defaultLines()
{
    const QByteArray bytes = hiscore::writeTable(defaults()).value();
    QList<QByteArray> lines;
    for (qsizetype start = 0, end; (end = bytes.indexOf("\r\n", start)) >= 0; start = end + 2)
        lines.append(bytes.mid(start, end + 2 - start));
    return lines;
}

QByteArray firstLines(int count, const QByteArray& then = {})
{
    QByteArray bytes;
    for (const QByteArray& line : defaultLines().mid(0, count))
        bytes += line;
    return bytes + then;
}

QByteArray withLine(int row, const QByteArray& line)
{
    return firstLines(row) + line + firstLines(15).mid(firstLines(row + 1).size());
}

// A program directory that ends with a separator, as a drive root does.
class RootPlatform : public TestPlatform
{
public:
    QString programDir() override { return dir.path() + QStringLiteral("/"); }
};

const QString newEntry = QStringLiteral("** NEW ENTRY **");

void putTable(const HsTable& table)
{
    fixture::putFile(hiscore::hsPath(), hiscore::writeTable(table).value());
}

HsTable tableInFile()
{
    HsTable table;
    if (!hiscore::readTable(fixture::fileBytes(hiscore::hsPath()), table))
        qWarning("hiscore.dat cannot be read");
    return table;
}

QStringList rowCells(const HsTable& table, int row)
{
    return {table[0][row], table[1][row], table[2][row]};
}

// Loads the dialog for a game, as the end of a game does.
Dialog1& loadFor(Form1& form, QSize board, int attempts, int time)
{
    form.squareMaxX = board.width();
    form.squareMaxY = board.height();
    form.attempts = attempts;
    form.elapsedTime = time;
    Dialog1& dialog = form.hiscoreDialog();
    dialog.load();
    return dialog;
}

// The line of row `row` (0 to 14) in the table text.
QString shownRow(const Dialog1& dialog, int row)
{
    return dialog.Label1.caption().split(QStringLiteral("\r\n")).value(2 + row / 3 * 5 + row % 3);
}

} // namespace

struct Ranked
{
    QSize board;
    int attempts;
    int time;
    int place;
    int block;
    // The three rows of the block afterwards.
    QStringList rowsAfter;
    // The size of an earlier game of the run, if any.
    QSize earlier = {};
    // A stored entry that is not a number: column and text, in row 1.
    int editedColumn = 0;
    QString edited = {};
};

struct Answer
{
    bool placeEarned;
    QString typed;
    enum { clickOk, enter, closeControl } how;
    // The name saved on the first place; none when the file stays as it was.
    QString stored;
    bool cannotBeSaved = false;
};

class HiscoreTest : public QObject
{
    Q_OBJECT

private slots:
    void scramblingShiftsEveryCode_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<int>("key");
        // The codes in the file's code page, shifted; nothing where a code leaves 0 to 255.
        QTest::addColumn<std::optional<QByteArray>>("scrambled");
        QTest::newRow("empty") << QString() << 3 << std::optional<QByteArray>("");
        QTest::newRow("name") << "Amelia" << 3 << std::optional<QByteArray>("Dphold");
        QTest::newRow("digits to capitals") << "0123456789" << 17 << std::optional<QByteArray>("ABCDEFGHIJ");
        QTest::newRow("digits to small letters") << "30" << 49 << std::optional<QByteArray>("da");
        QTest::newRow("comma and space") << "a, b" << 3 << std::optional<QByteArray>("d/#e");
        QTest::newRow("the euro sign is 128") << "\u20acuro" << 3 << std::optional<QByteArray>("\x83xur");
        QTest::newRow("up to 255") << "\u00fc" << 3 << std::optional<QByteArray>("\xff");
        QTest::newRow("down to 0") << "\u0003" << -3 << std::optional<QByteArray>(QByteArray(1, 0));
        QTest::newRow("y with diaeresis plus 3 is 258") << "ab\u00ff" << 3 << std::optional<QByteArray>();
        QTest::newRow("below 0") << "\u0002" << -3 << std::optional<QByteArray>();
    }

    void scramblingShiftsEveryCode()
    {
        QFETCH(QString, plain);
        QFETCH(int, key);
        QFETCH(std::optional<QByteArray>, scrambled);
        QCOMPARE(hiscore::encodeStr(plain, key), scrambled);
        if (scrambled)
            QCOMPARE(hiscore::decodeStr(*scrambled, key), std::optional<QString>(plain));
        else
            QCOMPARE(hiscore::decodeStr(hiscore::toCodePage(plain), -key), std::optional<QString>());
    }

    void missingFileIsWrittenWithTheDefaults()
    {
        TestPlatform platform;
        HsTable table;
        hiscore::loadHS(table);
        QCOMPARE(table, defaults());
        QCOMPARE(platform.messages, QStringList());
        QCOMPARE(platform.writtenFiles, QStringList{hiscore::hsPath()});

        const QByteArray bytes = fixture::fileBytes(hiscore::hsPath());
        QCOMPARE(bytes.count("\r\n"), 15);
        QCOMPARE(bytes.count('\n'), 15);
        QVERIFY(bytes.startsWith("\"Dphold\",\"DA\",\"ee\"\r\n"));
        QVERIFY(bytes.endsWith("\r\n\"Rolyld\",\"BAA\",\"bfe\"\r\n"));
    }

    void savedTableReadsBack_data()
    {
        QTest::addColumn<HsTable>("table");
        QTest::newRow("defaults") << defaults();
        HsTable odd = defaults();
        odd[0][0] = QStringLiteral("a, b ,c");
        odd[0][7] = QStringLiteral(" leading");
        odd[1][3] = QStringLiteral("1,2");
        odd[0][1] = QString();
        odd[2][14] = QString();
        odd[0][2] = QStringLiteral("\u00c6r\u00f8sk\u00f8bing ~#!");
        odd[0][5] = QStringLiteral("\u0160\u00e1rka");
        odd[0][6] = QStringLiteral("\u0152dipe \u2026");
        odd[0][8] = QStringLiteral("\u20acuro\u0081");
        odd[1][4] = QStringLiteral("2147483647");
        odd[2][4] = QStringLiteral("-2147483648");
        QTest::newRow("commas, spaces, empty cells, Windows-1252 letters, widest numbers") << odd;
        QTest::newRow("all empty") << HsTable();
    }

    void savedTableReadsBack()
    {
        QFETCH(HsTable, table);
        TestPlatform platform;
        hiscore::saveHS(table);
        HsTable readBack = oldTable();
        hiscore::loadHS(readBack);
        QCOMPARE(platform.messages, QStringList());
        compareRows(readBack, 15, table);
        // An empty cell is two quotes.
        QCOMPARE(fixture::fileBytes(hiscore::hsPath()).startsWith("\"\",\"\",\"\"\r\n"), table[0][0].isEmpty());
    }

    void charactersBeyondTheCodePageAreSavedAsQuestionMarks()
    {
        TestPlatform platform;
        HsTable table = defaults();
        table[0][0] = QStringLiteral("\u0141ukasz");
        table[0][1] = QStringLiteral("Ann \U0001F600");
        hiscore::saveHS(table);
        HsTable readBack;
        hiscore::loadHS(readBack);
        QCOMPARE(platform.messages, QStringList());
        QCOMPARE(rowCells(readBack, 0) + rowCells(readBack, 1), (QStringList{"?ukasz", "30", "44", "Ann ?", "32", "56"}));
    }

    void savedInPlaceWhereTheFolderTakesNoNewFile()
    {
        TestPlatform platform;
        platform.readOnlyFolder = true;
        // No file to write in place: the defaults are made, and cannot be saved.
        HsTable table;
        hiscore::loadHS(table);
        QCOMPARE(platform.messages, QStringList{writing});
        QVERIFY(!QFile::exists(hiscore::hsPath()));
        // A file that may be written: saved in place, nothing made beside it.
        fixture::putFile(hiscore::hsPath(), "old");
        table[0][0] = QStringLiteral("Ann");
        hiscore::saveHS(table);
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY(hiscore::readTable(fixture::fileBytes(hiscore::hsPath()), table));
        QCOMPARE(table[0][0], QStringLiteral("Ann"));
        QCOMPARE(QDir(platform.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("hiscore.dat")});
    }

    void readerTakesWhatTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("rowsStored");

        const QByteArray saved = firstLines(15);
        QTest::newRow("as saved") << saved << true << 15;
        QTest::newRow("LF line ends") << QByteArray(saved).replace("\r\n", "\n") << true << 15;
        QTest::newRow("CR line ends") << QByteArray(saved).replace("\r\n", "\r") << true << 15;
        QTest::newRow("spaces and tabs around fields")
            << QByteArray(saved).replace("\",\"", "\" ,\t\"").replace("\r\n", " \r\n  ") << true << 15;
        QTest::newRow("unquoted fields with spaces around")
            << QByteArray(saved).replace("\"", "").replace(",", " , ") << true << 15;
        QTest::newRow("blank lines") << QByteArray("\r\n") + QByteArray(saved).replace("\r\n", "\r\n \r\n\r\n") << true
                                     << 15;
        QTest::newRow("text after the 45th field") << saved + "\"x\"y\"z" << true << 15;
        QTest::newRow("no line end after the last field") << saved.chopped(2) << true << 15;
        QTest::newRow("empty file") << QByteArray() << false << 0;
        QTest::newRow("ends after a comma") << firstLines(5, "\"Hpspr\",\"EF\",") << false << 5;
        QTest::newRow("ends after 14 lines") << firstLines(14) << false << 14;
        QTest::newRow("quote left open") << withLine(2, "\"Fodud\",\"DE\",\"fd\r\n") << false << 2;
        QTest::newRow("text after a closing quote") << withLine(2, "\"Fodud\"x,\"DE\",\"fd\"\r\n") << false << 2;
        QTest::newRow("quote inside an unquoted field") << withLine(2, "Fo\"dud,\"DE\",\"fd\"\r\n") << false << 2;
        QTest::newRow("time unscrambles below 0") << withLine(11, "\"Oruhq}\",\"IE\",\"0\"\r\n") << false << 11;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\"\x01,\r", 6) << false << 0;
    }

    void readerTakesWhatTheFileHolds()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, readable);
        QFETCH(int, rowsStored);
        HsTable table = oldTable();
        QCOMPARE(hiscore::readTable(contents, table), readable);
        compareRows(table, rowsStored);
    }

    void fileCutAnywhereKeepsTheRowsBeforeTheCut()
    {
        const QByteArray saved = firstLines(15);
        for (qsizetype length = 0; length <= saved.size(); ++length) {
            // A row is whole once the closing quote of its third field is in.
            int wholeRows = 0;
            for (qsizetype end = 0; (end = saved.indexOf("\r\n", end)) >= 0; end += 2)
                wholeRows += length >= end ? 1 : 0;
            HsTable table = oldTable();
            QVERIFY2(hiscore::readTable(saved.left(length), table) == (wholeRows == 15), qPrintable(QString::number(length)));
            compareRows(table, wholeRows);
        }
    }

    void failedLoadReportsAndWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("listable");
        QTest::addColumn<int>("rowsStored");
        QTest::newRow("file ends early") << firstLines(5, "\"Hpspr\"") << true << 5;
        QTest::newRow("name unscrambles below 0") << withLine(2, "\"Fo\x01ud\",\"DE\",\"fd\"\r\n") << true << 2;
        QTest::newRow("folder cannot be listed") << firstLines(15) << false << 0;
    }

    void failedLoadReportsAndWritesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, listable);
        QFETCH(int, rowsStored);
        TestPlatform platform;
        fixture::putFile(hiscore::hsPath(), contents);
        if (!listable)
            platform.unlistable.append(hiscore::hsPath());
        HsTable table = oldTable();
        hiscore::loadHS(table);
        QCOMPARE(platform.messages, QStringList{loading});
        QCOMPARE(platform.writtenFiles, QStringList());
        QCOMPARE(fixture::fileBytes(hiscore::hsPath()), contents);
        compareRows(table, rowsStored);
    }

    void failedSaveLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qsizetype>("failAfter");
        QTest::addColumn<bool>("folder");
        QTest::newRow("name scrambles past 255") << QStringLiteral("Zo\u00fe") << qsizetype(-1) << false;
        QTest::newRow("name scrambles into a quote") << QStringLiteral("a\u001fb") << qsizetype(-1) << false;
        QTest::newRow("name scrambles into CR") << QStringLiteral("a\nb") << qsizetype(-1) << false;
        QTest::newRow("name scrambles into LF") << QStringLiteral("a\u0007b") << qsizetype(-1) << false;
        QTest::newRow("file cannot be created") << QStringLiteral("Ann") << qsizetype(0) << false;
        QTest::newRow("disk full halfway") << QStringLiteral("Ann") << qsizetype(150) << false;
        QTest::newRow("a folder in the file's place") << QStringLiteral("Ann") << qsizetype(-1) << true;
    }

    void failedSaveLeavesTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(qsizetype, failAfter);
        QFETCH(bool, folder);
        TestPlatform platform;
        const QByteArray old = firstLines(15, "left by hand\r\n");
        if (folder)
            QVERIFY(QDir(platform.dir.path()).mkdir(QStringLiteral("hiscore.dat")));
        else
            fixture::putFile(hiscore::hsPath(), old);
        platform.failWritingAfter = failAfter;
        HsTable table = oldTable();
        if (folder) {
            // Not an ordinary file, so missing: the defaults are made, and writing them fails.
            hiscore::loadHS(table);
            compareRows(table, 15);
        } else {
            // The last row is the one that fails, so every row before it could be written.
            table = defaults();
            table[0][14] = name;
            hiscore::saveHS(table);
        }
        QCOMPARE(platform.messages, QStringList{writing});
        QCOMPARE(QFileInfo(hiscore::hsPath()).isDir(), folder);
        if (!folder)
            QCOMPARE(fixture::fileBytes(hiscore::hsPath()), old);
        QCOMPARE(QDir(platform.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("hiscore.dat")});
    }

    void separatorIsAppendedEvenAtARoot()
    {
        RootPlatform platform;
        HsTable table;
        hiscore::loadHS(table);
        QCOMPARE(platform.writtenFiles, QStringList{platform.dir.path() + QStringLiteral("//hiscore.dat")});
        hiscore::loadHS(table);
        QCOMPARE(platform.writtenFiles.size(), 1);
        QCOMPARE(platform.messages, QStringList());
        QCOMPARE(table, defaults());
    }

    void gameIsRankedAgainstItsSize_data()
    {
        QTest::addColumn<Ranked>("game");
        const QString n = newEntry;
        const QStringList first{"Amelia", "30", "44", "Bruno", "32", "56", "Clara", "34", "53"};
        QTest::newRow("4 x 4: 30/44 equals the best and takes first")
            << Ranked{{4, 4}, 30, 44, 0, 0, {n, "30", "44", "Amelia", "30", "44", "Bruno", "32", "56"}};
        QTest::newRow("4 x 4: 31/10 takes second")
            << Ranked{{4, 4}, 31, 10, 1, 0, {"Amelia", "30", "44", n, "31", "10", "Bruno", "32", "56"}};
        QTest::newRow("4 x 4: 34/53 takes third")
            << Ranked{{4, 4}, 34, 53, 2, 0, {"Amelia", "30", "44", "Bruno", "32", "56", n, "34", "53"}};
        QTest::newRow("4 x 4: 34/54 takes none") << Ranked{{4, 4}, 34, 54, 99, 0, first};
        QTest::newRow("4 x 4: fewer attempts than the third, slower than all")
            << Ranked{{4, 4}, 33, 999, 2, 0, {"Amelia", "30", "44", "Bruno", "32", "56", n, "33", "999"}};
        QTest::newRow("5 x 4: 44/62 equals the best and takes first")
            << Ranked{{5, 4}, 44, 62, 0, 1, {n, "44", "62", "Dmitri", "44", "62", "Elena", "52", "67"}};
        QTest::newRow("6 x 5: as many attempts as the second but slower")
            << Ranked{{6, 5}, 80, 103, 2, 3, {"Jonas", "74", "99", "Katja", "80", "102", n, "80", "103"}};
        const QStringList last{"Mira", "90", "140", "Nils", "96", "133", "Olivia", "100", "154"};
        QTest::newRow("6 x 6: 101/1 takes none") << Ranked{{6, 6}, 101, 1, 99, 4, last};
        // Another size earns no place; the block of the run's previous game stays.
        QTest::newRow("3 x 3 as the first game") << Ranked{{3, 3}, 1, 1, 99, 0, first};
        QTest::newRow("7 x 6 after a 6 x 6 game") << Ranked{{7, 6}, 1, 1, 99, 4, last, {6, 6}};
        // A stored entry that is not a number is beaten by any game.
        for (const auto& [column, text] : {std::pair(1, "abc"), std::pair(2, ""), std::pair(1, "99999999999")})
            QTest::newRow(qPrintable(QStringLiteral("\"%1\" stored in column %2").arg(text).arg(column)))
                << Ranked{{4, 4}, 500, 900, 1, 0, {"Amelia", "30", "44", n, "500", "900", "Bruno", "32", "56"},
                          {}, column, text};
    }

    void gameIsRankedAgainstItsSize()
    {
        QFETCH(Ranked, game);
        TestPlatform platform;
        HsTable file = defaults();
        if (game.editedColumn > 0)
            file[game.editedColumn][1] = game.edited;
        putTable(file);
        const QByteArray before = fixture::fileBytes(hiscore::hsPath());
        Form1 form;
        if (game.earlier.isValid())
            loadFor(form, game.earlier, 999, 999).close();
        Dialog1& d = loadFor(form, game.board, game.attempts, game.time);

        QCOMPARE(d.sizeBlock(), game.block);
        QCOMPARE(d.place(), game.place);
        const int first = game.block * 3;
        if (game.editedColumn > 0)
            game.rowsAfter[3 * 2 + game.editedColumn] = game.edited;
        QCOMPARE(rowCells(d.table(), first) + rowCells(d.table(), first + 1) + rowCells(d.table(), first + 2),
                 game.rowsAfter);
        for (int row = 0; row < 15; ++row) {
            if (row / 3 != game.block)
                QCOMPARE(rowCells(d.table(), row), rowCells(defaults(), row));
        }
        // The summary has no spaces around the "x".
        QCOMPARE(d.Label3.caption(), QStringLiteral("You played: %1x%2   Att.: %3   Time: %4")
                                         .arg(game.board.width())
                                         .arg(game.board.height())
                                         .arg(game.attempts)
                                         .arg(game.time));
        // Visible from the load on when a place is earned, not modal, the name box focused.
        const bool earned = game.place != Dialog1::noPlace;
        QCOMPARE(d.isVisible(), earned);
        QVERIFY(!d.isModal());
        QCOMPARE(d.Text1.isVisible(), earned);
        QCOMPARE(d.Label2.isVisible(), earned);
        QCOMPARE(d.focusWidget() == &d.Text1, earned);
        // Ranking writes nothing; only OK does.
        QCOMPARE(fixture::fileBytes(hiscore::hsPath()), before);
        QCOMPARE(platform.writtenFiles, QStringList());
    }

    void answeringTheDialog_data()
    {
        QTest::addColumn<Answer>("answer");
        const QString twelve = QStringLiteral("\u00c6\u00d8\u00c5\u00e6\u00f8\u00e5\u00fc\u00df\u00e9\u00e8\u00ea\u00fc");
        QTest::newRow("a name, OK clicked") << Answer{true, "Ann", Answer::clickOk, "Ann"};
        QTest::newRow("an empty box, Enter") << Answer{true, "", Answer::enter, "Nobody"};
        QTest::newRow("twelve Latin-1 letters") << Answer{true, twelve, Answer::enter, twelve};
        QTest::newRow("a name that scrambles past 255") << Answer{true, "Zo\u00ff", Answer::enter, "", true};
        QTest::newRow("the close control") << Answer{true, "Ann", Answer::closeControl, ""};
        // Typing reaches no row when no place was earned.
        QTest::newRow("no place, Enter") << Answer{false, "Ann", Answer::enter, ""};
    }

    void answeringTheDialog()
    {
        QFETCH(Answer, answer);
        fixture::Game game;
        if (answer.placeEarned)
            putTable(defaults());
        const QByteArray before = fixture::fileBytes(hiscore::hsPath());
        Dialog1& d = game.form.hiscoreDialog();
        QImage cleared;
        bool nameBoxShown = false;
        const auto respond = [&](ui::Window&) {
            nameBoxShown = d.Text1.isVisible() && d.Label2.isVisible();
            game.form.Picture1.clear();
            cleared = game.form.Picture1.canvas();
            fixture::typeInto(d.Text1, answer.typed);
            QApplication::setActiveWindow(&d);
            // Enter presses OK wherever the focus is: the name box, or OK itself.
            QCOMPARE(QApplication::focusWidget(), answer.placeEarned ? static_cast<QWidget*>(&d.Text1) : &d.OKButton);
            if (answer.how == Answer::clickOk)
                QTest::mouseClick(&d.OKButton, Qt::LeftButton);
            else if (answer.how == Answer::enter)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            else
                d.close();
        };
        if (!answer.placeEarned)
            game.platform.modalAnswers.push_back(respond);
        fixture::findEveryPair(game.form);
        if (answer.placeEarned)
            respond(d);

        QCOMPARE(game.platform.modalCaptions.size(), answer.placeEarned ? 0 : 1);
        QCOMPARE(nameBoxShown, answer.placeEarned);
        QVERIFY(!d.isLoaded());
        QCOMPARE(d.Label3.caption(), QStringLiteral("You played: 4x4   Att.: 16   Time: 0"));
        HsTable expected = defaults();
        if (!answer.stored.isEmpty()) {
            for (int column = 0; column < 3; ++column) {
                expected[column][2] = expected[column][1];
                expected[column][1] = expected[column][0];
            }
            expected[0][0] = answer.stored;
            expected[1][0] = QStringLiteral("16");
            expected[2][0] = QStringLiteral("0");
            QCOMPARE(tableInFile(), expected);
            QCOMPARE(shownRow(d, 0), QStringLiteral("1") + answer.stored.rightJustified(16) + "   0016   0000");
        } else {
            QCOMPARE(fixture::fileBytes(hiscore::hsPath()), before);
        }
        const QStringList writing{QStringLiteral("Error writing file: 'hiscore.dat'")};
        QCOMPARE(game.platform.messages, answer.cannotBeSaved ? writing : QStringList());
        // OK has the board redrawn, every card face up; the close control does
        // not, and the table keeps the entry until the next load.
        if (answer.how == Answer::closeControl) {
            QCOMPARE(game.form.Picture1.canvas(), cleared);
            QCOMPARE(rowCells(d.table(), 0), (QStringList{answer.typed, "16", "0"}));
        } else {
            QVERIFY(fixture::showsAsItIs(game.form, QPoint(0, 0)));
        }

        // The next game's load starts as designed, with the table read again.
        game.platform.modalAnswers.push_back([&](ui::Window& w) {
            QVERIFY(d.Text1.isHidden() && d.Label2.isHidden() && d.Text1.text().isEmpty());
            w.close();
        });
        game.form.attempts = 999;
        game.form.checkGameOver();
        QCOMPARE(d.table(), tableInFile());
    }

    void placeShowsWithoutModalAndALaterGameOpensNothing()
    {
        TestPlatform platform;
        Form1 form;
        form.attempts = 31;
        form.elapsedTime = 10;
        form.checkGameOver();
        Dialog1& d = form.hiscoreDialog();
        QCOMPARE(platform.modalCaptions, QStringList());
        QVERIFY(d.isVisible());
        QCOMPARE(d.place(), 1);
        const QString summary = d.Label3.caption();
        const QString text = d.Label1.caption();

        // The main window stays usable; a game won meanwhile is not ranked.
        form.attempts = 1;
        form.checkGameOver();
        QCOMPARE(platform.modalCaptions, QStringList());
        QVERIFY(d.isVisible());
        QCOMPARE(rowCells(d.table(), 1), (QStringList{newEntry, "31", "10"}));
        QCOMPARE(d.Label3.caption(), summary);
        QCOMPARE(d.Label1.caption(), text);
        QCOMPARE(platform.writtenFiles.size(), 1); // the defaults, once
    }

    void tableTextShowsAllFiveSizes_data()
    {
        QTest::addColumn<HsTable>("file");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QStringList>("lines");

        // The default table, line by line, and the empty line after the last CR LF.
        const QStringList shownDefaults = {
            "",
            "             4 x 4   Att.   Time",
            "1          Amelia   0030   0044",
            "2           Bruno   0032   0056",
            "3           Clara   0034   0053",
            "",
            "             5 x 4   Att.   Time",
            "1          Dmitri   0044   0062",
            "2           Elena   0052   0067",
            "3           Felix   0054   0066",
            "",
            "             6 x 4   Att.   Time",
            "1           Greta   0062   0086",
            "2            Hugo   0066   0084",
            "3          Ingrid   0070   0097",
            "",
            "             6 x 5   Att.   Time",
            "1           Jonas   0074   0099",
            "2           Katja   0080   0102",
            "3          Lorenz   0084   0110",
            "",
            "             6 x 6   Att.   Time",
            "1            Mira   0090   0140",
            "2            Nils   0096   0133",
            "3          Olivia   0100   0154",
            "",
        };
        QTest::newRow("defaults, no place") << defaults() << 200 << shownDefaults;

        QStringList newThird = shownDefaults;
        newThird[4] = QStringLiteral("3 ** NEW ENTRY **   0033   0200");
        QTest::newRow("defaults and a new third place") << defaults() << 33 << newThird;

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
        QTest::newRow("edited file: long name, odd numbers") << edited << 200 << shownEdited;
    }

    void tableTextShowsAllFiveSizes()
    {
        QFETCH(HsTable, file);
        QFETCH(int, attempts);
        QFETCH(QStringList, lines);
        TestPlatform platform;
        putTable(file);
        Form1 form;
        Dialog1& d = loadFor(form, {4, 4}, attempts, 200);
        QCOMPARE(d.Label1.caption(), lines.join(QStringLiteral("\r\n")));
        // Every control is in a fixed-pitch font, so the columns line up.
        for (const QWidget* control : std::initializer_list<const QWidget*>{&d, &d.Label1, &d.Label3, &d.Text1}) {
            QCOMPARE(control->font().pointSizeF(), 8.25);
            QVERIFY2(QFontInfo(control->font()).fixedPitch(), qPrintable(QFontInfo(control->font()).family()));
        }
    }

    void tableShowsTheNameAsItIsTyped()
    {
        TestPlatform platform;
        Form1 form;
        Dialog1& d = loadFor(form, {4, 4}, 30, 44);
        QCOMPARE(shownRow(d, 0), QStringLiteral("1 ** NEW ENTRY **   0030   0044"));
        QTest::keyClicks(&d.Text1, QStringLiteral("Ann"));
        QCOMPARE(shownRow(d, 0), QStringLiteral("1             Ann   0030   0044"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&d.Text1, Qt::Key_Backspace);
        QCOMPARE(shownRow(d, 0), QStringLiteral("1 ** NEW ENTRY **   0030   0044"));
        // The 13th character is refused; nothing else is filtered.
        QTest::keyClicks(&d.Text1, QStringLiteral("Maximilian\"e-X"));
        QCOMPARE(d.Text1.text(), QStringLiteral("Maximilian\"e"));
        QCOMPARE(shownRow(d, 0), QStringLiteral("1    Maximilian\"e   0030   0044"));
        QCOMPARE(platform.writtenFiles.size(), 1); // the defaults, once
    }
};

QTEST_MAIN(HiscoreTest)
#include "tst_hiscore.moc"
