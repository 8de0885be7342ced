#pragma once

#include "PhoneBook.h"

#include <QString>

#include <vector>

namespace tarvok {

// Finds entries of all four lists by any part of the name (in the phone book's folding:
// case, umlaut marks and "ß" aside) or, for a query of digits, by any part of the number
// with blanks ignored. The folded names are made once, so a keystroke only compares.
class PhoneBookSearch {
public:
    struct Hit {
        int list; // 1..4
        int row;
    };

    explicit PhoneBookSearch(const PhoneBook& book);

    // The hits in list order, then row order; an empty query finds everything. A query
    // that extends the last one searches only the last hits.
    void setQuery(const QString& query);
    const std::vector<Hit>& hits() const { return m_hits; }

private:
    struct Indexed {
        QString folded;
        QString digits;
        Hit hit;
    };
    bool matches(const Indexed& item) const;

    std::vector<Indexed> m_index;
    std::vector<int> m_matching; // positions in m_index
    std::vector<Hit> m_hits;
    QString m_key;    // folded query
    QString m_digits; // the query's digits when it is a number, else empty
};

} // namespace tarvok
