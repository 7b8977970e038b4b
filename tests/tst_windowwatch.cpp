// The window watch: Timer2 remembers the window's bottom edge once it has come
// near the bottom of the screen, and repaints the board when the edge moves up.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "ui/Twips.h"

#include <QTest>

namespace {

// The screen's height in pixels.
int screenPixels(const Form1& form)
{
    return int(ui::toPixels(form.screenHeight()));
}

// Moves the window so that its bottom edge lies the given pixels above the
// bottom of the screen (below it when negative), and lets the move settle.
void placeBottom(Form1& form, int pixelsAbove)
{
    form.move(form.pos().x(), screenPixels(form) - pixelsAbove - form.frameGeometry().height());
    QCoreApplication::processEvents();
}

} // namespace

class WindowWatchTest : public QObject
{
    Q_OBJECT

private slots:
    void followsTheBottomEdge_data();
    void followsTheBottomEdge();
};

void WindowWatchTest::followsTheBottomEdge_data()
{
    QTest::addColumn<bool>("dealt");
    // Where the window's bottom edge is at each tick, in pixels above the
    // bottom of the screen. The band is 1000 twips: 66 pixels are within it,
    // 67 are not.
    QTest::addColumn<QList<int>>("above");
    // At each tick, the earlier tick whose edge is remembered; -1 for none.
    QTest::addColumn<QList<int>>("remembered");
    QTest::addColumn<QList<bool>>("repainted");

    QTest::newRow("never within the band") << true << QList<int>{200, 100, 67, 300, 67}
                                           << QList<int>{-1, -1, -1, -1, -1}
                                           << QList<bool>{false, false, false, false, false};
    QTest::newRow("just within the band") << true << QList<int>{66} << QList<int>{0} << QList<bool>{false};
    QTest::newRow("below the screen, moving down")
        << true << QList<int>{-50, -100} << QList<int>{0, 1} << QList<bool>{false, false};
    QTest::newRow("dragged up from below the screen")
        << true << QList<int>{-100, -50, 0, 30, 66, 100, 200} << QList<int>{0, 1, 2, 3, 4, 5, 6}
        << QList<bool>{false, true, true, true, true, true, true};
    QTest::newRow("down again, then higher than ever")
        << true << QList<int>{0, 200, 150, 250} << QList<int>{0, 1, 1, 3} << QList<bool>{false, true, false, true};
    QTest::newRow("held above the band") << true << QList<int>{0, 200, 200} << QList<int>{0, 1, 1}
                                         << QList<bool>{false, true, false};
    QTest::newRow("held within the band") << true << QList<int>{30, 30, 30} << QList<int>{0, 1, 2}
                                          << QList<bool>{false, false, false};
    QTest::newRow("moved down within the band")
        << true << QList<int>{30, 10} << QList<int>{0, 1} << QList<bool>{false, false};
    QTest::newRow("dragged up before the first game")
        << false << QList<int>{0, 100, 200} << QList<int>{0, 1, 2} << QList<bool>{false, false, false};
}

void WindowWatchTest::followsTheBottomEdge()
{
    QFETCH(bool, dealt);
    QFETCH(QList<int>, above);
    QFETCH(QList<int>, remembered);
    QFETCH(QList<bool>, repainted);

    TestPlatform platform;
    Form1 form;
    if (dealt)
        fixture::startGame(platform, form);
    else
        fixture::showAtDesignedSize(form);
    const int screenBottom = int(form.screenHeight());
    QVERIFY(screenBottom > 0);
    QCOMPARE(form.rememberedBottom(), 0);

    for (int i = 0; i < above.size(); ++i) {
        placeBottom(form, above[i]);
        QCOMPARE(int(form.outerTop() + form.outerHeight()), screenBottom - int(ui::toTwips(above[i])));
        form.Picture1.clear();
        const QImage cleared = form.Picture1.canvas();

        form.Timer2.tick();

        const int wanted = remembered[i] < 0 ? 0 : screenBottom - int(ui::toTwips(above[remembered[i]]));
        QCOMPARE(form.rememberedBottom(), wanted);
        QCOMPARE(form.Picture1.canvas() != cleared, repainted[i]);
        if (repainted[i]) {
            form.board().forEachCell([&](int x, int y) {
                QVERIFY(fixture::sameColour(fixture::shownColor(form, x, y), fixture::deckColor()));
            });
        }
    }
}

QTEST_MAIN(WindowWatchTest)
#include "tst_windowwatch.moc"
