// The whole dial with its window, on the real port against tools/fake-modem: a modem that
// goes away while the dial window is up, and one that never answers.
#include "DialController.h"
#include "FakeModemProcess.h"
#include "MessageBox.h"
#include "PhoneEntry.h"
#include "QtSerialPort.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <functional>

namespace tarvok {

namespace {

const QString kEntry = EntryLine({QStringLiteral("Jürgens, Anna"), QStringLiteral("49 30 1"), 1});

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

QDialog* DialWindow() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog && dialog->objectName() == QLatin1String("Form4") && dialog->isVisible()
               ? dialog
               : nullptr;
}

// Calls `step` every 20 ms while the dial window is up (the dial blocks in its loop), with
// the window and the number of the call.
class WhileDialWindowShown {
public:
    explicit WhileDialWindowShown(std::function<void(QDialog*, int)> step) {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this, step] {
            if (QDialog* window = DialWindow())
                step(window, m_calls++);
        });
        m_poll.start();
    }

private:
    QTimer m_poll;
    int m_calls = 0;
};

} // namespace

class DialWindowFaultTest : public QObject {
    Q_OBJECT

    AppState m_state;
    QList<MessageBox::Shown> m_boxes;

private slots:
    void init() {
        m_state = AppState();
        m_state.phoneBook.settings.ComPort = 1;
        m_boxes.clear();
        MessageBox::setHandler([this](const MessageBox::Shown& box) {
            m_boxes << box;
            return MessageBox::Answer::Ok;
        });
    }

    // The window closes, the user is told, the port is closed and the program idles.
    void modemVanishesWhileTheWindowIsUp() {
        FakeModemProcess modem({"--silent"});
        QVERIFY2(!modem.device().isEmpty(), "fake-modem did not start");
        qputenv("TARVOK_COM1", modem.device().toLocal8Bit());
        QtSerialPort port;
        DialController dial(m_state, port, nullptr);
        QElapsedTimer sinceKill;
        const WhileDialWindowShown watch([&](QDialog* window, int call) {
            if (call == 0) {
                sinceKill.start();
                modem.vanish();
            } else if (call == 250) {
                window->reject(); // still up after five seconds: fail rather than hang
            }
        });

        QCOMPARE(dial.DialSelectedEntry(kEntry), DialController::Outcome::PortFailed);
        QVERIFY2(sinceKill.elapsed() < 1000, qPrintable(QString::number(sinceKill.elapsed())));
        QVERIFY(!DialWindow());
        QVERIFY(!port.isOpen());
        QCOMPARE(m_state.ModalBusy, 0);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Critical);
        QVERIFY(m_boxes[0].text.contains(QStringLiteral("COM1")));

        const double before = CpuSeconds();
        QTest::qWait(1000);
        QVERIFY2(CpuSeconds() - before < 0.2, "the program is busy after the port failed");
    }

    // The window waits for "&Abbruch" as long as it takes; timers go on meanwhile.
    void silentModemWaitsForCancel() {
        FakeModemProcess modem({"--silent"});
        QVERIFY2(!modem.device().isEmpty(), "fake-modem did not start");
        qputenv("TARVOK_COM1", modem.device().toLocal8Bit());
        QtSerialPort port;
        DialController dial(m_state, port, nullptr);
        int ticks = 0;
        QTimer other;
        connect(&other, &QTimer::timeout, this, [&] { ++ticks; });
        other.start(20);
        const WhileDialWindowShown watch([&](QDialog* window, int call) {
            if (call == 50) // a second after the window came up
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")),
                                  Qt::LeftButton);
        });

        QCOMPARE(dial.DialSelectedEntry(kEntry), DialController::Outcome::Cancelled);
        QVERIFY2(ticks >= 25, qPrintable(QStringLiteral("%1 ticks in a second").arg(ticks)));
        QVERIFY(!port.isOpen());
        QVERIFY(m_boxes.isEmpty());
        QTRY_VERIFY(modem.received().endsWith(";H0\r\r"));
    }
};

} // namespace tarvok

QTEST_MAIN(tarvok::DialWindowFaultTest)
#include "DialWindowFaultTest.moc"
