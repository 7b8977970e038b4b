#include "Button.h"

namespace ui {

Button::Button(QWidget* parent, const QString& caption, float left, float top, float width, float height)
    : QPushButton(caption, parent), Control(static_cast<QWidget&>(*this))
{
    place(left, top, width, height);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (onClick)
            onClick();
    });
}

} // namespace ui
