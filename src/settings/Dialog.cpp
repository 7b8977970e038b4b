#include "Dialog.h"

#include "app/Form1.h"

// Placeholder until the settings dialog lands: shows the current choices, OK
// writes nothing new.
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
    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onLoad = [this] { Form_Load(); };
    load();
}

void Dialog::Form_Load()
{
    Combo1.setText(form1.cardName);
    Combo2.setText(form1.deckName);
}

QStringList Dialog::getCardNames() { return {QStringLiteral("::~~##"), QString()}; }
QStringList Dialog::getDeckNames() { return {QStringLiteral("::~~##"), QString()}; }
QString Dialog::getFileName(const QString& path) { return path; }

void Dialog::OKButton_Click()
{
    form1.cardName = Combo1.text();
    form1.deckName = Combo2.text();
    unload();
}

void Dialog::CancelButton_Click()
{
    unload();
}
