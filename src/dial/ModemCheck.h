#pragma once

#include "SerialPort.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace tarvok {

// Asks the modem on a port who it is, without dialling: opens the port, sends "ATZ" and
// then "ATI" (each with a carriage return), waits for each answer at most kAnswerWaitMs
// and closes the port again, whatever happened.
class ModemCheck : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Answered, OpenFailed, Silent, Error, PortFailed, Cancelled };
    struct Result {
        Outcome outcome = Outcome::Cancelled;
        SerialPort::OpenFailure failure = SerialPort::OpenFailure::None; // for OpenFailed
        QString device;  // the device tried, where the port knows it
        QString command; // the command that got no answer or "ERROR"
        QString answer;  // the modem's lines, without the echo and the final "OK"
    };

    static constexpr int kAnswerWaitMs = 2000;
    // Enough for any identification; a modem that talks on is cut here.
    static constexpr qsizetype kAnswerLimit = 4096;

    explicit ModemCheck(SerialPort& port, QObject* parent = nullptr);

    // Starts the check; finished() follows, at once when the port cannot be opened.
    void start(int portNumber);
    // Ends a running check at once, the port closed.
    void cancel();
    bool isRunning() const { return m_step != Step::Idle; }

signals:
    void finished(const tarvok::ModemCheck::Result& result);

private:
    enum class Step { Idle, Reset, Identify };

    void send(Step step);
    void onReadyRead();
    void onTimeout();
    void finish(Outcome outcome);
    QString finalCode() const;

    SerialPort& m_port;
    QTimer m_timer;
    Step m_step = Step::Idle;
    QString m_collected; // this command's answer so far
    Result m_result;
};

} // namespace tarvok
