#pragma once

#include "SerialPort.h"

#include <QByteArray>
#include <QStringList>

#include <utility>

namespace tarvok {

// A port that records what is done to it and receives what the test hands it; for the
// cases a real device cannot show on demand (an open or a write that fails).
class FakeSerialPort : public SerialPort {
public:
    bool openSucceeds = true;
    bool writeSucceeds = true;
    QStringList calls; // "open 2", "write ATDT..", "close"
    QByteArray written;

    bool isOpen() const override { return m_open; }
    bool open(int portNumber) override {
        calls << QStringLiteral("open %1").arg(portNumber);
        m_open = openSucceeds;
        return m_open;
    }
    void close() override {
        calls << QStringLiteral("close");
        m_open = false;
    }
    bool write(const QByteArray& bytes) override {
        calls << QStringLiteral("write ") + QString::fromLatin1(bytes);
        if (!m_open || !writeSucceeds)
            return false;
        written += bytes;
        return true;
    }
    QByteArray readAll() override { return std::exchange(m_pending, {}); }

    // The modem sent bytes.
    void receive(const QByteArray& bytes) {
        m_pending += bytes;
        emit readyRead();
    }
    // The device went away; a real port closes itself before it tells.
    void breakDown() {
        m_open = false;
        emit failed();
    }
    // A port still open from an earlier dial.
    void leaveOpen() { m_open = true; }

private:
    bool m_open = false;
    QByteArray m_pending;
};

} // namespace tarvok
