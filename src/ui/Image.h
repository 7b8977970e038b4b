#pragma once

#include "Control.h"
#include "imaging/Picture.h"

#include <QFrame>

namespace ui {

// An image control: holds a picture (or none) and, when visible, shows it
// stretched to its size.
class Image : public QFrame, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    Image(QWidget* parent, float left, float top, float width, float height, bool visible = false);

    const imaging::Picture& picture() const { return picture_; }
    void setPicture(imaging::Picture picture);
    bool hasPicture() const { return picture_ != nullptr; }
    void setBorder(bool singleLine);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    imaging::Picture picture_;
};

} // namespace ui
