#include "WindowFixture.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kStatusListe =
    QStringLiteral("Doppelklick für Anwahl oder rechte Maustaste für Menü");
const QString kOptionsHint = QStringLiteral("Bitte gewünschte Änderungen vornehmen");
const QString kOther = QStringLiteral("etwas anderes");

} // namespace

class TabStripTest : public QObject {
    Q_OBJECT

private slots:
    void switching_data();
    void switching();
    void reselectingOptionsKeepsEdits();
    void leavingOptionsAppliesNames();
    void quittingOnOptionsSavesOnce();
};

void TabStripTest::switching_data() {
    QTest::addColumn<QList<int>>("tabs"); // tabs selected in turn, 1-based
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("status");

    QTest::newRow("list to list") << QList{2, 4, 1} << false << kOther;
    QTest::newRow("into options") << QList{5} << false << kOptionsHint;
    QTest::newRow("options to list") << QList{5, 3} << true << kStatusListe;
    QTest::newRow("list, options, list") << QList{2, 5, 2} << true << kStatusListe;
}

void TabStripTest::switching() {
    QFETCH(QList<int>, tabs);
    QFETCH(bool, saved);
    QFETCH(QString, status);

    WindowFixture f(QStringList{});
    const QByteArray before = f.fileBytes("Brisel.DAT");
    f.window->SetStatusText(kOther);
    for (int tab : tabs)
        f.tabs()->setCurrentIndex(tab - 1);

    QCOMPARE(f.state.CurrentTab, tabs.last());
    QCOMPARE(f.statusText(), status);
    QCOMPARE(f.fileBytes("Brisel.BAK") == before, saved);
    QVERIFY(f.boxes.shown.isEmpty());
}

// Selecting the options tab while it is in front reloads nothing.
void TabStripTest::reselectingOptionsKeepsEdits() {
    WindowFixture f(QStringList{});
    f.tabs()->setCurrentIndex(4);
    auto* country = f.find<QLineEdit>(QStringLiteral("Text1(2)"));
    QCOMPARE(country->text(), QStringLiteral("49"));
    country->setText(QStringLiteral("43"));
    f.window->SetStatusText(kOther);

    f.window->ShowOptionsTab();
    QCOMPARE(country->text(), QStringLiteral("43"));
    QCOMPARE(f.statusText(), kOther);
    QCOMPARE(f.state.CurrentTab, 5);
}

void TabStripTest::leavingOptionsAppliesNames() {
    WindowFixture f(QStringList{});
    f.tabs()->setCurrentIndex(4);
    f.find<QLineEdit>(QStringLiteral("Text2(2)"))->setText(QStringLiteral("Kunden & Co"));
    QCOMPARE(f.tabs()->tabText(1), QStringLiteral("Büro 2"));

    f.tabs()->setCurrentIndex(1);
    QCOMPARE(f.tabs()->tabText(1), QStringLiteral("Kunden && Co"));
    QCOMPARE(f.list(2)->accessibleName(), QStringLiteral("Kunden & Co"));
    QCOMPARE(f.bookOnDisk().settings.ListNames[1], QStringLiteral("Kunden & Co"));
}

// "&Beenden" with the options in front keeps the edits, and the backup is the file as it
// was before them.
void TabStripTest::quittingOnOptionsSavesOnce() {
    WindowFixture f(QStringList{});
    const QByteArray before = f.fileBytes("Brisel.DAT");
    f.tabs()->setCurrentIndex(4);
    f.find<QLineEdit>(QStringLiteral("Text1(2)"))->setText(QStringLiteral("43"));
    QSignalSpy ended(f.window.get(), &tarvok::MainWindow::programEnded);

    f.window->QuitProgram();
    QCOMPARE(ended.size(), 1);
    QCOMPARE(f.bookOnDisk().settings.CountryCode, QStringLiteral("43"));
    QCOMPARE(f.fileBytes("Brisel.BAK"), before);
    QVERIFY(!f.tray.shown);
}

QTEST_MAIN(TabStripTest)
#include "TabStripTest.moc"
