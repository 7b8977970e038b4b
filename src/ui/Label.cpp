#include "Label.h"

namespace ui {

Label::Label(QWidget* parent, const QString& caption, float left, float top, float width, float height)
    : QLabel(caption, parent), Control(static_cast<QWidget&>(*this))
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(left, top, width, height);
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    placed();
}

void Label::placed()
{
    // A one-line caption wider than its place runs on to the right rather
    // than being cut off.
    if (!text().contains(u'\n') && sizeHint().width() > QLabel::width())
        resize(sizeHint().width(), QLabel::height());
}

} // namespace ui
