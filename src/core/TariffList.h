#pragma once

#include "ProviderRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tarvok {

inline constexpr char kTariffMarker[] = "Tarvok Pro Provider Update";
inline constexpr char kUpdateFileName[] = "Update.DAT";

// ";" becomes ",", double quotes vanish: the text that Update.DAT keeps.
QString ConvertTariffText(QStringView downloaded);
bool HasTariffMarker(QStringView converted);
QByteArray UpdateFileBytes(QStringView converted); // windows-1252, then CR LF

// Network codes go straight into the modem's command line: only dial digits pass.
bool IsDialableNetworkCode(QStringView code);

struct TariffImport {
    std::vector<ProviderRecord> rows; // in list order
    int skipped = 0;                  // rows refused for their network code
    bool truncated = false;           // a row was cut short (fewer than nine values)
    int failedLine = 0; // 1-based line that ended the import early, 0 when all was read
};

// Reads a converted list: two lines skipped, then one provider per line. A line that
// cannot be read (fewer than nine values, text for an hour) ends the import; the rows
// before it stay.
TariffImport ImportTariffList(QStringView converted);

} // namespace tarvok
