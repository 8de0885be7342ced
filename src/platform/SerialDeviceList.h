#pragma once

#include <QString>

#include <vector>

namespace tarvok {

struct SerialDeviceInfo {
    QString path;         // what the port is opened with, e.g. /dev/ttyACM0
    QString description;  // as the system names it, may be empty
    QString manufacturer; // may be empty
};

// The serial devices present now, sorted by path.
std::vector<SerialDeviceInfo> AvailableSerialDevices();

// True when the device is present now: listed above, or an existing device file (a
// pseudo-terminal is never listed).
bool SerialDevicePresent(const QString& path, const std::vector<SerialDeviceInfo>& available);

} // namespace tarvok
