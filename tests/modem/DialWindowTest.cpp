// DialSelectedEntry with its dial window and messages, offscreen.
#include "DialWindow.h"
#include "DialController.h"
#include "FakeModemProcess.h"
#include "FakeSerialPort.h"
#include "MessageBox.h"
#include "PhoneEntry.h"
#include "QtSerialPort.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

namespace tarvok {

using Outcome = DialController::Outcome;

namespace {

const QString kEntry =
    EntryLine({QStringLiteral("Jürgens, Anna"), QStringLiteral("49 30 7654321"), 1});

QDialog* ShownDialWindow() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog && dialog->objectName() == QLatin1String("Form4") && dialog->isVisible()
               ? dialog
               : nullptr;
}

// Runs an action once the dial window is up, since the dial itself blocks in the window's
// modal loop. Stops watching when it goes out of scope.
class WhenDialWindowShown {
public:
    explicit WhenDialWindowShown(std::function<void(QDialog*)> action) {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this, action] {
            if (QDialog* window = ShownDialWindow()) {
                m_poll.stop();
                action(window);
            }
        });
        m_poll.start();
    }

private:
    QTimer m_poll;
};

QString LabelText(QDialog* window, const char* name) {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

} // namespace

class DialWindowTest : public QObject {
    Q_OBJECT

    AppState m_state;
    QList<MessageBox::Shown> m_boxes;
    // What was on screen when the last box came up.
    bool m_dialWindowUnderBox = false;
    int m_modalBusyUnderBox = 0;

    void setupState() {
        m_state = AppState();
        m_state.phoneBook.settings.CountryCode = QStringLiteral("49");
        m_state.phoneBook.settings.AreaCode = QStringLiteral("89");
        m_state.phoneBook.settings.DialMethod = 0;
        m_state.phoneBook.settings.ComPort = 1;
    }

private slots:
    void init() {
        setupState();
        m_boxes.clear();
        MessageBox::setHandler([this](const MessageBox::Shown& box) {
            m_boxes << box;
            m_dialWindowUnderBox = ShownDialWindow() != nullptr;
            m_modalBusyUnderBox = m_state.ModalBusy;
            return MessageBox::Answer::Ok;
        });
    }

    void emptyLineDialsNothing() {
        FakeSerialPort port;
        DialController dial(m_state, port, nullptr);
        QCOMPARE(dial.DialSelectedEntry(QString()), Outcome::NoEntry);
        QVERIFY(port.calls.isEmpty());
        QVERIFY(m_boxes.isEmpty());
    }

    void portThatCannotBeOpened() {
        FakeSerialPort port;
        port.openSucceeds = false;
        m_state.phoneBook.settings.ComPort = 3;
        m_state.LastModemAnswer = QStringLiteral("OLD");
        DialController dial(m_state, port, nullptr);

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::PortUnavailable);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Critical);
        QCOMPARE(m_boxes[0].title, QStringLiteral("Tarvok-Pro"));
        QCOMPARE(m_boxes[0].text,
                 QStringLiteral("Der angegebene Anschluß COM3 ist nicht verfügbar."));
        QVERIFY(!m_dialWindowUnderBox);
        QCOMPARE(m_modalBusyUnderBox, 0);
        QCOMPARE(port.calls, QStringList({"open 3"}));
        QVERIFY(m_state.LastModemAnswer.isEmpty());
        QVERIFY(!ShownDialWindow());
    }

    void dialWindowShowsNameAndNumber() {
        FakeSerialPort port;
        DialController dial(m_state, port, nullptr);
        QString title, status, name, number, button;
        int busy = 0;
        const WhenDialWindowShown watch([&](QDialog* w) {
            title = w->windowTitle();
            status = LabelText(w, "Label1(3)");
            name = LabelText(w, "Label1(0)");
            number = LabelText(w, "Label1(1)");
            auto* cancel = w->findChild<QPushButton*>(QStringLiteral("Command1"));
            button = cancel ? cancel->text() : QString();
            busy = m_state.ModalBusy;
            port.receive("OK\r\n");
        });

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Answered);
        QCOMPARE(title, QStringLiteral("Anwahl"));
        QCOMPARE(status, QStringLiteral(" Anwahl läuft ... "));
        QCOMPARE(name, QStringLiteral("Jürgens, Anna"));
        QCOMPARE(number, QStringLiteral("030 7654321"));
        QCOMPARE(button, QStringLiteral("&Abbruch"));
        QCOMPARE(busy, -1);
        QCOMPARE(m_state.ModalBusy, 0);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.written, QByteArray("ATDT030 7654321;H0\r"));
        QCOMPARE(m_state.LastModemAnswer, QStringLiteral("OK\r\n"));
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(!ShownDialWindow());
    }

    // The line under the number names the carrier the dial string carries.
    void dialWindowShowsCarrierLine_data() {
        QTest::addColumn<QString>("countryCode");
        QTest::addColumn<QString>("networkCode");
        QTest::addColumn<QString>("weite");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("fitting row")
            << "49"
            << "01011"
            << "F"
            << "über Alpha (01011)" << QByteArray("ATDT01011030 7654321;H0\r");
        QTest::newRow("no row fits") << "49"
                                     << "01011"
                                     << "N"
                                     << "ohne Anbieter" << QByteArray("ATDT030 7654321;H0\r");
        QTest::newRow("row without Netz") << "49"
                                          << ""
                                          << "F"
                                          << "ohne Anbieter" << QByteArray("ATDT030 7654321;H0\r");
        QTest::newRow("own country not 49")
            << "41"
            << "01011"
            << "NFA"
            << "ohne Anbieter" << QByteArray("ATDT0049 30 7654321;H0\r");
    }
    void dialWindowShowsCarrierLine() {
        QFETCH(QString, countryCode);
        QFETCH(QString, networkCode);
        QFETCH(QString, weite);
        QFETCH(QString, line);
        QFETCH(QByteArray, written);
        m_state.phoneBook.settings.CountryCode = countryCode;
        m_state.phoneBook.settings.InternationalPrefix = QStringLiteral("00");
        m_state.providers.AddProviderRow(
            ProviderRecordFrom({QStringLiteral("Alpha"), networkCode, QStringLiteral("Immer"),
                                QStringLiteral("00h"), QStringLiteral("24h"), weite}));
        FakeSerialPort port;
        DialController dial(m_state, port, nullptr);
        QString carrier, accessible;
        const WhenDialWindowShown watch([&](QDialog* w) {
            carrier = LabelText(w, "Label1(5)");
            if (auto* label = w->findChild<QLabel*>(QStringLiteral("Label1(5)")))
                accessible = label->accessibleDescription();
            port.receive("OK\r\n");
        });

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Answered);
        QCOMPARE(carrier, line);
        // The label's text is what a screen reader reads; its role is the description.
        QCOMPARE(accessible, QStringLiteral("Anbieter"));
        QCOMPARE(port.written, written);
    }

    // The settings are windows-1252 in the file, and so on the line: a pasted dash in the
    // extra commands stays a dash.
    void sendsTheTextInTheFileCodePage() {
        FakeSerialPort port;
        m_state.phoneBook.settings.ExtraModemCommands = QStringLiteral("X\u20133");
        DialController dial(m_state, port, nullptr);
        const WhenDialWindowShown watch([&](QDialog*) { port.receive("OK"); });

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Answered);
        QCOMPARE(port.written, QByteArray("ATX\x96"
                                          "3DT030 7654321;H0\r"));
    }

    void refusesAnUndialableNumber_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("named");
        QTest::newRow("second command") << "49 30 765;ATH1"
                                        << "an Stelle 10 das Zeichen „;“";
        QTest::newRow("letter") << "49 30 7654321 App. 12"
                                << "an Stelle 15 das Zeichen „A“";
        QTest::newRow("pasted dash") << "49 30 765\u20134321"
                                     << "das Zeichen „\u2013“";
        QTest::newRow("carriage return") << "49 30 765\r4321"
                                         << "unsichtbares Zeichen (Code 13)";
    }

    // Refused before the port is opened: the modem on the line hears only the next, good dial.
    void refusesAnUndialableNumber() {
        QFETCH(QString, number);
        QFETCH(QString, named);
        FakeModemProcess modem;
        QVERIFY(!modem.device().isEmpty());
        qputenv("TARVOK_COM2", modem.device().toLocal8Bit());
        m_state.phoneBook.settings.ComPort = 2;
        QtSerialPort port;
        DialController dial(m_state, port, nullptr);

        const QString bad = EntryLine({QStringLiteral("Huber"), number, 1});
        QCOMPARE(dial.DialSelectedEntry(bad), Outcome::NumberRefused);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Exclamation);
        QVERIFY(m_boxes[0].text.startsWith(QStringLiteral("Die Nummer von „Huber“ wird nicht "
                                                          "gewählt: „%1“ enthält ")
                                               .arg(number)));
        QVERIFY2(m_boxes[0].text.contains(named), qPrintable(m_boxes[0].text));
        QVERIFY(!port.isOpen());
        QVERIFY(m_state.LastModemAnswer.isEmpty());

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Answered);
        QCOMPARE(modem.received(), QByteArray("ATDT030 7654321;H0\r"));
    }

    void everyWayOfClosingCancels_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("&Abbruch") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("window frame") << 2;
    }
    void everyWayOfClosingCancels() {
        QFETCH(int, way);
        FakeSerialPort port;
        DialController dial(m_state, port, nullptr);
        const WhenDialWindowShown watch([&](QDialog* w) {
            port.receive("ERROR\r\n");
            port.calls.clear();
            if (way == 0)
                QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")),
                                  Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(w, Qt::Key_Escape);
            else
                w->close();
        });

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Cancelled);
        QCOMPARE(port.calls, QStringList({"write \r", "close"}));
        QVERIFY(!ShownDialWindow());
        QCOMPARE(m_state.ModalBusy, 0);
        QCOMPARE(m_state.LastModemAnswer, QStringLiteral("ERROR\r\n"));
        QVERIFY(m_boxes.isEmpty());
    }

    void portThatFailsWhileDialling() {
        FakeSerialPort port;
        m_state.phoneBook.settings.ComPort = 2;
        DialController dial(m_state, port, nullptr);
        const WhenDialWindowShown watch([&](QDialog*) {
            port.receive("ATD");
            port.breakDown();
        });

        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::PortFailed);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Critical);
        QCOMPARE(m_boxes[0].title, QStringLiteral("Tarvok-Pro"));
        QVERIFY(m_boxes[0].text.contains(QStringLiteral("COM2")));
        QVERIFY(!m_dialWindowUnderBox);
        QCOMPARE(m_modalBusyUnderBox, 0);
        QVERIFY(!port.isOpen());
        QCOMPARE(m_state.LastModemAnswer, QStringLiteral("ATD"));

        // The next dial works as usual.
        const WhenDialWindowShown watchAgain([&](QDialog*) { port.receive("OK"); });
        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Answered);
    }

    void debugShowsTheLastAnswer_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing yet") << QString() << QStringLiteral("(keine Rückmeldung)");
        QTest::newRow("an answer") << QStringLiteral("ATDT1;H0\r\r\nERROR\r\n")
                                   << QStringLiteral("ATDT1;H0\r\r\nERROR\r\n");
    }
    void debugShowsTheLastAnswer() {
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        FakeSerialPort port;
        DialController dial(m_state, port, nullptr);
        m_state.LastModemAnswer = answer;
        dial.ShowLastModemAnswer();
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Information);
        QCOMPARE(m_boxes[0].title, QStringLiteral("Tarvok-Pro"));
        QCOMPARE(m_boxes[0].text,
                 QStringLiteral("Das Modem gab nach der letzten Anwahl folgende Zeichenkette "
                                "zurück:\n\n") +
                     shown);
        QCOMPARE(m_state.LastModemAnswer, shown);
    }

    void debugAfterADialWithoutAnswer() {
        FakeSerialPort port;
        DialController dial(m_state, port, nullptr);
        m_state.LastModemAnswer = QStringLiteral("FROM BEFORE");
        const WhenDialWindowShown watch([](QDialog* w) { w->reject(); });
        QCOMPARE(dial.DialSelectedEntry(kEntry), Outcome::Cancelled);
        dial.ShowLastModemAnswer();
        QVERIFY(m_boxes.last().text.endsWith(QStringLiteral("\n\n(keine Rückmeldung)")));
    }

    void dialsTheModemOnAPseudoTerminal() {
        FakeModemProcess modem;
        QVERIFY(!modem.device().isEmpty());
        qputenv("TARVOK_COM4", modem.device().toLocal8Bit());
        m_state.phoneBook.settings.ComPort = 4;
        m_state.providers.AddProviderRow(
            {QStringLiteral("Immer"), QStringLiteral("01090"), 1, 1, 0, 24, 1, 1, 1});
        QtSerialPort port;
        DialController dial(m_state, port, nullptr);
        const QString near =
            EntryLine({QStringLiteral("Huber"), QStringLiteral("49 89 1234567"), 1});

        QCOMPARE(dial.DialSelectedEntry(near), Outcome::Answered);
        QCOMPARE(modem.received(), QByteArray("ATDT010901234567;H0\r"));
        QVERIFY(!port.isOpen());
        QVERIFY(m_state.LastModemAnswer.endsWith(QStringLiteral("OK\r\n")));
        QVERIFY(!ShownDialWindow());
    }
};

} // namespace tarvok

QTEST_MAIN(tarvok::DialWindowTest)
#include "DialWindowTest.moc"
