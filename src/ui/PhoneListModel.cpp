#include "PhoneListModel.h"

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
