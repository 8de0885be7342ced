#pragma once

#include "ProviderTable.h"

#include <QString>

namespace tarvok {

// The network code of the first row, in display order, whose day type, hour window and
// distance letters fit; empty when none fits.
// weekday 1 (Monday) to 7 (Sunday), hour 0..23, distance 1 near, 2 far, 3 abroad.
QString BestProvider(const ProviderTable& table, int weekday, int hour, int distance);

} // namespace tarvok
