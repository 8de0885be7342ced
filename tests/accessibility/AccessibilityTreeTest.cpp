// Every window as a screen reader meets it: walks the accessibility tree and fails on a
// visible control whose name is empty or hides the text it shows.
#include "AboutBox.h"
#include "DialWindow.h"
#include "EntryEditor.h"
#include "ImportWindow.h"
#include "ModemDevicesWindow.h"
#include "PopupDriver.h"
#include "ProviderCheckWindow.h"
#include "ProviderEditor.h"
#include "SearchWindow.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QStringList kEntries{
    QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1"),
    QStringLiteral("2,\"Albers, Eva\",\"49 30 555\",0"),
};

// A caption as it is heard: without the Alt-key marks and without the hyphens where a
// caption is broken over two lines.
QString heard(QString text) {
    text.remove(QChar(0x00AD));
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1String("\x01"), QLatin1String("&"));
    text.remove(QLatin1String("- "));
    return text.simplified();
}

bool isSymbol(const QString& text) {
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return false;
    }
    return !text.isEmpty();
}

// The text a control shows as its caption; null for controls that show a value instead.
QString shownCaption(QObject* object) {
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(object))
        return group->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->isSeparator() ? QString() : action->text();
    return {};
}

// The text of the first caption a control is labelled by.
QString captionOf(QAccessibleInterface* iface) {
    for (const auto& [label, relation] : iface->relations(QAccessible::Label)) {
        if (qobject_cast<QLabel*>(label->object()))
            return heard(label->text(QAccessible::Name));
    }
    return {};
}

QString describe(QAccessibleInterface* iface) {
    QObject* object = iface->object();
    return QStringLiteral("%1 \"%2\"")
        .arg(object ? object->objectName() + QLatin1Char(' ') +
                          QLatin1String(object->metaObject()->className())
                    : QStringLiteral("role %1").arg(int(iface->role())),
             iface->text(QAccessible::Name));
}

// Qt on Linux names a drop-down list by its current item; what the list chooses reaches the
// screen reader as its label, which only a caption's buddy gives.
void checkList(QAccessibleInterface* iface, QStringList& faults) {
    auto* combo = qobject_cast<QComboBox*>(iface->object());
    if (!combo)
        return;
    if (!combo->currentText().isEmpty() && iface->text(QAccessible::Name) != combo->currentText())
        faults << describe(iface) + QStringLiteral(" is not named by its current item");
    if (captionOf(iface).isEmpty())
        faults << describe(iface) + QStringLiteral(" has no caption as its label");
}

void checkOne(QAccessibleInterface* iface, QStringList& faults) {
    QObject* object = iface->object();
    const QString name = heard(iface->text(QAccessible::Name));
    const QString caption = heard(shownCaption(object));
    if (!caption.isEmpty()) {
        const bool heardAsShown = name.contains(caption);
        const bool symbolNamed = isSymbol(caption) && !name.isEmpty() && name != caption;
        if (!heardAsShown && !symbolNamed)
            faults << describe(iface) + QStringLiteral(" hides its text \"%1\"").arg(caption);
        return;
    }
    const bool control =
        qobject_cast<QLineEdit*>(object) || qobject_cast<QComboBox*>(object) ||
        qobject_cast<QSlider*>(object) || qobject_cast<QMenu*>(object) ||
        (qobject_cast<QAbstractItemView*>(object) && !qobject_cast<QHeaderView*>(object)) ||
        iface->role() == QAccessible::PageTab;
    if (control && name.isEmpty())
        faults << describe(iface) + QStringLiteral(" has no name");
    checkList(iface, faults);
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        if (iface->text(QAccessible::Value) != edit->text())
            faults << describe(iface) + QStringLiteral(" hides its text");
    }
}

using Check = void (*)(QAccessibleInterface*, QStringList&);

void walk(QAccessibleInterface* iface, QStringList& faults, Check check, int depth = 0) {
    if (!iface || depth > 30)
        return;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        // Scroll bars and item cells carry no caption of their own.
        if (qobject_cast<QScrollBar*>(child->object()))
            continue;
        check(child, faults);
        walk(child, faults, check, depth + 1);
    }
}

QStringList faultsIn(QWidget* window, Check check = checkOne) {
    QStringList faults;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    if (!iface)
        return {QStringLiteral("no accessible interface")};
    if (iface->text(QAccessible::Name).isEmpty())
        faults << describe(iface) + QStringLiteral(" has no name");
    walk(iface, faults, check);
    return faults;
}

QMenu* menu(const WindowFixture& f, const char* name) {
    return f.window->findChild<QMenu*>(QLatin1String(name));
}

// The item of a shown menu as a screen reader finds it: by the name it hears.
QAccessibleInterface* menuItem(QMenu* shown, const QString& heardName) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(shown);
    for (int i = 0; iface && i < iface->childCount(); ++i) {
        if (iface->child(i)->text(QAccessible::Name) == heardName)
            return iface->child(i);
    }
    return nullptr;
}

} // namespace

class AccessibilityTreeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void mainWindowTabs_data();
    void mainWindowTabs();
    void popupMenus_data();
    void popupMenus();
    void dialogs_data();
    void dialogs();
    void listsOfTheSetUpWindows_data();
    void listsOfTheSetUpWindows();
    void messageBox();
    void menuItemPressActsLikeAClick_data();
    void menuItemPressActsLikeAClick();
};

void AccessibilityTreeTest::mainWindowTabs_data() {
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < 5; ++tab)
        QTest::newRow(qPrintable(QStringLiteral("tab %1").arg(tab + 1))) << tab;
}

void AccessibilityTreeTest::mainWindowTabs() {
    QFETCH(int, tab);
    WindowFixture f(kEntries);
    f.tabs()->setCurrentIndex(tab);
    f.select(1, 0);
    const QStringList faults = faultsIn(f.window.get());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void AccessibilityTreeTest::popupMenus_data() {
    QTest::addColumn<QString>("menuName");
    QTest::newRow("Namensliste") << QStringLiteral("pummain");
    QTest::newRow("Taskleiste") << QStringLiteral("pummain2");
    QTest::newRow("Anbieter") << QStringLiteral("pummain3");
}

void AccessibilityTreeTest::popupMenus() {
    QFETCH(QString, menuName);
    WindowFixture f(kEntries);
    QMenu* shown = menu(f, menuName.toLatin1().constData());
    QVERIFY(shown);
    shown->popup(f.window->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QStringList faults = faultsIn(shown);
    shown->hide();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void AccessibilityTreeTest::dialogs_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("entry editor") << 0;
    QTest::newRow("provider editor") << 1;
    QTest::newRow("dial window") << 2;
    QTest::newRow("import preview") << 3;
    QTest::newRow("search box") << 4;
}

void AccessibilityTreeTest::dialogs() {
    QFETCH(int, which);
    std::unique_ptr<QWidget> window;
    tarvok::PhoneBook book;
    book.lists[0].insert({QStringLiteral("Meier, Hans"), QStringLiteral("49 89 123"), 1});
    if (which == 3)
        window = std::make_unique<tarvok::ImportWindow>(
            book,
            std::vector<tarvok::ContactNumber>{
                {QStringLiteral("Albers, Eva"), QStringLiteral("030 555")}},
            1, tarvok::StandardImportRules(QStringLiteral("49"), QStringLiteral("89")));
    else if (which == 4)
        window = std::make_unique<tarvok::SearchWindow>(book);
    else if (which == 0)
        window = std::make_unique<tarvok::EntryEditor>();
    else if (which == 1)
        window = std::make_unique<tarvok::ProviderEditor>();
    else
        window = std::make_unique<tarvok::DialWindow>(QStringLiteral("Meier, Hans"),
                                                      QStringLiteral("089 123"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList faults = faultsIn(window.get());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void AccessibilityTreeTest::listsOfTheSetUpWindows_data() {
    QTest::addColumn<bool>("devices");
    QTest::newRow("modem devices") << true;
    QTest::newRow("provider check") << false;
}

// The device lists and the chart's distance list, walked for their drop-down lists only.
void AccessibilityTreeTest::listsOfTheSetUpWindows() {
    QFETCH(bool, devices);
    QTemporaryDir dataDir;
    std::unique_ptr<QWidget> window;
    if (devices)
        window = std::make_unique<tarvok::ModemDevicesWindow>(
            dataDir.path(),
            std::vector<tarvok::SerialDeviceInfo>{
                {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB-Modem"), QString()}},
            nullptr);
    else
        window = std::make_unique<tarvok::ProviderCheckWindow>(tarvok::ProviderTable(), QString());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList faults = faultsIn(window.get(), checkList);
    // Closed while whole: the devices window takes a typed path when its text box loses focus.
    window->close();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// The about box stands for every message box: all of them are Qt's own box.
void AccessibilityTreeTest::messageBox() {
    QStringList faults{QStringLiteral("the box never showed")};
    ModalWatch watch([&faults](QWidget* box) {
        faults = faultsIn(box);
        box->close();
    });
    tarvok::ShowAboutBox(nullptr);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void AccessibilityTreeTest::menuItemPressActsLikeAClick_data() {
    QTest::addColumn<QString>("menuName");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("opens"); // objectName of the window, or the box's title
    QTest::newRow("Namensliste: Einfügen")
        << QStringLiteral("pummain") << QStringLiteral("Einfügen") << QStringLiteral("Form2");
    QTest::newRow("Anbieter: Einfügen")
        << QStringLiteral("pummain3") << QStringLiteral("Einfügen") << QStringLiteral("Form3");
    QTest::newRow("Taskleiste: Info")
        << QStringLiteral("pummain2") << QStringLiteral("Info") << QStringLiteral("Tarvok-Pro");
}

// A screen reader chooses a menu item through the item's "Press" action.
void AccessibilityTreeTest::menuItemPressActsLikeAClick() {
    QFETCH(QString, menuName);
    QFETCH(QString, item);
    QFETCH(QString, opens);
    WindowFixture f(kEntries);
    f.tabs()->setCurrentIndex(menuName == QLatin1String("pummain3") ? 4 : 0);
    QMenu* shown = menu(f, menuName.toLatin1().constData());

    QString opened;
    ModalWatch watch([&opened](QWidget* modal) {
        opened = modal->objectName();
        modal->close();
    });
    // The menu runs its own loop; the press comes from inside it, once it shows.
    bool pressed = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (!shown->isVisible() || pressed)
            return;
        pressed = true;
        QAccessibleInterface* itemIface = menuItem(shown, item);
        QVERIFY(itemIface && itemIface->actionInterface());
        itemIface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    });
    poll.start(5);
    QTimer::singleShot(3000, shown, &QMenu::hide); // should the press leave it open
    if (menuName == QLatin1String("pummain"))
        QTest::mouseClick(f.list(1)->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    else if (menuName == QLatin1String("pummain2"))
        f.tray.press(tarvok::TrayIcon::Press::Right);
    else
        emit f.window->findChild<QWidget*>(QStringLiteral("TelcoList"))
            ->customContextMenuRequested(QPoint(5, 5));
    QTRY_VERIFY(pressed);
    QTRY_VERIFY(!shown->isVisible());
    if (menuName == QLatin1String("pummain2")) {
        QTRY_COMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown[0].title, opens);
    } else {
        QTRY_COMPARE(opened, opens);
    }
}

QTEST_MAIN(AccessibilityTreeTest)
#include "AccessibilityTreeTest.moc"
