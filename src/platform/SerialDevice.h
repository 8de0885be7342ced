#pragma once

#include <QString>

namespace tarvok {

// Where the device behind a port comes from, strongest first.
struct PortDevice {
    enum class Source { Environment, File, Standard };
    QString device; // empty for a port number outside 1..4
    Source source = Source::Standard;
    QString variable; // the environment variable that decides it, for Source::Environment
};

// The platform's own device for port 1..4: "COM1".."COM4" on Windows, /dev/ttyS0 to
// /dev/ttyS3 elsewhere. Empty outside 1..4.
QString StandardSerialDevice(int port);

// The one resolution of a port number into a device, for the dial, the modem test and the
// port list's tool tips: TARVOK_COM1..TARVOK_COM4 when set (not on Windows), else the
// choice in the program's settings file of `dataDir`, else the standard device.
PortDevice ResolveSerialDevice(int port, const QString& dataDir);

inline QString SerialDeviceForPort(int port, const QString& dataDir = {}) {
    return ResolveSerialDevice(port, dataDir).device;
}

} // namespace tarvok
