#include "Dialog1.h"

#include "app/Form1.h"
#include "game/BoardSize.h"
#include "game/Format.h"
#include "ui/Fonts.h"
#include "ui/Placement.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>

namespace {

using game::boardSizes;

constexpr std::int32_t placesPerSize = 3;
// The table text shows this many characters of a name, right-aligned.
constexpr int namePlaces = 16;
constexpr int numberDigits = 4;
constexpr int nameLength = 12;

const QString lineBreak = QStringLiteral("\r\n");
const QString columnGap = QStringLiteral("   ");
const QString newEntryName = QStringLiteral("** NEW ENTRY **");

std::optional<std::int32_t> sizeBlockOf(std::int32_t columns, std::int32_t rows)
{
    for (std::size_t i = 0; i < boardSizes.size(); ++i) {
        if (boardSizes[i].columns == columns && boardSizes[i].rows == rows)
            return std::int32_t(i);
    }
    return std::nullopt;
}

// A stored attempts or time text as a number. The game writes whole 32-bit
// numbers; anything else (an edited or damaged file) is not a number.
std::optional<double> storedNumber(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < std::numeric_limits<std::int32_t>::min()
        || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return value;
}

// A number with at least four digits; a text that is not a number as it stands.
QString shownNumber(const QString& text)
{
    const std::optional<double> value = storedNumber(text);
    return value ? game::formatDigits(*value, numberDigits) : text;
}

} // namespace

Dialog1::Dialog1(Form1& main)
    : ui::Window(QStringLiteral("Brindlepair Hiscore"), 4410, 6225, Border::FixedDialog),
      Label1(this, QString(), 120, 0, 3375, 5295),
      Label3(this, QString(), 120, 5520, 4095, 255),
      Label2(this, QStringLiteral("Enter name:"), 120, 5880, 1335, 255),
      OKButton(this, QStringLiteral("OK"), 3120, 5880, 1215, 255),
      Text1(this, 1440, 5880, 1455, 285),
      form1(main)
{
    for (QWidget* control : std::initializer_list<QWidget*>{this, &Label1, &Label3, &Label2, &OKButton, &Text1})
        ui::useFixedPitchFont(*control, QStringLiteral("Courier New"), 8.25);
    Text1.setMaxLength(nameLength);
    // The name box is named by its prompt for a screen reader.
    Label2.setBuddy(&Text1);
    setDefaultButton(&OKButton);
    OKButton.onClick = [this] { OKButton_Click(); };
    onLoad = [this] { Form_Load(); };
    resetControls();
}

void Dialog1::resetControls()
{
    Label1.setCaption(QString());
    Label3.setCaption(QString());
    Label2.hide();
    // Controls made anew fire no change event.
    Text1.onChange = nullptr;
    Text1.clear();
    Text1.onChange = [this] { Text1_Change(); };
    Text1.hide();
    ui::centreOnOwner(*this, form1);
}

int Dialog1::entryRow() const
{
    if (newPlace < 0 || newPlace >= placesPerSize)
        return -1;
    return sizeIndex * placesPerSize + newPlace;
}

void Dialog1::Form_Load()
{
    resetControls();
    gameAttempts = form1.attempts;
    gameTime = form1.elapsedTime;
    gameMaxX = form1.squareMaxX;
    gameMaxY = form1.squareMaxY;
    Label3.setCaption(QStringLiteral("You played: ") + QString::number(gameMaxX) + QStringLiteral("x")
                      + QString::number(gameMaxY) + QStringLiteral("   Att.: ") + QString::number(gameAttempts)
                      + QStringLiteral("   Time: ") + QString::number(gameTime));
    hiscore::loadHS(hsTable);
    checkHS();
    displayHS();
}

void Dialog1::checkHS()
{
    newPlace = noPlace;
    // Only the five sizes have rows; any other size earns no place, so no
    // other size's rows are touched.
    const std::optional<std::int32_t> block = sizeBlockOf(gameMaxX, gameMaxY);
    if (!block)
        return;
    sizeIndex = *block;
    const double attemptsPlayed = gameAttempts;
    const double timePlayed = gameTime;
    for (std::int32_t p = placesPerSize - 1; p >= 0; --p) {
        const int row = sizeIndex * placesPerSize + p;
        const std::optional<double> attemptsStored = storedNumber(hsTable[hiscore::attemptsColumn][row]);
        const std::optional<double> timeStored = storedNumber(hsTable[hiscore::timeColumn][row]);
        // An entry that is not a number is beaten by any game.
        if (!attemptsStored || !timeStored) {
            newPlace = p;
            continue;
        }
        if (*attemptsStored == attemptsPlayed && *timeStored >= timePlayed)
            newPlace = p;
        if (*attemptsStored > attemptsPlayed)
            newPlace = p;
    }
    if (newPlace == noPlace)
        return;

    showModeless();
    // Centred again now that its frame is known.
    ui::centreOnOwner(*this, form1);
    Text1.show();
    Label2.show();
    Text1.setFocus();

    // The entries below the new place move down one row; the third drops out.
    const int first = sizeIndex * placesPerSize;
    for (int row = first + placesPerSize - 1; row > first + newPlace; --row) {
        for (int column = 0; column < hiscore::fieldsPerRow; ++column)
            hsTable[column][row] = hsTable[column][row - 1];
    }
    const int row = first + newPlace;
    hsTable[hiscore::nameColumn][row] = newEntryName;
    hsTable[hiscore::attemptsColumn][row] = QString::number(gameAttempts);
    hsTable[hiscore::timeColumn][row] = QString::number(gameTime);
}

void Dialog1::displayHS()
{
    QString text;
    for (int i = 0; i < hiscore::usedRows; ++i) {
        if (i % placesPerSize == 0) {
            text += lineBreak + QStringLiteral("             ")
                + QLatin1String(boardSizes[std::size_t(i / placesPerSize)].name) + columnGap + QStringLiteral("Att.")
                + columnGap + QStringLiteral("Time") + lineBreak;
        }
        // A name longer than its places (only from an edited file) is cut, so
        // the columns stay in line.
        text += QString::number(i % placesPerSize + 1)
            + game::formatRightAligned(hsTable[hiscore::nameColumn][i].left(namePlaces), namePlaces) + columnGap
            + shownNumber(hsTable[hiscore::attemptsColumn][i]) + columnGap
            + shownNumber(hsTable[hiscore::timeColumn][i]) + lineBreak;
    }
    Label1.setCaption(text);
}

void Dialog1::Text1_Change()
{
    const int row = entryRow();
    if (row < 0)
        return;
    const QString name = Text1.text();
    hsTable[hiscore::nameColumn][row] = name.isEmpty() ? newEntryName : name;
    displayHS();
}

void Dialog1::OKButton_Click()
{
    const int row = entryRow();
    if (!Text1.isHidden() && row >= 0) {
        if (Text1.text().isEmpty())
            Text1.setText(QStringLiteral("Nobody"));
        hsTable[hiscore::nameColumn][row] = Text1.text();
        hsTable[hiscore::attemptsColumn][row] = QString::number(gameAttempts);
        hsTable[hiscore::timeColumn][row] = QString::number(gameTime);
        hiscore::saveHS(hsTable);
    }
    unload();
    form1.redraw();
}
