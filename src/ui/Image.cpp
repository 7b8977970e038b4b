#include "Image.h"

#include <QPainter>

namespace ui {

Image::Image(QWidget* parent, float left, float top, float width, float height, bool visible)
    : QFrame(parent), Control(static_cast<QWidget&>(*this))
{
    place(left, top, width, height);
    setVisible(visible);
}

void Image::setPicture(imaging::Picture picture)
{
    picture_ = std::move(picture);
    update();
}

void Image::setBorder(bool singleLine)
{
    setFrameStyle(singleLine ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void Image::paintEvent(QPaintEvent* event)
{
    if (picture_) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(contentsRect(), *picture_);
    }
    QFrame::paintEvent(event);
}

} // namespace ui
