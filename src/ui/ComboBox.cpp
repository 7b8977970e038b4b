#include "ComboBox.h"

namespace ui {

ComboBox::ComboBox(QWidget* parent, float left, float top, float width, float height)
    : QComboBox(parent), Control(static_cast<QWidget&>(*this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    // Typing is free: no completion from the list.
    setCompleter(nullptr);
    place(left, top, width, height);
}

} // namespace ui
