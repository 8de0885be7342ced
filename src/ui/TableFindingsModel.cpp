#include "TableFindingsModel.h"

#include "CarrierTexts.h"

#include <algorithm>
#include <utility>

namespace tarvok {

TableFindingsModel::TableFindingsModel(const ProviderTable& table,
                                       std::vector<TableFinding> findings, QObject* parent)
    : QAbstractListModel(parent)
    , m_table(table)
    , m_findings(std::move(findings)) {}

int TableFindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(1, int(m_findings.size()));
}

QVariant TableFindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (m_findings.empty()) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return QStringLiteral("Keine Auffälligkeiten gefunden.");
        return role == kRowRole ? QVariant(-1) : QVariant();
    }
    const TableFinding& finding = m_findings[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return FindingText(finding, m_table);
    case kRowRole:
        return finding.row;
    default:
        return {};
    }
}

} // namespace tarvok
