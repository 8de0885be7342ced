#pragma once

#include <QString>

class QTextStream;

namespace tarvok {

// "--explain NUMBER [--at "YYYY-MM-DD HH:MM"]": what a dial of NUMBER would send at that
// moment (now without `at`) and why that carrier: the complete dial string, the distance
// class, the winning row's six texts and, for every row above it, the test it failed.
// Reads Brisel.DAT and Provider.DAT of `dataDir` and writes nothing; needs no display.
// Returns the exit code: 0, or 2 with the reason on `err` for bad input or unreadable files.
int ExplainNumber(const QString& dataDir, const QString& number, const QString& at,
                  QTextStream& out, QTextStream& err);

} // namespace tarvok
