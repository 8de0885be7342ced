#include "QtSerialPort.h"

#include "SerialDevice.h"

#include <QFileInfo>

namespace tarvok {

namespace {
// How long a close may wait for bytes the driver did not take at once (a lone carriage
// return after a cancel, normally gone long before).
constexpr int kDrainMs = 500;
} // namespace

QtSerialPort::QtSerialPort(QObject* parent)
    : QtSerialPort(QString(), parent) {}

QtSerialPort::QtSerialPort(const QString& dataDir, QObject* parent)
    : SerialPort(parent)
    , m_dataDir(dataDir) {
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen();
}

bool QtSerialPort::open(int portNumber) {
    if (m_port.isOpen())
        m_port.close();
    const QString device = SerialDeviceForPort(portNumber, m_dataDir);
    m_openFailure = OpenFailure::None;
    m_device = device;
    if (device.isEmpty()) {
        m_openFailure = OpenFailure::Missing;
        return false;
    }
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud2400);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (m_port.open(QIODevice::ReadWrite))
        return true;
    m_openFailure = failureOf(m_port.error());
    return false;
}

// QSerialPort reports a lock held by another program and a device file the user may not
// open alike, as PermissionError; the file's own permissions tell them apart.
SerialPort::OpenFailure QtSerialPort::failureOf(QSerialPort::SerialPortError error) const {
    const QFileInfo device(m_device);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return OpenFailure::Missing;
    case QSerialPort::PermissionError:
        if (device.exists() && !(device.isReadable() && device.isWritable()))
            return OpenFailure::NoPermission;
        return OpenFailure::InUse;
    default:
        if (!device.exists() && !device.isSymLink())
            return OpenFailure::Missing;
        return OpenFailure::NotSerial;
    }
}

void QtSerialPort::close() {
    if (!m_port.isOpen())
        return;
    // QSerialPort drops its own write buffer on close; hand what is left to the driver.
    if (m_port.bytesToWrite() > 0)
        m_port.waitForBytesWritten(kDrainMs);
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!m_port.isOpen())
        return false;
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the driver now rather than on the next turn of the event loop.
    m_port.flush();
    return m_port.isOpen();
}

QByteArray QtSerialPort::readAll() {
    return m_port.readAll();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    // Errors of a failed open are answered by open() itself.
    if (!m_port.isOpen())
        return;
    // A device that went away keeps reporting ReadError as fast as the loop turns and
    // never ResourceError: close at once so that its notifier stops.
    m_port.close();
    emit failed();
}

} // namespace tarvok
