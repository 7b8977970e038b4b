#pragma once

#include "Control.h"

#include <QLineEdit>

#include <functional>

namespace ui {

// A single-line text box. onChange runs on every change of the text, typed or set.
class TextBox : public QLineEdit, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    TextBox(QWidget* parent, float left, float top, float width, float height);

    std::function<void()> onChange;
};

} // namespace ui
