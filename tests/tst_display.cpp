// The board on the screen: the surface follows the window, the cards share it,
// and each card shows its picture stretched over exactly its rectangle.
#include "BoardFixture.h"

#include "pictures/Layout.h"
#include "ui/Twips.h"

#include <QPainter>
#include <QTest>

using fixture::Game;

namespace {

const QColor topLeft(255, 0, 0);
const QColor topRight(0, 255, 0);
const QColor bottomLeft(0, 0, 255);
const QColor bottomRight(255, 255, 0);

// A picture cut into four fields at a quarter of its width and height: where
// those lines land on a card tells how the picture was fitted.
QImage quarteredPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const int across = size.width() / 4;
    const int down = size.height() / 4;
    QPainter painter(&image);
    painter.fillRect(0, 0, across, down, topLeft);
    painter.fillRect(across, 0, size.width() - across, down, topRight);
    painter.fillRect(0, down, across, size.height() - down, bottomLeft);
    painter.fillRect(across, down, size.width() - across, size.height() - down, bottomRight);
    return image;
}

// A card's rectangle on the canvas, in device pixels.
QRectF cardOnCanvas(const Form1& form, QPoint cell)
{
    const MemoCard& card = form.board().card(cell.x(), cell.y());
    const qreal ratio = form.Picture1.canvas().devicePixelRatio();
    return QRectF(ui::toPixels(card.x1) * ratio, ui::toPixels(card.y1) * ratio, ui::toPixels(card.x2 - card.x1) * ratio,
                  ui::toPixels(card.y2 - card.y1) * ratio);
}

// Checks that the card shows the quartered picture stretched over exactly its
// rectangle: each field where it belongs, the dividing lines at a quarter of the
// card's width and height, and the surface's background just outside.
void checkStretched(const Form1& form, QPoint cell)
{
    const QRectF card = cardOnCanvas(form, cell);
    const qreal lineX = card.left() + card.width() / 4;
    const qreal lineY = card.top() + card.height() / 4;
    const qreal in = 3;
    const std::pair<QPointF, QColor> probes[] = {
        {{card.left() + in, card.top() + in}, topLeft},
        {{card.right() - in, card.top() + in}, topRight},
        {{card.left() + in, card.bottom() - in}, bottomLeft},
        {{card.right() - in, card.bottom() - in}, bottomRight},
        {{lineX - in, lineY - in}, topLeft},
        {{lineX + in, lineY - in}, topRight},
        {{lineX - in, lineY + in}, bottomLeft},
        {{lineX + in, lineY + in}, bottomRight},
        {{card.right() + in, card.center().y()}, form.Picture1.backColor()},
        {{card.center().x(), card.bottom() + in}, form.Picture1.backColor()},
    };
    for (const auto& [at, expected] : probes) {
        const QColor shown = form.Picture1.canvas().pixelColor(at.toPoint());
        QVERIFY2(fixture::sameColour(shown, expected),
                 qPrintable(QStringLiteral("at (%1, %2): %3 instead of %4")
                                .arg(at.x()).arg(at.y()).arg(shown.name(), expected.name())));
    }
}

// A dealt 4 x 4 game whose face 00 is the quartered picture of the given size,
// that face turned up on cell (0, 0).
struct QuarteredGame
{
    explicit QuarteredGame(QSize size)
    {
        fixture::writePictures(platform, 8);
        QVERIFY(quarteredPicture(size).save(platform.picsDir() + QStringLiteral("/cardPussy00.jpg"), "JPG", 95));
        fixture::showAtDesignedSize(form);
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        fixture::clickCard(form, 0, 0);
    }

    TestPlatform platform;
    Form1 form;
    const QPoint cell{0, 0};
};

} // namespace

struct Layout
{
    QSize board;
    QSize client;
    QSize surface;
    // The first and the last card's left, top, right and bottom.
    QList<int> first;
    QList<int> last;
};

class DisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void surfaceAndCardsFollowTheWindow_data()
    {
        QTest::addColumn<Layout>("layout");
        const QSize designed(6930, 5010);
        const QSize surface(6930, 4415);
        QTest::newRow("4 x 4") << Layout{{4, 4}, designed, surface, {30, 30, 1632, 1004}, {5226, 3342, 6828, 4316}};
        QTest::newRow("5 x 4") << Layout{{5, 4}, designed, surface, {30, 30, 1286, 1004}, {5574, 3342, 6830, 4316}};
        QTest::newRow("6 x 4") << Layout{{6, 4}, designed, surface, {30, 30, 1055, 1004}, {5805, 3342, 6830, 4316}};
        QTest::newRow("6 x 5") << Layout{{6, 5}, designed, surface, {30, 30, 1055, 783}, {5805, 3562, 6830, 4315}};
        QTest::newRow("6 x 6") << Layout{{6, 6}, designed, surface, {30, 30, 1055, 636}, {5805, 3710, 6830, 4316}};
        QTest::newRow("4 x 4, larger") << Layout{{4, 4}, {9240, 7515}, {9240, 6920}, {30, 30, 2210, 1630},
                                                 {6960, 5220, 9140, 6820}};
        // No higher than the surface's top: the height stays, and so do the cards'.
        QTest::newRow("4 x 4, too low") << Layout{{4, 4}, {6930, 450}, {6930, 4415}, {30, 30, 1632, 1004},
                                                  {5226, 3342, 6828, 4316}};
    }

    void surfaceAndCardsFollowTheWindow()
    {
        QFETCH(Layout, layout);
        Game game(layout.board.width(), layout.board.height());
        Form1& form = game.form;
        // A turn half done: the open card is repainted face up, the others face down.
        fixture::clickCard(form, 0, 0);
        form.setClientSize(layout.client.width(), layout.client.height());
        const ui::Surface& surface = form.Picture1;
        QCOMPARE(QRectF(surface.left(), surface.top(), surface.width(), surface.height()),
                 QRectF(QPointF(0, 595), QSizeF(layout.surface)));
        // 595 twips are 39.7 pixels: the surface lands on the nearest.
        QCOMPARE(surface.y(), 40);
        // The top row stays where it was designed.
        QCOMPARE(form.Label2.left(), 2520.0f);
        const QPoint last(layout.board.width() - 1, layout.board.height() - 1);
        const auto corners = [](const MemoCard& card) { return QList<int>{card.x1, card.y1, card.x2, card.y2}; };
        QCOMPARE(corners(form.board().card(0, 0)), layout.first);
        QCOMPARE(corners(form.board().card(last.x(), last.y())), layout.last);
        QVERIFY(fixture::showsAsItIs(form, QPoint(0, 0)));
        QVERIFY(fixture::showsAsItIs(form, last));
    }

    void cellSizeRoundsHalvesToEven_data()
    {
        QTest::addColumn<float>("surfaceWidth");
        QTest::addColumn<int>("cellWidth");
        QTest::newRow("6934 gives 1734") << 6934.0f << 1734;
        QTest::newRow("6930 gives 1732") << 6930.0f << 1732;
        QTest::newRow("6929.5 is 6930 first") << 6929.5f << 1732;
    }

    void cellSizeRoundsHalvesToEven()
    {
        QFETCH(float, surfaceWidth);
        QFETCH(int, cellWidth);
        Board board(4, 4);
        board.forEachCell([&](int x, int y) { board.at(x, y) = std::make_shared<MemoCard>(); });
        pictures::layOutCards(board, surfaceWidth, 4415);
        QCOMPARE(board.card(1, 0).x1 - board.card(0, 0).x1, cellWidth);
        QCOMPARE(board.card(0, 0).x2, cellWidth - 100);
        QCOMPARE(board.card(0, 1).y1 - board.card(0, 0).y1, 1104);
    }

    void faceIsStretchedOverItsCard_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("4000 x 3000 photo") << QSize(4000, 3000);
        QTest::newRow("3000 x 4000 photo") << QSize(3000, 4000);
        QTest::newRow("120 x 1200 strip") << QSize(120, 1200);
    }

    void faceIsStretchedOverItsCard()
    {
        QFETCH(QSize, size);
        QuarteredGame game(size);
        Form1& form = game.form;
        QVERIFY(form.board().card(0, 0).isOpen);
        checkStretched(form, game.cell);
        // Painted again by the whole board's repaint, or at another size, it
        // is stretched anew; a layout's cards come in at most two widths and two
        // heights, so the copies held for them stay few.
        form.redraw();
        checkStretched(form, game.cell);
        for (const QSize client : {QSize(9000, 7000), QSize(5000, 4000)}) {
            form.setClientSize(client.width(), client.height());
            checkStretched(form, game.cell);
            QVERIFY2(form.Picture1.scaledCopies() <= 10, qPrintable(QString::number(form.Picture1.scaledCopies())));
        }
        form.drawSquare();
        QVERIFY2(form.Picture1.scaledCopies() <= 5, qPrintable(QString::number(form.Picture1.scaledCopies())));
    }

    void foundPairLooksLikeOpenCards()
    {
        Game game;
        Form1& form = game.form;
        const QPoint partner = fixture::partnerOf(form, 0, 0);
        fixture::clickCard(form, 0, 0);
        const QRectF card = cardOnCanvas(form, QPoint(0, 0));
        const QImage open = form.Picture1.canvas().copy(card.toAlignedRect());

        fixture::clickCard(form, partner.x(), partner.y());

        QVERIFY(form.board().card(0, 0).isFound);
        QCOMPARE(form.Picture1.canvas().copy(card.toAlignedRect()), open);
    }

    void newPictureIsNotTakenForAReleasedOne()
    {
        // Pictures of one size, made and let go in turn: the allocator may give the
        // next one the address of the last, and its scaled copy must not be taken for it.
        fixture::Game game;
        Form1& form = game.form;
        for (int round = 0; round < 20; ++round) {
            const QColor colour = round % 2 ? Qt::red : Qt::blue;
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(colour);
            form.Picture1.paintPicture(imaging::makePicture(picture), 150, 150, 1500, 1200);
            QVERIFY(fixture::sameColour(form.Picture1.canvas().pixelColor(50, 50), colour));
        }
    }
};

QTEST_MAIN(DisplayTest)
#include "tst_display.moc"
