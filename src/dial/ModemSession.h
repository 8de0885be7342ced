#pragma once

#include "SerialPort.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tarvok {

// One dial on the modem: open the port, send the command line, collect the answer until it
// holds "OK" or the user cancels.
//
//   Idle --start ok--> Dialling --"OK" / cancel--> Idle
//   Idle --start fails--> Failed --acknowledgeFailure--> Idle
//   Dialling --port breaks--> Failed
class ModemSession : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Dialling, Failed };
    enum class End { Answered, Cancelled, PortFailed };

    // A modem that talks without end must not eat the memory; the tail is what matters.
    static constexpr qsizetype kAnswerLimit = 64 * 1024;

    explicit ModemSession(SerialPort& port, QObject* parent = nullptr);

    // Empties the answer, closes a port left open, opens portNumber (1..4) and writes
    // dialString in one write. False when the port cannot be opened or written; the state
    // is then Failed and the port closed.
    bool start(int portNumber, const QByteArray& dialString);
    // "&Abbruch": exactly one carriage return, then the port is closed. Only while dialling.
    void cancel();
    // The user has been told of the failure.
    void acknowledgeFailure();

    State state() const { return m_state; }
    // Everything received since start, upper-cased; its last kAnswerLimit characters.
    const QString& answer() const { return m_answer; }

signals:
    void answerChanged();
    void finished(tarvok::ModemSession::End end);

private:
    void onReadyRead();
    void onPortFailed();
    void appendAnswer(const QString& piece);
    void finish(End end);

    SerialPort& m_port;
    State m_state = State::Idle;
    QString m_answer;
};

} // namespace tarvok
