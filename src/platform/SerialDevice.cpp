#include "SerialDevice.h"

#include "ProgramSettings.h"

#include <QtGlobal>

namespace tarvok {

QString StandardSerialDevice(int port) {
    if (port < 1 || port > 4)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

PortDevice ResolveSerialDevice(int port, const QString& dataDir) {
    if (port < 1 || port > 4)
        return {};
#ifndef Q_OS_WIN
    const QString variable = QStringLiteral("TARVOK_COM%1").arg(port);
    const QString configured = qEnvironmentVariable(qPrintable(variable));
    if (!configured.isEmpty())
        return {configured, PortDevice::Source::Environment, variable};
#endif
    if (!dataDir.isEmpty()) {
        const QString chosen = ProgramSettings::load(dataDir).device(port);
        if (!chosen.isEmpty())
            return {chosen, PortDevice::Source::File, {}};
    }
    return {StandardSerialDevice(port), PortDevice::Source::Standard, {}};
}

} // namespace tarvok
