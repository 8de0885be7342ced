#include "ModemSession.h"

namespace tarvok {

ModemSession::ModemSession(SerialPort& port, QObject* parent)
    : QObject(parent)
    , m_port(port) {
    connect(&m_port, &SerialPort::readyRead, this, &ModemSession::onReadyRead);
    connect(&m_port, &SerialPort::failed, this, &ModemSession::onPortFailed);
}

bool ModemSession::start(int portNumber, const QByteArray& dialString) {
    if (m_state == State::Dialling)
        return false;
    m_state = State::Idle;
    m_answer.clear();
    emit answerChanged();

    if (m_port.isOpen())
        m_port.close();
    if (!m_port.open(portNumber)) {
        m_state = State::Failed;
        return false;
    }
    if (!m_port.write(dialString)) {
        if (m_port.isOpen())
            m_port.close();
        m_state = State::Failed;
        return false;
    }
    m_state = State::Dialling;
    return true;
}

void ModemSession::cancel() {
    if (m_state != State::Dialling)
        return;
    if (m_port.isOpen()) {
        m_port.write(QByteArrayLiteral("\r"));
        m_port.close();
    }
    finish(End::Cancelled);
}

void ModemSession::acknowledgeFailure() {
    if (m_state == State::Failed)
        m_state = State::Idle;
}

void ModemSession::onReadyRead() {
    if (m_state != State::Dialling || !m_port.isOpen())
        return;
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty())
        return;
    const QString piece = QString::fromLatin1(bytes).toUpper();

    // The answer held no "OK" before this piece, so only the piece and the one character
    // in front of it can make one; this also finds an "OK" that the trimming would cut.
    const bool answered =
        piece.contains(QLatin1String("OK")) ||
        (m_answer.endsWith(QLatin1Char('O')) && piece.front() == QLatin1Char('K'));
    appendAnswer(piece);
    emit answerChanged();
    if (answered) {
        m_port.close();
        finish(End::Answered);
    }
}

void ModemSession::onPortFailed() {
    if (m_port.isOpen())
        m_port.close();
    if (m_state != State::Dialling)
        return;
    m_state = State::Failed;
    emit finished(End::PortFailed);
}

void ModemSession::appendAnswer(const QString& piece) {
    if (piece.size() >= kAnswerLimit) {
        m_answer = piece.right(kAnswerLimit);
        return;
    }
    m_answer += piece;
    if (m_answer.size() > kAnswerLimit)
        m_answer.remove(0, m_answer.size() - kAnswerLimit);
}

void ModemSession::finish(End end) {
    m_state = State::Idle;
    emit finished(end);
}

} // namespace tarvok
