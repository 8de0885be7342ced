#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

namespace tarvok {

// Replaces `dir`/`fileName` with `content`, the previous file becoming `backupName`.
// The new content is written and synced under a temporary name first; the old file is
// then hard-linked over the backup and the new one renamed over the file, and the folder
// is synced. At every moment a complete file or backup exists, and a backup is only ever
// replaced by an existing file. On failure nothing on disk has changed.
bool WriteWithBackup(const QString& dir, const QString& fileName, const QString& backupName,
                     const QByteArray& content, FileError* error);

// Writes a plain file the same careful way, without a backup (Update.DAT).
bool WriteWhole(const QString& dir, const QString& fileName, const QByteArray& content,
                FileError* error);

// Removes temporary files an interrupted save left behind in `dir`.
void RemoveLeftoverTemporaries(const QString& dir);

} // namespace tarvok
