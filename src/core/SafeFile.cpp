#include "SafeFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvok {

namespace {

// Temporaries carry this suffix so that a later start can find what a killed save left.
constexpr char kTemporarySuffix[] = ".tarvok-tmp";

QByteArray nativePath(const QString& dir, const QString& name) {
    return QFile::encodeName(QDir(dir).filePath(name));
}

QByteArray temporaryPath(const QString& dir, const QString& name) {
    return nativePath(dir, name + QLatin1String(kTemporarySuffix));
}

bool fail(const QString& fileName, int errorNumber, FileError* error) {
    if (error)
        *error = {FileError::Kind::WriteFailed, fileName, 0,
                  QString::fromLocal8Bit(std::strerror(errorNumber))};
    return false;
}

// Removes a file, keeping errno of the failure that led here.
void removeQuietly(const QByteArray& path) {
    const int saved = errno;
    ::unlink(path.constData());
    errno = saved;
}

bool writeAll(int fd, const QByteArray& content) {
    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Creates `path` with `content`, on disk before this returns. On failure nothing is left.
bool writeSynced(const QByteArray& path, const QByteArray& content) {
    ::unlink(path.constData()); // a leftover of an earlier attempt
    const int fd =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    int saved = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(path.constData());
        errno = saved;
    }
    return ok;
}

bool syncFolder(const QString& dir) {
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

// A hard link where the file system has them (FAT and some network shares do not): then
// a synced copy serves as the second name.
bool secondName(const QByteArray& file, const QByteArray& name) {
    if (::link(file.constData(), name.constData()) == 0)
        return true;
    const int linkError = errno;
    if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS)
        return false;
    QFile source(QFile::decodeName(file));
    QByteArray content;
    if (source.open(QIODevice::ReadOnly))
        content = source.readAll();
    if (!source.isOpen() || source.error() != QFileDevice::NoError) {
        errno = linkError; // a folder in the file's place, say
        return false;
    }
    return writeSynced(name, content);
}

// The renames would replace a file whatever its mode; one the user made read-only is
// refused instead, as it is where files are written in place.
bool writableOrMissing(const QByteArray& path) {
    return ::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

bool exists(const QByteArray& path) {
    struct stat info;
    return ::lstat(path.constData(), &info) == 0;
}

} // namespace

// Order of the steps: the new content is complete on disk first; the current file gets a
// second name (link) before the new one replaces it; only then does that second name
// replace the backup. A failure in any step can thus be undone, and a kill between any
// two steps leaves the file, the backup or both complete.
bool WriteWithBackup(const QString& dir, const QString& fileName, const QString& backupName,
                     const QByteArray& content, FileError* error) {
    const QByteArray file = nativePath(dir, fileName);
    const QByteArray backup = nativePath(dir, backupName);
    const QByteArray newTemp = temporaryPath(dir, fileName);
    const QByteArray oldTemp = temporaryPath(dir, backupName);

    if (!writableOrMissing(file) || !writableOrMissing(backup))
        return fail(fileName, errno, error);
    if (!writeSynced(newTemp, content))
        return fail(fileName, errno, error);
    const bool hadFile = exists(file);
    if (hadFile) {
        ::unlink(oldTemp.constData());
        if (!secondName(file, oldTemp)) {
            removeQuietly(newTemp);
            return fail(fileName, errno, error);
        }
    }
    if (::rename(newTemp.constData(), file.constData()) != 0) {
        removeQuietly(newTemp);
        if (hadFile)
            removeQuietly(oldTemp);
        return fail(fileName, errno, error);
    }
    if (hadFile && ::rename(oldTemp.constData(), backup.constData()) != 0) {
        const int saved = errno;
        // Put the previous file back, so that file and backup are as they were.
        if (::rename(oldTemp.constData(), file.constData()) != 0)
            ::unlink(oldTemp.constData());
        syncFolder(dir);
        return fail(fileName, saved, error);
    }
    if (hadFile)
        ::unlink(oldTemp.constData()); // still there only if the backup was the same file
    if (!syncFolder(dir))
        return fail(fileName, errno, error);
    if (error)
        *error = {};
    return true;
}

bool WriteWhole(const QString& dir, const QString& fileName, const QByteArray& content,
                FileError* error) {
    const QByteArray file = nativePath(dir, fileName);
    const QByteArray newTemp = temporaryPath(dir, fileName);
    if (!writableOrMissing(file) || !writeSynced(newTemp, content))
        return fail(fileName, errno, error);
    if (::rename(newTemp.constData(), file.constData()) != 0) {
        removeQuietly(newTemp);
        return fail(fileName, errno, error);
    }
    if (!syncFolder(dir))
        return fail(fileName, errno, error);
    if (error)
        *error = {};
    return true;
}

namespace {

// A save stopped between its two renames has put the new file in place but left the
// previous one under the backup's temporary name: moving it over the backup finishes the
// rotation, so no generation is lost. While the new file's temporary is still there the
// save never got that far, and the backup's temporary is only a copy of the current file.
void finishRotation(const QString& dir, const QString& backupName) {
    QString fileName = backupName;
    fileName.replace(fileName.size() - 4, 4, QLatin1String(".DAT"));
    const QByteArray file = nativePath(dir, fileName);
    const QByteArray oldTemp = temporaryPath(dir, backupName);
    struct stat fileInfo;
    struct stat oldInfo;
    if (exists(temporaryPath(dir, fileName)) || ::lstat(file.constData(), &fileInfo) != 0 ||
        ::lstat(oldTemp.constData(), &oldInfo) != 0)
        return;
    if (fileInfo.st_dev == oldInfo.st_dev && fileInfo.st_ino == oldInfo.st_ino)
        return;
    if (::rename(oldTemp.constData(), nativePath(dir, backupName).constData()) == 0)
        syncFolder(dir);
}

} // namespace

void RemoveLeftoverTemporaries(const QString& dir) {
    const QDir folder(dir);
    const QString suffix = QLatin1String(kTemporarySuffix);
    for (const QString& name : folder.entryList({QLatin1String("*.BAK") + suffix}, QDir::Files))
        finishRotation(dir, name.chopped(suffix.size()));
    const QStringList names =
        folder.entryList({QLatin1String("*") + suffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        ::unlink(nativePath(dir, name).constData());
}

} // namespace tarvok
