#include "ProgramSettings.h"

#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace tarvok {

namespace {

constexpr int kMaxDeviceLength = 256;
constexpr int kMaxUrlLength = 2048;
// Anything larger is no settings file of ours; QSettings would read all of it.
constexpr qint64 kMaxFileSize = 64 * 1024;

QString deviceKey(int port) {
    return QStringLiteral("Modem/COM%1").arg(port);
}

const QString kUrlKey = QStringLiteral("Update/TariffListUrl");

bool validPort(int port) {
    return port >= 1 && port <= 4;
}

} // namespace

ProgramSettings ProgramSettings::load(const QString& dataDir) {
    ProgramSettings result;
    const QString path = QDir(dataDir).filePath(kFileName);
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    QFile source(path);
    if (!info.isFile() || info.size() > kMaxFileSize || !source.open(QIODevice::ReadOnly)) {
        result.m_damaged = true;
        return result;
    }
    // QSettings keeps what it read of a path and trusts size and time stamp to tell a
    // change; a file replaced twice within a millisecond would read stale. A private copy
    // is always read afresh.
    QTemporaryDir scratch;
    QFile copy(scratch.filePath(kFileName));
    if (!scratch.isValid() || !copy.open(QIODevice::WriteOnly) ||
        copy.write(source.read(kMaxFileSize)) < 0) {
        result.m_damaged = true;
        return result;
    }
    copy.close();

    const QSettings file(copy.fileName(), QSettings::IniFormat);
    if (file.status() != QSettings::NoError) {
        result.m_damaged = true;
        return result;
    }
    for (int port = 1; port <= 4; ++port) {
        const QString device = file.value(deviceKey(port)).toString().trimmed();
        if (isAcceptableDevice(device))
            result.m_devices[size_t(port - 1)] = device;
        else if (!device.isEmpty())
            result.m_damaged = true;
    }
    const QUrl url(file.value(kUrlKey).toString().trimmed(), QUrl::StrictMode);
    if (isAcceptableTariffListUrl(url))
        result.m_tariffListUrl = url;
    else if (!url.isEmpty())
        result.m_damaged = true;
    return result;
}

bool ProgramSettings::save(const QString& dataDir, FileError* error) const {
    // QSettings writes the INI text (with its quoting rules, so that load reads back exactly
    // this); the file in the data folder is then replaced the careful way.
    QTemporaryDir scratch;
    const auto failed = [error](const QString& detail) {
        if (error)
            *error = {FileError::Kind::WriteFailed, kFileName, 0, detail};
        return false;
    };
    if (!scratch.isValid())
        return failed(QStringLiteral("no temporary folder"));
    const QString draftPath = scratch.filePath(kFileName);
    {
        QSettings draft(draftPath, QSettings::IniFormat);
        for (int port = 1; port <= 4; ++port)
            draft.setValue(deviceKey(port), m_devices[size_t(port - 1)]);
        draft.setValue(kUrlKey, m_tariffListUrl.toString(QUrl::FullyEncoded));
        draft.sync();
        if (draft.status() != QSettings::NoError)
            return failed(QStringLiteral("settings draft not written"));
    }
    QFile draftFile(draftPath);
    if (!draftFile.open(QIODevice::ReadOnly))
        return failed(draftFile.errorString());
    return WriteWhole(dataDir, kFileName, draftFile.readAll(), error);
}

QString ProgramSettings::device(int port) const {
    return validPort(port) ? m_devices[size_t(port - 1)] : QString();
}

void ProgramSettings::setDevice(int port, const QString& device) {
    if (!validPort(port))
        return;
    const QString trimmed = device.trimmed();
    m_devices[size_t(port - 1)] = isAcceptableDevice(trimmed) ? trimmed : QString();
}

bool ProgramSettings::isAcceptableDevice(const QString& device) {
    if (device.isEmpty() || device.size() > kMaxDeviceLength)
        return false;
    for (const QChar c : device)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
#ifdef Q_OS_WIN
    return true;
#else
    return device.startsWith(QLatin1Char('/'));
#endif
}

bool ProgramSettings::isAcceptableTariffListUrl(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty() && url.toString().size() <= kMaxUrlLength;
}

} // namespace tarvok
