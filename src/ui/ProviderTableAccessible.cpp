#include "ProviderTableAccessible.h"

#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTreeView>

namespace tarvok {

namespace {

bool qtMakesTheInterface = false; // while set, the factory steps aside for Qt's own

// A column header cell: Qt's own, which it asks everything, plus the press that a click on
// the header section does.
class HeaderCell : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    HeaderCell(QHeaderView* header, QAccessibleInterface* qtCell, int section)
        : m_header(header)
        , m_qtCell(qtCell)
        , m_qtCellId(QAccessible::uniqueId(qtCell))
        , m_section(section) {}

    bool isValid() const override { return m_header && m_qtCell->isValid(); }
    QObject* object() const override { return nullptr; } // a cell is no object of its own
    QWindow* window() const override { return m_qtCell->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        return m_qtCell->relations(match);
    }
    QAccessibleInterface* childAt(int x, int y) const override { return m_qtCell->childAt(x, y); }
    QAccessibleInterface* parent() const override { return m_qtCell->parent(); }
    QAccessibleInterface* child(int index) const override { return m_qtCell->child(index); }
    int childCount() const override { return m_qtCell->childCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return m_qtCell->indexOfChild(child);
    }
    QString text(QAccessible::Text t) const override { return m_qtCell->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { m_qtCell->setText(t, text); }
    QRect rect() const override { return m_qtCell->rect(); }
    QAccessible::Role role() const override { return m_qtCell->role(); }
    QAccessible::State state() const override { return m_qtCell->state(); }
    QColor foregroundColor() const override { return m_qtCell->foregroundColor(); }
    QColor backgroundColor() const override { return m_qtCell->backgroundColor(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return m_qtCell->interface_cast(type);
    }

    QStringList actionNames() const override {
        if (!m_header || !m_header->sectionsClickable())
            return {};
        return {pressAction()};
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& actionName) override {
        // While an editor or message box is open the main window takes no input: a sort
        // then would move the row the editor is about to replace.
        if (actionName != pressAction() || !m_header || !m_header->isEnabled() ||
            !m_header->sectionsClickable() || QApplication::activeModalWidget())
            return;
        // The signal a click on the section gives: the list's controller sorts the table and
        // sets the sort indicator from it.
        emit m_header->sectionClicked(m_section);
    }

protected:
    // Qt's tree makes a new header cell on every request and keeps none of them, so the
    // one wrapped here is this cell's to free.
    ~HeaderCell() override { QAccessible::deleteAccessibleInterface(m_qtCellId); }

private:
    QPointer<QHeaderView> m_header;
    QAccessibleInterface* m_qtCell;
    QAccessible::Id m_qtCellId;
    int m_section;
};

// Registered without an object and deleted once it names one, it takes the object's entry
// out of Qt's cache: Qt has no other way to drop an entry without deleting its interface.
class CacheEntryRemover : public QAccessibleInterface {
public:
    static void removeEntryOf(QObject* object) {
        auto* remover = new CacheEntryRemover;
        const QAccessible::Id id = QAccessible::registerAccessibleInterface(remover);
        remover->m_object = object;
        QAccessible::deleteAccessibleInterface(id);
    }

    bool isValid() const override { return false; }
    QObject* object() const override { return m_object; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text) const override { return {}; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::NoRole; }
    QAccessible::State state() const override { return {}; }

private:
    QObject* m_object = nullptr;
};

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
    auto* view = qobject_cast<QTreeView*>(object);
    if (qtMakesTheInterface || className != QLatin1String("QTreeView") || !view ||
        view->objectName() != QLatin1String("TelcoList"))
        return nullptr;
    QAccessibleInterface* qtTable = nullptr;
    {
        const QScopedValueRollback<bool> stepAside(qtMakesTheInterface, true);
        qtTable = QAccessible::queryAccessibleInterface(view);
    }
    if (!qtTable)
        return nullptr;
    // Qt's table stays in the cache under its id alone, for this interface to free; the
    // view's entry becomes this interface's.
    CacheEntryRemover::removeEntryOf(view);
    return new ProviderTableAccessible(qtTable);
}

} // namespace

void ProviderTableAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

// Qt's interface for a tree view is always a table.
ProviderTableAccessible::ProviderTableAccessible(QAccessibleInterface* qtTable)
    : m_qtTable(qtTable)
    , m_qtTableInterface(qtTable->tableInterface())
    , m_qtTableId(QAccessible::uniqueId(qtTable)) {}

ProviderTableAccessible::~ProviderTableAccessible() {
    for (const QAccessible::Id id : std::as_const(m_headerCells))
        QAccessible::deleteAccessibleInterface(id);
    QAccessible::deleteAccessibleInterface(m_qtTableId);
}

QTreeView* ProviderTableAccessible::view() const {
    return qobject_cast<QTreeView*>(m_qtTable->object());
}

// Qt's tree lists one header cell per column first, then the rows' cells.
QAccessibleInterface* ProviderTableAccessible::child(int index) const {
    const QTreeView* tree = view();
    if (!tree || !tree->model() || index < 0 || index >= tree->model()->columnCount())
        return m_qtTable->child(index);
    if (const QAccessible::Id id = m_headerCells.value(index))
        return QAccessible::accessibleInterface(id);
    QAccessibleInterface* qtCell = m_qtTable->child(index);
    if (!qtCell || qtCell->role() != QAccessible::ColumnHeader)
        return qtCell;
    auto* cell = new HeaderCell(tree->header(), qtCell, index);
    m_headerCells.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int ProviderTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    // Qt's table would take a header cell of ours for one of its own.
    for (auto it = m_headerCells.cbegin(); it != m_headerCells.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key();
    }
    return m_qtTable->indexOfChild(child);
}

void* ProviderTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return m_qtTable->interface_cast(type);
}

// Everything else is Qt's.

bool ProviderTableAccessible::isValid() const {
    return m_qtTable->isValid();
}
QObject* ProviderTableAccessible::object() const {
    return m_qtTable->object();
}
QWindow* ProviderTableAccessible::window() const {
    return m_qtTable->window();
}
QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
ProviderTableAccessible::relations(QAccessible::Relation match) const {
    return m_qtTable->relations(match);
}
QAccessibleInterface* ProviderTableAccessible::focusChild() const {
    return m_qtTable->focusChild();
}
QAccessibleInterface* ProviderTableAccessible::childAt(int x, int y) const {
    return m_qtTable->childAt(x, y);
}
QAccessibleInterface* ProviderTableAccessible::parent() const {
    return m_qtTable->parent();
}
int ProviderTableAccessible::childCount() const {
    return m_qtTable->childCount();
}
QString ProviderTableAccessible::text(QAccessible::Text t) const {
    return m_qtTable->text(t);
}
void ProviderTableAccessible::setText(QAccessible::Text t, const QString& text) {
    m_qtTable->setText(t, text);
}
QRect ProviderTableAccessible::rect() const {
    return m_qtTable->rect();
}
QAccessible::Role ProviderTableAccessible::role() const {
    return m_qtTable->role();
}
QAccessible::State ProviderTableAccessible::state() const {
    return m_qtTable->state();
}
QColor ProviderTableAccessible::foregroundColor() const {
    return m_qtTable->foregroundColor();
}
QColor ProviderTableAccessible::backgroundColor() const {
    return m_qtTable->backgroundColor();
}

QAccessibleInterface* ProviderTableAccessible::caption() const {
    return m_qtTableInterface->caption();
}
QAccessibleInterface* ProviderTableAccessible::summary() const {
    return m_qtTableInterface->summary();
}
QAccessibleInterface* ProviderTableAccessible::cellAt(int row, int column) const {
    return m_qtTableInterface->cellAt(row, column);
}
int ProviderTableAccessible::selectedCellCount() const {
    return m_qtTableInterface->selectedCellCount();
}
QList<QAccessibleInterface*> ProviderTableAccessible::selectedCells() const {
    return m_qtTableInterface->selectedCells();
}
QString ProviderTableAccessible::columnDescription(int column) const {
    return m_qtTableInterface->columnDescription(column);
}
QString ProviderTableAccessible::rowDescription(int row) const {
    return m_qtTableInterface->rowDescription(row);
}
int ProviderTableAccessible::selectedColumnCount() const {
    return m_qtTableInterface->selectedColumnCount();
}
int ProviderTableAccessible::selectedRowCount() const {
    return m_qtTableInterface->selectedRowCount();
}
int ProviderTableAccessible::columnCount() const {
    return m_qtTableInterface->columnCount();
}
int ProviderTableAccessible::rowCount() const {
    return m_qtTableInterface->rowCount();
}
QList<int> ProviderTableAccessible::selectedColumns() const {
    return m_qtTableInterface->selectedColumns();
}
QList<int> ProviderTableAccessible::selectedRows() const {
    return m_qtTableInterface->selectedRows();
}
bool ProviderTableAccessible::isColumnSelected(int column) const {
    return m_qtTableInterface->isColumnSelected(column);
}
bool ProviderTableAccessible::isRowSelected(int row) const {
    return m_qtTableInterface->isRowSelected(row);
}
bool ProviderTableAccessible::selectRow(int row) {
    return m_qtTableInterface->selectRow(row);
}
bool ProviderTableAccessible::selectColumn(int column) {
    return m_qtTableInterface->selectColumn(column);
}
bool ProviderTableAccessible::unselectRow(int row) {
    return m_qtTableInterface->unselectRow(row);
}
bool ProviderTableAccessible::unselectColumn(int column) {
    return m_qtTableInterface->unselectColumn(column);
}
void ProviderTableAccessible::modelChange(QAccessibleTableModelChangeEvent* event) {
    m_qtTableInterface->modelChange(event);
}

} // namespace tarvok
