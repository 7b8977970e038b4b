#pragma once

#include "Control.h"
#include "Picture.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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
    // Pictures held scaled to a card's size, ready to be copied onto the canvas.
    std::size_t scaledCopies() const { return scaled_.size(); }
    QColor backColor() const;

    // A mouse release: the button (1 left, 2 right, 4 middle), the modifier
    // keys (1 Shift, 2 Ctrl, 4 Alt) and the position in twips.
    std::function<void(int button, int shift, float x, float y)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A picture smoothly scaled to a card's size in device pixels. It is kept
    // only while the picture itself lives: the weak reference tells a released
    // picture from a new one that happens to get the same address.
    struct Scaled
    {
        const QImage* key = nullptr;
        std::weak_ptr<const QImage> source;
        QImage image;
        std::uint64_t used = 0;
    };

    void fitCanvas();
    const QImage& scaledCopy(const Picture& picture, QSize size);
    void dropUnused();

    QImage canvas_;
    // Counts the clearings of the surface: a copy that was not painted since the
    // one before last belongs to a layout that has gone.
    std::uint64_t clearings_ = 0;
    std::vector<Scaled> scaled_;
};

} // namespace ui
