#pragma once

#include "Control.h"
#include "Picture.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace ui {

// The picture surface the board is painted on. It keeps what was painted on it
// (a covered and uncovered window shows the board again) in a canvas at the
// screen's pixel density, and every picture painted is on screen at once.
class Surface : public QWidget, public Control
{
    Q_OBJECT

public:
    // Sizes in twips, not the widget's pixels.
    using Control::height;
    using Control::width;

    Surface(QWidget* parent, float left, float top, float width, float height);

    // Clears the whole surface to its background colour.
    void clear();
    // Paints the whole picture stretched into the rectangle, given in twips.
    void paintPicture(const Picture& picture, float left, float top, float width, float height);

    // What the surface shows, at device pixels.
    const QImage& canvas() const { return canvas_; }
    QColor backColor() const;

    // A mouse release: the button (1 left, 2 right, 4 middle), the modifier
    // keys (1 Shift, 2 Ctrl, 4 Alt) and the position in twips.
    std::function<void(int button, int shift, float x, float y)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitCanvas();

    QImage canvas_;
};

} // namespace ui
