// TelcoList on the options page: header sorting, the "Anbieter" menu, the provider editor
// through the page, the delete question, and Provider.DAT / Provider.BAK after each.

#include "AppState.h"
#include "MessageBox.h"
#include "OptionsPage.h"
#include "ProviderEditor.h"
#include "ProviderFile.h"
#include "ProviderTableModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>

#include <functional>
#include <memory>

using namespace tarvok;

namespace {

const ProviderRecord kBeispiel{"Beispiel", "01234", 1, 0, 9, 18, 0, 1, 0};
const ProviderRecord kArcor{"Arcor", "01070", 1, 1, 0, 24, 1, 1, 1};
const ProviderRecord kMobilcom{"Mobilcom", "01019", 0, 1, 5, 24, 0, 1, 0};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What the editor showed when it opened, and how the test answered it.
struct EditorVisit {
    bool opened = false;
    QString name;
    QString code;
    ProviderRecord shown;
    int modalBusy = 0;
    bool newEntryMode = false;
};

} // namespace

class ProviderListTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listShowsSixColumns();
    void headerSorting_data();
    void headerSorting();
    void menuEnabledStates_data();
    void menuEnabledStates();
    void editorThroughThePage_data();
    void editorThroughThePage();
    void changingAnEmptyRowAddsANewOne();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void failedSaveIsShownAndRowStays();
    void modelSignalsFollowTheTable();

private:
    QString names() const;
    QPoint rowCentre(int row) const;
    void selectRow(int row);
    void doubleClick(QPoint at);
    void openMenuAt(QPoint at, const std::function<void(QMenu*)>& inMenu);
    void clickHeader(int section);
    // Answers the editor once it is open: types the texts (a null string leaves the box
    // alone) and presses OK or Abbrechen.
    void answerEditor(const QString& name, const QString& code, bool ok);
    void verifyFilesAfter(bool saved);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ProviderTableModel> m_model;
    std::unique_ptr<OptionsPage> m_page;
    QTreeView* m_list = nullptr;
    QByteArray m_initialFile;
    QList<MessageBox::Shown> m_boxes;
    MessageBox::Answer m_answer = MessageBox::Answer::No;
    EditorVisit m_visit;
    QTimer* m_editorWatch = nullptr;
};

void ProviderListTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_state->dataDir = m_dir->path();
    m_model = std::make_unique<ProviderTableModel>(m_state->providers);
    for (const ProviderRecord& record : {kBeispiel, kArcor, kMobilcom})
        m_model->AddProviderRow(record);
    FileError error;
    QVERIFY(SaveProviderFile(m_dir->path(), m_state->providers, &error));
    m_initialFile = ReadFile(m_dir->filePath(QLatin1String(kProviderFileName)));

    m_page = std::make_unique<OptionsPage>(*m_state, *m_model);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    m_page->LoadOptionControls();
    m_list = m_page->findChild<QTreeView*>(QStringLiteral("TelcoList"));
    QVERIFY(m_list);
    m_boxes.clear();
    m_answer = MessageBox::Answer::No;
    m_visit = {};
    MessageBox::setHandler([this](const MessageBox::Shown& box) {
        m_boxes.append(box);
        return box.icon == MessageBox::Icon::Question ? m_answer : MessageBox::Answer::Ok;
    });
}

void ProviderListTest::cleanup() {
    delete m_editorWatch;
    m_editorWatch = nullptr;
    MessageBox::setHandler({});
    m_page.reset();
    m_model.reset();
    m_state.reset();
    m_dir.reset();
}

QString ProviderListTest::names() const {
    QStringList result;
    for (int row = 0; row < m_model->rowCount(); ++row)
        result << m_model->index(row, ColName).data().toString() + u'|' +
                      m_model->index(row, ColNetz).data().toString();
    return result.join(u", ");
}

QPoint ProviderListTest::rowCentre(int row) const {
    return m_list->visualRect(m_model->index(row, ColName)).center();
}

void ProviderListTest::selectRow(int row) {
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, rowCentre(row));
}

void ProviderListTest::doubleClick(QPoint at) {
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, at);
}

void ProviderListTest::openMenuAt(QPoint at, const std::function<void(QMenu*)>& inMenu) {
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        seen = true;
        inMenu(menu);
        if (menu->isVisible())
            menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, m_list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_list->viewport(), &event);
    QVERIFY(seen);
}

void ProviderListTest::clickHeader(int section) {
    QHeaderView* header = m_list->header();
    // "Netz" starts one pixel wide; a user widens it before clicking it.
    if (header->sectionSize(section) < 20)
        header->resizeSection(section, 40);
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void ProviderListTest::answerEditor(const QString& name, const QString& code, bool ok) {
    m_editorWatch = new QTimer;
    m_editorWatch->setInterval(5);
    connect(m_editorWatch, &QTimer::timeout, this, [this, name, code, ok] {
        auto* editor = qobject_cast<ProviderEditor*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        m_editorWatch->stop();
        m_visit.opened = true;
        m_visit.name = editor->nameText();
        m_visit.code = editor->networkCodeText();
        m_visit.shown = editor->record();
        m_visit.modalBusy = m_state->ModalBusy;
        m_visit.newEntryMode = m_state->NewEntryMode;
        const auto type = [editor](const char* box, const QString& text) {
            if (text.isNull())
                return;
            auto* edit = editor->findChild<QLineEdit*>(QLatin1String(box));
            edit->selectAll();
            if (text.isEmpty())
                QTest::keyClick(edit, Qt::Key_Delete);
            else
                QTest::keyClicks(edit, text);
        };
        type("Text1(0)", name);
        type("Text1(1)", code);
        auto* button = editor->findChild<QPushButton*>(ok ? QStringLiteral("Command1(0)")
                                                          : QStringLiteral("Command1(1)"));
        QTest::mouseClick(button, Qt::LeftButton);
    });
    m_editorWatch->start();
}

void ProviderListTest::verifyFilesAfter(bool saved) {
    const QByteArray file = ReadFile(m_dir->filePath(QLatin1String(kProviderFileName)));
    const QString backup = m_dir->filePath(QLatin1String(kProviderBackupName));
    if (saved) {
        QCOMPARE(file, ProviderFileBytes(m_state->providers));
        QCOMPARE(ReadFile(backup), m_initialFile);
    } else {
        QCOMPARE(file, m_initialFile);
        QVERIFY(!QFile::exists(backup));
    }
}

void ProviderListTest::listShowsSixColumns() {
    QHeaderView* header = m_list->header();
    QStringList headers;
    QList<int> widths;
    for (int section = 0; section < header->count(); ++section) {
        headers << m_model->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
        widths << header->sectionSize(section);
    }
    QCOMPARE(headers, QStringList({"Name", "Netz", "Tag", "ab", "bis", "Weite"}));
    // Drawn at 882, 18, 706, 353, 353, 794 twips (59, 1, 47, 24, 24, 53 px) for an 8-point
    // font: "Netz" stays practically hidden, the others grow alike with a larger font, and
    // "Name" takes the rest of the table.
    const QList<int> drawn{59, 1, 47, 24, 24, 53};
    const double scale = widths[2] / 47.0;
    QVERIFY2(scale >= 0.99, qPrintable(QString::number(scale)));
    QVERIFY(widths[1] <= 2);
    for (int section = 3; section < drawn.size(); ++section)
        QVERIFY2(qAbs(widths[section] - drawn[section] * scale) <= 1.0,
                 qPrintable(QStringLiteral("column %1: %2").arg(section).arg(widths[section])));
    QVERIFY(widths[0] >= qRound(drawn[0] * scale));
    int total = 0;
    for (const int width : widths)
        total += width;
    QCOMPARE(total, m_list->viewport()->width());
    QCOMPARE(m_list->toolTip(), QStringLiteral("Änderungen über Kontextmenü (rechte Maustaste)"));
    // The tip shows over the rows too, not only over the header and the frame.
    QHelpEvent help(QEvent::ToolTip, rowCentre(0), m_list->viewport()->mapToGlobal(rowCentre(0)));
    QApplication::sendEvent(m_list->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), m_list->toolTip());
    QCOMPARE(m_model->index(0, ColAb).data().toString(), QStringLiteral("00h"));
    // Selecting a cell selects its whole row, and only one.
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {},
                      m_list->visualRect(m_model->index(2, ColWeite)).center());
    QCOMPARE(m_list->selectionModel()->selectedRows().size(), 1);
    QVERIFY(m_list->selectionModel()->isRowSelected(2, {}));
    selectRow(0);
    QCOMPARE(m_list->selectionModel()->selectedIndexes().size(), ProviderColumnCount);
}

void ProviderListTest::headerSorting_data() {
    QTest::addColumn<QList<int>>("clicks"); // 0-based sections
    QTest::addColumn<QString>("order");
    QTest::addColumn<Qt::SortOrder>("direction");
    const QString byName = "Arcor|01070, Beispiel|01234, Mobilcom|01019";
    const QString byNameDown = "Mobilcom|01019, Beispiel|01234, Arcor|01070";
    const QString byCode = "Mobilcom|01019, Arcor|01070, Beispiel|01234";
    const QString byCodeDown = "Beispiel|01234, Arcor|01070, Mobilcom|01019";
    const QString byStart = "Arcor|01070, Mobilcom|01019, Beispiel|01234";
    QTest::newRow("first click on the sorted column keeps the direction")
        << QList<int>{0} << byName << Qt::AscendingOrder;
    QTest::newRow("second click reverses") << QList<int>{0, 0} << byNameDown << Qt::DescendingOrder;
    QTest::newRow("another column, same direction")
        << QList<int>{1} << byCode << Qt::AscendingOrder;
    QTest::newRow("Netz twice") << QList<int>{1, 1} << byCodeDown << Qt::DescendingOrder;
    QTest::newRow("Netz twice, then Name keeps the reversed direction")
        << QList<int>{1, 1, 0} << byNameDown << Qt::DescendingOrder;
    QTest::newRow("hours by their two-digit text")
        << QList<int>{3} << byStart << Qt::AscendingOrder;
    QTest::newRow("three clicks are back to ascending")
        << QList<int>{3, 3, 3} << byStart << Qt::AscendingOrder;
}

void ProviderListTest::headerSorting() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, order);
    QFETCH(Qt::SortOrder, direction);
    selectRow(1); // Beispiel
    for (int section : clicks)
        clickHeader(section);
    QCOMPARE(names(), order);
    QCOMPARE(m_state->providers.sortOrder(), direction);
    QCOMPARE(m_state->providers.sortColumn(), clicks.last());
    QCOMPARE(m_list->header()->sortIndicatorSection(), clicks.last());
    QCOMPARE(m_list->header()->sortIndicatorOrder(), direction);
    // The selection stays on the row, wherever the sort put it.
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected[0].data().toString(), QStringLiteral("Beispiel"));
    verifyFilesAfter(false); // sorting alone writes nothing
}

void ProviderListTest::menuEnabledStates_data() {
    QTest::addColumn<int>("selectedRow"); // -1 none
    QTest::newRow("no row selected") << -1;
    QTest::newRow("a row selected") << 2;
}

void ProviderListTest::menuEnabledStates() {
    QFETCH(int, selectedRow);
    if (selectedRow >= 0)
        selectRow(selectedRow);
    const QPoint at = selectedRow >= 0 ? rowCentre(selectedRow) : QPoint(5, 80);
    openMenuAt(at, [&](QMenu* menu) {
        QCOMPARE(menu->title(), QStringLiteral("Anbieter"));
        QStringList captions;
        QList<bool> enabled;
        for (QAction* action : menu->actions()) {
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
            enabled << action->isEnabled();
        }
        QCOMPARE(captions, QStringList({"&Einfügen", "&Ändern", "&Löschen", "-", "&Abbrechen"}));
        const bool any = selectedRow >= 0;
        QCOMPARE(enabled[0], true);
        QCOMPARE(enabled[1], any);
        QCOMPARE(enabled[2], any);
        QCOMPARE(enabled[4], true);
        QVERIFY(menu->defaultAction());
        QCOMPARE(menu->defaultAction()->objectName(), QStringLiteral("pum3(5)"));
    });
    QCOMPARE(m_state->SelectedProvider, selectedRow + 1);
    verifyFilesAfter(false);
}

void ProviderListTest::editorThroughThePage_data() {
    QTest::addColumn<int>("row");      // row double-clicked, -1 empty space
    QTest::addColumn<QString>("name"); // typed; null leaves the box
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("rowsAfter");
    QTest::addColumn<bool>("saved");

    const QString before = "Arcor|01070, Beispiel|01234, Mobilcom|01019";
    QTest::newRow("new row") << -1 << "Neu"
                             << "010" << true
                             << "Arcor|01070, Beispiel|01234, Mobilcom|01019, Neu|010" << true;
    QTest::newRow("new row, texts trimmed")
        << -1 << "  Aldi "
        << " 0 1 " << true << "Aldi|0 1, Arcor|01070, Beispiel|01234, Mobilcom|01019" << true;
    QTest::newRow("new row without code is not added, file saved anyway")
        << -1 << "Neu" << QString() << true << before << true;
    QTest::newRow("blank name is stored empty")
        << -1 << "   "
        << "099" << true << "|099, Arcor|01070, Beispiel|01234, Mobilcom|01019" << true;
    QTest::newRow("double quotes become single quotes")
        << -1 << "Der \"Gute\""
        << "01\"2" << true << "Arcor|01070, Beispiel|01234, Der 'Gute'|01'2, Mobilcom|01019"
        << true;
    QTest::newRow("new row cancelled") << -1 << "Neu"
                                       << "010" << false << before << false;
    QTest::newRow("change replaces the row")
        << 1 << "Zebra" << QString() << true << "Arcor|01070, Mobilcom|01019, Zebra|01234" << true;
    QTest::newRow("change with cleared name deletes the row")
        << 1 << "" << QString() << true << "Arcor|01070, Mobilcom|01019" << true;
    QTest::newRow("change with cleared code deletes the row")
        << 2 << QString() << "" << true << "Arcor|01070, Beispiel|01234" << true;
    QTest::newRow("change cancelled") << 1 << "Zebra" << QString() << false << before << false;
}

void ProviderListTest::editorThroughThePage() {
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(bool, ok);
    QFETCH(QString, rowsAfter);
    QFETCH(bool, saved);
    const ProviderRecord expectedShown =
        row < 0 ? ProviderRecord{"", "", 1, 0, 9, 18, 0, 1, 0} : m_state->providers.record(row);
    const QPoint at = row < 0 ? QPoint(5, m_list->viewport()->height() - 5) : rowCentre(row);

    answerEditor(name, code, ok);
    doubleClick(at);
    QVERIFY(m_visit.opened);
    QCOMPARE(m_visit.name, expectedShown.Name);
    QCOMPARE(m_visit.code, expectedShown.NetworkCode);
    QCOMPARE(m_visit.shown, expectedShown);
    QCOMPARE(m_visit.modalBusy, -1);
    QCOMPARE(m_visit.newEntryMode, row < 0);
    QCOMPARE(m_state->ModalBusy, 0);

    QCOMPARE(names(), rowsAfter);
    verifyFilesAfter(saved);
    QVERIFY(m_boxes.isEmpty());
}

// A row whose name and code are both empty opens like a new one, so OK keeps it.
void ProviderListTest::changingAnEmptyRowAddsANewOne() {
    m_model->AddProviderRow({"", "", 1, 0, 9, 18, 0, 1, 0});
    QCOMPARE(names(), QStringLiteral("|, Arcor|01070, Beispiel|01234, Mobilcom|01019"));
    answerEditor("Neu", "010", true);
    doubleClick(rowCentre(0));
    QVERIFY(m_visit.opened);
    QVERIFY(m_visit.newEntryMode);
    QCOMPARE(names(), QStringLiteral("|, Arcor|01070, Beispiel|01234, Mobilcom|01019, Neu|010"));
    verifyFilesAfter(true);
}

void ProviderListTest::deleteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes deletes and saves") << true;
    QTest::newRow("No changes nothing") << false;
}

void ProviderListTest::deleteAsksFirst() {
    QFETCH(bool, yes);
    m_answer = yes ? MessageBox::Answer::Yes : MessageBox::Answer::No;
    selectRow(1);
    openMenuAt(rowCentre(1), [](QMenu* menu) { QTest::keyClick(menu, Qt::Key_L); });
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Question);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Eintrag löschen"));
    QCOMPARE(m_boxes[0].text,
             QStringLiteral("Soll der folgende Eintrag wirklich gelöscht werden?\n\n"
                            "Beispiel (01234)"));
    QCOMPARE(names(), yes ? QStringLiteral("Arcor|01070, Mobilcom|01019")
                          : QStringLiteral("Arcor|01070, Beispiel|01234, Mobilcom|01019"));
    verifyFilesAfter(yes);
}

void ProviderListTest::failedSaveIsShownAndRowStays() {
    m_state->dataDir = m_dir->filePath(QStringLiteral("gone/away"));
    answerEditor("Neu", "010", true);
    openMenuAt(QPoint(5, 80), [](QMenu* menu) { QTest::keyClick(menu, Qt::Key_E); });
    QVERIFY(m_visit.opened);
    QCOMPARE(names(), QStringLiteral("Arcor|01070, Beispiel|01234, Mobilcom|01019, Neu|010"));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Critical);
    QVERIFY2(m_boxes[0].text.contains(QLatin1String(kProviderFileName)),
             qPrintable(m_boxes[0].text));
    verifyFilesAfter(false);
}

void ProviderListTest::modelSignalsFollowTheTable() {
    QAbstractItemModelTester tester(m_model.get(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    selectRow(2); // Mobilcom
    m_model->AddProviderRow({"Aaa", "1", 1, 0, 0, 24, 1, 0, 0});
    m_model->AddProviderRow(kMobilcom); // an equal row lands above its twin
    m_model->setSort(ColNetz, Qt::DescendingOrder);
    QCOMPARE(m_list->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(m_list->selectionModel()->selectedRows()[0].row(), 4);
    m_model->RemoveProvider(0);
    m_model->AddProviderRows({kArcor, kBeispiel});
    QCOMPARE(m_model->rowCount(), 6);
    m_model->ClearProviderTable();
    QCOMPARE(m_model->rowCount(), 0);
}

QTEST_MAIN(ProviderListTest)
#include "ProviderListTest.moc"
