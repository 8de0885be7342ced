#pragma once

#include <QAccessible>
#include <QHash>

class QTreeView;

namespace tarvok {

// TelcoList as a screen reader meets it: Qt's own interface for the table, except that its
// column header cells can be pressed, doing what a click on them does (sort). Qt's item-view
// interfaces are not exported and cannot be subclassed, so this one holds Qt's, forwards
// every question to it and only puts its own cells in place of Qt's header cells.
class ProviderTableAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
public:
    // Puts the interface in place for TelcoList. Call it before the view is made: Qt keeps
    // the first interface it hands out for a widget.
    static void install();

    // Takes over `qtTable`, Qt's interface for the view, which Qt's cache no longer hands
    // out for the view itself.
    explicit ProviderTableAccessible(QAccessibleInterface* qtTable);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QColor foregroundColor() const override;
    QColor backgroundColor() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

protected:
    // Qt's cache deletes the interface when the view goes; Qt's table and the header cells
    // go with it.
    ~ProviderTableAccessible() override;

private:
    QTreeView* view() const;

    QAccessibleInterface* m_qtTable;
    QAccessibleTableInterface* m_qtTableInterface;
    QAccessible::Id m_qtTableId;
    mutable QHash<int, QAccessible::Id> m_headerCells; // by section, made when first asked
};

} // namespace tarvok
