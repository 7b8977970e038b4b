#include "Dialog1.h"

#include "app/Form1.h"

// Placeholder until the high-score dialog lands.
Dialog1::Dialog1(Form1& main)
    : ui::Window(QStringLiteral("Brindlepair Hiscore"), 4410, 6225, Border::FixedDialog), form1(main)
{
    onLoad = [this] { Form_Load(); };
}

void Dialog1::Form_Load()
{
}
