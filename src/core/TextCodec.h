#pragma once

#include <QByteArray>
#include <QString>

namespace tarvok {

// The data files are windows-1252.
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(QStringView text); // unmappable characters become "?"

} // namespace tarvok
