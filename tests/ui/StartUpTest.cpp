#include "StartUp.h"
#include "DataFiles.h"
#include "FakeTrayIcon.h"
#include "MainWindow.h"
#include "MessageBoxRecorder.h"

#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using tarvok::StartUp;
using Icon = tarvok::MessageBox::Icon;
using Answer = tarvok::MessageBox::Answer;

namespace {

const QString kV22 = QStringLiteral("[BRISEL VERSION 2.2]");
const QByteArray kProviders =
    dataFileBytes({QStringLiteral("\"Tele A\",\"01011\",1,1,0,24,1,1,1"),
                   QStringLiteral("\"Tele B\",\"01022\",1,0,9,18,1,1,0")});

struct Folder {
    QTemporaryDir dir;
    tarvok::AppState state;
    MessageBoxRecorder boxes;

    Folder() { state.dataDir = dir.path(); }
    void put(const char* name, const QByteArray& bytes) const {
        writeFile(dir.path(), QLatin1String(name), bytes);
    }
    QByteArray bytes(const char* name) const { return readFile(dir.path(), QLatin1String(name)); }
    bool exists(const char* name) const { return QFile::exists(dir.filePath(QLatin1String(name))); }
    StartUp::Next start() { return StartUp(state).LoadDataFiles(); }
};

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void emptyFolderShowsOptions();
    void version20IsConvertedSilently();
    void foreignFilesStayUntouched_data();
    void foreignFilesStayUntouched();
    void damagedFileStartsFromBackup();
    void damagedFileWithoutBackupEnds();
    void damagedProviderFileIsKept();
    void failedFirstSaveIsShown();
};

void StartUpTest::emptyFolderShowsOptions() {
    Folder folder;
    QCOMPARE(folder.start(), StartUp::Next::ShowOptions);
    QVERIFY(folder.exists("Brisel.DAT"));
    QVERIFY(folder.bytes("Brisel.DAT")
                .startsWith("[BRISEL VERSION 2.2]\r\n1,1,0,\"\",0,\"00\",\"49|\",12,"));
    QCOMPARE(folder.boxes.shown.size(), 1);
    QCOMPARE(folder.boxes.shown[0].icon, Icon::Information);
    QCOMPARE(folder.boxes.shown[0].title, QStringLiteral("Tarvok-Pro"));
    QCOMPARE(folder.boxes.shown[0].text,
             QStringLiteral("Es wurde eine neue Telefon- und Einstellungendatei angelegt.\n"
                            "Sie sollten daher die Programmeinstellungen jetzt überprüfen!"));
    QCOMPARE(folder.state.providers.rowCount(), 0);

    FakeTrayIcon tray;
    tarvok::MainWindow window(folder.state, {tray});
    window.FinishStartUp(StartUp::Next::ShowOptions);
    QVERIFY(window.isVisible());
    QCOMPARE(window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->currentIndex(), 4);
    QCOMPARE(folder.state.CurrentTab, 5);
}

void StartUpTest::version20IsConvertedSilently() {
    Folder folder;
    const QByteArray old = phoneFile(QStringLiteral("[BRISEL VERSION 2.0]"),
                                     {QStringLiteral("2,\"Meier, Hans\",\"49 89 1\"")});
    folder.put("Brisel.DAT", old);
    folder.put("Provider.DAT", kProviders);

    QCOMPARE(folder.start(), StartUp::Next::ShowLists);
    QVERIFY(folder.boxes.shown.isEmpty());
    QVERIFY(folder.bytes("Brisel.DAT").startsWith("[BRISEL VERSION 2.2]\r\n"));
    QCOMPARE(folder.bytes("Brisel.BAK"), old);
    QCOMPARE(folder.state.phoneBook.lists[1].count(), 1);
    QCOMPARE(folder.state.phoneBook.lists[1].at(0).Name, QStringLiteral("Meier, Hans"));
    QCOMPARE(folder.state.providers.rowCount(), 2);
}

void StartUpTest::foreignFilesStayUntouched_data() {
    QTest::addColumn<QString>("versionLine");
    QTest::newRow("other version") << "[BRISEL VERSION 3.0]";
    QTest::newRow("lower case") << "[brisel version 2.2]";
    QTest::newRow("no version line") << "1,1,0,\"\",0";
}

void StartUpTest::foreignFilesStayUntouched() {
    QFETCH(QString, versionLine);
    Folder folder;
    const QByteArray foreign = phoneFile(versionLine, {});
    folder.put("Brisel.DAT", foreign);
    folder.put("Provider.DAT", kProviders);

    QCOMPARE(folder.start(), StartUp::Next::EndProgram);
    QCOMPARE(folder.boxes.shown.size(), 1);
    QCOMPARE(folder.boxes.shown[0].icon, Icon::Critical);
    QCOMPARE(folder.boxes.shown[0].title, QStringLiteral("Tarvok-Pro"));
    QCOMPARE(folder.boxes.shown[0].text,
             QStringLiteral("Die Telefonliste ist nicht kompatibel und\nkann daher nicht "
                            "eingelesen werden.\n\nDas Programm wird abgebrochen"));
    QCOMPARE(folder.bytes("Brisel.DAT"), foreign);
    QCOMPARE(folder.bytes("Provider.DAT"), kProviders);
    QVERIFY(!folder.exists("Brisel.BAK"));
    QVERIFY(!folder.exists("Provider.BAK"));
    QCOMPARE(folder.state.providers.rowCount(), 0);
}

void StartUpTest::damagedFileStartsFromBackup() {
    for (const bool yes : {false, true}) {
        Folder folder;
        const QByteArray damaged = phoneFile(
            kV22, {QStringLiteral("1,\"Alt\",\"49 1\",1"), QStringLiteral("x,\"Kaputt\"")});
        const QByteArray backup =
            phoneFile(kV22, {QStringLiteral("3,\"Sicher, Sara\",\"49 2\",0")});
        folder.put("Brisel.DAT", damaged);
        folder.put("Brisel.BAK", backup);
        folder.boxes.answers << (yes ? Answer::Yes : Answer::No);

        QCOMPARE(folder.start(), yes ? StartUp::Next::ShowLists : StartUp::Next::EndProgram);
        QVERIFY(folder.boxes.shown.size() >= 1);
        const tarvok::MessageBox::Shown& question = folder.boxes.shown[0];
        QCOMPARE(question.icon, Icon::Question);
        QVERIFY2(question.text.contains(QStringLiteral("„Brisel.DAT“ ist in Zeile 5 beschädigt")),
                 qPrintable(question.text));
        QVERIFY(question.text.contains(QStringLiteral("„Brisel.BAK“")));
        if (!yes) {
            QCOMPARE(folder.boxes.shown.size(), 1);
            QCOMPARE(folder.bytes("Brisel.DAT"), damaged);
            QCOMPARE(folder.bytes("Brisel.BAK"), backup);
            continue;
        }
        QCOMPARE(folder.boxes.shown.size(), 2);
        QCOMPARE(folder.boxes.shown[1].icon, Icon::Information);
        QVERIFY2(folder.boxes.shown[1].text.contains(QStringLiteral("„Brisel.DAT.damaged“")),
                 qPrintable(folder.boxes.shown[1].text));
        QCOMPARE(folder.bytes("Brisel.DAT.damaged"), damaged);
        QCOMPARE(folder.state.phoneBook.lists[2].count(), 1);
        QCOMPARE(folder.state.phoneBook.lists[0].count(), 0);
    }
}

void StartUpTest::damagedFileWithoutBackupEnds() {
    Folder folder;
    const QByteArray damaged = phoneFile(kV22, {QStringLiteral("x,\"Kaputt\"")});
    folder.put("Brisel.DAT", damaged);
    folder.put("Provider.DAT", kProviders);

    QCOMPARE(folder.start(), StartUp::Next::EndProgram);
    QCOMPARE(folder.boxes.shown.size(), 1);
    QCOMPARE(folder.boxes.shown[0].icon, Icon::Critical);
    QVERIFY(folder.boxes.shown[0].text.contains(QStringLiteral("„Brisel.DAT“ ist in Zeile 4")));
    QVERIFY(folder.boxes.shown[0].text.contains(QStringLiteral("Das Programm wird abgebrochen")));
    QCOMPARE(folder.bytes("Brisel.DAT"), damaged);
    QVERIFY(!folder.exists("Brisel.BAK"));
    QCOMPARE(folder.bytes("Provider.DAT"), kProviders);
}

// The rows before the damage are used, and the whole file survives under another name
// before any later save can replace it.
void StartUpTest::damagedProviderFileIsKept() {
    Folder folder;
    folder.put("Brisel.DAT", phoneFile(kV22, {}));
    const QByteArray damaged =
        kProviders + dataFileBytes({QStringLiteral("\"Tele C\",\"01033\",eins")});
    folder.put("Provider.DAT", damaged);

    QCOMPARE(folder.start(), StartUp::Next::ShowLists);
    QCOMPARE(folder.state.providers.rowCount(), 2);
    QCOMPARE(folder.boxes.shown.size(), 1);
    const QString text = folder.boxes.shown[0].text;
    QVERIFY2(text.contains(QStringLiteral("„Provider.DAT“ ist in Zeile 3 beschädigt")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("„Provider.DAT.damaged“")));
    QCOMPARE(folder.bytes("Provider.DAT.damaged"), damaged);
    QCOMPARE(folder.bytes("Provider.DAT"), damaged);
}

// A folder that cannot take the new file: the user hears of it instead of a "created".
void StartUpTest::failedFirstSaveIsShown() {
    Folder folder;
    folder.state.dataDir = folder.dir.filePath(QStringLiteral("fehlt"));
    QCOMPARE(folder.start(), StartUp::Next::ShowOptions);
    QCOMPARE(folder.boxes.shown.size(), 1);
    QCOMPARE(folder.boxes.shown[0].icon, Icon::Critical);
    QVERIFY2(folder.boxes.shown[0].text.contains(
                 QStringLiteral("„Brisel.DAT“ konnte nicht gespeichert werden")),
             qPrintable(folder.boxes.shown[0].text));
}

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
