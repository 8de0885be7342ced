#pragma once

#include "ModemCheck.h"
#include "SerialPort.h"

#include <QString>

namespace tarvok {

// The German line that says why a port could not be opened, naming the device; empty when
// the device is not known.
QString PortOpenFailureText(SerialPort::OpenFailure failure, const QString& device);

// What the modem test found, for its message box.
QString ModemCheckText(int port, const ModemCheck::Result& result);

} // namespace tarvok
