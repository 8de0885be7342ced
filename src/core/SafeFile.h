#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

namespace tarvok {

// Replaces `dir`/`fileName` with `content`, the previous file becoming `backupName`.
// The new content is written and synced under a temporary name first; the old file gets
// a second (temporary) name by a hard link (a synced copy on file systems without them),
// the new one is renamed over the file, that second name is renamed over the backup, and
// the folder is synced. At every moment a complete file exists, and a backup is only ever
// replaced by an existing file. A failed step is undone, so that file and backup are as
// they were; only a failing sync of the folder (the renames done) is reported as a
// failure with the new file in place.
bool WriteWithBackup(const QString& dir, const QString& fileName, const QString& backupName,
                     const QByteArray& content, FileError* error);

// Writes a plain file the same careful way, without a backup (Update.DAT).
bool WriteWhole(const QString& dir, const QString& fileName, const QByteArray& content,
                FileError* error);

// Cleans up after a save that was stopped part-way in `dir`: a rotation stopped between
// its two renames is finished (the previous file becomes the backup), and every other
// temporary file is removed.
void RemoveLeftoverTemporaries(const QString& dir);

} // namespace tarvok
