#pragma once

#include "game/Board.h"
#include "game/BoardCursor.h"
#include "ui/Button.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Surface.h"
#include "ui/Timer.h"
#include "ui/Window.h"

#include <QString>

#include <cstdint>
#include <memory>

class Dialog1;
class FormProgress;

// The main window. It owns the game: the board, the choices the settings dialog
// writes, the counters the high-score dialog reads, and the turn in progress.
class Form1 : public ui::Window
{
    Q_OBJECT

public:
    Form1();
    ~Form1() override;

    // Read and written by the other windows.
    QString cardName;
    QString deckName;
    std::int32_t squareMaxX = 0;
    std::int32_t squareMaxY = 0;
    std::int32_t attempts = 0;
    std::int32_t elapsedTime = 0;
    bool dirty = false;

    ui::Button Command1;
    ui::Button Command2;
    ui::Label Label2;
    ui::Image Image1;
    ui::Image Image2;
    ui::Surface Picture1;
    ui::Timer Timer1;
    ui::Timer Timer2;

    void newGame();
    void initGame();
    void clearSquare();
    void makeSquare();
    imaging::Picture getPic(const QString& fName, std::int32_t count);
    void randomizeSquare();
    void drawSquare();
    void drawPic(std::int32_t x, std::int32_t y);
    void rePosSquare();
    void checkCardClick(std::int32_t x, std::int32_t y);
    void checkGameOver();
    void redraw();

    void Command1_Click();
    void Form_Load();
    void Command2_Click();
    void Form_KeyUp(int& keyCode, int shift);
    void Form_Unload(int& cancel);
    void Form_Paint();
    void Form_Resize();
    void Picture1_MouseUp(int button, int shift, float X, float Y);
    // The keyboard on the board: the arrows, Home and End move the cursor,
    // Space and Enter turn the card under it.
    void Picture1_KeyDown(int& keyCode, int shift);
    // A screen reader's press of a card.
    void Picture1_CellPress(std::int32_t x, std::int32_t y);
    void Timer1_Timer();
    void Timer2_Timer();

    // The high-score dialog: one object for the whole run, made when first asked for.
    Dialog1& hiscoreDialog();
    // The progress window of the board build, loaded when asked for.
    FormProgress& progressWindow();

    // The window's own state, for those who need to look at it.
    const Board& board() const { return square; }
    bool isBoardReady() const { return boardReady; }
    bool isFirstCardOpen() const { return firstCardOpen; }
    bool isBusy() const { return busy; }
    std::int32_t firstCardX() const { return firstX; }
    std::int32_t firstCardY() const { return firstY; }
    float gameStartTime() const { return startTime; }
    float lastCount() const { return lastTick; }
    std::int32_t rememberedBottom() const { return lastBottom; }
    // True once the main window has been closed: whatever is still running stops.
    bool isClosing() const { return closing; }

private:
    void openSettingsDialog();
    // Loads picture `count` of the set or deck `name` (cardName or deckName)
    // into Image1. A picture that is missing makes the name "(select new)" and
    // opens the settings dialog for a new choice (unless it is open already),
    // and the picture of the name chosen is tried once more.
    void loadPicOrChoose(QString& name, std::int32_t count);
    bool settingsDialogVisible() const;
    void waitOneSecond();
    // A card turned by the keyboard or a screen reader: a click on it, with
    // the checks a click on the board goes through.
    void pressCard(std::int32_t x, std::int32_t y);
    // Tells the board surface what a screen reader is to say of a card.
    void describeCard(std::int32_t x, std::int32_t y);

    Board square;
    bool boardReady = false;
    bool firstCardOpen = false;
    float startTime = 0;
    bool busy = false;
    std::int32_t firstX = 0;
    std::int32_t firstY = 0;
    float lastTick = 0;
    std::int32_t lastBottom = 0;

    bool closing = false;
    std::unique_ptr<FormProgress> progress;
    std::unique_ptr<Dialog1> dialog1;
};
