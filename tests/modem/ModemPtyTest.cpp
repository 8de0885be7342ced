// The modem session through QSerialPort on a pseudo-terminal, against tools/fake-modem.
#include "FakeModemProcess.h"
#include "ModemSession.h"
#include "QtSerialPort.h"
#include "SerialDevice.h"

#include <QSignalSpy>
#include <QTest>

#include <ctime>

namespace tarvok {

namespace {
const QByteArray kDial = QByteArrayLiteral("ATDT01090030 7654321;H0\r");

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
} // namespace

class ModemPtyTest : public QObject {
    Q_OBJECT

private:
    // Points COM1 at the modem.
    static void useModem(const FakeModemProcess& modem) {
        QVERIFY2(!modem.device().isEmpty(), "fake-modem did not start");
        qputenv("TARVOK_COM1", modem.device().toLocal8Bit());
    }

    // A port left to report its errors would keep the loop spinning on one core.
    static void verifyQuietAfterFailure(const QSignalSpy& failures) {
        const double before = CpuSeconds();
        QTest::qWait(500);
        QVERIFY2(CpuSeconds() - before < 0.25, "the event loop is busy after the failure");
        QCOMPARE(failures.size(), 1);
    }

private slots:
    void answeringModemsEndTheDial_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("answerEnd");
        QTest::newRow("echo and OK") << QStringList{} << "\rOK\r\n";
        QTest::newRow("no echo") << QStringList{"--no-echo"} << "OK\r\n";
        QTest::newRow("lower case") << QStringList{"--lowercase"} << "\rOK\r\n";
        QTest::newRow("O and K apart") << QStringList{"--split-ok"} << "\rOK\r\n";
        QTest::newRow("lower case apart") << QStringList{"--split-ok", "--lowercase"} << "\rOK\r\n";
    }
    void answeringModemsEndTheDial() {
        QFETCH(QStringList, options);
        QFETCH(QString, answerEnd);
        FakeModemProcess modem(options);
        useModem(modem);
        QtSerialPort port;
        ModemSession session(port);
        QSignalSpy ends(&session, &ModemSession::finished);

        QVERIFY(session.start(1, kDial));
        QTRY_COMPARE(ends.size(), 1);
        QCOMPARE(ends[0][0].value<ModemSession::End>(), ModemSession::End::Answered);
        QVERIFY(!port.isOpen());
        QCOMPARE(modem.received(), kDial);
        QVERIFY2(session.answer().endsWith(answerEnd), qPrintable(session.answer()));
        if (!options.contains("--no-echo"))
            QVERIFY(session.answer().startsWith(QString::fromLatin1(kDial)));
    }

    void otherAnswersWaitUntilCancelled_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("answer");
        QTest::newRow("ERROR") << QStringList{"--error"}
                               << QString::fromLatin1(kDial + "ERROR\r\n");
        QTest::newRow("silence") << QStringList{"--silent"} << QString();
    }
    void otherAnswersWaitUntilCancelled() {
        QFETCH(QStringList, options);
        QFETCH(QString, answer);
        FakeModemProcess modem(options);
        useModem(modem);
        QtSerialPort port;
        ModemSession session(port);
        QSignalSpy ends(&session, &ModemSession::finished);

        QVERIFY(session.start(1, kDial));
        QTRY_COMPARE(modem.received(), kDial);
        QTRY_COMPARE(session.answer(), answer);
        QTest::qWait(200); // a little longer: nothing else may end it
        QCOMPARE(ends.size(), 0);
        QVERIFY(port.isOpen());

        session.cancel();
        QCOMPARE(ends.size(), 1);
        QCOMPARE(ends[0][0].value<ModemSession::End>(), ModemSession::End::Cancelled);
        QVERIFY(!port.isOpen());
        QTRY_COMPARE(modem.received(), kDial + "\r");
        QTest::qWait(100);
        QCOMPARE(modem.received(), kDial + "\r");
    }

    void modemKeepsWorkingAcrossDials() {
        FakeModemProcess modem;
        useModem(modem);
        QtSerialPort port;
        ModemSession session(port);
        QSignalSpy ends(&session, &ModemSession::finished);
        const QByteArray second = QByteArrayLiteral("ATX3DP0;H0\r");
        QVERIFY(session.start(1, kDial));
        QTRY_COMPARE(ends.size(), 1);
        QVERIFY(session.start(1, second));
        QTRY_COMPARE(ends.size(), 2);
        QCOMPARE(modem.received(), kDial + second);
        QVERIFY(!session.answer().contains("ATDT")); // the second dial starts afresh
    }

    void vanishedPortIsReportedOnceAndClosed() {
        FakeModemProcess modem({"--silent"});
        useModem(modem);
        QtSerialPort port;
        ModemSession session(port);
        QSignalSpy ends(&session, &ModemSession::finished);
        QSignalSpy failures(&port, &SerialPort::failed);
        QVERIFY(session.start(1, kDial));
        QTRY_COMPARE(modem.received(), kDial);

        modem.vanish();
        QTRY_COMPARE(ends.size(), 1);
        QCOMPARE(ends[0][0].value<ModemSession::End>(), ModemSession::End::PortFailed);
        QCOMPARE(session.state(), ModemSession::State::Failed);
        QVERIFY(!port.isOpen());

        verifyQuietAfterFailure(failures);
    }

    void modemEndsOnSigtermWhileThePortIsOpen() {
        FakeModemProcess modem;
        useModem(modem);
        QtSerialPort port;
        QVERIFY(port.open(1));
        QVERIFY(modem.terminate());
        QTRY_VERIFY(!port.isOpen()); // and the program learns that its device is gone
    }

    void portClosesItselfWhenTheDeviceVanishes() {
        FakeModemProcess modem;
        useModem(modem);
        QtSerialPort port;
        QSignalSpy failures(&port, &SerialPort::failed);
        QVERIFY(port.open(1));
        modem.vanish();
        QTRY_COMPARE(failures.size(), 1);
        QVERIFY(!port.isOpen());
        verifyQuietAfterFailure(failures);
    }

    void megabyteOfNoiseStillEndsOnOk() {
        const int noise = 1 << 20;
        FakeModemProcess modem({"--garbage", QString::number(noise)});
        useModem(modem);
        QtSerialPort port;
        ModemSession session(port);
        QSignalSpy ends(&session, &ModemSession::finished);
        qsizetype largest = 0;
        connect(&session, &ModemSession::answerChanged, this,
                [&] { largest = qMax(largest, session.answer().size()); });

        QVERIFY(session.start(1, kDial));
        QTRY_VERIFY_WITH_TIMEOUT(ends.size() == 1, 20000);
        QCOMPARE(ends[0][0].value<ModemSession::End>(), ModemSession::End::Answered);
        QCOMPARE(session.answer().size(), ModemSession::kAnswerLimit);
        QVERIFY(session.answer().endsWith("OK\r\n"));
        QVERIFY(session.answer().contains(QChar(0)));
        QVERIFY(largest <= ModemSession::kAnswerLimit);
    }

    void portThatDoesNotExist() {
        qputenv("TARVOK_COM2", "/dev/tarvok-no-such-port");
        QtSerialPort port;
        ModemSession session(port);
        QVERIFY(!session.start(2, kDial));
        QCOMPARE(session.state(), ModemSession::State::Failed);
        QVERIFY(!port.isOpen());
    }

    void portNumbersNameTheirDevices() {
        qunsetenv("TARVOK_COM3");
        QCOMPARE(SerialDeviceForPort(3), QStringLiteral("/dev/ttyS2"));
        qputenv("TARVOK_COM3", "/dev/ttyACM0");
        QCOMPARE(SerialDeviceForPort(3), QStringLiteral("/dev/ttyACM0"));
        qunsetenv("TARVOK_COM3");
        QCOMPARE(SerialDeviceForPort(0), QString());
        QCOMPARE(SerialDeviceForPort(5), QString());
    }
};

} // namespace tarvok

QTEST_GUILESS_MAIN(tarvok::ModemPtyTest)
#include "ModemPtyTest.moc"
