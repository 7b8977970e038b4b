// Pictures held no larger than the screen needs, decoded ahead of the board
// build, and painted from copies scaled to the card.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "settings/Dialog.h"
#include "ui/PicturePrefetch.h"
#include "ui/Twips.h"

#include <QFile>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {

const QColor topLeftColour(255, 0, 0);
const QColor topRightColour(0, 255, 0);
const QColor bottomLeftColour(0, 0, 255);
const QColor bottomRightColour(255, 255, 0);

// A picture cut into four fields at a quarter of its width and a quarter of its
// height: where those lines land on a card tells how the picture was fitted.
QImage quarteredPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const int across = size.width() / 4;
    const int down = size.height() / 4;
    QPainter painter(&image);
    painter.fillRect(0, 0, across, down, topLeftColour);
    painter.fillRect(across, 0, size.width() - across, down, topRightColour);
    painter.fillRect(0, down, across, size.height() - down, bottomLeftColour);
    painter.fillRect(across, down, size.width() - across, size.height() - down, bottomRightColour);
    return image;
}

void writeImage(TestPlatform& platform, const QString& fileName, const QImage& image, const char* format = "JPG")
{
    QVERIFY(image.save(platform.picsDir() + u'/' + fileName, format, 95));
}

QString missing(const QString& path)
{
    return QStringLiteral("Cannot find file: \r\n") + path + QStringLiteral("\r\nPlease read the 'ReadMe.txt' file.");
}

void cancel(ui::Window& window)
{
    QTest::mouseClick(&static_cast<Dialog&>(window).CancelButton, Qt::LeftButton);
}

// The cell whose card carries the pair key.
QPoint cellWithKey(const Form1& form, const QString& key)
{
    QPoint cell(-1, -1);
    form.board().forEachCell([&](int x, int y) {
        if (cell.x() < 0 && form.board().card(x, y).fName == key)
            cell = QPoint(x, y);
    });
    return cell;
}

// A card's rectangle on the canvas, in device pixels.
QRectF cardOnCanvas(const Form1& form, QPoint cell)
{
    const MemoCard& card = form.board().card(cell.x(), cell.y());
    const qreal ratio = form.Picture1.canvas().devicePixelRatio();
    return QRectF(ui::toPixels(card.x1) * ratio, ui::toPixels(card.y1) * ratio, ui::toPixels(card.x2 - card.x1) * ratio,
                  ui::toPixels(card.y2 - card.y1) * ratio);
}

QColor canvasAt(const Form1& form, QPointF point)
{
    return form.Picture1.canvas().pixelColor(point.toPoint());
}

// Checks that the card shows the quartered picture stretched over exactly its
// rectangle: each field where it belongs, the dividing lines at a quarter of the
// card's width and height, the corners in the picture's corners, and the
// surface's background just outside.
void checkStretched(const Form1& form, QPoint cell)
{
    const QRectF card = cardOnCanvas(form, cell);
    const qreal lineX = card.left() + card.width() / 4;
    const qreal lineY = card.top() + card.height() / 4;
    const qreal inside = 3;
    struct Probe
    {
        QPointF at;
        QColor expected;
    };
    const Probe probes[] = {
        {{card.left() + inside, card.top() + inside}, topLeftColour},
        {{card.right() - inside, card.top() + inside}, topRightColour},
        {{card.left() + inside, card.bottom() - inside}, bottomLeftColour},
        {{card.right() - inside, card.bottom() - inside}, bottomRightColour},
        {{lineX - inside, lineY - inside}, topLeftColour},
        {{lineX + inside, lineY - inside}, topRightColour},
        {{lineX - inside, lineY + inside}, bottomLeftColour},
        {{lineX + inside, lineY + inside}, bottomRightColour},
        {{card.right() + inside, card.center().y()}, form.Picture1.backColor()},
        {{card.center().x(), card.bottom() + inside}, form.Picture1.backColor()},
    };
    for (const Probe& probe : probes) {
        const QColor shown = canvasAt(form, probe.at);
        if (!fixture::sameColour(shown, probe.expected))
            QFAIL(qPrintable(QStringLiteral("at (%1, %2) of a card at (%3, %4) %5 x %6: %7 instead of %8")
                                 .arg(probe.at.x())
                                 .arg(probe.at.y())
                                 .arg(card.left())
                                 .arg(card.top())
                                 .arg(card.width())
                                 .arg(card.height())
                                 .arg(shown.name(), probe.expected.name())));
    }
}

// A board of 4 x 4 whose face 00 is the given picture, built and dealt.
void buildWithFirstFace(TestPlatform& platform, Form1& form, const QImage& face)
{
    fixture::writePictures(platform, 8);
    writeImage(platform, QStringLiteral("cardPussy00.jpg"), face);
    fixture::showAtDesignedSize(form);
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    QVERIFY(form.isBoardReady());
}

} // namespace

class PictureSizeTest : public QObject
{
    Q_OBJECT

private slots:
    void boundedSizeKeepsTheAspect_data();
    void boundedSizeKeepsTheAspect();
    void decodingHoldsAPictureAtTheBound_data();
    void decodingHoldsAPictureAtTheBound();
    void decodesSharingAScratchImageStayApart_data();
    void decodesSharingAScratchImageStayApart();
    void largeFaceIsHeldWithinTheScreen();
    void faceIsPaintedStretchedToItsCard_data();
    void faceIsPaintedStretchedToItsCard();
    void layoutChangeRenewsTheScaledCopies();
    void releasedPicturesLeaveTheSurface();
    void newPictureIsNeverTakenForAReleasedOne();
    void buildDecodesEveryPictureOnceAhead();
    void missingFaceKeepsLoadsAndMessagesInOrder();
    void fileChangedAfterItsDecodeIsReadAgain();
    void closingDuringTheBuildStopsTheDecodes();
    void prefetchHandsOverOnlyWhatItWasAskedFor_data();
    void prefetchHandsOverOnlyWhatItWasAskedFor();
};

void PictureSizeTest::boundedSizeKeepsTheAspect_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("bound");
    QTest::addColumn<QSize>("held");
    QTest::newRow("landscape photo in a full-HD bound") << QSize(4000, 3000) << QSize(1920, 1080) << QSize(1920, 1440);
    QTest::newRow("portrait photo in a full-HD bound") << QSize(3000, 4000) << QSize(1920, 1080) << QSize(1920, 2560);
    QTest::newRow("panorama in a full-HD bound") << QSize(8000, 2000) << QSize(1920, 1080) << QSize(4320, 1080);
    QTest::newRow("photo in a quarter of a full-HD screen") << QSize(4000, 3000) << QSize(480, 270) << QSize(480, 360);
    QTest::newRow("only the height too large is kept") << QSize(1000, 2000) << QSize(1920, 1080) << QSize(1000, 2000);
    QTest::newRow("smaller than the bound is kept") << QSize(800, 600) << QSize(1920, 1080) << QSize(800, 600);
    QTest::newRow("as large as the bound is kept") << QSize(1920, 1080) << QSize(1920, 1080) << QSize(1920, 1080);
    QTest::newRow("thin strip is kept") << QSize(100000, 10) << QSize(1920, 1080) << QSize(100000, 10);
    QTest::newRow("huge square") << QSize(30000, 30000) << QSize(480, 270) << QSize(480, 480);
    QTest::newRow("no bound keeps the full size") << QSize(4000, 3000) << QSize() << QSize(4000, 3000);
}

void PictureSizeTest::boundedSizeKeepsTheAspect()
{
    QFETCH(QSize, size);
    QFETCH(QSize, bound);
    QFETCH(QSize, held);
    QCOMPARE(ui::boundedSize(size, bound), held);
}

void PictureSizeTest::decodingHoldsAPictureAtTheBound_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("held");
    QTest::newRow("4000 x 3000 JPEG") << QSize(4000, 3000) << QByteArray("JPG") << QSize(800, 600);
    QTest::newRow("3000 x 4000 JPEG") << QSize(3000, 4000) << QByteArray("JPG") << QSize(800, 1066);
    QTest::newRow("1000 x 700 JPEG") << QSize(1000, 700) << QByteArray("JPG") << QSize(857, 600);
    QTest::newRow("small JPEG kept as it is") << QSize(300, 200) << QByteArray("JPG") << QSize(300, 200);
    QTest::newRow("large PNG under a .jpg name") << QSize(2400, 1800) << QByteArray("PNG") << QSize(800, 600);
}

void PictureSizeTest::decodingHoldsAPictureAtTheBound()
{
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);
    QFETCH(QSize, held);
    TestPlatform platform;
    writeImage(platform, QStringLiteral("cardPussy00.jpg"), quarteredPicture(size), format.constData());
    const QImage image = ui::decodePicture(platform.picsDir() + QStringLiteral("/cardPussy00.jpg"), QSize(800, 600));
    QCOMPARE(image.size(), held);
    // Scaled down, the picture is still all there: its corners are its corners.
    QVERIFY(fixture::sameColour(image.pixelColor(2, 2), topLeftColour));
    QVERIFY(fixture::sameColour(image.pixelColor(held.width() - 3, held.height() - 3), bottomRightColour));
}

void PictureSizeTest::decodesSharingAScratchImageStayApart_data()
{
    QTest::addColumn<QSize>("bound");
    QTest::newRow("smoothed after the decode") << QSize(800, 600);
    QTest::newRow("decoded right at the size held") << QSize(1000, 750);
}

void PictureSizeTest::decodesSharingAScratchImageStayApart()
{
    QFETCH(QSize, bound);
    TestPlatform platform;
    QImage second = quarteredPicture(QSize(4000, 3000)).mirrored(true, true);
    writeImage(platform, QStringLiteral("first.jpg"), quarteredPicture(QSize(4000, 3000)));
    writeImage(platform, QStringLiteral("second.jpg"), second);
    QImage scratch;
    const QImage first = ui::decodePicture(platform.picsDir() + QStringLiteral("/first.jpg"), bound, &scratch);
    const QImage last = ui::decodePicture(platform.picsDir() + QStringLiteral("/second.jpg"), bound, &scratch);
    QCOMPARE(first.size(), bound);
    QCOMPARE(last.size(), bound);
    // The second decode wrote nothing into the first picture.
    QVERIFY(fixture::sameColour(first.pixelColor(2, 2), topLeftColour));
    QVERIFY(fixture::sameColour(last.pixelColor(2, 2), bottomRightColour));
}

void PictureSizeTest::largeFaceIsHeldWithinTheScreen()
{
    TestPlatform platform;
    Form1 form;
    buildWithFirstFace(platform, form, quarteredPicture(QSize(4000, 3000)));
    // The largest card: a quarter of the screen each way, on a 4 x 4 board.
    const QSize screen = form.screenDevicePixels();
    const QSize card((screen.width() + 3) / 4, (screen.height() + 3) / 4);
    QCOMPARE(platform.pictureBound(), card);

    const QPoint cell = cellWithKey(form, QStringLiteral("cardPussy1"));
    const QSize held = form.board().card(cell.x(), cell.y()).pic->size();
    // Far below the photo's size, yet enough pixels to fill the largest card
    // both ways, one side exactly; the aspect kept.
    QVERIFY(held.width() < 4000 / 2 && held.height() < 3000 / 2);
    QVERIFY(held.width() >= card.width() && held.height() >= card.height());
    QVERIFY(held.width() == card.width() || held.height() == card.height());
    QVERIFY(std::abs(held.width() * 3 - held.height() * 4) <= 4);
    // A small face is held as it was drawn.
    QCOMPARE(form.board().card(cellWithKey(form, QStringLiteral("cardPussy2")).x(),
                               cellWithKey(form, QStringLiteral("cardPussy2")).y())
                 .pic->size(),
             QSize(60, 40));
}

void PictureSizeTest::faceIsPaintedStretchedToItsCard_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("4000 x 3000 photo") << QSize(4000, 3000);
    QTest::newRow("3000 x 4000 photo") << QSize(3000, 4000);
    QTest::newRow("160 x 120 picture") << QSize(160, 120);
    QTest::newRow("120 x 1200 strip") << QSize(120, 1200);
}

void PictureSizeTest::faceIsPaintedStretchedToItsCard()
{
    QFETCH(QSize, size);
    TestPlatform platform;
    Form1 form;
    buildWithFirstFace(platform, form, quarteredPicture(size));
    const QPoint cell = cellWithKey(form, QStringLiteral("cardPussy1"));
    fixture::clickCard(form, cell.x(), cell.y());
    QVERIFY(form.board().card(cell.x(), cell.y()).isOpen);
    checkStretched(form, cell);
    // Painted again by the whole board's repaint, it is the same.
    form.drawSquare();
    checkStretched(form, cell);
}

void PictureSizeTest::layoutChangeRenewsTheScaledCopies()
{
    TestPlatform platform;
    Form1 form;
    buildWithFirstFace(platform, form, quarteredPicture(QSize(4000, 3000)));
    const QPoint cell = cellWithKey(form, QStringLiteral("cardPussy1"));
    fixture::clickCard(form, cell.x(), cell.y());
    // A layout's cards come in at most two widths and two heights (their edges
    // fall on the nearest pixels): the deck at four sizes at the most, the open face at one.
    constexpr std::size_t oneLayout = 5;
    QVERIFY(form.Picture1.scaledCopies() >= 2);
    QVERIFY(form.Picture1.scaledCopies() <= oneLayout);

    const QSize sizes[] = {{9000, 7000}, {5000, 4000}, {12000, 6000}, {6930, 5010}, {8100, 8100}};
    for (const QSize size : sizes) {
        const QRectF before = cardOnCanvas(form, cell);
        form.setClientSize(size.width(), size.height());
        QVERIFY(cardOnCanvas(form, cell) != before);
        checkStretched(form, cell);
        // Copies for two layouts at the most: those of the one before go at the
        // next whole repaint.
        QVERIFY2(form.Picture1.scaledCopies() <= 2 * oneLayout,
                 qPrintable(QString::number(form.Picture1.scaledCopies())));
    }
    form.drawSquare();
    QVERIFY2(form.Picture1.scaledCopies() <= oneLayout, qPrintable(QString::number(form.Picture1.scaledCopies())));
}

void PictureSizeTest::releasedPicturesLeaveTheSurface()
{
    TestPlatform platform;
    fixture::writePictures(platform, 8, QStringLiteral("cardOther"));
    Form1 form;
    buildWithFirstFace(platform, form, quarteredPicture(QSize(4000, 3000)));
    const QPoint cell = cellWithKey(form, QStringLiteral("cardPussy1"));
    fixture::clickCard(form, cell.x(), cell.y());
    const std::weak_ptr<const QImage> oldFace = form.board().card(cell.x(), cell.y()).pic;
    QVERIFY(form.Picture1.scaledCopies() > 0);

    // Another card set: the board is built anew and the old faces are let go.
    platform.modalAnswers = {[](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        dialog.Combo1.setText(QStringLiteral("cardOther"));
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    }};
    QTest::mouseClick(&form.Command2, Qt::LeftButton);
    QCOMPARE(form.board().card(0, 0).fName.left(9), QStringLiteral("cardOther"));
    QVERIFY(oldFace.expired());
    // The surface holds copies of the deck alone now: one per card size at the most.
    QVERIFY2(form.Picture1.scaledCopies() <= 4, qPrintable(QString::number(form.Picture1.scaledCopies())));
    form.board().forEachCell([&](int x, int y) {
        QVERIFY(fixture::sameColour(fixture::shownColor(form, x, y), fixture::deckColor()));
    });
}

void PictureSizeTest::newPictureIsNeverTakenForAReleasedOne()
{
    TestPlatform platform;
    Form1 form;
    fixture::showAtDesignedSize(form);
    ui::Surface& surface = form.Picture1;
    for (int round = 0; round < 20; ++round) {
        // Pictures of one size, made and let go in turn: an allocator is free to
        // give the next one the address of the last.
        const QColor colour = round % 2 ? Qt::red : Qt::blue;
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        ui::Picture picture = ui::makePicture(std::move(image));
        surface.paintPicture(picture, 150, 150, 1500, 1200);
        QVERIFY(fixture::sameColour(surface.canvas().pixelColor(50, 50), colour));
    }
}

void PictureSizeTest::buildDecodesEveryPictureOnceAhead()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.squareMaxX = 6;
    form.squareMaxY = 6;
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QStringList expected;
    for (int n = 0; n < 18; ++n)
        expected << platform.picsDir() + QStringLiteral("/cardPussy%1.jpg").arg(n, 2, 10, QLatin1Char('0'));
    expected << platform.picsDir() + QStringLiteral("/deckAcorn.jpg");
    QCOMPARE(platform.loadedPaths, expected);
    QCOMPARE(platform.picturesDecoded(), 19);
    QCOMPARE(platform.picturesDecodedAhead(), 19);
    QCOMPARE(platform.picturesHeldAhead(), 0);

    // Outside a build, a picture is decoded there and then, every time.
    const ui::Picture again = form.getPic(QStringLiteral("cardPussy"), 3);
    QVERIFY(again);
    QCOMPARE(platform.picturesDecoded(), 20);
    QCOMPARE(platform.picturesDecodedAhead(), 19);
}

void PictureSizeTest::missingFaceKeepsLoadsAndMessagesInOrder()
{
    TestPlatform platform;
    fixture::writePictures(platform, 8);
    QVERIFY(QFile::remove(platform.picsDir() + QStringLiteral("/cardPussy03.jpg")));
    Form1 form;
    platform.modalAnswers = {cancel, cancel, cancel, cancel, cancel};
    // How many pictures had been loaded when each message was shown.
    QList<int> loadedAtMessage;
    platform.onMessage = [&](const QString&) { loadedAtMessage << int(platform.loadedPaths.size()); };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    const QString pics = platform.picsDir() + u'/';
    QStringList messages{missing(pics + QStringLiteral("cardPussy03.jpg")),
                         missing(pics + QStringLiteral("(select new)03.jpg"))};
    for (int n = 4; n < 8; ++n)
        messages << missing(pics + QStringLiteral("(select new)0%1.jpg").arg(n))
                 << missing(pics + QStringLiteral("(select new)0%1.jpg").arg(n));
    QCOMPARE(platform.messages, messages);
    QCOMPARE(loadedAtMessage, QList<int>(10, 3));
    QCOMPARE(platform.modalCaptions, QStringList(5, QStringLiteral("Brindlepair Settings")));
    QCOMPARE(platform.loadedPaths,
             (QStringList{pics + QStringLiteral("cardPussy00.jpg"), pics + QStringLiteral("cardPussy01.jpg"),
                          pics + QStringLiteral("cardPussy02.jpg"), pics + QStringLiteral("deckAcorn.jpg")}));
    QVERIFY(form.isBoardReady());
    QVERIFY(form.Image1.hasPicture());
    QCOMPARE(platform.picturesHeldAhead(), 0);
}

void PictureSizeTest::fileChangedAfterItsDecodeIsReadAgain()
{
    TestPlatform platform;
    fixture::writePictures(platform, 8);
    Form1 form;
    int cards = 0;
    platform.onProcessEvents = [&] {
        // Face 01 is decoding or decoded ahead by now; it is replaced by another picture.
        if (++cards == 1)
            writeImage(platform, QStringLiteral("cardPussy01.jpg"), quarteredPicture(QSize(200, 100)));
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    const QPoint cell = cellWithKey(form, QStringLiteral("cardPussy2"));
    QCOMPARE(form.board().card(cell.x(), cell.y()).pic->size(), QSize(200, 100));
    QCOMPARE(platform.loadedPaths.size(), 9);
    QVERIFY(platform.messages.isEmpty());
}

void PictureSizeTest::closingDuringTheBuildStopsTheDecodes()
{
    TestPlatform platform;
    for (int n = 0; n < 18; ++n)
        writeImage(platform, QStringLiteral("cardPussy%1.jpg").arg(n, 2, 10, QLatin1Char('0')),
                   quarteredPicture(QSize(2400, 1800)));
    fixture::writePictures(platform, 0);
    Form1 form;
    form.squareMaxX = 6;
    form.squareMaxY = 6;
    form.show();
    int heldAtClose = -1;
    platform.onProcessEvents = [&] {
        if (heldAtClose < 0) {
            // Face 00 has been taken; face 01 was started before it was handed over.
            heldAtClose = platform.picturesHeldAhead();
            form.close();
        }
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QVERIFY(heldAtClose >= 1);
    QCOMPARE(platform.loadedPaths.size(), 1);
    QVERIFY(!form.isLoaded());
    QVERIFY(!form.isBoardReady());
    // Nothing is decoding any more, and nothing decodes later.
    QCOMPARE(platform.picturesHeldAhead(), 0);
    const int decoded = platform.picturesDecodedAhead();
    QVERIFY(decoded >= 2);
    QCoreApplication::processEvents();
    QCOMPARE(platform.picturesDecodedAhead(), decoded);
}

void PictureSizeTest::prefetchHandsOverOnlyWhatItWasAskedFor_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QSize>("bound");
    QTest::addColumn<bool>("handed");
    QTest::newRow("first of the queue") << "a.jpg" << QSize(800, 600) << true;
    QTest::newRow("later in the queue") << "c.jpg" << QSize(800, 600) << true;
    QTest::newRow("not queued") << "x.jpg" << QSize(800, 600) << false;
    QTest::newRow("queued, other bound") << "b.jpg" << QSize(400, 300) << false;
    QTest::newRow("queued, not a picture") << "bad.jpg" << QSize(800, 600) << false;
    QTest::newRow("queued, missing") << "gone.jpg" << QSize(800, 600) << false;
}

void PictureSizeTest::prefetchHandsOverOnlyWhatItWasAskedFor()
{
    QFETCH(QString, asked);
    QFETCH(QSize, bound);
    QFETCH(bool, handed);
    TestPlatform platform;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        writeImage(platform, QString::fromLatin1(name), quarteredPicture(QSize(1600, 1200)));
    QFile bad(platform.picsDir() + QStringLiteral("/bad.jpg"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("no picture");
    bad.close();
    const QString pics = platform.picsDir() + u'/';
    QStringList queued;
    for (const char* name : {"a.jpg", "b.jpg", "bad.jpg", "gone.jpg", "c.jpg", "last.jpg"})
        queued << pics + QString::fromLatin1(name);
    writeImage(platform, QStringLiteral("last.jpg"), quarteredPicture(QSize(100, 80)));

    ui::PicturePrefetch prefetch;
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
    // Stopping waits for decodes of dropped files still running.
    prefetch.stop();
    QCOMPARE(prefetch.held(), 0);
}

QTEST_MAIN(PictureSizeTest)
#include "tst_picturesize.moc"
