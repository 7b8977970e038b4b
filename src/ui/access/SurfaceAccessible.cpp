#include "SurfaceAccessible.h"

#include "ui/Surface.h"
#include "SurfaceCellAccessible.h"

namespace ui {

SurfaceAccessible::SurfaceAccessible(Surface& surface) : QAccessibleWidget(&surface, QAccessible::Table) {}

SurfaceAccessible::~SurfaceAccessible()
{
    forgetCells();
}

void SurfaceAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(&SurfaceAccessible::create);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* SurfaceAccessible::create(const QString& /*className*/, QObject* object)
{
    if (auto* surface = qobject_cast<Surface*>(object))
        return new SurfaceAccessible(*surface);
    return nullptr;
}

Surface& SurfaceAccessible::surface() const
{
    return static_cast<Surface&>(*widget());
}

void SurfaceAccessible::forgetCells()
{
    const QHash<int, Known> cells = std::exchange(cells_, {});
    for (const Known& cell : cells)
        QAccessible::deleteAccessibleInterface(cell.id);
}

void* SurfaceAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int SurfaceAccessible::childCount() const
{
    return surface().columns() * surface().rows();
}

QAccessibleInterface* SurfaceAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const int columns = surface().columns();
    const std::uint64_t identity = surface().cellIdentity(index % columns, index / columns);
    if (const auto known = cells_.constFind(index); known != cells_.cend()) {
        QAccessibleInterface* cell = QAccessible::accessibleInterface(known->id);
        if (cell && known->identity == identity)
            return cell;
        // The surface has a new cell there: the one a screen reader knew is gone.
        if (cell)
            QAccessible::deleteAccessibleInterface(known->id);
    }
    auto* cell = new SurfaceCellAccessible(surface(), index % columns, index / columns);
    cells_.insert(index, {identity, QAccessible::registerAccessibleInterface(cell)});
    return cell;
}

int SurfaceAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const SurfaceCellAccessible*>(child);
    if (!cell || cell->parent() != this || !cell->isValid())
        return -1;
    return cell->rowIndex() * surface().columns() + cell->columnIndex();
}

QAccessibleInterface* SurfaceAccessible::childAt(int x, int y) const
{
    const QPointF at = surface().mapFromGlobal(QPointF(x, y));
    for (int row = 0; row < surface().rows(); ++row) {
        for (int column = 0; column < surface().columns(); ++column) {
            if (surface().cellPixels(column, row).contains(at))
                return cellAt(row, column);
        }
    }
    return nullptr;
}

QAccessibleInterface* SurfaceAccessible::focusChild() const
{
    if (!surface().hasFocus())
        return nullptr;
    return cellAt(surface().currentRow(), surface().currentColumn());
}

QAccessibleInterface* SurfaceAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= surface().rows() || column >= surface().columns())
        return nullptr;
    return child(row * surface().columns() + column);
}

int SurfaceAccessible::columnCount() const
{
    return surface().columns();
}

int SurfaceAccessible::rowCount() const
{
    return surface().rows();
}

void SurfaceAccessible::modelChange(QAccessibleTableModelChangeEvent* /*event*/)
{
    forgetCells();
}

} // namespace ui
