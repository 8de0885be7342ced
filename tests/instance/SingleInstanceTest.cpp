// The real program as two processes on one data folder: the second start hands its request
// to the first over the real socket and leaves the files alone; a number from outside is
// dialled on a pseudo-terminal with the simulated modem.
#include "FakeModemProcess.h"
#include "InstanceChannel.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace tarvok {

namespace {

// Tone dialling, own area 89, no provider table: a call to Berlin is "030 7654321".
const QByteArray kPhoneBook = "[BRISEL VERSION 2.2]\r\n"
                              "1,0,0,\"\",0,\"00\",\"49|89\",12,\"\",\"\",0\r\n"
                              "\"B\xfcro 1\",\"B\xfcro 2\",\"Privat 1\",\"Privat 2\"\r\n"
                              "1,\"M\xfcller, Anna\",\"49 30 7654321\",1\r\n";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcessEnvironment Environment(const QString& modemDevice = QString()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TARVOK_COM1"),
               modemDevice.isEmpty() ? QStringLiteral("/nonexistent/modem") : modemDevice);
    return env;
}

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// A start that is expected to end by itself (a second start, --help).
Finished RunToEnd(const QString& dataDir, const QStringList& args,
                  const QProcessEnvironment& env = Environment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dataDir);
    process.start(QStringLiteral(TARVOK_PROGRAM), args);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(2000);
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A data folder with a phone book of one entry.
struct PhoneBookFolder : QTemporaryDir {
    PhoneBookFolder() { WriteFile(filePath(QStringLiteral("Brisel.DAT")), kPhoneBook); }
};

// A first start, running until the test ends it.
class Instance {
public:
    Instance(const QString& dataDir, const QString& modemDevice = QString())
        : Instance(dataDir, Environment(modemDevice)) {}
    Instance(const QString& dataDir, const QProcessEnvironment& env) {
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(dataDir);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TARVOK_PROGRAM), {});
        m_process.waitForStarted(5000);
        m_lockPath = QDir(dataDir).filePath(QStringLiteral("Tarvok-Pro.lock"));
    }
    // True once this process holds the folder's lock: a start before that would race it
    // for the folder.
    bool up() const {
        return QTest::qWaitFor(
            [this] {
                QFile lock(m_lockPath);
                return lock.open(QIODevice::ReadOnly) &&
                       lock.readLine().trimmed().toLongLong() == m_process.processId();
            },
            10000);
    }
    ~Instance() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
    bool running() const { return m_process.state() == QProcess::Running; }
    // The environment the window program was started with.
    QList<QByteArray> startEnvironment() const {
        return ReadFile(QStringLiteral("/proc/%1/environ").arg(m_process.processId())).split('\0');
    }
    void kill() {
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(3000);
    }

private:
    QProcess m_process;
    QString m_lockPath;
};

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

    static QStringList Listing(const QString& dir) {
        return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private slots:
    // The front asks glibc for a huge-page heap for the window program; tunables the user
    // set stay exactly as they were.
    void windowProgramGetsTheHeapRequestUnlessTheUserSetTunables_data() {
        QTest::addColumn<bool>("userSetsTunables");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("none set") << false << QByteArray("GLIBC_TUNABLES=glibc.malloc.hugetlb=1");
        QTest::newRow("the user's own")
            << true << QByteArray("GLIBC_TUNABLES=glibc.malloc.perturb=0");
    }
    void windowProgramGetsTheHeapRequestUnlessTheUserSetTunables() {
        QFETCH(bool, userSetsTunables);
        QFETCH(QByteArray, expected);
        QProcessEnvironment env = Environment();
        env.remove(QStringLiteral("GLIBC_TUNABLES"));
        if (userSetsTunables)
            env.insert(QStringLiteral("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.perturb=0"));
        PhoneBookFolder dir;
        Instance first(dir.path(), env);
        QVERIFY(first.up());
        QList<QByteArray> tunables;
        for (const QByteArray& variable : first.startEnvironment())
            if (variable.startsWith("GLIBC_TUNABLES="))
                tunables.append(variable);
        QCOMPARE(tunables, QList<QByteArray>{expected});
    }

    void secondStartHandsOverAndLeavesTheFilesAlone() {
        PhoneBookFolder dir;
        Instance first(dir.path());
        QVERIFY(first.up());
        // The first answer tells that it is up.
        QCOMPARE(RunToEnd(dir.path(), {}).exitCode, 0);
        const QStringList listing = Listing(dir.path());
        QVERIFY(listing.contains(QStringLiteral("Tarvok-Pro.lock")));

        // Garbage on the socket on the way does not disturb it.
        QLocalSocket garbage;
        garbage.connectToServer(InstanceServerName(dir.path()));
        QVERIFY(garbage.waitForConnected(2000));
        garbage.write(QByteArray(4096, '\xff') + '\n');
        QVERIFY(garbage.waitForBytesWritten(2000));

        const Finished second = RunToEnd(dir.path(), {});
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(second.err, QString());
        // The same folder under another name is the same folder.
        QCOMPARE(RunToEnd(QDir::rootPath(), {"--data", dir.path() + "/./"}).exitCode, 0);
        QVERIFY(first.running());
        QCOMPARE(ReadFile(dir.filePath("Brisel.DAT")), kPhoneBook);
        QCOMPARE(Listing(dir.path()), listing);
    }

    void eachFolderHasItsOwnInstance() {
        PhoneBookFolder one;
        PhoneBookFolder two;
        Instance first(one.path());
        QVERIFY(first.up());
        QCOMPARE(RunToEnd(one.path(), {}).exitCode, 0);
        Instance second(two.path());
        QVERIFY(second.up());
        QCOMPARE(RunToEnd(two.path(), {}).exitCode, 0);
        QVERIFY(first.running());
        QVERIFY(second.running());
    }

    void killedInstanceLeavesALockTheNextStartTakesOver() {
        PhoneBookFolder dir;
        {
            Instance killed(dir.path());
            QVERIFY(killed.up());
            QCOMPARE(RunToEnd(dir.path(), {}).exitCode, 0);
            killed.kill();
        }
        QVERIFY(QFile::exists(dir.filePath("Tarvok-Pro.lock")));
        Instance next(dir.path());
        QVERIFY(next.up());
        QCOMPARE(RunToEnd(dir.path(), {}).exitCode, 0);
        QVERIFY(next.running());
    }

    void numberFromASecondStartIsDialled() {
        FakeModemProcess modem;
        QVERIFY(!modem.device().isEmpty());
        PhoneBookFolder dir;
        Instance first(dir.path(), modem.device());
        QVERIFY(first.up());
        const Finished second = RunToEnd(dir.path(), {"tel:+49-30-7654321"});
        QCOMPARE(second.err, QString());
        QCOMPARE(second.exitCode, 0);
        QTRY_COMPARE_WITH_TIMEOUT(modem.received(), QByteArray("ATDT030 7654321;H0\r"), 10000);
        QVERIFY(first.running());
    }

    void refusedNumberLeavesTheModemSilent() {
        FakeModemProcess modem;
        QVERIFY(!modem.device().isEmpty());
        PhoneBookFolder dir;
        Instance first(dir.path(), modem.device());
        QVERIFY(first.up());
        const Finished letters = RunToEnd(dir.path(), {"tel:+49-30-HALLO"});
        QCOMPARE(letters.exitCode, 1);
        QVERIFY2(letters.err.startsWith(QStringLiteral(
                     "tarvok-pro: Die Nummer „tel:+49-30-HALLO“ wird nicht gewählt. Sie enthält "
                     "Buchstaben")),
                 qPrintable(letters.err));
        // Its message box is open in the running instance; until it is answered nothing
        // else is dialled.
        const Finished meanwhile = RunToEnd(dir.path(), {"030 7654321"});
        QCOMPARE(meanwhile.exitCode, 1);
        QVERIFY2(meanwhile.err.contains(QStringLiteral("solange eines seiner Fenster offen")),
                 qPrintable(meanwhile.err));
        QCOMPARE(modem.received(), QByteArray());
    }

    // A second start with --export: the running instance writes the file before it answers.
    void exportFromASecondStart() {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("Brisel.DAT"), kPhoneBook));
        Instance first(dir.path());
        QTRY_VERIFY_WITH_TIMEOUT(first.up(), 10000);
        const Finished done = RunToEnd(dir.path(), {"--export", "alle.csv", "--list", "0"});
        QCOMPARE(done.exitCode, 0);
        QCOMPARE(ReadFile(dir.filePath("alle.csv")),
                 QByteArray("\xEF\xBB\xBFName,Telefon,Liste\r\n"
                            "\"M\xC3\xBCller, Anna\",+49 30 7654321,B\xC3\xBCro 1\r\n"));
        QCOMPARE(ReadFile(dir.filePath("Brisel.DAT")), kPhoneBook);
    }

    void helpVersionAndUsageErrorsNeedNoDisplay_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QString("Aufruf: tarvok-pro")
                              << QString();
        QTest::newRow("version") << QStringList{"--version"} << 0 << QString("Tarvok-Pro 2.2\n")
                                 << QString();
        QTest::newRow("unknown option")
            << QStringList{"--wählen", "030"} << 2 << QString()
            << QString("tarvok-pro: Unbekannte Option: wählen\n\nAufruf: tarvok-pro");
        QTest::newRow("missing folder")
            << QStringList{"--data", "/nonexistent/telefon"} << 1 << QString()
            << QString("tarvok-pro: Den Datenordner „/nonexistent/telefon“ gibt es nicht.\n");
    }
    void helpVersionAndUsageErrorsNeedNoDisplay() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        QProcessEnvironment env = Environment();
        // A window would need this display, which does not exist.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4711"));
        const Finished run = RunToEnd(dir.path(), args, env);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.startsWith(out) && (out.isEmpty() == run.out.isEmpty()),
                 qPrintable(run.out));
        QVERIFY2(run.err.startsWith(err) && (err.isEmpty() == run.err.isEmpty()),
                 qPrintable(run.err));
        // Nothing was made in the folder.
        QCOMPARE(Listing(dir.path()), QStringList());
    }
};

} // namespace tarvok

QTEST_GUILESS_MAIN(tarvok::SingleInstanceTest)
#include "SingleInstanceTest.moc"
