// The options page: settings to controls and back, the entry-size slider with its sample,
// and the enabled states of the hand-over controls.

#include "OptionsPage.h"
#include "AppState.h"
#include "MessageBox.h"
#include "PhoneFile.h"
#include "ProviderTableModel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tarvok;

class OptionsPageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveStoresControls_data();
    void saveStoresControls();
    void reopenedPageShowsStoredCodes_data();
    void reopenedPageShowsStoredCodes();
    void editsWaitForSave();
    void outOfRangeChoicesKeepStoredValue();
    void failedSaveKeepsEdits();

    void sliderPositionForEntrySize_data();
    void sliderPositionForEntrySize();
    void sliderEdgesByMouse();
    void sampleStaysCentred();

    void handOverEnabledStates_data();
    void handOverEnabledStates();
    void handOverClicksKeepValues();

    void screenReaderNames_data();
    void screenReaderNames();
    void portItemsNameTheirDevice();

private:
    template <typename T> T* control(const char* name) {
        auto* widget = m_page->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    Settings& settings() { return m_state->phoneBook.settings; }
    Settings readBack() {
        PhoneBook book;
        const PhoneFileOpening opening = OpenPhoneFile(m_dir->path(), book);
        if (opening.outcome != PhoneFileOpening::Outcome::Read)
            qWarning("Brisel.DAT did not read back");
        return book.settings;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ProviderTableModel> m_model;
    std::unique_ptr<OptionsPage> m_page;
    QList<MessageBox::Shown> m_boxes;
};

void OptionsPageTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_state->dataDir = m_dir->path();
    m_state->CurrentTab = 5;
    m_model = std::make_unique<ProviderTableModel>(m_state->providers);
    m_page = std::make_unique<OptionsPage>(*m_state, *m_model);
    m_boxes.clear();
    MessageBox::setHandler([this](const MessageBox::Shown& box) {
        m_boxes.append(box);
        return MessageBox::Answer::Ok;
    });
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    m_page->LoadOptionControls();
}

void OptionsPageTest::cleanup() {
    MessageBox::setHandler({});
    m_page.reset();
    m_model.reset();
    m_state.reset();
    m_dir.reset();
}

void OptionsPageTest::saveStoresControls_data() {
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");

    QTest::newRow("area code loses leading zero") << "Text1(3)"
                                                  << "0711"
                                                  << "AreaCode"
                                                  << "711";
    QTest::newRow("empty area code") << "Text1(3)"
                                     << ""
                                     << "AreaCode"
                                     << "0";
    QTest::newRow("empty country code") << "Text1(2)"
                                        << ""
                                        << "CountryCode"
                                        << "0";
    QTest::newRow("blanks inside a code") << "Text1(2)"
                                          << " 4 9 "
                                          << "CountryCode"
                                          << "49";
    QTest::newRow("code ends at a letter") << "Text1(3)"
                                           << "89a12"
                                           << "AreaCode"
                                           << "89";
    QTest::newRow("code without digits") << "Text1(2)"
                                         << "x49"
                                         << "CountryCode"
                                         << "0";
    QTest::newRow("code of zeros") << "Text1(3)"
                                   << "000"
                                   << "AreaCode"
                                   << "0";
    QTest::newRow("long code keeps every digit") << "Text1(3)"
                                                 << "12345678901234567890"
                                                 << "AreaCode"
                                                 << "12345678901234567890";
    QTest::newRow("outside line trimmed") << "Text1(0)"
                                          << "  0 "
                                          << "OutsideLinePrefix"
                                          << "0";
    QTest::newRow("international trimmed") << "Text1(1)"
                                           << " 00  "
                                           << "InternationalPrefix"
                                           << "00";
    QTest::newRow("extra commands as typed") << "Text3"
                                             << " X3 &F "
                                             << "ExtraModemCommands"
                                             << " X3 &F ";
    QTest::newRow("hand-over number as typed") << "UebergabeNrText"
                                               << " 12 "
                                               << "HandOverNumber"
                                               << " 12 ";
    QTest::newRow("quotes in extra commands") << "Text3"
                                              << "S7=\"5\""
                                              << "ExtraModemCommands"
                                              << "S7='5'";
    QTest::newRow("quotes in a prefix") << "Text1(0)"
                                        << "\"0\""
                                        << "OutsideLinePrefix"
                                        << "'0'";
    QTest::newRow("empty list name") << "Text2(1)"
                                     << ""
                                     << "ListNames1"
                                     << "";
    QTest::newRow("list name as typed") << "Text2(4)"
                                        << " Firma "
                                        << "ListNames4"
                                        << " Firma ";
    // The tab shows the name as typed; only the file has no double quotes.
    QTest::newRow("quotes in a list name") << "Text2(2)"
                                           << "\"Oma\""
                                           << "ListNames2"
                                           << "'Oma'";
}

namespace {
QString Field(const Settings& s, const QString& field) {
    if (field == u"AreaCode")
        return s.AreaCode;
    if (field == u"CountryCode")
        return s.CountryCode;
    if (field == u"OutsideLinePrefix")
        return s.OutsideLinePrefix;
    if (field == u"InternationalPrefix")
        return s.InternationalPrefix;
    if (field == u"ExtraModemCommands")
        return s.ExtraModemCommands;
    if (field == u"HandOverNumber")
        return s.HandOverNumber;
    if (field.startsWith(u"ListNames"))
        return s.ListNames[size_t(field.back().digitValue() - 1)];
    return QStringLiteral("<unknown field>");
}
} // namespace

void OptionsPageTest::saveStoresControls() {
    QFETCH(QString, controlName);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(QString, stored);

    settings().DialMethod = 0; // the hand-over number box takes input with tone dialling only
    settings().HandOverEnabled = 1;
    m_page->LoadOptionControls();
    auto* edit = control<QLineEdit>(controlName.toLatin1().constData());
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), typed);
    QSignalSpy saved(m_page.get(), &OptionsPage::settingsSaved);

    QVERIFY(m_page->SaveOptionControls());
    QCOMPARE(saved.count(), 1);
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(Field(settings(), field), field.startsWith(u"ListNames") ? typed : stored);
    QCOMPARE(Field(readBack(), field), stored);
}

void OptionsPageTest::reopenedPageShowsStoredCodes_data() {
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownAgain");
    QTest::newRow("0711") << "Text1(3)"
                          << "0711"
                          << "711";
    QTest::newRow("empty country") << "Text1(2)"
                                   << ""
                                   << "0";
    QTest::newRow("empty area") << "Text1(3)"
                                << ""
                                << "0";
}

void OptionsPageTest::reopenedPageShowsStoredCodes() {
    QFETCH(QString, controlName);
    QFETCH(QString, typed);
    QFETCH(QString, shownAgain);
    auto* edit = control<QLineEdit>(controlName.toLatin1().constData());
    edit->setText(typed);
    QVERIFY(m_page->SaveOptionControls());
    edit->setText(QStringLiteral("stale"));
    m_page->LoadOptionControls();
    QCOMPARE(edit->text(), shownAgain);
}

void OptionsPageTest::editsWaitForSave() {
    const Settings before = settings();
    control<QLineEdit>("Text2(1)")->setText(QStringLiteral("Kunden"));
    control<QSlider>("Slider1")->setValue(10);
    control<QComboBox>("ComList")->setCurrentIndex(3);
    QCOMPARE(settings(), before);
    QVERIFY(!QFile::exists(m_dir->filePath(QLatin1String(kPhoneFileName))));

    QVERIFY(m_page->SaveOptionControls());
    QCOMPARE(settings().ListNames[0], QStringLiteral("Kunden"));
    QCOMPARE(settings().EntrySize, 20.0);
    QCOMPARE(settings().ComPort, 4);
    QCOMPARE(readBack(), settings());
}

void OptionsPageTest::outOfRangeChoicesKeepStoredValue() {
    settings().ComPort = 7;
    settings().DialMethod = 3;
    settings().HandOverEnabled = 1;
    m_page->LoadOptionControls();
    auto* ports = control<QComboBox>("ComList");
    auto* methods = control<QComboBox>("WahlArtList");
    QCOMPARE(ports->currentIndex(), -1);
    QCOMPARE(methods->currentIndex(), -1);
    // Only tone dialling hands a call over, so the controls stay off.
    QVERIFY(!control<QCheckBox>("UebergabeChk")->isEnabled());

    QVERIFY(m_page->SaveOptionControls());
    QCOMPARE(settings().ComPort, 7);
    QCOMPARE(settings().DialMethod, 3);

    ports->setCurrentIndex(1);
    methods->setCurrentIndex(0);
    QVERIFY(m_page->SaveOptionControls());
    QCOMPARE(settings().ComPort, 2);
    QCOMPARE(settings().DialMethod, 0);
    QCOMPARE(readBack().ComPort, 2);
}

void OptionsPageTest::failedSaveKeepsEdits() {
    const QString dataDir = m_state->dataDir;
    m_state->dataDir = m_dir->filePath(QStringLiteral("no/such/folder"));
    control<QLineEdit>("Text1(3)")->setText(QStringLiteral("0711"));
    control<QLineEdit>("Text2(2)")->setText(QStringLiteral("Kunden"));
    QSignalSpy saved(m_page.get(), &OptionsPage::settingsSaved);

    QVERIFY(!m_page->SaveOptionControls());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, MessageBox::Icon::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("Tarvok-Pro"));
    QVERIFY2(m_boxes[0].text.contains(QLatin1String(kPhoneFileName)), qPrintable(m_boxes[0].text));
    // What the user sees stays in force, on the page and in the program.
    QCOMPARE(control<QLineEdit>("Text1(3)")->text(), QStringLiteral("0711"));
    QCOMPARE(settings().AreaCode, QStringLiteral("711"));
    QCOMPARE(settings().ListNames[1], QStringLiteral("Kunden"));
    QCOMPARE(saved.count(), 1);

    // Once the folder is back, the next save writes them.
    m_state->dataDir = dataDir;
    QVERIFY(m_page->SaveOptionControls());
    QCOMPARE(readBack().AreaCode, QStringLiteral("711"));
    QCOMPARE(readBack().ListNames[1], QStringLiteral("Kunden"));
}

void OptionsPageTest::sliderPositionForEntrySize_data() {
    QTest::addColumn<double>("entrySize");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("sampleSize");
    QTest::newRow("design size 12") << 12.0 << 18 << 12;
    QTest::newRow("largest") << 24.0 << 6 << 24;
    QTest::newRow("smallest") << 6.0 << 24 << 6;
    QTest::newRow("8.25 rounds down") << 8.25 << 22 << 8;
    QTest::newRow("half goes to even below") << 12.5 << 18 << 12;
    QTest::newRow("half goes to even above") << 13.5 << 16 << 14;
    QTest::newRow("too large is clamped") << 30.0 << 6 << 24;
    QTest::newRow("too small is clamped") << 2.0 << 24 << 6;
}

void OptionsPageTest::sliderPositionForEntrySize() {
    QFETCH(double, entrySize);
    QFETCH(int, value);
    QFETCH(int, sampleSize);
    settings().EntrySize = entrySize;
    m_page->LoadOptionControls();
    QCOMPARE(control<QSlider>("Slider1")->value(), value);
    QCOMPARE(control<QLabel>("FntSmpl")->font().pointSize(), sampleSize);
    QVERIFY(m_page->SaveOptionControls());
    QCOMPARE(settings().EntrySize, double(sampleSize));
}

// The top of the slider is the largest size: clicking above and below the handle until
// it stops must end at 24 and 6 points.
void OptionsPageTest::sliderEdgesByMouse() {
    auto* slider = control<QSlider>("Slider1");
    auto* sample = control<QLabel>("FntSmpl");
    for (int i = 0; i < 30; ++i)
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, 1));
    QCOMPARE(slider->value(), 6);
    QCOMPARE(sample->font().pointSize(), 24);
    QCOMPARE(QAccessible::queryAccessibleInterface(slider)->text(QAccessible::Description),
             QStringLiteral("24 Punkt"));
    for (int i = 0; i < 30; ++i)
        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() / 2, slider->height() - 2));
    QCOMPARE(slider->value(), 24);
    QCOMPARE(sample->font().pointSize(), 6);

    QTest::keyClick(slider, Qt::Key_Up); // up is towards the larger sizes
    QCOMPARE(sample->font().pointSize(), 7);
}

void OptionsPageTest::sampleStaysCentred() {
    auto* slider = control<QSlider>("Slider1");
    auto* sample = control<QLabel>("FntSmpl");
    auto* box = control<QFrame>("FntFrm");
    for (int value = slider->minimum(); value <= slider->maximum(); ++value) {
        slider->setValue(value);
        QCOMPARE(sample->font().pointSize(), 30 - value);
        QCOMPARE(sample->size(), sample->sizeHint());
        const QPointF centre = QRectF(sample->geometry()).center();
        const QPointF boxCentre = QRectF(box->contentsRect()).center();
        QVERIFY2(qAbs(centre.x() - boxCentre.x()) <= 1 && qAbs(centre.y() - boxCentre.y()) <= 1,
                 qPrintable(QStringLiteral("value %1: sample centre %2,%3, box centre %4,%5")
                                .arg(value)
                                .arg(centre.x())
                                .arg(centre.y())
                                .arg(boxCentre.x())
                                .arg(boxCentre.y())));
    }
}

void OptionsPageTest::handOverEnabledStates_data() {
    QTest::addColumn<int>("dialMethod");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("frameOn");
    QTest::addColumn<bool>("checkOn");
    QTest::addColumn<bool>("numberOn");
    QTest::newRow("tone, ticked") << 0 << true << true << true << true;
    QTest::newRow("tone, not ticked") << 0 << false << true << true << false;
    QTest::newRow("pulse, ticked") << 1 << true << false << false << false;
    QTest::newRow("pulse, not ticked") << 1 << false << false << false << false;
}

// Whether the program filled the controls or the user chose, the states are the same.
void OptionsPageTest::handOverEnabledStates() {
    QFETCH(int, dialMethod);
    QFETCH(bool, ticked);
    QFETCH(bool, frameOn);
    QFETCH(bool, checkOn);
    QFETCH(bool, numberOn);
    auto* frame = control<QGroupBox>("WeiterleitenFrame");
    auto* check = control<QCheckBox>("UebergabeChk");
    auto* number = control<QLineEdit>("UebergabeNrText");
    auto* methods = control<QComboBox>("WahlArtList");
    const auto verifyStates = [&] {
        QCOMPARE(frame->isEnabled(), frameOn);
        QCOMPARE(check->isEnabled(), checkOn);
        QCOMPARE(number->isEnabled(), numberOn);
    };

    settings().DialMethod = dialMethod;
    settings().HandOverEnabled = ticked ? 1 : 0;
    m_page->LoadOptionControls();
    verifyStates();

    // The other way round by the user: from the opposite state to this row's.
    settings().DialMethod = 1 - dialMethod;
    settings().HandOverEnabled = ticked ? 0 : 1;
    m_page->LoadOptionControls();
    if (dialMethod == 1) {
        if (check->isChecked() != ticked)
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
        methods->setCurrentIndex(1);
    } else {
        methods->setCurrentIndex(0);
        if (check->isChecked() != ticked)
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    }
    QCOMPARE(check->isChecked(), ticked);
    verifyStates();
}

void OptionsPageTest::handOverClicksKeepValues() {
    settings().DialMethod = 0;
    settings().HandOverEnabled = 1;
    settings().HandOverNumber = QStringLiteral("**21");
    m_page->LoadOptionControls();
    auto* check = control<QCheckBox>("UebergabeChk");
    auto* number = control<QLineEdit>("UebergabeNrText");
    auto* methods = control<QComboBox>("WahlArtList");

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    QVERIFY(!number->isEnabled());
    QCOMPARE(number->text(), QStringLiteral("**21"));
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    QVERIFY(number->isEnabled());

    methods->setCurrentIndex(1);
    QVERIFY(!number->isEnabled());
    QVERIFY(check->isChecked());
    QCOMPARE(number->text(), QStringLiteral("**21"));
    methods->setCurrentIndex(0);
    QVERIFY(number->isEnabled());
}

void OptionsPageTest::screenReaderNames_data() {
    QTest::addColumn<QString>("controlName");
    QTest::addColumn<QString>("name");
    const char* const rows[][2] = {
        {"Text1(2)", "Land"},         {"Text1(3)", "Ort"},
        {"Text1(1)", "Ausland"},      {"Text1(0)", "Amt"},
        {"Text3", "Zusatzbefehle"},   {"ComList", "Anschluß"},
        {"WahlArtList", "Wahlart"},   {"Slider1", "Eintragsgröße"},
        {"UebergabeChk", "ja, an"},   {"Btn(0)", "Debug"},
        {"Btn(1)", "Download"},       {"Text2(1)", "Kartenname 1"},
        {"Text2(4)", "Kartenname 4"}, {"TelcoList", "Provider-Liste"},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromUtf8(row[1]);
}

// What a screen reader announces for each control.
void OptionsPageTest::screenReaderNames() {
    QFETCH(QString, controlName);
    QFETCH(QString, name);
    auto* widget = control<QWidget>(controlName.toLatin1().constData());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    // On Linux a drop-down list's name is its current item; the label reaches the screen
    // reader as a "labelled by" relation, which comes from the label's buddy.
    QStringList announced{accessible->text(QAccessible::Name)};
    for (const auto& relation : accessible->relations(QAccessible::Label))
        announced << relation.first->text(QAccessible::Name);
    QVERIFY2(announced.contains(name), qPrintable(announced.join(u", ")));
}

void OptionsPageTest::portItemsNameTheirDevice() {
    qputenv("TARVOK_COM2", "/dev/pts/7");
    OptionsPage page(*m_state, *m_model);
    qunsetenv("TARVOK_COM2");
    auto* ports = page.findChild<QComboBox*>(QStringLiteral("ComList"));
    QVERIFY(ports);
    QStringList items;
    for (int i = 0; i < ports->count(); ++i)
        items << ports->itemText(i) + u' ' + ports->itemData(i, Qt::ToolTipRole).toString();
    QCOMPARE(items, QStringList({"COM1 /dev/ttyS0", "COM2 /dev/pts/7", "COM3 /dev/ttyS2",
                                 "COM4 /dev/ttyS3"}));
}

QTEST_MAIN(OptionsPageTest)
#include "OptionsPageTest.moc"
