// The main window's commands: Settings, F5 and closing.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "hiscore/Dialog1.h"
#include "settings/Dialog.h"

#include <QTest>

namespace {

// Answers the settings dialog: sets the boxes given (empty leaves a box as it
// is) and presses OK, or Cancel.
std::function<void(ui::Window&)> choose(QString cards, QString deck, QString size, bool ok = true)
{
    return [=](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        if (!cards.isEmpty())
            dialog.Combo1.setText(cards);
        if (!deck.isEmpty())
            dialog.Combo2.setText(deck);
        if (!size.isEmpty())
            dialog.Combo3.setText(size);
        QTest::mouseClick(ok ? &dialog.OKButton : &dialog.CancelButton, Qt::LeftButton);
    };
}

struct Game
{
    TestPlatform platform;
    Form1 form;

    Game()
    {
        fixture::writePictures(platform);
        fixture::writePictures(platform, 18, QStringLiteral("cardOther"), QStringLiteral("deckOther"));
        fixture::showAtDesignedSize(form);
        QTest::mouseClick(&form.Command1, Qt::LeftButton);
        fixture::clickCard(form, 0, 0);
        platform.now += 5;
        form.Timer1.tick();
        platform.loadedPaths.clear();
    }
};

} // namespace

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void settingsWithoutAChangeOnlyRepaints_data();
    void settingsWithoutAChangeOnlyRepaints();
    void newDeckAloneRepaintsTheClosedCards();
    void newCardSetOrSizeStartsANewGame_data();
    void newCardSetOrSizeStartsANewGame();
    void missingDeckAfterADeckChangeLeavesTheFallback();
    void settingsDuringABuildOpensNoDialog();
    void f5LaysTheBoardOutAgain_data();
    void f5LaysTheBoardOutAgain();
    void closingEndsEveryWindow();
};

void CommandsTest::settingsWithoutAChangeOnlyRepaints_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("Cancel after changing everything") << false;
    QTest::newRow("OK without a change") << true;
}

void CommandsTest::settingsWithoutAChangeOnlyRepaints()
{
    QFETCH(bool, ok);
    Game game;
    if (ok)
        game.platform.modalAnswers = {choose({}, {}, {})};
    else
        game.platform.modalAnswers = {choose(QStringLiteral("cardOther"), QStringLiteral("deckOther"),
                                             QStringLiteral("6 x 6"), false)};
    const QImage dealt = game.form.Picture1.canvas();
    game.form.Picture1.clear();

    QTest::mouseClick(&game.form.Command2, Qt::LeftButton);

    QCOMPARE(game.platform.modalCaptions, QStringList{QStringLiteral("Brindlepair Settings")});
    QCOMPARE(game.form.Picture1.canvas(), dealt);
    QVERIFY(game.platform.loadedPaths.isEmpty());
    QCOMPARE(game.form.attempts, 1);
    QCOMPARE(game.form.elapsedTime, 1);
    QVERIFY(game.form.isFirstCardOpen());
    QVERIFY(game.form.Timer1.enabled());
    QCOMPARE(game.form.cardName, QStringLiteral("cardPussy"));
    QCOMPARE(game.form.squareMaxX, 4);
}

void CommandsTest::newDeckAloneRepaintsTheClosedCards()
{
    Game game;
    game.platform.modalAnswers = {choose({}, QStringLiteral("deckOther"), {})};
    const QColor openCard = fixture::shownColor(game.form, 0, 0);

    QTest::mouseClick(&game.form.Command2, Qt::LeftButton);

    QCOMPARE(game.platform.loadedPaths, QStringList{game.platform.picsDir() + QStringLiteral("/deckOther.jpg")});
    QCOMPARE(game.form.deckName, QStringLiteral("deckOther"));
    QVERIFY(!game.form.dirty);
    QCOMPARE(game.form.attempts, 1);
    QVERIFY(game.form.isFirstCardOpen());
    QVERIFY(game.form.board().card(0, 0).isOpen);
    QCOMPARE(fixture::shownColor(game.form, 0, 0), openCard);
    QVERIFY(fixture::sameColour(fixture::shownColor(game.form, 3, 3), fixture::deckColor()));
    QCOMPARE(game.form.Image1.picture()->pixelColor(0, 0).name(), fixture::deckColor().name());
}

void CommandsTest::newCardSetOrSizeStartsANewGame_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("deck");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("firstLoad");
    QTest::addColumn<int>("columns");
    QTest::newRow("card set and deck") << "cardOther" << "deckOther" << "" << "cardOther00.jpg" << 4;
    QTest::newRow("size only") << "" << "" << "6 x 4" << "cardPussy00.jpg" << 6;
}

void CommandsTest::newCardSetOrSizeStartsANewGame()
{
    QFETCH(QString, cards);
    QFETCH(QString, deck);
    QFETCH(QString, size);
    QFETCH(QString, firstLoad);
    QFETCH(int, columns);
    Game game;
    game.platform.modalAnswers = {choose(cards, deck, size)};

    QTest::mouseClick(&game.form.Command2, Qt::LeftButton);

    QVERIFY(!game.platform.loadedPaths.isEmpty());
    QCOMPARE(game.platform.loadedPaths.first(), game.platform.picsDir() + u'/' + firstLoad);
    QCOMPARE(game.form.board().upperX(), columns);
    QCOMPARE(game.form.attempts, 0);
    QCOMPARE(game.form.elapsedTime, 0);
    QVERIFY(!game.form.isFirstCardOpen());
    QVERIFY(!game.form.dirty);
    QVERIFY(game.form.isBoardReady());
    game.form.board().forEachCell([&](int x, int y) { QVERIFY(!game.form.board().card(x, y).isOpen); });
}

void CommandsTest::missingDeckAfterADeckChangeLeavesTheFallback()
{
    Game game;
    game.platform.modalAnswers = {choose({}, QStringLiteral("deckNone"), {})};
    QTest::mouseClick(&game.form.Command2, Qt::LeftButton);
    QCOMPARE(game.platform.messages.size(), 1);
    QVERIFY(game.platform.messages.first().contains(QStringLiteral("deckNone.jpg")));
    QVERIFY(!game.form.Image1.hasPicture());
    QVERIFY(game.form.isLoaded());
    QVERIFY(game.form.isBoardReady());
}

void CommandsTest::settingsDuringABuildOpensNoDialog()
{
    TestPlatform platform;
    fixture::writePictures(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);
    platform.onProcessEvents = [&] {
        if (form.isBusy())
            form.Command2_Click();
    };
    QTest::mouseClick(&form.Command1, Qt::LeftButton);
    platform.onProcessEvents = nullptr;
    QVERIFY(platform.modalCaptions.isEmpty());
    QVERIFY(form.isBoardReady());
}

void CommandsTest::f5LaysTheBoardOutAgain_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("redrawn");
    QTest::newRow("F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Shift F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("Ctrl F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("F4") << int(Qt::Key_F4) << Qt::KeyboardModifiers() << false;
}

void CommandsTest::f5LaysTheBoardOutAgain()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, redrawn);
    Game game;
    const QImage dealt = game.form.Picture1.canvas();
    game.form.Picture1.clear();
    const QImage cleared = game.form.Picture1.canvas();
    // The focus is on a button: the window previews the key before it.
    game.form.Command1.setFocus();
    QTest::keyRelease(&game.form.Command1, Qt::Key(key), modifiers);
    QCOMPARE(game.form.Picture1.canvas(), redrawn ? dealt : cleared);
    QCOMPARE(game.form.attempts, 1);
}

void CommandsTest::closingEndsEveryWindow()
{
    Game game;
    Dialog1& scores = game.form.hiscoreDialog();
    scores.load();
    scores.show();
    QCOMPARE(ui::Window::openWindows().size(), 2);

    game.form.close();

    QVERIFY(ui::Window::openWindows().isEmpty());
    QVERIFY(!scores.isVisible());
    QVERIFY(!game.form.isVisible());
    QCOMPARE(game.platform.quitCalls, 1);
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
