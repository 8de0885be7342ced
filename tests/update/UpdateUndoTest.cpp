// "Aktualisierung rückgängig" and the status line of an update, through the real window
// and a real HTTP server on 127.0.0.1.
#include "DataFiles.h"
#include "FakeTrayIcon.h"
#include "HttpTestServer.h"
#include "MainWindow.h"
#include "MessageBoxRecorder.h"
#include "QtHttpClient.h"
#include "StartUp.h"
#include "TariffLists.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace tarvok;
using namespace tarvok::testdata;

namespace {

// Altnetz comes back with other hours, Zentrum is gone with "Ja", Billig is new.
const QByteArray kList = kHead + "Altnetz;01011;1;1;0;24;1;1;;0,9\r\n"
                                 "Billig;01013;1;1;0;24;1;1;;1,2\r\n";

struct UpdatedWindow {
    explicit UpdatedWindow(MessageBox::Answer dropOldRows) {
        HttpTestServer::Response list;
        list.body = kList;
        server.setResponse(kListPath, list);
        if (!server.listen())
            return;
        qputenv("TARVOK_UPDATE_URL", server.url(kListPath).toEncoded());
        writeFile(dir.path(), QStringLiteral("Brisel.DAT"),
                  phoneFile(QStringLiteral("[BRISEL VERSION 2.2]"), {}));
        writeFile(dir.path(), QStringLiteral("Provider.DAT"), kOldProviders);
        state.dataDir = dir.path();
        window = std::make_unique<MainWindow>(state, MainWindow::Parts{tray, nullptr, &http});
        window->FinishStartUp(StartUp(state).LoadDataFiles());
        find<QTabWidget>("TabStrip1")->setCurrentIndex(4);
        boxes.answers << dropOldRows;
        QTest::mouseClick(find<QAbstractButton>("Btn(1)"), Qt::LeftButton);
    }
    ~UpdatedWindow() { qunsetenv("TARVOK_UPDATE_URL"); }

    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAbstractButton* undoButton() const { return find<QAbstractButton>("UndoUpdateButton"); }
    QString status() const { return find<QStatusBar>("StatusBar1")->findChild<QLabel*>()->text(); }
    QByteArray bytes(const char* name) const { return readFile(dir.path(), QLatin1String(name)); }

    HttpTestServer server;
    QTemporaryDir dir;
    MessageBoxRecorder boxes;
    FakeTrayIcon tray{true};
    QtHttpClient http;
    AppState state;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class UpdateUndoTest : public QObject {
    Q_OBJECT

private slots:
    void undoRestoresTheFileExactly_data();
    void undoRestoresTheFileExactly();
    void undoIsGoneAfterAHandChange();
};

void UpdateUndoTest::undoRestoresTheFileExactly_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("status");
    QTest::newRow("Ja: old rows dropped")
        << int(MessageBox::Answer::Yes) << "Aktualisiert: 1 neu, 1 geändert, 1 entfernt";
    QTest::newRow("Nein: rows added")
        << int(MessageBox::Answer::No) << "Aktualisiert: 2 neu, 0 geändert, 0 entfernt";
}

void UpdateUndoTest::undoRestoresTheFileExactly() {
    QFETCH(int, answer);
    QFETCH(QString, status);
    UpdatedWindow w{MessageBox::Answer(answer)};
    QVERIFY(w.window);

    QCOMPARE(w.status(), status);
    QCOMPARE(w.boxes.shown.size(), 2); // "Übertragung beendet" and the question, nothing more
    const QByteArray updated = w.bytes("Provider.DAT");
    QVERIFY(updated != kOldProviders);
    QVERIFY(w.undoButton()->isEnabled());

    QTest::mouseClick(w.undoButton(), Qt::LeftButton);
    QCOMPARE(w.bytes("Provider.DAT"), kOldProviders);
    QCOMPARE(w.bytes("Provider.BAK"), updated);
    QCOMPARE(w.find<QTreeView>("TelcoList")->model()->rowCount(), 2);
    QVERIFY(!w.undoButton()->isEnabled());
    QCOMPARE(w.status(), QStringLiteral("Aktualisierung rückgängig gemacht"));
    QCOMPARE(w.boxes.shown.size(), 2);
}

// Sorting by a column is a change by hand: the kept table would undo it as well.
void UpdateUndoTest::undoIsGoneAfterAHandChange() {
    UpdatedWindow w{MessageBox::Answer::Yes};
    QVERIFY(w.window);
    QVERIFY(w.undoButton()->isEnabled());
    QHeaderView* header = w.find<QTreeView>("TelcoList")->header();
    const int section = 2; // "Tag"
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
               header->height() / 2));
    QCOMPARE(header->sortIndicatorSection(), section);
    QVERIFY(!w.undoButton()->isEnabled());
    const QByteArray handSorted = w.bytes("Provider.DAT");
    QTest::mouseClick(w.undoButton(), Qt::LeftButton); // disabled: nothing happens
    QCOMPARE(w.bytes("Provider.DAT"), handSorted);
}

QTEST_MAIN(UpdateUndoTest)
#include "UpdateUndoTest.moc"
