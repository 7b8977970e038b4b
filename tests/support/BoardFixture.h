#pragma once

#include "TestPlatform.h"

#include "app/Form1.h"
#include "hiscore/HiscoreTable.h"
#include "settings/Dialog.h"
#include "ui/Twips.h"

#include <QFile>
#include <QTest>

#include <functional>

// Helpers for tests that play on a real board, and for the windows around it.
namespace fixture {

// The colour of face n of the test pictures, and of the deck: far enough apart
// to be told apart on the surface after JPEG compression (hues spread around
// the wheel, in two rows of lightness).
inline QColor faceColor(int n) { return QColor::fromHsv((n * 47) % 360, 255, n % 2 == 0 ? 255 : 150); }

inline QColor deckColor() { return QColor(128, 128, 128); }

// The file name of face n of a card set: cardPussy03.jpg.
inline QString faceFile(const QString& cardName, int n)
{
    return cardName + QString::number(n).rightJustified(2, u'0') + QStringLiteral(".jpg");
}

// Writes faces 00 to faces-1 of card set `cardName` and the deck picture.
inline void writePictures(TestPlatform& platform, int faces = 18, const QString& cardName = QStringLiteral("cardPussy"),
                          const QString& deckName = QStringLiteral("deckAcorn"))
{
    for (int n = 0; n < faces; ++n)
        platform.writePicture(faceFile(cardName, n), faceColor(n));
    platform.writePicture(deckName + QStringLiteral(".jpg"), deckColor());
}

// Writes a file of any content (a broken picture, a score file), replacing it.
inline void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

// The two messages of the picture loader.
inline QString missingMessage(const QString& path)
{
    return "Cannot find file: \r\n" + path + "\r\nPlease read the 'ReadMe.txt' file.";
}

inline QString loadErrorMessage(const QString& path)
{
    return "Error while loading file: \r\n" + path + "\r\nPlease read the 'ReadMe.txt' file.";
}

// Shows the main window at its designed size, so the surface is laid out.
inline void showAtDesignedSize(Form1& form)
{
    form.show();
    form.setClientSize(6930, 5010);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
}

// The middle of a card cell's rectangle, in the surface's pixels.
inline QPoint cardCentre(const Form1& form, int x, int y)
{
    const MemoCard& card = form.board().card(x, y);
    return QPoint(int(ui::toPixels((card.x1 + card.x2) / 2.0)), int(ui::toPixels((card.y1 + card.y2) / 2.0)));
}

// Releases the mouse over a card cell, as a player's click would.
inline void clickCard(Form1& form, int x, int y, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(&form.Picture1, button, {}, cardCentre(form, x, y));
}

// The first cell, column by column, whose card `wanted` takes; (-1, -1) if none.
inline QPoint firstCell(const Form1& form, const std::function<bool(const MemoCard&, QPoint)>& wanted)
{
    QPoint found(-1, -1);
    form.board().forEachCell([&](int x, int y) {
        if (found.x() < 0 && wanted(form.board().card(x, y), QPoint(x, y)))
            found = QPoint(x, y);
    });
    return found;
}

// The other cell that holds the same pair key as (x, y).
inline QPoint partnerOf(const Form1& form, int x, int y)
{
    const QString& key = form.board().card(x, y).fName;
    return firstCell(form, [&](const MemoCard& card, QPoint at) { return at != QPoint(x, y) && card.fName == key; });
}

// A face-down card whose key differs from that of `cell`.
inline QPoint otherKeyThan(const Form1& form, QPoint cell)
{
    const QString& key = form.board().card(cell.x(), cell.y()).fName;
    return firstCell(form, [&](const MemoCard& c, QPoint) { return !c.isOpen && !c.isFound && c.fName != key; });
}

// Finds every pair left on the board with the mouse, without a single mismatch.
inline void findEveryPair(Form1& form)
{
    form.board().forEachCell([&](int x, int y) {
        const QPoint partner = partnerOf(form, x, y);
        if (!form.board().card(x, y).isFound) {
            clickCard(form, x, y);
            clickCard(form, partner.x(), partner.y());
        }
    });
}

// The pair keys of a board's cards, column by column.
inline QStringList keysOf(const Board& board)
{
    QStringList keys;
    board.forEachCell([&](int x, int y) { keys << board.card(x, y).fName; });
    return keys;
}

// One letter a card, column by column: F found, O open, - face down.
inline QString boardStates(const Form1& form)
{
    QString states;
    form.board().forEachCell([&](int x, int y) {
        const MemoCard& card = form.board().card(x, y);
        states += card.isFound ? u'F' : card.isOpen ? u'O' : u'-';
    });
    return states;
}

// True when two colours are the same picture colour, give or take JPEG noise.
inline bool sameColour(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

// The mean colour of a picture, and of a card on the surface (its edges left
// out): a picture stretched into a card keeps its mean colour.
inline QColor meanColour(const QImage& image)
{
    return image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
}

inline QColor meanColourOfCard(const Form1& form, int x, int y)
{
    const MemoCard& card = form.board().card(x, y);
    const QImage& canvas = form.Picture1.canvas();
    const auto at = [&](double xTwips, double yTwips) {
        return QPointF(ui::toPixels(xTwips), ui::toPixels(yTwips)).toPoint() * canvas.devicePixelRatio();
    };
    return meanColour(canvas.copy(QRect(at(card.x1 + 15, card.y1 + 15), at(card.x2 - 15, card.y2 - 15))));
}

// Whether the surface shows the card as it is, in the middle of its cell: its
// face when it is open or found, the deck otherwise. A key is the card set's
// name followed by the face's number, counted from 1.
inline bool showsAsItIs(const Form1& form, QPoint cell)
{
    const MemoCard& card = form.board().card(cell.x(), cell.y());
    const QColor wanted = card.isOpen || card.isFound ? faceColor(card.fName.mid(form.cardName.size()).toInt() - 1)
                                                      : deckColor();
    const QImage& canvas = form.Picture1.canvas();
    return sameColour(canvas.pixelColor(cardCentre(form, cell.x(), cell.y()) * canvas.devicePixelRatio()), wanted);
}

// Types into a box, as the player would; characters beyond ASCII arrive as
// text, as from an input method. Retyping replaces what the box holds.
inline void typeInto(QWidget& box, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(&box, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void retype(QWidget& box, const QString& text)
{
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Backspace);
    typeInto(box, text);
}

// Answers for the settings dialog: Cancel, or set the boxes given (an empty
// text leaves a box as it is) and press OK.
inline void cancelSettings(ui::Window& window)
{
    QTest::mouseClick(&static_cast<Dialog&>(window).CancelButton, Qt::LeftButton);
}

inline std::function<void(ui::Window&)> chooseSettings(const QString& cards, const QString& deck = {},
                                                       const QString& size = {})
{
    return [=](ui::Window& window) {
        auto& dialog = static_cast<Dialog&>(window);
        const std::pair<ui::ComboBox*, QString> boxes[] = {{&dialog.Combo1, cards}, {&dialog.Combo2, deck},
                                                           {&dialog.Combo3, size}};
        for (const auto& [box, text] : boxes)
            if (!text.isEmpty())
                retype(*box, text);
        QTest::mouseClick(&dialog.OKButton, Qt::LeftButton);
    };
}

// A dealt game: the test pictures (18 faces of cardPussy, deckAcorn), stored
// scores that no game beats (so a finished game's dialog opens modally), the
// main window at its designed size, New Game pressed on a board of the given
// size (unless told not to deal); every card face down.
struct Game
{
    explicit Game(int columns = 4, int rows = 4, bool deal = true)
    {
        writePictures(platform);
        hiscore::HsTable table;
        hiscore::makeDefaultTable(table);
        for (int row = 0; row < hiscore::usedRows; ++row)
            table[hiscore::attemptsColumn][row] = QStringLiteral("1");
        putFile(hiscore::hsPath(), hiscore::writeTable(table).value());
        form.squareMaxX = columns;
        form.squareMaxY = rows;
        showAtDesignedSize(form);
        if (deal)
            QTest::mouseClick(&form.Command1, Qt::LeftButton);
    }

    TestPlatform platform;
    Form1 form;
};

} // namespace fixture
