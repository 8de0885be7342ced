#include "WeekWinners.h"

#include "RowFit.h"

namespace tarvok {

WeekWinners::WeekWinners(const ProviderTable& table) {
    m_rows.fill(-1);
    int free = kSlots;
    const int count = table.rowCount();
    for (int row = 0; row < count && free > 0; ++row) {
        const RowFit fit(table.row(row));
        if (!fit.fitsSomeCall())
            continue;
        for (int distance = 1; distance <= kDistances; ++distance) {
            if (!fit.fitsDistance(distance))
                continue;
            for (int weekday = 1; weekday <= kDays; ++weekday) {
                if (!fit.fitsDay(weekday))
                    continue;
                for (int hour = fit.firstHour(); hour < fit.endHour(); ++hour) {
                    int& winner = m_rows[slot(distance, weekday, hour)];
                    if (winner < 0) {
                        winner = row;
                        --free;
                    }
                }
            }
        }
    }
}

} // namespace tarvok
