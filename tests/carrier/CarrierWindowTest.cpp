// The carrier shown where the user looks: the status bar's preview, the message of a
// re-sort, the checker window with its week chart, and its button on the options page.
#include "CarrierStatus.h"
#include "ProviderCheckWindow.h"
#include "ProviderTableModel.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace tarvok;

namespace {

const QStringList kEntries{
    QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1"),
    QStringLiteral("1,\"Zander, Udo\",\"49 30 7946\",1"),
};

ProviderRow Row(const char* name, const char* netz, const char* tag, const char* ab,
                const char* bis, const char* weite) {
    return {QString::fromUtf8(name), QString::fromUtf8(netz), QString::fromUtf8(tag),
            QString::fromUtf8(ab),   QString::fromUtf8(bis),  QString::fromUtf8(weite)};
}

ProviderTableModel* Providers(const WindowFixture& f) {
    return qobject_cast<ProviderTableModel*>(
        f.find<QTreeView>(QStringLiteral("TelcoList"))->model());
}

void AddRows(ProviderTableModel* model, const std::vector<ProviderRow>& rows) {
    for (const ProviderRow& row : rows)
        model->AddProviderRow(ProviderRecordFrom(row));
}

QString PreviewText(const WindowFixture& f) {
    return f.find<QLabel>(QStringLiteral("CarrierPreview"))->text();
}

// What a screen reader gets from the status bar: the names of its parts.
QStringList AccessibleParts(QWidget* statusBar) {
    QStringList names;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(statusBar);
    for (int i = 0; bar && i < bar->childCount(); ++i)
        names << bar->child(i)->text(QAccessible::Name);
    return names;
}

QDialog* ShownCheckWindow() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog && dialog->objectName() == QLatin1String("ProviderCheck") ? dialog : nullptr;
}

} // namespace

class CarrierWindowTest : public QObject {
    Q_OBJECT

private slots:
    void previewBesideTheNumber_data() {
        QTest::addColumn<QString>("countryCode");
        QTest::addColumn<int>("entryRow");
        QTest::addColumn<QString>("weite");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("preview");
        QTest::newRow("far call with a carrier") << "49" << 2 << "NF"
                                                 << "49 30 7946"
                                                 << "jetzt: Fern über Alpha (01011)";
        QTest::newRow("near call, no row fits") << "49" << 0 << "F"
                                                << "49 89 123"
                                                << "jetzt: Nah, ohne Anbieter (keine Zeile passt)";
        QTest::newRow("number the dial refuses")
            << "49" << 1 << "NF"
            << "49 30 12;H0"
            << "jetzt: keine Anwahl (ungültiges Zeichen in der Nummer)";
        QTest::newRow("own country not 49")
            << "41" << 2 << "NFA"
            << "49 30 7946"
            << "jetzt: Ausland, ohne Anbieter (Landeskennzahl nicht 49)";
    }
    void previewBesideTheNumber() {
        QFETCH(QString, countryCode);
        QFETCH(int, entryRow);
        QFETCH(QString, weite);
        QFETCH(QString, status);
        QFETCH(QString, preview);
        PhoneBook book;
        book.settings.CountryCode = countryCode;
        book.settings.AreaCode = QStringLiteral("89");
        book.lists[0].insert({QStringLiteral("Meier, Hans"), QStringLiteral("49 89 123"), 1});
        book.lists[0].insert({QStringLiteral("Ypsilon, Ida"), QStringLiteral("49 30 12;H0"), 1});
        book.lists[0].insert({QStringLiteral("Zander, Udo"), QStringLiteral("49 30 7946"), 1});
        WindowFixture f(std::move(book));
        AddRows(Providers(f),
                {{QStringLiteral("Alpha"), QStringLiteral("01011"), QStringLiteral("Immer"),
                  QStringLiteral("00h"), QStringLiteral("24h"), weite}});
        f.select(1, entryRow);

        QCOMPARE(f.statusText(), status); // the first part keeps its own text
        QCOMPARE(PreviewText(f), preview);
        const QStringList parts = AccessibleParts(f.find<QStatusBar>(QStringLiteral("StatusBar1")));
        QVERIFY2(parts.contains(status) && parts.contains(preview), qPrintable(parts.join('|')));
    }

    // A change of the table, a header click and a tab change all show at once.
    void previewFollowsTableAndListInFront() {
        WindowFixture f(kEntries);
        ProviderTableModel* providers = Providers(f);
        f.select(1, 1);
        QCOMPARE(PreviewText(f), QStringLiteral("jetzt: Fern, ohne Anbieter (keine Zeile passt)"));

        AddRows(providers, {Row("Alpha", "01011", "Immer", "00h", "24h", "NFA"),
                            Row("Beta", "01022", "Immer", "00h", "24h", "NFA")});
        QCOMPARE(PreviewText(f), QStringLiteral("jetzt: Fern über Alpha (01011)"));

        f.tabs()->setCurrentIndex(4);
        QHeaderView* header = f.find<QTreeView>(QStringLiteral("TelcoList"))->header();
        emit header->sectionClicked(1); // "Netz", ascending: the same order, no message
        QCOMPARE(f.statusText(), QStringLiteral("Bitte gewünschte Änderungen vornehmen"));
        emit header->sectionClicked(1); // descending: Beta first
        QCOMPARE(f.statusText(), QStringLiteral("Reihenfolge geändert: 168 Stunden der Woche "
                                                "wählen jetzt einen anderen Anbieter (Nah, "
                                                "Fern, Ausland)"));
        QCOMPARE(PreviewText(f), QStringLiteral("jetzt: Fern über Beta (01022)"));

        f.tabs()->setCurrentIndex(1); // list 2 has no selection
        QCOMPARE(PreviewText(f), QString());
        f.tabs()->setCurrentIndex(0);
        QCOMPARE(PreviewText(f), QStringLiteral("jetzt: Fern über Beta (01022)"));
    }

    void previewTurnsWithTheHour() {
        AppState state;
        state.phoneBook.settings.CountryCode = QStringLiteral("49");
        ProviderTableModel providers(state.providers);
        AddRows(&providers, {Row("Alpha", "01011", "Immer", "00h", "11h", "F"),
                             Row("Beta", "01022", "Immer", "11h", "24h", "F")});
        QStatusBar bar;
        QElapsedTimer elapsed;
        elapsed.start();
        const QDateTime start(QDate(2026, 3, 2), QTime(10, 59, 59, 700));
        CarrierStatus status(state, providers, &bar,
                             [&] { return start.addMSecs(elapsed.elapsed()); });
        status.setEntryLine(EntryLine({QStringLiteral("A"), QStringLiteral("49 30 1"), 1}));
        QCOMPARE(status.text(), QStringLiteral("jetzt: Fern über Alpha (01011)"));
        QTRY_COMPARE_WITH_TIMEOUT(status.text(), QStringLiteral("jetzt: Fern über Beta (01022)"),
                                  5000);
    }

    void checkerFindingsAndChart() {
        ProviderTable table;
        for (const ProviderRow& row : {Row("A all", "01011", "Immer", "00h", "24h", "NF"),
                                       Row("B day", "01022", "Mo-Fr", "08h", "18h", "N"),
                                       Row("C night", "01033", "Immer", "18h", "08h", "A")})
            table.AddProviderRow(ProviderRecordFrom(row));
        ProviderCheckWindow window(table, QString());
        auto* findings = window.findChild<QListView*>(QStringLiteral("Findings"));
        QStringList lines;
        for (int row = 0; row < findings->model()->rowCount(); ++row)
            lines << findings->model()->index(row, 0).data().toString();
        QCOMPARE(lines,
                 QStringList({"Zeile 2 (B day) kommt nie zum Zug: jeder passende Anruf geht an "
                              "Zeile 1 (A all)",
                              "Zeile 3 (C night) passt zu keinem Anruf: „ab“ liegt nicht vor "
                              "„bis“",
                              "Lücke: Mo-So 00-24 Uhr, Ausland ohne Anbieter"}));

        QList<int> chosen;
        connect(&window, &ProviderCheckWindow::rowChosen, this, [&](int row) { chosen << row; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int row = 0; row < 3; ++row)
            QTest::mouseClick(findings->viewport(), Qt::LeftButton, {},
                              findings->visualRect(findings->model()->index(row, 0)).center());
        QCOMPARE(chosen, QList<int>({1, 2})); // a gap names no row

        auto* chart = window.findChild<QTableView*>(QStringLiteral("WeekChart"));
        QCOMPARE(chart->model()->rowCount(), 7);
        QCOMPARE(chart->model()->columnCount(), 24);
        const QModelIndex mondayNine = chart->model()->index(0, 9);
        QCOMPARE(mondayNine.data().toString(), QStringLiteral("01011"));
        QCOMPARE(mondayNine.data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Montag, 09 Uhr: A all (01011)"));
        window.findChild<QComboBox*>(QStringLiteral("ChartDistance"))->setCurrentIndex(2);
        QCOMPARE(mondayNine.data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Montag, 09 Uhr: ohne Anbieter"));
        QCOMPARE(mondayNine.data().toString(), QStringLiteral("–"));
        // The cell as a screen reader finds it on the accessibility bus.
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(chart);
        QVERIFY(view && view->tableInterface());
        QAccessibleInterface* cell = view->tableInterface()->cellAt(0, 9);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Montag, 09 Uhr: ohne Anbieter"));
    }

    void chartSavedAsPicture() {
        MessageBoxRecorder boxes;
        ProviderTable table;
        table.AddProviderRow(ProviderRecordFrom(Row("A", "01011", "Immer", "00h", "24h", "NF")));
        ProviderCheckWindow window(table, QString());
        window.show();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Woche.png"));
        QVERIFY(window.saveChartPicture(path));
        QImage picture(path);
        QVERIFY(!picture.isNull() && picture.width() > 100);
        QVERIFY(boxes.shown.isEmpty());

        QVERIFY(!window.saveChartPicture(dir.filePath(QStringLiteral("fehlt/Woche.png"))));
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown[0].text.startsWith(
            QStringLiteral("Die Wochenübersicht konnte nicht gespeichert werden.")));
    }

    // "Prüfen" beside the provider list opens the checker; a clicked finding selects its row.
    void checkButtonSelectsTheRowOfAFinding() {
        WindowFixture f(kEntries);
        AddRows(Providers(f), {Row("Alpha", "01011", "Immer", "00h", "24h", "NFA"),
                               Row("Beta", "01022", "Immer", "00h", "24h", "NFA")});
        f.tabs()->setCurrentIndex(4);
        auto* button = f.find<QPushButton>(QStringLiteral("CheckProviders"));
        QCOMPARE(button->text(), QStringLiteral("Prüfen"));
        int busy = 0;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, this, [&] {
            QDialog* window = ShownCheckWindow();
            if (!window)
                return;
            poll.stop();
            busy = f.state.ModalBusy;
            QCOMPARE(window->windowTitle(), QStringLiteral("Anbietertabelle prüfen"));
            auto* findings = window->findChild<QListView*>(QStringLiteral("Findings"));
            QTest::mouseClick(findings->viewport(), Qt::LeftButton, {},
                              findings->visualRect(findings->model()->index(0, 0)).center());
            window->reject();
        });
        poll.start();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(busy, -1);
        QCOMPARE(f.state.ModalBusy, 0);
        QTreeView* telco = f.find<QTreeView>(QStringLiteral("TelcoList"));
        QVERIFY(telco->selectionModel()->isRowSelected(1, {}));
    }
};

QTEST_MAIN(CarrierWindowTest)
#include "CarrierWindowTest.moc"
