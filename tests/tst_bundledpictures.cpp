// The pictures the game ships, as a player meets them: both card sets complete,
// every face of a set unmistakable even on the smallest card the board shows,
// both decks, and the fallback picture and window icon built into the program.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cmath>

namespace {

// The smallest card the board shows: a 9 x 9 board in the smallest window.
constexpr int smallestCardWidth = 68;
constexpr int smallestCardHeight = 40;

// Mean colour difference per pixel of two faces shrunk to the smallest card,
// measured in the Oklab colour space and scaled by 100, so that 1 is about the
// least difference an eye notices and black against white is 100.
//
// Measured on the faces drawn by tools/makepics: the closest two faces of a set
// are 15.9 apart (cats: the sleeping calico on lavender and the tabby in a box
// on pink) and 16.7 (birds: the duck on peach and the kingfisher on sand); the
// farthest about 50. A face against itself shifted by 3 pixels, with a 28-pixel
// blob painted on it and saved again as a rough JPEG, comes to 6.6 at the most.
// 11 sits well between the two: a face that is merely the same picture again,
// or differs only in a detail, stays under it, and the closest real pair of
// faces lies nearly half as much again above it.
constexpr double clearlyDifferent = 11.0;

QString picturesFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../pics"));
}

QString facePath(const QString& set, int index)
{
    return picturesFolder() + QStringLiteral("/%1%2.jpg").arg(set).arg(index, 2, 10, QLatin1Char('0'));
}

QImage load(const QString& path)
{
    QImageReader reader(path);
    return reader.read();
}

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct Oklab
{
    double L;
    double a;
    double b;
};

Oklab oklab(QRgb pixel)
{
    const double r = linear(qRed(pixel));
    const double g = linear(qGreen(pixel));
    const double b = linear(qBlue(pixel));
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

QImage onSmallestCard(const QImage& face)
{
    return face.scaled(smallestCardWidth, smallestCardHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

double difference(const QImage& first, const QImage& second)
{
    const QImage a = onSmallestCard(first);
    const QImage b = onSmallestCard(second);
    double sum = 0.0;
    for (int y = 0; y < smallestCardHeight; ++y) {
        for (int x = 0; x < smallestCardWidth; ++x) {
            const Oklab p = oklab(a.pixel(x, y));
            const Oklab q = oklab(b.pixel(x, y));
            sum += std::sqrt((p.L - q.L) * (p.L - q.L) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
        }
    }
    return 100.0 * sum / (smallestCardWidth * smallestCardHeight);
}

// The same face again, as near as makes no difference to a player: shifted a
// little, with one small blob changed, and saved once more as a rough JPEG.
QImage nearlyTheSame(const QImage& face)
{
    QImage copy(face.size(), QImage::Format_RGB32);
    copy.fill(Qt::black);
    QPainter painter(&copy);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(3, 2, face);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 255));
    painter.drawEllipse(QPointF(face.width() / 2.0, face.height() / 2.0), 14, 14);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    copy.save(&buffer, "JPEG", 60);
    QImage reread;
    reread.loadFromData(buffer.data(), "JPEG");
    return reread;
}

QList<QImage> loadSet(const QString& set)
{
    QList<QImage> faces;
    for (int i = 0; i < 18; ++i)
        faces.append(load(facePath(set, i)));
    return faces;
}

void addSetRows()
{
    QTest::addColumn<QString>("set");
    QTest::newRow("cats") << QStringLiteral("cardPussy");
    QTest::newRow("birds") << QStringLiteral("cardBirds");
}

} // namespace

class BundledPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void folderHoldsTwoSetsAndTwoDecksWithDistinctNames();
    void setHasEighteenLandscapeFaces_data();
    void setHasEighteenLandscapeFaces();
    void facesDifferOnTheSmallestCard_data();
    void facesDifferOnTheSmallestCard();
    void nearlyTheSameFaceStaysUnderTheThreshold_data();
    void nearlyTheSameFaceStaysUnderTheThreshold();
    void deckLoads_data();
    void deckLoads();
    void builtInPictureLoads_data();
    void builtInPictureLoads();
};

void BundledPicturesTest::initTestCase()
{
    // The pictures are compiled into the static core library; registering them
    // by name makes sure the linker keeps them.
    Q_INIT_RESOURCE(bundled_pictures);
    QVERIFY2(QDir(picturesFolder()).exists(), qPrintable(picturesFolder()));
}

void BundledPicturesTest::folderHoldsTwoSetsAndTwoDecksWithDistinctNames()
{
    const QStringList files = QDir(picturesFolder()).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    static const QRegularExpression face(QStringLiteral("^(card[A-Za-z]+)\\d{2,}\\.jpg$"));
    static const QRegularExpression deck(QStringLiteral("^(deck[A-Za-z]+)\\.jpg$"));
    QSet<QString> sets;
    QSet<QString> decks;
    for (const QString& file : files) {
        if (const QRegularExpressionMatch m = face.match(file); m.hasMatch())
            sets.insert(m.captured(1));
        else if (const QRegularExpressionMatch d = deck.match(file); d.hasMatch())
            decks.insert(d.captured(1));
        else
            QFAIL(qPrintable(QStringLiteral("stray picture %1").arg(file)));
    }
    QCOMPARE(sets, (QSet<QString>{QStringLiteral("cardPussy"), QStringLiteral("cardBirds")}));
    QCOMPARE(decks, (QSet<QString>{QStringLiteral("deckAcorn"), QStringLiteral("deckWaves")}));
    // A set whose name began another's would claim the other's faces too.
    for (const QString& one : sets) {
        for (const QString& other : sets)
            QVERIFY2(one == other || !other.startsWith(one), qPrintable(one + QStringLiteral(" / ") + other));
    }
}

void BundledPicturesTest::setHasEighteenLandscapeFaces_data()
{
    addSetRows();
}

void BundledPicturesTest::setHasEighteenLandscapeFaces()
{
    QFETCH(QString, set);
    for (int i = 0; i < 18; ++i) {
        const QString path = facePath(set, i);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage picture = reader.read();
        QVERIFY2(!picture.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
        QVERIFY2(picture.width() >= 240, qPrintable(path));
        const double shape = double(picture.width()) / picture.height();
        QVERIFY2(shape > 1.4 && shape < 1.6, qPrintable(QStringLiteral("%1 is %2 x %3")
                                                          .arg(path).arg(picture.width()).arg(picture.height())));
        QVERIFY2(!picture.isGrayscale(), qPrintable(path));
    }
    QVERIFY(!QFile::exists(facePath(set, 18)));
}

void BundledPicturesTest::facesDifferOnTheSmallestCard_data()
{
    addSetRows();
}

void BundledPicturesTest::facesDifferOnTheSmallestCard()
{
    QFETCH(QString, set);
    const QList<QImage> faces = loadSet(set);
    for (const QImage& f : faces)
        QVERIFY(!f.isNull());
    for (int i = 0; i < faces.size(); ++i) {
        for (int j = i + 1; j < faces.size(); ++j) {
            const double d = difference(faces[i], faces[j]);
            QVERIFY2(d > clearlyDifferent, qPrintable(QStringLiteral("%1%2 and %1%3 are only %4 apart")
                                                        .arg(set).arg(i, 2, 10, QLatin1Char('0'))
                                                        .arg(j, 2, 10, QLatin1Char('0')).arg(d, 0, 'f', 1)));
        }
    }
}

void BundledPicturesTest::nearlyTheSameFaceStaysUnderTheThreshold_data()
{
    addSetRows();
}

void BundledPicturesTest::nearlyTheSameFaceStaysUnderTheThreshold()
{
    // The measure itself: a threshold that a face and its near copy also
    // cleared would prove nothing about the faces.
    QFETCH(QString, set);
    const QList<QImage> faces = loadSet(set);
    for (int i = 0; i < faces.size(); ++i) {
        QVERIFY(!faces[i].isNull());
        const double d = difference(faces[i], nearlyTheSame(faces[i]));
        QVERIFY2(d > 0.0 && d < clearlyDifferent,
                 qPrintable(QStringLiteral("%1%2 and its near copy are %3 apart")
                                .arg(set).arg(i, 2, 10, QLatin1Char('0')).arg(d, 0, 'f', 1)));
    }
}

void BundledPicturesTest::deckLoads_data()
{
    QTest::addColumn<QString>("deck");
    QTest::newRow("acorn") << QStringLiteral("deckAcorn");
    QTest::newRow("waves") << QStringLiteral("deckWaves");
}

void BundledPicturesTest::deckLoads()
{
    QFETCH(QString, deck);
    const QImage back = load(picturesFolder() + QStringLiteral("/%1.jpg").arg(deck));
    QVERIFY(!back.isNull());
    const double shape = double(back.width()) / back.height();
    QVERIFY2(shape > 1.4 && shape < 1.6, qPrintable(deck));
    // A card back must not be mistaken for a face of either set.
    for (const QString& set : {QStringLiteral("cardPussy"), QStringLiteral("cardBirds")}) {
        for (const QImage& face : loadSet(set)) {
            QVERIFY(!face.isNull());
            QVERIFY2(difference(back, face) > clearlyDifferent, qPrintable(deck + QStringLiteral(" / ") + set));
        }
    }
}

void BundledPicturesTest::builtInPictureLoads_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("seeThroughCorners");
    QTest::newRow("fallback") << QStringLiteral(":/pictures/fallback.jpg") << QSize(52, 41) << false;
    QTest::newRow("icon") << QStringLiteral(":/pictures/icon.png") << QSize(256, 256) << true;
}

void BundledPicturesTest::builtInPictureLoads()
{
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QFETCH(bool, seeThroughCorners);
    QVERIFY2(QFile::exists(resource), qPrintable(resource));
    const QImage picture(resource);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), size);
    QVERIFY(!picture.isGrayscale());
    // The icon sits on any desktop: its corners let the background through.
    QCOMPARE(picture.hasAlphaChannel(), seeThroughCorners);
    if (seeThroughCorners)
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
}

QTEST_MAIN(BundledPicturesTest)
#include "tst_bundledpictures.moc"
