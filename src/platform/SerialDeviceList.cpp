#include "SerialDeviceList.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace tarvok {

std::vector<SerialDeviceInfo> AvailableSerialDevices() {
    std::vector<SerialDeviceInfo> devices;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        devices.push_back(
            {port.systemLocation(), port.description().trimmed(), port.manufacturer().trimmed()});
    std::sort(devices.begin(), devices.end(),
              [](const SerialDeviceInfo& a, const SerialDeviceInfo& b) { return a.path < b.path; });
    return devices;
}

bool SerialDevicePresent(const QString& path, const std::vector<SerialDeviceInfo>& available) {
    if (std::any_of(available.begin(), available.end(),
                    [&path](const SerialDeviceInfo& device) { return device.path == path; }))
        return true;
#ifdef Q_OS_WIN
    return false;
#else
    return QFileInfo::exists(path);
#endif
}

} // namespace tarvok
