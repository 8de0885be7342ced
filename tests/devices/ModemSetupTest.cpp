// The modem's set-up through the real window: the device of a port chosen in the program's
// settings file (not the environment), the modem test against the simulated modem on a
// pseudo-terminal, and the reasons a port cannot be opened.
#include "DataFiles.h"
#include "FakeModemProcess.h"
#include "FakeTrayIcon.h"
#include "MainWindow.h"
#include "MessageBoxRecorder.h"
#include "ModemDevicesWindow.h"
#include "ProgramSettings.h"
#include "QtSerialPort.h"
#include "StartUp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tarvok;

namespace {

const QStringList kEntries{QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1")};
const QString kAnswerBefore = QStringLiteral("OK VON DER LETZTEN ANWAHL");

// The program as main() builds it, over a data folder of its own.
struct Program {
    explicit Program(const QByteArray& ini = {}) {
        writeFile(dir.path(), QStringLiteral("Brisel.DAT"),
                  phoneFile(QStringLiteral("[BRISEL VERSION 2.2]"), kEntries));
        if (!ini.isEmpty())
            writeFile(dir.path(), ProgramSettings::kFileName, ini);
        state.dataDir = dir.path();
        state.LastModemAnswer = kAnswerBefore;
        port = std::make_unique<QtSerialPort>(dir.path());
        const StartUp::Next next = StartUp(state).LoadDataFiles();
        window = std::make_unique<MainWindow>(state, MainWindow::Parts{tray, port.get(), nullptr});
        window->FinishStartUp(next);
    }
    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    void showOptions() const { find<QTabWidget>(QStringLiteral("TabStrip1"))->setCurrentIndex(4); }
    QComboBox* comList() const { return find<QComboBox>(QStringLiteral("ComList")); }

    QTemporaryDir dir;
    MessageBoxRecorder boxes;
    FakeTrayIcon tray{true};
    AppState state;
    std::unique_ptr<QtSerialPort> port;
    std::unique_ptr<MainWindow> window;
};

QByteArray iniFor(int port, const QString& device) {
    return QStringLiteral("[Modem]\nCOM%1=%2\n").arg(port).arg(device).toLocal8Bit();
}

// Runs `act` on the next modal window, once it is up.
void onModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        act(QApplication::activeModalWidget());
    });
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class ModemSetupTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        for (const char* name : {"TARVOK_COM1", "TARVOK_COM2", "TARVOK_COM3", "TARVOK_UPDATE_URL"})
            qunsetenv(name);
    }
    void cleanup() { init(); }

    void modemTest_data();
    void modemTest();
    void cancelEndsTheTestAtOnce();
    void dialGoesToTheDeviceOfTheSettingsFile();
    void dialFailureNamesDeviceAndReason();
    void devicesWindowKeepsTheChoices();
    void devicesWindowDestroyedWhileTypingSavesNothing();
    void damagedSettingsFileMeansStandard_data();
    void damagedSettingsFileMeansStandard();
};

void ModemSetupTest::modemTest_data() {
    QTest::addColumn<QStringList>("modemOptions");
    QTest::addColumn<QString>("where"); // "file", "env over file", "missing", "in use"
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text"); // %1: the device
    QTest::addColumn<QByteArray>("received");

    const int info = int(MessageBox::Icon::Information);
    const int warn = int(MessageBox::Icon::Exclamation);
    const int stop = int(MessageBox::Icon::Critical);
    QTest::newRow("answers on the device of the settings file")
        << QStringList() << "file" << info << "Das Modem antwortet:\n\nTarvok fake-modem 1.0"
        << QByteArray("ATZ\rATI\r");
    QTest::newRow("the environment beats the file")
        << QStringList() << "env over file" << info
        << "Das Modem antwortet:\n\nTarvok fake-modem 1.0" << QByteArray("ATZ\rATI\r");
    QTest::newRow("missing device")
        << QStringList() << "missing" << stop
        << "Der Anschluß COM2 kann nicht geöffnet werden.\nDas Gerät %1 ist nicht vorhanden "
           "(Modem nicht angeschlossen?)."
        << QByteArray();
    QTest::newRow("device in use")
        << QStringList() << "in use" << stop
        << "Der Anschluß COM2 kann nicht geöffnet werden.\nDas Gerät %1 wird gerade von einem "
           "anderen Programm benutzt."
        << QByteArray();
    QTest::newRow("silence") << QStringList{"--silent"} << "file" << warn
                             << "Das Modem an COM2 (%1) hat nicht innerhalb von 2 Sekunden auf "
                                "„ATZ“ geantwortet."
                             << QByteArray("ATZ\r");
    QTest::newRow("ERROR") << QStringList{"--error"} << "file" << warn
                           << "Das Modem an COM2 (%1) hat „ATZ“ mit „ERROR“ beantwortet."
                           << QByteArray("ATZ\r");
}

// "Modem testen" on the options page asks the port chosen in ComList, closes it again,
// never dials and leaves the answer of the last dial alone.
void ModemSetupTest::modemTest() {
    QFETCH(QStringList, modemOptions);
    QFETCH(QString, where);
    QFETCH(int, icon);
    QFETCH(QString, text);
    QFETCH(QByteArray, received);

    FakeModemProcess modem(modemOptions);
    QVERIFY(!modem.device().isEmpty());
    QTemporaryDir elsewhere;
    QString device = modem.device();
    if (where == "missing")
        device = elsewhere.filePath(QStringLiteral("ttyACM0"));
    QtSerialPort holder;
    if (where == "in use") {
        qputenv("TARVOK_COM1", device.toLocal8Bit());
        QVERIFY(holder.open(1));
        qunsetenv("TARVOK_COM1");
    }
    if (where == "env over file")
        qputenv("TARVOK_COM2", device.toLocal8Bit());
    Program program(iniFor(2, where == "env over file" ? elsewhere.filePath("x") : device));
    program.showOptions();
    program.comList()->setCurrentIndex(1);

    QTest::mouseClick(program.find<QAbstractButton>(QStringLiteral("ModemTestButton")),
                      Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(program.boxes.shown.size(), 1, 5000);
    QCOMPARE(int(program.boxes.shown[0].icon), icon);
    QCOMPARE(program.boxes.shown[0].text, text.contains("%1") ? text.arg(device) : text);
    QCOMPARE(modem.received(), received);
    QVERIFY(!program.port->isOpen());
    QCOMPARE(program.state.LastModemAnswer, kAnswerBefore);
    QCOMPARE(program.state.ModalBusy, 0);
}

void ModemSetupTest::cancelEndsTheTestAtOnce() {
    FakeModemProcess modem({QStringLiteral("--silent")});
    Program program(iniFor(1, modem.device()));
    program.showOptions();
    program.comList()->setCurrentIndex(0);
    onModal([](QWidget* window) {
        QCOMPARE(window->objectName(), QStringLiteral("ModemTestWindow"));
        QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("ModemTestCancel")),
                          Qt::LeftButton);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    QTest::mouseClick(program.find<QAbstractButton>(QStringLiteral("ModemTestButton")),
                      Qt::LeftButton);
    QVERIFY2(elapsed.elapsed() < 1500, "the cancel waited for the modem");
    QVERIFY(program.boxes.shown.isEmpty());
    QVERIFY(!program.port->isOpen());
    QCOMPARE(modem.received(), QByteArray("ATZ\r"));
}

void ModemSetupTest::dialGoesToTheDeviceOfTheSettingsFile() {
    FakeModemProcess modem;
    Program program(iniFor(1, modem.device()));
    QListView* list = program.find<QListView>(QStringLiteral("NamList(1)"));
    list->setCurrentIndex(list->model()->index(0, 0));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(modem.received().startsWith("ATD"));
    QTRY_VERIFY(program.state.LastModemAnswer.contains(QStringLiteral("OK")));
    QVERIFY(program.boxes.shown.isEmpty());
}

void ModemSetupTest::dialFailureNamesDeviceAndReason() {
    QTemporaryDir elsewhere;
    const QString missing = elsewhere.filePath(QStringLiteral("ttyUSB0"));
    Program program(iniFor(1, missing));
    QListView* list = program.find<QListView>(QStringLiteral("NamList(1)"));
    list->setCurrentIndex(list->model()->index(0, 0));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(program.boxes.shown.size(), 1);
    QCOMPARE(program.boxes.shown[0].text,
             QStringLiteral("Der angegebene Anschluß COM1 ist nicht verfügbar.\nDas Gerät %1 ist "
                            "nicht vorhanden (Modem nicht angeschlossen?).")
                 .arg(missing));
}

// The window shows what the file holds, saves a typed device and address at once, marks a
// chosen device that is not there, names an overriding variable, and refuses an address
// that is not http or https.
void ModemSetupTest::devicesWindowKeepsTheChoices() {
    FakeModemProcess modem;
    qputenv("TARVOK_COM2", "/dev/pts/999");
    Program program(iniFor(3, QStringLiteral("/dev/ttyACM9")));
    program.showOptions();
    QString note2, device3;
    onModal([&](QWidget* window) {
        QCOMPARE(window->windowTitle(), QStringLiteral("Modem-Anschlüsse"));
        auto* device1 = window->findChild<QComboBox*>(QStringLiteral("Device(1)"));
        QVERIFY(device1->currentText().startsWith(QStringLiteral("Standard")));
        typeInto(device1->lineEdit(), modem.device());
        device3 = window->findChild<QComboBox*>(QStringLiteral("Device(3)"))->currentText();
        note2 = window->findChild<QLabel*>(QStringLiteral("DeviceNote(2)"))->text();
        auto* url = window->findChild<QLineEdit*>(QStringLiteral("TariffListUrl"));
        typeInto(url, QStringLiteral("ftp://127.0.0.1/ttarif.csv"));
        typeInto(url, QStringLiteral("https://127.0.0.1/ttarif.csv"));
        QTest::mouseClick(window->findChild<QAbstractButton*>(QStringLiteral("DevicesClose")),
                          Qt::LeftButton);
    });
    QTest::mouseClick(program.find<QAbstractButton>(QStringLiteral("DevicesButton")),
                      Qt::LeftButton);

    QCOMPARE(device3, QStringLiteral("/dev/ttyACM9 - nicht angeschlossen"));
    QCOMPARE(note2,
             QStringLiteral("Die Umgebungsvariable TARVOK_COM2 legt das Gerät fest: /dev/pts/999"));
    QCOMPARE(program.boxes.shown.size(), 1); // the ftp address
    QCOMPARE(program.boxes.shown[0].icon, MessageBox::Icon::Exclamation);
    const ProgramSettings saved = ProgramSettings::load(program.dir.path());
    QCOMPARE(saved.device(1), modem.device());
    QCOMPARE(saved.device(3), QStringLiteral("/dev/ttyACM9"));
    QCOMPARE(saved.tariffListUrl(), QUrl(QStringLiteral("https://127.0.0.1/ttarif.csv")));
    // The options page follows at once: the port list's tool tip and the update label.
    QCOMPARE(program.comList()->itemData(0, Qt::ToolTipRole).toString(), modem.device());
    QCOMPARE(program.comList()->itemData(1, Qt::ToolTipRole).toString(),
             QStringLiteral("/dev/pts/999"));
    QVERIFY(program.find<QLabel>(QStringLiteral("Label1(10)"))
                ->text()
                .endsWith(QStringLiteral("(127.0.0.1)")));
}

// The program ends with the window open and a device half typed: no crash, nothing saved.
void ModemSetupTest::devicesWindowDestroyedWhileTypingSavesNothing() {
    QTemporaryDir dir;
    auto window = std::make_unique<ModemDevicesWindow>(dir.path(), std::vector<SerialDeviceInfo>{},
                                                       [](int) {});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    QLineEdit* device1 = window->findChild<QComboBox*>(QStringLiteral("Device(1)"))->lineEdit();
    device1->setFocus();
    QTRY_VERIFY(device1->hasFocus());
    device1->selectAll();
    QTest::keyClicks(device1, QStringLiteral("/dev/ttyU"));
    window.reset();
    QCOMPARE(ProgramSettings::load(dir.path()).device(1), QString());
    QVERIFY(!QFile::exists(QDir(dir.path()).filePath(QStringLiteral("Tarvok-Pro.ini"))));
}

void ModemSetupTest::damagedSettingsFileMeansStandard_data() {
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("damaged") << false << QByteArray("[Modem]\nCOM1=ttyACM0\n\xff\xfe\x01");
    QTest::newRow("unreadable: a folder by that name") << true << QByteArray();
}

// The program starts as usual, the ports mean their standard devices, and the window says
// why.
void ModemSetupTest::damagedSettingsFileMeansStandard() {
    QFETCH(bool, folder);
    QFETCH(QByteArray, ini);
    Program program(ini);
    if (folder)
        QVERIFY(QDir(program.dir.path()).mkdir(ProgramSettings::kFileName));
    program.showOptions();
    QVERIFY(program.window->isVisible());
    QCOMPARE(program.comList()->itemData(0, Qt::ToolTipRole).toString(),
             QStringLiteral("/dev/ttyS0"));
    bool warned = false;
    onModal([&warned](QWidget* window) {
        warned = window->findChild<QLabel*>(QStringLiteral("SettingsDamaged")) != nullptr;
        window->close();
    });
    QTest::mouseClick(program.find<QAbstractButton>(QStringLiteral("DevicesButton")),
                      Qt::LeftButton);
    QVERIFY(warned);
}

QTEST_MAIN(ModemSetupTest)
#include "ModemSetupTest.moc"
