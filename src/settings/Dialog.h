#pragma once

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Label.h"
#include "ui/Window.h"

#include <QStringList>

#include <functional>

class Form1;

// The settings dialog: card set, deck and board size. Made afresh at every
// opening (the lists are read from the picture folder each time) and always
// shown modally over the main window. OK writes the choices into the main
// window; Cancel and the close control write nothing.
class Dialog : public ui::Window
{
    Q_OBJECT

public:
    explicit Dialog(Form1& main);

    ui::Button OKButton;
    ui::Button CancelButton;
    ui::ComboBox Combo1;
    ui::ComboBox Combo2;
    ui::ComboBox Combo3;
    ui::Label Label1;
    ui::Label Label2;
    ui::Label Label3;

    // Fills the boxes: the current choices first, then the lists.
    void Form_Load();
    // The card sets of the picture folder, in listing order, followed by one
    // empty element; just "::~~##" and an empty element when there are none.
    QStringList getCardNames();
    // The decks, in the same shape; every matching file is one deck.
    QStringList getDeckNames();
    // The part of `path` after its last separator, less its last four
    // characters (the extension with its dot); empty when it is shorter.
    QString getFileName(const QString& path);
    // Writes the choices into the main window and closes, unless the board size
    // is not one of the listed ones: that is refused and the dialog stays open.
    void OKButton_Click();
    void CancelButton_Click();

private:
    // Lists the picture folder's files that match `pattern` into a name list,
    // in name order: `take` puts each file's name into the list and processes
    // pending window events after each. A folder that cannot be listed, or a
    // name that `take` refuses, shows the failure message and yields the list
    // in which nothing was found. The listing stops early, too, once the
    // dialog has been unloaded (the main window was closed meanwhile).
    QStringList listPictureFolder(const QString& pattern, const QString& failure,
                                  const std::function<bool(const QString& entry, QStringList& names)>& take);

    Form1& form1;
};
