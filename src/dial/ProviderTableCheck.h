#pragma once

#include "ProviderTable.h"
#include "WeekWinners.h"

#include <vector>

namespace tarvok {

// One thing in the provider table that a user would want to know before relying on it.
struct TableFinding {
    enum class Kind {
        FitsNothing,      // the row fits no call at all
        NeverWins,        // every call it fits goes to a row above it
        EmptyNetworkWins, // the row wins calls but has no network code to dial
        Gap,              // calls of a distance class that no row fits
    };
    Kind kind = Kind::Gap;
    int row = -1; // 0-based; -1 for a gap

    // FitsNothing: the tests that can never hold
    bool noHour = false;     // "ab" not below "bis" (or outside the day)
    bool noDistance = false; // "Weite" holds none of N, F, A
    bool unknownDay = false; // "Tag" is none of the three texts

    std::vector<int> takenBy; // NeverWins: the rows that win its calls, ascending

    // Gap: the same hours [startHour, endHour) on the days firstDay..lastDay (1 Monday)
    int distance = 0;
    int firstDay = 0;
    int lastDay = 0;
    int startHour = 0;
    int endHour = 0;

    friend bool operator==(const TableFinding&, const TableFinding&) = default;
};

// The rows' findings in row order, then the gaps by distance class, day and hour. Exact for
// any table size: it works on the first fitting row of each call slot, not on row pairs.
std::vector<TableFinding> CheckProviderTable(const ProviderTable& table,
                                             const WeekWinners& winners);

} // namespace tarvok
