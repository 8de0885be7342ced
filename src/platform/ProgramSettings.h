#pragma once

#include "FileError.h"

#include <QString>
#include <QUrl>

#include <array>

namespace tarvok {

// The program's own small settings file in the data folder (INI format): which device each
// of the ports COM1 to COM4 means, and where the tariff list is fetched from. Brisel.DAT
// keeps its fixed layout; these choices live here instead.
class ProgramSettings {
public:
    static inline const QString kFileName = QStringLiteral("Tarvok-Pro.ini");

    // Reads the file of `dataDir`. A missing, unreadable or damaged file, and every value
    // that is not acceptable, reads as the default ("Standard", the built-in address).
    static ProgramSettings load(const QString& dataDir);

    // Writes the whole file with the data files' careful save; false with `error` when it
    // could not be written, the file on disk then as it was.
    bool save(const QString& dataDir, FileError* error) const;

    // The device chosen for port 1..4; empty means the platform's standard device.
    QString device(int port) const;
    void setDevice(int port, const QString& device);

    // The chosen address of the tariff list; empty means the built-in one.
    QUrl tariffListUrl() const { return m_tariffListUrl; }
    void setTariffListUrl(const QUrl& url) { m_tariffListUrl = url; }

    // True when the file existed but could not be read or parsed.
    bool wasDamaged() const { return m_damaged; }

    // A device path the port may be opened with: absolute, no control characters, short.
    static bool isAcceptableDevice(const QString& device);
    // An http or https address with a host.
    static bool isAcceptableTariffListUrl(const QUrl& url);

private:
    std::array<QString, 4> m_devices;
    QUrl m_tariffListUrl;
    bool m_damaged = false;
};

} // namespace tarvok
