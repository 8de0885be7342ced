#pragma once

#include "FileError.h"

#include <QString>

namespace tarvok {

// One German sentence for what went wrong with a data file, naming the file (and the line
// of a damaged file), for the windows to put into their message boxes.
QString FileErrorText(const FileError& error);

} // namespace tarvok
