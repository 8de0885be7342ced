#pragma once

#include "AppState.h"

#include <QObject>
#include <QString>

class QWidget;

namespace tarvok {

class SerialPort;

// DialSelectedEntry from the entry line to the closed dial window: number preparation,
// the modem session on the serial port, the dial window "Anwahl", ModalBusy around it,
// and the messages of a port that cannot be opened or fails.
class DialController : public QObject {
    Q_OBJECT
public:
    // NumberRefused: the stored number holds a character the dial command must not carry;
    // the message was shown and nothing was sent.
    enum class Outcome { Answered, Cancelled, PortUnavailable, PortFailed, NoEntry, NumberRefused };

    DialController(AppState& state, SerialPort& port, QWidget* window);

    // Runs the whole dial modally and returns when the dial window is gone. On
    // PortUnavailable the message was shown; the caller brings the options tab forward.
    Outcome DialSelectedEntry(const QString& entryLine);

    // The "Debug" button: shows LastModemAnswer.
    void ShowLastModemAnswer();

private:
    AppState& m_state;
    SerialPort& m_port;
    QWidget* m_window;
};

} // namespace tarvok
