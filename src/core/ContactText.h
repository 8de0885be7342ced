#pragma once

#include "ContactNumber.h"

#include <QByteArray>
#include <QString>

namespace tarvok {

// A contact file's bytes as text: UTF-8 (with or without BOM), UTF-16 with BOM, and
// windows-1252 for anything that is not valid UTF-8. Refuses what no contact file is.
struct ContactText {
    ContactFileError error = ContactFileError::None;
    QString text;
};
ContactText DecodeContactBytes(const QByteArray& bytes);

// Bytes in a charset a vCard names (CHARSET=...); unknown names are read as UTF-8 when
// valid, else windows-1252.
QString DecodeNamedCharset(const QByteArray& bytes, const QByteArray& charset);

} // namespace tarvok
