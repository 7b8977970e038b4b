#include "Surface.h"

#include "Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

Surface::Surface(QWidget* parent, float left, float top, float width, float height)
    : QWidget(parent), Control(static_cast<QWidget&>(*this))
{
    // The canvas covers every pixel, so nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    place(left, top, width, height);
    fitCanvas();
}

QColor Surface::backColor() const
{
    return palette().color(QPalette::Window);
}

void Surface::clear()
{
    fitCanvas();
    canvas_.fill(backColor());
    ++clearings_;
    dropUnused();
    repaint();
}

void Surface::paintPicture(const Picture& picture, float left, float top, float width, float height)
{
    if (!picture)
        return;
    fitCanvas();
    const qreal ratio = canvas_.devicePixelRatio();
    const QRectF target(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    // The pixels the rectangle covers: its edges on the nearest pixel boundaries.
    const QPoint topLeft(qRound(target.left() * ratio), qRound(target.top() * ratio));
    const QPoint bottomRight(qRound(target.right() * ratio), qRound(target.bottom() * ratio));
    const QSize size(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y());
    const bool cached = !size.isEmpty() && size.width() <= canvas_.width() && size.height() <= canvas_.height();
    {
        QPainter painter(&canvas_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (cached) {
            // The whole picture stretched to the card, scaled once for the card's
            // size and copied pixel for pixel from then on.
            painter.drawImage(QPointF(topLeft) / ratio, scaledCopy(picture, size));
        } else {
            // A rectangle turned inside out, or larger than the whole surface, is
            // not worth keeping a copy for.
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, *picture);
        }
    }
    repaint(target.toAlignedRect().adjusted(-1, -1, 1, 1));
}

const QImage& Surface::scaledCopy(const Picture& picture, QSize size)
{
    for (Scaled& copy : scaled_) {
        if (copy.key == picture.get() && copy.image.size() == size && copy.source.lock() == picture) {
            copy.used = clearings_;
            return copy.image;
        }
    }
    dropUnused();
    Scaled copy;
    copy.key = picture.get();
    copy.source = picture;
    copy.image = picture->scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(canvas_.format());
    copy.image.setDevicePixelRatio(canvas_.devicePixelRatio());
    copy.used = clearings_;
    scaled_.push_back(std::move(copy));
    return scaled_.back().image;
}

void Surface::dropUnused()
{
    // Copies of released pictures, and of sizes not painted since the clearing
    // before the last, have no card left to show them on.
    std::erase_if(scaled_, [this](const Scaled& copy) { return copy.source.expired() || copy.used + 1 < clearings_; });
}

void Surface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas_, QRectF(QPointF(event->rect().topLeft()) * canvas_.devicePixelRatio(),
                                                    QSizeF(event->rect().size()) * canvas_.devicePixelRatio()));
}

void Surface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitCanvas();
}

void Surface::fitCanvas()
{
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = (QSizeF(size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (canvas_.size() == wanted && canvas_.devicePixelRatio() == ratio)
        return;
    QImage grown(wanted, QImage::Format_ARGB32_Premultiplied);
    grown.setDevicePixelRatio(ratio);
    grown.fill(backColor());
    if (!canvas_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), canvas_);
    }
    canvas_ = std::move(grown);
}

void Surface::mouseReleaseEvent(QMouseEvent* event)
{
    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: button = 0; break;
    }
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    if (onMouseUp)
        onMouseUp(button, shift, float(toTwips(event->position().x())), float(toTwips(event->position().y())));
}

} // namespace ui
