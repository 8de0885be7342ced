#pragma once

#include "DialString.h"
#include "ProviderTable.h"
#include "WeekWinners.h"

#include <QStringView>

#include <vector>

namespace tarvok {

// The first test a row failed for a call, in the order the dial tries them.
enum class RowMiss { Distance, Day, Hour };

// Why the dial takes the row it takes: the same walk as BestProvider, keeping the reasons.
struct CallExplanation {
    int winner = -1;             // 0-based row, -1 when no row fits
    QString networkCode;         // the winner's "Netz"; empty without a winner
    std::vector<RowMiss> misses; // for every row above the winner (all rows without one)
};

CallExplanation ExplainCall(const ProviderTable& table, int weekday, int hour, int distance);

// One dial at a given weekday and hour, with its carrier explained.
struct DialExplanation {
    DialPlan plan;
    bool providerChosen = false; // the own country code is 49, so the table was asked
    CallExplanation call;        // only meaningful when providerChosen
};

DialExplanation ExplainDial(QStringView entryLine, const Settings& settings,
                            const ProviderTable& table, int weekday, int hour);

// The same dial with the winner taken from a week already worked out for the table, for a
// preview asked on every selection; it names the winner only, `call.misses` stays empty.
DialExplanation PreviewDial(QStringView entryLine, const Settings& settings,
                            const ProviderTable& table, const WeekWinners& winners, int weekday,
                            int hour);

} // namespace tarvok
