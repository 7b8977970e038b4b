#include "Surface.h"

#include "Platform.h"
#include "Twips.h"
#include "Keys.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace ui {

namespace {

// The focus frame: a light line along the card's edge and a ring of the
// highlight colour outside it, 60 twips in all, so it shows against the
// background and against any picture. Cards are 130 twips apart, so a frame
// never reaches the next card; by the surface's edge, where a card has 30
// twips to spare, the surface cuts it short.
constexpr double frameLine = 15;
constexpr double frameWidth = 60;

// A rectangle in twips, in the surface's pixels.
QRectF pixelsOf(const QRectF& twips)
{
    return QRectF(toPixels(twips.left()), toPixels(twips.top()), toPixels(twips.width()), toPixels(twips.height()));
}

} // namespace

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

void Surface::paintPicture(const imaging::Picture& picture, float left, float top, float width, float height)
{
    if (!picture)
        return;
    fitCanvas();
    const qreal ratio = canvas_.devicePixelRatio();
    const QRectF target = pixelsOf(QRectF(left, top, width, height));
    const QRect pixels = devicePixels(target);
    const QPoint topLeft = pixels.topLeft();
    const QSize size = pixels.size();
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

const QImage& Surface::scaledCopy(const imaging::Picture& picture, QSize size)
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

QRect Surface::devicePixels(const QRectF& target) const
{
    // Its edges on the nearest pixel boundaries. A rectangle turned inside out
    // keeps its negative size.
    const qreal ratio = canvas_.devicePixelRatio();
    const QPoint topLeft(qRound(target.left() * ratio), qRound(target.top() * ratio));
    const QPoint bottomRight(qRound(target.right() * ratio), qRound(target.bottom() * ratio));
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

void Surface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const qreal ratio = canvas_.devicePixelRatio();
    painter.drawImage(event->rect(), canvas_, QRectF(QPointF(event->rect().topLeft()) * ratio,
                                                    QSizeF(event->rect().size()) * ratio));
    if (!hasFocus())
        return;
    const QRect card = currentCard();
    if (card.isEmpty())
        return;
    const int line = qMax(1, qRound(toPixels(frameLine) * ratio));
    const int width = qMax(line + 1, qRound(toPixels(frameWidth) * ratio));
    const QRect inner = card.adjusted(-line, -line, line, line);
    const QRect outer = card.adjusted(-width, -width, width, width);
    painter.scale(1 / ratio, 1 / ratio);
    for (const QRect& strip : QRegion(outer).subtracted(inner))
        painter.fillRect(strip, palette().color(QPalette::Highlight));
    for (const QRect& strip : QRegion(inner).subtracted(card))
        painter.fillRect(strip, palette().color(QPalette::HighlightedText));
}

QRect Surface::currentCard() const
{
    if (!hasCell(currentColumn_, currentRow_))
        return {};
    return devicePixels(pixelsOf(cells_[std::size_t(cellIndex(currentColumn_, currentRow_))].twips));
}

void Surface::updateFocusFrame()
{
    const QRect card = currentCard();
    if (card.isEmpty())
        return;
    const qreal ratio = canvas_.devicePixelRatio();
    const int width = qCeil(toPixels(frameWidth) * ratio) + 1;
    const QRectF outer(card.adjusted(-width, -width, width, width));
    update(QRectF(outer.topLeft() / ratio, outer.size() / ratio).toAlignedRect());
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
    if (onMouseUp)
        onMouseUp(button, shiftState(event->modifiers()), float(toTwips(event->position().x())),
                  float(toTwips(event->position().y())));
}

void Surface::keyPressEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        event->setAccepted(event->key() == heldKey_);
        return;
    }
    heldKey_ = 0;
    int code = virtualKeyCode(event->key());
    if (code != 0 && onKeyDown) {
        onKeyDown(code, shiftState(event->modifiers()));
        if (code == 0) {
            heldKey_ = event->key();
            event->accept();
            return;
        }
    }
    event->ignore();
}

void Surface::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    updateFocusFrame();
    // The toolkit tells a screen reader of the surface's own focus once this
    // handler is done; the current cell's focus is told after it.
    QMetaObject::invokeMethod(this, &Surface::announceCurrentCell, Qt::QueuedConnection);
}

void Surface::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    updateFocusFrame();
}

bool Surface::hasCell(int column, int row) const
{
    return column >= 0 && row >= 0 && column < columns_ && row < rows_;
}

void Surface::setCells(int columns, int rows)
{
    columns = qMax(0, columns);
    rows = qMax(0, rows);
    if (columns == columns_ && rows == rows_)
        return;
    updateFocusFrame();
    columns_ = columns;
    rows_ = rows;
    cells_.assign(std::size_t(columns) * std::size_t(rows), Cell{});
    // The table has new children: those a screen reader knew are gone.
    for (Cell& cell : cells_)
        cell.identity = ++identities_;
    currentColumn_ = 0;
    currentRow_ = 0;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    platform().tellScreenReader(event);
}

void Surface::setCellRect(int column, int row, float left, float top, float width, float height)
{
    if (!hasCell(column, row))
        return;
    const bool current = column == currentColumn_ && row == currentRow_;
    if (current)
        updateFocusFrame();
    cells_[std::size_t(cellIndex(column, row))].twips = QRectF(left, top, width, height);
    if (current)
        updateFocusFrame();
}

void Surface::setCellName(int column, int row, const QString& name)
{
    if (!hasCell(column, row))
        return;
    const int index = cellIndex(column, row);
    Cell& cell = cells_[std::size_t(index)];
    if (cell.name == name)
        return;
    cell.name = name;
    if (hasFocus() && column == currentColumn_ && row == currentRow_) {
        // A screen reader does not say the focused cell's new name: the cell
        // takes a new identity and the focus again.
        cell.identity = ++identities_;
        announceCurrentCell();
        return;
    }
    QAccessibleEvent event(this, QAccessible::NameChanged);
    event.setChild(index);
    platform().tellScreenReader(event);
}

QString Surface::cellName(int column, int row) const
{
    return hasCell(column, row) ? cells_[std::size_t(cellIndex(column, row))].name : QString();
}

std::uint64_t Surface::cellIdentity(int column, int row) const
{
    return hasCell(column, row) ? cells_[std::size_t(cellIndex(column, row))].identity : 0;
}

QRectF Surface::cellPixels(int column, int row) const
{
    return hasCell(column, row) ? pixelsOf(cells_[std::size_t(cellIndex(column, row))].twips) : QRectF();
}

void Surface::setCurrentCell(int column, int row)
{
    if (!hasCell(column, row) || (column == currentColumn_ && row == currentRow_))
        return;
    updateFocusFrame();
    currentColumn_ = column;
    currentRow_ = row;
    updateFocusFrame();
    announceCurrentCell();
}

void Surface::announceCurrentCell()
{
    if (!hasFocus() || !hasCell(currentColumn_, currentRow_))
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(cellIndex(currentColumn_, currentRow_));
    platform().tellScreenReader(event);
}

bool Surface::takesInput() const
{
    // Another window's modal turn shuts the surface out, for a screen reader
    // as for the mouse.
    const QWidget* modal = QApplication::activeModalWidget();
    return isVisible() && isEnabled() && (!modal || modal == window());
}

void Surface::pressCell(int column, int row)
{
    // Handled from the event queue, as a click is: the screen reader is not
    // kept waiting through a pair's second on view or a modal window.
    QMetaObject::invokeMethod(
        this,
        [this, column, row] {
            if (!hasCell(column, row) || !takesInput())
                return;
            setCurrentCell(column, row);
            if (onCellPress)
                onCellPress(column, row);
        },
        Qt::QueuedConnection);
}

void Surface::focusCell(int column, int row)
{
    if (!hasCell(column, row) || !takesInput())
        return;
    setCurrentCell(column, row);
    setFocus(Qt::OtherFocusReason);
}

} // namespace ui
