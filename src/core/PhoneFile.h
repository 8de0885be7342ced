#pragma once

#include "FileError.h"
#include "PhoneBook.h"

#include <QString>

namespace tarvok {

inline constexpr char kPhoneFileName[] = "Brisel.DAT";
inline constexpr char kPhoneBackupName[] = "Brisel.BAK";

// Reads the rest of a phone book file whose version line was already taken off `text`
// (`firstLine` is the 1-based line number where `text` starts, for error reports).
// On a damaged file returns false with the line; `book` is then left unchanged.
bool ReadPhoneFile(QStringView text, bool version20, int firstLine, PhoneBook& book,
                   FileError* error);

// The bytes of a version 2.2 file (windows-1252, CR LF). Passes the four free-text settings
// through ReplaceQuotes, which they keep afterwards, as the saved file shows them.
QByteArray PhoneFileBytes(PhoneBook& book);

// Writes Brisel.DAT in `dir` anew, keeping the previous one as Brisel.BAK. On failure
// the files on disk are as they were and `error` says why.
bool SavePhoneFile(const QString& dir, PhoneBook& book, FileError* error);

// How a look at Brisel.DAT that must change nothing went.
enum class PhoneFileLook {
    Read,    // read as it is
    Missing, // no file: `book` has the settings a first start would create
    Failed,  // cannot be read, another version or damaged: `error` says which
};

// Reads Brisel.DAT of `dir` for a look that must change nothing: nothing is created,
// converted or written.
PhoneFileLook ReadPhoneFileOnly(const QString& dir, PhoneBook& book, FileError* error);

// The opening at start.
struct PhoneFileOpening {
    enum class Outcome {
        Read,         // version 2.2 read
        Converted,    // version 2.0 read and saved as 2.2 (the old file is Brisel.BAK)
        Created,      // no file: defaults saved; the options page should be checked
        Incompatible, // another version line: nothing read, nothing written
        Damaged,      // could not be read completely: nothing written; see `error`
        SaveFailed,   // Created or Converted, but the save failed; see `error`
    };
    Outcome outcome = Outcome::Read;
    FileError error;
    // Damaged, and Created beside a left-over backup: Brisel.BAK reads cleanly, so starting
    // from it (StartFromPhoneBackup) can be offered.
    bool backupReadable = false;
};
PhoneFileOpening OpenPhoneFile(const QString& dir, PhoneBook& book);

// After Damaged with a readable backup: keeps the damaged file under another name
// (returned in `keptAs`), reads Brisel.BAK into `book` and saves it as Brisel.DAT.
bool StartFromPhoneBackup(const QString& dir, PhoneBook& book, QString* keptAs, FileError* error);

} // namespace tarvok
