#pragma once

#include "ContactNumber.h"

#include <QStringView>

namespace tarvok {

// Reads the numbers of a contact CSV as the common programs export them: a header row
// naming the columns (English and German exports of web accounts, mail programs and
// phones, and this program's own "Name,Telefon,Liste"), comma, semicolon or tab between
// fields. Separate given and family names become "Family, Given".
ContactFileContent ReadContactCsv(QStringView text);

} // namespace tarvok
