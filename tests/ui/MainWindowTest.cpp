#include "PopupDriver.h"
#include "QtSerialPort.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using tarvok::PhoneEntry;

namespace {

const QString kStatusListe =
    QStringLiteral("Doppelklick für Anwahl oder rechte Maustaste für Menü");

const QStringList kEntries{
    QStringLiteral("1,\"Meier, Hans\",\"49 89 123\",1"),
    QStringLiteral("1,\"Albers, Eva\",\"49 30 555\",0"),
    QStringLiteral("1,\"Zander, Udo\",\"44 20 7946\",1"),
    QStringLiteral("2,\"Müller, Karl\",\"49 40 1\",1"),
};

QStringList entriesOf(const tarvok::PhoneList& list) {
    QStringList result;
    for (int row = 0; row < list.count(); ++row) {
        const PhoneEntry& e = list.at(row);
        result << QStringLiteral("%1|%2|%3").arg(e.Name, e.Number).arg(e.ZeroPrefix);
    }
    return result;
}

const QStringList kList1{QStringLiteral("Albers, Eva|49 30 555|0"),
                         QStringLiteral("Meier, Hans|49 89 123|1"),
                         QStringLiteral("Zander, Udo|44 20 7946|1")};

void rightClick(QListView* list, int row) {
    const QPoint at = row >= 0 ? list->visualRect(list->model()->index(row, 0)).center()
                               : QPoint(5, list->viewport()->height() - 5);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsNamesUnderListCaptions();
    void listFontFollowsEntrySize_data();
    void listFontFollowsEntrySize();
    void clickShowsNumber();
    void nameListMenuState_data();
    void nameListMenuState();
    void entryEditor_data();
    void entryEditor();
    void deleteAsks_data();
    void deleteAsks();
    void editorRefusesUnreadableNumber_data();
    void editorRefusesUnreadableNumber();
    void fullListRefusesNewEntry();
    void saveFailureIsShown();
    void trayMenu_data();
    void trayMenu();
    void trayClicksShowWindow();
    void closeBox_data();
    void closeBox();
    void dialTriggers_data();
    void dialTriggers();
    void firstArrowKeySelectsTheCurrentLine_data();
    void firstArrowKeySelectsTheCurrentLine();
};

void MainWindowTest::showsNamesUnderListCaptions() {
    WindowFixture f(kEntries);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tarvok-Pro"));
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.tabs()->count(), 5);
    const QStringList captions{QStringLiteral("Büro 1"), QStringLiteral("Büro 2"),
                               QStringLiteral("Privat 1"), QStringLiteral("Privat 2"),
                               QStringLiteral("Optionen")};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(f.tabs()->tabText(i), captions[i]);
    QCOMPARE(f.list(2)->accessibleName(), QStringLiteral("Büro 2"));
    QCOMPARE(f.names(1), (QStringList{QStringLiteral("Albers, Eva"), QStringLiteral("Meier, Hans"),
                                      QStringLiteral("Zander, Udo")}));
    QCOMPARE(f.list(1)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(f.list(1)->font().family(), QStringLiteral("Arial"));
    QCOMPARE(f.list(1)->font().pointSize(), 12);
    QCOMPARE(f.statusText(), kStatusListe);
    QCOMPARE(f.state.CurrentTab, 1);
    QVERIFY(f.tray.shown);
    QCOMPARE(f.tray.tip, QStringLiteral("Tarvok-Pro"));
}

void MainWindowTest::listFontFollowsEntrySize_data() {
    QTest::addColumn<double>("entrySize");
    QTest::addColumn<int>("points");
    QTest::newRow("design size") << 12.0 << 12;
    QTest::newRow("quarter points") << 8.25 << 8;
    QTest::newRow("largest") << 24.0 << 24;
    QTest::newRow("above the range") << 72.0 << 24;
    QTest::newRow("below the range") << 2.0 << 6;
    QTest::newRow("zero from a damaged line") << 0.0 << 6;
}

// A size outside the options page's range, only possible through an edited file, still
// gives readable lists.
void MainWindowTest::listFontFollowsEntrySize() {
    QFETCH(double, entrySize);
    QFETCH(int, points);
    tarvok::PhoneBook book;
    book.settings.EntrySize = entrySize;
    WindowFixture f(std::move(book));
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(f.list(i)->font().family(), QStringLiteral("Arial"));
        QCOMPARE(f.list(i)->font().pointSize(), points);
    }
}

void MainWindowTest::clickShowsNumber() {
    WindowFixture f(kEntries);
    QListView* list = f.list(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(2, 0)).center());
    QCOMPARE(f.statusText(), QStringLiteral("44 20 7946"));
}

void MainWindowTest::nameListMenuState_data() {
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<bool>("editEnabled");

    QTest::newRow("nothing selected") << -1 << 1 << false;
    QTest::newRow("empty area, nothing selected") << -1 << -1 << false;
    QTest::newRow("other line selected") << 0 << 2 << true;
    QTest::newRow("clicked line selected") << 1 << 1 << true;
}

// The menu works on the line selected before: the right button never selects.
void MainWindowTest::nameListMenuState() {
    QFETCH(int, selectedRow);
    QFETCH(int, clickedRow);
    QFETCH(bool, editEnabled);

    WindowFixture f(kEntries);
    if (selectedRow >= 0)
        f.select(1, selectedRow);
    f.window->SetStatusText(QStringLiteral("etwas anderes"));

    bool seen = false;
    chooseInNextPopup(QStringLiteral("pum(5)"), [&](QMenu* menu) {
        seen = true;
        QCOMPARE(menu->title(), QStringLiteral("Namensliste"));
        QCOMPARE(menu->findChild<QAction*>(QStringLiteral("pum(1)"))->isEnabled(), true);
        QCOMPARE(menu->findChild<QAction*>(QStringLiteral("pum(2)"))->isEnabled(), editEnabled);
        QCOMPARE(menu->findChild<QAction*>(QStringLiteral("pum(3)"))->isEnabled(), editEnabled);
        QCOMPARE(menu->defaultAction()->text(), QStringLiteral("&Abbrechen"));
        QCOMPARE(menu->defaultAction()->objectName(), QStringLiteral("pum(5)"));
    });
    rightClick(f.list(1), clickedRow);

    QVERIFY(seen);
    const QModelIndexList selected = f.list(1)->selectionModel()->selectedIndexes();
    QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), selectedRow);
    QCOMPARE(f.statusText(), kStatusListe);
    QVERIFY(f.boxes.shown.isEmpty());
    QCOMPARE(entriesOf(f.state.phoneBook.lists[0]), kList1);
}

void MainWindowTest::entryEditor_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name"); // null: left as filled in
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("zeroBox");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("saved");

    const QString keep;
    const QString bauer = QStringLiteral("Bauer, Jan|49 89 7|1");
    QTest::newRow("new entry in its place")
        << "pum(1)" << -1 << "Bauer, Jan"
        << "49 89 7" << true << true << QStringList{kList1[0], bauer, kList1[1], kList1[2]} << true;
    QTest::newRow("new entry trimmed")
        << "pum(1)" << 0 << "  Bauer, Jan "
        << " 49 89 7  " << true << true << QStringList{kList1[0], bauer, kList1[1], kList1[2]}
        << true;
    QTest::newRow("new entry without zero")
        << "pum(1)" << -1 << "Bauer, Jan"
        << "49 89 7" << false << true
        << QStringList{kList1[0], QStringLiteral("Bauer, Jan|49 89 7|0"), kList1[1], kList1[2]}
        << true;
    QTest::newRow("new entry without number, still saved") << "pum(1)" << -1 << "Bauer, Jan"
                                                           << "" << true << true << kList1 << true;
    QTest::newRow("new entry of blanks only") << "pum(1)" << -1 << "   "
                                              << "49 89 7" << true << true << kList1 << true;
    QTest::newRow("new entry cancelled") << "pum(1)" << -1 << "Bauer, Jan"
                                         << "49 89 7" << true << false << kList1 << false;
    QTest::newRow("number changed")
        << "pum(2)" << 1 << keep << "49 89 999" << true << true
        << QStringList{kList1[0], QStringLiteral("Meier, Hans|49 89 999|1"), kList1[2]} << true;
    QTest::newRow("renamed entry moves")
        << "pum(2)" << 0 << "Zeller, Eva" << keep << false << true
        << QStringList{kList1[1], kList1[2], QStringLiteral("Zeller, Eva|49 30 555|0")} << true;
    QTest::newRow("cleared name deletes")
        << "pum(2)" << 1 << "" << keep << true << true << QStringList{kList1[0], kList1[2]} << true;
    QTest::newRow("cleared number deletes")
        << "pum(2)" << 2 << keep << "" << true << true << QStringList{kList1[0], kList1[1]} << true;
    QTest::newRow("typed national number in the book's form, its country's flag")
        << "pum(1)" << -1 << "Bauer, Jan"
        << "089 7654321" << false << true
        << QStringList{kList1[0], QStringLiteral("Bauer, Jan|49 89 7654321|1"), kList1[1],
                       kList1[2]}
        << true;
    QTest::newRow("changed number in the book's form")
        << "pum(2)" << 1 << keep << "+49 (0)30 1234-567" << true << true
        << QStringList{kList1[0], QStringLiteral("Meier, Hans|49 30 1234567|1"), kList1[2]} << true;
    QTest::newRow("change cancelled")
        << "pum(2)" << 1 << "Anders" << keep << true << false << kList1 << false;
}

void MainWindowTest::entryEditor() {
    QFETCH(QString, item);
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(bool, zeroBox);
    QFETCH(bool, ok);
    QFETCH(QStringList, expected);
    QFETCH(bool, saved);

    WindowFixture f(kEntries);
    if (row >= 0)
        f.select(1, row);
    const QByteArray before = f.fileBytes("Brisel.DAT");

    int busyWhileOpen = 0;
    QString filledName;
    whenModalShows([&](QWidget* editor) {
        busyWhileOpen = f.state.ModalBusy;
        auto* nameBox = editor->findChild<QLineEdit*>(QStringLiteral("Text1(0)"));
        auto* numberBox = editor->findChild<QLineEdit*>(QStringLiteral("Text1(1)"));
        filledName = nameBox->text();
        if (!name.isNull())
            nameBox->setText(name);
        if (!number.isNull())
            numberBox->setText(number);
        editor->findChild<QCheckBox*>(QStringLiteral("ZeroChk"))->setChecked(zeroBox);
        QTest::mouseClick(editor->findChild<QPushButton*>(ok ? QStringLiteral("Command1(0)")
                                                             : QStringLiteral("Command1(1)")),
                          Qt::LeftButton);
    });
    chooseInNextPopup(item);
    rightClick(f.list(1), row);

    QTRY_COMPARE(f.state.ModalBusy, 0);
    QCOMPARE(busyWhileOpen, -1);
    QCOMPARE(f.state.NewEntryMode, item == QLatin1String("pum(1)"));
    if (item == QLatin1String("pum(2)"))
        QCOMPARE(filledName, kList1[row].section(u'|', 0, 0));
    QCOMPARE(entriesOf(f.state.phoneBook.lists[0]), expected);
    QCOMPARE(f.names(1).size(), expected.size());
    QCOMPARE(entriesOf(f.bookOnDisk().lists[0]), expected);
    QCOMPARE(f.fileBytes("Brisel.BAK") == before, saved);
    QVERIFY(f.boxes.shown.isEmpty());
    QCOMPARE(f.statusText(), kStatusListe);
}

void MainWindowTest::deleteAsks_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no keeps it") << false << kList1;
    QTest::newRow("yes deletes it") << true << QStringList{kList1[0], kList1[2]};
}

void MainWindowTest::deleteAsks() {
    QFETCH(bool, yes);
    QFETCH(QStringList, expected);

    WindowFixture f(kEntries);
    f.select(1, 1);
    const QByteArray before = f.fileBytes("Brisel.DAT");
    f.boxes.answers << (yes ? MessageBoxRecorder::Answer::Yes : MessageBoxRecorder::Answer::No);
    chooseInNextPopup(QStringLiteral("pum(3)"));
    rightClick(f.list(1), 0);

    QCOMPARE(f.boxes.shown.size(), 1);
    QCOMPARE(f.boxes.shown[0].icon, tarvok::MessageBox::Icon::Question);
    QCOMPARE(f.boxes.shown[0].title, QStringLiteral("Eintrag löschen"));
    QCOMPARE(f.boxes.shown[0].text,
             QStringLiteral("Soll der folgende Eintrag wirklich gelöscht werden?\n\n"
                            "Meier, Hans (49 89 123)"));
    QCOMPARE(entriesOf(f.state.phoneBook.lists[0]), expected);
    QCOMPARE(entriesOf(f.bookOnDisk().lists[0]), expected);
    QCOMPARE(f.fileBytes("Brisel.BAK") == before, yes);
}

void MainWindowTest::editorRefusesUnreadableNumber_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("reason");
    QTest::newRow("letters") << "0711 CALL-NOW"
                             << "Sie enthält Buchstaben";
    QTest::newRow("two numbers") << "089 123456, 030 654321"
                                 << "mehr als eine Telefonnummer";
    QTest::newRow("impossible") << "+49 1"
                                << "Eine Nummer dieser Länge gibt es";
    QTest::newRow("unreadable") << "*31#089 123456"
                                << "nicht als Telefonnummer lesbar";
}

// The editor stays open with the reason; nothing is saved until the number is corrected.
void MainWindowTest::editorRefusesUnreadableNumber() {
    QFETCH(QString, number);
    QFETCH(QString, reason);
    WindowFixture f(kEntries);
    const QByteArray before = f.fileBytes("Brisel.DAT");

    bool openAfterRefusal = false;
    QByteArray fileWhileOpen;
    QWidget* focusAfterRefusal = nullptr;
    QLineEdit* numberBox = nullptr;
    whenModalShows([&](QWidget* editor) {
        numberBox = editor->findChild<QLineEdit*>(QStringLiteral("Text1(1)"));
        auto* ok = editor->findChild<QPushButton*>(QStringLiteral("Command1(0)"));
        editor->findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("Neu"));
        numberBox->setText(number);
        QTest::mouseClick(ok, Qt::LeftButton);
        openAfterRefusal = editor->isVisible();
        focusAfterRefusal = editor->focusWidget();
        fileWhileOpen = f.fileBytes("Brisel.DAT");
        numberBox->setText(QStringLiteral("089 123456"));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    chooseInNextPopup(QStringLiteral("pum(1)"));
    rightClick(f.list(1), -1);

    QTRY_COMPARE(f.state.ModalBusy, 0);
    QVERIFY(openAfterRefusal);
    QCOMPARE(focusAfterRefusal, numberBox);
    QCOMPARE(fileWhileOpen, before);
    QCOMPARE(f.boxes.shown.size(), 1);
    QCOMPARE(f.boxes.shown[0].icon, tarvok::MessageBox::Icon::Exclamation);
    QVERIFY(f.boxes.shown[0].text.startsWith(
        QStringLiteral("Die Telefonnummer „%1“ kann nicht übernommen werden.").arg(number)));
    QVERIFY2(f.boxes.shown[0].text.contains(reason), qPrintable(f.boxes.shown[0].text));
    QVERIFY(entriesOf(f.bookOnDisk().lists[0]).contains(QStringLiteral("Neu|49 89 123456|1")));
}

// A list of 32767 lines takes no more; the user is told instead of losing the entry.
void MainWindowTest::fullListRefusesNewEntry() {
    tarvok::PhoneBook book;
    for (int i = 0; i < tarvok::PhoneList::kMaxLines; ++i)
        book.lists[0].appendUnsorted({QStringLiteral("Name %1").arg(i), QStringLiteral("49"), 1});
    book.lists[0].sortStable();
    WindowFixture f(std::move(book));

    whenModalShows([](QWidget* editor) {
        editor->findChild<QLineEdit*>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("Neu"));
        editor->findChild<QLineEdit*>(QStringLiteral("Text1(1)"))
            ->setText(QStringLiteral("49 89 1"));
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Command1(0)")),
                          Qt::LeftButton);
    });
    chooseInNextPopup(QStringLiteral("pum(1)"));
    rightClick(f.list(1), 0);

    QTRY_COMPARE(f.boxes.shown.size(), 1);
    QCOMPARE(f.boxes.shown[0].icon, tarvok::MessageBox::Icon::Exclamation);
    QVERIFY(f.boxes.shown[0].text.contains(QStringLiteral("„Büro 1“ ist voll")));
    QVERIFY(f.boxes.shown[0].text.contains(QStringLiteral("„Neu“")));
    QCOMPARE(f.state.phoneBook.lists[0].count(), tarvok::PhoneList::kMaxLines);
}

void MainWindowTest::saveFailureIsShown() {
    WindowFixture f(kEntries);
    f.select(1, 0);
    // A folder where Brisel.DAT cannot be written any more.
    f.state.dataDir = f.dir.filePath(QStringLiteral("fehlt"));
    f.boxes.answers << MessageBoxRecorder::Answer::Yes;
    chooseInNextPopup(QStringLiteral("pum(3)"));
    rightClick(f.list(1), 0);

    QCOMPARE(f.boxes.shown.size(), 2);
    QCOMPARE(f.boxes.shown[1].icon, tarvok::MessageBox::Icon::Critical);
    QVERIFY(f.boxes.shown[1].text.startsWith(
        QStringLiteral("Die Telefonliste konnte nicht gespeichert werden.")));
    QVERIFY(f.boxes.shown[1].text.contains(QStringLiteral("„Brisel.DAT“")));
    // The list keeps the change the user made.
    QCOMPARE(entriesOf(f.state.phoneBook.lists[0]), (QStringList{kList1[1], kList1[2]}));
}

void MainWindowTest::trayMenu_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<bool>("shows");
    QTest::addColumn<bool>("beeps");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("aboutBox");

    QTest::newRow("Einblenden") << "pum2(1)" << false << true << false << false << false;
    QTest::newRow("Einblenden while busy") << "pum2(1)" << true << false << true << false << false;
    QTest::newRow("Info") << "pum2(2)" << false << false << false << false << true;
    QTest::newRow("Beenden") << "pum2(4)" << false << false << false << true << false;
    QTest::newRow("Abbrechen") << "pum2(6)" << false << false << false << false << false;
}

void MainWindowTest::trayMenu() {
    QFETCH(QString, item);
    QFETCH(bool, busy);
    QFETCH(bool, shows);
    QFETCH(bool, beeps);
    QFETCH(bool, ends);
    QFETCH(bool, aboutBox);

    WindowFixture f(kEntries);
    f.window->close();
    QVERIFY(!f.window->isVisible());
    f.state.ModalBusy = busy ? -1 : 0;
    QSignalSpy beeped(f.window.get(), &tarvok::MainWindow::beeped);
    QSignalSpy ended(f.window.get(), &tarvok::MainWindow::programEnded);

    bool seen = false;
    chooseInNextPopup(item, [&](QMenu* menu) {
        seen = true;
        QCOMPARE(menu->title(), QStringLiteral("Taskleiste"));
        QCOMPARE(menu->defaultAction()->objectName(), QStringLiteral("pum2(6)"));
    });
    f.tray.press(tarvok::TrayIcon::Press::Right);
    QTRY_VERIFY(seen);
    QTRY_COMPARE(f.window->isVisible(), shows);
    QCOMPARE(beeped.size(), beeps ? 1 : 0);
    QCOMPARE(ended.size(), ends ? 1 : 0);
    QCOMPARE(f.tray.shown, !ends);
    QCOMPARE(f.boxes.shown.size(), aboutBox ? 1 : 0);
    if (aboutBox) {
        const tarvok::MessageBox::Shown& box = f.boxes.shown[0];
        QCOMPARE(box.icon, tarvok::MessageBox::Icon::Information);
        QCOMPARE(box.title, QStringLiteral("Tarvok-Pro"));
        QVERIFY(
            box.text.startsWith(QStringLiteral("Die professionelle Wahlhilfe für Windows "
                                               "95/NT\nmit automatischer Provider-Auswahl\n\n")));
        QVERIFY(box.text.contains(
            QStringLiteral("\n\n'Verbesserungsvorschläge und konstruktive\nKritik sind immer "
                           "willkommen ...'\n\n")));
    }
}

void MainWindowTest::trayClicksShowWindow() {
    WindowFixture f(kEntries);
    f.window->close();
    f.tray.press(tarvok::TrayIcon::Press::Left);
    QVERIFY(!f.window->isVisible());
    QTRY_VERIFY(f.window->isVisible());
}

void MainWindowTest::closeBox_data() {
    QTest::addColumn<bool>("trayAvailable");
    QTest::newRow("hides to the tray") << true;
    QTest::newRow("ends without a notification area") << false;
}

void MainWindowTest::closeBox() {
    QFETCH(bool, trayAvailable);
    WindowFixture f(kEntries, trayAvailable);
    QSignalSpy ended(f.window.get(), &tarvok::MainWindow::programEnded);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->close(), !trayAvailable);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(ended.size(), trayAvailable ? 0 : 1);
    QCOMPARE(f.tray.shown, trayAvailable);
}

void MainWindowTest::dialTriggers_data() {
    QTest::addColumn<int>("key"); // 0: a double click on the line
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("dials");

    QTest::newRow("double click") << 0 << 1 << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << 1 << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 1 << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << 1 << true;
    QTest::newRow("Return without selection") << int(Qt::Key_Return) << -1 << false;
    QTest::newRow("letter") << int(Qt::Key_M) << 1 << false;
    QTest::newRow("digit") << int(Qt::Key_4) << 1 << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 1 << false;
    QTest::newRow("Down") << int(Qt::Key_Down) << 1 << false;
}

// The dial goes to a port that does not exist: its message and the options tab show that
// the dial was started, and with which entry nothing else could tell here.
void MainWindowTest::dialTriggers() {
    QFETCH(int, key);
    QFETCH(int, row);
    QFETCH(bool, dials);

    const QString missing = QDir::tempPath() + QStringLiteral("/kein-modem");
    qputenv("TARVOK_COM1", QFile::encodeName(missing));
    tarvok::QtSerialPort port;
    WindowFixture f(kEntries, true, &port);
    QListView* list = f.list(1);
    if (row >= 0)
        f.select(1, row);
    list->setFocus();
    if (key == 0) {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    } else
        QTest::keyClick(list, Qt::Key(key));

    if (!dials) {
        QVERIFY(f.boxes.shown.isEmpty());
        QCOMPARE(f.state.CurrentTab, 1);
        return;
    }
    QCOMPARE(f.boxes.shown.size(), 1);
    QCOMPARE(f.boxes.shown[0].icon, tarvok::MessageBox::Icon::Critical);
    QCOMPARE(f.boxes.shown[0].text,
             QStringLiteral("Der angegebene Anschluß COM1 ist nicht verfügbar.\nDas Gerät %1 ist "
                            "nicht vorhanden (Modem nicht angeschlossen?).")
                 .arg(missing));
    QCOMPARE(f.tabs()->currentIndex(), 4);
    QCOMPARE(f.state.CurrentTab, 5);
}

void MainWindowTest::firstArrowKeySelectsTheCurrentLine_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("Down") << int(Qt::Key_Down) << 0;
    QTest::newRow("Up") << int(Qt::Key_Up) << 0;
}

// A list focused by keyboard has a current line that is not selected; the first arrow key
// must select that line rather than move past it, or a one-line list could not be dialled
// without the mouse.
void MainWindowTest::firstArrowKeySelectsTheCurrentLine() {
    QFETCH(int, key);
    QFETCH(int, selectedAfter);

    WindowFixture f(kEntries, true);
    QListView* list = f.list(1);
    list->setFocus();
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    QVERIFY(!list->selectionModel()->hasSelection());

    QTest::keyClick(list, Qt::Key(key));
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].row(), selectedAfter);

    QTest::keyClick(list, Qt::Key_Down); // from then on the keys move as usual
    QCOMPARE(list->selectionModel()->selectedRows().value(0).row(), selectedAfter + 1);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
