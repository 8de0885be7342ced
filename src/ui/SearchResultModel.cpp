#include "SearchResultModel.h"

namespace tarvok {

SearchResultModel::SearchResultModel(const PhoneBook& book, QObject* parent)
    : QAbstractTableModel(parent)
    , m_book(book)
    , m_search(book) {}

void SearchResultModel::setQuery(const QString& query) {
    beginResetModel();
    m_search.setQuery(query);
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_search.hits().size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const PhoneBookSearch::Hit hit = hitAt(index.row());
    const PhoneEntry& entry = m_book.lists[size_t(hit.list - 1)].at(hit.row);
    switch (index.column()) {
    case ListColumn:
        return m_book.settings.ListNames[size_t(hit.list - 1)];
    case NameColumn:
        return entry.Name;
    case NumberColumn:
        return entry.Number;
    default:
        return {};
    }
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ListColumn:
        return QStringLiteral("Liste");
    case NameColumn:
        return QStringLiteral("Name");
    case NumberColumn:
        return QStringLiteral("Nummer");
    default:
        return {};
    }
}

} // namespace tarvok
