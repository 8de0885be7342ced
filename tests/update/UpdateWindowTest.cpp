// The update through the real main window, as the user starts it, with the demo list.
#include "DataFiles.h"
#include "FakeTrayIcon.h"
#include "HttpTestServer.h"
#include "MainWindow.h"
#include "MessageBoxRecorder.h"
#include "QtHttpClient.h"
#include "StartUp.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace tarvok;

class UpdateWindowTest : public QObject {
    Q_OBJECT

private slots:
    void downloadButtonImportsTheDemoList();
};

void UpdateWindowTest::downloadButtonImportsTheDemoList() {
    QFile demo(QStringLiteral(TARVOK_DEMO_LIST));
    QVERIFY(demo.open(QIODevice::ReadOnly));
    HttpTestServer server;
    QVERIFY(server.listen());
    HttpTestServer::Response list;
    list.body = demo.readAll();
    const QString path = QStringLiteral("/download/service/ttarif/ttarif.csv");
    server.setResponse(path, list);
    qputenv("TARVOK_UPDATE_URL", server.url(path).toEncoded());

    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Brisel.DAT"),
              phoneFile(QStringLiteral("[BRISEL VERSION 2.2]"), {}));
    AppState state;
    state.dataDir = dir.path();
    MessageBoxRecorder boxes;
    boxes.answers << MessageBox::Answer::Yes;
    FakeTrayIcon tray(true);
    QtHttpClient http;
    MainWindow window(state, MainWindow::Parts{tray, nullptr, &http});
    window.FinishStartUp(StartUp(state).LoadDataFiles());
    window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->setCurrentIndex(4);

    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1(10)"))->text(),
             QStringLiteral("Update der Provider-Liste über das Internet (127.0.0.1)"));
    auto* button = window.findChild<QAbstractButton*>(QStringLiteral("Btn(1)"));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);

    QTRY_COMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown.last().text,
             QStringLiteral("Möchten Sie Ihre alten Provider-Daten löschen?"));
    const QAbstractItemModel* rows =
        window.findChild<QAbstractItemView*>(QStringLiteral("TelcoList"))->model();
    QCOMPARE(rows->rowCount(), 7);
    QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("Fernsprech Süd"));
    QCOMPARE(readFile(dir.path(), QStringLiteral("Provider.DAT")).count("\r\n"), 7);
    QVERIFY(readFile(dir.path(), QStringLiteral("Update.DAT"))
                .startsWith("Tarvok Pro Provider Update"));
    QVERIFY(button->isEnabled());
    qunsetenv("TARVOK_UPDATE_URL");
}

QTEST_MAIN(UpdateWindowTest)
#include "UpdateWindowTest.moc"
