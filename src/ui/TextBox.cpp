#include "TextBox.h"

namespace ui {

TextBox::TextBox(QWidget* parent, float left, float top, float width, float height)
    : QLineEdit(parent), Control(static_cast<QWidget&>(*this))
{
    place(left, top, width, height);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (onChange)
            onChange();
    });
}

} // namespace ui
