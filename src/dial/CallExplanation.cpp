#include "CallExplanation.h"

#include "RowFit.h"

namespace tarvok {

CallExplanation ExplainCall(const ProviderTable& table, int weekday, int hour, int distance) {
    CallExplanation result;
    const int count = table.rowCount();
    for (int i = 0; i < count; ++i) {
        const RowFit fit(table.row(i));
        if (!fit.fitsDistance(distance))
            result.misses.push_back(RowMiss::Distance);
        else if (!fit.fitsDay(weekday))
            result.misses.push_back(RowMiss::Day);
        else if (!fit.fitsHour(hour))
            result.misses.push_back(RowMiss::Hour);
        else {
            result.winner = i;
            result.networkCode = table.row(i)[ColNetz];
            break;
        }
    }
    return result;
}

DialExplanation ExplainDial(QStringView entryLine, const Settings& settings,
                            const ProviderTable& table, int weekday, int hour) {
    DialExplanation result;
    // The number preparation asks for a carrier exactly when the dial would.
    const ProviderLookup lookup = [&](int day, int h, int distance) {
        result.providerChosen = true;
        result.call = ExplainCall(table, day, h, distance);
        return result.call.networkCode;
    };
    result.plan = PrepareDial(entryLine, settings, weekday, hour, lookup);
    return result;
}

DialExplanation PreviewDial(QStringView entryLine, const Settings& settings,
                            const ProviderTable& table, const WeekWinners& winners, int weekday,
                            int hour) {
    DialExplanation result;
    const ProviderLookup lookup = [&](int day, int h, int distance) {
        result.providerChosen = true;
        result.call.winner = winners.at(distance, day, h);
        if (result.call.winner >= 0)
            result.call.networkCode = table.row(result.call.winner)[ColNetz];
        return result.call.networkCode;
    };
    result.plan = PrepareDial(entryLine, settings, weekday, hour, lookup);
    return result;
}

} // namespace tarvok
