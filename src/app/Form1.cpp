#include "Form1.h"

#include "game/CardDescription.h"
#include "game/Format.h"
#include "game/Rounding.h"
#include "game/Shuffle.h"
#include "hiscore/Dialog1.h"
#include "pictures/CardPainting.h"
#include "pictures/FormProgress.h"
#include "pictures/Layout.h"
#include "pictures/PictureFolder.h"
#include "settings/Dialog.h"
#include "ui/Keys.h"
#include "ui/Platform.h"
#include "ui/TabOrder.h"

namespace {

const QString selectNew = QStringLiteral("(select new)");
const QString readMe = QStringLiteral("Please read the 'ReadMe.txt' file.");
const QString lineBreak = QStringLiteral("\r\n");

// The window watch repaints once the window's bottom edge has come this close
// to the bottom of the screen.
constexpr float bottomBand = 1000;

} // namespace

Form1::Form1()
    : ui::Window(QStringLiteral("Brindlepair"), 6930, 5010, Border::Sizable),
      Command1(this, QStringLiteral("New Game"), 120, 120, 1095, 375),
      Command2(this, QStringLiteral("Settings"), 1320, 120, 1095, 375),
      Label2(this, QStringLiteral("Time:"), 2520, 120, 975, 255),
      Image1(this, 4320, 120, 495, 495),
      Image2(this, 4920, 120, 780, 615),
      Picture1(this, 120, 840, 6735, 4095),
      Timer1(this, 200, false),
      Timer2(this, 200, true)
{
    Image2.setPicture(imaging::loadStoredPicture(QStringLiteral(":/pictures/fallback.png")));
    // The smallest board the settings offer has four columns and four rows, so
    // no card is larger than a quarter of the screen each way.
    ui::platform().limitPicturesToCards(4, 4);

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Picture1.onMouseUp = [this](int button, int shift, float x, float y) { Picture1_MouseUp(button, shift, x, y); };
    Picture1.onKeyDown = [this](int& keyCode, int shift) { Picture1_KeyDown(keyCode, shift); };
    Picture1.onCellPress = [this](int x, int y) { Picture1_CellPress(x, y); };
    // The board takes the focus by Tab only: a click leaves it where it is.
    Picture1.setFocusPolicy(Qt::TabFocus);
    Picture1.setAccessibleName(QStringLiteral("Cards"));
    ui::setTabOrder({&Command1, &Command2, &Picture1});
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    setKeyPreview(true);
    onKeyUp = [this](int& keyCode, int shift) { Form_KeyUp(keyCode, shift); };
    onResize = [this] { Form_Resize(); };
    onPaint = [this] { Form_Paint(); };
    onUnload = [this] {
        int cancel = 0;
        Form_Unload(cancel);
    };
    onLoad = [this] { Form_Load(); };
    load();
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    cardName = QStringLiteral("cardPussy");
    deckName = QStringLiteral("deckAcorn");
    dirty = true;
    squareMaxX = 4;
    squareMaxY = 4;
}

void Form1::Command1_Click()
{
    // One build at a time: a second press while a build processes events is ignored.
    if (busy)
        return;
    busy = true;
    firstCardOpen = false;
    newGame();
    busy = false;
}

void Form1::newGame()
{
    boardReady = false;
    if (dirty) {
        Picture1.setCells(0, 0);
        square = Board(squareMaxX, squareMaxY);
        makeSquare();
        if (closing)
            return;
        dirty = false;
    }
    initGame();
}

void Form1::initGame()
{
    clearSquare();
    square.forgetGlimpse();
    randomizeSquare();
    Picture1.setCells(square.upperX(), square.upperY());
    rePosSquare();
    drawSquare();
    square.forEachCell([this](std::int32_t x, std::int32_t y) { describeCard(x, y); });
    Picture1.setCurrentCell(0, 0);
    boardReady = true;
    startTime = ui::platform().clock();
    lastTick = startTime;
    attempts = 0;
    elapsedTime = 0;
    Timer1.setEnabled(true);
}

void Form1::clearSquare()
{
    square.forEachCell([this](std::int32_t x, std::int32_t y) {
        MemoCard& card = square.card(x, y);
        card.isFound = false;
        card.isOpen = false;
    });
}

void Form1::makeSquare()
{
    const std::int32_t columns = square.upperX();
    const std::int32_t rows = square.upperY();

    // The walk asks for faces 0 to faces - 1 of the card set, then for the deck.
    // They are decoded ahead on every core, and getPic takes each one in its
    // turn; a name changed by the fallback simply asks for files not decoded
    // ahead. Whatever was decoded and not asked for goes when the build ends.
    const std::int32_t cells = columns > 0 && rows > 0 ? columns * rows : 0;
    QStringList ahead;
    for (std::int32_t n = 0; n < (cells + 1) / 2; ++n)
        ahead << pictures::picturePath(cardName, n);
    ahead << pictures::picturePath(deckName, -1);
    const ui::PrefetchScope prefetch(ahead);

    FormProgress& progressForm = progressWindow();
    if (!progressForm.isVisible())
        progressForm.showModeless();
    progressForm.setMax(game::roundHalfEven(double(columns) * rows / 2));

    std::int32_t cell = 0;
    std::int32_t face = 0;
    for (std::int32_t i = 0; i <= columns - 1; ++i) {
        for (std::int32_t j = 0; j <= rows - 1; ++j) {
            auto card = std::make_shared<MemoCard>();
            square.at(i, j) = card;
            if (cell % 2 == 0) {
                loadPicOrChoose(cardName, face);
                if (closing)
                    return;
                ++face;
                progressForm.update(face);
            }
            card->pic = Image1.picture();
            card->fName = cardName + QString::number(face);
            card->face = face;
            ++cell;
            ui::platform().processEvents();
            if (closing)
                return;
        }
    }

    loadPicOrChoose(deckName, -1);
    if (closing)
        return;
    progressForm.unload();
}

void Form1::loadPicOrChoose(QString& name, std::int32_t count)
{
    Image1.setPicture(getPic(name, count));
    if (closing || Image1.hasPicture())
        return;
    // The settings dialog writes the new choice into `name`.
    name = selectNew;
    if (!settingsDialogVisible())
        openSettingsDialog();
    Image1.setPicture(getPic(name, count));
}

imaging::Picture Form1::getPic(const QString& fName, std::int32_t count)
{
    ui::Platform& platform = ui::platform();
    const QString path = pictures::picturePath(fName, count);
    bool found = false;
    imaging::Picture picture;
    if (platform.findFile(path, found)) {
        if (!found) {
            platform.messageBox(QStringLiteral("Cannot find file: ") + lineBreak + path + lineBreak + readMe);
            return {};
        }
        picture = platform.loadPicture(path);
    }
    if (!picture) {
        platform.messageBox(QStringLiteral("Error while loading file: ") + lineBreak + path + lineBreak + readMe);
        unload();
        return {};
    }
    return picture;
}

void Form1::randomizeSquare()
{
    ui::Platform& platform = ui::platform();
    platform.randomize();
    game::shuffle(square, [&platform] { return platform.rnd(); });
}

void Form1::drawSquare()
{
    Picture1.clear();
    square.forEachCell([this](std::int32_t x, std::int32_t y) { drawPic(x, y); });
}

void Form1::drawPic(std::int32_t x, std::int32_t y)
{
    const MemoCard& card = square.card(x, y);
    const imaging::Picture picture = pictures::pictureToPaint(card, Image1.picture(), Image2.picture());
    if (picture)
        Picture1.paintPicture(picture, float(card.x1), float(card.y1), float(card.x2 - card.x1),
                              float(card.y2 - card.y1));
}

void Form1::rePosSquare()
{
    pictures::layOutCards(square, Picture1.width(), Picture1.height());
    square.forEachCell([this](std::int32_t x, std::int32_t y) {
        const MemoCard& card = square.card(x, y);
        Picture1.setCellRect(x, y, float(card.x1), float(card.y1), float(card.x2 - card.x1), float(card.y2 - card.y1));
    });
}

void Form1::Form_Resize()
{
    if (isMinimised())
        return;
    Picture1.setLeft(clientLeft());
    Picture1.setTop(Command1.height() + Command1.top() + 100);
    Picture1.setWidth(clientWidth());
    if (clientHeight() > Picture1.top())
        Picture1.setHeight(clientHeight() - Picture1.top());
    if (boardReady) {
        rePosSquare();
        drawSquare();
    }
}

void Form1::Form_Paint()
{
    if (boardReady)
        drawSquare();
}

void Form1::redraw()
{
    Form_Paint();
}

void Form1::Picture1_MouseUp(int /*button*/, int /*shift*/, float X, float Y)
{
    if (!boardReady)
        return;
    const std::int32_t lastColumn = square.upperX() - 1;
    for (std::int32_t c = 0; c <= lastColumn; ++c) {
        for (std::int32_t r = 0; r <= square.upperY() - 1; ++r) {
            // A modal high-score dialog can run inside checkCardClick; the walk
            // goes on after it on whatever board is there, within its bounds.
            if (closing || c > square.upperX() - 1)
                return;
            const MemoCard& card = square.card(c, r);
            if (double(X) > card.x1 && double(X) < card.x2 && double(Y) > card.y1 && double(Y) < card.y2)
                checkCardClick(c, r);
        }
    }
}

void Form1::checkCardClick(std::int32_t x, std::int32_t y)
{
    const Board::CardRef clicked = square.at(x, y);
    MemoCard& k = *clicked;
    if (k.isFound || k.isOpen)
        return;
    ++attempts;
    for (const game::Cell& cell : square.forgetGlimpse())
        describeCard(cell.x, cell.y);
    if (!firstCardOpen) {
        firstCardOpen = true;
        k.isOpen = true;
        firstX = x;
        firstY = y;
        drawPic(x, y);
        describeCard(x, y);
        return;
    }
    const Board::CardRef first = square.at(firstX, firstY);
    MemoCard& f = *first;
    firstCardOpen = false;
    k.isOpen = true;
    if (k.fName == f.fName) {
        k.isFound = true;
        f.isFound = true;
        drawPic(x, y);
        describeCard(firstX, firstY);
        describeCard(x, y);
        checkGameOver();
        return;
    }
    drawPic(x, y);
    waitOneSecond();
    k.isOpen = false;
    f.isOpen = false;
    drawPic(x, y);
    drawPic(firstX, firstY);
    square.glimpsePair({firstX, firstY}, {x, y});
    describeCard(firstX, firstY);
    describeCard(x, y);
}

void Form1::describeCard(std::int32_t x, std::int32_t y)
{
    Picture1.setCellName(x, y, game::cardDescription(square, x, y));
}

void Form1::Picture1_KeyDown(int& keyCode, int shift)
{
    const game::Cell at{Picture1.currentColumn(), Picture1.currentRow()};
    game::CursorMove move;
    switch (keyCode) {
    case ui::key::space:
    case ui::key::enter:
        keyCode = 0;
        pressCard(at.x, at.y);
        return;
    case ui::key::left: move = game::CursorMove::Left; break;
    case ui::key::right: move = game::CursorMove::Right; break;
    case ui::key::up: move = game::CursorMove::Up; break;
    case ui::key::down: move = game::CursorMove::Down; break;
    case ui::key::home: move = shift & ui::held::ctrl ? game::CursorMove::BoardStart : game::CursorMove::RowStart; break;
    case ui::key::end: move = shift & ui::held::ctrl ? game::CursorMove::BoardEnd : game::CursorMove::RowEnd; break;
    default: return;
    }
    keyCode = 0;
    const game::Cell to = game::moveCursor(at, move, Picture1.columns(), Picture1.rows());
    Picture1.setCurrentCell(to.x, to.y);
}

void Form1::Picture1_CellPress(std::int32_t x, std::int32_t y)
{
    pressCard(x, y);
}

void Form1::pressCard(std::int32_t x, std::int32_t y)
{
    if (!boardReady || closing || x < 0 || y < 0 || x >= square.upperX() || y >= square.upperY())
        return;
    // A card with no inside is shown nowhere, and no click can hit it.
    const MemoCard& card = square.card(x, y);
    if (card.x2 <= card.x1 || card.y2 <= card.y1)
        return;
    checkCardClick(x, y);
}

void Form1::waitOneSecond()
{
    // Holds the event thread for one second, asleep rather than spinning: the
    // pair stays on the surface and no event is handled meanwhile.
    ui::Platform& platform = ui::platform();
    const float t0 = platform.clock();
    for (;;) {
        const float now = platform.clock();
        if (now >= t0 + 1.0f)
            break;
        platform.sleep(t0 + 1.0f - now);
    }
}

void Form1::checkGameOver()
{
    bool allFound = true;
    square.forEachCell([&](std::int32_t x, std::int32_t y) {
        if (allFound && !square.card(x, y).isFound)
            allFound = false;
    });
    if (!allFound)
        return;
    Timer1.setEnabled(false);
    Dialog1& dialog = hiscoreDialog();
    dialog.load();
    if (!dialog.isVisible())
        dialog.showModal(this);
}

void Form1::Timer1_Timer()
{
    ui::Platform& platform = ui::platform();
    const float now = platform.clock();
    if (now > lastTick + 1.0f) {
        Label2.setCaption(QStringLiteral("Time: ") + game::formatDigits(lastTick - startTime, 2));
        ++elapsedTime;
        lastTick = platform.clock();
    }
}

void Form1::Timer2_Timer()
{
    const double bottom = double(outerTop()) + double(outerHeight());
    if (bottom < lastBottom) {
        lastBottom = game::roundHalfEven(bottom);
        Form_Paint();
    }
    if (screenHeight() - bottomBand < float(bottom))
        lastBottom = game::roundHalfEven(bottom);
}

void Form1::Command2_Click()
{
    const QString oldCardName = cardName;
    const QString oldDeckName = deckName;
    const std::int32_t oldMaxX = squareMaxX;
    const std::int32_t oldMaxY = squareMaxY;
    if (!busy) {
        openSettingsDialog();
        ui::platform().processEvents();
        if (closing)
            return;
        if (cardName != oldCardName || squareMaxX != oldMaxX || squareMaxY != oldMaxY) {
            Picture1.clear();
            dirty = true;
            Command1_Click();
        } else if (deckName != oldDeckName) {
            Image1.setPicture(getPic(deckName, -1));
        }
        if (closing)
            return;
    }
    refresh();
}

void Form1::Form_KeyUp(int& keyCode, int /*shift*/)
{
    if (keyCode == ui::key::f5) {
        Form_Resize();
        keyCode = 0;
    }
}

void Form1::Form_Unload(int& cancel)
{
    cancel = 0;
    closing = true;
    for (ui::Window* window : ui::Window::openWindows())
        window->unload();
    ui::platform().quit();
}

Dialog1& Form1::hiscoreDialog()
{
    if (!dialog1)
        dialog1 = std::make_unique<Dialog1>(*this);
    return *dialog1;
}

FormProgress& Form1::progressWindow()
{
    if (!progress)
        progress = std::make_unique<FormProgress>(this);
    else
        progress->load();
    return *progress;
}

void Form1::openSettingsDialog()
{
    Dialog dialog(*this);
    // Closing the main window while the dialog lists the folder unloads it
    // again: then there is nothing to show.
    if (!closing && dialog.isLoaded())
        dialog.showModal(this);
}

bool Form1::settingsDialogVisible() const
{
    for (ui::Window* window : ui::Window::openWindows())
        if (qobject_cast<Dialog*>(window) && window->isVisible())
            return true;
    return false;
}
