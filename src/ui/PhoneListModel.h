#pragma once

#include "PhoneList.h"

#include <QAbstractListModel>

#include <optional>

namespace tarvok {

// Shows one phone list. DisplayRole is the name only (the view never lays out the 150
// blanks of an entry line); EntryLineRole gives the whole entry line. Changes go through
// here so that the view follows.
class PhoneListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { EntryLineRole = Qt::UserRole + 1 };

    explicit PhoneListModel(PhoneList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The list view's typing search: names that begin with the typed letters in the phone
    // book's folding ("mu" finds "Müller", "strass" finds "Straße"), as the list is sorted.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    const PhoneList& list() const { return m_list; }

    std::optional<int> insert(const PhoneEntry& entry); // nothing when the list is full
    void removeAt(int row);
    void reload(); // after the list was replaced as a whole (start from a backup)

private:
    PhoneList& m_list;
};

} // namespace tarvok
