#include "ResultTable.h"

#include <QHeaderView>
#include <QTableView>

namespace tarvok {

QTableView* MakeResultTable(QAbstractItemModel* model, const QString& objectName,
                            const QString& accessibleName, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setObjectName(objectName);
    table->setAccessibleName(accessibleName);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace tarvok
