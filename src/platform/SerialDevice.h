#pragma once

#include <QString>

namespace tarvok {

// The device behind port number 1..4: "COM1".."COM4" on Windows; on Linux /dev/ttyS0 to
// /dev/ttyS3, unless TARVOK_COM1..TARVOK_COM4 names another device (a USB modem, a
// pseudo-terminal). Empty for a number outside 1..4.
QString SerialDeviceForPort(int port);

} // namespace tarvok
