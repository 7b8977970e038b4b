#pragma once

#include "Control.h"

#include <QComboBox>

namespace ui {

// An editable drop-down box: the player may pick from the list or type freely.
// The list keeps the order in which items are added.
class ComboBox : public QComboBox, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    ComboBox(QWidget* parent, float left, float top, float width, float height);

    QString text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }
};

} // namespace ui
