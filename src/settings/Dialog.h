#pragma once

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Label.h"
#include "ui/Window.h"

#include <QStringList>

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

    void Form_Load();
    QStringList getCardNames();
    QStringList getDeckNames();
    QString getFileName(const QString& path);
    void OKButton_Click();
    void CancelButton_Click();

private:
    Form1& form1;
};
