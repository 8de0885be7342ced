#pragma once

#include "AppState.h"

#include <QObject>

class QWidget;

namespace tarvok {

class SerialPort;

// The modem's set-up from the options page: the window "Modem-Anschlüsse" and "Modem
// testen", which runs the modem check on a port with its small modal window and tells the
// user what the modem said. The test never dials and leaves LastModemAnswer alone.
class ModemSetup : public QObject {
    Q_OBJECT
public:
    ModemSetup(AppState& state, SerialPort* port, QWidget* window);

    // Returns when the test is over and its message has been shown. `parent` carries the
    // window and the box (the options page or the device window).
    void TestModem(int port, QWidget* parent = nullptr);

    // "Geräte...": the device window, modal; returns when it is closed.
    void ShowDevices(QWidget* parent = nullptr);

private:
    AppState& m_state;
    SerialPort* m_port;
    QWidget* m_window;
    bool m_running = false;
};

} // namespace tarvok
