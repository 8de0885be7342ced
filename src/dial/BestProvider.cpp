#include "BestProvider.h"

namespace tarvok {

namespace {

bool DayFits(const QString& tag, int weekday) {
    if (tag == QLatin1String("Immer"))
        return true;
    if (tag == QLatin1String("Mo-Fr"))
        return weekday <= 5;
    if (tag == QLatin1String("Sa-So"))
        return weekday >= 6;
    return false;
}

// Half-open: "ab" inclusive, "bis" exclusive, so a window with "ab" not below "bis"
// fits no hour at all.
bool HourFits(const QString& ab, const QString& bis, int hour) {
    return LeadingNumber(ab) <= hour && LeadingNumber(bis) > hour;
}

bool DistanceFits(const QString& weite, int distance) {
    static const QLatin1String kLetters("NFA");
    if (distance < 1 || distance > kLetters.size())
        return false;
    return weite.contains(kLetters[distance - 1]);
}

} // namespace

QString BestProvider(const ProviderTable& table, int weekday, int hour, int distance) {
    const int count = table.rowCount();
    for (int i = 0; i < count; ++i) {
        const ProviderRow& row = table.row(i);
        if (DistanceFits(row[ColWeite], distance) && DayFits(row[ColTag], weekday) &&
            HourFits(row[ColAb], row[ColBis], hour))
            return row[ColNetz];
    }
    return {};
}

} // namespace tarvok
