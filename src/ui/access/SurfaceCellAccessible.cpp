#include "SurfaceCellAccessible.h"

#include "ui/Surface.h"

#include <QWindow>

namespace ui {

SurfaceCellAccessible::SurfaceCellAccessible(Surface& surface, int column, int row)
    : surface_(&surface), column_(column), row_(row)
{
}

bool SurfaceCellAccessible::isValid() const
{
    return surface_ && column_ < surface_->columns() && row_ < surface_->rows();
}

QWindow* SurfaceCellAccessible::window() const
{
    return surface_ ? surface_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* SurfaceCellAccessible::parent() const
{
    return surface_ ? QAccessible::queryAccessibleInterface(surface_.data()) : nullptr;
}

QString SurfaceCellAccessible::text(QAccessible::Text type) const
{
    if (type != QAccessible::Name || !surface_)
        return {};
    return surface_->cellName(column_, row_);
}

QRect SurfaceCellAccessible::rect() const
{
    if (!surface_)
        return {};
    const QRectF pixels = surface_->cellPixels(column_, row_);
    return QRectF(surface_->mapToGlobal(pixels.topLeft()), pixels.size()).toAlignedRect();
}

QAccessible::State SurfaceCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.focused = surface_->hasFocus() && surface_->currentColumn() == column_ && surface_->currentRow() == row_;
    state.invisible = !surface_->isVisible();
    return state;
}

void* SurfaceCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    switch (type) {
    case QAccessible::TableCellInterface: return static_cast<QAccessibleTableCellInterface*>(this);
    case QAccessible::ActionInterface: return static_cast<QAccessibleActionInterface*>(this);
    default: return nullptr;
    }
}

QStringList SurfaceCellAccessible::actionNames() const
{
    return {pressAction(), setFocusAction()};
}

void SurfaceCellAccessible::doAction(const QString& actionName)
{
    if (!isValid())
        return;
    if (actionName == pressAction())
        surface_->pressCell(column_, row_);
    else if (actionName == setFocusAction())
        surface_->focusCell(column_, row_);
}

} // namespace ui
