#pragma once

#include "Control.h"

#include <QPushButton>

#include <functional>

namespace ui {

class Button : public QPushButton, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    Button(QWidget* parent, const QString& caption, float left, float top, float width, float height);

    std::function<void()> onClick;
};

} // namespace ui
