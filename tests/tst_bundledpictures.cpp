// The pictures the game ships, as a player meets them: both card sets complete,
// every face of a set unmistakable even on the smallest card the board shows,
// and both decks.
#include <QCoreApplication>
#include <QImageReader>
#include <QTest>

#include <cmath>

namespace {

// The smallest card the board shows: a 9 x 9 board in the smallest window.
const QSize smallestCard(68, 40);

// Mean colour difference per pixel of two pictures shrunk to the smallest card,
// measured in the Oklab colour space and scaled by 100, so that 1 is about the
// least difference an eye notices and black against white is 100.
//
// Measured on the faces drawn by tools/makepics: the closest two faces of a set
// are 15.9 apart (cats: the sleeping calico on lavender and the tabby in a box
// on pink) and 16.7 (birds: the duck on peach and the kingfisher on sand). A
// face against itself shifted by 3 pixels, with a 28-pixel blob painted on it
// and saved again as a rough JPEG, comes to 6.6 at the most: 11 sits well
// between the two.
constexpr double clearlyDifferent = 11.0;

std::array<double, 3> oklab(QRgb pixel)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
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

double difference(const QImage& first, const QImage& second)
{
    const auto shrunk = [](const QImage& picture) {
        return picture.scaled(smallestCard, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage a = shrunk(first);
    const QImage b = shrunk(second);
    double sum = 0.0;
    for (int y = 0; y < smallestCard.height(); ++y) {
        for (int x = 0; x < smallestCard.width(); ++x) {
            const auto p = oklab(a.pixel(x, y));
            const auto q = oklab(b.pixel(x, y));
            sum += std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
        }
    }
    return 100.0 * sum / (smallestCard.width() * smallestCard.height());
}

// A picture of the pics folder beside the tests' build, checked to be a
// landscape colour JPEG of at least 240 pixels across.
QImage bundled(const QString& name)
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/../pics/") + name;
    QImageReader reader(path);
    const bool jpeg = reader.format() == "jpeg";
    const QImage picture = reader.read();
    const double shape = picture.isNull() ? 0 : double(picture.width()) / picture.height();
    if (jpeg && picture.width() >= 240 && shape > 1.4 && shape < 1.6 && !picture.isGrayscale())
        return picture;
    qWarning("%s is not a landscape colour JPEG: %s", qPrintable(path), qPrintable(reader.errorString()));
    return {};
}

} // namespace

class BundledPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void facesDifferOnTheSmallestCard_data()
    {
        QTest::addColumn<QString>("set");
        QTest::newRow("cats") << QStringLiteral("cardPussy");
        QTest::newRow("birds") << QStringLiteral("cardBirds");
    }

    void facesDifferOnTheSmallestCard()
    {
        QFETCH(QString, set);
        QList<QImage> pictures;
        for (int n = 0; n < 18; ++n)
            pictures << bundled(set + QStringLiteral("%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        // A card back must not be mistaken for a face either.
        pictures << bundled(QStringLiteral("deckAcorn.jpg")) << bundled(QStringLiteral("deckWaves.jpg"));
        for (const QImage& picture : pictures)
            QVERIFY(!picture.isNull());
        for (int i = 0; i < 18; ++i) {
            for (int j = i + 1; j < pictures.size(); ++j) {
                const double d = difference(pictures[i], pictures[j]);
                QVERIFY2(d > clearlyDifferent, qPrintable(QStringLiteral("%1: pictures %2 and %3 are only %4 apart")
                                                            .arg(set).arg(i).arg(j).arg(d, 0, 'f', 1)));
            }
        }
    }
};

QTEST_MAIN(BundledPicturesTest)
#include "tst_bundledpictures.moc"
