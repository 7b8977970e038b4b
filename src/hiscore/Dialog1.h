#pragma once

#include "HiscoreTable.h"

#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/TextBox.h"
#include "ui/Window.h"

#include <cstdint>

class Form1;

// The high-score dialog. One object for the whole run; its window is loaded
// for every finished game and unloaded when closed, while the table stays.
// Loading ranks the main window's game against the three best of its board
// size; a game that earns a place shows the dialog at once, not modally, with a
// name box, and OK saves the named entry.
class Dialog1 : public ui::Window
{
    Q_OBJECT

public:
    explicit Dialog1(Form1& main);

    ui::Label Label1;
    ui::Label Label3;
    ui::Label Label2;
    // Made before Text1: OK comes first in the tab order, Text1 second.
    ui::Button OKButton;
    ui::TextBox Text1;

    // What the dialog holds, for those who need to look at it.
    const hiscore::HsTable& table() const { return hsTable; }
    std::int32_t place() const { return newPlace; }
    std::int32_t sizeBlock() const { return sizeIndex; }

    // No place earned.
    static constexpr std::int32_t noPlace = 99;

private:
    void Form_Load();
    void checkHS();
    void displayHS();
    void Text1_Change();
    void OKButton_Click();

    // Puts every control back as designed: Text1 and Label2 hidden, Text1 empty.
    void resetControls();
    // The row of the new entry; -1 when the game earned no place.
    int entryRow() const;

    Form1& form1;

    std::int32_t gameAttempts = 0;
    std::int32_t gameTime = 0;
    std::int32_t newPlace = 0;
    std::int32_t sizeIndex = 0;
    std::int32_t gameMaxX = 0;
    std::int32_t gameMaxY = 0;
    hiscore::HsTable hsTable;
};
