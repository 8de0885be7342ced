#pragma once

#include "PhoneBookSearch.h"

#include <QAbstractTableModel>

namespace tarvok {

// The search box's table: list name, name and number of every hit.
class SearchResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ListColumn, NameColumn, NumberColumn, ColumnCount };

    explicit SearchResultModel(const PhoneBook& book, QObject* parent = nullptr);

    void setQuery(const QString& query);
    PhoneBookSearch::Hit hitAt(int row) const { return m_search.hits()[size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PhoneBook& m_book;
    PhoneBookSearch m_search;
};

} // namespace tarvok
