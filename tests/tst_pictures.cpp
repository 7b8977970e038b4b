// Pictures: finding and loading one (getPic), building a board's faces with the
// progress window and the fallbacks, pictures held no larger than a card needs,
// the reader of progressive JPEGs, and decoding ahead of the build.
#include "BoardFixture.h"
#include "ScanScripts.h"

#include "pictures/FormProgress.h"
#include "pictures/PictureFolder.h"
#include "settings/Dialog.h"
#include "imaging/PicturePrefetch.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <optional>

#include <sched.h>

namespace {

// A picture cut into four colours at a quarter of its width and height.
QImage quarteredPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::yellow);
    painter.fillRect(0, 0, size.width() / 4, size.height() / 4, Qt::red);
    painter.fillRect(size.width() / 4, 0, size.width(), size.height() / 4, Qt::green);
    painter.fillRect(0, size.height() / 4, size.width() / 4, size.height(), Qt::blue);
    return image;
}

QByteArray jpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// The offset of a JPEG's frame header (SOF0 or SOF2 marker), found by walking its segments.
qsizetype frameHeader(const QByteArray& bytes)
{
    qsizetype pos = 2;
    while (pos + 4 <= bytes.size() && uchar(bytes[pos]) == 0xff && (uchar(bytes[pos + 1]) | 2) != 0xc2)
        pos += 2 + (uchar(bytes[pos + 2]) << 8 | uchar(bytes[pos + 3]));
    return pos;
}

// The JPEG with a header that claims 30000 x 30000 pixels.
QByteArray claiming30000(QByteArray jpeg)
{
    // Height and width, big-endian, after the marker, the length and the precision.
    for (const qsizetype at : {frameHeader(jpeg) + 5, frameHeader(jpeg) + 7}) {
        jpeg[at] = char(30000 >> 8);
        jpeg[at + 1] = char(30000 & 0xff);
    }
    return jpeg;
}

// The process's peak resident memory in kB, started anew (Linux resets it on
// writing 5 to clear_refs) before the action; the growth during it. Nothing,
// and the action not run, when the peak cannot be read or started anew.
std::optional<qint64> peakGrowthKb(const std::function<void()>& action)
{
    const auto peak = [] {
        const QByteArray status = fixture::fileBytes(QStringLiteral("/proc/self/status"));
        const qsizetype at = status.indexOf("VmHWM:");
        return at < 0 ? -1 : status.mid(at + 6, status.indexOf('\n', at) - at - 6).trimmed().split(' ')[0].toLongLong();
    };
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (!refs.open(QIODevice::WriteOnly) || refs.write("5") != 1 || !refs.flush() || peak() <= 0)
        return std::nullopt;
    const qint64 before = peak();
    action();
    return peak() - before;
}

QStringList facePaths(TestPlatform& platform, int faces, const QString& deck = QStringLiteral("deckAcorn"))
{
    QStringList paths;
    for (int n = 0; n < faces; ++n)
        paths << platform.picsDir() + u'/' + fixture::faceFile(QStringLiteral("cardPussy"), n);
    return paths << platform.picsDir() + u'/' + deck + QStringLiteral(".jpg");
}

enum class Outcome { Picture, Missing, LoadError };

// A photo-like picture: smooth colour gradients under grain, so that what a
// reduced read leaves out would show, and across its top a band of red and
// blue checks a pixel wide, whose colours are all of the highest frequencies:
// read at any reduced size, they average out.
QImage photo(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator grain(5);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            if (y < size.height() / 8) {
                line[x] = (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
                continue;
            }
            const int noise = grain.bounded(-20, 21);
            line[x] = qRgb(std::clamp(128 + int(90 * std::sin(x / 97.0)) + noise, 0, 255),
                           std::clamp(255 * y / size.height() + noise / 2, 0, 255),
                           std::clamp(128 + int(80 * std::cos(y / 131.0) * std::sin(x / 53.0)) - noise, 0, 255));
        }
    }
    return image;
}

// The peak signal-to-noise ratio of one picture against another of its size,
// over the three colours, in dB.
double psnr(const QImage& one, const QImage& other)
{
    const QImage a = one.convertToFormat(QImage::Format_RGB32);
    const QImage b = other.convertToFormat(QImage::Format_RGB32);
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (const int shift : {0, 8, 16}) {
                const int error = int(a.pixel(x, y) >> shift & 0xff) - int(b.pixel(x, y) >> shift & 0xff);
                squares += error * error;
            }
    return 10 * std::log10(255.0 * 255.0 * 3 * a.width() * a.height() / std::max(squares, 1.0));
}

// Where the scans of a JPEG start: its SOS markers, which entropy-coded data never holds.
QList<qsizetype> scanStarts(const QByteArray& jpeg)
{
    QList<qsizetype> starts;
    for (qsizetype at = jpeg.indexOf("\xFF\xDA"); at >= 0; at = jpeg.indexOf("\xFF\xDA", at + 2))
        starts << at;
    return starts;
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

struct Asked
{
    QString name;
    int count;
    // The file getPic looks for, in the picture folder.
    QString path;
    Outcome outcome;
    // What the folder holds: a file (a folder when its name ends in a slash).
    QString file = QStringLiteral("cardPussy00.jpg");
    QByteArray content = jpeg(quarteredPicture(QSize(120, 80)));
    QSize held = {120, 80};
};

struct Decode
{
    QSize size;
    QByteArray format;
    QSize bound;
    QSize held;
};

struct Likeness
{
    scanscripts::Script script;
    QSize bound = {190, 140};
    // 1597 x 1203 scaled to cover the bound both ways.
    QSize held = {190, 143};
    scanscripts::Colours colours = scanscripts::Colours::AsPicture;
    bool grey = false;
    // 6: stored on its side.
    int orientation = 1;
    // What the size shows comes in the last scan.
    bool everyScan = false;
};

// What reading a damaged file gives: a picture, as much of it as is there; or a
// refusal.
enum class Damaged { Picture, Refused, PictureOrRefused };

struct Bar
{
    int max;
    QList<int> values;
    int width;
    int maxAfter;
    bool reloaded = false;
};

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void getPicGivesWhatTheFileHolds_data()
    {
        QTest::addColumn<Asked>("asked");
        const QByteArray good = jpeg(quarteredPicture(QSize(120, 80)));
        QTest::newRow("a picture") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::Picture};
        QTest::newRow("brackets in a name") << Asked{"card[1]", 0, "card[1]00.jpg", Outcome::Picture, "card[1]00.jpg"};
        QTest::newRow("no face 100") << Asked{"cardPussy", 100, "cardPussy100.jpg", Outcome::Missing};
        QTest::newRow("no deck") << Asked{"deckAcorn", -1, "deckAcorn.jpg", Outcome::Missing};
        QTest::newRow("(select new) deck") << Asked{"(select new)", -1, "(select new).jpg", Outcome::Missing};
        QTest::newRow("hidden file") << Asked{".cardH", 0, ".cardH00.jpg", Outcome::Missing, ".cardH00.jpg"};
        QTest::newRow("folder named like the face") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::Missing,
                                                             "cardPussy00.jpg/"};
        QTest::newRow("wildcard in the name") << Asked{"card*", 0, "card*00.jpg", Outcome::Missing};
        QTest::newRow("other letter case") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::Missing,
                                                    "cardpussy00.jpg"};
        QTest::newRow("empty file") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::LoadError,
                                             "cardPussy00.jpg", {}};
        QTest::newRow("JPEG cut in its header") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::LoadError,
                                                         "cardPussy00.jpg", good.left(frameHeader(good))};
        QTest::newRow("text file named .jpg") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::LoadError,
                                                       "cardPussy00.jpg", "this is no picture\n"};
        QTest::newRow("folder cannot be listed") << Asked{"cardPussy", 0, "cardPussy00.jpg", Outcome::LoadError};
        // Decoded at 1/8, what there is of it, and held as a square a quarter
        // of the offscreen screen (800 x 800) each way; not a gigabyte.
        QTest::newRow("JPEG whose header claims 30000 x 30000") << Asked{"cardPussy", 0, "cardPussy00.jpg",
                                                                         Outcome::Picture, "cardPussy00.jpg",
                                                                         claiming30000(good), {200, 200}};
    }

    void getPicGivesWhatTheFileHolds()
    {
        QFETCH(Asked, asked);
        TestPlatform platform;
        if (asked.file.endsWith(u'/'))
            QVERIFY(QDir(platform.picsDir()).mkpath(asked.file));
        else
            fixture::putFile(platform.picsDir() + u'/' + asked.file, asked.content);
        const QString path = platform.picsDir() + u'/' + asked.path;
        if (QByteArray(QTest::currentDataTag()).startsWith("folder cannot"))
            platform.unlistable << path;
        Form1 form;
        form.show();

        imaging::Picture picture;
        const std::optional<qint64> growthKb = peakGrowthKb([&] { picture = form.getPic(asked.name, asked.count); });
        QVERIFY2(growthKb, "cannot measure the peak memory: /proc/self/clear_refs cannot be written, or VmHWM read");
        QVERIFY2(*growthKb < 1024 * 1024, qPrintable(QString::number(*growthKb)));

        QCOMPARE(bool(picture), asked.outcome == Outcome::Picture);
        // Nothing is kept: every call reads the file again.
        if (picture) {
            QCOMPARE(picture->size(), asked.held);
            QVERIFY(form.getPic(asked.name, asked.count) != picture);
        }
        const QStringList messages[] = {{}, {fixture::missingMessage(path)}, {fixture::loadErrorMessage(path)}};
        QCOMPARE(platform.messages, messages[int(asked.outcome)]);
        if (asked.outcome == Outcome::Missing)
            QVERIFY(platform.loadedPaths.isEmpty());
        // Only an unreadable picture ends the program; getPic changes no choice.
        QCOMPARE(platform.quitCalls, int(asked.outcome == Outcome::LoadError));
        QCOMPARE(form.isVisible(), asked.outcome != Outcome::LoadError);
        QCOMPARE(form.cardName + form.deckName, QStringLiteral("cardPussydeckAcorn"));
    }

    void buildPutsThePairsInConsecutiveCells_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pairs");
        // The bar's width in twips after each face: k / pairs of 3925, halves to even.
        QTest::addColumn<QList<int>>("bar");
        QTest::newRow("4 x 4") << 4 << 4 << 8 << QList<int>{491, 981, 1472, 1962, 2453, 2944, 3434, 3925};
        QTest::newRow("5 x 4") << 5 << 4 << 10 << QList<int>{392, 785, 1178, 1570, 1962, 2355, 2748, 3140, 3532, 3925};
        // With five rows a pair straddles two columns: face 02 lies on (0, 4) and (1, 0).
        QTest::newRow("6 x 5") << 6 << 5 << 15 << QList<int>{262,  523,  785,  1047, 1308, 1570, 1832, 2093,
                                                             2355, 2617, 2878, 3140, 3402, 3663, 3925};
        QTest::newRow("6 x 6") << 6 << 6 << 18 << QList<int>{218,  436,  654,  872,  1090, 1308, 1526, 1744, 1962,
                                                             2181, 2399, 2617, 2835, 3053, 3271, 3489, 3707, 3925};
        // An odd board: the last card has a face of its own, 13 faces for a bar of 12.
        QTest::newRow("5 x 5") << 5 << 5 << 12 << QList<int>{327,  654,  981,  1308, 1635, 1962, 2290,
                                                             2617, 2944, 3271, 3598, 3925, 3925};
    }

    void buildPutsThePairsInConsecutiveCells()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, pairs);
        QFETCH(QList<int>, bar);
        TestPlatform platform;
        fixture::writePictures(platform);
        Form1 form;
        form.squareMaxX = columns;
        form.squareMaxY = rows;
        // The bar after every card, as the window shows it when it handles
        // events. It stays above the main window; closed by the player after
        // the fourth card, it is back with the next face.
        QList<int> widths;
        FormProgress* progress = nullptr;
        platform.onProcessEvents = [&] {
            progress = progress ? progress : &form.progressWindow();
            QCOMPARE(progress->maxValue(), pairs);
            QVERIFY(progress->isVisible());
            QCOMPARE(progress->windowHandle()->transientParent(), form.windowHandle());
            widths << int(progress->Shape1.width());
            if (widths.size() == 4)
                progress->close();
        };
        // A generator of zeros swaps (0, 0) with itself: the deal keeps the build's order.
        QTest::mouseClick(&form.Command1, Qt::LeftButton);

        const int cells = columns * rows;
        QCOMPARE(platform.loadedPaths, facePaths(platform, (cells + 1) / 2));
        // Every picture decoded once, ahead of the walk; nothing held afterwards.
        QCOMPARE(platform.picturesDecodedAhead(), platform.loadedPaths.size());
        QCOMPARE(platform.picturesDecoded(), platform.loadedPaths.size());
        QCOMPARE(platform.picturesHeldAhead(), 0);
        QStringList keys;
        QList<int> expectedWidths;
        for (int cell = 0; cell < cells; ++cell) {
            keys << QStringLiteral("cardPussy%1").arg(cell / 2 + 1);
            expectedWidths << bar[cell / 2];
            const MemoCard& card = form.board().card(cell / rows, cell % rows);
            const MemoCard& first = form.board().card((cell - cell % 2) / rows, (cell - cell % 2) % rows);
            QVERIFY(card.pic);
            QCOMPARE(card.pic, first.pic);
        }
        QCOMPARE(fixture::keysOf(form.board()), keys);
        QCOMPARE(widths, expectedWidths);
        QVERIFY(!progress->isLoaded());
        QVERIFY(form.Image1.hasPicture());
        // Outside a build, a picture is decoded there and then.
        QVERIFY(form.getPic(QStringLiteral("cardPussy"), 3));
        QCOMPARE(platform.picturesDecodedAhead(), platform.loadedPaths.size() - 1);
    }

    void missingFacesFallBackToTheSettingsDialog()
    {
        // Faces 00 to 07 and a 5 x 4 board: 08, 09 and the deck are missing,
        // and every dialog is cancelled.
        TestPlatform platform;
        fixture::writePictures(platform, 8, QStringLiteral("cardPussy"), QStringLiteral("deckOther"));
        Form1 form;
        form.squareMaxX = 5;
        platform.modalAnswers.assign(3, fixture::cancelSettings);
        // Decoding ahead loads nothing out of turn: what was loaded at each message.
        QList<qsizetype> loadedAtMessage;
        platform.onMessage = [&](const QString&) { loadedAtMessage << platform.loadedPaths.size(); };
        QTest::mouseClick(&form.Command1, Qt::LeftButton);

        const QString pics = platform.picsDir() + u'/';
        QCOMPARE(platform.messages, (QStringList{fixture::missingMessage(pics + QStringLiteral("cardPussy08.jpg")),
                                                fixture::missingMessage(pics + QStringLiteral("(select new)08.jpg")),
                                                fixture::missingMessage(pics + QStringLiteral("(select new)09.jpg")),
                                                fixture::missingMessage(pics + QStringLiteral("(select new)09.jpg")),
                                                fixture::missingMessage(pics + QStringLiteral("deckAcorn.jpg")),
                                                fixture::missingMessage(pics + QStringLiteral("(select new).jpg"))}));
        QCOMPARE(loadedAtMessage, QList<qsizetype>(6, 8));
        QCOMPARE(platform.modalCaptions, QStringList(3, QStringLiteral("Brindlepair Settings")));
        QCOMPARE(platform.loadedPaths, facePaths(platform, 8).mid(0, 8));
        QCOMPARE(form.cardName + form.deckName, QStringLiteral("(select new)(select new)"));
        QVERIFY(!form.Image1.hasPicture());
        QVERIFY(form.isBoardReady());
        const QStringList keys = fixture::keysOf(form.board());
        QCOMPARE(keys.mid(16), (QStringList{"(select new)9", "(select new)9", "(select new)10", "(select new)10"}));
        form.board().forEachCell([&](int x, int y) { QCOMPARE(bool(form.board().card(x, y).pic), x < 4); });
        QCOMPARE(platform.picturesHeldAhead(), 0);
    }

    void setChosenInTheFallbackIsUsedFromThenOn()
    {
        TestPlatform platform;
        fixture::writePictures(platform, 3);
        fixture::writePictures(platform, 8, QStringLiteral("cardOther"));
        Form1 form;
        platform.modalAnswers = {fixture::chooseSettings(QStringLiteral("cardOther"))};
        QTest::mouseClick(&form.Command1, Qt::LeftButton);

        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(form.cardName, QStringLiteral("cardOther"));
        const QStringList keys = fixture::keysOf(form.board());
        QCOMPARE(keys.mid(4, 4), (QStringList{"cardPussy3", "cardPussy3", "cardOther4", "cardOther4"}));
        QCOMPARE(platform.loadedPaths.at(3), platform.picsDir() + QStringLiteral("/cardOther03.jpg"));
        QVERIFY(!platform.loadedPaths.contains(platform.picsDir() + QStringLiteral("/cardOther00.jpg")));
    }

    void playersOwnPicturesAreReadFromTheirFolder_data()
    {
        QTest::addColumn<int>("ownFirstFace");
        QTest::addColumn<bool>("ownDeck");
        QTest::addColumn<QString>("facesFrom");
        QTest::addColumn<QString>("deckFrom");
        QTest::newRow("a set and a deck in both folders are the player's") << 0 << true << "own" << "own";
        QTest::newRow("the player's set, the game's deck") << 0 << false << "own" << "game";
        QTest::newRow("without its first face the set is the game's") << 1 << true << "game" << "own";
    }

    void playersOwnPicturesAreReadFromTheirFolder()
    {
        QFETCH(int, ownFirstFace);
        QFETCH(bool, ownDeck);
        QFETCH(QString, facesFrom);
        QFETCH(QString, deckFrom);
        TestPlatform platform;
        fixture::writePictures(platform, 8);
        const QMap<QString, QString> pics{{"game", platform.picsDir() + u'/'}, {"own", platform.playerPicsDir() + u'/'}};
        QStringList own;
        for (int n = ownFirstFace; n < 8; ++n)
            own << fixture::faceFile(QStringLiteral("cardPussy"), n);
        if (ownDeck)
            own << QStringLiteral("deckAcorn.jpg");
        for (const QString& file : own)
            QVERIFY(QFile::copy(pics["game"] + file, pics["own"] + file));
        Form1 form;
        QTest::mouseClick(&form.Command1, Qt::LeftButton);

        QStringList expected;
        for (int n = 0; n < 8; ++n)
            expected << pics[facesFrom] + fixture::faceFile(QStringLiteral("cardPussy"), n);
        expected << pics[deckFrom] + QStringLiteral("deckAcorn.jpg");
        QCOMPARE(platform.loadedPaths, expected);
        QCOMPARE(platform.messages, QStringList());
    }

    void buildStops_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("at an unreadable face") << true;
        QTest::newRow("when the main window is closed") << false;
    }

    void buildStops()
    {
        QFETCH(bool, unreadable);
        TestPlatform platform;
        fixture::writePictures(platform);
        const QString third = platform.picsDir() + QStringLiteral("/cardPussy02.jpg");
        if (unreadable)
            fixture::putFile(third, "not a picture");
        for (int n = 3; n < 18; ++n)
            QVERIFY(quarteredPicture(QSize(2400, 1800))
                        .save(platform.picsDir() + u'/' + fixture::faceFile(QStringLiteral("cardPussy"), n)));
        Form1 form;
        form.squareMaxX = 6;
        form.squareMaxY = 6;
        form.show();
        int cards = 0;
        platform.onProcessEvents = [&] {
            if (++cards == 5 && !unreadable)
                form.close();
        };
        QTest::mouseClick(&form.Command1, Qt::LeftButton);

        QCOMPARE(platform.loadedPaths.size(), 3);
        QCOMPARE(platform.messages, unreadable ? QStringList{fixture::loadErrorMessage(third)} : QStringList());
        QVERIFY(!form.isBoardReady());
        QVERIFY(!form.isLoaded());
        QVERIFY(ui::Window::openWindows().isEmpty());
        QVERIFY(platform.modalCaptions.isEmpty());
        QCOMPARE(platform.quitCalls, 1);
        // Nothing is decoding any more, and nothing decodes later.
        QCOMPARE(platform.picturesHeldAhead(), 0);
        const int decoded = platform.picturesDecodedAhead();
        QCoreApplication::processEvents();
        QCOMPARE(platform.picturesDecodedAhead(), decoded);
    }

    void progressBarFollowsTheCount_data()
    {
        QTest::addColumn<Bar>("bar");
        QTest::newRow("1 of 8") << Bar{8, {1}, 491, 8};
        QTest::newRow("4 of 8, half to even") << Bar{8, {4}, 1962, 8};
        QTest::newRow("8 of 8") << Bar{8, {8}, 3925, 8};
        QTest::newRow("1 of 10, half to even") << Bar{10, {1}, 392, 10};
        QTest::newRow("3 of 10") << Bar{10, {3}, 1178, 10};
        QTest::newRow("0 means 50") << Bar{0, {10}, 785, 50};
        QTest::newRow("below zero is empty") << Bar{8, {-2}, 0, 8};
        QTest::newRow("past full stays full") << Bar{8, {8, 9}, 3925, 8};
        QTest::newRow("loaded again, empty again") << Bar{8, {5}, 0, 8, true};
    }

    void progressBarFollowsTheCount()
    {
        QFETCH(Bar, bar);
        TestPlatform platform;
        FormProgress progress;
        QVERIFY(progress.isVisible());
        // The bar starts empty, 50 twips inside the outline, and when full ends
        // where the outline does.
        const ui::Shape& shape = progress.Shape1;
        QCOMPARE(QRectF(shape.left(), shape.top(), shape.width(), shape.height()), QRectF(290, 890, 0, 245));
        QCOMPARE(shape.left() + progress.fullBarWidth(), progress.imgProgress.left() + progress.imgProgress.width());
        progress.setMax(bar.max);
        for (int value : bar.values)
            progress.update(value);
        if (bar.reloaded) {
            progress.unload();
            QVERIFY(!progress.isVisible());
            progress.load();
        }
        QCOMPARE(shape.width(), float(bar.width));
        QCOMPARE(progress.maxValue(), bar.maxAfter);
    }

    void decodingHoldsAPictureAtTheBound_data()
    {
        QTest::addColumn<Decode>("decode");
        QTest::newRow("4000 x 3000 JPEG, smoothed") << Decode{{4000, 3000}, "JPG", {800, 600}, {800, 600}};
        QTest::newRow("4000 x 3000 JPEG, decoded at the size held")
            << Decode{{4000, 3000}, "JPG", {1000, 750}, {1000, 750}};
        QTest::newRow("3000 x 4000 JPEG") << Decode{{3000, 4000}, "JPG", {800, 600}, {800, 1066}};
        QTest::newRow("small JPEG kept as it is") << Decode{{300, 200}, "JPG", {800, 600}, {300, 200}};
        QTest::newRow("large PNG under a .jpg name") << Decode{{2400, 1800}, "PNG", {800, 600}, {800, 600}};
    }

    void decodingHoldsAPictureAtTheBound()
    {
        QFETCH(Decode, decode);
        TestPlatform platform;
        const QString first = platform.picsDir() + QStringLiteral("/first.jpg");
        const QString second = platform.picsDir() + QStringLiteral("/second.jpg");
        QVERIFY(quarteredPicture(decode.size).save(first, decode.format.constData(), 95));
        QVERIFY(quarteredPicture(decode.size).mirrored(true, true).save(second, decode.format.constData(), 95));
        // Two decodes in turn share the memory of their middle step.
        QImage scratch;
        const QImage one = imaging::decodePicture(first, decode.bound, &scratch);
        const QImage two = imaging::decodePicture(second, decode.bound, &scratch);
        QCOMPARE(one.size(), decode.held);
        QCOMPARE(two.size(), decode.held);
        // Scaled down, each picture is still all there, and the second decode
        // wrote nothing into the first.
        const QPoint last(decode.held.width() - 3, decode.held.height() - 3);
        QVERIFY(fixture::sameColour(one.pixelColor(2, 2), Qt::red));
        QVERIFY(fixture::sameColour(one.pixelColor(last), Qt::yellow));
        QVERIFY(fixture::sameColour(two.pixelColor(2, 2), Qt::yellow));
        QVERIFY(fixture::sameColour(two.pixelColor(last), Qt::red));
    }

    void facesAreHeldAtAQuarterOfTheScreen()
    {
        // No card of the smallest board, four by four, is larger than a
        // quarter of the screen each way: a panorama is held just that high.
        TestPlatform platform;
        QVERIFY(quarteredPicture(QSize(3000, 500)).save(platform.picsDir() + QStringLiteral("/cardPussy00.jpg")));
        Form1 form;
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(800, 800));
        QCOMPARE(form.getPic(QStringLiteral("cardPussy"), 0)->size(), QSize(1200, 200));
    }

    void reducedJpegIsDecodedAtTheIntendedEighth_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("bound");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<QSize>("held");
        // Qt's reader takes its eighths from the ratio of the picture to the
        // size asked for, rounded up: asked for 705 x 397 it would decode at
        // 2/8, 1410 x 793 pixels, more than a limit of 2 MB allows (it counts 4
        // bytes a pixel); at 1/8 it decodes 705 x 397.
        QTest::newRow("sides not multiples of 8") << QSize(5639, 3171) << QSize(480, 270) << 8 << QSize(480, 270);
        // Held at 397 x 223: 1784 / 8 is 223 high enough, 3172 / 8 is 396 a
        // pixel too narrow, so it is read at 1/4.
        QTest::newRow("one side an eighth short") << QSize(3172, 1784) << QSize(397, 200) << 4 << QSize(397, 223);
    }

    void reducedJpegIsDecodedAtTheIntendedEighth()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, bound);
        QFETCH(int, denominator);
        QFETCH(QSize, held);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wide.jpg"));
        QImage picture(size, QImage::Format_Grayscale8);
        picture.fill(90);
        QVERIFY(picture.save(path, "JPG"));
        const int limit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(2);
        imaging::PictureDecode decode(path, bound);
        const QImage image = decode.run();
        QImageReader::setAllocationLimit(limit);
        QCOMPARE(decode.denominator(), denominator);
        QCOMPARE(image.size(), held);
    }

    void progressivePhotoLooksAsQtReadsIt_data()
    {
        QTest::addColumn<Likeness>("likeness");
        using scanscripts::Colours;
        using scanscripts::Script;
        // 1597 x 1203 read at 1/8, 1/4 and 1/2, keeping of each block only the
        // frequencies that size shows. (Qt's reader makes a reduced size by
        // averaging pixels, which folds some finer ones back in: detail right
        // at the limit of the size, checks two pixels wide read at 1/2, comes
        // out smoother from this reader than from Qt's.)
        for (const Script script : scanscripts::allScripts) {
            QTest::addRow("%s, 1/8", scanscripts::nameOf(script)) << Likeness{script};
            QTest::addRow("%s, 1/4", scanscripts::nameOf(script)) << Likeness{script, {380, 280}, {380, 286}};
            // Read at 1/2, 4:2:0 colour is read whole: this script sends the last
            // bit of the DC last.
            QTest::addRow("%s, 1/2", scanscripts::nameOf(script))
                << Likeness{script, {760, 560}, {760, 572}, Colours::AsPicture, false, 1, script == Script::DcLate};
        }
        QTest::newRow("cjpeg -progressive, whole") << Likeness{Script::Cjpeg, {}, {1597, 1203}};
        QTest::newRow("grey, 1/8") << Likeness{Script::Cjpeg, {190, 140}, {190, 143}, Colours::AsPicture, true};
        QTest::newRow("CMYK, 1/8") << Likeness{Script::Cjpeg, {190, 140}, {190, 143}, Colours::Cmyk};
        QTest::newRow("CMYK, 1/2") << Likeness{Script::Arithmetic, {760, 560}, {760, 572}, Colours::Cmyk};
        QTest::newRow("stored on its side, 1/8") << Likeness{Script::JpegtranScans, {190, 140}, {190, 143}, Colours::AsPicture,
                                                             false, 6};
    }

    void progressivePhotoLooksAsQtReadsIt()
    {
        QFETCH(Likeness, likeness);
        QImage picture = photo(QSize(1597, 1203));
        if (likeness.grey)
            picture.convertTo(QImage::Format_Grayscale8);
        if (likeness.orientation == 6)
            picture = picture.transformed(QTransform().rotate(-90));
        const QByteArray jpeg = scanscripts::write(picture, likeness.script, likeness.colours, likeness.orientation);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("photo.jpg"));
        fixture::putFile(path, jpeg);

        imaging::PictureDecode decode(path, likeness.bound);
        const QImage read = decode.run();
        // Qt's reader asked for the same size: every scan, decoded at the same scale.
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        reader.setScaledSize(turned ? read.size().transposed() : read.size());
        const QImage qts = reader.read();

        QCOMPARE(read.size(), likeness.held);
        QCOMPARE(read.format(), qts.format());
        QVERIFY2(psnr(read, qts) >= 40, qPrintable(QString::number(psnr(read, qts))));
        // Only the scans the size shows were read; every one for the whole picture.
        const int scans = decode.progressiveReport().scans;
        QCOMPARE(scans < scanStarts(jpeg).size(), likeness.bound.isValid() && !likeness.everyScan);
        QVERIFY(scans > 0);
    }

    void refinementPastWhatIsKeptIsDecodedExactly_data()
    {
        QTest::addColumn<int>("denominator");
        QTest::addColumn<QSize>("size");
        // Luma's DC and colour's 2 x 2 kept; luma's and colour's 2 x 2 and 4 x
        // 4; luma's 4 x 4 and colour whole.
        QTest::newRow("1/8") << 8 << QSize(397, 301);
        QTest::newRow("1/4") << 4 << QSize(397, 301);
        QTest::newRow("1/2") << 2 << QSize(397, 301);
        // Every scan works on the same rows.
        QTest::newRow("1/4, one row of blocks") << 4 << QSize(397, 16);
    }

    void refinementPastWhatIsKeptIsDecodedExactly()
    {
        // The same coefficients, sent with two bits held back and refined over
        // every AC, or with one held back: a reduced read stops when one bit
        // is lacking, and the refinement reaching past what it keeps must have
        // brought what the other script brings at once.
        QFETCH(int, denominator);
        QFETCH(QSize, size);
        const QImage picture = photo(size);
        QImage refined;
        QImage once;
        QVERIFY(imaging::ProgressiveJpeg(scanscripts::write(picture, scanscripts::Script::AcRefinedTwice))
                    .read(denominator, refined));
        QVERIFY(imaging::ProgressiveJpeg(scanscripts::write(picture, scanscripts::Script::AcRefinedOnce))
                    .read(denominator, once));
        QCOMPARE(refined, once);
    }

    void damagedProgressiveFileGivesWhatItHoldsOrNothing_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<Damaged>("damaged");
        const QByteArray good = scanscripts::write(photo(QSize(397, 301)), scanscripts::Script::Cjpeg);
        const QList<qsizetype> scans = scanStarts(good);
        QTest::newRow("cut in the first scan") << good.left((scans[0] + scans[1]) / 2) << Damaged::Picture;
        QTest::newRow("cut after the first scan") << good.left(scans[1]) << Damaged::Picture;
        QTest::newRow("cut in the last scan") << good.left(scans.last() + 40) << Damaged::Picture;
        QTest::newRow("no end marker") << good.chopped(2) << Damaged::Picture;
        // Bits flipped anywhere in the scans, their tables too: a scale that
        // reads as far as a broken table refuses the file, a smaller one may
        // not get there. Either way nothing is read out of bounds.
        for (const int seed : {1, 2, 3}) {
            QByteArray flipped = good;
            QRandomGenerator where(seed);
            for (int n = 0; n < 16; ++n)
                flipped[where.bounded(int(scans[0]), int(good.size()))] ^= char(1 << where.bounded(8));
            QTest::addRow("bits flipped in the scans, %d", seed) << flipped << Damaged::PictureOrRefused;
        }
        // The first scan again and again: the colours' AC never come.
        const QByteArray first = good.mid(scans[0], scans[1] - scans[0]);
        QTest::newRow("a flood of scans") << good.left(scans[1]) + first.repeated(200) + "\xFF\xD9"
                                          << Damaged::Refused;
        QTest::newRow("a header that claims 30000 x 30000") << claiming30000(good) << Damaged::Refused;
        // Arithmetic-coded, for it has no tables between the scans: the
        // second scan, luma AC, moved before the first.
        const QByteArray arithmetic =
            scanscripts::write(photo(QSize(397, 301)), scanscripts::Script::Arithmetic);
        const QList<qsizetype> at = scanStarts(arithmetic);
        QTest::newRow("AC before DC") << arithmetic.left(at[0]) + arithmetic.mid(at[1], at[2] - at[1])
                + arithmetic.mid(at[0])
                                      << Damaged::Picture;
    }

    void damagedProgressiveFileGivesWhatItHoldsOrNothing()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(Damaged, damaged);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("damaged.jpg"));
        fixture::putFile(path, jpeg);
        // Read at 1/8, 1/4 and 1/2 (only the coefficients each size shows kept),
        // and whole; 397 x 301 scaled to cover the bound both ways.
        const std::pair<QSize, QSize> reads[] = {
            {{45, 35}, {46, 35}}, {{95, 70}, {95, 72}}, {{190, 140}, {190, 144}}, {{}, {397, 301}}};
        for (const auto& [bound, held] : reads) {
            imaging::PictureDecode decode(path, bound);
            const QImage read = decode.run();
            if (damaged != Damaged::PictureOrRefused)
                QVERIFY2(read.isNull() == (damaged == Damaged::Refused), qPrintable(decode.errorString()));
            if (!read.isNull())
                QCOMPARE(read.size(), held);
        }
    }

    void fileChangedAfterItsDecodeIsReadAgain()
    {
        TestPlatform platform;
        fixture::writePictures(platform, 8);
        Form1 form;
        int cards = 0;
        platform.onProcessEvents = [&] {
            // Face 01 is decoding or decoded ahead by now; it is replaced by another picture.
            if (++cards == 1)
                QVERIFY(quarteredPicture(QSize(200, 100)).save(platform.picsDir() + "/cardPussy01.jpg"));
        };
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        QCOMPARE(form.board().card(0, 2).pic->size(), QSize(200, 100));
        QCOMPARE(platform.loadedPaths.size(), 9);
        QVERIFY(platform.messages.isEmpty());
    }

    void prefetchHandsOverOnlyWhatItWasAskedFor_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QSize>("bound");
        QTest::addColumn<bool>("handed");
        QTest::newRow("first of the queue") << "a.jpg" << QSize(800, 600) << true;
        QTest::newRow("not queued") << "x.jpg" << QSize(800, 600) << false;
        QTest::newRow("queued, other bound") << "b.jpg" << QSize(400, 300) << false;
        QTest::newRow("queued, not a picture") << "bad.jpg" << QSize(800, 600) << false;
        QTest::newRow("queued, missing") << "gone.jpg" << QSize(800, 600) << false;
    }

    void prefetchHandsOverOnlyWhatItWasAskedFor()
    {
        QFETCH(QString, asked);
        QFETCH(QSize, bound);
        QFETCH(bool, handed);
        TestPlatform platform;
        const QString pics = platform.picsDir() + u'/';
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            QVERIFY(quarteredPicture(QSize(1600, 1200)).save(pics + QLatin1String(name)));
        QVERIFY(quarteredPicture(QSize(100, 80)).save(pics + QStringLiteral("last.jpg")));
        fixture::putFile(pics + QStringLiteral("bad.jpg"), "no picture");
        QStringList queued;
        for (const char* name : {"a.jpg", "b.jpg", "bad.jpg", "gone.jpg", "c.jpg", "last.jpg"})
            queued << pics + QLatin1String(name);

        imaging::PicturePrefetch prefetch;
        prefetch.start(queued, QSize(800, 600));
        const std::optional<QImage> image = prefetch.take(pics + asked, bound);
        QCOMPARE(image.has_value(), handed);
        if (handed)
            QCOMPARE(image->size(), QSize(800, 600));
        // Whatever happened to the path asked for, the queue goes on after it.
        const std::optional<QImage> last = prefetch.take(pics + QStringLiteral("last.jpg"), QSize(800, 600));
        QVERIFY(last.has_value());
        QCOMPARE(last->size(), QSize(100, 80));
        // A path is handed over once: the next one asking decodes it itself.
        QVERIFY(!prefetch.take(pics + QStringLiteral("last.jpg"), QSize(800, 600)).has_value());
        prefetch.stop();
        QCOMPARE(prefetch.held(), 0);
    }

    void progressiveReadHoldsMemoryInProportionToItsPixels_data()
    {
        // 1600 x 1200 in blocks of 8 x 8: 200 x 150 of luma; 100 x 75 of each
        // colour stored at half resolution (cjpeg's 4:2:0), 200 x 150 at full
        // (ImageMagick's 4:4:4). A coefficient takes two bytes, a block's bits
        // for its other coefficients eight, and libjpeg works in a row of
        // whole blocks (64 coefficients) of each component kept in part: two
        // of luma in 4:2:0, one otherwise. A colour at half resolution is read
        // at twice the size of luma, whole at 1/2.
        QTest::addColumn<scanscripts::Script>("script");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<qint64>("memory");
        const qint64 lumaRows = 2 * 200 * 64 * 2;
        const qint64 colourRow = 100 * 64 * 2;
        using scanscripts::Script;
        const auto row = [](const char* name, Script script, int denominator, qint64 memory) {
            QTest::newRow(name) << script << denominator << memory;
        };
        // The DC of luma; 2 x 2 of each colour, with their bits.
        row("4:2:0 at 1/8", Script::Cjpeg, 8, 30000 * 2 + 2 * 7500 * (4 * 2 + 8) + lumaRows + 2 * colourRow);
        row("4:2:0 at 1/4", Script::Cjpeg, 4, 30000 * (4 * 2 + 8) + 2 * 7500 * (16 * 2 + 8) + lumaRows + 2 * colourRow);
        // The colours kept whole, in libjpeg's own arrays.
        row("4:2:0 at 1/2", Script::Cjpeg, 2, 30000 * (16 * 2 + 8) + 2 * 7500 * 64 * 2 + lumaRows);
        row("4:2:0 whole", Script::Cjpeg, 1, (30000 + 2 * 7500) * 64 * 2);
        row("4:4:4 at 1/4", Script::ImageMagick, 4, 3 * 30000 * (4 * 2 + 8) + 3 * 200 * 64 * 2);
    }

    void progressiveReadHoldsMemoryInProportionToItsPixels()
    {
        QFETCH(scanscripts::Script, script);
        QFETCH(int, denominator);
        QFETCH(qint64, memory);
        imaging::ProgressiveJpeg reader(scanscripts::write(photo(QSize(1600, 1200)), script));
        QImage read;
        QVERIFY(reader.read(denominator, read));
        QCOMPARE(read.size(), QSize(1600 / denominator, 1200 / denominator));
        QCOMPARE(reader.report().memory, memory);
        // At most 13 bytes for each pixel made, whatever the picture's size.
        QVERIFY(memory <= 13 * qint64(read.width()) * read.height());
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
