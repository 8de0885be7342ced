#include "PhoneList.h"

#include "GermanOrder.h"

#include <algorithm>
#include <numeric>

namespace tarvok {

// The whole line in German order: the name first, then the number and the flag (what
// follows the name in the line), then the exact name so that "Müller" and "Muller" have
// a fixed order. Lines equal in all of this keep their order (stable sort, upper bound).
bool PhoneList::lessThan(const Item& a, const Item& b) {
    int c = GermanFoldedCompare(a.entry.Name, b.entry.Name);
    if (c == 0)
        c = GermanFoldedCompare(a.entry.Number, b.entry.Number);
    if (c == 0)
        c = a.entry.ZeroPrefix - b.entry.ZeroPrefix;
    if (c == 0)
        c = a.entry.Name.compare(b.entry.Name);
    if (c == 0)
        c = a.entry.Number.compare(b.entry.Number);
    return c < 0;
}

std::optional<int> PhoneList::insert(const PhoneEntry& entry) {
    if (isFull())
        return std::nullopt;
    Item item{entry};
    const auto at = std::upper_bound(m_items.begin(), m_items.end(), item, &PhoneList::lessThan);
    const auto row = at - m_items.begin();
    m_items.insert(at, std::move(item));
    return int(row);
}

void PhoneList::removeAt(int row) {
    m_items.erase(m_items.begin() + row);
}

bool PhoneList::appendUnsorted(const PhoneEntry& entry) {
    if (isFull())
        return false;
    m_items.push_back(Item{entry});
    return true;
}

// A file this program wrote is already in order, and checking that is cheap. Otherwise the
// folded names are made once for the sort instead of on every comparison.
void PhoneList::sortStable() {
    if (std::is_sorted(m_items.begin(), m_items.end(), &PhoneList::lessThan))
        return;
    std::vector<QString> keys;
    keys.reserve(m_items.size());
    for (const Item& item : m_items)
        keys.push_back(GermanSortKey(item.entry.Name));
    std::vector<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        return c != 0 ? c < 0 : lessThan(m_items[size_t(a)], m_items[size_t(b)]);
    });
    std::vector<Item> sorted;
    sorted.reserve(m_items.capacity());
    for (const int index : order)
        sorted.push_back(std::move(m_items[size_t(index)]));
    m_items = std::move(sorted);
}

} // namespace tarvok
