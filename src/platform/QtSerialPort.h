#pragma once

#include "SerialPort.h"

#include <QSerialPort>

namespace tarvok {

// SerialPort on QSerialPort, 2400 8N1 without flow control, on the device that
// ResolveSerialDevice names for the data folder `dataDir`.
class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    explicit QtSerialPort(const QString& dataDir, QObject* parent = nullptr);

    bool isOpen() const override;
    bool open(int portNumber) override;
    void close() override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    OpenFailure lastOpenFailure() const override { return m_openFailure; }
    QString lastDevice() const override { return m_device; }

    // The device path of the last open, for messages and tests.
    QString deviceName() const { return m_port.portName(); }

private:
    void onError(QSerialPort::SerialPortError error);
    OpenFailure failureOf(QSerialPort::SerialPortError error) const;

    QString m_dataDir;
    QString m_device; // as resolved, a full path; QSerialPort shortens names under /dev
    QSerialPort m_port;
    OpenFailure m_openFailure = OpenFailure::None;
};

} // namespace tarvok
