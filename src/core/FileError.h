#pragma once

#include <QString>

namespace tarvok {

// What went wrong with one of the data files, for the window to put into words.
struct FileError {
    enum class Kind {
        None,
        CannotOpen,   // could not be opened for reading
        Damaged,      // read partly: `line` names the first line that could not be read
        Incompatible, // a version line the program does not know
        WriteFailed,  // a save did not complete; the files on disk are as they were
    };
    Kind kind = Kind::None;
    QString fileName; // file name only, e.g. "Brisel.DAT"
    int line = 0;     // 1-based, for Damaged
    QString detail;   // system error text or what was expected, in English, for logs

    explicit operator bool() const { return kind != Kind::None; }
};

} // namespace tarvok
