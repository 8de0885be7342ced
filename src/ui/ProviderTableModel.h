#pragma once

#include "ProviderTable.h"

#include <QAbstractTableModel>

#include <vector>

namespace tarvok {

// Shows the provider table in TelcoList; every change of the table goes through here so
// that the view follows. Rows are in the table's display order.
class ProviderTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ProviderTableModel(ProviderTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const ProviderTable& table() const { return m_table; }

    int AddProviderRow(const ProviderRecord& record); // returns the new 0-based row
    void AddProviderRows(const std::vector<ProviderRecord>& records);
    void RemoveProvider(int row); // 0-based
    void ClearProviderTable();
    void setSort(int column, Qt::SortOrder order);
    void replaceTable(const ProviderTable& table); // rows, order and sort

private:
    ProviderTable& m_table;
};

} // namespace tarvok
