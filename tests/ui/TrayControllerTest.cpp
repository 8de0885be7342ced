#include "TrayController.h"
#include "FakeTrayIcon.h"

#include <QSignalSpy>
#include <QTest>

using tarvok::TrayController;
using Press = tarvok::TrayIcon::Press;

Q_DECLARE_METATYPE(QList<Press>)

namespace {

constexpr std::chrono::milliseconds kDelay{40};

// One dispatched event per wait, as the signals show it.

} // namespace

class TrayControllerTest : public QObject {
    Q_OBJECT

private slots:
    void dispatchesOneEventPerWait_data();
    void dispatchesOneEventPerWait();
    void nothingBeforeTheDelay();
    void tipIsCut();
};

void TrayControllerTest::dispatchesOneEventPerWait_data() {
    QTest::addColumn<QList<Press>>("presses");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<int>("shows");
    QTest::addColumn<int>("menus");
    QTest::addColumn<int>("beeps");

    QTest::newRow("left click shows") << QList{Press::Left} << false << 1 << 0 << 0;
    QTest::newRow("left double click shows once")
        << QList{Press::Left, Press::LeftDouble} << false << 1 << 0 << 0;
    QTest::newRow("right press replaces left")
        << QList{Press::Left, Press::Right} << false << 0 << 1 << 0;
    QTest::newRow("left press replaces right")
        << QList{Press::Right, Press::Left} << false << 1 << 0 << 0;
    QTest::newRow("right click opens menu") << QList{Press::Right} << false << 0 << 1 << 0;
    QTest::newRow("right double click beeps")
        << QList{Press::Right, Press::RightDouble} << false << 0 << 0 << 1;
    QTest::newRow("double click while idle is forgotten")
        << QList{Press::LeftDouble, Press::Left} << false << 1 << 0 << 0;
    QTest::newRow("press clears an earlier double click")
        << QList{Press::Right, Press::RightDouble, Press::Right} << false << 0 << 1 << 0;
    QTest::newRow("left click while busy beeps") << QList{Press::Left} << true << 0 << 0 << 1;
    QTest::newRow("left double click while busy beeps")
        << QList{Press::Left, Press::LeftDouble} << true << 0 << 0 << 1;
    QTest::newRow("right click while busy opens menu")
        << QList{Press::Right} << true << 0 << 1 << 0;
}

void TrayControllerTest::dispatchesOneEventPerWait() {
    QFETCH(QList<Press>, presses);
    QFETCH(bool, busy);
    QFETCH(int, shows);
    QFETCH(int, menus);
    QFETCH(int, beeps);

    tarvok::AppState state;
    state.ModalBusy = busy ? -1 : 0;
    FakeTrayIcon icon;
    TrayController clicks(state, icon, kDelay);
    QSignalSpy showSpy(&clicks, &TrayController::showWindowRequested);
    QSignalSpy menuSpy(&clicks, &TrayController::menuRequested);
    QSignalSpy beepSpy(&clicks, &TrayController::beepRequested);

    for (Press press : presses)
        icon.press(press);
    QTRY_VERIFY(!clicks.isWaiting());
    QCOMPARE(showSpy.size(), shows);
    QCOMPARE(menuSpy.size(), menus);
    QCOMPARE(beepSpy.size(), beeps);
}

// Each press restarts the wait, so nothing happens until the delay after the last one.
void TrayControllerTest::nothingBeforeTheDelay() {
    tarvok::AppState state;
    FakeTrayIcon icon;
    TrayController clicks(state, icon, std::chrono::milliseconds(400));
    QSignalSpy showSpy(&clicks, &TrayController::showWindowRequested);
    icon.press(Press::Left);
    QTest::qWait(100);
    icon.press(Press::Left);
    QTest::qWait(100);
    QCOMPARE(showSpy.size(), 0);
    QVERIFY(clicks.isWaiting());
    QTRY_COMPARE(showSpy.size(), 1);
    QTest::qWait(450);
    QCOMPARE(showSpy.size(), 1);
}

void TrayControllerTest::tipIsCut() {
    QCOMPARE(tarvok::TrayTip(QStringLiteral("Tarvok-Pro")), QStringLiteral("Tarvok-Pro"));
    const QString tip64 = QString(64, u'x');
    QCOMPARE(tarvok::TrayTip(tip64), QString(63, u'x'));
    QCOMPARE(tarvok::TrayTip(QString(63, u'y')), QString(63, u'y'));
}

QTEST_MAIN(TrayControllerTest)
#include "TrayControllerTest.moc"
