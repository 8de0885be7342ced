#include "QuitSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

// The desktop or a service manager ends the program with a signal; it must reach the
// window's orderly ending on the user-interface thread instead of killing the process.
class QuitSignalsTest : public QObject {
    Q_OBJECT

private slots:
    void signalsBecomeQuitRequests_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void signalsBecomeQuitRequests() {
        QFETCH(int, signalNumber);
        tarvok::QuitSignals watcher;
        QSignalSpy quit(&watcher, &tarvok::QuitSignals::quitRequested);
        std::raise(signalNumber);
        QTRY_COMPARE(quit.size(), 1);
    }
};

QTEST_MAIN(QuitSignalsTest)
#include "QuitSignalsTest.moc"
