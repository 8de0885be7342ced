#include "RowFit.h"

#include <algorithm>

namespace tarvok {

namespace {

constexpr unsigned kWorkdays = 0x1f; // Monday to Friday
constexpr unsigned kWeekend = 0x60;  // Saturday and Sunday

unsigned DaysOf(const QString& tag) {
    if (tag == QLatin1String("Immer"))
        return kWorkdays | kWeekend;
    if (tag == QLatin1String("Mo-Fr"))
        return kWorkdays;
    if (tag == QLatin1String("Sa-So"))
        return kWeekend;
    return 0;
}

unsigned DistancesOf(const QString& weite) {
    unsigned bits = 0;
    if (weite.contains(QLatin1Char('N')))
        bits |= 1;
    if (weite.contains(QLatin1Char('F')))
        bits |= 2;
    if (weite.contains(QLatin1Char('A')))
        bits |= 4;
    return bits;
}

} // namespace

RowFit::RowFit(const ProviderRow& row)
    : m_distances(DistancesOf(row[ColWeite]))
    , m_days(DaysOf(row[ColTag]))
    , m_start(LeadingNumber(row[ColAb]))
    , m_end(LeadingNumber(row[ColBis])) {}

bool RowFit::fitsDistance(int distance) const {
    return distance >= 1 && distance <= 3 && (m_distances >> (distance - 1)) & 1u;
}

bool RowFit::fitsDay(int weekday) const {
    return weekday >= 1 && weekday <= 7 && (m_days >> (weekday - 1)) & 1u;
}

bool RowFit::fitsHour(int hour) const {
    return m_start <= hour && hour < m_end;
}

int RowFit::firstHour() const {
    return std::clamp(m_start, 0, 24);
}

int RowFit::endHour() const {
    return std::clamp(m_end, 0, 24);
}

} // namespace tarvok
