#include "ComboBox.h"

namespace ui {

ComboBox::ComboBox(QWidget* parent, float left, float top, float width, float height)
    : QComboBox(parent), Control(static_cast<QWidget&>(*this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    place(left, top, width, height);
}

} // namespace ui
