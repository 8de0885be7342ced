#pragma once

#include "ExternalNumber.h"

#include <QString>

namespace tarvok {

// The number and zero flag the entry editor stores for the number typed into it:
// - the entry's previous number, left as it was, is kept as stored (a phone book written
//   before numbers were normalised stays as it is when only a name is changed);
// - a number already in the phone book's form is kept exactly as typed, with zeroFlag;
// - digits in two groups led by a country code ("45 32123456") are read as international,
//   as the editor asks for the international number;
// - anything else is normalised, with the zero flag of its country.
ExternalNumber NumberForEntry(const QString& typed, int zeroFlag, const QString& previousNumber,
                              const QString& ownCountryCode, const QString& ownAreaCode);

} // namespace tarvok
