// Contacts through the main window: the list menu, the preview, dropped files, the export
// and the search box, with real files and a real modem on a pseudo-terminal.
#include "ContactRequests.h"
#include "ContactsController.h"
#include "FakeModemProcess.h"
#include "FileChooser.h"
#include "PopupDriver.h"
#include "QtSerialPort.h"
#include "RequestRouter.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QStringList kEntries{
    u"1,\"Meier, Hans\",\"49 89 123\",1"_s,  u"1,\"Albers, Eva\",\"49 30 1234567\",0"_s,
    u"2,\"Straße, Otto\",\"49 40 777\",1"_s, u"2,\"Müller, Karl\",\"49 40 888\",1"_s,
    u"2,\"Mayer, Udo\",\"49 40 999\",1"_s,
};

// A mail program's export: one contact the list already holds, one new with two numbers,
// one without a number.
const QByteArray kVCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Albers;Eva;;;\r\n"
                          "TEL;TYPE=WORK:+49 30 123 45 67\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Zander;Udo;;;\r\n"
                          "TEL;TYPE=WORK:040 6543210\r\nTEL;TYPE=CELL:0170 1234567\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nur Name\r\nEND:VCARD\r\n";

QString writeContacts(const WindowFixture& f, const QString& name, const QByteArray& bytes) {
    writeFile(f.dir.path(), name, bytes);
    return f.dir.filePath(name);
}

// Answers file dialogs with a path, keeping what was asked.
struct FileAnswers {
    explicit FileAnswers(QString path) {
        tarvok::FileChooser::setHandler([this, path](const tarvok::FileChooser::Asked& asked) {
            this->asked << asked.caption;
            return path;
        });
    }
    ~FileAnswers() { tarvok::FileChooser::setHandler({}); }
    QStringList asked;
};

QStringList tableColumn(QTableView* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts << table->model()->index(row, column).data().toString();
    return texts;
}

void rightClickList(WindowFixture& f, int index) {
    QListView* list = f.list(index);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
}

} // namespace

class ContactsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menuHoldsTheNewItemsBeforeTheSeparator();
    void importShowsPreviewAndSavesOnce_data();
    void importShowsPreviewAndSavesOnce();
    void previewFollowsTheChosenList();
    void badFilesAreRefusedWithAMessage_data();
    void badFilesAreRefusedWithAMessage();
    void droppedFileGoesIntoThatList();
    void exportWritesTheListInFront();
    void keyboardSearchFollowsPhoneBookOrder_data();
    void keyboardSearchFollowsPhoneBookOrder();
    void searchFiltersAllListsAndDials();
    void exportRequests_data();
    void exportRequests();
    void importRequestOpensThePreview();
};

void ContactsWindowTest::menuHoldsTheNewItemsBeforeTheSeparator() {
    WindowFixture f(kEntries);
    QStringList captions;
    QString defaultItem;
    chooseInNextPopup({}, [&](QMenu* menu) {
        for (QAction* action : menu->actions())
            captions << (action->isSeparator() ? u"-"_s : action->text());
        defaultItem = menu->defaultAction()->objectName();
    });
    rightClickList(f, 1);
    QCOMPARE(captions,
             (QStringList{u"&Einfügen"_s, u"&Ändern"_s, u"&Löschen"_s, u"&Importieren..."_s,
                          u"&Exportieren..."_s, u"&Suchen..."_s, u"-"_s, u"&Abbrechen"_s}));
    QCOMPARE(defaultItem, u"pum(5)"_s);
}

void ContactsWindowTest::importShowsPreviewAndSavesOnce_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("Übernehmen") << true;
    QTest::newRow("Abbrechen") << false;
}

// The states in the preview, then the bytes on disk: after "Übernehmen" Brisel.BAK is the
// file from before the import; after "&Abbrechen" nothing was written at all.
void ContactsWindowTest::importShowsPreviewAndSavesOnce() {
    QFETCH(bool, accept);
    WindowFixture f(kEntries);
    const QByteArray before = f.fileBytes("Brisel.DAT");
    const FileAnswers answers(writeContacts(f, u"kontakte.vcf"_s, kVCard));

    QStringList names, states;
    QString title, summary;
    whenModalShows([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* table = modal->findChild<QTableView*>(u"ImportTable"_s);
        names = tableColumn(table, 0);
        states = tableColumn(table, 3);
        summary = modal->findChild<QLabel*>(u"ImportSummary"_s)->text();
        modal->findChild<QPushButton*>(accept ? u"ImportAccept"_s : u"ImportCancel"_s)->click();
    });
    chooseInNextPopup(u"pumImport"_s);
    rightClickList(f, 1);
    QTRY_VERIFY(!title.isEmpty());
    QTRY_VERIFY(!QApplication::activeModalWidget());

    QCOMPARE(answers.asked, QStringList{u"Kontakte importieren"_s});
    QCOMPARE(title, u"Kontakte importieren"_s);
    QCOMPARE(names, (QStringList{u"Albers, Eva"_s, u"Zander, Udo (geschäftlich)"_s,
                                 u"Zander, Udo (mobil)"_s, u"Nur Name"_s}));
    QCOMPARE(states,
             (QStringList{u"vorhanden"_s, u"neu"_s, u"neu"_s, u"übersprungen: keine Nummer"_s}));
    QCOMPARE(summary, u"2 von 4 Nummern werden übernommen."_s);
    if (!accept) {
        QCOMPARE(f.fileBytes("Brisel.DAT"), before);
        QVERIFY(!QFile::exists(f.dir.filePath(u"Brisel.BAK"_s)));
        QCOMPARE(f.names(1).size(), 2);
        return;
    }
    QCOMPARE(f.fileBytes("Brisel.BAK"), before);
    QCOMPARE(f.names(1), (QStringList{u"Albers, Eva"_s, u"Meier, Hans"_s,
                                      u"Zander, Udo (geschäftlich)"_s, u"Zander, Udo (mobil)"_s}));
    const tarvok::PhoneBook disk = f.bookOnDisk();
    QCOMPARE(disk.lists[0].count(), 4);
    QCOMPARE(disk.lists[0].at(3).Number, u"49 170 1234567"_s);
    QCOMPARE(disk.lists[0].at(3).ZeroPrefix, 1);
    QVERIFY(f.boxes.shown.isEmpty());
}

void ContactsWindowTest::previewFollowsTheChosenList() {
    WindowFixture f(kEntries);
    const QString path = writeContacts(f, u"kontakte.vcf"_s, kVCard);
    QStringList states;
    whenModalShows([&](QWidget* modal) {
        auto* list = modal->findChild<QComboBox*>(u"ImportList"_s);
        QCOMPARE(list->currentText(), u"Büro 1"_s);
        list->setCurrentIndex(1);
        states = tableColumn(modal->findChild<QTableView*>(u"ImportTable"_s), 3);
        modal->findChild<QPushButton*>(u"ImportAccept"_s)->click();
    });
    QVERIFY(f.window->contacts().ImportFile(path, 1));
    QCOMPARE(states.first(), u"neu"_s);
    QCOMPARE(f.names(1).size(), 2);
    QCOMPARE(f.bookOnDisk().lists[1].count(), 6);
}

void ContactsWindowTest::badFilesAreRefusedWithAMessage_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QTest::newRow("empty") << u"leer.csv"_s << QByteArray() << u"ist leer."_s;
    QTest::newRow("binary") << u"bild.vcf"_s << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << u"keine Textdatei"_s;
    QTest::newRow("vCard without END")
        << u"kaputt.vcf"_s << QByteArray("BEGIN:VCARD\nFN:A\nTEL:1\n")
        << u"der Kontakt ab Zeile 1 endet nicht mit „END:VCARD“"_s;
    QTest::newRow("CSV of other width") << u"kaputt.csv"_s << QByteArray("Name;Telefon\nA;1;2\n")
                                        << u"Zeile 2 hat eine andere Zahl von Spalten"_s;
    QTest::newRow("unknown columns")
        << u"fremd.csv"_s << QByteArray("E-Mail,Geburtstag\na@b,1.1.\n")
        << u"keine Spalten für Name und Telefonnummer erkannt.\nGefundene Spalten: „E-Mail“, "
           "„Geburtstag“"_s;
}

void ContactsWindowTest::badFilesAreRefusedWithAMessage() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    WindowFixture f(kEntries);
    const QByteArray before = f.fileBytes("Brisel.DAT");
    QVERIFY(!f.window->contacts().ImportFile(writeContacts(f, name, bytes), 1));
    QCOMPARE(f.boxes.shown.size(), 1);
    QVERIFY2(f.boxes.shown[0].text.contains(says), qPrintable(f.boxes.shown[0].text));
    QVERIFY(f.boxes.shown[0].text.endsWith(u"Es wurde nichts importiert."_s));
    QCOMPARE(f.fileBytes("Brisel.DAT"), before);
}

void ContactsWindowTest::droppedFileGoesIntoThatList() {
    WindowFixture f(kEntries);
    const QString path =
        writeContacts(f, u"kontakte.csv"_s, "Name;Telefon\r\nNeu, Nina;040 1234567\r\n");
    QString chosenList;
    whenModalShows([&](QWidget* modal) {
        chosenList = modal->findChild<QComboBox*>(u"ImportList"_s)->currentText();
        modal->findChild<QPushButton*>(u"ImportAccept"_s)->click();
    });
    QWidget* target = f.list(2)->viewport();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(f.names(2).size(), 4);
    QCOMPARE(chosenList, u"Büro 2"_s);
    QCOMPARE(f.bookOnDisk().lists[1].count(), 4);

    // Anything but a contact file is not taken.
    mime.setUrls({QUrl::fromLocalFile(f.dir.filePath(u"Brisel.DAT"_s))});
    QDragEnterEvent other(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &other);
    QVERIFY(!other.isAccepted());
}

void ContactsWindowTest::exportWritesTheListInFront() {
    WindowFixture f(kEntries);
    const QString path = f.dir.filePath(u"liste.csv"_s);
    const FileAnswers answers(path);
    f.tabs()->setCurrentIndex(1);
    chooseInNextPopup(u"pumExport"_s);
    rightClickList(f, 2);
    QTRY_VERIFY(QFile::exists(path));
    QCOMPARE(answers.asked, QStringList{u"Kontakte exportieren"_s});
    QCOMPARE(readFile(f.dir.path(), u"liste.csv"_s),
             QByteArray("\xEF\xBB\xBFName,Telefon,Liste\r\n\"Mayer, Udo\",+49 40 999,Büro 2\r\n"
                        "\"Müller, Karl\",+49 40 888,Büro 2\r\n"
                        "\"Straße, Otto\",+49 40 777,Büro 2\r\n"));

    QVERIFY(!f.window->contacts().ExportFile(f.dir.filePath(u"fehlt/liste.vcf"_s), 2));
    QCOMPARE(f.boxes.shown.size(), 1);
    QVERIFY(f.boxes.shown[0].text.startsWith(u"Die Kontakte konnten nicht exportiert werden."_s));
}

void ContactsWindowTest::keyboardSearchFollowsPhoneBookOrder_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("umlaut as its base letter") << u"mu"_s << u"Müller, Karl"_s;
    QTest::newRow("umlaut typed") << u"mü"_s << u"Müller, Karl"_s;
    QTest::newRow("sharp s as ss") << u"strass"_s << u"Straße, Otto"_s;
    QTest::newRow("first in order") << u"m"_s << u"Mayer, Udo"_s;
}

void ContactsWindowTest::keyboardSearchFollowsPhoneBookOrder() {
    QFETCH(QString, typed);
    QFETCH(QString, found);
    WindowFixture f(kEntries);
    f.tabs()->setCurrentIndex(1);
    QListView* list = f.list(2);
    list->setFocus();
    list->keyboardSearch(typed);
    QCOMPARE(list->currentIndex().data().toString(), found);
}

// Ctrl+F, a few letters, Enter: the entry is dialled on a modem like a double-click would.
void ContactsWindowTest::searchFiltersAllListsAndDials() {
    tarvok::FakeModemProcess modem;
    QVERIFY(!modem.device().isEmpty());
    qputenv("TARVOK_COM1", modem.device().toLocal8Bit());
    tarvok::QtSerialPort port;
    WindowFixture f(kEntries, true, &port);

    QStringList lists, names;
    whenModalShows([&](QWidget* modal) {
        QCOMPARE(modal->objectName(), u"SearchWindow"_s);
        auto* text = modal->findChild<QLineEdit*>(u"SearchText"_s);
        auto* table = modal->findChild<QTableView*>(u"SearchResults"_s);
        QTest::keyClicks(text, u"ER"_s);
        lists = tableColumn(table, 0);
        names = tableColumn(table, 1);
        text->clear();
        QTest::keyClicks(text, u"40 8"_s);
        QCOMPARE(tableColumn(table, 1), QStringList{u"Müller, Karl"_s});
        QTest::keyClick(text, Qt::Key_Return);
    });
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QTest::keySequence(f.list(1), QKeySequence::Find);
    QTRY_VERIFY(modem.received().contains("888"));
    QCOMPARE(lists, (QStringList{u"Büro 1"_s, u"Büro 1"_s, u"Büro 2"_s, u"Büro 2"_s}));
    QCOMPARE(names,
             (QStringList{u"Albers, Eva"_s, u"Meier, Hans"_s, u"Mayer, Udo"_s, u"Müller, Karl"_s}));
    QCOMPARE(f.state.CurrentTab, 2);
    QCOMPARE(f.list(2)->currentIndex().data().toString(), u"Müller, Karl"_s);
}

void ContactsWindowTest::exportRequests_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("refusal"); // empty: written
    QTest::addColumn<int>("cards");
    QTest::newRow("list in front, relative") << QStringList{u"aus.vcf"_s, u""_s} << QString() << 2;
    QTest::newRow("all four lists") << QStringList{u"aus.vcf"_s, u"0"_s} << QString() << 5;
    QTest::newRow("list 2") << QStringList{u"aus.vcf"_s, u"2"_s} << QString() << 3;
    QTest::newRow("list out of range")
        << QStringList{u"aus.vcf"_s, u"7"_s} << u"Der Export-Auftrag ist ungültig."_s << 0;
    QTest::newRow("data file never overwritten")
        << QStringList{u"Brisel.DAT"_s, u""_s}
        << u"Bitte eine Datei mit der Endung .vcf oder .csv angeben."_s << 0;
}

// What a later start with --export asks of the running window, answered when written.
void ContactsWindowTest::exportRequests() {
    QFETCH(QStringList, args);
    QFETCH(QString, refusal);
    QFETCH(int, cards);
    WindowFixture f(kEntries);
    const QByteArray before = f.fileBytes("Brisel.DAT");
    tarvok::RequestRouter router;
    tarvok::AddContactRequests(router, f.state, *f.window);
    const tarvok::InstanceReply reply = router.handle({u"export"_s, args, f.dir.path()});
    QCOMPARE(reply.reason, refusal);
    QCOMPARE(reply.accepted, refusal.isEmpty());
    QCOMPARE(readFile(f.dir.path(), u"aus.vcf"_s).count("BEGIN:VCARD"), cards);
    QCOMPARE(f.fileBytes("Brisel.DAT"), before);
    if (!refusal.isEmpty())
        QTRY_COMPARE(f.boxes.shown.size(), 1);
}

void ContactsWindowTest::importRequestOpensThePreview() {
    WindowFixture f(kEntries);
    writeContacts(f, u"neu.csv"_s, "Name;Telefon\r\nNeu, Nina;040 1234567\r\n");
    tarvok::RequestRouter router;
    tarvok::AddContactRequests(router, f.state, *f.window);
    QCOMPARE(router.handle({u"import"_s, {u"fehlt.csv"_s, u""_s}, f.dir.path()}).reason,
             u"Die Datei %1 gibt es nicht."_s.arg(
                 tarvok::QuotedForMessage(f.dir.filePath(u"fehlt.csv"_s))));
    QTRY_COMPARE(f.boxes.shown.size(), 1);

    whenModalShows([](QWidget* modal) {
        QCOMPARE(modal->findChild<QComboBox*>(u"ImportList"_s)->currentText(), u"Privat 1"_s);
        modal->findChild<QPushButton*>(u"ImportAccept"_s)->click();
    });
    QVERIFY(router.handle({u"import"_s, {u"neu.csv"_s, u"3"_s}, f.dir.path()}).accepted);
    QTRY_COMPARE(f.names(3), QStringList{u"Neu, Nina"_s});
    QCOMPARE(f.bookOnDisk().lists[2].count(), 1);
}

QTEST_MAIN(ContactsWindowTest)
#include "ContactsWindowTest.moc"
