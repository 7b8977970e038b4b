#pragma once

#include "ui/Window.h"

class Form1;

// The high-score dialog. One object for the whole run; its window is loaded
// for every finished game and unloaded when closed, while the table stays.
class Dialog1 : public ui::Window
{
    Q_OBJECT

public:
    explicit Dialog1(Form1& main);

private:
    void Form_Load();

    Form1& form1;
};
