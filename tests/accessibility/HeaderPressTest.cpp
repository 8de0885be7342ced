// The provider table's column headers as a screen reader uses them: each offers "Press",
// which sorts the way a click on the header does, while the rest of the table stays Qt's.
#include "ProviderTableModel.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace tarvok;

namespace {

const QStringList kEntries{QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1")};
const ProviderRecord kProviders[] = {
    {"Beispiel", "01234", 1, 0, 9, 18, 0, 1, 0},
    {"Arcor", "01070", 1, 1, 0, 24, 1, 1, 1},
    {"Mobilcom", "01019", 0, 1, 5, 24, 0, 1, 0},
};

// A main window showing its options page, with three providers in TelcoList.
struct ProviderWindow {
    ProviderWindow() {
        f.tabs()->setCurrentIndex(4);
        for (const ProviderRecord& record : kProviders)
            qobject_cast<ProviderTableModel*>(model())->AddProviderRow(record);
    }

    QTreeView* view() const { return f.find<QTreeView>(QStringLiteral("TelcoList")); }
    QAbstractItemModel* model() const { return view()->model(); }
    QAccessibleInterface* table() const { return QAccessible::queryAccessibleInterface(view()); }

    int section(const QString& header) const {
        for (int column = 0; column < model()->columnCount(); ++column) {
            if (model()->headerData(column, Qt::Horizontal).toString() == header)
                return column;
        }
        return -1;
    }
    QString rows() const {
        QStringList names;
        for (int row = 0; row < model()->rowCount(); ++row)
            names << model()->index(row, 0).data().toString();
        return names.join(QLatin1String(", "));
    }
    // All a sort changes that a user meets: the rows, the sort indicator, the status line.
    QString shown() const {
        const QHeaderView* header = view()->header();
        return QStringLiteral("%1 | %2 %3 | %4")
            .arg(rows())
            .arg(header->sortIndicatorSection())
            .arg(QLatin1String(header->sortIndicatorOrder() == Qt::AscendingOrder ? "up" : "down"))
            .arg(f.statusText());
    }

    void press(const QString& header) const {
        QAccessibleInterface* cell = table()->child(section(header));
        if (cell && cell->actionInterface())
            cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    void click(const QString& header) const {
        QHeaderView* headerView = view()->header();
        const int at = section(header);
        // "Netz" starts one pixel wide; a user widens it before clicking it.
        if (headerView->sectionSize(at) < 20)
            headerView->resizeSection(at, 40);
        QTest::mouseClick(
            headerView->viewport(), Qt::LeftButton, {},
            QPoint(headerView->sectionViewportPosition(at) + headerView->sectionSize(at) / 2,
                   headerView->height() / 2));
    }

    WindowFixture f{kEntries};
};

using Act = void (ProviderWindow::*)(const QString&) const;

QStringList shownAfterEach(const QStringList& headers, Act act) {
    ProviderWindow window;
    QStringList shown;
    for (const QString& header : headers) {
        (window.*act)(header);
        shown << window.shown();
    }
    return shown;
}

} // namespace

class HeaderPressTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void headerCellsOfferPress();
    void pressSortsLikeAClick_data();
    void pressSortsLikeAClick();
    void cellsStayQts();
    void pressWaitsForAnOpenModalWindow();
    void windowGoesWithTheInterfacesHeld();
};

// Reached the way a screen reader walks the tree, they answer for themselves consistently.
void HeaderPressTest::headerCellsOfferPress() {
    ProviderWindow window;
    QAccessibleInterface* table = window.table();
    QVERIFY(table);
    for (int column = 0; column < window.model()->columnCount(); ++column) {
        QAccessibleInterface* cell = table->child(column);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::ColumnHeader);
        QCOMPARE(cell->text(QAccessible::Name),
                 window.model()->headerData(column, Qt::Horizontal).toString());
        QVERIFY(cell->actionInterface());
        QCOMPARE(cell->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        QCOMPARE(table->child(column), cell);
        QCOMPARE(table->indexOfChild(cell), column);
        QCOMPARE(cell->parent(), table);
    }
}

void HeaderPressTest::pressSortsLikeAClick_data() {
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QString>("rows"); // after the last
    QTest::newRow("Netz") << QStringList{"Netz"} << "Mobilcom, Arcor, Beispiel";
    QTest::newRow("Netz again reverses")
        << QStringList{"Netz", "Netz"} << "Beispiel, Arcor, Mobilcom";
    QTest::newRow("the sorted column keeps its direction")
        << QStringList{"Name"} << "Arcor, Beispiel, Mobilcom";
    QTest::newRow("another column keeps the reversed direction")
        << QStringList{"Netz", "Netz", "Name"} << "Mobilcom, Beispiel, Arcor";
}

void HeaderPressTest::pressSortsLikeAClick() {
    QFETCH(QStringList, headers);
    QFETCH(QString, rows);
    const QStringList pressed = shownAfterEach(headers, &ProviderWindow::press);
    QCOMPARE(pressed, shownAfterEach(headers, &ProviderWindow::click));
    QVERIFY2(pressed.last().startsWith(rows + QLatin1String(" |")), qPrintable(pressed.last()));
}

// A modal window keeps the table as it is: the provider editor replaces its row by number.
void HeaderPressTest::pressWaitsForAnOpenModalWindow() {
    ProviderWindow window;
    const QString before = window.shown();
    QDialog editor(window.view()->window());
    editor.setModal(true);
    editor.show();
    QVERIFY(QApplication::activeModalWidget());
    window.press(QStringLiteral("Netz"));
    QCOMPARE(window.shown(), before);
    editor.close();
    window.press(QStringLiteral("Netz"));
    QVERIFY(window.shown() != before);
}

// Rows and cells are Qt's as before: a screen reader reads the table through them.
void HeaderPressTest::cellsStayQts() {
    ProviderWindow window;
    QAccessibleInterface* table = window.table();
    QAccessibleTableInterface* cells = table->tableInterface();
    QVERIFY(cells);
    const QAbstractItemModel* model = window.model();
    QTRY_COMPARE(cells->rowCount(), model->rowCount()); // once the view lays out its rows
    QCOMPARE(cells->columnCount(), model->columnCount());
    QCOMPARE(table->childCount(), (model->rowCount() + 1) * model->columnCount());
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            QAccessibleInterface* cell = cells->cellAt(row, column);
            QVERIFY(cell);
            QCOMPARE(cell->text(QAccessible::Name), model->index(row, column).data().toString());
            QCOMPARE(cell->parent(), table);
            const int index = table->indexOfChild(cell);
            QCOMPARE(index, (row + 1) * model->columnCount() + column);
            QCOMPARE(table->child(index)->text(QAccessible::Name), cell->text(QAccessible::Name));
        }
    }
    QVERIFY(cells->selectRow(1));
    QCOMPARE(cells->selectedRows(), QList<int>{1});
}

// The bridge holds interfaces by their ids; when the window goes, so do they.
void HeaderPressTest::windowGoesWithTheInterfacesHeld() {
    auto window = std::make_unique<ProviderWindow>();
    QAccessibleInterface* table = window->table();
    QList<QAccessible::Id> ids{QAccessible::uniqueId(table)};
    for (int column = 0; column < window->model()->columnCount(); ++column)
        ids << QAccessible::uniqueId(table->child(column));
    window->press(QStringLiteral("Netz"));
    window.reset();
    for (const QAccessible::Id id : ids)
        QVERIFY(!QAccessible::accessibleInterface(id));
}

QTEST_MAIN(HeaderPressTest)
#include "HeaderPressTest.moc"
