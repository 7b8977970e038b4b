// Bad files in the picture folder: what a player's folder may really hold in
// place of a face picture. Each gives a picture, the missing-file message, or
// the load-error message and the end of the program; never a crash, and the
// memory stays bounded, whatever a file's header claims.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "settings/Dialog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

enum class Kind {
    ZeroBytes,
    TruncatedInHeader,
    TruncatedInScan,
    TextFile,
    PngFile,
    Progressive,
    Greyscale,
    Cmyk,
    HugeHeader,
    Folder,
    Hidden,
};

enum class Outcome {
    Picture,
    Missing,
    LoadError,
    // Decoded within bounds, or refused: either is fine, a gigabyte is not.
    PictureOrLoadError,
};

const QColor solidColour(200, 40, 40);
const QColor greyColour(150, 150, 150);
// What a file may make the process allocate at its peak, ASan's shadow included.
constexpr qint64 memoryLimitKb = 1024 * 1024;

QString missing(const QString& path)
{
    return QStringLiteral("Cannot find file: \r\n") + path + QStringLiteral("\r\nPlease read the 'ReadMe.txt' file.");
}

QString unreadable(const QString& path)
{
    return QStringLiteral("Error while loading file: \r\n") + path
        + QStringLiteral("\r\nPlease read the 'ReadMe.txt' file.");
}

QByteArray encoded(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qWarning("cannot write the test picture: %s", qPrintable(writer.errorString()));
    return bytes;
}

QImage solid(QColor colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(60, 40, format);
    image.fill(colour);
    return image;
}

// A picture with detail in it, so that its scan data is long enough to cut.
QImage detailed()
{
    QImage image(120, 80, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 3, (x * y) % 256));
    return image;
}

// The offset of a JPEG's frame header (SOFn marker), found by walking its
// segments; -1 when there is none.
qsizetype frameHeader(const QByteArray& jpeg)
{
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && uchar(jpeg[pos]) == 0xff) {
        const uchar marker = uchar(jpeg[pos + 1]);
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
            return pos;
        pos += 2 + (uchar(jpeg[pos + 2]) << 8 | uchar(jpeg[pos + 3]));
    }
    return -1;
}

// The number of colour components the frame header gives.
int componentCount(const QByteArray& jpeg)
{
    const qsizetype sof = frameHeader(jpeg);
    return sof < 0 || sof + 9 >= jpeg.size() ? -1 : uchar(jpeg[sof + 9]);
}

bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// ImageMagick's convert, which can make the CMYK JPEG that Qt cannot write.
QString convertProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("convert"));
}

// Puts the bad file of the given kind at `path`; false when it cannot be made.
// A CMYK JPEG needs convertProgram().
bool makeBadFile(Kind kind, const QString& path)
{
    QFile::remove(path);
    switch (kind) {
    case Kind::ZeroBytes:
        return put(path, {});
    case Kind::TruncatedInHeader: {
        const QByteArray jpeg = encoded(detailed(), "jpeg");
        // Cut before the frame header: there is no picture to be had.
        return put(path, jpeg.left(frameHeader(jpeg)));
    }
    case Kind::TruncatedInScan: {
        const QByteArray jpeg = encoded(detailed(), "jpeg");
        const qsizetype scan = jpeg.indexOf("\xff\xda");
        [&] { QVERIFY(scan > 0); }();
        return scan > 0 && put(path, jpeg.left((scan + jpeg.size()) / 2));
    }
    case Kind::TextFile:
        return put(path, "Dear player, this is no picture.\r\n");
    case Kind::PngFile:
        return put(path, encoded(solid(solidColour), "png"));
    case Kind::Progressive: {
        const QByteArray jpeg = encoded(solid(solidColour), "jpeg", true);
        const qsizetype sof = frameHeader(jpeg);
        [&] { QVERIFY2(sof > 0 && uchar(jpeg[sof + 1]) == 0xc2, "the writer made no progressive JPEG"); }();
        return !QTest::currentTestFailed() && put(path, jpeg);
    }
    case Kind::Greyscale: {
        const QByteArray jpeg = encoded(solid(greyColour, QImage::Format_Grayscale8), "jpeg");
        [&] { QCOMPARE(componentCount(jpeg), 1); }();
        return !QTest::currentTestFailed() && put(path, jpeg);
    }
    case Kind::Cmyk: {
        const QString convert = convertProgram();
        QTemporaryDir work;
        const QString source = work.filePath(QStringLiteral("rgb.jpg"));
        const QString target = work.filePath(QStringLiteral("cmyk.jpg"));
        if (!put(source, encoded(solid(solidColour), "jpeg")))
            return false;
        const int status = QProcess::execute(convert, {source, QStringLiteral("-colorspace"), QStringLiteral("CMYK"), target});
        QFile made(target);
        const QByteArray jpeg = made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
        [&] {
            QCOMPARE(status, 0);
            QCOMPARE(componentCount(jpeg), 4);
        }();
        return !QTest::currentTestFailed() && put(path, jpeg);
    }
    case Kind::HugeHeader: {
        QByteArray jpeg = encoded(solid(solidColour), "jpeg");
        const qsizetype sof = frameHeader(jpeg);
        [&] { QVERIFY(sof > 0 && uchar(jpeg[sof + 1]) == 0xc0); }();
        if (QTest::currentTestFailed())
            return false;
        // Height and width, big-endian, after the length and the precision.
        for (qsizetype at : {sof + 5, sof + 7}) {
            jpeg[at] = char(30000 >> 8);
            jpeg[at + 1] = char(30000 & 0xff);
        }
        return put(path, jpeg);
    }
    case Kind::Folder:
        return QDir().mkpath(path);
    case Kind::Hidden:
        return put(path, encoded(solid(solidColour), "jpeg"));
    }
    return false;
}

// The process's peak resident memory in kB, and a way to start the peak anew
// (Linux resets it on writing 5 to clear_refs).
qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line; !(line = status.readLine()).isEmpty();) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// Runs `action` and checks that the process's peak memory grew by less than the limit.
void checkMemoryBounded(const std::function<void()>& action)
{
    resetPeakMemory();
    const qint64 peakBefore = peakMemoryKb();
    action();
    const qint64 growth = peakMemoryKb() - peakBefore;
    QVERIFY2(peakBefore > 0 && growth < memoryLimitKb, qPrintable(QString::number(growth) + QStringLiteral(" kB")));
}

struct Corpus
{
    QString cardSet;
    int face;
    QString path;
};

// The bad file in the picture folder beside a good card set: the default set
// with its face `face` replaced, or a hidden set whose every face is hidden.
Corpus makeCorpus(TestPlatform& platform, Kind kind)
{
    fixture::writePictures(platform, 8);
    Corpus corpus{QStringLiteral("cardPussy"), 3, {}};
    if (kind == Kind::Hidden) {
        corpus.cardSet = QStringLiteral(".cardHidden");
        corpus.face = 0;
        fixture::writePictures(platform, 8, corpus.cardSet);
    }
    corpus.path = platform.picsDir() + u'/' + corpus.cardSet + QString::number(corpus.face).rightJustified(2, u'0')
        + QStringLiteral(".jpg");
    if (!makeBadFile(kind, corpus.path) && !QTest::currentTestFailed())
        QTest::qFail("cannot make the bad file", __FILE__, __LINE__);
    return corpus;
}

bool showsColour(const ui::Picture& picture, QColor colour)
{
    return fixture::sameColour(picture->pixelColor(picture->width() / 2, picture->height() / 2), colour);
}

void checkEnded(const TestPlatform& platform, const Form1& form, const QString& path)
{
    QCOMPARE(platform.messages, QStringList{unreadable(path)});
    QVERIFY(form.isClosing());
    QVERIFY(!form.isVisible());
    QCOMPARE(platform.quitCalls, 1);
}

} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Outcome)

class BadPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void getPicGivesWhatTheFileHolds_data();
    void getPicGivesWhatTheFileHolds();
    void buildGivesWhatTheFileHolds_data() { getPicGivesWhatTheFileHolds_data(); }
    void buildGivesWhatTheFileHolds();
};

void BadPicturesTest::init()
{
    QFETCH(Kind, kind);
    if (kind == Kind::Cmyk && convertProgram().isEmpty())
        QSKIP("ImageMagick's convert is not installed: Qt cannot write a CMYK JPEG");
}

void BadPicturesTest::getPicGivesWhatTheFileHolds_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Outcome>("outcome");
    // The colour the picture shows in its middle; none where it is not one colour.
    QTest::addColumn<QColor>("colour");
    QTest::newRow("zero-byte file") << Kind::ZeroBytes << Outcome::LoadError << QColor();
    QTest::newRow("JPEG cut in its header") << Kind::TruncatedInHeader << Outcome::LoadError << QColor();
    // The decoder shows what arrived and fills in the rest.
    QTest::newRow("JPEG cut in its picture data") << Kind::TruncatedInScan << Outcome::Picture << QColor();
    QTest::newRow("text file named .jpg") << Kind::TextFile << Outcome::LoadError << QColor();
    // The loader goes by the content, not by the name.
    QTest::newRow("PNG named .jpg") << Kind::PngFile << Outcome::Picture << solidColour;
    QTest::newRow("progressive JPEG") << Kind::Progressive << Outcome::Picture << solidColour;
    QTest::newRow("greyscale JPEG") << Kind::Greyscale << Outcome::Picture << greyColour;
    QTest::newRow("CMYK JPEG") << Kind::Cmyk << Outcome::Picture << solidColour;
    QTest::newRow("JPEG whose header claims 30000 x 30000") << Kind::HugeHeader << Outcome::PictureOrLoadError << QColor();
    QTest::newRow("folder named like the face") << Kind::Folder << Outcome::Missing << QColor();
    QTest::newRow("hidden face file") << Kind::Hidden << Outcome::Missing << QColor();
}

void BadPicturesTest::getPicGivesWhatTheFileHolds()
{
    QFETCH(Kind, kind);
    QFETCH(Outcome, outcome);
    QFETCH(QColor, colour);
    TestPlatform platform;
    const Corpus corpus = makeCorpus(platform, kind);
    if (QTest::currentTestFailed())
        return;
    Form1 form;
    form.show();

    ui::Picture picture;
    checkMemoryBounded([&] { picture = form.getPic(corpus.cardSet, corpus.face); });

    if (outcome == Outcome::PictureOrLoadError)
        outcome = picture ? Outcome::Picture : Outcome::LoadError;
    switch (outcome) {
    case Outcome::Picture:
        QVERIFY(picture);
        QVERIFY(!picture->isNull());
        if (colour.isValid())
            QVERIFY(showsColour(picture, colour));
        QCOMPARE(platform.messages, QStringList());
        QVERIFY(!form.isClosing());
        break;
    case Outcome::Missing:
        QVERIFY(!picture);
        QCOMPARE(platform.messages, QStringList{missing(corpus.path)});
        QVERIFY(!form.isClosing());
        QVERIFY(form.isVisible());
        break;
    case Outcome::LoadError:
        QVERIFY(!picture);
        checkEnded(platform, form, corpus.path);
        break;
    case Outcome::PictureOrLoadError:
        break;
    }
}

void BadPicturesTest::buildGivesWhatTheFileHolds()
{
    QFETCH(Kind, kind);
    QFETCH(Outcome, outcome);
    QFETCH(QColor, colour);
    TestPlatform platform;
    const Corpus corpus = makeCorpus(platform, kind);
    if (QTest::currentTestFailed())
        return;
    // A good set to fall back on when a face is missing.
    fixture::writePictures(platform, 8, QStringLiteral("cardBirds"), QStringLiteral("deckWaves"));
    fixture::writeScoresNobodyBeats(platform);
    platform.modalAnswers.push_back([](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        dialog.Combo1.setCurrentIndex(dialog.Combo1.findText(QStringLiteral("cardBirds")));
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    });
    Form1 form;
    form.cardName = corpus.cardSet;
    fixture::showAtDesignedSize(form);

    checkMemoryBounded([&] { QTest::mouseClick(&form.Command1, Qt::LeftButton); });

    if (outcome == Outcome::PictureOrLoadError)
        outcome = form.isClosing() ? Outcome::LoadError : Outcome::Picture;
    // The pair whose face is the bad file: keys count faces from 1.
    const QString setOfThePair = outcome == Outcome::Missing ? QStringLiteral("cardBirds") : corpus.cardSet;
    const QString key = setOfThePair + QString::number(corpus.face + 1);
    switch (outcome) {
    case Outcome::Picture:
    case Outcome::Missing: {
        QCOMPARE(platform.messages, outcome == Outcome::Missing ? QStringList{missing(corpus.path)} : QStringList());
        QCOMPARE(platform.modalCaptions.size(), outcome == Outcome::Missing ? 1 : 0);
        QCOMPARE(form.cardName, setOfThePair);
        QVERIFY(form.isBoardReady());
        QVERIFY(!form.isClosing());
        int cards = 0;
        form.board().forEachCell([&](int x, int y) {
            const MemoCard& card = form.board().card(x, y);
            if (card.fName == key) {
                ++cards;
                QVERIFY(card.pic);
                if (colour.isValid() && outcome == Outcome::Picture)
                    QVERIFY(showsColour(card.pic, colour));
            }
        });
        QCOMPARE(cards, 2);
        break;
    }
    case Outcome::LoadError:
        checkEnded(platform, form, corpus.path);
        QCOMPARE(platform.modalCaptions, QStringList());
        QVERIFY(!form.isBoardReady());
        break;
    case Outcome::PictureOrLoadError:
        break;
    }
}

QTEST_MAIN(BadPicturesTest)
#include "tst_badpictures.moc"
