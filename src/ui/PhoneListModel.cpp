#include "PhoneListModel.h"

#include "GermanOrder.h"

namespace tarvok {

PhoneListModel::PhoneListModel(PhoneList& list, QObject* parent)
    : QAbstractListModel(parent)
    , m_list(list) {}

int PhoneListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.count();
}

QVariant PhoneListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_list.count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_list.at(index.row()).Name;
    case EntryLineRole:
        return m_list.lineAt(index.row());
    default:
        return {};
    }
}

QModelIndexList PhoneListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                      int hits, Qt::MatchFlags flags) const {
    if (role != Qt::DisplayRole || (flags & Qt::MatchTypeMask) != Qt::MatchStartsWith ||
        !start.isValid())
        return QAbstractListModel::match(start, role, value, hits, flags);
    const QString key = GermanSortKey(value.toString());
    const int count = m_list.count();
    const int first = start.row();
    const int end = (flags & Qt::MatchWrap) ? first + count : count;
    QModelIndexList found;
    for (int i = first; i < end && (hits < 0 || found.size() < hits); ++i) {
        const int row = i % count;
        // Folding never shortens a text, so the name's first key.size() letters suffice.
        if (GermanSortKey(QStringView(m_list.at(row).Name).left(key.size())).startsWith(key))
            found << index(row);
    }
    return found;
}

std::optional<int> PhoneListModel::insert(const PhoneEntry& entry) {
    if (m_list.isFull())
        return std::nullopt;
    // The list finds the sorted place itself; the view is told afterwards as a whole,
    // which with uniform item sizes costs nothing noticeable even for a full list.
    beginResetModel();
    const std::optional<int> row = m_list.insert(entry);
    endResetModel();
    return row;
}

void PhoneListModel::removeAt(int row) {
    if (row < 0 || row >= m_list.count())
        return;
    beginRemoveRows({}, row, row);
    m_list.removeAt(row);
    endRemoveRows();
}

void PhoneListModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace tarvok
