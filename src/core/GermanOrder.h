#pragma once

#include <QString>
#include <QStringView>

namespace tarvok {

// Alphabetical order as a German phone book has it (DIN 5007, first form): upper and
// lower case alike, ä/ö/ü as a/o/u, ß as ss, accented Latin letters as their base letter.
// Hand-made rather than QCollator because a full phone book is sorted on every start and
// QCollator's per-comparison cost is far above the budget; the key is cheap to keep.
QString GermanSortKey(QStringView text);

// Compares the sort keys only (without building them): 0 for "Müller" and "MULLER".
int GermanFoldedCompare(QStringView a, QStringView b);

// Compares by sort key, then by the plain text so that the order is total.
int GermanCompare(QStringView a, QStringView b);

} // namespace tarvok
