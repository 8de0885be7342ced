// Nothing is drawn over anything else: in every window and on every page, at the UI font
// sizes users choose (this program also runs with QT_FONT_DPI=144 and 192), no two visible
// sibling widgets overlap and no widget reaches outside its parent. A widget laid over
// another catches the other's clicks and hides its lower rows.
#include "DialWindow.h"
#include "EntryEditor.h"
#include "ImportWindow.h"
#include "ModemDevicesWindow.h"
#include "ModemTestWindow.h"
#include "ProviderCheckWindow.h"
#include "ProviderEditor.h"
#include "SearchWindow.h"
#include "WindowFixture.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

const QStringList kEntries{QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1"),
                           QStringLiteral("1,\"Bäcker, Jürgen\",\"49 30 7654321\",1")};

// Qt's composite widgets place their own parts (a scroll area's bars and viewport, a tab
// widget's bar over its frame); how they do is Qt's business, what lies inside not.
bool isQtInternal(const QWidget* parent) {
    return qobject_cast<const QAbstractScrollArea*>(parent) ||
           qobject_cast<const QComboBox*>(parent) || qobject_cast<const QLineEdit*>(parent) ||
           qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QTabWidget*>(parent);
}

QString describe(const QWidget* widget) {
    const QRect g = widget->geometry();
    return QStringLiteral("%1 (%2) at %3,%4 %5x%6")
        .arg(widget->objectName(), QString::fromLatin1(widget->metaObject()->className()))
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height());
}

void collectFaults(const QWidget* parent, QStringList& faults) {
    const bool checked = !isQtInternal(parent);
    QList<const QWidget*> shown;
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (!child || child->isWindow() || !child->isVisible())
            continue;
        collectFaults(child, faults);
        if (!checked)
            continue;
        if (!parent->rect().contains(child->geometry()))
            faults << describe(child) + QStringLiteral(" reaches outside ") + describe(parent);
        for (const QWidget* other : shown)
            if (other->geometry().intersects(child->geometry()))
                faults << describe(child) + QStringLiteral(" lies over ") + describe(other);
        shown << child;
    }
}

void checkWindow(QWidget* window, const char* what) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // Layouts settle on posted events, a label that wraps anew over a few rounds of them.
    for (int round = 0; round < 5; ++round)
        QApplication::processEvents();
    QStringList faults;
    collectFaults(window, faults);
    QVERIFY2(faults.isEmpty(), qPrintable(QString::fromLatin1(what) + u'\n' + faults.join(u'\n')));
}

} // namespace

class LayoutOverlapTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_font = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_font); }
    void nothingLiesOverAnything_data();
    void nothingLiesOverAnything();

private:
    QFont m_font;
};

void LayoutOverlapTest::nothingLiesOverAnything_data() {
    QTest::addColumn<int>("points");
    for (int points = 9; points <= 14; ++points)
        QTest::addRow("%d pt", points) << points;
}

void LayoutOverlapTest::nothingLiesOverAnything() {
    QFETCH(int, points);
    QFont font = m_font;
    font.setPointSize(points);
    QApplication::setFont(font);

    WindowFixture f(kEntries);
    f.state.phoneBook.settings.HandOverNumber = QStringLiteral("01234567890123456789");
    for (int tab = 0; tab < 5; ++tab) {
        f.tabs()->setCurrentIndex(tab);
        checkWindow(f.window.get(), "main window");
    }
    // A window made larger or as small as it goes keeps everything apart too.
    f.window->resize(f.window->size() + QSize(300, 200));
    checkWindow(f.window.get(), "larger main window");
    f.window->resize(1, 1);
    checkWindow(f.window.get(), "smallest main window");

    tarvok::EntryEditor entry;
    entry.setEntry(QStringLiteral("Meier, Hans"), QStringLiteral("49 89 1234567"), 1);
    checkWindow(&entry, "entry editor");
    tarvok::ProviderEditor provider;
    checkWindow(&provider, "provider editor");
    tarvok::DialWindow dial(QStringLiteral("Meier, Hans"), QStringLiteral("0049 89 1234567"));
    checkWindow(&dial, "dial window");
    tarvok::ModemTestWindow modemTest(1);
    checkWindow(&modemTest, "modem test");
    tarvok::ModemDevicesWindow devices(f.state.dataDir, {}, [](int) {});
    checkWindow(&devices, "modem devices");
    tarvok::ProviderCheckWindow check(tarvok::ProviderTable(), f.state.dataDir);
    checkWindow(&check, "provider check");
    tarvok::SearchWindow search(f.state.phoneBook);
    checkWindow(&search, "search");
    const std::vector<tarvok::ContactNumber> numbers{{QStringLiteral("Müller, Jürgen (mobil)"),
                                                      QStringLiteral("+49 170 1234567"),
                                                      tarvok::ContactKind::Mobile, 3}};
    tarvok::ImportWindow import(
        f.state.phoneBook, numbers, 1,
        tarvok::StandardImportRules(QStringLiteral("49"), QStringLiteral("89")));
    checkWindow(&import, "import");
}

QTEST_MAIN(LayoutOverlapTest)
#include "LayoutOverlapTest.moc"
