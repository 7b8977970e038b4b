#pragma once

#include "Control.h"

#include <QFrame>

namespace ui {

// A frame without a caption that holds other controls.
class Frame : public QFrame, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    Frame(QWidget* parent, float left, float top, float width, float height);
};

} // namespace ui
