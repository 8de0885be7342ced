#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>

namespace tarvok {

// tools/fake-modem as a child process: a Hayes modem on a pseudo-terminal that logs every
// byte it receives.
class FakeModemProcess {
public:
    explicit FakeModemProcess(const QStringList& options = {}) {
        const QString program = QStringLiteral(TARVOK_FAKE_MODEM);
        m_process.start(program, options + QStringList{QStringLiteral("--log"), logPath()});
        if (m_process.waitForStarted(5000) && waitForLine())
            m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~FakeModemProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    // The device path, empty when the modem did not come up.
    const QString& device() const { return m_device; }
    // Every byte the modem has received so far.
    QByteArray received() const {
        QFile log(logPath());
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }
    // The device goes away at once, as when a USB modem is pulled.
    void vanish() {
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(3000);
    }
    // Asks the modem to end as scripts/run does; true when it ended cleanly.
    bool terminate() {
        m_process.terminate();
        return m_process.waitForFinished(5000) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

private:
    QString logPath() const { return m_dir.filePath(QStringLiteral("modem.log")); }
    bool waitForLine() {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(5000))
                return false;
        return true;
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_device;
};

} // namespace tarvok
