#pragma once

#include "Settings.h"

#include <QString>
#include <QStringView>

#include <functional>

namespace tarvok {

enum DistanceClass { Near = 1, Far = 2, Abroad = 3 };

// What one call sends and shows.
struct DialPlan {
    QString Name;
    QString DisplayNumber;      // prepared number, "+" in front for a call abroad
    QString CompleteDialString; // "AT...;H0" and a carriage return
    int DistanceClass = Near;
};

// Asked for the network code only when the own country code is 49.
using ProviderLookup = std::function<QString(int weekday, int hour, int distance)>;

// Number preparation and assembly for one entry line, at the given weekday (1 Monday to 7
// Sunday) and hour (0..23).
DialPlan PrepareDial(QStringView entryLine, const Settings& settings, int weekday, int hour,
                     const ProviderLookup& bestProvider);

} // namespace tarvok
