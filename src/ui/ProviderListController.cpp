#include "ProviderListController.h"

#include "FileErrorText.h"
#include "MessageBox.h"
#include "PhoneEntry.h"
#include "PopupMenu.h"
#include "ProviderEditor.h"
#include "ProviderFile.h"
#include "ProviderTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeView>

namespace tarvok {

ProviderListController::ProviderListController(AppState& state, ProviderTableModel& model,
                                               QTreeView* list, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_model(model)
    , m_list(list)
    , m_window(window) {
    buildMenu();
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowProviderMenu(m_list->viewport()->mapToGlobal(pos)); });
    QHeaderView* header = m_list->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(m_model.table().sortColumn(), m_model.table().sortOrder());
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int section) { TelcoList_ColumnClick(section + 1); });
    m_viewport = m_list->viewport();
    m_viewport->installEventFilter(this);
}

void ProviderListController::buildMenu() {
    m_menu = new QMenu(QStringLiteral("Anbieter"), m_window);
    m_menu->setObjectName(QStringLiteral("pummain3"));
    m_menu->setAccessibleName(m_menu->title());
    const auto add = [this](int index, const QString& caption) {
        QAction* action = m_menu->addAction(caption);
        action->setObjectName(QStringLiteral("pum3(%1)").arg(index));
        action->setData(index);
        m_items[index] = action;
    };
    add(Einfuegen, QStringLiteral("&Einfügen"));
    add(Aendern, QStringLiteral("&Ändern"));
    add(Loeschen, QStringLiteral("&Löschen"));
    m_items[4] = m_menu->addSeparator();
    m_items[4]->setObjectName(QStringLiteral("pum3(4)"));
    add(Abbrechen, QStringLiteral("&Abbrechen"));
    m_menu->setDefaultAction(m_items[Abbrechen]);
}

bool ProviderListController::eventFilter(QObject* watched, QEvent* event) {
    // Compared with the pointer kept at the start: while the view is being destroyed its
    // viewport still gets events, and the view can no longer be asked for it.
    if (watched != m_viewport)
        return false;
    // Watched here rather than through doubleClicked(), which stays silent below the last
    // row: a double-click there adds a provider.
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        TelcoList_DblClick();
        return true;
    }
    return false;
}

int ProviderListController::SelectedRow() const {
    const QItemSelectionModel* selection = m_list->selectionModel();
    for (int row = 0; row < m_model.rowCount(); ++row)
        if (selection->isRowSelected(row, {}))
            return row + 1;
    return 0;
}

void ProviderListController::ShowProviderMenu(const QPoint& globalPos) {
    m_state.SelectedProvider = SelectedRow();
    const bool selected = m_state.SelectedProvider != 0;
    m_items[Aendern]->setEnabled(selected);
    m_items[Loeschen]->setEnabled(selected);
    if (const QAction* chosen = ExecPopupMenu(m_menu, globalPos))
        pum3_Click(chosen->data().toInt());
}

void ProviderListController::TelcoList_DblClick() {
    m_state.SelectedProvider = SelectedRow();
    pum3_Click(m_state.SelectedProvider != 0 ? Aendern : Einfuegen);
}

void ProviderListController::TelcoList_ColumnClick(int header) {
    const ProviderTable& table = m_model.table();
    if (header == m_lastSortColumn) {
        const Qt::SortOrder reversed =
            table.sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        m_model.setSort(table.sortColumn(), reversed);
    } else {
        m_lastSortColumn = header;
        m_model.setSort(header - 1, table.sortOrder());
    }
    m_list->header()->setSortIndicator(table.sortColumn(), table.sortOrder());
    const QModelIndex current = m_list->currentIndex();
    if (current.isValid())
        m_list->scrollTo(current);
}

void ProviderListController::pum3_Click(int index) {
    const int selected = m_state.SelectedProvider;
    const bool rowThere = selected >= 1 && selected <= m_model.rowCount();
    switch (index) {
    case Einfuegen:
        EditProvider({}, {}, 1, 9, 18, 0, 1, 0);
        break;
    case Aendern:
        if (rowThere) {
            const ProviderRecord r = m_model.table().record(selected - 1);
            EditProvider(r.Name, r.NetworkCode, DayCode(r.MoFr, r.SaSo), r.StartHour, r.EndHour,
                         r.Near, r.Far, r.Abroad);
        }
        break;
    case Loeschen:
        if (rowThere)
            deleteSelected();
        break;
    default:
        break;
    }
}

void ProviderListController::EditProvider(const QString& name, const QString& networkCode,
                                          int dayCode, int startHour, int endHour, int nearFlag,
                                          int farFlag, int abroadFlag) {
    ProviderEditor editor(m_window);
    editor.setValues(name, networkCode, dayCode, startHour, endHour, nearFlag, farFlag, abroadFlag);
    m_state.NewEntryMode = name.isEmpty() && networkCode.isEmpty();
    int result = QDialog::Rejected;
    {
        ModalBusyScope busy(m_state);
        result = editor.exec();
    }
    if (result != QDialog::Accepted)
        return;

    if (!m_state.NewEntryMode)
        m_model.RemoveProvider(m_state.SelectedProvider - 1);
    int row = -1;
    if (!editor.nameText().isEmpty() && !editor.networkCodeText().isEmpty()) {
        ProviderRecord record = editor.record();
        // The file has no escape for a double quote; it would break the row on reading.
        ReplaceQuotes(record.Name);
        ReplaceQuotes(record.NetworkCode);
        row = m_model.AddProviderRow(record);
    }
    selectRow(row);
    saveProviders();
}

void ProviderListController::deleteSelected() {
    const ProviderRow& row = m_model.table().row(m_state.SelectedProvider - 1);
    const QString text = QStringLiteral("Soll der folgende Eintrag wirklich gelöscht werden?") +
                         QStringLiteral("\n\n") + row[ColName] + QStringLiteral(" (") +
                         row[ColNetz] + QStringLiteral(")");
    if (!MessageBox::question(m_window, QStringLiteral("Eintrag löschen"), text))
        return;
    m_model.RemoveProvider(m_state.SelectedProvider - 1);
    selectRow(-1);
    saveProviders();
}

void ProviderListController::saveProviders() {
    FileError error;
    if (SaveProviderFile(m_state.dataDir, m_model.table(), &error))
        return;
    MessageBox::critical(m_window, MessageBox::kTitle,
                         QStringLiteral("Die Anbieterliste konnte nicht gespeichert werden.\n") +
                             FileErrorText(error) +
                             QStringLiteral("\nDie Änderung steht nur in der Liste auf dem "
                                            "Bildschirm."));
}

void ProviderListController::selectRow(int row) {
    QItemSelectionModel* selection = m_list->selectionModel();
    if (row < 0) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = m_model.index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

} // namespace tarvok
