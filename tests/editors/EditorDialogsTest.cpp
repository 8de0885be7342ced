#include "EntryEditor.h"
#include "HourRangeSlider.h"
#include "ProviderEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using tarvok::EntryEditor;
using tarvok::HourRangeSlider;
using tarvok::ProviderEditor;
using tarvok::ProviderRecord;

namespace {

enum class Dialog { Entry, Provider };
enum class Closing { OkButton, CancelButton, Escape, CloseBox, EnterOnOk, EnterOnCancel };

std::unique_ptr<QDialog> makeDialog(Dialog kind) {
    if (kind == Dialog::Entry)
        return std::make_unique<EntryEditor>();
    return std::make_unique<ProviderEditor>();
}

template <typename T> T* child(QWidget* dialog, const QString& name) {
    auto* widget = dialog->findChild<T*>(name);
    if (!widget)
        qWarning("no control %s", qPrintable(name));
    return widget;
}

void close(QDialog* dialog, Closing how) {
    auto* ok = child<QPushButton>(dialog, QStringLiteral("Command1(0)"));
    auto* cancel = child<QPushButton>(dialog, QStringLiteral("Command1(1)"));
    switch (how) {
    case Closing::OkButton:
        QTest::mouseClick(ok, Qt::LeftButton);
        break;
    case Closing::CancelButton:
        QTest::mouseClick(cancel, Qt::LeftButton);
        break;
    case Closing::Escape:
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        break;
    case Closing::CloseBox:
        dialog->close();
        break;
    case Closing::EnterOnOk:
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        break;
    case Closing::EnterOnCancel:
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        break;
    }
}

} // namespace

class EditorDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void closingGivesResult_data();
    void closingGivesResult();
    void enterMovesFocusOnly_data();
    void enterMovesFocusOnly();
    void otherKeysReachTextBoxes();
    void entryEditorRoundTrip();
    void providerRecord_data();
    void providerRecord();
    void userChoiceOfDays_data();
    void userChoiceOfDays();
    void timeLabelFollowsSlider();
    void controlsCarryNamesAndTexts();
};

void EditorDialogsTest::closingGivesResult_data() {
    QTest::addColumn<Dialog>("kind");
    QTest::addColumn<Closing>("how");
    QTest::addColumn<int>("result");
    const std::pair<const char*, Dialog> kinds[] = {{"entry", Dialog::Entry},
                                                    {"provider", Dialog::Provider}};
    for (const auto& [kindName, kind] : kinds) {
        const auto row = [&](const char* name, Closing how, int result) {
            QTest::addRow("%s: %s", kindName, name) << kind << how << result;
        };
        row("OK", Closing::OkButton, QDialog::Accepted);
        row("Enter on the focused OK", Closing::EnterOnOk, QDialog::Accepted);
        row("Abbrechen", Closing::CancelButton, QDialog::Rejected);
        row("Enter on the focused Abbrechen", Closing::EnterOnCancel, QDialog::Rejected);
        row("Escape", Closing::Escape, QDialog::Rejected);
        row("close box", Closing::CloseBox, QDialog::Rejected);
    }
}

void EditorDialogsTest::closingGivesResult() {
    QFETCH(Dialog, kind);
    QFETCH(Closing, how);
    QFETCH(int, result);
    const auto dialog = makeDialog(kind);
    bool closedByTest = false;
    QTimer::singleShot(0, dialog.get(), [&] {
        QVERIFY(dialog->isVisible());
        close(dialog.get(), how);
        closedByTest = true;
    });
    // A test that went wrong must not leave exec() waiting for ever.
    QTimer::singleShot(5000, dialog.get(), [&] { dialog->done(-1); });
    QCOMPARE(dialog->exec(), result);
    QVERIFY(closedByTest);
    QVERIFY(!dialog->isVisible());
}

void EditorDialogsTest::enterMovesFocusOnly_data() {
    QTest::addColumn<Dialog>("kind");
    QTest::addColumn<int>("key");
    QTest::newRow("entry, Return") << Dialog::Entry << int(Qt::Key_Return);
    QTest::newRow("entry, keypad Enter") << Dialog::Entry << int(Qt::Key_Enter);
    QTest::newRow("provider, Return") << Dialog::Provider << int(Qt::Key_Return);
    QTest::newRow("provider, keypad Enter") << Dialog::Provider << int(Qt::Key_Enter);
}

void EditorDialogsTest::enterMovesFocusOnly() {
    QFETCH(Dialog, kind);
    QFETCH(int, key);
    const auto dialog = makeDialog(kind);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->open();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto* first = child<QLineEdit>(dialog.get(), QStringLiteral("Text1(0)"));
    auto* second = child<QLineEdit>(dialog.get(), QStringLiteral("Text1(1)"));
    auto* ok = child<QPushButton>(dialog.get(), QStringLiteral("Command1(0)"));
    QTRY_COMPARE(QApplication::focusWidget(), first);

    QTest::keyClicks(first, QStringLiteral("Meier"));
    QTest::keyClick(first, Qt::Key(key));
    QTRY_COMPARE(QApplication::focusWidget(), second);
    QTest::keyClicks(second, QStringLiteral("0049"));
    QTest::keyClick(second, Qt::Key(key));
    QTRY_COMPARE(QApplication::focusWidget(), ok);

    QCOMPARE(first->text(), QStringLiteral("Meier"));
    QCOMPARE(second->text(), QStringLiteral("0049"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(finished.count(), 0);
}

void EditorDialogsTest::otherKeysReachTextBoxes() {
    EntryEditor dialog;
    dialog.show();
    auto* name = child<QLineEdit>(&dialog, QStringLiteral("Text1(0)"));
    const QString typed = QStringLiteral("O'Neil, \"Ä\" ~ ß+1 (2)");
    QTest::keyClicks(name, typed);
    QCOMPARE(dialog.nameText(), typed);
}

void EditorDialogsTest::entryEditorRoundTrip() {
    EntryEditor dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Telefonbuch"));
    dialog.setEntry(QStringLiteral("  Müller, Hans "), QStringLiteral(" 0049 30 1234 "), 1);
    QCOMPARE(dialog.nameText(), QStringLiteral("  Müller, Hans "));
    QCOMPARE(dialog.numberText(), QStringLiteral(" 0049 30 1234 "));
    QCOMPARE(dialog.zeroFlag(), 1);
    dialog.show();
    QTest::mouseClick(child<QCheckBox>(&dialog, QStringLiteral("ZeroChk")), Qt::LeftButton);
    QCOMPARE(dialog.zeroFlag(), 0);
    dialog.setEntry(QString(), QString(), 0);
    QCOMPARE(dialog.nameText(), QString());
    QCOMPARE(dialog.zeroFlag(), 0);
}

void EditorDialogsTest::providerRecord_data() {
    QTest::addColumn<int>("dayCode");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("moFr");
    QTest::addColumn<int>("saSo");
    const QList<int> far = {0, 1, 0};
    QTest::newRow("Mo - Fr") << 1 << far << "OptTage(1)" << 1 << 0;
    QTest::newRow("Sa - So") << 2 << far << "OptTage(2)" << 0 << 1;
    QTest::newRow("immer") << 3 << far << "OptTage(3)" << 1 << 1;
    QTest::newRow("no day code chooses Mo - Fr") << 0 << far << "OptTage(1)" << 1 << 0;
    QTest::newRow("unknown day code chooses Mo - Fr") << 7 << far << "OptTage(1)" << 1 << 0;
    QTest::newRow("all distances") << 1 << QList<int>{1, 1, 1} << "OptTage(1)" << 1 << 0;
    QTest::newRow("no distance") << 1 << QList<int>{0, 0, 0} << "OptTage(1)" << 1 << 0;
    QTest::newRow("any non-zero flag checks")
        << 1 << QList<int>{-1, 0, 2} << "OptTage(1)" << 1 << 0;
}

void EditorDialogsTest::providerRecord() {
    QFETCH(int, dayCode);
    QFETCH(QList<int>, flags);
    QFETCH(QString, chosen);
    QFETCH(int, moFr);
    QFETCH(int, saSo);
    ProviderEditor dialog;
    dialog.setValues(QStringLiteral("  Tele Eins "), QStringLiteral(" 01012 "), dayCode, 7, 19,
                     flags[0], flags[1], flags[2]);
    QVERIFY(child<QRadioButton>(&dialog, chosen)->isChecked());
    QCOMPARE(dialog.nameText(), QStringLiteral("  Tele Eins "));
    QCOMPARE(dialog.networkCodeText(), QStringLiteral(" 01012 "));

    ProviderRecord expected;
    expected.Name = QStringLiteral("Tele Eins");
    expected.NetworkCode = QStringLiteral("01012");
    expected.MoFr = moFr;
    expected.SaSo = saSo;
    expected.StartHour = 7;
    expected.EndHour = 19;
    expected.Near = flags[0] != 0;
    expected.Far = flags[1] != 0;
    expected.Abroad = flags[2] != 0;
    QCOMPARE(dialog.record(), expected);
    QCOMPARE(dialog.startHour(), 7);
    QCOMPARE(dialog.endHour(), 19);
}

void EditorDialogsTest::userChoiceOfDays_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("moFr");
    QTest::addColumn<int>("saSo");
    QTest::newRow("Mo - Fr") << "OptTage(1)" << 1 << 0;
    QTest::newRow("Sa - So") << "OptTage(2)" << 0 << 1;
    QTest::newRow("immer") << "OptTage(3)" << 1 << 1;
}

void EditorDialogsTest::userChoiceOfDays() {
    QFETCH(QString, option);
    QFETCH(int, moFr);
    QFETCH(int, saSo);
    ProviderEditor dialog;
    dialog.setValues(QStringLiteral("Tele"), QStringLiteral("010"), 3, 9, 18, 0, 1, 0);
    dialog.show();
    QTest::mouseClick(child<QRadioButton>(&dialog, option), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(&dialog, QStringLiteral("ChkWeite(1)")), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>(&dialog, QStringLiteral("ChkWeite(2)")), Qt::LeftButton);
    const ProviderRecord record = dialog.record();
    QCOMPARE(record.MoFr, moFr);
    QCOMPARE(record.SaSo, saSo);
    QCOMPARE(record.Near, 1);
    QCOMPARE(record.Far, 0);
    QCOMPARE(record.Abroad, 0);
}

void EditorDialogsTest::timeLabelFollowsSlider() {
    ProviderEditor dialog;
    auto* label = child<QLabel>(&dialog, QStringLiteral("TimeLbl"));
    auto* slider = child<HourRangeSlider>(&dialog, QStringLiteral("TimeSlider"));
    dialog.setValues(QString(), QString(), 1, 9, 18, 0, 1, 0);
    QCOMPARE(slider->value(), 18);
    QCOMPARE(label->text(), QStringLiteral("09h - 18h"));

    dialog.show();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    QCOMPARE(label->text(), QStringLiteral("17h - 17h"));
    QTest::keyClick(slider, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(label->text(), QStringLiteral("17h - 24h"));
    QCOMPARE(dialog.startHour(), 17);
    QCOMPARE(dialog.endHour(), 24);
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(label->text(), QStringLiteral("00h - 00h"));
    QCOMPARE(dialog.record().StartHour, 0);
    QCOMPARE(dialog.record().EndHour, 0);
}

void EditorDialogsTest::controlsCarryNamesAndTexts() {
    struct Control {
        const char* objectName;
        const char* text;
        const char* accessibleName;
    };
    const auto check = [](QWidget* dialog, const QList<Control>& controls) {
        for (const Control& control : controls) {
            auto* widget = child<QWidget>(dialog, QString::fromUtf8(control.objectName));
            QVERIFY2(widget, control.objectName);
            QCOMPARE(widget->accessibleName(), QString::fromUtf8(control.accessibleName));
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                QCOMPARE(button->text(), QString::fromUtf8(control.text));
        }
    };
    EntryEditor entry;
    check(&entry,
          {{"Text1(0)", "", "Name des Teilnehmers (Nachname zuerst)"},
           {"Text1(1)", "", "Internationale Telefonnummer des Teilnehmers"},
           {"ZeroChk", "Bei Anruf im gleichen Land der Vorwahlnummer eine Null voranstellen",
            "Bei Anruf im gleichen Land der Vorwahlnummer eine Null voranstellen"},
           {"Command1(0)", "&OK", "OK"},
           {"Command1(1)", "&Abbrechen", "Abbrechen"}});
    ProviderEditor provider;
    check(&provider, {{"Text1(0)", "", "Name"},
                      {"Text1(1)", "", "Netznummer"},
                      {"OptTage(1)", "Mo - Fr", "Mo - Fr"},
                      {"OptTage(2)", "Sa - So", "Sa - So"},
                      {"OptTage(3)", "immer", "immer"},
                      {"ChkWeite(1)", "Nah", "Nah"},
                      {"ChkWeite(2)", "Fern", "Fern"},
                      {"ChkWeite(3)", "Ausland", "Ausland"},
                      {"TimeSlider", "", "Zeitraum: (Stunden)"},
                      {"Command1(0)", "&OK", "OK"},
                      {"Command1(1)", "&Abbrechen", "Abbrechen"}});
    QCOMPARE(provider.windowTitle(), QStringLiteral("Anbieterliste"));
    QCOMPARE(provider.objectName(), QStringLiteral("Form3"));
    QCOMPARE(child<QWidget>(&provider, QStringLiteral("TimeSlider"))->toolTip(),
             QStringLiteral("Zuerst Startzeit einstellen, dann gleichzeitig [Strg] gedrückt "
                            "halten ..."));

    // Each text box and the slider is introduced by its label.
    for (QWidget* dialog : {static_cast<QWidget*>(&entry), static_cast<QWidget*>(&provider)}) {
        QStringList introduced;
        for (auto* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy())
                introduced << label->buddy()->objectName();
        }
        QVERIFY(introduced.contains(QStringLiteral("Text1(0)")));
        QVERIFY(introduced.contains(QStringLiteral("Text1(1)")));
    }
}

QTEST_MAIN(EditorDialogsTest)
#include "EditorDialogsTest.moc"
