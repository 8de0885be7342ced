#pragma once

#include "FileError.h"
#include "PhoneBook.h"

#include <QByteArray>
#include <QString>

namespace tarvok {

// The phone book for other contact programs. `list` is 1 to 4, or 0 for all four lists,
// each contact then carrying its list name as its category.
// vCard 4.0 in UTF-8, one card per entry, the number as an international tel: URI.
QByteArray VCardExportBytes(const PhoneBook& book, int list);
// CSV with the header "Name,Telefon,Liste", UTF-8 with BOM so that spreadsheets see UTF-8.
QByteArray CsvExportBytes(const PhoneBook& book, int list);

// Writes the file as a whole the careful way the data files are written (never half a
// file): CSV for a name ending in ".csv", vCard otherwise.
bool ExportContacts(const QString& path, const PhoneBook& book, int list, FileError* error);

} // namespace tarvok
