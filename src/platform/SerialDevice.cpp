#include "SerialDevice.h"

#include <QtGlobal>

namespace tarvok {

QString SerialDeviceForPort(int port) {
    if (port < 1 || port > 4)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    const QString configured =
        qEnvironmentVariable(qPrintable(QStringLiteral("TARVOK_COM%1").arg(port)));
    if (!configured.isEmpty())
        return configured;
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

} // namespace tarvok
