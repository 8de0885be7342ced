#pragma once

#include "SerialPort.h"

#include <QSerialPort>

namespace tarvok {

// SerialPort on QSerialPort, 2400 8N1 without flow control, on the device that
// SerialDeviceForPort names.
class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);

    bool isOpen() const override;
    bool open(int portNumber) override;
    void close() override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;

    // The device path of the last open, for messages and tests.
    QString deviceName() const { return m_port.portName(); }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
};

} // namespace tarvok
