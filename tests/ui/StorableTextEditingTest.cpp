// Text that the windows-1252 files cannot hold is caught where it is typed: in both editors
// and on the options page, before anything is stored.
#include "EntryEditor.h"
#include "ProviderEditor.h"
#include "WindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Answer = MessageBoxRecorder::Answer;
using Icon = tarvok::MessageBox::Icon;

namespace {

enum class Editor { Entry, Provider };

QLineEdit* box(QWidget* window, const char* name) {
    return window->findChild<QLineEdit*>(QLatin1String(name));
}

} // namespace

class StorableTextEditingTest : public QObject {
    Q_OBJECT

private slots:
    void editorsReplaceOrRefuse_data();
    void editorsReplaceOrRefuse();
    void nameTypedInTheListIsStoredAsShown();
    void optionsPageStaysUntilStorable_data();
    void optionsPageStaysUntilStorable();
};

void StorableTextEditingTest::editorsReplaceOrRefuse_data() {
    QTest::addColumn<Editor>("editor");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("named"); // what the box names, empty without a box

    const auto yes = int(Answer::Yes);
    const auto no = int(Answer::No);
    QTest::newRow("entry: windows-1252 text passes")
        << Editor::Entry << "Text1(0)" << QStringLiteral("Müller, Jürgen ©") << -1 << true
        << QStringLiteral("Müller, Jürgen ©") << QString();
    QTest::newRow("entry: Yes replaces")
        << Editor::Entry << "Text1(0)" << QStringLiteral("Łukasz Dvořák") << yes << true
        << QStringLiteral("Lukasz Dvorák") << QStringLiteral("\"Ł\" (U+0141), \"ř\" (U+0159)");
    QTest::newRow("entry: No keeps it open and unchanged")
        << Editor::Entry << "Text1(0)" << QStringLiteral("Dvořák") << no << false
        << QStringLiteral("Dvořák") << QStringLiteral("\"ř\" (U+0159)");
    QTest::newRow("entry: other scripts refused")
        << Editor::Entry << "Text1(0)" << QStringLiteral("Иван") << -1 << false
        << QStringLiteral("Иван")
        << QStringLiteral("\"И\" (U+0418), \"в\" (U+0432), \"а\" (U+0430), \"н\" (U+043D)");
    QTest::newRow("entry: number box checked too")
        << Editor::Entry << "Text1(1)" << QStringLiteral("49 89 12☎") << -1 << false
        << QStringLiteral("49 89 12☎") << QStringLiteral("\"☎\" (U+260E)");
    QTest::newRow("provider: Yes replaces")
        << Editor::Provider << "Text1(0)" << QStringLiteral("Telekomunikacja Ślůnsk") << yes << true
        << QStringLiteral("Telekomunikacja Slunsk")
        << QStringLiteral("\"Ś\" (U+015A), \"ů\" (U+016F)");
    QTest::newRow("provider: a mark alone is named by its code")
        << Editor::Provider << "Text1(1)" << QStringLiteral("\u030301033") << -1 << false
        << QStringLiteral("\u030301033") << QStringLiteral("\"◌\u0303\" (U+0303)");
}

void StorableTextEditingTest::editorsReplaceOrRefuse() {
    QFETCH(Editor, editor);
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(QString, after);
    QFETCH(QString, named);

    MessageBoxRecorder boxes;
    if (answer >= 0)
        boxes.answers << Answer(answer);
    std::unique_ptr<QDialog> dialog;
    if (editor == Editor::Entry)
        dialog = std::make_unique<tarvok::EntryEditor>();
    else
        dialog = std::make_unique<tarvok::ProviderEditor>();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QLineEdit* typedBox = box(dialog.get(), boxName.toLatin1().constData());
    box(dialog.get(), "Text1(0)")->setText(QStringLiteral("Name"));
    box(dialog.get(), "Text1(1)")->setText(QStringLiteral("49 1"));
    typedBox->setText(typed);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Command1(0)")),
                      Qt::LeftButton);

    QCOMPARE(dialog->isVisible(), !closes);
    QCOMPARE(dialog->result(), closes ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(typedBox->text(), after);
    if (named.isEmpty()) {
        QVERIFY(boxes.shown.isEmpty());
        return;
    }
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].icon, answer >= 0 ? Icon::Question : Icon::Exclamation);
    QCOMPARE(boxes.shown[0].title, QStringLiteral("Tarvok-Pro"));
    QVERIFY2(boxes.shown[0].text.contains(named), qPrintable(boxes.shown[0].text));
    if (!closes)
        QCOMPARE(dialog->focusWidget(), typedBox);
}

// The whole road: typed in the editor, agreed to, written to Brisel.DAT and read back.
void StorableTextEditingTest::nameTypedInTheListIsStoredAsShown() {
    WindowFixture f(QStringList{});
    f.boxes.answers << Answer::Yes;
    QTimer::singleShot(0, [] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget* editor = QApplication::activeModalWidget();
        box(editor, "Text1(0)")->setText(QStringLiteral("Łukasz Dvořák"));
        box(editor, "Text1(1)")->setText(QStringLiteral("48 22 1234567"));
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Command1(0)")),
                          Qt::LeftButton);
    });
    f.list(1)->setFocus();
    QTest::keyClick(f.list(1), Qt::Key_Insert);

    QCOMPARE(f.names(1), QStringList{QStringLiteral("Lukasz Dvorák")});
    QCOMPARE(f.bookOnDisk().lists[0].at(0).Name, QStringLiteral("Lukasz Dvorák"));
    QVERIFY(f.fileBytes("Brisel.DAT").contains("\"Lukasz Dvor\xe1k\""));
}

void StorableTextEditingTest::optionsPageStaysUntilStorable_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("leaves");
    QTest::addColumn<QString>("stored"); // the list name in the file afterwards

    QTest::newRow("storable") << QStringLiteral("Kunden") << -1 << true << QStringLiteral("Kunden");
    QTest::newRow("Yes replaces") << QStringLiteral("Łódź") << int(Answer::Yes) << true
                                  << QStringLiteral("Lódz");
    QTest::newRow("No stays") << QStringLiteral("Łódź") << int(Answer::No) << false
                              << QStringLiteral("Büro 1");
    QTest::newRow("refused stays")
        << QStringLiteral("東京") << -1 << false << QStringLiteral("Büro 1");
}

void StorableTextEditingTest::optionsPageStaysUntilStorable() {
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, leaves);
    QFETCH(QString, stored);

    WindowFixture f(QStringList{});
    f.tabs()->setCurrentIndex(4);
    QCOMPARE(f.state.CurrentTab, 5);
    if (answer >= 0)
        f.boxes.answers << Answer(answer);
    box(f.window.get(), "Text2(1)")->setText(typed);
    f.tabs()->setCurrentIndex(1);

    QCOMPARE(f.state.CurrentTab, leaves ? 2 : 5);
    QCOMPARE(f.tabs()->currentIndex(), leaves ? 1 : 4);
    QCOMPARE(f.boxes.shown.size(), typed == stored ? 0 : 1);
    QCOMPARE(f.bookOnDisk().settings.ListNames[0], stored);

    // Quitting with the page in front asks the same; a refusal keeps the program running.
    if (!leaves) {
        QSignalSpy ended(f.window.get(), &tarvok::MainWindow::programEnded);
        if (answer >= 0)
            f.boxes.answers << Answer(answer);
        f.window->QuitProgram();
        QCOMPARE(ended.size(), 0);
        QCOMPARE(f.bookOnDisk().settings.ListNames[0], stored);
    }
}

QTEST_MAIN(StorableTextEditingTest)
#include "StorableTextEditingTest.moc"
