// Which device a port means and where the tariff list comes from: the environment, the
// program's settings file in the data folder, or the standard, in that order; a settings
// file that cannot be trusted counts as absent.
#include "ProgramSettings.h"
#include "SerialDevice.h"
#include "TariffListUrl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvok;

namespace {

void writeIni(const QString& dir, const QByteArray& bytes) {
    QFile file(QDir(dir).filePath(ProgramSettings::kFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readIni(const QString& dir) {
    QFile file(QDir(dir).filePath(ProgramSettings::kFileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DeviceSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qunsetenv("TARVOK_COM2");
        qunsetenv("TARVOK_UPDATE_URL");
    }
    void cleanup() { init(); }

    void portResolution_data();
    void portResolution();
    void choicesSurviveASaveAndALoad();
    void failedSaveKeepsTheFile();
    void tariffListAddress_data();
    void tariffListAddress();
};

void DeviceSettingsTest::portResolution_data() {
    QTest::addColumn<QByteArray>("ini"); // empty: no settings file
    QTest::addColumn<QByteArray>("env");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("damaged");

    const int env = int(PortDevice::Source::Environment);
    const int file = int(PortDevice::Source::File);
    const int standard = int(PortDevice::Source::Standard);
    QTest::newRow("no file") << QByteArray() << QByteArray() << "/dev/ttyS1" << standard << false;
    QTest::newRow("chosen in the file") << QByteArray("[Modem]\nCOM2=/dev/ttyACM0\n")
                                        << QByteArray() << "/dev/ttyACM0" << file << false;
    QTest::newRow("environment beats the file")
        << QByteArray("[Modem]\nCOM2=/dev/ttyACM0\n") << QByteArray("/dev/pts/7") << "/dev/pts/7"
        << env << false;
    QTest::newRow("another port's choice") << QByteArray("[Modem]\nCOM1=/dev/ttyACM0\n")
                                           << QByteArray() << "/dev/ttyS1" << standard << false;
    QTest::newRow("empty choice is Standard")
        << QByteArray("[Modem]\nCOM2=\n") << QByteArray() << "/dev/ttyS1" << standard << false;
    QTest::newRow("relative path") << QByteArray("[Modem]\nCOM2=ttyACM0\n") << QByteArray()
                                   << "/dev/ttyS1" << standard << true;
    QTest::newRow("control character in the path")
        << QByteArray("[Modem]\nCOM2=\"/dev/tty\\nACM0\"\n") << QByteArray() << "/dev/ttyS1"
        << standard << true;
    QTest::newRow("binary garbage")
        << QByteArray("\xff\xfe\x00[Modem\x01\nCOM2=\x80\x81/\n\x00\x00", 22) << QByteArray()
        << "/dev/ttyS1" << standard << false;
    QTest::newRow("far too large")
        << QByteArray("[Modem]\nCOM2=/dev/ttyACM0\n") + QByteArray(100 * 1024, ';') << QByteArray()
        << "/dev/ttyS1" << standard << true;
}

// A damaged file must never stop the start or send the dial to a strange place: the port
// falls back to its standard device.
void DeviceSettingsTest::portResolution() {
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, env);
    QFETCH(QString, device);
    QFETCH(int, source);
    QFETCH(bool, damaged);

    QTemporaryDir dir;
    if (!ini.isEmpty())
        writeIni(dir.path(), ini);
    if (!env.isEmpty())
        qputenv("TARVOK_COM2", env);
    const PortDevice resolved = ResolveSerialDevice(2, dir.path());
    QCOMPARE(resolved.device, device);
    QCOMPARE(int(resolved.source), source);
    if (resolved.source == PortDevice::Source::Environment)
        QCOMPARE(resolved.variable, QStringLiteral("TARVOK_COM2"));
    QCOMPARE(ProgramSettings::load(dir.path()).wasDamaged(), damaged);
}

void DeviceSettingsTest::choicesSurviveASaveAndALoad() {
    QTemporaryDir dir;
    ProgramSettings settings;
    settings.setDevice(1, QStringLiteral("/dev/serial/by-id/usb-U.S._Robotics,_Modem;1 a"));
    settings.setDevice(3, QStringLiteral("/dev/ttyUSB0"));
    settings.setDevice(4, QStringLiteral("kein Pfad")); // refused: stays Standard
    settings.setTariffListUrl(QUrl(QStringLiteral("https://tarife.example.de/t.csv?a=1;b=2")));
    FileError error;
    QVERIFY(settings.save(dir.path(), &error));

    const ProgramSettings loaded = ProgramSettings::load(dir.path());
    QVERIFY(!loaded.wasDamaged());
    for (int port = 1; port <= 4; ++port)
        QCOMPARE(loaded.device(port), settings.device(port));
    QCOMPARE(loaded.device(4), QString());
    QCOMPARE(loaded.tariffListUrl(), settings.tariffListUrl());
    QCOMPARE(SerialDeviceForPort(3, dir.path()), QStringLiteral("/dev/ttyUSB0"));

    // A second save replaces the file at once, also within the same millisecond.
    settings.setDevice(3, QStringLiteral("/dev/ttyUSB1"));
    QVERIFY(settings.save(dir.path(), &error));
    QCOMPARE(SerialDeviceForPort(3, dir.path()), QStringLiteral("/dev/ttyUSB1"));
}

void DeviceSettingsTest::failedSaveKeepsTheFile() {
    QTemporaryDir dir;
    writeIni(dir.path(), "[Modem]\nCOM1=/dev/ttyACM0\n");
    // A folder in the way of the temporary file makes the write fail, also for root.
    QVERIFY(QDir(dir.path()).mkpath(ProgramSettings::kFileName + QStringLiteral(".tarvok-tmp")));
    ProgramSettings settings;
    settings.setDevice(1, QStringLiteral("/dev/ttyUSB0"));
    FileError error;
    QVERIFY(!settings.save(dir.path(), &error));
    QCOMPARE(error.kind, FileError::Kind::WriteFailed);
    QCOMPARE(error.fileName, ProgramSettings::kFileName);
    QCOMPARE(readIni(dir.path()), QByteArray("[Modem]\nCOM1=/dev/ttyACM0\n"));
}

void DeviceSettingsTest::tariffListAddress_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("env");
    QTest::addColumn<QString>("expected"); // empty: the built-in address

    QTest::newRow("nothing set") << QByteArray() << QByteArray() << "";
    QTest::newRow("https in the file")
        << QByteArray("[Update]\nTariffListUrl=https://tarife.example.de/t.csv\n") << QByteArray()
        << "https://tarife.example.de/t.csv";
    QTest::newRow("environment beats the file")
        << QByteArray("[Update]\nTariffListUrl=https://tarife.example.de/t.csv\n")
        << QByteArray("http://127.0.0.1:8000/t.csv") << "http://127.0.0.1:8000/t.csv";
    QTest::newRow("ftp refused") << QByteArray("[Update]\nTariffListUrl=ftp://example.de/t.csv\n")
                                 << QByteArray() << "";
    QTest::newRow("file refused") << QByteArray("[Update]\nTariffListUrl=file:///etc/passwd\n")
                                  << QByteArray() << "";
    QTest::newRow("no host refused")
        << QByteArray("[Update]\nTariffListUrl=http:///t.csv\n") << QByteArray() << "";
}

void DeviceSettingsTest::tariffListAddress() {
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, env);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    if (!ini.isEmpty())
        writeIni(dir.path(), ini);
    if (!env.isEmpty())
        qputenv("TARVOK_UPDATE_URL", env);
    QCOMPARE(TariffListUrl(dir.path()),
             expected.isEmpty() ? BuiltInTariffListUrl() : QUrl(expected));
}

QTEST_GUILESS_MAIN(DeviceSettingsTest)
#include "DeviceSettingsTest.moc"
