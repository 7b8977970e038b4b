// What the board surface shows.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "pictures/CardPainting.h"
#include "settings/Dialog.h"
#include "ui/Twips.h"

#include <QPainter>
#include <QTest>

namespace {

MemoCard cardOf(int width, int height, bool open, bool found, ui::Picture face)
{
    MemoCard card;
    card.x1 = 30;
    card.y1 = 30;
    card.x2 = 30 + width;
    card.y2 = 30 + height;
    card.isOpen = open;
    card.isFound = found;
    card.pic = std::move(face);
    return card;
}

ui::Picture plain(QColor colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return ui::makePicture(image);
}

QColor meanColour(const QImage& image, const QRect& area)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    return QColor(int(r / n), int(g / n), int(b / n));
}

// The mean colour a card shows: a stretched picture keeps its mean colour.
QColor meanOfCard(const Form1& form, int x, int y)
{
    const MemoCard& card = form.board().card(x, y);
    const QImage& canvas = form.Picture1.canvas();
    const qreal ratio = canvas.devicePixelRatio();
    const QRect inPixels(QPointF(ui::toPixels(card.x1 + 15) * ratio, ui::toPixels(card.y1 + 15) * ratio).toPoint(),
                         QPointF(ui::toPixels(card.x2 - 15) * ratio, ui::toPixels(card.y2 - 15) * ratio).toPoint());
    return meanColour(canvas, inPixels);
}

bool closeColours(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 10 && std::abs(a.green() - b.green()) <= 10
        && std::abs(a.blue() - b.blue()) <= 10;
}

} // namespace

class DrawingTest : public QObject
{
    Q_OBJECT

private slots:
    void choosesThePictureOfACard_data();
    void choosesThePictureOfACard();
    void paintsAPictureStretchedIntoItsCard();
    void foundPairLooksLikeOpenCards();
    void missingPicturesShowTheFallback();
    void nothingIsDrawnWhileNoBoardIsDealt();
    void redrawRepaintsTheBoard();
};

void DrawingTest::choosesThePictureOfACard_data()
{
    const ui::Picture face = plain(Qt::red);
    const ui::Picture deck = plain(Qt::blue);
    const ui::Picture fallback = plain(Qt::yellow);
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("found");
    QTest::addColumn<ui::Picture>("face");
    QTest::addColumn<ui::Picture>("deck");
    QTest::addColumn<ui::Picture>("fallback");
    QTest::addColumn<ui::Picture>("painted");
    QTest::newRow("face down shows the deck") << 600 << 400 << false << false << face << deck << fallback << deck;
    QTest::newRow("face down without deck") << 600 << 400 << false << false << face << ui::Picture() << fallback
                                            << fallback;
    QTest::newRow("open shows the face") << 600 << 400 << true << false << face << deck << fallback << face;
    QTest::newRow("found shows the face") << 600 << 400 << false << true << face << deck << fallback << face;
    QTest::newRow("open and found") << 600 << 400 << true << true << face << deck << fallback << face;
    QTest::newRow("open without face") << 600 << 400 << true << false << ui::Picture() << deck << fallback
                                       << fallback;
    QTest::newRow("50 x 50 is painted") << 50 << 50 << false << false << face << deck << fallback << deck;
    QTest::newRow("49 wide is not") << 49 << 50 << false << false << face << deck << fallback << ui::Picture();
    QTest::newRow("49 high is not") << 50 << 49 << true << false << face << deck << fallback << ui::Picture();
    QTest::newRow("no inside at all") << -10 << 400 << true << false << face << deck << fallback << ui::Picture();
}

void DrawingTest::choosesThePictureOfACard()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, open);
    QFETCH(bool, found);
    QFETCH(ui::Picture, face);
    QFETCH(ui::Picture, deck);
    QFETCH(ui::Picture, fallback);
    QFETCH(ui::Picture, painted);
    QCOMPARE(pictures::pictureToPaint(cardOf(width, height, open, found, face), deck, fallback), painted);
}

void DrawingTest::paintsAPictureStretchedIntoItsCard()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    // A tall picture, red above and blue below, on a wide card.
    QImage tall(30, 200, QImage::Format_RGB32);
    tall.fill(Qt::red);
    QPainter(&tall).fillRect(0, 100, 30, 100, Qt::blue);
    for (int n = 0; n < 8; ++n)
        tall.save(platform.picsDir() + QStringLiteral("/cardPussy0%1.jpg").arg(n), "JPG", 95);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    fixture::clickCard(form, 1, 1);

    const MemoCard& card = form.board().card(1, 1);
    const QImage& canvas = form.Picture1.canvas();
    const qreal ratio = canvas.devicePixelRatio();
    const auto at = [&](double xTwips, double yTwips) {
        return canvas.pixelColor(QPointF(ui::toPixels(xTwips) * ratio, ui::toPixels(yTwips) * ratio).toPoint());
    };
    const double left = card.x1 + 60, right = card.x2 - 60, top = card.y1 + 60, bottom = card.y2 - 60;
    const double middleX = (card.x1 + card.x2) / 2.0;
    // The whole picture fills the card: red reaches its top corners, blue its bottom ones.
    QVERIFY(fixture::sameColour(at(left, top), Qt::red));
    QVERIFY(fixture::sameColour(at(right, top), Qt::red));
    QVERIFY(fixture::sameColour(at(middleX, card.y1 + (card.y2 - card.y1) * 0.4), Qt::red));
    QVERIFY(fixture::sameColour(at(middleX, card.y1 + (card.y2 - card.y1) * 0.6), Qt::blue));
    QVERIFY(fixture::sameColour(at(left, bottom), Qt::blue));
    QVERIFY(fixture::sameColour(at(right, bottom), Qt::blue));
    // Beside the card, the surface's own background.
    QCOMPARE(at(card.x2 + 45, (card.y1 + card.y2) / 2.0), form.Picture1.backColor());
}

void DrawingTest::foundPairLooksLikeOpenCards()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    const QPoint partner = fixture::partnerOf(form, 0, 0);
    fixture::clickCard(form, 0, 0);
    const MemoCard& card = form.board().card(0, 0);
    const QImage& canvas = form.Picture1.canvas();
    const qreal ratio = canvas.devicePixelRatio();
    const QRect inPixels(QPointF(ui::toPixels(card.x1) * ratio, ui::toPixels(card.y1) * ratio).toPoint(),
                         QPointF(ui::toPixels(card.x2) * ratio - 1, ui::toPixels(card.y2) * ratio - 1).toPoint());
    const QImage open = canvas.copy(inPixels);

    fixture::clickCard(form, partner.x(), partner.y());

    QVERIFY(card.isFound);
    QCOMPARE(form.Picture1.canvas().copy(inPixels), open);
}

void DrawingTest::missingPicturesShowTheFallback()
{
    TestPlatform platform;
    // Faces 00 to 06 and no deck: the eighth pair and every back are missing.
    fixture::writePictures(platform, 7, QStringLiteral("cardPussy"), QStringLiteral("deckNone"));
    Form1 form;
    fixture::showAtDesignedSize(form);
    const auto cancel = [](ui::Window& window) {
        QTest::mouseClick(&static_cast<Dialog&>(window).CancelButton, Qt::LeftButton);
    };
    platform.modalAnswers = {cancel, cancel};
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    QVERIFY(form.Image2.hasPicture());
    QVERIFY(!form.Image1.hasPicture());
    const QColor fallback = meanColour(*form.Image2.picture(), form.Image2.picture()->rect());

    QPoint missing(-1, -1);
    form.board().forEachCell([&](int x, int y) {
        if (!form.board().card(x, y).pic)
            missing = QPoint(x, y);
    });
    QVERIFY(missing.x() >= 0);
    const QPoint other = missing == QPoint(0, 0) ? QPoint(1, 0) : QPoint(0, 0);
    QVERIFY(closeColours(meanOfCard(form, other.x(), other.y()), fallback));
    fixture::clickCard(form, missing.x(), missing.y());
    QVERIFY(form.board().card(missing.x(), missing.y()).isOpen);
    QVERIFY(closeColours(meanOfCard(form, missing.x(), missing.y()), fallback));
}

void DrawingTest::nothingIsDrawnWhileNoBoardIsDealt()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    const QImage before = form.Picture1.canvas();
    form.Form_Paint();
    form.redraw();
    QCOMPARE(form.Picture1.canvas(), before);
}

void DrawingTest::redrawRepaintsTheBoard()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    fixture::clickCard(form, 2, 3);
    const QImage dealt = form.Picture1.canvas();
    form.Picture1.clear();
    QVERIFY(form.Picture1.canvas() != dealt);
    form.redraw();
    QCOMPARE(form.Picture1.canvas(), dealt);
}

QTEST_MAIN(DrawingTest)
#include "tst_drawing.moc"
