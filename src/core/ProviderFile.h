#pragma once

#include "FileError.h"
#include "ProviderTable.h"

namespace tarvok {

inline constexpr char kProviderFileName[] = "Provider.DAT";
inline constexpr char kProviderBackupName[] = "Provider.BAK";

// Reads rows of nine values from `text` into `table` (through AddProviderRow). A row that
// cannot be read ends the reading: the rows before it stay, and `error` names the line.
bool ReadProviderText(QStringView text, ProviderTable& table, FileError* error);

// Reads Provider.DAT of `dir`; a missing file is no error and leaves the table empty.
bool LoadProviderFile(const QString& dir, ProviderTable& table, FileError* error);

QByteArray ProviderFileBytes(const ProviderTable& table);

// Writes Provider.DAT anew, keeping the previous one as Provider.BAK. On failure the files
// on disk are as they were.
bool SaveProviderFile(const QString& dir, const ProviderTable& table, FileError* error);

} // namespace tarvok
