#include "PhoneBookSearch.h"

#include "GermanOrder.h"

namespace tarvok {

namespace {

QString digitsOf(QStringView text) {
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits += c;
    }
    return digits;
}

// A number as people type it: digits with blanks, "+", "-", "/", brackets.
bool looksLikeNumber(QStringView text) {
    bool digit = false;
    for (const QChar c : text) {
        if (c.isDigit())
            digit = true;
        else if (!QStringView(u" +-/()").contains(c))
            return false;
    }
    return digit;
}

} // namespace

PhoneBookSearch::PhoneBookSearch(const PhoneBook& book) {
    for (int list = 0; list < 4; ++list) {
        const PhoneList& entries = book.lists[size_t(list)];
        for (int row = 0; row < entries.count(); ++row) {
            const PhoneEntry& entry = entries.at(row);
            m_index.push_back({GermanSortKey(entry.Name), digitsOf(entry.Number), {list + 1, row}});
        }
    }
    m_matching.resize(m_index.size());
    for (size_t i = 0; i < m_index.size(); ++i)
        m_matching[i] = int(i);
    setQuery({});
}

bool PhoneBookSearch::matches(const Indexed& item) const {
    if (item.folded.contains(m_key))
        return true;
    return !m_digits.isEmpty() && item.digits.contains(m_digits);
}

void PhoneBookSearch::setQuery(const QString& query) {
    const QString key = GermanSortKey(query.trimmed());
    const QString digits = looksLikeNumber(query) ? digitsOf(query) : QString();
    // Narrowing: every hit of the longer query was a hit of the shorter one.
    const bool narrower =
        key.contains(m_key) && digits.contains(m_digits) && m_digits.isEmpty() == digits.isEmpty();
    std::vector<int> candidates;
    if (!narrower) {
        candidates.resize(m_index.size());
        for (size_t i = 0; i < m_index.size(); ++i)
            candidates[i] = int(i);
    } else {
        candidates = std::move(m_matching);
    }
    m_key = key;
    m_digits = digits;
    m_matching.clear();
    for (const int i : candidates) {
        if (matches(m_index[size_t(i)]))
            m_matching.push_back(i);
    }
    m_hits.clear();
    m_hits.reserve(m_matching.size());
    for (const int i : m_matching)
        m_hits.push_back(m_index[size_t(i)].hit);
}

} // namespace tarvok
