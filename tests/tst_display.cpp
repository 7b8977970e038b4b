// The board on the screen: the surface follows the window, the cards share it,
// and each card shows its picture stretched over exactly its rectangle.
#include "BoardFixture.h"

#include "pictures/CardPainting.h"
#include "pictures/Layout.h"
#include "ui/Twips.h"

#include <QPainter>
#include <QTest>

using fixture::Game;

namespace {

QRect rectOf(const MemoCard& card)
{
    return QRect(QPoint(card.x1, card.y1), QPoint(card.x2, card.y2));
}

ui::Picture plain(QColor colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return ui::makePicture(image);
}

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

struct Card
{
    enum Painted { nothing, face, deck, fallback };
    QSize size;
    bool open;
    bool found;
    bool hasFace;
    bool hasDeck;
    Painted painted;
};

class DisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void designedWindowLaysOutEveryBoardSize_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QRect>("first");
        QTest::addColumn<QRect>("last");
        QTest::newRow("4 x 4") << 4 << 4 << QRect(QPoint(30, 30), QPoint(1632, 1004))
                               << QRect(QPoint(5226, 3342), QPoint(6828, 4316));
        QTest::newRow("5 x 4") << 5 << 4 << QRect(QPoint(30, 30), QPoint(1286, 1004))
                               << QRect(QPoint(5574, 3342), QPoint(6830, 4316));
        QTest::newRow("6 x 4") << 6 << 4 << QRect(QPoint(30, 30), QPoint(1055, 1004))
                               << QRect(QPoint(5805, 3342), QPoint(6830, 4316));
        QTest::newRow("6 x 5") << 6 << 5 << QRect(QPoint(30, 30), QPoint(1055, 783))
                               << QRect(QPoint(5805, 3562), QPoint(6830, 4315));
        QTest::newRow("6 x 6") << 6 << 6 << QRect(QPoint(30, 30), QPoint(1055, 636))
                               << QRect(QPoint(5805, 3710), QPoint(6830, 4316));
    }

    void designedWindowLaysOutEveryBoardSize()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QRect, first);
        QFETCH(QRect, last);
        Game game(columns, rows);
        const ui::Surface& surface = game.form.Picture1;
        QCOMPARE(QRectF(surface.left(), surface.top(), surface.width(), surface.height()), QRectF(0, 595, 6930, 4415));
        QCOMPARE(rectOf(game.form.board().card(0, 0)), first);
        QCOMPARE(rectOf(game.form.board().card(columns - 1, rows - 1)), last);
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

    void surfaceFollowsTheWindow_data()
    {
        QTest::addColumn<QSizeF>("client");
        QTest::addColumn<QSizeF>("surface");
        QTest::addColumn<QRect>("first");
        QTest::newRow("larger") << QSizeF(9240, 7515) << QSizeF(9240, 6920) << QRect(QPoint(30, 30), QPoint(2210, 1630));
        // No higher than the surface's top: the height stays, and so do the cards' heights.
        QTest::newRow("too low") << QSizeF(6930, 450) << QSizeF(6930, 4415) << QRect(QPoint(30, 30), QPoint(1632, 1004));
    }

    void surfaceFollowsTheWindow()
    {
        QFETCH(QSizeF, client);
        QFETCH(QSizeF, surface);
        QFETCH(QRect, first);
        Game game;
        Form1& form = game.form;
        // A turn half done: the open card is repainted face up, the others face down.
        fixture::clickCard(form, 0, 0);
        form.setClientSize(float(client.width()), float(client.height()));

        QCOMPARE(QSizeF(form.Picture1.width(), form.Picture1.height()), surface);
        QCOMPARE(form.Picture1.top(), 595.0f);
        // The top row stays where it was designed.
        QCOMPARE(form.Label2.left(), 2520.0f);
        QCOMPARE(rectOf(form.board().card(0, 0)), first);
        if (client.height() > 595) {
            QVERIFY(fixture::showsAsItIs(form, QPoint(0, 0)));
            QVERIFY(fixture::showsAsItIs(form, QPoint(3, 3)));
        }
    }

    void choosesThePictureOfACard_data()
    {
        QTest::addColumn<Card>("card");
        QTest::newRow("face down shows the deck") << Card{{600, 400}, false, false, true, true, Card::deck};
        QTest::newRow("face down without deck") << Card{{600, 400}, false, false, true, false, Card::fallback};
        QTest::newRow("open shows the face") << Card{{600, 400}, true, false, true, true, Card::face};
        QTest::newRow("found shows the face") << Card{{600, 400}, false, true, true, true, Card::face};
        QTest::newRow("open without face") << Card{{600, 400}, true, false, false, true, Card::fallback};
        QTest::newRow("50 x 50 is painted") << Card{{50, 50}, false, false, true, true, Card::deck};
        QTest::newRow("49 wide is not") << Card{{49, 50}, false, false, true, true, Card::nothing};
        QTest::newRow("49 high is not") << Card{{50, 49}, true, false, true, true, Card::nothing};
    }

    void choosesThePictureOfACard()
    {
        QFETCH(Card, card);
        const ui::Picture pictures[] = {{}, plain(Qt::red), plain(Qt::blue), plain(Qt::yellow)};
        MemoCard memo;
        memo.x1 = 30;
        memo.y1 = 30;
        memo.x2 = 30 + card.size.width();
        memo.y2 = 30 + card.size.height();
        memo.isOpen = card.open;
        memo.isFound = card.found;
        memo.pic = card.hasFace ? pictures[Card::face] : nullptr;
        const ui::Picture deck = card.hasDeck ? pictures[Card::deck] : nullptr;
        QCOMPARE(pictures::pictureToPaint(memo, deck, pictures[Card::fallback]), pictures[card.painted]);
    }

    void faceIsStretchedOverItsCard_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("4000 x 3000 photo") << QSize(4000, 3000);
        QTest::newRow("3000 x 4000 photo") << QSize(3000, 4000);
        QTest::newRow("160 x 120 picture") << QSize(160, 120);
        QTest::newRow("120 x 1200 strip") << QSize(120, 1200);
    }

    void faceIsStretchedOverItsCard()
    {
        QFETCH(QSize, size);
        QuarteredGame game(size);
        QVERIFY(game.form.board().card(0, 0).isOpen);
        checkStretched(game.form, game.cell);
        // Painted again by the whole board's repaint, it is the same.
        game.form.redraw();
        checkStretched(game.form, game.cell);
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

    void missingPicturesShowTheFallback()
    {
        TestPlatform platform;
        // Faces 00 to 06 and no deck: the eighth pair and every back are missing.
        fixture::writePictures(platform, 7, QStringLiteral("cardPussy"), QStringLiteral("deckNone"));
        Form1 form;
        fixture::showAtDesignedSize(form);
        platform.modalAnswers = {fixture::cancelSettings, fixture::cancelSettings};
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        const QImage& fallbackPicture = *form.Image2.picture();
        QCOMPARE(fallbackPicture.size(), QSize(52, 41));
        const QColor fallback = fixture::meanColour(fallbackPicture);

        // Cells (3, 2) and (3, 3) hold the pair without a face.
        QVERIFY(!form.board().card(3, 3).pic);
        QVERIFY(fixture::sameColour(fixture::meanColourOfCard(form, 0, 0), fallback));
        fixture::clickCard(form, 3, 3);
        QVERIFY(form.board().card(3, 3).isOpen);
        QVERIFY(fixture::sameColour(fixture::meanColourOfCard(form, 3, 3), fallback));
    }

    void layoutChangeRenewsTheScaledCopies()
    {
        QuarteredGame game(QSize(4000, 3000));
        Form1& form = game.form;
        // A layout's cards come in at most two widths and two heights (their edges
        // fall on the nearest pixels): the deck at four sizes at the most, the open face at one.
        constexpr std::size_t oneLayout = 5;
        QVERIFY(form.Picture1.scaledCopies() >= 2);
        QVERIFY(form.Picture1.scaledCopies() <= oneLayout);
        for (const QSize size : {QSize(9000, 7000), QSize(5000, 4000), QSize(12000, 6000), QSize(6930, 5010)}) {
            const QRectF before = cardOnCanvas(form, game.cell);
            form.setClientSize(size.width(), size.height());
            QVERIFY(cardOnCanvas(form, game.cell) != before);
            checkStretched(form, game.cell);
            // Copies for two layouts at the most: those of the one before go at the
            // next whole repaint.
            QVERIFY2(form.Picture1.scaledCopies() <= 2 * oneLayout, qPrintable(QString::number(form.Picture1.scaledCopies())));
        }
        form.drawSquare();
        QVERIFY2(form.Picture1.scaledCopies() <= oneLayout, qPrintable(QString::number(form.Picture1.scaledCopies())));

        // Pictures of one size, made and let go in turn: the allocator may give the
        // next one the address of the last, and its copy must not be taken for it.
        for (int round = 0; round < 20; ++round) {
            const QColor colour = round % 2 ? Qt::red : Qt::blue;
            form.Picture1.paintPicture(plain(colour), 150, 150, 1500, 1200);
            QVERIFY(fixture::sameColour(form.Picture1.canvas().pixelColor(50, 50), colour));
        }
    }
};

QTEST_MAIN(DisplayTest)
#include "tst_display.moc"
