#pragma once

#include "PhoneEntry.h"

#include <optional>
#include <vector>

namespace tarvok {

// One phone list, always in sorted order: by name as a German reader expects (case and
// umlaut marks aside), equal names by the rest of the line; equal lines keep the order
// in which they came. Positions are 16-bit in the file's world, so a list holds at most
// kMaxLines entries.
class PhoneList {
public:
    static constexpr int kMaxLines = 32767;

    int count() const { return int(m_items.size()); }
    bool isFull() const { return count() >= kMaxLines; }
    const PhoneEntry& at(int row) const { return m_items[size_t(row)].entry; }
    QString lineAt(int row) const { return EntryLine(at(row)); }

    // Inserts in sorted place, after its equals; returns the row, or nothing when full.
    std::optional<int> insert(const PhoneEntry& entry);
    void removeAt(int row);
    void clear() { m_items.clear(); }

    // For reading a whole file: append without sorting, then sort once. A full list
    // refuses the append.
    bool appendUnsorted(const PhoneEntry& entry);
    void sortStable();
    void reserve(int lines) { m_items.reserve(size_t(lines)); }

private:
    // The entry alone: the German order is computed while comparing, which keeps a full
    // phone book small in memory.
    struct Item {
        PhoneEntry entry;
    };
    static bool lessThan(const Item& a, const Item& b);
    std::vector<Item> m_items;
};

} // namespace tarvok
