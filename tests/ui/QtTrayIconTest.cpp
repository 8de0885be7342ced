// What the desktop's notification area reports reaches the program as the right press.
#include "QtTrayIcon.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

// Qt's own icon window in an X notification area is known only by this class name.
class QSystemTrayIconSys : public QWidget {
    Q_OBJECT
};

class OtherWindow : public QWidget {
    Q_OBJECT
};

class QtTrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void doubleClicks_data();
    void doubleClicks();
};

void QtTrayIconTest::doubleClicks_data() {
    QTest::addColumn<bool>("onIconWindow");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("rightDouble");
    QTest::newRow("right double click on the icon") << true << int(Qt::RightButton) << true;
    QTest::newRow("left double click on the icon") << true << int(Qt::LeftButton) << false;
    QTest::newRow("right double click elsewhere") << false << int(Qt::RightButton) << false;
}

// Qt reports the first press of a right double click and nothing for the second; without
// the second the program would open its menu instead of only beeping.
void QtTrayIconTest::doubleClicks() {
    QFETCH(bool, onIconWindow);
    QFETCH(int, button);
    QFETCH(bool, rightDouble);

    tarvok::QtTrayIcon tray;
    QSignalSpy pressed(&tray, &tarvok::TrayIcon::pressed);
    QSystemTrayIconSys iconWindow;
    OtherWindow other;
    QWidget* target = onIconWindow ? static_cast<QWidget*>(&iconWindow) : &other;
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2),
                            Qt::MouseButton(button), Qt::MouseButton(button), Qt::NoModifier);
    QApplication::sendEvent(target, &doubleClick);

    QCOMPARE(pressed.size(), rightDouble ? 1 : 0);
    if (rightDouble)
        QCOMPARE(pressed[0][0].value<tarvok::TrayIcon::Press>(),
                 tarvok::TrayIcon::Press::RightDouble);
}

QTEST_MAIN(QtTrayIconTest)
#include "QtTrayIconTest.moc"
