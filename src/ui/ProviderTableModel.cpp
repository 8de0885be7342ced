#include "ProviderTableModel.h"

#include <QHash>

#include <utility>

namespace tarvok {

namespace {

const QString kHeaders[ProviderColumnCount] = {QStringLiteral("Name"), QStringLiteral("Netz"),
                                               QStringLiteral("Tag"),  QStringLiteral("ab"),
                                               QStringLiteral("bis"),  QStringLiteral("Weite")};

// A row's identity for following it through a sort: its six texts.
QString RowKey(const ProviderRow& row) {
    QString key;
    for (const QString& text : row)
        key += text + QChar(0);
    return key;
}

} // namespace

ProviderTableModel::ProviderTableModel(ProviderTable& table, QObject* parent)
    : QAbstractTableModel(parent)
    , m_table(table) {}

int ProviderTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.rowCount();
}

int ProviderTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ProviderColumnCount;
}

QVariant ProviderTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_table.rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_table.row(index.row())[size_t(index.column())];
    return {};
}

QVariant ProviderTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ProviderColumnCount)
        return kHeaders[section];
    return {};
}

int ProviderTableModel::AddProviderRow(const ProviderRecord& record) {
    // The rows already there keep their order, so the view only needs to learn where the
    // new one lands; that is known once it is sorted in, so sort a copy first.
    ProviderTable next = m_table;
    const int row = next.AddProviderRow(record);
    beginInsertRows({}, row, row);
    m_table = std::move(next);
    endInsertRows();
    return row;
}

void ProviderTableModel::AddProviderRows(const std::vector<ProviderRecord>& records) {
    beginResetModel();
    m_table.AddProviderRows(records);
    endResetModel();
}

void ProviderTableModel::RemoveProvider(int row) {
    if (row < 0 || row >= m_table.rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_table.RemoveProvider(row);
    endRemoveRows();
}

void ProviderTableModel::ClearProviderTable() {
    beginResetModel();
    m_table.ClearProviderTable();
    endResetModel();
}

void ProviderTableModel::replaceTable(const ProviderTable& table) {
    beginResetModel();
    m_table = table;
    endResetModel();
}

void ProviderTableModel::setSort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const int count = m_table.rowCount();
    std::vector<QString> oldKeys;
    oldKeys.reserve(size_t(count));
    for (int row = 0; row < count; ++row)
        oldKeys.push_back(RowKey(m_table.row(row)));

    m_table.setSort(column, order);

    // The sort is stable, so equal rows keep their relative order: the k-th old row with a
    // given text is the k-th new one with it.
    QHash<QString, std::vector<int>> newRows;
    for (int row = count - 1; row >= 0; --row)
        newRows[RowKey(m_table.row(row))].push_back(row);
    std::vector<int> newRowOf(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        std::vector<int>& candidates = newRows[oldKeys[size_t(row)]];
        newRowOf[size_t(row)] = candidates.back();
        candidates.pop_back();
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRowOf[size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace tarvok
