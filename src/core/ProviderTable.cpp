#include "ProviderTable.h"

#include "GermanOrder.h"

#include <algorithm>
#include <numeric>

namespace tarvok {

bool ProviderTable::lessThan(const ProviderRow& a, const ProviderRow& b) const {
    const int c = GermanCompare(a[size_t(m_sortColumn)], b[size_t(m_sortColumn)]);
    return m_sortOrder == Qt::AscendingOrder ? c < 0 : c > 0;
}

void ProviderTable::sortRows() {
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const ProviderRow& a, const ProviderRow& b) { return lessThan(a, b); });
}

void ProviderTable::setSort(int column, Qt::SortOrder order) {
    m_sortColumn = std::clamp(column, 0, int(ProviderColumnCount) - 1);
    m_sortOrder = order;
    sortRows();
}

// Inserting at the top and sorting stably puts the row just above its equals: the same
// place a lower bound finds, without sorting the whole table.
int ProviderTable::AddProviderRow(const ProviderRecord& record) {
    ProviderRow row = ProviderRowFrom(record);
    const auto at = std::lower_bound(
        m_rows.begin(), m_rows.end(), row,
        [this](const ProviderRow& a, const ProviderRow& b) { return lessThan(a, b); });
    const auto index = at - m_rows.begin();
    m_rows.insert(at, std::move(row));
    return int(index);
}

// Each added row would land above the rows added before it, so the batch goes in front
// in reverse order and one stable sort does the rest.
void ProviderTable::AddProviderRows(const std::vector<ProviderRecord>& records) {
    std::vector<ProviderRow> rows;
    rows.reserve(records.size() + m_rows.size());
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        rows.push_back(ProviderRowFrom(*it));
    std::move(m_rows.begin(), m_rows.end(), std::back_inserter(rows));
    m_rows = std::move(rows);
    sortRows();
}

void ProviderTable::RemoveProvider(int index) {
    if (index < 0 || index >= rowCount())
        return;
    m_rows.erase(m_rows.begin() + index);
}

} // namespace tarvok
