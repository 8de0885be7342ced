#include "ProviderTableCheck.h"

#include "RowFit.h"

#include <algorithm>
#include <utility>

namespace tarvok {

namespace {

using HourRun = std::pair<int, int>; // [start, end)

// The rows that win the slots `fit` covers, ascending. `seen` has one entry per row and is
// marked with `stamp`, so that no row is collected twice without clearing it in between.
std::vector<int> WinnersOver(const RowFit& fit, const WeekWinners& winners, std::vector<int>& seen,
                             int stamp) {
    std::vector<int> rows;
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance) {
        if (!fit.fitsDistance(distance))
            continue;
        for (int weekday = 1; weekday <= WeekWinners::kDays; ++weekday) {
            if (!fit.fitsDay(weekday))
                continue;
            for (int hour = fit.firstHour(); hour < fit.endHour(); ++hour) {
                const int winner = winners.at(distance, weekday, hour);
                if (seen[size_t(winner)] != stamp) {
                    seen[size_t(winner)] = stamp;
                    rows.push_back(winner);
                }
            }
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<HourRun> FreeHours(const WeekWinners& winners, int distance, int weekday) {
    std::vector<HourRun> runs;
    for (int hour = 0; hour < WeekWinners::kHours; ++hour) {
        if (winners.at(distance, weekday, hour) >= 0)
            continue;
        if (!runs.empty() && runs.back().second == hour)
            runs.back().second = hour + 1;
        else
            runs.emplace_back(hour, hour + 1);
    }
    return runs;
}

// The free hours of one distance class; the same hours on following days make one range.
void AddGaps(const WeekWinners& winners, int distance, std::vector<TableFinding>& findings) {
    std::vector<HourRun> days[WeekWinners::kDays];
    for (int day = 0; day < WeekWinners::kDays; ++day)
        days[day] = FreeHours(winners, distance, day + 1);
    for (int day = 0; day < WeekWinners::kDays; ++day) {
        for (const HourRun& run : days[day]) {
            int last = day;
            while (last + 1 < WeekWinners::kDays) {
                auto& next = days[last + 1];
                const auto same = std::find(next.begin(), next.end(), run);
                if (same == next.end())
                    break;
                next.erase(same);
                ++last;
            }
            TableFinding gap;
            gap.distance = distance;
            gap.firstDay = day + 1;
            gap.lastDay = last + 1;
            gap.startHour = run.first;
            gap.endHour = run.second;
            findings.push_back(gap);
        }
    }
}

} // namespace

std::vector<TableFinding> CheckProviderTable(const ProviderTable& table,
                                             const WeekWinners& winners) {
    std::vector<TableFinding> findings;
    const int count = table.rowCount();
    std::vector<int> won(size_t(count), 0);
    std::vector<int> seen(size_t(count), -1);
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance)
        for (int weekday = 1; weekday <= WeekWinners::kDays; ++weekday)
            for (int hour = 0; hour < WeekWinners::kHours; ++hour)
                if (const int row = winners.at(distance, weekday, hour); row >= 0 && row < count)
                    ++won[size_t(row)];

    for (int row = 0; row < count; ++row) {
        const RowFit fit(table.row(row));
        TableFinding finding;
        finding.row = row;
        if (!fit.fitsSomeCall()) {
            finding.kind = TableFinding::Kind::FitsNothing;
            finding.noHour = !fit.anyHour();
            finding.noDistance = !fit.anyDistance();
            finding.unknownDay = !fit.knownDay();
        } else if (won[size_t(row)] == 0) {
            finding.kind = TableFinding::Kind::NeverWins;
            finding.takenBy = WinnersOver(fit, winners, seen, row);
        } else if (table.row(row)[ColNetz].isEmpty()) {
            finding.kind = TableFinding::Kind::EmptyNetworkWins;
        } else {
            continue;
        }
        findings.push_back(std::move(finding));
    }
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance)
        AddGaps(winners, distance, findings);
    return findings;
}

} // namespace tarvok
