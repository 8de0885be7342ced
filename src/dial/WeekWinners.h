#pragma once

#include "ProviderTable.h"

#include <array>

namespace tarvok {

// For each of the 3 x 7 x 24 call slots of a week (distance, weekday, hour) the row the
// dial would take: the first fitting row in display order, -1 where none fits. Built by
// letting every row claim the still free slots it fits, so a table of thousands of rows
// costs at most 504 slot visits per row and stops once every slot is taken.
class WeekWinners {
public:
    static constexpr int kDays = 7;
    static constexpr int kHours = 24;
    static constexpr int kDistances = 3;
    static constexpr int kSlots = kDistances * kDays * kHours;

    explicit WeekWinners(const ProviderTable& table);

    // distance 1..3, weekday 1..7, hour 0..23
    int at(int distance, int weekday, int hour) const {
        return m_rows[slot(distance, weekday, hour)];
    }

private:
    static size_t slot(int distance, int weekday, int hour) {
        return size_t(((distance - 1) * kDays + (weekday - 1)) * kHours + hour);
    }

    std::array<int, kSlots> m_rows;
};

} // namespace tarvok
