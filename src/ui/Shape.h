#pragma once

#include "Control.h"

#include <QColor>
#include <QWidget>

namespace ui {

// A rectangle filled with one colour.
class Shape : public QWidget, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    Shape(QWidget* parent, QColor fillColor);

    QColor fillColor() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

} // namespace ui
