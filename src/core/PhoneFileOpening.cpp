#include "PhoneFile.h"

#include "SafeFile.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tarvok {

namespace {

constexpr QStringView kVersion22 = u"[BRISEL VERSION 2.2]";
constexpr QStringView kVersion20 = u"[BRISEL VERSION 2.0]";

enum class Version { Missing, Unreadable, V22, V20, Other };

struct LoadedText {
    Version version = Version::Missing;
    QString text;
    qsizetype restStart = 0; // where the text after the version line begins
    // Viewed, not copied: a full phone book is some 12 MB of text.
    QStringView rest() const { return QStringView(text).mid(restStart); }
    QString error;
};

QStringView withoutSpaces(QStringView text) {
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

LoadedText loadText(const QString& path) {
    LoadedText loaded;
    QFile file(path);
    if (!file.exists())
        return loaded;
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.version = Version::Unreadable;
        loaded.error = file.errorString();
        return loaded;
    }
    loaded.text = DecodeWindows1252(file.readAll());
    const QString& text = loaded.text;
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    const QStringView first = withoutSpaces(QStringView(text).left(end));
    if (end < text.size())
        end += (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1;
    loaded.restStart = end;
    loaded.version = first == kVersion22   ? Version::V22
                     : first == kVersion20 ? Version::V20
                                           : Version::Other;
    return loaded;
}

// Reads a loaded phone book file of a known version; FileError names `fileName`.
bool readLoaded(const LoadedText& loaded, const QString& fileName, PhoneBook& book,
                FileError* error) {
    if (loaded.version != Version::V22 && loaded.version != Version::V20)
        return false;
    const bool ok = ReadPhoneFile(loaded.rest(), loaded.version == Version::V20, 2, book, error);
    if (!ok && error)
        error->fileName = fileName;
    return ok;
}

bool backupReadsCleanly(const QString& dir, const PhoneBook& book) {
    PhoneBook scratch = book;
    const LoadedText backup = loadText(QDir(dir).filePath(QLatin1String(kPhoneBackupName)));
    return readLoaded(backup, QString::fromLatin1(kPhoneBackupName), scratch, nullptr);
}

void setNewFileDefaults(Settings& s) {
    s.HandOverEnabled = 0;
    s.ComPort = 1;
    s.DialMethod = 1;
    s.OutsideLinePrefix.clear();
    s.InternationalPrefix = QStringLiteral("00");
    s.CountryCode = QStringLiteral("49");
    s.AreaCode.clear();
}

} // namespace

PhoneFileLook ReadPhoneFileOnly(const QString& dir, PhoneBook& book, FileError* error) {
    const LoadedText loaded = loadText(QDir(dir).filePath(QLatin1String(kPhoneFileName)));
    FileError failure;
    failure.fileName = QString::fromLatin1(kPhoneFileName);
    switch (loaded.version) {
    case Version::Missing:
        setNewFileDefaults(book.settings);
        return PhoneFileLook::Missing;
    case Version::Unreadable:
        failure.kind = FileError::Kind::CannotOpen;
        failure.detail = loaded.error;
        break;
    case Version::Other:
        failure.kind = FileError::Kind::Incompatible;
        break;
    case Version::V20:
    case Version::V22:
        return readLoaded(loaded, failure.fileName, book, error) ? PhoneFileLook::Read
                                                                 : PhoneFileLook::Failed;
    }
    if (error)
        *error = failure;
    return PhoneFileLook::Failed;
}

PhoneFileOpening OpenPhoneFile(const QString& dir, PhoneBook& book) {
    using Outcome = PhoneFileOpening::Outcome;
    PhoneFileOpening opening;
    RemoveLeftoverTemporaries(dir);
    const QString fileName = QString::fromLatin1(kPhoneFileName);
    const LoadedText loaded = loadText(QDir(dir).filePath(fileName));

    switch (loaded.version) {
    case Version::Missing:
        // Checked before the save, which never touches the backup when there was no file.
        opening.backupReadable = backupReadsCleanly(dir, book);
        setNewFileDefaults(book.settings);
        opening.outcome =
            SavePhoneFile(dir, book, &opening.error) ? Outcome::Created : Outcome::SaveFailed;
        return opening;
    case Version::Unreadable:
        opening.outcome = Outcome::Damaged;
        opening.error = {FileError::Kind::CannotOpen, fileName, 0, loaded.error};
        opening.backupReadable = backupReadsCleanly(dir, book);
        return opening;
    case Version::Other:
        opening.outcome = Outcome::Incompatible;
        opening.error = {FileError::Kind::Incompatible, fileName, 1, QString()};
        return opening;
    case Version::V22:
    case Version::V20:
        break;
    }
    if (!readLoaded(loaded, fileName, book, &opening.error)) {
        opening.outcome = Outcome::Damaged;
        opening.backupReadable = backupReadsCleanly(dir, book);
        return opening;
    }
    if (loaded.version == Version::V22) {
        opening.outcome = Outcome::Read;
        return opening;
    }
    opening.outcome =
        SavePhoneFile(dir, book, &opening.error) ? Outcome::Converted : Outcome::SaveFailed;
    return opening;
}

namespace {

// Gives the damaged file a second name that no other file has; the first free one of
// "Brisel.DAT.damaged", "Brisel.DAT.damaged-2", ...
bool keepUnderFreeName(const QString& dir, QString* keptAs, int* errorNumber) {
    const QString fileName = QString::fromLatin1(kPhoneFileName);
    const QByteArray file = QFile::encodeName(QDir(dir).filePath(fileName));
    for (int n = 1; n < 1000; ++n) {
        const QString name = fileName + QStringLiteral(".damaged") +
                             (n == 1 ? QString() : u'-' + QString::number(n));
        if (::link(file.constData(), QFile::encodeName(QDir(dir).filePath(name)).constData()) ==
            0) {
            *keptAs = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    *errorNumber = errno;
    return false;
}

} // namespace

bool StartFromPhoneBackup(const QString& dir, PhoneBook& book, QString* keptAs, FileError* error) {
    const QString backupName = QString::fromLatin1(kPhoneBackupName);
    const LoadedText backup = loadText(QDir(dir).filePath(backupName));
    PhoneBook read = book;
    FileError readError;
    if (!readLoaded(backup, backupName, read, &readError)) {
        if (!readError)
            readError = {FileError::Kind::Damaged, backupName, 1, QStringLiteral("no backup")};
        if (error)
            *error = readError;
        return false;
    }
    QString kept;
    int errorNumber = 0;
    if (!keepUnderFreeName(dir, &kept, &errorNumber)) {
        if (error)
            *error = {FileError::Kind::WriteFailed, QString::fromLatin1(kPhoneFileName), 0,
                      QString::fromLocal8Bit(std::strerror(errorNumber))};
        return false;
    }
    // The backup stays as it is; the damaged file lives on under its second name.
    if (!WriteWhole(dir, QString::fromLatin1(kPhoneFileName), PhoneFileBytes(read), error)) {
        ::unlink(QFile::encodeName(QDir(dir).filePath(kept)).constData());
        return false;
    }
    book = std::move(read);
    if (keptAs)
        *keptAs = kept;
    return true;
}

} // namespace tarvok
