// Random play: thousands of random player actions on the real windows, drawn
// from a fixed seed, with the rules of the game checked after every one.
#include "BoardFixture.h"
#include "TestPlatform.h"

#include "app/Form1.h"
#include "hiscore/Dialog1.h"
#include "hiscore/HiscoreTable.h"
#include "settings/Dialog.h"
#include "ui/Twips.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTest>

#include <algorithm>
#include <random>
#include <vector>

namespace {

const QString loadErrorStart = QStringLiteral("Error while loading file: ");

// The high-score dialog while it is on the screen, or nothing.
Dialog1* hiscoreOnScreen()
{
    for (ui::Window* window : ui::Window::openWindows()) {
        auto* dialog = qobject_cast<Dialog1*>(window);
        if (dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// Types into a widget a key at a time; characters beyond ASCII arrive as text,
// as from an input method.
void typeInto(QWidget& widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(&widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void retype(ui::ComboBox& box, const QString& text)
{
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Backspace);
    typeInto(box, text);
}

// The flags of every cell of the board, column by column.
struct CardState
{
    bool isOpen;
    bool isFound;
};

std::vector<CardState> cardStates(const Board& board)
{
    std::vector<CardState> states;
    board.forEachCell([&](int x, int y) { states.push_back({board.card(x, y).isOpen, board.card(x, y).isFound}); });
    return states;
}

class RandomPlayer
{
public:
    RandomPlayer(TestPlatform& platform, Form1& form, unsigned seed) : platform(platform), form(form), rng(seed) {}

    // Plays `events` random actions; stops at the first broken rule.
    void play(int events);

    int gamesFinished = 0;
    int placesEarned = 0;
    int namesEntered = 0;
    int mismatches = 0;
    int settingsOpened = 0;

private:
    enum class Action { Click, NewGame, Settings, F5, Resize, TimePasses, AnswerHiscore };

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    Action nextAction();
    void click();
    QPoint clickTarget();
    void answerModal(ui::Window& window);
    void answerSettings(Dialog& dialog);
    void answerHiscore(Dialog1& dialog);
    QString randomName();
    bool dealt() const { return form.isBoardReady() && form.board().upperX() > 0 && form.board().upperY() > 0; }
    // Checks every rule that holds between two actions; a broken one fails the test.
    void checkRules(int event, const char* action);

    TestPlatform& platform;
    Form1& form;
    std::mt19937 rng;
    // The cards accepted since the last deal, counted from the board's state.
    int accepted = 0;
    float dealtAt = -1;
    // How often a click goes for the partner of the open card: varies from
    // game to game, so that some games earn a place and others do not.
    double skill = 0;
};

RandomPlayer::Action RandomPlayer::nextAction()
{
    if (hiscoreOnScreen() && chance(0.3))
        return Action::AnswerHiscore;
    const int roll = pick(100);
    if (roll < 72)
        return Action::Click;
    if (roll < 74)
        return Action::NewGame;
    if (roll < 76)
        return Action::Settings;
    if (roll < 80)
        return Action::F5;
    if (roll < 85)
        return Action::Resize;
    return Action::TimePasses;
}

QPoint RandomPlayer::clickTarget()
{
    const Board& board = form.board();
    if (dealt()) {
        if (chance(skill)) {
            // A player who remembers: the partner of the open card, or else a closed card.
            if (form.isFirstCardOpen()) {
                const QPoint partner = fixture::partnerOf(form, form.firstCardX(), form.firstCardY());
                if (partner.x() >= 0)
                    return fixture::cardCentre(form, partner.x(), partner.y());
            }
            std::vector<QPoint> closed;
            board.forEachCell([&](int x, int y) {
                if (!board.card(x, y).isOpen && !board.card(x, y).isFound)
                    closed.emplace_back(x, y);
            });
            if (!closed.empty()) {
                const QPoint cell = closed[std::size_t(pick(int(closed.size())))];
                return fixture::cardCentre(form, cell.x(), cell.y());
            }
        }
        if (chance(0.7))
            return fixture::cardCentre(form, pick(board.upperX()), pick(board.upperY()));
    }
    // Anywhere on the surface, its edges and a little beyond included.
    return QPoint(pick(form.Picture1.QWidget::width() + 10) - 5, pick(form.Picture1.QWidget::height() + 10) - 5);
}

void RandomPlayer::click()
{
    const Board& board = form.board();
    const QPoint target = clickTarget();
    static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[pick(3)];
    Qt::KeyboardModifiers modifiers;
    if (chance(0.2))
        modifiers |= Qt::ShiftModifier;
    if (chance(0.2))
        modifiers |= Qt::ControlModifier;
    if (chance(0.1))
        modifiers |= Qt::AltModifier;

    // What the click should turn: the closed, unfound card whose rectangle
    // holds the release point strictly inside, on a dealt board.
    int hits = 0;
    int expected = 0;
    if (dealt()) {
        const double x = float(ui::toTwips(target.x()));
        const double y = float(ui::toTwips(target.y()));
        board.forEachCell([&](int i, int j) {
            const MemoCard& card = board.card(i, j);
            if (x > card.x1 && x < card.x2 && y > card.y1 && y < card.y2) {
                ++hits;
                if (!card.isOpen && !card.isFound)
                    ++expected;
            }
        });
    }
    QVERIFY2(hits <= 1, "one release hit two cards");
    const bool firstWasOpen = form.isFirstCardOpen();
    const int firstX = form.firstCardX();
    const int firstY = form.firstCardY();
    const std::vector<CardState> before = cardStates(board);
    const int attemptsBefore = form.attempts;
    const bool dialogWasOnScreen = hiscoreOnScreen() != nullptr;
    const bool wasOver = dealt() && std::all_of(before.begin(), before.end(), [](CardState c) { return c.isFound; });

    QTest::mouseClick(&form.Picture1, button, modifiers, target);

    // Counted from the board: cards that were closed and are open or found now,
    // and a first card that went back face down (the second card of a
    // mismatch is turned back within the click, too).
    const std::vector<CardState> after = cardStates(form.board());
    QCOMPARE(after.size(), before.size());
    int turned = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!before[i].isOpen && !before[i].isFound && (after[i].isOpen || after[i].isFound))
            ++turned;
    }
    if (firstWasOpen && !form.board().card(firstX, firstY).isOpen) {
        ++turned;
        ++mismatches;
    }
    QCOMPARE(turned, expected);
    QCOMPARE(form.attempts - attemptsBefore, expected);
    accepted += turned;
    const bool isOver = dealt() && std::all_of(after.begin(), after.end(), [](CardState c) { return c.isFound; });
    if (isOver && !wasOver) {
        ++gamesFinished;
        // A place shows the dialog without a modal loop: it is still there.
        if (!dialogWasOnScreen && hiscoreOnScreen())
            ++placesEarned;
    }
}

QString RandomPlayer::randomName()
{
    // Letters, digits, blanks, commas, quotes, 8-bit letters, and now and then
    // one that cannot be scrambled (the save then fails with its message).
    static const QString letters = QStringLiteral("AaBbZz09 ,\"'\u00e9\u00c6\u00df");
    QString name;
    const int length = pick(15);
    for (int i = 0; i < length; ++i)
        name += letters[pick(int(letters.size()))];
    if (chance(0.05))
        name += QChar(0x00ff);
    return name;
}

void RandomPlayer::answerSettings(Dialog& dialog)
{
    ++settingsOpened;
    const int roll = pick(10);
    if (roll == 0) {
        dialog.close();
        return;
    }
    if (roll == 1) {
        QTest::mouseClick(&dialog.CancelButton, Qt::LeftButton);
        return;
    }
    if (dialog.Combo1.count() > 0 && chance(0.5))
        dialog.Combo1.setCurrentIndex(pick(dialog.Combo1.count()));
    else if (chance(0.05))
        retype(dialog.Combo1, QStringLiteral("cardNone"));
    if (dialog.Combo2.count() > 0 && chance(0.4))
        dialog.Combo2.setCurrentIndex(pick(dialog.Combo2.count()));
    else if (chance(0.05))
        retype(dialog.Combo2, QStringLiteral("deckNone"));
    if (chance(0.08)) {
        static const QString unreadable[] = {QStringLiteral("8 x 8"), QStringLiteral("x"), QString(),
                                             QStringLiteral("6 x 7"), QStringLiteral("five")};
        retype(dialog.Combo3, unreadable[pick(5)]);
    } else if (chance(0.6)) {
        dialog.Combo3.setCurrentIndex(pick(dialog.Combo3.count()));
    }
    QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    if (dialog.isLoaded()) {
        // The size was refused: give up.
        if (chance(0.5))
            QTest::mouseClick(&dialog.CancelButton, Qt::LeftButton);
        else
            dialog.close();
    }
}

void RandomPlayer::answerHiscore(Dialog1& dialog)
{
    const bool named = dialog.Text1.isVisible();
    const int roll = pick(5);
    if (roll == 0) {
        dialog.close();
        return;
    }
    if (named)
        typeInto(dialog.Text1, randomName());
    if (roll == 1)
        QTest::keyClick(named ? static_cast<QWidget*>(&dialog.Text1) : &dialog.OKButton, Qt::Key_Return);
    else
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    if (named && !dialog.isLoaded())
        ++namesEntered;
}

void RandomPlayer::answerModal(ui::Window& window)
{
    if (auto* dialog = qobject_cast<Dialog*>(&window))
        answerSettings(*dialog);
    else if (auto* dialog1 = qobject_cast<Dialog1*>(&window))
        answerHiscore(*dialog1);
}

void RandomPlayer::checkRules(int event, const char* action)
{
    const QByteArray where = "event " + QByteArray::number(event) + " (" + action + ")";
    for (const QString& message : std::as_const(platform.messages)) {
        QVERIFY2(!message.startsWith(loadErrorStart), qPrintable(where + ": " + message));
        QVERIFY2(message != QLatin1String(hiscore::loadingMessage), qPrintable(where + ": " + message));
    }
    QVERIFY2(!form.isClosing(), where.constData());

    // A new deal starts a new count.
    if (form.isBoardReady() && form.gameStartTime() != dealtAt) {
        dealtAt = form.gameStartTime();
        accepted = 0;
        static const double skills[] = {0.0, 0.6, 1.0};
        skill = skills[pick(3)];
    }
    QVERIFY2(form.attempts == accepted,
             qPrintable(where + ": attempts " + QByteArray::number(form.attempts) + ", cards accepted "
                        + QByteArray::number(accepted)));

    if (dealt()) {
        const Board& board = form.board();
        int openUnfound = 0;
        QHash<QString, int> keys;
        QHash<QString, int> foundKeys;
        board.forEachCell([&](int x, int y) {
            const MemoCard& card = board.card(x, y);
            if (card.isOpen && !card.isFound)
                ++openUnfound;
            ++keys[card.fName];
            if (card.isFound)
                ++foundKeys[card.fName];
        });
        if (form.isFirstCardOpen()) {
            const MemoCard& first = board.card(form.firstCardX(), form.firstCardY());
            QVERIFY2(openUnfound == 1 && first.isOpen && !first.isFound,
                     qPrintable(where + ": the first card of the turn is not the one open card"));
        } else {
            QVERIFY2(openUnfound == 0,
                     qPrintable(where + ": " + QByteArray::number(openUnfound) + " unfound cards open after a turn"));
        }
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            QVERIFY2(it.value() == 2, qPrintable(where + ": key " + it.key() + " on "
                                                 + QByteArray::number(it.value()) + " cards"));
        for (auto it = foundKeys.cbegin(); it != foundKeys.cend(); ++it)
            QVERIFY2(it.value() == 2, qPrintable(where + ": found key " + it.key() + " on "
                                                 + QByteArray::number(it.value()) + " cards"));
    }

    const QString scores = hiscore::hsPath();
    if (QFileInfo::exists(scores)) {
        QFile file(scores);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(where));
        hiscore::HsTable table;
        QVERIFY2(hiscore::readTable(file.readAll(), table), qPrintable(where + ": hiscore.dat does not read back"));
    }
}

void RandomPlayer::play(int events)
{
    for (int event = 0; event < events; ++event) {
        // Every action comes a little later than the one before.
        platform.now += 0.05f + float(pick(100)) / 100.0f;
        platform.modalAnswers.clear();
        for (int i = 0; i < 8; ++i)
            platform.modalAnswers.push_back([this](ui::Window& window) { answerModal(window); });

        const Action action = nextAction();
        const char* name = "";
        switch (action) {
        case Action::Click:
            name = "click";
            click();
            break;
        case Action::NewGame:
            name = "New Game";
            QTest::mouseClick(&form.Command1, Qt::LeftButton);
            break;
        case Action::Settings:
            name = "Settings";
            QTest::mouseClick(&form.Command2, Qt::LeftButton);
            break;
        case Action::F5:
            name = "F5";
            QTest::keyRelease(&form, Qt::Key_F5);
            break;
        case Action::Resize: {
            name = "resize";
            // Down to a tiny window now and then, else anything up to a large one.
            const bool tiny = chance(0.3);
            form.setClientSize(float(15 * (tiny ? 1 + pick(60) : 60 + pick(700))),
                               float(15 * (tiny ? 1 + pick(80) : 80 + pick(500))));
            break;
        }
        case Action::TimePasses:
            name = "time passes";
            platform.now += float(pick(300)) / 100.0f;
            form.Timer1.tick();
            form.Timer2.tick();
            break;
        case Action::AnswerHiscore:
            name = "high-score dialog answered";
            if (Dialog1* dialog = hiscoreOnScreen())
                answerHiscore(*dialog);
            break;
        }
        QCoreApplication::processEvents();
        if (!QTest::currentTestFailed())
            checkRules(event, name);
        if (QTest::currentTestFailed()) {
            qWarning("broken at event %d (%s)", event, name);
            return;
        }
    }
}

} // namespace

class RandomPlayTest : public QObject
{
    Q_OBJECT

private slots:
    void randomPlayKeepsTheRules_data();
    void randomPlayKeepsTheRules();
};

void RandomPlayTest::randomPlayKeepsTheRules_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("events");
    QTest::addColumn<bool>("scoresNobodyBeats");
    QTest::newRow("default scores, seed 8") << 8u << 4000 << false;
    QTest::newRow("scores nobody beats, seed 1234") << 1234u << 2000 << true;
}

void RandomPlayTest::randomPlayKeepsTheRules()
{
    QFETCH(unsigned, seed);
    QFETCH(int, events);
    QFETCH(bool, scoresNobodyBeats);
    TestPlatform platform;
    fixture::writePictures(platform);
    // A second set with too few faces for the larger boards, so that a build
    // runs into missing faces and falls back to the settings dialog.
    fixture::writePictures(platform, 10, QStringLiteral("cardBirds"), QStringLiteral("deckWaves"));
    if (scoresNobodyBeats)
        fixture::writeScoresNobodyBeats(platform);
    Form1 form;
    fixture::showAtDesignedSize(form);

    RandomPlayer player(platform, form, seed);
    player.play(events);
    if (QTest::currentTestFailed())
        return;
    qInfo("%d games finished, %d places earned, %d names entered, %d mismatches, %d settings dialogs answered",
          player.gamesFinished, player.placesEarned, player.namesEntered, player.mismatches, player.settingsOpened);
    // The run has reached what it is meant to try.
    QVERIFY(player.gamesFinished > 0);
    QVERIFY(player.mismatches > 0);
    QVERIFY(player.settingsOpened > 0);
    if (!scoresNobodyBeats)
        QVERIFY(player.namesEntered > 0);

    // Closing the main window ends every window.
    QVERIFY(form.close());
    QVERIFY(form.isClosing());
    QCOMPARE(ui::Window::openWindows().size(), 0);
}

QTEST_MAIN(RandomPlayTest)
#include "tst_randomplay.moc"
