#pragma once

#include "TestPlatform.h"

#include <QColor>
#include <QPoint>

class Form1;

// Helpers for tests that play on a real board.
namespace fixture {

// The colour of face n of the test pictures, and of the deck: far enough apart
// to be told apart on the surface after JPEG compression.
QColor faceColor(int n);
QColor deckColor();

// Writes faces 00 to faces-1 of card set `cardName` and the deck picture.
void writePictures(TestPlatform& platform, int faces = 18, const QString& cardName = QStringLiteral("cardPussy"),
                   const QString& deckName = QStringLiteral("deckAcorn"));

// Shows the main window at its designed size, so the surface is laid out.
void showAtDesignedSize(Form1& form);

// The middle of a card cell's rectangle, in the surface's pixels.
QPoint cardCentre(const Form1& form, int x, int y);

// Releases the mouse over a card cell, as a player's click would.
void clickCard(Form1& form, int x, int y, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The other cell that holds the same pair key as (x, y).
QPoint partnerOf(const Form1& form, int x, int y);

// The colour the surface shows in the middle of a card cell.
QColor shownColor(const Form1& form, int x, int y);

// True when two colours are the same picture colour, give or take JPEG noise.
bool sameColour(QColor a, QColor b);

// Writes a hiscore.dat that no game beats, so a finished game earns no place
// and its high-score dialog opens modally.
void writeScoresNobodyBeats(TestPlatform& platform);

// Writes the test pictures, shows the window at its designed size and presses
// New Game: a dealt 4 x 4 board, every card face down, and stored scores that
// no game beats.
void startGame(TestPlatform& platform, Form1& form);

// The colour of the face that the card in cell (x, y) shows when turned up.
QColor faceColorOf(const Form1& form, int x, int y);

// Finds every pair left on the board with the mouse, without a single mismatch.
void findEveryPair(Form1& form);

} // namespace fixture
