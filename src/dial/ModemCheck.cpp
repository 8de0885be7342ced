#include "ModemCheck.h"

#include <QRegularExpression>
#include <QStringList>

namespace tarvok {

namespace {

const QString kReset = QStringLiteral("ATZ");
const QString kIdentify = QStringLiteral("ATI");

// The modem's lines as it sent them, without blanks at their ends.
QStringList LinesOf(const QString& text) {
    QStringList lines;
    for (const QString& line :
         text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

// Nothing a modem sends may smuggle control characters into the window's text.
QString Printable(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        if (c == u'\n' || c == u'\r' || c.isPrint())
            result += c;
    return result;
}

} // namespace

ModemCheck::ModemCheck(SerialPort& port, QObject* parent)
    : QObject(parent)
    , m_port(port) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kAnswerWaitMs);
    connect(&m_timer, &QTimer::timeout, this, &ModemCheck::onTimeout);
    connect(&m_port, &SerialPort::readyRead, this, &ModemCheck::onReadyRead);
    connect(&m_port, &SerialPort::failed, this, [this] {
        if (isRunning())
            finish(Outcome::PortFailed);
    });
}

void ModemCheck::start(int portNumber) {
    if (isRunning())
        return;
    m_result = {};
    if (m_port.isOpen())
        m_port.close();
    if (!m_port.open(portNumber)) {
        m_result.failure = m_port.lastOpenFailure();
        m_result.device = m_port.lastDevice();
        m_step = Step::Reset;
        finish(Outcome::OpenFailed);
        return;
    }
    m_result.device = m_port.lastDevice();
    send(Step::Reset);
}

void ModemCheck::cancel() {
    if (isRunning())
        finish(Outcome::Cancelled);
}

void ModemCheck::send(Step step) {
    m_step = step;
    m_collected.clear();
    const QString& command = step == Step::Reset ? kReset : kIdentify;
    m_result.command = command;
    m_timer.start();
    if (!m_port.write(command.toLatin1() + '\r'))
        finish(Outcome::PortFailed);
}

void ModemCheck::onReadyRead() {
    if (!isRunning() || !m_port.isOpen())
        return;
    m_collected += Printable(QString::fromLatin1(m_port.readAll()));
    if (m_collected.size() > kAnswerLimit)
        m_collected.remove(0, m_collected.size() - kAnswerLimit);
    const QString code = finalCode();
    if (code.isEmpty())
        return;
    if (code == QLatin1String("ERROR")) {
        m_result.answer = m_collected.trimmed();
        finish(Outcome::Error);
    } else if (m_step == Step::Reset) {
        send(Step::Identify);
    } else {
        QStringList lines = LinesOf(m_collected);
        lines.removeLast();                      // the final "OK"
        lines.removeIf([](const QString& line) { // the echo
            return line.compare(kIdentify, Qt::CaseInsensitive) == 0;
        });
        m_result.answer = lines.isEmpty() ? QStringLiteral("OK") : lines.join(u'\n');
        finish(Outcome::Answered);
    }
}

// "OK" or "ERROR" once the modem has ended its answer with one of them on a line of its
// own; empty while the answer is still coming.
QString ModemCheck::finalCode() const {
    const QStringList lines = LinesOf(m_collected);
    if (lines.isEmpty())
        return {};
    // The last line counts only once its line end has arrived.
    const bool ended = m_collected.endsWith(u'\n') || m_collected.endsWith(u'\r');
    const QString last = lines.last().toUpper();
    if (ended && (last == QLatin1String("OK") || last == QLatin1String("ERROR")))
        return last;
    return {};
}

void ModemCheck::onTimeout() {
    if (!isRunning())
        return;
    m_result.answer = m_collected.trimmed();
    finish(Outcome::Silent);
}

void ModemCheck::finish(Outcome outcome) {
    m_timer.stop();
    m_step = Step::Idle;
    if (m_port.isOpen())
        m_port.close();
    m_result.outcome = outcome;
    emit finished(m_result);
}

} // namespace tarvok
