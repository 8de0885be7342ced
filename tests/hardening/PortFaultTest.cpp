// The serial port against tools/fake-modem on a pseudo-terminal, where the modem goes
// away, never answers, floods the line, or the port cannot be opened at all.
#include "FakeModemProcess.h"
#include "ModemSession.h"
#include "QtSerialPort.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

namespace tarvok {

namespace {

const QByteArray kDial = QByteArrayLiteral("ATDT01090030 7654321;H0\r");
constexpr int kNobody = 65534;

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// CPU time this process spends while the event loop runs for `ms`.
double CpuWhileWaiting(int ms) {
    const double before = CpuSeconds();
    QTest::qWait(ms);
    return CpuSeconds() - before;
}

// A session on COM1, which names a fresh fake-modem started with the given options.
struct ModemDial {
    explicit ModemDial(const QStringList& options)
        : modem(options) {
        qputenv("TARVOK_COM1", modem.device().toLocal8Bit());
    }
    FakeModemProcess modem;
    QtSerialPort port;
    ModemSession session{port};
    QSignalSpy ends{&session, &ModemSession::finished};
};

// An idle loop needs next to nothing; one spinning on a dead port needs the whole core.
constexpr double kIdleCpuPerSecond = 0.2;

} // namespace

class PortFaultTest : public QObject {
    Q_OBJECT

private slots:
    void modemVanishesWhileDialling_data();
    void modemVanishesWhileDialling();
    void modemThatNeverAnswersLeavesTheLoopFree_data();
    void modemThatNeverAnswersLeavesTheLoopFree();
    void portsThatCannotBeOpened_data();
    void portsThatCannotBeOpened();
    void portFromAnotherProgram_data();
    void portFromAnotherProgram();
};

// The modem is killed while the dial runs: the session ends as a port failure, the port is
// closed within a second, and nothing keeps the processor busy afterwards.
void PortFaultTest::modemVanishesWhileDialling_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("silent modem") << QStringList{"--silent"};
    QTest::newRow("in the middle of a flood") << QStringList{"--garbage", "8000000", "--error"};
}

void PortFaultTest::modemVanishesWhileDialling() {
    QFETCH(QStringList, options);
    ModemDial dial(options);
    QVERIFY2(!dial.modem.device().isEmpty(), "fake-modem did not start");
    auto& [modem, port, session, ends] = dial;
    QSignalSpy failures(&port, &SerialPort::failed);
    QVERIFY(session.start(1, kDial));
    QTRY_COMPARE(modem.received(), kDial);
    if (options.contains("--garbage"))
        QTRY_VERIFY(session.answer().size() > 1000);

    QElapsedTimer sinceKill;
    sinceKill.start();
    modem.vanish();
    QTRY_VERIFY_WITH_TIMEOUT(ends.size() == 1, 5000);
    QVERIFY2(sinceKill.elapsed() < 1000, qPrintable(QString::number(sinceKill.elapsed())));
    QCOMPARE(ends[0][0].value<ModemSession::End>(), ModemSession::End::PortFailed);
    QVERIFY(!port.isOpen());
    QCOMPARE(session.state(), ModemSession::State::Failed);

    const double cpu = CpuWhileWaiting(1000);
    QVERIFY2(cpu < kIdleCpuPerSecond, qPrintable(QStringLiteral("%1 s of CPU").arg(cpu)));
    QCOMPARE(failures.size(), 1);
    QCOMPARE(ends.size(), 1);
}

// No "OK" ever comes: the session waits for the user, timers keep firing, the processor
// stays idle once the line is quiet, and the answer kept stays within its limit.
void PortFaultTest::modemThatNeverAnswersLeavesTheLoopFree_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("silence") << QStringList{"--silent"};
    QTest::newRow("1 MB of noise and NULs, then ERROR")
        << QStringList{"--garbage", QString::number(1 << 20), "--error"};
}

void PortFaultTest::modemThatNeverAnswersLeavesTheLoopFree() {
    QFETCH(QStringList, options);
    ModemDial dial(options);
    QVERIFY2(!dial.modem.device().isEmpty(), "fake-modem did not start");
    auto& [modem, port, session, ends] = dial;
    qsizetype largest = 0;
    connect(&session, &ModemSession::answerChanged, this,
            [&] { largest = qMax(largest, session.answer().size()); });
    int ticks = 0;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
    timer.start();

    QVERIFY(session.start(1, kDial));
    if (options.contains("--error")) {
        QTRY_VERIFY_WITH_TIMEOUT(session.answer().endsWith("ERROR\r\n"), 20000);
        QVERIFY2(ticks > 0, "the timer did not fire while the modem talked");
    }
    ticks = 0;
    const double cpu = CpuWhileWaiting(1000);
    QVERIFY2(ticks >= 10, qPrintable(QStringLiteral("%1 ticks in a second").arg(ticks)));
    QVERIFY2(cpu < kIdleCpuPerSecond, qPrintable(QStringLiteral("%1 s of CPU").arg(cpu)));
    QCOMPARE(ends.size(), 0);
    QCOMPARE(session.state(), ModemSession::State::Dialling);
    QVERIFY(port.isOpen());
    QVERIFY(largest <= ModemSession::kAnswerLimit);

    session.cancel();
    QCOMPARE(ends.size(), 1);
    QCOMPARE(ends[0][0].value<ModemSession::End>(), ModemSession::End::Cancelled);
    QVERIFY(!port.isOpen());
}

// A device that exists but is no serial port, or one another port holds: the dial fails at
// once and leaves nothing open.
void PortFaultTest::portsThatCannotBeOpened_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a plain file") << "file";
    QTest::newRow("in use by another port") << "in use";
    QTest::newRow("no such device") << "missing";
    QTest::newRow("a device that is no terminal") << "/dev/null";
    QTest::newRow("a device that never ends") << "/dev/zero";
}

void PortFaultTest::portsThatCannotBeOpened() {
    QFETCH(QString, what);
    QTemporaryDir dir;
    FakeModemProcess modem;
    QtSerialPort holder;
    QString device = what.startsWith('/') ? what : dir.filePath("ttyS9");
    if (what == "folder") {
        QVERIFY(QDir().mkdir(device));
    } else if (what == "file") {
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (what == "in use") {
        device = modem.device();
        qputenv("TARVOK_COM1", device.toLocal8Bit());
        QVERIFY(holder.open(1));
    }
    qputenv("TARVOK_COM1", device.toLocal8Bit());
    QtSerialPort port;
    ModemSession session(port);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(!session.start(1, kDial));
    QVERIFY2(elapsed.elapsed() < 2000, "the failed open took too long");
    QCOMPARE(session.state(), ModemSession::State::Failed);
    QVERIFY(!port.isOpen());
    if (what == "in use") {
        QVERIFY(holder.isOpen());
        QVERIFY(holder.write(kDial));
        QTRY_COMPARE(modem.received(), kDial); // the holder's dial is not disturbed
    }
}

// Another program dials: as a user who may not open the device (a pseudo-terminal that
// belongs to root, a device file with mode 000), or while this program holds the port.
// The helper must fail at once and send nothing.
void PortFaultTest::portFromAnotherProgram_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("pseudo-terminal of root") << "pty";
    QTest::newRow("file with mode 000") << "file";
    QTest::newRow("held by this program") << "held";
    QTest::newRow("free, for comparison") << "free";
}

void PortFaultTest::portFromAnotherProgram() {
    if (::geteuid() != 0)
        QSKIP("needs root to start the helper as another user");
    QFETCH(QString, what);
    QTemporaryDir dir;
    FakeModemProcess modem;
    QString device = modem.device();
    QtSerialPort holder;
    if (what == "file") {
        device = dir.filePath("ttyS9");
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(::chmod(QFile::encodeName(device).constData(), 0) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    } else if (what == "held") {
        qputenv("TARVOK_COM1", device.toLocal8Bit());
        QVERIFY(holder.open(1));
    }
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARVOK_COM1", device);
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    helper.setProcessEnvironment(environment);
    const QStringList asNobody = {"--reuid=" + QString::number(kNobody),
                                  "--regid=" + QString::number(kNobody), "--clear-groups"};
    if (what == "pty" || what == "file") {
        // The helper must be reachable for nobody: it then fails on a missing device.
        QProcess probe;
        QProcessEnvironment missing = environment;
        missing.insert("TARVOK_COM1", dir.filePath("missing"));
        probe.setProcessEnvironment(missing);
        probe.start("setpriv", asNobody + QStringList{TARVOK_PORT_OPEN_HELPER});
        if (!probe.waitForFinished(10000) || probe.exitCode() != 1)
            QSKIP("user nobody cannot run the helper from this build folder");
    }
    QElapsedTimer elapsed;
    elapsed.start();
    if (what == "held" || what == "free")
        helper.start(TARVOK_PORT_OPEN_HELPER, QStringList());
    else
        helper.start("setpriv", asNobody + QStringList{TARVOK_PORT_OPEN_HELPER});
    QVERIFY(helper.waitForFinished(10000));
    QVERIFY2(elapsed.elapsed() < 5000, "the failed open took too long");
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    if (what == "free") {
        QCOMPARE(helper.exitCode(), 0);
        QTRY_COMPARE(modem.received(), QByteArray("AT\r"));
        return;
    }
    QCOMPARE(helper.exitCode(), 1);
    QCOMPARE(modem.received(), QByteArray());
}

} // namespace tarvok

QTEST_GUILESS_MAIN(tarvok::PortFaultTest)
#include "PortFaultTest.moc"
