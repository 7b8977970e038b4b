#include "Dialog.h"

#include "app/Form1.h"
#include "game/BoardSize.h"
#include "pictures/PictureFolder.h"
#include "ui/Platform.h"
#include "ui/TabOrder.h"

#include <algorithm>
#include <optional>

namespace {

// The first element of a name list in which nothing was found.
const QString noneFound = QStringLiteral("::~~##");
const QString readMe = QStringLiteral("Please read the 'ReadMe.txt' file.");
const QString lineBreak = QStringLiteral("\r\n");

using game::BoardSize;
using game::boardSizes;

QStringList emptyNameList()
{
    return {noneFound, QString()};
}

QString sizeText(std::int32_t columns, std::int32_t rows)
{
    return QString::number(columns) + QStringLiteral(" x ") + QString::number(rows);
}

QString sizeRefusal()
{
    QStringList sizes;
    for (const BoardSize& size : boardSizes)
        sizes << sizeText(size.columns, size.rows);
    const QString last = sizes.takeLast();
    return QStringLiteral("Please choose one of the board sizes ") + sizes.join(QStringLiteral(", "))
        + QStringLiteral(" or ") + last + u'.';
}

// The value of a character as a decimal digit, -1 for any other character.
int digitValue(QChar c)
{
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

// The size named by the first (columns) and last (rows) characters of a box's
// text, when that is one of the sizes on offer.
std::optional<BoardSize> readBoardSize(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const int columns = digitValue(text.front());
    const int rows = digitValue(text.back());
    for (const BoardSize& size : boardSizes)
        if (size.columns == columns && size.rows == rows)
            return size;
    return std::nullopt;
}

// Shows a text in the box. The list item that reads the same, if there is
// one, becomes the current item, so the arrow keys and the drop-down start
// from it; a text that is not in the list is shown all the same.
void showText(ui::ComboBox& box, const QString& text)
{
    box.setCurrentIndex(box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box.setText(text);
}

// Adds the names of a name list to a box's list. The box goes on showing the
// text it was given before.
void addNames(ui::ComboBox& box, const QStringList& names)
{
    if (names.first() == noneFound)
        return;
    const QString shown = box.text();
    box.addItems(names.first(names.size() - 1));
    showText(box, shown);
}

} // namespace

Dialog::Dialog(Form1& main)
    : ui::Window(QStringLiteral("Brindlepair Settings"), 6030, 1635, Border::FixedDialog),
      OKButton(this, QStringLiteral("OK"), 4680, 120, 1215, 375),
      CancelButton(this, QStringLiteral("Cancel"), 4680, 600, 1215, 375),
      Combo1(this, 2280, 120, 2175, 315),
      Combo2(this, 2280, 600, 2175, 315),
      Combo3(this, 2280, 1080, 2175, 315),
      Label1(this, QStringLiteral("select Card-Set"), 360, 120, 1080, 195),
      Label2(this, QStringLiteral("select Deck"), 360, 600, 855, 195),
      Label3(this, QStringLiteral("select Gamefield"), 360, 1080, 1170, 195),
      form1(main)
{
    setShowInTaskbar(false);
    // Opens where it was designed to, not centred over the main window.
    moveTo(2760, 3750);
    ui::setTabOrder({&OKButton, &CancelButton, &Combo1, &Combo2, &Combo3, &Label1, &Label2, &Label3});
    // Each box is named by its label for a screen reader.
    Label1.setBuddy(&Combo1);
    Label2.setBuddy(&Combo2);
    Label3.setBuddy(&Combo3);

    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onLoad = [this] {
        // Closing the main window while the lists were read unloads this dialog
        // too; the opening that follows would load it again. It closes at once
        // instead: nothing opens over a program that is ending.
        if (form1.isClosing()) {
            unload();
            return;
        }
        Form_Load();
    };
    load();
}

void Dialog::Form_Load()
{
    // The texts come before the lists, so a name that is not in the folder,
    // such as "(select new)", is shown as it is.
    Combo1.setText(form1.cardName);
    Combo2.setText(form1.deckName);
    addNames(Combo1, getCardNames());
    if (!isLoaded())
        return;
    addNames(Combo2, getDeckNames());
    if (!isLoaded())
        return;
    for (const BoardSize& size : boardSizes)
        Combo3.addItem(sizeText(size.columns, size.rows));
    showText(Combo3, sizeText(form1.squareMaxX, form1.squareMaxY));
}

QStringList Dialog::listPictureFolder(const QString& pattern, const QString& failure,
                                      const std::function<bool(const QString&, QStringList&)>& take)
{
    ui::Platform& platform = ui::platform();
    const auto fail = [&] {
        platform.messageBox(failure + lineBreak + readMe);
        return emptyNameList();
    };
    // The game's own folder and the player's are listed as one, in name order;
    // a file in both is one entry.
    QStringList entries;
    for (const QString& folder : pictures::pictureFolders()) {
        QStringList listed;
        if (!platform.listFiles(folder + pattern, listed))
            return fail();
        entries += listed;
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    QStringList names = emptyNameList();
    for (const QString& entry : entries) {
        if (!take(entry, names))
            return fail();
        platform.processEvents();
        if (!isLoaded())
            break;
    }
    return names;
}

QStringList Dialog::getCardNames()
{
    qsizetype count = 0;
    return listPictureFolder(QStringLiteral("card*.*"), QStringLiteral("Error finding Card-Types."),
                             [&count, this](const QString& entry, QStringList& names) {
        // The extension and the two-digit face number come off the file name.
        if (entry.size() < 6)
            return false;
        const QString name = getFileName(entry).chopped(2);
        // Every face of a set gives the same name: the set is listed at its
        // first file only.
        if (names.first(count).contains(name))
            return true;
        ++count;
        names.resize(count + 1);
        names[count - 1] = name;
        return true;
    });
}

QStringList Dialog::getDeckNames()
{
    qsizetype i = 0;
    return listPictureFolder(QStringLiteral("deck*.*"), QStringLiteral("Error finding Deck-Types"),
                             [&i, this](const QString& entry, QStringList& names) {
        if (entry.size() < 4)
            return false;
        names.resize(i + 2);
        names[i] = getFileName(entry);
        ++i;
        return true;
    });
}

QString Dialog::getFileName(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(ui::separator()) + 1);
    return name.size() < 4 ? QString() : name.chopped(4);
}

void Dialog::OKButton_Click()
{
    // A size that is not on offer is refused before anything is written: the
    // player may correct it or cancel.
    const std::optional<BoardSize> size = readBoardSize(Combo3.text());
    if (!size) {
        ui::platform().messageBox(sizeRefusal());
        return;
    }
    form1.cardName = Combo1.text();
    form1.deckName = Combo2.text();
    form1.squareMaxX = size->columns;
    form1.squareMaxY = size->rows;
    unload();
}

void Dialog::CancelButton_Click()
{
    unload();
}
