#pragma once

#include "ImportPlan.h"

#include <QAbstractTableModel>

namespace tarvok {

// The import preview's table: name and number as they will be stored, the zero flag and
// what happens to the row.
class ImportPlanModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, NumberColumn, ZeroColumn, StateColumn, ColumnCount };

    explicit ImportPlanModel(QObject* parent = nullptr);

    void setPlan(ImportPlan plan);
    const ImportPlan& plan() const { return m_plan; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "neu", "vorhanden", "übersprungen: <Grund>", as the table shows them.
    static QString stateText(const ImportRow& row);

private:
    ImportPlan m_plan;
};

} // namespace tarvok
