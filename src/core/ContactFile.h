#pragma once

#include "ContactNumber.h"

#include <QByteArray>
#include <QString>

namespace tarvok {

// Reads a contact file: a vCard by its content (whatever its name), otherwise CSV. Files
// over kMaxContactFileBytes are refused before they are read.
ContactFileContent ReadContactFile(const QString& path);
// `vCardName`: the file's name says vCard, so it is not tried as CSV.
ContactFileContent ReadContactBytes(const QByteArray& bytes, bool vCardName = false);

// The names the import offers and accepts on a drop: *.vcf, *.vcard, *.csv.
bool IsContactFileName(const QString& path);

} // namespace tarvok
