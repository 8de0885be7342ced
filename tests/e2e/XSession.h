#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace tarvok {

// A private X server (Xvfb) for one test, and xdotool/xclip to act on it as a user would.
class XSession {
public:
    XSession() {
        for (int n = 70 + int(QCoreApplication::applicationPid() % 50); n < 200; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_server.start(QStringLiteral("Xvfb"),
                           {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"),
                            QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!m_server.waitForStarted(5000))
                return;
            const QDeadlineTimer deadline(10000);
            while (!deadline.hasExpired() && m_server.state() == QProcess::Running) {
                if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                    m_display = QStringLiteral(":%1").arg(n);
                    return;
                }
                QThread::msleep(20);
            }
            stop();
            return;
        }
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
