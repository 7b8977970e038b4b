#pragma once

#include <QAccessibleWidget>
#include <QHash>

#include <cstdint>

namespace ui {

class Surface;

// What a screen reader sees of a picture surface: a table named as the surface
// is, with a child for every cell of the surface (SurfaceCellAccessible), row
// by row. A cell is the same object for as long as the surface keeps its
// identity (Surface::cellIdentity).
class SurfaceAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit SurfaceAccessible(Surface& surface);
    ~SurfaceAccessible() override;

    // Makes the toolkit ask this class for the interface of every surface;
    // once, at the program's start.
    static void installFactory();

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // The factory the toolkit asks for the interface of any object.
    static QAccessibleInterface* create(const QString& className, QObject* object);
    Surface& surface() const;
    void forgetCells();

    // The cells handed out so far, by index: the surface's identity of the
    // cell each stands for, and its own.
    struct Known
    {
        std::uint64_t identity;
        QAccessible::Id id;
    };
    mutable QHash<int, Known> cells_;
};

} // namespace ui
