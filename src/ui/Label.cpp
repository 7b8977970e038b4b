#include "Label.h"

namespace ui {

Label::Label(QWidget* parent, const QString& caption, float left, float top, float width, float height)
    : QLabel(caption, parent), Control(static_cast<QWidget&>(*this))
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(left, top, width, height);
}

} // namespace ui
