// The real tarvok-pro in a temporary folder under Xvfb with a fixed clock: a key press on
// a phone list makes the simulated modem receive the command line.
#include "FakeModemProcess.h"
#include "XSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace tarvok {

namespace {

// Saturday 14:00: the weekend row wins over the weekday and the every-day rows.
const char* const kClock = "2026-12-12 14:00:00";
const char* const kFakeTimeLibrary = TARVOK_FAKETIME_LIBRARY;
const QByteArray kExpectedLine = QByteArrayLiteral("ATDT01022030 7654321;H0\r");

// windows-1252, CR LF, as the program keeps its files.
const QByteArray kPhoneBook = "[BRISEL VERSION 2.2]\r\n"
                              "1,0,0,\"\",0,\"00\",\"49|89\",12,\"\",\"\",0\r\n"
                              "\"B\xfcro 1\",\"B\xfcro 2\",\"Privat 1\",\"Privat 2\"\r\n"
                              "1,\"M\xfcller, Anna\",\"49 30 7654321\",1\r\n";
const QByteArray kProviders = "\"A Werktag\",\"01011\",1,0,8,18,1,1,1\r\n"
                              "\"B Wochenende\",\"01022\",0,1,0,24,1,1,1\r\n"
                              "\"C Immer\",\"01033\",1,1,0,24,1,1,1\r\n";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class DialEndToEndTest : public QObject {
    Q_OBJECT

    // The program in dataDir on the display, with COM1 at device and the clock fixed.
    static void startProgram(QProcess& program, const XSession& x, const QString& dataDir,
                             const QString& device) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("TARVOK_COM1"), device);
        // libfaketime straight in the program, so that signals reach it; only the calendar
        // is fixed, the event loop's timers keep real time.
        QVERIFY2(QFile::exists(QLatin1String(kFakeTimeLibrary)), "libfaketime is missing");
        env.insert(QStringLiteral("LD_PRELOAD"), QLatin1String(kFakeTimeLibrary));
        env.insert(QStringLiteral("FAKETIME"), QLatin1Char('@') + QLatin1String(kClock));
        env.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        // A sanitizer build wants its runtime first; libfaketime comes before it here.
        env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) +
                                                       QStringLiteral(":verify_asan_link_order=0"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dataDir);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(TARVOK_PROGRAM), {});
        QVERIFY(program.waitForStarted(5000));
    }

    // SIGTERM ends the program as "&Beenden" does; it must leave cleanly.
    static void endProgram(QProcess& program) {
        program.terminate();
        const bool ended = program.waitForFinished(10000);
        if (!ended) {
            program.kill();
            program.waitForFinished(2000);
        }
        QVERIFY2(ended, "the program did not end on SIGTERM");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // Clicks the first entry of phone list 1 (the top line of the list, just below the
    // tabs) and presses Enter.
    static void dialFirstEntry(const XSession& x) {
        const XSession::Result found =
            x.xdotool({"search", "--sync", "--onlyvisible", "--name", "^Tarvok-Pro$"}, 20000);
        QVERIFY2(found.exitCode == 0, "the main window did not appear");
        const QString window = found.output.split('\n').first();
        QCOMPARE(x.xdotool({"windowfocus", "--sync", window}).exitCode, 0);
        QCOMPARE(x.xdotool({"mousemove", "--window", window, "40", "43", "click", "1"}).exitCode,
                 0);
        QCOMPARE(x.xdotool({"key", "--delay", "50", "Return"}).exitCode, 0);
    }

    static int boxWidth(const XSession& x, const QString& window) {
        const QString geometry = x.xdotool({"getwindowgeometry", window}).output;
        const qsizetype at = geometry.indexOf(QLatin1String("Geometry: "));
        return at < 0 ? 200 : geometry.mid(at + 10).section(QLatin1Char('x'), 0, 0).toInt();
    }

    static void prepareFolder(const QTemporaryDir& dir) {
        QVERIFY(dir.isValid());
        QVERIFY(WriteFile(dir.filePath("Brisel.DAT"), kPhoneBook));
        QVERIFY(WriteFile(dir.filePath("Provider.DAT"), kProviders));
    }

private slots:
    void enterOnAnEntryDialsTheModem() {
        FakeModemProcess modem;
        QVERIFY(!modem.device().isEmpty());
        XSession x;
        QVERIFY2(!x.display().isEmpty(), "Xvfb did not start");
        QTemporaryDir dir;
        prepareFolder(dir);
        QProcess program;
        startProgram(program, x, dir.path(), modem.device());

        dialFirstEntry(x);
        QTRY_COMPARE_WITH_TIMEOUT(modem.received(), kExpectedLine, 10000);
        // The modem's "OK" closes the dial window.
        QTRY_VERIFY_WITH_TIMEOUT(x.windows("Anwahl").isEmpty(), 10000);
        QCOMPARE(program.state(), QProcess::Running);
        endProgram(program);
        QCOMPARE(modem.received(), kExpectedLine);
        // Nothing was in front that saves on the way out.
        QVERIFY(!QFile::exists(dir.filePath("Brisel.BAK")));
    }

    // Return held well past the keyboard's repeat delay: its repeats neither dial again nor
    // press the dial window's "&Abbruch".
    void heldReturnDialsOnce() {
        FakeModemProcess modem;
        QVERIFY(!modem.device().isEmpty());
        XSession x;
        QVERIFY2(!x.display().isEmpty(), "Xvfb did not start");
        QTemporaryDir dir;
        prepareFolder(dir);
        QProcess program;
        startProgram(program, x, dir.path(), modem.device());

        const XSession::Result found =
            x.xdotool({"search", "--sync", "--onlyvisible", "--name", "^Tarvok-Pro$"}, 20000);
        QVERIFY2(found.exitCode == 0, "the main window did not appear");
        const QString window = found.output.split('\n').first();
        QCOMPARE(x.xdotool({"windowfocus", "--sync", window}).exitCode, 0);
        QCOMPARE(x.xdotool({"mousemove", "--window", window, "40", "43", "click", "1"}).exitCode,
                 0);
        QCOMPARE(x.xdotool({"keydown", "Return"}).exitCode, 0);
        QTest::qWait(1500); // the hold itself, not a wait for the program
        QCOMPARE(x.xdotool({"keyup", "Return"}).exitCode, 0);
        QTRY_COMPARE_WITH_TIMEOUT(modem.received(), kExpectedLine, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(x.windows("Anwahl").isEmpty(), 10000);

        // The program handles X's events in order: once the editor that Insert opens is up,
        // every repeat before it has been handled.
        QCOMPARE(x.xdotool({"mousemove", "--window", window, "40", "43", "click", "1"}).exitCode,
                 0);
        QCOMPARE(x.xdotool({"key", "Insert"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!x.windows("Telefonbuch").isEmpty(), 10000);
        QCOMPARE(modem.received(), kExpectedLine);
        QCOMPARE(x.xdotool({"key", "Escape"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(x.windows("Telefonbuch").isEmpty(), 10000);
        endProgram(program);
    }

    void portThatDoesNotExistShowsTheMessageAndTheOptions() {
        XSession x;
        QVERIFY2(!x.display().isEmpty(), "Xvfb did not start");
        QTemporaryDir dir;
        prepareFolder(dir);
        QProcess program;
        startProgram(program, x, dir.path(), dir.filePath("no-such-port"));

        dialFirstEntry(x);
        // The message box comes up over the main window, with the same title.
        QTRY_COMPARE_WITH_TIMEOUT(x.windows("Tarvok-Pro").size(), 2, 10000);
        const QString box = x.windows("Tarvok-Pro").last();
        // A triple click on the text of the box selects it, and X hands a selection to
        // anyone who asks; the text is the top line of the box.
        const QString xPos = QString::number(boxWidth(x, box) / 2);
        QCOMPARE(x.xdotool({"mousemove", "--window", box, xPos, "17", "click", "--repeat", "3",
                            "--delay", "80", "1"})
                     .exitCode,
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(
            x.run("xclip", {"-o", "-selection", "primary", "-t", "UTF8_STRING"}).output,
            QStringLiteral("Der angegebene Anschluß COM1 ist nicht verfügbar."), 5000);
        QVERIFY(x.windows("Anwahl").isEmpty());
        QCOMPARE(x.xdotool({"key", "Return"}).exitCode, 0);
        QTRY_COMPARE_WITH_TIMEOUT(x.windows("Tarvok-Pro").size(), 1, 10000);

        // With the options page in front the program saves the phone book on the way out,
        // which turns the old file into the backup.
        endProgram(program);
        QVERIFY(QFile::exists(dir.filePath("Brisel.BAK")));
    }
};

} // namespace tarvok

QTEST_GUILESS_MAIN(tarvok::DialEndToEndTest)
#include "DialEndToEndTest.moc"
