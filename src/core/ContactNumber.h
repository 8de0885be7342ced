#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace tarvok {

// What a contact file says about a number.
enum class ContactKind { None, Home, Work, Mobile, Fax };

// One number of one contact, as a contact file gives it: the name already carries the
// kind where the contact has more than one number; the number is still the file's text.
struct ContactNumber {
    QString name;
    QString number; // empty for a contact without any number
    ContactKind kind = ContactKind::None;
    int line = 0; // 1-based line where the contact starts
};

// Why a contact file could not be read; nothing of it is used then.
enum class ContactFileError {
    None,
    CannotOpen,
    TooLarge,       // over kMaxContactFileBytes
    Empty,          // nothing but blanks
    Binary,         // control bytes no text file has
    UnknownFormat,  // neither a vCard nor a CSV file
    MissingEnd,     // a vCard without END:VCARD; `line` is where it began
    OpenQuote,      // a CSV quote that is never closed; `line` is where it opened
    WrongWidth,     // a CSV line with another number of fields than the header; `line`
    UnknownColumns, // a CSV header without a name or a number column; see `columns`
    TooMany,        // more than kMaxContactNumbers numbers
};

struct ContactFileContent {
    ContactFileError error = ContactFileError::None;
    int line = 0;
    QStringList columns; // the header's columns, for UnknownColumns
    std::vector<ContactNumber> numbers;
    bool ok() const { return error == ContactFileError::None; }
};

inline constexpr qint64 kMaxContactFileBytes = 20 * 1024 * 1024;
// What all four lists together can hold: a file with more cannot be a phone book's worth,
// and reading on would only keep the window busy for minutes.
inline constexpr size_t kMaxContactNumbers = 4 * 32767;

// Adds one contact: a row per number, the kind after the name when there are several so
// that the lines stay told apart; a contact without numbers still gives one row, which the
// import shows as skipped rather than dropping it unseen. Line breaks and other controls in
// the name or a number become a blank.
void AppendContact(std::vector<ContactNumber>& out, const QString& name,
                   const std::vector<std::pair<QString, ContactKind>>& numbers, int line);

// " (privat)" and its kin, the words the phone book keeps after a name.
QString ContactKindSuffix(ContactKind kind);

} // namespace tarvok
