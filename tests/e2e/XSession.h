#pragma once

#include <QDeadlineTimer>
#include <QProcess>

namespace tarvok {

// A private X server (Xvfb) for one test, and xdotool/xclip to act on it as a user would.
class XSession {
public:
    XSession() {
        // Xvfb picks a free display itself and tells its number on the given descriptor.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        if (!m_server.waitForStarted(5000))
            return;
        const QDeadlineTimer deadline(10000);
        while (!m_server.canReadLine() && !deadline.hasExpired() &&
               m_server.state() == QProcess::Running)
            m_server.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
        if (!number.isEmpty())
            m_display = QLatin1Char(':') + number;
        else
            stop();
    }
    ~XSession() { stop(); }

    // Empty when no server came up.
    const QString& display() const { return m_display; }

    struct Result {
        int exitCode = -1;
        QString output;
    };
    // Runs a command against this display; bounded in time.
    Result run(const QString& program, const QStringList& arguments, int timeoutMs = 10000) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        Result result;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished(1000);
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        return result;
    }
    Result xdotool(const QStringList& arguments, int timeoutMs = 10000) const {
        return run(QStringLiteral("xdotool"), arguments, timeoutMs);
    }
    // The visible windows with exactly this title.
    QStringList windows(const QString& title) const {
        const Result r = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                  QStringLiteral("--name"), QLatin1Char('^') + title + '$'});
        return r.exitCode == 0 ? r.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                               : QStringList();
    }

private:
    void stop() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000))
                m_server.kill();
            m_server.waitForFinished(1000);
        }
    }

    QProcess m_server;
    QString m_display;
};

} // namespace tarvok
