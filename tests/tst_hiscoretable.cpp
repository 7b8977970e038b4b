// The high-score table, its scrambling and the file hiscore.dat.
#include "TestPlatform.h"

#include "hiscore/HiscoreTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTest>

using hiscore::HsTable;

Q_DECLARE_METATYPE(HsTable)

namespace {

const QString loading = QStringLiteral("Error loading file: 'hiscore.dat'");
const QString writing = QStringLiteral("Error writing file: 'hiscore.dat'");

QString scorePath(const TestPlatform& platform)
{
    return platform.dir.path() + QStringLiteral("/hiscore.dat");
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(no file)");
    return file.readAll();
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

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
    for (auto& column : table) {
        for (QString& cell : column)
            cell = QStringLiteral("old");
    }
    return table;
}

QStringList rowCells(const HsTable& table, int row)
{
    return {table[0][row], table[1][row], table[2][row]};
}

void compareRows(const HsTable& actual, const HsTable& expected)
{
    for (int row = 0; row < hiscore::usedRows; ++row)
        QCOMPARE(rowCells(actual, row), rowCells(expected, row));
}

// The default file, one line each, CR LF included.
QList<QByteArray> defaultLines()
{
    const QByteArray bytes = hiscore::writeTable(defaults()).value();
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype end; (end = bytes.indexOf("\r\n", start)) >= 0; start = end + 2)
        lines.append(bytes.mid(start, end + 2 - start));
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line;
    return bytes;
}

QByteArray withLine(int row, const QByteArray& line)
{
    QList<QByteArray> lines = defaultLines();
    lines[row] = line;
    return joined(lines);
}

// A program directory that ends with a separator, as a drive root does.
class RootPlatform : public TestPlatform
{
public:
    QString programDir() override { return dir.path() + QStringLiteral("/"); }
};

} // namespace

class HiscoreTableTest : public QObject
{
    Q_OBJECT

private slots:
    void keysAreDifferentAndOfOneOrTwoDigits();
    void keysKeepPrintableCharactersClearOfQuoteAndLineEnds_data();
    void keysKeepPrintableCharactersClearOfQuoteAndLineEnds();
    void scramblingShiftsEveryCode_data();
    void scramblingShiftsEveryCode();
    void scramblingFailsOutsideTheEightBitRange_data();
    void scramblingFailsOutsideTheEightBitRange();
    void defaultTableHoldsTheListedEntries();
    void missingFileIsWrittenWithTheDefaults();
    void savedTableReadsBack_data();
    void savedTableReadsBack();
    void readerTakesWhatTheFileHolds_data();
    void readerTakesWhatTheFileHolds();
    void fileCutAnywhereKeepsTheRowsBeforeTheCut();
    void failedLoadReportsAndWritesNothing_data();
    void failedLoadReportsAndWritesNothing();
    void linesAfterTheFifteenthGoAtTheNextSave();
    void folderInPlaceOfTheFileIsReportedOnSaving();
    void failedSaveLeavesTheOldFile_data();
    void failedSaveLeavesTheOldFile();
    void separatorIsAppendedEvenAtARoot();
};

void HiscoreTableTest::keysAreDifferentAndOfOneOrTwoDigits()
{
    const QSet<int> keys = {hiscore::nameKey, hiscore::attemptsKey, hiscore::timeKey};
    QCOMPARE(keys.size(), 3);
    for (int key : keys)
        QVERIFY2(key >= 1 && key <= 99, qPrintable(QString::number(key)));
}

void HiscoreTableTest::keysKeepPrintableCharactersClearOfQuoteAndLineEnds_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("nameKey") << int(hiscore::nameKey);
    QTest::newRow("attemptsKey") << int(hiscore::attemptsKey);
    QTest::newRow("timeKey") << int(hiscore::timeKey);
}

void HiscoreTableTest::keysKeepPrintableCharactersClearOfQuoteAndLineEnds()
{
    QFETCH(int, key);
    int scrambled = 0;
    for (int code = 32; code <= 255; ++code) {
        if (code > 126 && code < 160)
            continue;
        const std::optional<QString> out = hiscore::encodeStr(QString(QChar(code)), key);
        // A code pushed past 255 is refused, never wrapped round.
        if (!out) {
            QVERIFY2(code + key > 255, qPrintable(QString::number(code)));
            continue;
        }
        ++scrambled;
        const char16_t c = out->at(0).unicode();
        QVERIFY2(c != u'"' && c != u'\r' && c != u'\n', qPrintable(QString::number(code)));
    }
    // 95 codes from 32 to 126 and 96 from 160 to 255; only the top `key` of them pass 255.
    QCOMPARE(scrambled, 95 + 96 - key);
}

void HiscoreTableTest::scramblingShiftsEveryCode_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("scrambled");
    QTest::newRow("empty") << QString() << 3 << QString();
    QTest::newRow("name") << QStringLiteral("Amelia") << 3 << QStringLiteral("Dphold");
    QTest::newRow("digits to capitals") << QStringLiteral("0123456789") << 17 << QStringLiteral("ABCDEFGHIJ");
    QTest::newRow("digits to small letters") << QStringLiteral("30") << 49 << QStringLiteral("da");
    QTest::newRow("comma and space") << QStringLiteral("a, b") << 3 << QStringLiteral("d/#e");
    QTest::newRow("up to 255") << QStringLiteral("\u00fc") << 3 << QStringLiteral("\u00ff");
    QTest::newRow("down to 0") << QStringLiteral("\u0003") << -3 << QString(QChar(0));
}

void HiscoreTableTest::scramblingShiftsEveryCode()
{
    QFETCH(QString, plain);
    QFETCH(int, key);
    QFETCH(QString, scrambled);
    QCOMPARE(hiscore::encodeStr(plain, key), std::optional<QString>(scrambled));
    QCOMPARE(hiscore::decodeStr(scrambled, key), std::optional<QString>(plain));
}

void HiscoreTableTest::scramblingFailsOutsideTheEightBitRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("encoding");
    QTest::newRow("encode: y with diaeresis plus 3 is 258") << QStringLiteral("ab\u00ff") << 3 << true;
    QTest::newRow("encode: outside Latin-1") << QStringLiteral("\u0141ukasz") << 3 << true;
    QTest::newRow("encode: below 0 with a negative key") << QStringLiteral("\u0002") << -3 << true;
    QTest::newRow("decode: below 0") << QStringLiteral("AB\u0001") << 3 << false;
    QTest::newRow("decode: digit with the time key") << QStringLiteral("0") << 49 << false;
    QTest::newRow("decode: outside Latin-1") << QStringLiteral("\u0141") << 3 << false;
}

void HiscoreTableTest::scramblingFailsOutsideTheEightBitRange()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(bool, encoding);
    const std::optional<QString> out = encoding ? hiscore::encodeStr(text, key) : hiscore::decodeStr(text, key);
    QVERIFY(!out.has_value());
}

void HiscoreTableTest::defaultTableHoldsTheListedEntries()
{
    HsTable table = oldTable();
    hiscore::makeDefaultTable(table);
    const int attempts[] = {30, 32, 34, 44, 52, 54, 62, 66, 70, 74, 80, 84, 90, 96, 100};
    const int times[] = {44, 56, 53, 62, 67, 66, 86, 84, 97, 99, 102, 110, 140, 133, 154};
    QSet<QString> names;
    for (int row = 0; row < 15; ++row) {
        QCOMPARE(table[1][row], QString::number(attempts[row]));
        QCOMPARE(table[2][row], QString::number(times[row]));
        const QString name = table[0][row];
        QVERIFY2(!name.isEmpty() && name.size() <= 12, qPrintable(name));
        QVERIFY2(hiscore::encodeStr(name, hiscore::nameKey).has_value(), qPrintable(name));
        names.insert(name);
        QCOMPARE(table[3][row], QStringLiteral("old"));
    }
    QCOMPARE(names.size(), 15);
    for (int column = 0; column < 4; ++column)
        QCOMPARE(table[column][15], QStringLiteral("old"));
}

void HiscoreTableTest::missingFileIsWrittenWithTheDefaults()
{
    TestPlatform platform;
    HsTable table;
    hiscore::loadHS(table);
    QCOMPARE(table, defaults());
    QCOMPARE(platform.messages, QStringList());
    QCOMPARE(platform.writtenFiles, QStringList{scorePath(platform)});

    const QByteArray bytes = fileBytes(scorePath(platform));
    QCOMPARE(bytes.count("\r\n"), 15);
    QCOMPARE(bytes.count('\n'), 15);
    QCOMPARE(bytes.count('\r'), 15);
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(bytes.startsWith("\"Dphold\",\"DA\",\"ee\"\r\n"));
    QVERIFY(bytes.endsWith("\r\n\"Rolyld\",\"BAA\",\"bfe\"\r\n"));
    // Nothing stands in the clear: every line holds three scrambled fields.
    QVERIFY(!bytes.contains("Amelia"));
    QVERIFY(!bytes.contains("30"));
    HsTable readBack;
    QVERIFY(hiscore::readTable(bytes, readBack));
    QCOMPARE(readBack, defaults());
}

void HiscoreTableTest::savedTableReadsBack_data()
{
    QTest::addColumn<HsTable>("table");
    QTest::newRow("defaults") << defaults();
    HsTable commas = defaults();
    commas[0][0] = QStringLiteral("a, b ,c");
    commas[0][7] = QStringLiteral(" leading");
    commas[0][14] = QStringLiteral("trailing ");
    commas[1][3] = QStringLiteral("1,2");
    QTest::newRow("commas and spaces inside fields") << commas;
    HsTable empty = defaults();
    empty[0][1] = QString();
    empty[1][5] = QString();
    empty[2][14] = QString();
    QTest::newRow("empty cells") << empty;
    QTest::newRow("all empty") << HsTable();
    HsTable latin = defaults();
    latin[0][2] = QStringLiteral("\u00c6r\u00f8sk\u00f8bing");
    latin[0][9] = QStringLiteral("\u00f1and\u00fa ~#!");
    latin[0][12] = QStringLiteral("\u00a0\u00fc\u00a1");
    QTest::newRow("Latin-1 letters and signs") << latin;
    HsTable longest = defaults();
    longest[0][4] = QStringLiteral("abcdefghijkl");
    longest[1][4] = QStringLiteral("2147483647");
    longest[2][4] = QStringLiteral("-2147483648");
    QTest::newRow("longest name and widest numbers") << longest;
}

void HiscoreTableTest::savedTableReadsBack()
{
    QFETCH(HsTable, table);
    TestPlatform platform;
    hiscore::saveHS(table);
    HsTable readBack = oldTable();
    hiscore::loadHS(readBack);
    QCOMPARE(platform.messages, QStringList());
    compareRows(readBack, table);
    QCOMPARE(fileBytes(scorePath(platform)).count("\r\n"), 15);
    // An empty cell is two quotes.
    if (table[0][1].isEmpty())
        QVERIFY(fileBytes(scorePath(platform)).contains("\r\n\"\",\""));
}

void HiscoreTableTest::readerTakesWhatTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("rowsStored");

    const QList<QByteArray> lines = defaultLines();
    const QByteArray saved = joined(lines);
    QTest::newRow("as saved") << saved << true << 15;
    QTest::newRow("LF line ends") << QByteArray(saved).replace("\r\n", "\n") << true << 15;
    QTest::newRow("CR line ends") << QByteArray(saved).replace("\r\n", "\r") << true << 15;
    QTest::newRow("spaces and tabs around fields")
        << QByteArray(saved).replace("\",\"", "\" ,\t\"").replace("\r\n", " \r\n  ") << true << 15;
    QTest::newRow("unquoted fields") << QByteArray(saved).replace("\"", "") << true << 15;
    QTest::newRow("unquoted fields with spaces around")
        << QByteArray(saved).replace("\"", "").replace(",", " , ") << true << 15;
    QTest::newRow("blank lines") << QByteArray("\r\n") + QByteArray(saved).replace("\r\n", "\r\n \r\n\r\n") << true
                                 << 15;
    QTest::newRow("more than 15 lines") << saved + "\"Cuxqr\",\"AA\",\"aa\"\r\n\"open" << true << 15;
    QTest::newRow("text after the 45th field") << saved.chopped(2) + "\r\n\"x\"y\"z" << true << 15;
    QTest::newRow("no line end after the last field") << saved.chopped(2) << true << 15;
    QTest::newRow("empty file") << QByteArray() << false << 0;
    QTest::newRow("only blank lines") << QByteArray("\r\n  \r\n") << false << 0;
    QTest::newRow("ends within row 5") << joined(lines.mid(0, 5)) + "\"Hpspr\",\"E" << false << 5;
    QTest::newRow("ends after a comma") << joined(lines.mid(0, 5)) + "\"Hpspr\",\"EF\"," << false << 5;
    QTest::newRow("ends after 14 lines") << joined(lines.mid(0, 14)) << false << 14;
    QTest::newRow("quote left open") << withLine(2, "\"Fodud\",\"DE\",\"fd\r\n") << false << 2;
    QTest::newRow("text after a closing quote") << withLine(2, "\"Fodud\"x,\"DE\",\"fd\"\r\n") << false << 2;
    QTest::newRow("quote inside an unquoted field") << withLine(2, "Fo\"dud,\"DE\",\"fd\"\r\n") << false << 2;
    QTest::newRow("name unscrambles below 0") << withLine(2, "\"Fo\x01ud\",\"DE\",\"fd\"\r\n") << false << 2;
    QTest::newRow("time unscrambles below 0") << withLine(11, "\"Oruhq}\",\"IE\",\"0\"\r\n") << false << 11;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\"\x01,\r", 6) << false << 0;
}

void HiscoreTableTest::readerTakesWhatTheFileHolds()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, readable);
    QFETCH(int, rowsStored);
    HsTable table = oldTable();
    QCOMPARE(hiscore::readTable(contents, table), readable);
    const HsTable fromFile = defaults();
    for (int row = 0; row < hiscore::usedRows; ++row)
        QCOMPARE(rowCells(table, row), rowCells(row < rowsStored ? fromFile : oldTable(), row));
    for (int row = 0; row < hiscore::rowCount; ++row)
        QCOMPARE(table[3][row], QStringLiteral("old"));
    QCOMPARE(rowCells(table, 15), rowCells(oldTable(), 15));
}

void HiscoreTableTest::fileCutAnywhereKeepsTheRowsBeforeTheCut()
{
    const QByteArray saved = hiscore::writeTable(defaults()).value();
    for (qsizetype length = 0; length <= saved.size(); ++length) {
        // A row is whole once the closing quote of its third field is in.
        int wholeRows = 0;
        for (qsizetype end = 0; (end = saved.indexOf("\r\n", end)) >= 0; end += 2) {
            if (length >= end)
                ++wholeRows;
        }
        HsTable table = oldTable();
        const bool readable = hiscore::readTable(saved.left(length), table);
        QVERIFY2(readable == (wholeRows == 15), qPrintable(QString::number(length)));
        for (int row = 0; row < hiscore::usedRows; ++row)
            QCOMPARE(rowCells(table, row), rowCells(row < wholeRows ? defaults() : oldTable(), row));
    }
}

void HiscoreTableTest::failedLoadReportsAndWritesNothing_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("listable");
    QTest::addColumn<int>("rowsStored");
    const QList<QByteArray> lines = defaultLines();
    QTest::newRow("file ends early") << joined(lines.mid(0, 5)) + "\"Hpspr\"" << true << 5;
    QTest::newRow("damaged first line") << withLine(0, "\"Dphold,\"DA\",\"ee\"\r\n") << true << 0;
    QTest::newRow("folder cannot be listed") << joined(lines) << false << 0;
    QTest::newRow("name unscrambles below 0") << withLine(2, "\"Fo\x01ud\",\"DE\",\"fd\"\r\n") << true << 2;
    QTest::newRow("binary junk") << QByteArray("\x00\xff\"\x01,\r", 6) << true << 0;
}

void HiscoreTableTest::failedLoadReportsAndWritesNothing()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, listable);
    QFETCH(int, rowsStored);
    TestPlatform platform;
    putFile(scorePath(platform), contents);
    if (!listable)
        platform.unlistable.append(scorePath(platform));
    HsTable table = oldTable();
    hiscore::loadHS(table);
    QCOMPARE(platform.messages, QStringList{loading});
    QCOMPARE(platform.writtenFiles, QStringList());
    QCOMPARE(fileBytes(scorePath(platform)), contents);
    for (int row = 0; row < hiscore::usedRows; ++row)
        QCOMPARE(rowCells(table, row), rowCells(row < rowsStored ? defaults() : oldTable(), row));
}

void HiscoreTableTest::linesAfterTheFifteenthGoAtTheNextSave()
{
    TestPlatform platform;
    const QByteArray saved = hiscore::writeTable(defaults()).value();
    putFile(scorePath(platform), saved + "\"Cuxqr\",\"AA\",\"aa\"\r\n");
    HsTable table;
    hiscore::loadHS(table);
    QCOMPARE(platform.messages, QStringList());
    QCOMPARE(table, defaults());
    hiscore::saveHS(table);
    QCOMPARE(fileBytes(scorePath(platform)), saved);
}

void HiscoreTableTest::folderInPlaceOfTheFileIsReportedOnSaving()
{
    TestPlatform platform;
    QVERIFY(QDir(platform.dir.path()).mkdir(QStringLiteral("hiscore.dat")));
    HsTable table = oldTable();
    hiscore::loadHS(table);
    // Not an ordinary file, so missing: the defaults are made, and writing them fails.
    QCOMPARE(platform.messages, QStringList{writing});
    compareRows(table, defaults());
    QVERIFY(QFileInfo(scorePath(platform)).isDir());
}

void HiscoreTableTest::failedSaveLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qsizetype>("failAfter");
    QTest::addColumn<bool>("reachesTheDisk");
    QTest::newRow("name scrambles past 255") << QStringLiteral("Zo\u00fe") << qsizetype(-1) << false;
    QTest::newRow("name outside Latin-1") << QStringLiteral("\u0141ukasz") << qsizetype(-1) << false;
    QTest::newRow("name scrambles into a quote") << QStringLiteral("a\u001fb") << qsizetype(-1) << false;
    QTest::newRow("name scrambles into CR") << QStringLiteral("a\nb") << qsizetype(-1) << false;
    QTest::newRow("name scrambles into LF") << QStringLiteral("a\u0007b") << qsizetype(-1) << false;
    QTest::newRow("file cannot be created") << QStringLiteral("Ann") << qsizetype(0) << true;
    QTest::newRow("disk full halfway") << QStringLiteral("Ann") << qsizetype(150) << true;
}

void HiscoreTableTest::failedSaveLeavesTheOldFile()
{
    QFETCH(QString, name);
    QFETCH(qsizetype, failAfter);
    QFETCH(bool, reachesTheDisk);
    TestPlatform platform;
    const QByteArray old = hiscore::writeTable(defaults()).value() + "left by hand\r\n";
    putFile(scorePath(platform), old);
    platform.failWritingAfter = failAfter;
    HsTable table = defaults();
    // The last row is the one that fails, so every row before it could be written.
    table[0][14] = name;
    hiscore::saveHS(table);
    QCOMPARE(platform.messages, QStringList{writing});
    QCOMPARE(platform.writtenFiles.size(), reachesTheDisk ? 1 : 0);
    QCOMPARE(fileBytes(scorePath(platform)), old);
    QCOMPARE(QDir(platform.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("hiscore.dat")});
}

void HiscoreTableTest::separatorIsAppendedEvenAtARoot()
{
    RootPlatform platform;
    HsTable table;
    hiscore::loadHS(table);
    QCOMPARE(platform.writtenFiles, QStringList{platform.dir.path() + QStringLiteral("//hiscore.dat")});
    QCOMPARE(platform.messages, QStringList());
    hiscore::loadHS(table);
    QCOMPARE(platform.writtenFiles.size(), 1);
    QCOMPARE(table, defaults());
}

QTEST_MAIN(HiscoreTableTest)
#include "tst_hiscoretable.moc"
