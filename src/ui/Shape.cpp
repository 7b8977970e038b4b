#include "Shape.h"

#include <QPainter>

namespace ui {

Shape::Shape(QWidget* parent, QColor fillColor)
    : QWidget(parent), Control(static_cast<QWidget&>(*this)), fill_(fillColor)
{
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
}

} // namespace ui
