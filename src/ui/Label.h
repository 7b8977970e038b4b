#pragma once

#include "Control.h"

#include <QLabel>

namespace ui {

class Label : public QLabel, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    Label(QWidget* parent, const QString& caption, float left, float top, float width, float height);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

protected:
    void placed() override;
};

} // namespace ui
