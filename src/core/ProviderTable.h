#pragma once

#include "ProviderRecord.h"

#include <Qt>

#include <vector>

namespace tarvok {

// The provider table in display order, which is the order of preference. It is always
// sorted by the texts of its sort column; rows with equal texts keep their order, so a
// row added at the top stays above its equals. Row numbers here are 0-based.
class ProviderTable {
public:
    int rowCount() const { return int(m_rows.size()); }
    const ProviderRow& row(int index) const { return m_rows[size_t(index)]; }
    ProviderRecord record(int index) const { return ProviderRecordFrom(row(index)); }

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSort(int column, Qt::SortOrder order); // re-sorts

    // Inserts at the top and re-sorts; returns the row's new index.
    int AddProviderRow(const ProviderRecord& record);
    // The same as adding each record in turn, in one sort.
    void AddProviderRows(const std::vector<ProviderRecord>& records);
    void RemoveProvider(int index);
    void ClearProviderTable() { m_rows.clear(); }

private:
    void sortRows();
    bool lessThan(const ProviderRow& a, const ProviderRow& b) const;

    std::vector<ProviderRow> m_rows;
    int m_sortColumn = ColName;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace tarvok
