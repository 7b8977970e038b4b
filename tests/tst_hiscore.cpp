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

#include <csignal>
#include <optional>

#include <sys/resource.h>

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

// For as long as it lives, no file grows past `bytes`, as on a disk that is full.
class DiskFull
{
public:
    explicit DiskFull(qsizetype bytes) : ignored(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit full{rlim_t(bytes), before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, ignored);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit before{};
    void (*ignored)(int);
};

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

// Lines of the table text, by number.
using Lines = QMap<int, QString>;

struct Saving
{
    QString name;
    // Writing fails once a file holds that many bytes, as on a full disk.
    qsizetype failAfter = -1;
    // What stands where hiscore.dat goes.
    enum { file, folder } there = file;
};

// Where a player's scores go, by what the game's folder lets the player do.
struct Keeping
{
    bool gameFolderTakesFiles;
    // The game's own hiscore.dat: none, or one whose first name is "Shared".
    enum { none, writable, readOnly } gameFile;
    // The player's own hiscore.dat is there, its first name "Own".
    bool ownFile;
    bool ownFolderCanBeMade;
    // The first name of the table loaded.
    QString loaded;
    // The files written, in order ("game" or "own"), by the load and one save.
    QStringList written;
    // The file that holds the table afterwards, if any.
    QString keptIn;
    int writingMessages = 0;
};

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
        QTest::newRow("the euro sign is 128") << "\u20acuro" << 3 << std::optional<QByteArray>("\x83xur");
        // Windows-1252's characters of the codes 128 to 159, in order.
        QByteArray codes128To159;
        for (int code = 128; code < 160; ++code)
            codes128To159.append(char(code));
        QTest::newRow("codes 128 to 159")
            << QStringLiteral("\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u008d"
                              "\u017d\u008f\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a"
                              "\u0153\u009d\u017e\u0178")
            << 0 << std::optional<QByteArray>(codes128To159);
        QTest::newRow("down to 0") << "\u0003" << -3 << std::optional<QByteArray>(QByteArray(1, 0));
        QTest::newRow("u with diaeresis plus 3 is 255") << "ab\u00fc" << 3 << std::optional<QByteArray>("de\xff");
        QTest::newRow("y with acute plus 3 is 256") << "ab\u00fd" << 3 << std::optional<QByteArray>();
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

    void missingFileIsWrittenWithTheDefaults_data()
    {
        QTest::addColumn<bool>("atARoot");
        QTest::newRow("in a folder") << false;
        // The separator is appended even when the directory ends with one.
        QTest::newRow("at a drive root") << true;
    }

    void missingFileIsWrittenWithTheDefaults()
    {
        QFETCH(bool, atARoot);
        const auto platform = atARoot ? std::make_unique<RootPlatform>() : std::make_unique<TestPlatform>();
        HsTable table;
        hiscore::loadHS(table);
        QCOMPARE(table, defaults());
        QCOMPARE(platform->messages, QStringList());
        const QString path = platform->dir.path() + (atARoot ? "//" : "/") + "hiscore.dat";
        QCOMPARE(platform->writtenFiles, QStringList{path});
        // Read, not written, the next time.
        hiscore::loadHS(table);
        QCOMPARE(platform->writtenFiles.size(), 1);

        // Names shifted by 3, attempts by 17, times by 49.
        QCOMPARE(fixture::fileBytes(hiscore::hsPath()),
                 QByteArray("\"Dphold\",\"DA\",\"ee\"\r\n"     // Amelia 30 44
                            "\"Euxqr\",\"DC\",\"fg\"\r\n"      // Bruno 32 56
                            "\"Fodud\",\"DE\",\"fd\"\r\n"      // Clara 34 53
                            "\"Gplwul\",\"EE\",\"gc\"\r\n"     // Dmitri 44 62
                            "\"Hohqd\",\"FC\",\"gh\"\r\n"      // Elena 52 67
                            "\"Ihol{\",\"FE\",\"gg\"\r\n"      // Felix 54 66
                            "\"Juhwd\",\"GC\",\"ig\"\r\n"      // Greta 62 86
                            "\"Kxjr\",\"GG\",\"ie\"\r\n"       // Hugo 66 84
                            "\"Lqjulg\",\"HA\",\"jh\"\r\n"     // Ingrid 70 97
                            "\"Mrqdv\",\"HE\",\"jj\"\r\n"      // Jonas 74 99
                            "\"Ndwmd\",\"IA\",\"bac\"\r\n"     // Katja 80 102
                            "\"Oruhq}\",\"IE\",\"bba\"\r\n"    // Lorenz 84 110
                            "\"Plud\",\"JA\",\"bea\"\r\n"      // Mira 90 140
                            "\"Qlov\",\"JG\",\"bdd\"\r\n"      // Nils 96 133
                            "\"Rolyld\",\"BAA\",\"bfe\"\r\n")); // Olivia 100 154
    }

    void savedTableReadsBack_data()
    {
        QTest::addColumn<HsTable>("table");
        QTest::addColumn<HsTable>("readBack");
        QTest::newRow("defaults") << defaults() << defaults();
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
        QTest::newRow("commas, spaces, empty cells, Windows-1252 letters, widest numbers") << odd << odd;
        QTest::newRow("all empty") << HsTable() << HsTable();
        // A character the code page cannot hold is saved as a question mark.
        HsTable beyond = defaults();
        beyond[0][0] = QStringLiteral("\u0141ukasz");
        beyond[0][1] = QStringLiteral("Ann \U0001F600");
        HsTable questioned = defaults();
        questioned[0][0] = QStringLiteral("?ukasz");
        questioned[0][1] = QStringLiteral("Ann ?");
        QTest::newRow("beyond the code page") << beyond << questioned;
    }

    void savedTableReadsBack()
    {
        QFETCH(HsTable, table);
        QFETCH(HsTable, readBack);
        TestPlatform platform;
        hiscore::saveHS(table);
        HsTable loaded = oldTable();
        hiscore::loadHS(loaded);
        QCOMPARE(platform.messages, QStringList());
        compareRows(loaded, 15, readBack);
        // An empty cell is two quotes.
        QCOMPARE(fixture::fileBytes(hiscore::hsPath()).startsWith("\"\",\"\",\"\"\r\n"), table[0][0].isEmpty());
    }

    void loadingTakesWhatTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("rowsStored");

        const QByteArray saved = firstLines(15);
        QTest::newRow("as saved") << saved << true << 15;
        QTest::newRow("LF line ends") << QByteArray(saved).replace("\r\n", "\n") << true << 15;
        QTest::newRow("spaces and tabs around fields")
            << QByteArray(saved).replace("\",\"", "\" ,\t\"").replace("\r\n", " \r\n  ") << true << 15;
        QTest::newRow("unquoted fields with spaces around")
            << QByteArray(saved).replace("\"", "").replace(",", " , ") << true << 15;
        QTest::newRow("blank lines") << QByteArray("\r\n") + QByteArray(saved).replace("\r\n", "\r\n \r\n\r\n") << true
                                     << 15;
        QTest::newRow("text after the 45th field") << saved + "\"x\"y\"z" << true << 15;
        QTest::newRow("no line end after the last field") << saved.chopped(2) << true << 15;
        QTest::newRow("ends after a comma") << firstLines(5, "\"Hpspr\",\"EF\",") << false << 5;
        QTest::newRow("quote left open") << withLine(2, "\"Fodud\",\"DE\",\"fd\r\n") << false << 2;
        QTest::newRow("quote inside an unquoted field") << withLine(2, "Fo\"dud,\"DE\",\"fd\"\r\n") << false << 2;
        QTest::newRow("time unscrambles below 0") << withLine(11, "\"Oruhq}\",\"IE\",\"0\"\r\n") << false << 11;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\"\x01,\r", 6) << false << 0;
        QTest::newRow("name unscrambles below 0") << withLine(2, "\"Fo\x01ud\",\"DE\",\"fd\"\r\n") << false << 2;
        QTest::newRow("folder cannot be listed") << saved << false << 0;

        // Only the file's first maxFileBytes bytes are read, and the 45 fields
        // must lie within them. Here the file ends in the last field, unquoted,
        // and blank lines in front of the table move its end onto the bound.
        QByteArray openEnd = saved.chopped(2);
        openEnd.remove(openEnd.lastIndexOf('"', openEnd.size() - 2), 1).chop(1);
        const auto endingAt = [&](qsizetype end) { return QByteArray(end - openEnd.size(), '\n') + openEnd; };
        QTest::newRow("a table, then junk past the bound")
            << saved + QByteArray(2 * hiscore::maxFileBytes, 'x') << true << 15;
        QTest::newRow("the last field ends at the bound") << endingAt(hiscore::maxFileBytes) << true << 15;
        QTest::newRow("the last field runs one byte past the bound")
            << endingAt(hiscore::maxFileBytes + 1) << false << 14;
    }

    void loadingTakesWhatTheFileHolds()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, readable);
        QFETCH(int, rowsStored);
        TestPlatform platform;
        fixture::putFile(hiscore::hsPath(), contents);
        if (QByteArray(QTest::currentDataTag()).startsWith("folder"))
            platform.unlistable.append(hiscore::hsPath());
        HsTable table = oldTable();
        hiscore::loadHS(table);
        // A fault shows the loading message and writes nothing.
        QCOMPARE(platform.messages, readable ? QStringList() : QStringList{loading});
        QCOMPARE(platform.writtenFiles, QStringList());
        QCOMPARE(fixture::fileBytes(hiscore::hsPath()), contents);
        compareRows(table, rowsStored);
        // However long the file, no more is read of it than a table can reach.
        QVERIFY(platform.largestRead <= hiscore::maxFileBytes + 1);
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
            const bool readable = hiscore::readTable(saved.left(length), table);
            QVERIFY2(readable == (wholeRows == 15), qPrintable(QString::number(length)));
            compareRows(table, wholeRows);
        }
    }

    void savingReplacesTheFileOrLeavesItAsItWas_data()
    {
        QTest::addColumn<Saving>("saving");
        QTest::newRow("name scrambles past 255") << Saving{"Zo\u00fe"};
        QTest::newRow("name scrambles into a quote") << Saving{"a\u001fb"};
        QTest::newRow("name scrambles into LF") << Saving{"a\u0007b"};
        QTest::newRow("disk full from the start") << Saving{"Ann", 0};
        QTest::newRow("disk full halfway") << Saving{"Ann", 150};
        QTest::newRow("a folder in the file's place") << Saving{"Ann", -1, Saving::folder};
    }

    void savingReplacesTheFileOrLeavesItAsItWas()
    {
        QFETCH(Saving, saving);
        TestPlatform platform;
        const QByteArray old = firstLines(15, "left by hand\r\n");
        if (saving.there == Saving::folder)
            QVERIFY(QDir(platform.dir.path()).mkdir(QStringLiteral("hiscore.dat")));
        else
            fixture::putFile(hiscore::hsPath(), old);
        HsTable table = defaults();
        // The last row is the one that fails, so every row before it could be written.
        table[0][14] = saving.name;
        {
            std::optional<DiskFull> full;
            if (saving.failAfter >= 0)
                full.emplace(saving.failAfter);
            if (saving.there == Saving::file)
                hiscore::saveHS(table);
            else // Not an ordinary file, so missing: the defaults are made and saved.
                hiscore::loadHS(table);
        }
        QCOMPARE(platform.messages, QStringList{writing});
        QCOMPARE(QFileInfo(hiscore::hsPath()).isDir(), saving.there == Saving::folder);
        if (saving.there == Saving::file)
            QCOMPARE(fixture::fileBytes(hiscore::hsPath()), old);
        QCOMPARE(QDir(platform.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("hiscore.dat")});
    }

    void scoresAreKeptWhereThePlayerMayWrite_data()
    {
        QTest::addColumn<Keeping>("keeping");
        QTest::newRow("a folder that takes new files, the player's own file left alone")
            << Keeping{true, Keeping::none, true, true, "Amelia", {"game", "game"}, "game"};
        QTest::newRow("a read-only folder with a writable file")
            << Keeping{false, Keeping::writable, false, true, "Shared", {"game"}, "game"};
        QTest::newRow("a read-only folder without a file")
            << Keeping{false, Keeping::none, false, true, "Amelia", {"own", "own"}, "own"};
        QTest::newRow("a shared table seeds the player's first save")
            << Keeping{false, Keeping::readOnly, false, true, "Shared", {"own"}, "own"};
        QTest::newRow("the player's own file once it is there")
            << Keeping{false, Keeping::readOnly, true, true, "Own", {"own"}, "own"};
        QTest::newRow("nothing writable: the defaults, a message a save")
            << Keeping{false, Keeping::none, false, false, "Amelia", {}, {}, 2};
        QTest::newRow("nothing writable: the shared table, a message a save")
            << Keeping{false, Keeping::readOnly, false, false, "Shared", {}, {}, 1};
    }

    void scoresAreKeptWhereThePlayerMayWrite()
    {
        QFETCH(Keeping, keeping);
        TestPlatform platform;
        const QMap<QString, QString> files{{"game", platform.dir.filePath("hiscore.dat")},
                                           {"own", platform.playerDataDir() + "/hiscore.dat"}};
        const auto tableNamed = [](const QString& first) {
            HsTable table = defaults();
            table[0][0] = first;
            return hiscore::writeTable(table).value();
        };
        if (keeping.gameFile != Keeping::none)
            fixture::putFile(files["game"], tableNamed("Shared"));
        if (keeping.ownFile) {
            QVERIFY(QDir().mkpath(platform.playerDataDir()));
            fixture::putFile(files["own"], tableNamed("Own"));
        }
        if (!keeping.gameFolderTakesFiles)
            platform.readOnly << platform.dir.path();
        if (keeping.gameFile == Keeping::readOnly)
            platform.readOnly << files["game"];
        if (!keeping.ownFolderCanBeMade)
            platform.readOnly << platform.playerDataDir();
        const QByteArray gameBefore = fixture::fileBytes(files["game"]);
        const QByteArray ownBefore = fixture::fileBytes(files["own"]);

        HsTable table;
        hiscore::loadHS(table);
        QCOMPARE(table[0][0], keeping.loaded);
        table[0][14] = QStringLiteral("Zed");
        hiscore::saveHS(table);

        QStringList written;
        for (const QString& path : std::as_const(platform.writtenFiles))
            written << files.key(path, path);
        QCOMPARE(written, keeping.written);
        QCOMPARE(platform.messages, QStringList(keeping.writingMessages, writing));
        for (const QString place : {"game", "own"}) {
            const QByteArray before = place == QStringLiteral("game") ? gameBefore : ownBefore;
            QCOMPARE(fixture::fileBytes(files[place]),
                     place == keeping.keptIn ? hiscore::writeTable(table).value() : before);
        }
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
        const QSize b = game.board;
        const QString played = QStringLiteral("You played: %1x%2   Att.: %3   Time: %4").arg(b.width()).arg(b.height());
        QCOMPARE(d.Label3.caption(), played.arg(game.attempts).arg(game.time));
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
        const QString twelve = "\u00c6\u00d8\u00c5\u00e6\u00f8\u00e5\u00fc\u00df\u00e9\u00e8\u00ea\u00fc";
        QTest::newRow("a name, OK clicked") << Answer{true, "Ann", Answer::clickOk, "Ann"};
        QTest::newRow("an empty box, Enter") << Answer{true, "", Answer::enter, "Nobody"};
        QTest::newRow("twelve Latin-1 letters") << Answer{true, twelve, Answer::enter, twelve};
        // The 13th character is refused; nothing else is filtered.
        QTest::newRow("a thirteenth character") << Answer{true, "Maximilian\"e-X", Answer::enter, "Maximilian\"e"};
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
            // The table shows the name as it is typed, and the new entry again when the box is emptied.
            fixture::typeInto(d.Text1, QStringLiteral("Bo"));
            fixture::retype(d.Text1, QString());
            if (answer.placeEarned)
                QCOMPARE(shownRow(d, 0), QStringLiteral("1 ** NEW ENTRY **   0016   0000"));
            fixture::typeInto(d.Text1, answer.typed);
            const QString typed = answer.typed.isEmpty() ? newEntry : answer.typed.left(12);
            if (answer.placeEarned)
                QCOMPARE(shownRow(d, 0).mid(1, 16).trimmed(), typed);
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
        if (answer.placeEarned) {
            // The main window stays usable: a game won meanwhile opens nothing
            // and is not ranked.
            const QString text = d.Label1.caption();
            game.form.attempts = 1;
            game.form.checkGameOver();
            QCOMPARE(game.platform.modalCaptions.size(), 0);
            QCOMPARE(d.Label1.caption(), text);
            respond(d);
        }

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

    void tableTextShowsAllFiveSizes_data()
    {
        QTest::addColumn<HsTable>("file");
        QTest::addColumn<int>("attempts");
        // Lines of the text, by number; it has 25 and ends with CR LF.
        QTest::addColumn<Lines>("lines");
        QTest::newRow("defaults, no place") << defaults() << 200
                                            << Lines{{0, ""},
                                                                  {1, "             4 x 4   Att.   Time"},
                                                                  {2, "1          Amelia   0030   0044"},
                                                                  {4, "3           Clara   0034   0053"},
                                                                  {5, ""},
                                                                  {12, "1           Greta   0062   0086"},
                                                                  {21, "             6 x 6   Att.   Time"},
                                                                  {24, "3          Olivia   0100   0154"}};
        QTest::newRow("defaults and a new third place")
            << defaults() << 33 << Lines{{4, "3 ** NEW ENTRY **   0033   0200"}};
        HsTable edited = defaults();
        edited[0][3] = QStringLiteral("Bartholomew-Jones");
        edited[2][4] = QStringLiteral("12x");
        edited[1][5] = QStringLiteral("7.5");
        edited[1][6] = QStringLiteral("-3");
        QTest::newRow("edited file: long name, odd numbers")
            << edited << 200
            << Lines{{7, "1Bartholomew-Jone   0044   0062"},
                     {8, "2           Elena   0052   12x"},
                     {9, "3           Felix   0008   0066"},
                     {12, "1           Greta   -0003   0086"}};
    }

    void tableTextShowsAllFiveSizes()
    {
        QFETCH(HsTable, file);
        QFETCH(int, attempts);
        QFETCH(Lines, lines);
        TestPlatform platform;
        putTable(file);
        Form1 form;
        Dialog1& d = loadFor(form, {4, 4}, attempts, 200);
        const QStringList shown = d.Label1.caption().split(QStringLiteral("\r\n"));
        QCOMPARE(shown.size(), 26);
        QCOMPARE(shown.last(), QString());
        for (auto line = lines.cbegin(); line != lines.cend(); ++line)
            QCOMPARE(shown[line.key()], line.value());
        // Every control is in a fixed-pitch font, so the columns line up.
        for (const QWidget* control : std::initializer_list<const QWidget*>{&d, &d.Label1, &d.Label3, &d.Text1}) {
            QCOMPARE(control->font().pointSizeF(), 8.25);
            QVERIFY2(QFontInfo(control->font()).fixedPitch(), qPrintable(QFontInfo(control->font()).family()));
        }
    }
};

QTEST_MAIN(HiscoreTest)
#include "tst_hiscore.moc"
