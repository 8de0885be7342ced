#pragma once

#include "CallExplanation.h"
#include "ProviderTableCheck.h"

#include <QString>

namespace tarvok {

// The German words for the carrier explanation and the table checker, in one place.
QString DistanceName(int distance);                    // "Nah", "Fern", "Ausland"
QString DayShortName(int weekday);                     // "Mo" .. "So"
QString DayLongName(int weekday);                      // "Montag" .. "Sonntag"
QString CarrierName(const ProviderRow& row);           // "Alpha (01011)"
QString RowLabel(const ProviderTable& table, int row); // "Zeile 3 (Alpha)"
QString MissText(RowMiss miss);

// "über Alpha (01011)" or "ohne Anbieter": the dial window's carrier line.
QString CarrierLine(const DialExplanation& dial, const ProviderTable& table);
// "jetzt: Fern über Alpha (01011)", "jetzt: Nah, ohne Anbieter (keine Zeile passt)".
QString CarrierPreviewText(const DialExplanation& dial, const ProviderTable& table);
// The preview of an entry the dial refuses for a character the modem must not receive.
QString RefusedPreviewText();

QString FindingText(const TableFinding& finding, const ProviderTable& table);

} // namespace tarvok
