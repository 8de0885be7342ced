#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tarvok {

// The few operations the modem session needs of a serial port. The line setting is fixed:
// 2400 bit/s, no parity, 8 data bits, 1 stop bit.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Why the last open failed, so that the user can be told what to fix.
    enum class OpenFailure { None, Missing, InUse, NoPermission, NotSerial };

    virtual bool isOpen() const = 0;
    // portNumber 1..4 (COM1..COM4); false when the port does not exist or is in use.
    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    // The whole text or false; the bytes are on their way to the device on return.
    virtual bool write(const QByteArray& bytes) = 0;
    // Everything received and waiting.
    virtual QByteArray readAll() = 0;

    // After a failed open: the reason and the device it was tried on, where the port knows.
    virtual OpenFailure lastOpenFailure() const { return OpenFailure::NotSerial; }
    virtual QString lastDevice() const { return {}; }

signals:
    void readyRead();
    // The open port broke (the device went away). The port has been closed already,
    // so a dead device cannot flood the event loop with further errors.
    void failed();
};

} // namespace tarvok
