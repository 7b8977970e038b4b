// brindlepair-cards: a card set made of the player's own pictures.
#include "AsPlayer.h"
#include "BoardFixture.h"

#include "app/Form1.h"
#include "cards/CardsCommand.h"
#include "cards/Files.h"
#include "settings/Dialog.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// A picture of its own for every seed, white across its top quarter, so that
// one can tell which way is up.
QImage picture(int seed, QSize size = {64, 48})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(seed * 37 % 360, 220, 160));
    QPainter(&image).fillRect(0, 0, size.width(), size.height() / 4, Qt::white);
    return image;
}

// Every file and folder in a folder, hidden ones too, with what each holds.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> found;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        found[info.fileName()] = fixture::fileBytes(info.filePath());
    return found;
}

// Writes an upright picture as a phone does: stored on its side, with the
// orientation tag (6) that says to turn it a quarter clockwise.
void writeSideways(const QString& path, const QImage& upright)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    upright.transformed(QTransform().rotate(-90)).save(&buffer, "JPG", 90);
    // After the start marker: an Exif segment with one field, orientation 6.
    jpeg.insert(2, QByteArray::fromHex("FFE10022" "457869660000" "4D4D002A00000008" "0001" "011200030000000100060000"
                                       "00000000"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size());
}

// The file system with one step made to fail, counted from 0, as on a full disk.
class FailingFiles : public cards::Files
{
public:
    int failAt = -1;
    int steps = 0;
    const QString full = QStringLiteral("No space left on device");

    bool fails() { return steps++ == failAt; }
    QString makeFolder(const QString& p) override { return fails() ? full : Files::makeFolder(p); }
    QString writeFile(const QString& path, const QByteArray& bytes) override
    {
        return fails() ? full : Files::writeFile(path, bytes);
    }
    QString rename(const QString& a, const QString& b) override { return fails() ? full : Files::rename(a, b); }
    QString remove(const QString& p) override { return fails() ? full : Files::remove(p); }
    QString removeFolder(const QString& p) override { return fails() ? full : Files::removeFolder(p); }
    // Folders that take no new files, as a shared installation's to a player who is not root.
    QStringList readOnly;
    bool folderTakesNewFiles(const QString& p) override
    {
        return !readOnly.contains(p) && Files::folderTakesNewFiles(p);
    }
};

// A folder of input pictures IMG_1, IMG_2 ... (the odd ones PNG, the even ones
// JPEG, named .JPG as a camera does at every fourth), and a pics folder with a
// set cardHoliday of `oldFaces` faces beside faces of other sets whose names
// start alike and the deck deckHoliday.jpg; no pics folder at all when -1.
struct Scene
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in"));
    QString pics = dir.filePath(QStringLiteral("pics"));
    QStringList inputs;
    FailingFiles files;
    QString said;

    explicit Scene(int pictures, int oldFaces = 0)
    {
        QDir().mkpath(in);
        for (int n = 1; n <= pictures; ++n)
            picture(n).save(inputs.emplace_back(input(n)));
        if (oldFaces >= 0 && QDir().mkpath(pics))
            for (const QString& other : {QStringLiteral("cardHolidays00.jpg"), QStringLiteral("cardHoliday100.jpg"),
                                         QStringLiteral("deckHoliday.jpg")})
                picture(99).save(pics + u'/' + other);
        for (int n = 0; n < oldFaces; ++n)
            picture(100 + n).save(pics + u'/' + fixture::faceFile(QStringLiteral("cardHoliday"), n));
    }
    QString input(int n) const
    {
        return in + QStringLiteral("/IMG_%1.%2").arg(n).arg(n % 2 ? "png" : n % 4 ? "jpg" : "JPG");
    }
    // The player's own pics folder, in a data folder not there yet.
    const QString own = dir.filePath(QStringLiteral("home/share/Brindlepair/pics"));
    int run(const QStringList& arguments) { return runAsInstalled(QStringList{"--pics", pics} + arguments); }
    // Without --pics, pics is the game's own folder.
    int runAsInstalled(const QStringList& arguments)
    {
        QTextStream out(&said);
        QTextStream err(&said);
        return cards::CardsCommand(files, {pics, own}, out, err).run(QStringList{"brindlepair-cards"} + arguments);
    }
    QStringList faces(const QString& folder) const
    {
        return QDir(folder).entryList({QStringLiteral("cardHoliday??.jpg")}, QDir::Files);
    }
    QStringList faces() const { return faces(pics); }
};

} // namespace

struct Making
{
    QString name;
    int pictures;
    QStringList more;
    // Faces of an existing set cardHoliday; -1 for no pics folder at all.
    int oldFaces;
    // The step of the file system that fails, counted from 0; -1 for none.
    int failAt;
    int status;
    int faces;
    // What the program says, as a pattern.
    QString said;
};

class CardsTest : public QObject
{
    Q_OBJECT

private slots:
    void makesUprightFacesFromAFolderOfPictures()
    {
        Scene scene(10);
        // A portrait photo stored on its side, and a wide one; both larger than the largest card.
        QFile::remove(scene.input(2));
        writeSideways(scene.input(2), picture(2, {1200, 1600}));
        picture(10, {2000, 1000}).save(scene.input(10));
        // IMG_3.png is see-through below its top quarter.
        QImage seeThrough = picture(3).convertToFormat(QImage::Format_ARGB32);
        QPainter painter(&seeThrough);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(0, 12, 64, 36, Qt::transparent);
        painter.end();
        seeThrough.save(scene.input(3));
        QFile(scene.in + QStringLiteral("/notes.txt")).open(QIODevice::WriteOnly);

        QCOMPARE(scene.run({QStringLiteral("Holiday"), scene.in}), 0);

        // Name order with numbers as numbers: IMG_10 is the last face.
        QVERIFY2(scene.said.contains(QStringLiteral("[2/10] IMG_2.jpg -> cardHoliday01.jpg\n[3/10] IMG_3.png")),
                 qPrintable(scene.said));
        QVERIFY(scene.said.contains("[10/10] IMG_10.jpg -> cardHoliday09.jpg\nMade the set cardHoliday"));
        for (int n = 0; n < 10; ++n) {
            QImageReader reader(scene.pics + u'/' + fixture::faceFile(QStringLiteral("cardHoliday"), n));
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            // A baseline frame, not a progressive one.
            const QByteArray bytes = fixture::fileBytes(reader.fileName());
            QVERIFY(bytes.contains("\xFF\xC0") && !bytes.contains("\xFF\xC2"));
            // Upright, covering 960 x 540 but no more, its aspect kept, never enlarged.
            const QImage made = reader.read();
            QCOMPARE(made.size(), n == 1 ? QSize(960, 1280) : n == 9 ? QSize(1080, 540) : QSize(64, 48));
            QVERIFY(QColor(made.pixel(made.width() / 2, 2)).lightness() > 245);
            // What is see-through shows white, as on paper.
            QCOMPARE(QColor(made.pixel(made.width() / 2, made.height() - 3)).lightness() > 245, n == 2);
        }
    }

    void makesTheSetOrRefusesIt_data()
    {
        QTest::addColumn<Making>("making");
        const QStringList no;
        const QStringList replace{QStringLiteral("--replace")};
        const QString h = QStringLiteral("Holiday");
        QTest::newRow("8 pictures into a pics folder still to be made")
            << Making{h, 8, no, -1, -1, 0, 8, "Its 8 faces fill the 4 x 4 board."};
        QTest::newRow("7 pictures") << Making{h, 7, no, 0, -1, 1, 0, "7 pictures: a set needs 8 at least"};
        QTest::newRow("20 pictures") << Making{h, 20, no, 0, -1, 1, 0, "--first takes the first 18"};
        QTest::newRow("20 pictures, the first 18")
            << Making{"cardHoliday", 20, {"--first"}, 0, -1, 0, 18,
                      "every board: .* 6 x 6.\nLeft out, as --first says: IMG_19.png, IMG_20.JPG"};
        QTest::newRow("text file named .jpg")
            << Making{h, 8, {"text.jpg"}, 0, -1, 2, 0, "text.jpg: not a picture that can be read"};
        QTest::newRow("duplicate picture")
            << Making{h, 9, {"copy.jpg"}, 0, -1, 2, 0, "IMG_4.JPG and .*copy.jpg are the same picture"};
        QTest::newRow("name with a slash") << Making{"cardHoli/day", 8, no, 0, -1, 1, 0, "only the letters A to Z"};
        QTest::newRow("name with a dash and an underscore")
            << Making{"Holi-day_2", 8, no, 0, -1, 0, 0, "Made the set cardHoli-day_2 in"};
        QTest::newRow("replace 18 faces by 12")
            << Making{h, 12, replace, 18, -1, 0, 12, "and 6 x 4.\\nIt replaces the set cardHoliday \\(18 faces"};
        QTest::newRow("existing set without --replace")
            << Making{h, 12, no, 18, -1, 1, 18, "already holds the set cardHoliday \\(18 faces\\)"};
        // Through the file system's steps, replacing 18 faces by 12: the hidden folder
        // is made (step 0), the faces written into it (1 to 12), the old ones moved
        // aside (13 to 30) and the new ones moved into place (31 to 42).
        QTest::newRow("pics folder cannot be written")
            << Making{h, 12, replace, 18, 0, 2, 18, "Cannot make the folder .*pics/\\.brindlepair-cards-\\d+: No"};
        // Without a pics folder: it is made (step 0), then the hidden folder (1);
        // face 01 is the second file written (3).
        QTest::newRow("a face cannot be written into a pics folder still to be made")
            << Making{h, 8, no, -1, 3, 2, 0, "Cannot write .*cardHoliday01.jpg: No space"};
        QTest::newRow("a face cannot be written")
            << Making{h, 12, replace, 18, 5, 2, 18, "Cannot write .*cardHoliday04.jpg: No space"};
        QTest::newRow("the last face cannot be moved in")
            << Making{h, 12, replace, 18, 42, 2, 18, "Cannot move .*cardHoliday11.jpg: No space"};
    }

    void makesTheSetOrRefusesIt()
    {
        QFETCH(Making, making);
        Scene scene(making.pictures, making.oldFaces);
        scene.files.failAt = making.failAt;
        QFile text(scene.in + QStringLiteral("/text.jpg"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("no picture\n"));
        QVERIFY(QFile::copy(scene.input(4), scene.in + QStringLiteral("/copy.jpg")));
        for (QString& argument : making.more)
            if (!argument.startsWith(u'-'))
                argument = scene.in + u'/' + argument;
        const QMap<QString, QByteArray> before = contents(scene.pics);

        QCOMPARE(scene.run(QStringList{making.name} + scene.inputs + making.more), making.status);

        QVERIFY2(scene.said.contains(QRegularExpression(making.said)), qPrintable(scene.said));
        // Faces 00 up to the last one, and nothing after it.
        QCOMPARE(scene.faces().size(), making.faces);
        const QString last = fixture::faceFile(QStringLiteral("cardHoliday"), making.faces - 1);
        QCOMPARE(scene.faces().value(making.faces - 1), making.faces > 0 ? last : QString());
        // Other sets, and the deck of the set's name when no deck was asked for, stay.
        for (const char* other : {"/cardHoliday100.jpg", "/deckHoliday.jpg"})
            QCOMPARE(QFileInfo::exists(scene.pics + QLatin1String(other)), making.oldFaces >= 0);
        // A pics folder made for the set goes again when the set cannot be made.
        QCOMPARE(QFileInfo::exists(scene.pics), making.oldFaces >= 0 || making.status == 0);
        // A picture or a step that fails changes nothing at all.
        if (making.status == 2)
            QVERIFY(scene.said.endsWith(QStringLiteral("Nothing was changed in the pics folder.\n")));
        if (making.status != 0)
            QCOMPARE(contents(scene.pics), before);
    }

    void namesEveryFileAfterTheSet_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("deck");
        // The same set under another spelling of its name.
        QTest::addColumn<QString>("again");
        QTest::newRow("a bare name") << "Holiday" << "cardHoliday" << "deckHoliday.jpg" << "cardHoliday";
        QTest::newRow("the prefix typed") << "cardHoliday" << "cardHoliday" << "deckHoliday.jpg" << "Holiday";
        QTest::newRow("the prefix typed twice") << "cardcardX" << "cardcardX" << "deckcardX.jpg" << "cardcardX";
        QTest::newRow("the prefix after the prefix") << "cardcard" << "cardcard" << "deckcard.jpg" << "cardcard";
        QTest::newRow("a capital C is no prefix") << "CardX" << "cardCardX" << "deckCardX.jpg" << "cardCardX";
        QTest::newRow("digits, a dash and an underscore")
            << "cardTrip-20_b" << "cardTrip-20_b" << "deckTrip-20_b.jpg" << "Trip-20_b";
    }

    void namesEveryFileAfterTheSet()
    {
        QFETCH(QString, given);
        QFETCH(QString, set);
        QFETCH(QString, deck);
        QFETCH(QString, again);
        Scene scene(9, -1);
        const QString deckPicture = scene.inputs.takeLast();

        QCOMPARE(scene.run(QStringList{"--deck", deckPicture, given} + scene.inputs), 0);
        QStringList made{deck};
        for (int n = 0; n < 8; ++n)
            made << set + QStringLiteral("0%1.jpg").arg(n);
        made.sort();
        QCOMPARE(QDir(scene.pics).entryList(QDir::Files | QDir::Hidden, QDir::Name), made);
        scene.said.clear();
        QCOMPARE(scene.run(QStringList{"--deck", deckPicture, again} + scene.inputs), 1);
        QVERIFY2(scene.said.contains("already holds the set " + set + " (8 faces) and the deck " + deck),
                 qPrintable(scene.said));
    }

    void choosesItsFolder_data()
    {
        QTest::addColumn<bool>("gameTakesFiles");
        // Faces of a set cardHoliday in the player's own folder; -1 for no folder.
        QTest::addColumn<int>("ownFaces");
        QTest::addColumn<QStringList>("more");
        QTest::addColumn<QString>("madeIn");
        const QStringList replace{"--replace"};
        QTest::newRow("the game's folder takes new files") << true << -1 << replace << "game";
        QTest::newRow("the game's folder takes none: the player's, made")
            << false << -1 << QStringList() << "own";
        QTest::newRow("--replace in the player's folder leaves the game's alone")
            << false << 12 << replace << "own";
        QTest::newRow("--pics wins") << false << -1 << QStringList{"--pics", "given"} << "given";
    }

    void choosesItsFolder()
    {
        QFETCH(bool, gameTakesFiles);
        QFETCH(int, ownFaces);
        QFETCH(QStringList, more);
        QFETCH(QString, madeIn);
        // The game's folder holds a set of the same name, of 18 faces.
        Scene scene(8, 18);
        const QMap<QString, QString> folders{
            {"game", scene.pics}, {"own", scene.own}, {"given", scene.dir.filePath(QStringLiteral("given"))}};
        if (!gameTakesFiles)
            scene.files.readOnly << scene.pics;
        QVERIFY(ownFaces < 0 || QDir().mkpath(scene.own));
        for (int n = 0; n < ownFaces; ++n)
            picture(n).save(scene.own + u'/' + fixture::faceFile(QStringLiteral("cardHoliday"), n));
        if (more.contains("given"))
            more.last() = folders["given"];
        const QMap<QString, QByteArray> gameBefore = contents(scene.pics);

        QCOMPARE(scene.runAsInstalled(more + QStringList{"Holiday"} + scene.inputs), 0);

        QVERIFY2(scene.said.contains("Made the set cardHoliday in " + folders[madeIn] + ".\n"), qPrintable(scene.said));
        QCOMPARE(scene.said.contains("takes no new files: the set goes into your own"), madeIn == "own");
        QCOMPARE(scene.faces(folders[madeIn]).size(), 8);
        if (madeIn != "game")
            QCOMPARE(contents(scene.pics), gameBefore);
        QCOMPARE(QFileInfo::exists(scene.own), madeIn == "own" || ownFaces >= 0);
    }

    void filesKnowAPlayersRights_data()
    {
        QTest::addColumn<int>("mode");
        // The folder asked about, below the one of that mode.
        QTest::addColumn<QString>("below");
        QTest::addColumn<bool>("takesFiles");
        QTest::newRow("a folder anyone may write") << 0777 << "" << true;
        QTest::newRow("a read-only folder") << 0555 << "" << false;
        QTest::newRow("not there yet, in a folder anyone may write") << 0777 << "pics" << true;
        QTest::newRow("two folders down, not there yet") << 0777 << "Brindlepair/pics" << true;
        QTest::newRow("two folders down in a read-only folder") << 0555 << "Brindlepair/pics" << false;
    }

    void filesKnowAPlayersRights()
    {
        QFETCH(int, mode);
        QFETCH(QString, below);
        QFETCH(bool, takesFiles);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("game"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(chmod(qPrintable(dir.path()), 0755) == 0 && chmod(qPrintable(folder), mode_t(mode)) == 0);
        bool takes = false;
        {
            const AsPlayer player;
            QVERIFY2(player.ok(), "the rights of a player who is not root cannot be had");
            takes = cards::Files().folderTakesNewFiles(below.isEmpty() ? folder : folder + u'/' + below);
        }
        QVERIFY(chmod(qPrintable(folder), 0755) == 0);
        QCOMPARE(takes, takesFiles);
    }

    void explainsItself()
    {
        QProcess program;
        program.start(QCoreApplication::applicationDirPath() + "/../brindlepair-cards", {"--help"});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(program.readAllStandardOutput().contains("--replace"));
    }

    void theGameListsTheSetAndBuildsItsBoard()
    {
        TestPlatform platform;
        Scene scene(19);
        scene.pics = platform.picsDir();
        QCOMPARE(scene.run(QStringList{"--deck", scene.input(19), "Holiday"} + scene.inputs.first(18)), 0);
        Form1 form;
        form.squareMaxX = 6;
        form.squareMaxY = 6;
        QVERIFY(Dialog(form).Combo1.findText(QStringLiteral("cardHoliday")) >= 0);
        form.cardName = QStringLiteral("cardHoliday");
        form.deckName = QStringLiteral("deckHoliday");

        form.Command1_Click();

        QVERIFY(form.isBoardReady());
        QCOMPARE(platform.loadedPaths.filter(QRegularExpression("/cardHoliday\\d\\d\\.jpg$")).size(), 18);
        QCOMPARE(platform.loadedPaths.filter(QStringLiteral("/deckHoliday.jpg")).size(), 1);
        QCOMPARE(platform.messages, QStringList());
    }
};

QTEST_MAIN(CardsTest)
#include "tst_cards.moc"
