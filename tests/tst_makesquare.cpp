// Building a new board's cards: faces, pair keys, the deck, and the fallbacks.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "game/Rounding.h"
#include "pictures/FormProgress.h"
#include "settings/Dialog.h"

#include <QFile>
#include <QTest>

namespace {

QString missing(const QString& path)
{
    return QStringLiteral("Cannot find file: \r\n") + path + QStringLiteral("\r\nPlease read the 'ReadMe.txt' file.");
}

bool progressWindowOpen()
{
    for (ui::Window* window : ui::Window::openWindows())
        if (qobject_cast<FormProgress*>(window))
            return true;
    return false;
}

void cancel(ui::Window& window)
{
    QTest::mouseClick(&static_cast<Dialog&>(window).CancelButton, Qt::LeftButton);
}

} // namespace

class MakeSquareTest : public QObject
{
    Q_OBJECT

private slots:
    void buildReadsEachFaceOnceInOrder();
    void progressCountsThePairs();
    void pairsLieInConsecutiveCells_data();
    void pairsLieInConsecutiveCells();
    void oddBoardGivesTheLastCardAFaceOfItsOwn();
    void missingFacesFallBackToTheSettingsDialog();
    void missingDeckFallsBackOnce();
    void faceChosenInTheFallbackIsUsedFromThenOn();
    void unreadableFaceStopsTheBuild();
    void closingTheWindowDuringABuildStopsIt();
};

void MakeSquareTest::buildReadsEachFaceOnceInOrder()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QStringList expected;
    for (int n = 0; n < 8; ++n)
        expected << platform.picsDir() + QStringLiteral("/cardPussy0%1.jpg").arg(n);
    expected << platform.picsDir() + QStringLiteral("/deckAcorn.jpg");
    QCOMPARE(platform.loadedPaths, expected);
    QVERIFY(!progressWindowOpen());
    QVERIFY(form.Image1.hasPicture());
}

void MakeSquareTest::progressCountsThePairs()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.squareMaxX = 5;
    QList<int> widths;
    QList<int> maxima;
    QList<bool> shown;
    // Pending events are processed after every card.
    platform.onProcessEvents = [&] {
        if (!form.isBusy())
            return;
        FormProgress& progress = form.progressWindow();
        widths << int(progress.Shape1.width());
        maxima << progress.maxValue();
        shown << progress.isVisible();
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QCOMPARE(widths.size(), 20);
    QList<int> expected;
    for (int cell = 0; cell < 20; ++cell)
        expected << game::roundHalfEven(3925.0 / 10 * (cell / 2 + 1));
    QCOMPARE(widths, expected);
    QCOMPARE(maxima, QList<int>(20, 10));
    QCOMPARE(shown, QList<bool>(20, true));
    QVERIFY(!progressWindowOpen());
}

void MakeSquareTest::pairsLieInConsecutiveCells_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("4 x 4") << 4 << 4;
    QTest::newRow("6 x 5") << 6 << 5;
    QTest::newRow("6 x 6") << 6 << 6;
}

void MakeSquareTest::pairsLieInConsecutiveCells()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.squareMaxX = columns;
    form.squareMaxY = rows;
    // A generator of zeros swaps (0, 0) with itself: the deal keeps the build's order.
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    const Board& board = form.board();
    int cell = 0;
    board.forEachCell([&](int x, int y) {
        const MemoCard& card = board.card(x, y);
        const int face = cell / 2;
        QCOMPARE(card.fName, QStringLiteral("cardPussy%1").arg(face + 1));
        QVERIFY(card.pic);
        const MemoCard& first = board.card((cell - cell % 2) / rows, (cell - cell % 2) % rows);
        QCOMPARE(card.pic, first.pic);
        ++cell;
    });
    QCOMPARE(cell, columns * rows);
    if (rows == 5) {
        // With five rows a pair straddles two columns: face 02 lies on (0, 4) and (1, 0).
        QCOMPARE(board.card(0, 4).fName, QStringLiteral("cardPussy3"));
        QCOMPARE(board.card(1, 0).fName, QStringLiteral("cardPussy3"));
        QCOMPARE(board.card(0, 4).pic, board.card(1, 0).pic);
        QVERIFY(board.card(0, 3).pic != board.card(0, 4).pic);
    }
}

void MakeSquareTest::oddBoardGivesTheLastCardAFaceOfItsOwn()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.squareMaxX = 5;
    form.squareMaxY = 5;
    int lastWidth = -1;
    platform.onProcessEvents = [&] {
        if (form.isBusy())
            lastWidth = int(form.progressWindow().Shape1.width());
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    QCOMPARE(form.board().card(4, 4).fName, QStringLiteral("cardPussy13"));
    QVERIFY(form.board().card(4, 3).fName != QStringLiteral("cardPussy13"));
    QCOMPARE(platform.loadedPaths.size(), 14);
    // update(13) with a maximum of 12 would pass the outline: the bar stays full.
    QCOMPARE(lastWidth, 3925);
}

void MakeSquareTest::missingFacesFallBackToTheSettingsDialog()
{
    TestPlatform platform;
    fixture::writePictures(platform, 8);
    Form1 form;
    form.squareMaxX = 5;
    platform.modalAnswers = {cancel, cancel};
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    const QString pics = platform.picsDir() + u'/';
    QCOMPARE(platform.messages,
             (QStringList{missing(pics + QStringLiteral("cardPussy08.jpg")),
                          missing(pics + QStringLiteral("(select new)08.jpg")),
                          missing(pics + QStringLiteral("(select new)09.jpg")),
                          missing(pics + QStringLiteral("(select new)09.jpg"))}));
    QCOMPARE(platform.modalCaptions, QStringList(2, QStringLiteral("Brindlepair Settings")));
    QCOMPARE(form.cardName, QStringLiteral("(select new)"));
    QVERIFY(form.isBoardReady());
    int withoutPicture = 0;
    form.board().forEachCell([&](int x, int y) {
        const MemoCard& card = form.board().card(x, y);
        if (!card.pic) {
            ++withoutPicture;
            QVERIFY(card.fName == QStringLiteral("(select new)9") || card.fName == QStringLiteral("(select new)10"));
        }
    });
    QCOMPARE(withoutPicture, 4);
}

void MakeSquareTest::missingDeckFallsBackOnce()
{
    TestPlatform platform;
    fixture::writePictures(platform, 8, QStringLiteral("cardPussy"), QStringLiteral("deckOther"));
    Form1 form;
    platform.modalAnswers = {cancel};
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    const QString pics = platform.picsDir() + u'/';
    QCOMPARE(platform.messages, (QStringList{missing(pics + QStringLiteral("deckAcorn.jpg")),
                                            missing(pics + QStringLiteral("(select new).jpg"))}));
    QCOMPARE(form.deckName, QStringLiteral("(select new)"));
    QVERIFY(!form.Image1.hasPicture());
    QVERIFY(form.isBoardReady());
}

void MakeSquareTest::faceChosenInTheFallbackIsUsedFromThenOn()
{
    TestPlatform platform;
    fixture::writePictures(platform, 3);
    fixture::writePictures(platform, 8, QStringLiteral("cardOther"));
    Form1 form;
    platform.modalAnswers = {[](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        dialog.Combo1.setText(QStringLiteral("cardOther"));
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    }};
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(form.cardName, QStringLiteral("cardOther"));
    QStringList keys;
    form.board().forEachCell([&](int x, int y) { keys << form.board().card(x, y).fName; });
    QCOMPARE(keys.mid(0, 6), (QStringList{"cardPussy1", "cardPussy1", "cardPussy2", "cardPussy2", "cardPussy3",
                                          "cardPussy3"}));
    QCOMPARE(keys.mid(6, 4), (QStringList{"cardOther4", "cardOther4", "cardOther5", "cardOther5"}));
    QVERIFY(platform.loadedPaths.contains(platform.picsDir() + QStringLiteral("/cardOther03.jpg")));
    QVERIFY(!platform.loadedPaths.contains(platform.picsDir() + QStringLiteral("/cardOther00.jpg")));
}

void MakeSquareTest::unreadableFaceStopsTheBuild()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    QFile file(platform.picsDir() + QStringLiteral("/cardPussy02.jpg"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a picture");
    file.close();
    Form1 form;
    form.show();
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QCOMPARE(platform.loadedPaths.size(), 3);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.first().startsWith(QStringLiteral("Error while loading file: ")));
    QVERIFY(!form.isBoardReady());
    QVERIFY(!form.isLoaded());
    QVERIFY(!progressWindowOpen());
    QVERIFY(platform.modalCaptions.isEmpty());
    QCOMPARE(platform.quitCalls, 1);
}

void MakeSquareTest::closingTheWindowDuringABuildStopsIt()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    form.show();
    int cards = 0;
    platform.onProcessEvents = [&] {
        if (++cards == 3)
            form.close();
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);

    QCOMPARE(platform.loadedPaths.size(), 2);
    QVERIFY(!form.isBoardReady());
    QVERIFY(!form.isLoaded());
    QVERIFY(!progressWindowOpen());
    QVERIFY(ui::Window::openWindows().isEmpty());
    QCOMPARE(platform.quitCalls, 1);
}

QTEST_MAIN(MakeSquareTest)
#include "tst_makesquare.moc"
