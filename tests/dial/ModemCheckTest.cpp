// The modem check over a scripted port: what it sends, how it reads the answers, and that
// the port is closed however it ends.
#include "ModemCheck.h"

#include "FakeSerialPort.h"

#include <QHash>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace tarvok {

namespace {

// Answers each command line with the pieces given for it, each piece as a receive event of
// its own, the way a modem's answer arrives.
class ScriptedModem : public FakeSerialPort {
public:
    QHash<QByteArray, QByteArrayList> replies;

    bool write(const QByteArray& bytes) override {
        if (!FakeSerialPort::write(bytes))
            return false;
        for (const QByteArray& piece : replies.value(bytes))
            QTimer::singleShot(0, this, [this, piece] {
                if (isOpen())
                    receive(piece);
            });
        return true;
    }
};

using Outcome = ModemCheck::Outcome;

} // namespace

class ModemCheckTest : public QObject {
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void portThatCannotBeOpened();
    void cancelEndsAtOnce();
    void portThatBreaks();
};

void ModemCheckTest::answers_data() {
    QTest::addColumn<QByteArrayList>("atz");
    QTest::addColumn<QByteArrayList>("ati");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("written");

    const QByteArray both = "ATZ\rATI\r";
    QTest::newRow("echo and identification")
        << QByteArrayList{"ATZ\r", "\r\nOK\r\n"}
        << QByteArrayList{"ATI\r\r\nU.S. Robotics 56K Message\r\n", "\r\nOK\r\n"}
        << int(Outcome::Answered) << "ATI"
        << "U.S. Robotics 56K Message" << both;
    QTest::newRow("no echo, lower case, two lines")
        << QByteArrayList{"\r\nok\r\n"} << QByteArrayList{"\r\nModem X\r\nRev 2\r\n\r\nok\r\n"}
        << int(Outcome::Answered) << "ATI"
        << "Modem X\nRev 2" << both;
    QTest::newRow("OK split over two events")
        << QByteArrayList{"\r\nO", "K\r\n"} << QByteArrayList{"\r\nId\r\nO", "K\r\n"}
        << int(Outcome::Answered) << "ATI"
        << "Id" << both;
    QTest::newRow("nothing but OK to ATI")
        << QByteArrayList{"OK\r\n"} << QByteArrayList{"OK\r\n"} << int(Outcome::Answered) << "ATI"
        << "OK" << both;
    QTest::newRow("ERROR to ATZ: ATI is never sent")
        << QByteArrayList{"\r\nERROR\r\n"} << QByteArrayList{} << int(Outcome::Error) << "ATZ"
        << "ERROR" << QByteArray("ATZ\r");
    QTest::newRow("ERROR to ATI") << QByteArrayList{"\r\nOK\r\n"} << QByteArrayList{"\r\nERROR\r\n"}
                                  << int(Outcome::Error) << "ATI"
                                  << "ERROR" << both;
    QTest::newRow("silence") << QByteArrayList{} << QByteArrayList{} << int(Outcome::Silent)
                             << "ATZ"
                             << "" << QByteArray("ATZ\r");
    QTest::newRow("OK inside a word ends nothing")
        << QByteArrayList{"\r\nOK\r\n"} << QByteArrayList{"\r\nBOOKED\r\n"} << int(Outcome::Silent)
        << "ATI"
        << "BOOKED" << both;
    QTest::newRow("control characters are not shown")
        << QByteArrayList{"OK\r\n"} << QByteArrayList{QByteArray("\r\nA\0B\x1b[2J\r\nOK\r\n", 15)}
        << int(Outcome::Answered) << "ATI"
        << "AB[2J" << both;
}

void ModemCheckTest::answers() {
    QFETCH(QByteArrayList, atz);
    QFETCH(QByteArrayList, ati);
    QFETCH(int, outcome);
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(QByteArray, written);

    ScriptedModem port;
    port.replies.insert("ATZ\r", atz);
    port.replies.insert("ATI\r", ati);
    ModemCheck check(port);
    QSignalSpy finished(&check, &ModemCheck::finished);
    check.start(2);
    QVERIFY(check.isRunning());
    // The wait for one answer is bounded; allow for a slow machine, not for a second wait.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 2 * ModemCheck::kAnswerWaitMs + 1000);
    const auto result = finished[0][0].value<ModemCheck::Result>();
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.command, command);
    QCOMPARE(result.answer, answer);
    QCOMPARE(port.written, written);
    QCOMPARE(port.calls.first(), QStringLiteral("open 2"));
    QCOMPARE(port.calls.last(), QStringLiteral("close"));
    QVERIFY(!port.isOpen());
    QVERIFY(!check.isRunning());
}

void ModemCheckTest::portThatCannotBeOpened() {
    FakeSerialPort port;
    port.openSucceeds = false;
    ModemCheck check(port);
    QSignalSpy finished(&check, &ModemCheck::finished);
    check.start(4);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].value<ModemCheck::Result>().outcome, Outcome::OpenFailed);
    QVERIFY(port.written.isEmpty());
    QVERIFY(!check.isRunning());
}

void ModemCheckTest::cancelEndsAtOnce() {
    FakeSerialPort port; // never answers
    ModemCheck check(port);
    QSignalSpy finished(&check, &ModemCheck::finished);
    check.start(1);
    check.cancel();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].value<ModemCheck::Result>().outcome, Outcome::Cancelled);
    QVERIFY(!port.isOpen());
    // The answer wait is over too: nothing more happens after the cancel.
    QTest::qWait(ModemCheck::kAnswerWaitMs + 200);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(port.written, QByteArray("ATZ\r"));
}

void ModemCheckTest::portThatBreaks() {
    FakeSerialPort port;
    ModemCheck check(port);
    QSignalSpy finished(&check, &ModemCheck::finished);
    check.start(1);
    port.breakDown();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].value<ModemCheck::Result>().outcome, Outcome::PortFailed);
    QVERIFY(!port.isOpen());
}

} // namespace tarvok

QTEST_GUILESS_MAIN(tarvok::ModemCheckTest)
#include "ModemCheckTest.moc"
