#pragma once

#include "Control.h"
#include "imaging/Picture.h"

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
//
// For the keyboard and for screen readers the surface is also a table of cells,
// each with a rectangle and a name, one of them current. While the surface has
// the keyboard focus a frame in the gap around the current cell shows it; the
// frame is painted over the canvas, never into it. A screen reader sees the
// table with a child for every cell (access/SurfaceAccessible), and is told of
// every change of the cells by the toolkit's accessibility events, whether or
// not one is listening.
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
    void paintPicture(const imaging::Picture& picture, float left, float top, float width, float height);

    // What the surface shows, at device pixels.
    const QImage& canvas() const { return canvas_; }
    // Pictures held scaled to a card's size, ready to be copied onto the canvas.
    std::size_t scaledCopies() const { return scaled_.size(); }
    QColor backColor() const;

    // Gives the table its dimensions. When they change, every cell is without
    // a name or a place, the first is current, and a screen reader is told
    // that the table has new cells.
    void setCells(int columns, int rows);
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    // The rectangle of a cell on the surface, in twips.
    void setCellRect(int column, int row, float left, float top, float width, float height);
    // A cell's name as a screen reader says it. Renaming the current cell
    // while the surface has the focus announces it anew.
    void setCellName(int column, int row, const QString& name);
    QString cellName(int column, int row) const;
    // Which cell a screen reader knows there: a new one when the table gets
    // new dimensions, and when the current cell is renamed while the surface
    // has the focus (a screen reader says a focused cell's name only when it
    // comes to it). Never 0 for a cell of the table.
    std::uint64_t cellIdentity(int column, int row) const;
    // The cell's rectangle in the surface's pixels.
    QRectF cellPixels(int column, int row) const;
    void setCurrentCell(int column, int row);
    int currentColumn() const { return currentColumn_; }
    int currentRow() const { return currentRow_; }
    // A screen reader's press of a cell: once pending events are handled, the
    // cell becomes current and goes to onCellPress. Ignored while another
    // window is modal, as a click would be.
    void pressCell(int column, int row);
    // A screen reader's request for the focus on a cell.
    void focusCell(int column, int row);

    // A mouse release: the button (1 left, 2 right, 4 middle), the modifier
    // keys (1 Shift, 2 Ctrl, 4 Alt) and the position in twips.
    std::function<void(int button, int shift, float x, float y)> onMouseUp;
    // A key pressed while the surface has the focus: its Windows virtual-key
    // code and the modifier keys. Setting the code to 0 marks the key as
    // handled; any other key goes on to the window. A held key acts once.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int column, int row)> onCellPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

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

    struct Cell
    {
        QString name;
        QRectF twips;
        std::uint64_t identity = 0;
    };

    void fitCanvas();
    const QImage& scaledCopy(const imaging::Picture& picture, QSize size);
    void dropUnused();
    bool hasCell(int column, int row) const;
    int cellIndex(int column, int row) const { return row * columns_ + column; }
    // The pixels of the canvas a rectangle (in the surface's pixels) covers.
    QRect devicePixels(const QRectF& target) const;
    // The current cell's rectangle in device pixels; empty when there is none.
    QRect currentCard() const;
    // Repaints where the focus frame of the current cell is, or would be.
    void updateFocusFrame();
    // Tells a screen reader that the current cell has the focus.
    void announceCurrentCell();
    // Whether a press or a focus request from outside may reach the surface.
    bool takesInput() const;

    QImage canvas_;
    // Counts the clearings of the surface: a copy that was not painted since the
    // one before last belongs to a layout that has gone.
    std::uint64_t clearings_ = 0;
    std::vector<Scaled> scaled_;

    int columns_ = 0;
    int rows_ = 0;
    // Row by row, as a screen reader reads a table.
    std::vector<Cell> cells_;
    std::uint64_t identities_ = 0;
    int currentColumn_ = 0;
    int currentRow_ = 0;
    // The key whose press was handled: its repeats while it is held are taken too.
    int heldKey_ = 0;
};

} // namespace ui
