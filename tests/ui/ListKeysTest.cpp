// Keys on a phone list: a held key dials once, the editing keys open what the list menu
// offers, and a removed line leaves no line selected.
#include "FakeModemProcess.h"
#include "PopupDriver.h"
#include "QtSerialPort.h"
#include "WindowFixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QStringList kEntries{
    QStringLiteral("1,\"Albers, Eva\",\"49 30 555\",0"),
    QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1"),
    QStringLiteral("1,\"Zander, Udo\",\"44 20 7946\",1"),
};

QDialog* dialWindow() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog && dialog->objectName() == QLatin1String("Form4") ? dialog : nullptr;
}

// What X sends while a key is held: more presses, each marked as a repeat.
void sendRepeats(QWidget* to, int key, int count) {
    for (int i = 0; i < count; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(to, &press);
    }
}

// Acts on the next modal window while the watch lives; a key that opens nothing leaves it
// waiting harmlessly until the end of the test.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget*)> act) {
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this, act] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_poll.stop();
                act(modal);
            }
        });
        m_poll.start(5);
    }

private:
    QTimer m_poll;
};

int dialLines(const QByteArray& received) {
    return int(received.count("ATD"));
}

} // namespace

class ListKeysTest : public QObject {
    Q_OBJECT

private slots:
    void heldKeyDialsOnce_data();
    void heldKeyDialsOnce();
    void editingKeys_data();
    void editingKeys();
    void removedLineLeavesNoSelection_data();
    void removedLineLeavesNoSelection();
};

void ListKeysTest::heldKeyDialsOnce_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

// The modem stays silent, so the dial window stays open as long as the test wants; the
// repeats of the key that dialled reach it first and the list afterwards.
void ListKeysTest::heldKeyDialsOnce() {
    QFETCH(int, key);
    tarvok::FakeModemProcess modem({QStringLiteral("--silent")});
    QVERIFY(!modem.device().isEmpty());
    qputenv("TARVOK_COM1", modem.device().toLocal8Bit());
    const auto unsetDevice = qScopeGuard([] { qunsetenv("TARVOK_COM1"); });
    tarvok::QtSerialPort port;
    WindowFixture f(kEntries, true, &port);
    f.select(1, 1);
    f.list(1)->setFocus();

    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(dialWindow());
        QTRY_VERIFY(modem.received().contains("ATD"));
        sendRepeats(dialWindow()->focusWidget() ? dialWindow()->focusWidget() : dialWindow(), key,
                    5);
        stayedOpen = dialWindow() && dialWindow()->isVisible();
        if (QDialog* window = dialWindow())
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
    });
    QTest::keyClick(f.list(1), Qt::Key(key));
    QVERIFY(stayedOpen);
    QVERIFY(!dialWindow());

    // Should a repeat dial anyway, its window is cancelled at once rather than block.
    int dialledAgain = 0;
    QTimer cancelAny;
    connect(&cancelAny, &QTimer::timeout, this, [&dialledAgain] {
        if (QDialog* window = dialWindow()) {
            ++dialledAgain;
            window->reject();
        }
    });
    cancelAny.start(5);
    sendRepeats(f.list(1), key, 5);
    QCOMPARE(dialledAgain, 0);
    QCOMPARE(dialLines(modem.received()), 1);
    QVERIFY(f.boxes.shown.isEmpty());
}

void ListKeysTest::editingKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<QString>("opens"); // "editor:<name in it>", "question", or empty

    const int none = int(Qt::NoModifier);
    QTest::newRow("Insert: empty editor")
        << int(Qt::Key_Insert) << none << false << 1 << QStringLiteral("editor:");
    QTest::newRow("Insert without selection")
        << int(Qt::Key_Insert) << none << false << -1 << QStringLiteral("editor:");
    QTest::newRow("F2: the selected entry")
        << int(Qt::Key_F2) << none << false << 1 << QStringLiteral("editor:Meier, Hans");
    QTest::newRow("F2 without selection") << int(Qt::Key_F2) << none << false << -1 << QString();
    QTest::newRow("Delete asks") << int(Qt::Key_Delete) << none << false << 2
                                 << QStringLiteral("question");
    QTest::newRow("Delete without selection")
        << int(Qt::Key_Delete) << none << false << -1 << QString();
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << false << 1
                                  << QString();
    QTest::newRow("Delete held: only its first press")
        << int(Qt::Key_Delete) << none << true << 1 << QString();
}

void ListKeysTest::editingKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(int, selectedRow);
    QFETCH(QString, opens);

    WindowFixture f(kEntries);
    if (selectedRow >= 0)
        f.select(1, selectedRow);
    f.list(1)->setFocus();
    QString seen;
    ModalWatch watch([&seen](QWidget* modal) {
        if (modal->objectName() == QLatin1String("Form2"))
            seen = QStringLiteral("editor:") +
                   modal->findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->text();
        static_cast<QDialog*>(modal)->reject();
    });
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), autoRepeat);
    QApplication::sendEvent(f.list(1), &press);

    if (opens == QLatin1String("question")) {
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown[0].title, QStringLiteral("Eintrag löschen"));
        QVERIFY(f.boxes.shown[0].text.endsWith(QStringLiteral("Zander, Udo (44 20 7946)")));
    } else {
        QVERIFY(f.boxes.shown.isEmpty());
    }
    QCOMPARE(seen, opens.startsWith(QLatin1String("editor:")) ? opens : QString());
    QCOMPARE(f.names(1).size(), kEntries.size()); // every question was answered No
}

void ListKeysTest::removedLineLeavesNoSelection_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("first line") << 0;
    QTest::newRow("middle line") << 1;
    QTest::newRow("last line") << 2;
}

// Otherwise the next "&Löschen", "&Ändern" or Enter would act on a line the user never
// picked.
void ListKeysTest::removedLineLeavesNoSelection() {
    QFETCH(int, row);
    WindowFixture f(kEntries);
    f.select(1, row);
    f.list(1)->setFocus();
    f.boxes.answers << MessageBoxRecorder::Answer::Yes;
    QTest::keyClick(f.list(1), Qt::Key_Delete);

    QCOMPARE(f.names(1).size(), kEntries.size() - 1);
    QVERIFY(!f.list(1)->selectionModel()->hasSelection());
    chooseInNextPopup(QString(), [](QMenu* menu) {
        QVERIFY(menu->findChild<QAction*>(QStringLiteral("pum(1)"))->isEnabled());
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("pum(2)"))->isEnabled());
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("pum(3)"))->isEnabled());
    });
    QTest::mouseClick(f.list(1)->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(f.boxes.shown.size(), 1);
}

QTEST_MAIN(ListKeysTest)
#include "ListKeysTest.moc"
