#include "GermanOrder.h"

#include <algorithm>
#include <array>

namespace tarvok {

namespace {

// Folded form of one UTF-16 unit: up to two units (ß gives "ss"), second 0 when unused.
struct Fold {
    char16_t first;
    char16_t second;
};

constexpr char16_t kTableEnd = 0x0250; // Latin-1 and Latin Extended-A/B

Fold foldSlow(char16_t c) {
    switch (c) {
    case 0x00DF: // ß
    case 0x1E9E: // capital sharp s
        return {u's', u's'};
    case 0x00C6:
    case 0x00E6:
        return {u'a', u'e'};
    case 0x0152:
    case 0x0153:
        return {u'o', u'e'};
    case 0x00D8:
    case 0x00F8:
        return {u'o', 0};
    case 0x0110:
    case 0x0111:
        return {u'd', 0};
    case 0x0141:
    case 0x0142:
        return {u'l', 0};
    default:
        break;
    }
    QChar ch(c);
    if (ch.decompositionTag() == QChar::Canonical) {
        const QString parts = ch.decomposition();
        if (!parts.isEmpty())
            ch = parts.at(0);
    }
    return {char16_t(ch.toCaseFolded().unicode()), 0};
}

const std::array<Fold, kTableEnd>& foldTable() {
    static const std::array<Fold, kTableEnd> table = [] {
        std::array<Fold, kTableEnd> t{};
        for (char16_t c = 0; c < kTableEnd; ++c)
            t[c] =
                c < 0x80 ? Fold{(c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c, 0} : foldSlow(c);
        return t;
    }();
    return table;
}

Fold fold(char16_t c) {
    return c < kTableEnd ? foldTable()[c] : foldSlow(c);
}

// Walks a text in folded form, one unit at a time.
class FoldedCursor {
public:
    explicit FoldedCursor(QStringView text, qsizetype from = 0)
        : m_text(text)
        , m_pos(from) {}

    // 0 past the end is safe: folded units are compared as values shifted by one.
    bool next(char16_t* unit) {
        if (m_pending) {
            *unit = m_pending;
            m_pending = 0;
            return true;
        }
        if (m_pos >= m_text.size())
            return false;
        const char16_t c = m_text.utf16()[m_pos++];
        if (c < 0x80) {
            *unit = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
            return true;
        }
        const Fold f = fold(c);
        *unit = f.first;
        m_pending = f.second;
        return true;
    }

private:
    QStringView m_text;
    qsizetype m_pos;
    char16_t m_pending = 0;
};

} // namespace

QString GermanSortKey(QStringView text) {
    QString key;
    key.reserve(text.size());
    FoldedCursor cursor(text);
    char16_t unit;
    while (cursor.next(&unit))
        key.append(QChar(unit));
    return key;
}

static char16_t lowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

int GermanFoldedCompare(QStringView a, QStringView b) {
    // Most names are plain ASCII for most of their length: compare that part directly.
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    const qsizetype common = std::min(a.size(), b.size());
    qsizetype i = 0;
    for (; i < common && (pa[i] | pb[i]) < 0x80; ++i) {
        const char16_t x = lowerAscii(pa[i]);
        const char16_t y = lowerAscii(pb[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i == common) // every unit folds to at least one: the longer text comes later
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    FoldedCursor ca(a, i);
    FoldedCursor cb(b, i);
    for (;;) {
        char16_t ua;
        char16_t ub;
        const bool hasA = ca.next(&ua);
        const bool hasB = cb.next(&ub);
        if (!hasA || !hasB)
            return int(hasA) - int(hasB);
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
}

int GermanCompare(QStringView a, QStringView b) {
    const int folded = GermanFoldedCompare(a, b);
    if (folded != 0)
        return folded;
    const int plain = a.compare(b);
    return plain < 0 ? -1 : (plain > 0 ? 1 : 0);
}

} // namespace tarvok
