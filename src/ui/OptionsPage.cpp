#include "OptionsPage.h"

#include "CompactStyle.h"
#include "FileErrorText.h"
#include "FittedSize.h"
#include "MessageBox.h"
#include "OptionControls.h"
#include "OptionValues.h"
#include "OptionsPageButtons.h"
#include "PhoneFile.h"
#include "ProviderCheckWindow.h"
#include "ProviderListController.h"
#include "ProviderTableAccessible.h"
#include "ProviderTableModel.h"
#include "SerialDevice.h"
#include "StorableTextCheck.h"
#include "TariffListUrl.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>

#include <algorithm>

namespace tarvok {

namespace {

const QString kUpdateCaption = QStringLiteral("Update der Provider-Liste über das Internet");

// Twips of the six TelcoList columns, "Name" to "Weite".
constexpr int kColumnTwips[ProviderColumnCount] = {882, 18, 706, 353, 353, 794};

// The digits each text box shows whole: codes and prefixes, the extra modem commands, a
// number to hand the call over to.
constexpr int kCodeDigits = 5;
constexpr int kCommandChars = 6;
constexpr int kHandOverDigits = 20;
constexpr int kListNameChars = 8;

} // namespace

OptionsPage::OptionsPage(AppState& state, ProviderTableModel& providers, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_providers(providers) {
    setObjectName(QStringLiteral("Picture1(5)"));
    ProviderTableAccessible::install();
    m_compactStyle = new CompactStyle(this);

    // Three columns as drawn; the right one, list names and provider table, takes the room
    // a larger window gives.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 0, 4, 4);
    columns->setSpacing(3);
    std::array<QVBoxLayout*, 3> column{};
    for (int i = 0; i < 3; ++i) {
        column[size_t(i)] = new QVBoxLayout;
        column[size_t(i)]->setSpacing(3);
        columns->addLayout(column[size_t(i)], i == 2 ? 1 : 0);
    }
    buildCodesFrame(column[0]);
    buildPrefixFrame(column[0]);
    buildHandOverFrame(column[0]);
    buildModemFrame(column[1]);
    buildSizeFrame(column[1]);
    buildNamesFrame(column[2]);
    buildProviderFrame(column[2]);
    column[0]->addStretch();
    column[1]->addStretch();

    connect(m_dialMethodList, &QComboBox::currentIndexChanged, this,
            &OptionsPage::WahlArtList_Click);
    connect(m_handOverCheck, &QCheckBox::toggled, this, &OptionsPage::UebergabeChk_Click);
    connect(m_sizeSlider, &QSlider::valueChanged, this, &OptionsPage::UpdateFntSmpl);
    connect(m_debugButton, &QPushButton::clicked, this, &OptionsPage::debugRequested);
    connect(m_downloadButton, &QPushButton::clicked, this, &OptionsPage::downloadRequested);
}

OptionsPage::~OptionsPage() = default;

// Kennzahlen and Präfixzahlen: two rows each of a caption and a text box for digits.
void OptionsPage::buildCodesFrame(QBoxLayout* column) {
    QWidget* frame = addFrame(column, "Frame1(2)", QStringLiteral("Kennzahlen"));
    QGridLayout* grid = addGrid(frame);
    m_text1[2] = addCodeRow(grid, 0, "Label1(0)", QStringLiteral("Land"), "Text1(2)", kCodeDigits,
                            QStringLiteral("Land"));
    m_text1[3] = addCodeRow(grid, 1, "Label1(1)", QStringLiteral("Ort"), "Text1(3)", kCodeDigits,
                            QStringLiteral("Ort"));
}

void OptionsPage::buildPrefixFrame(QBoxLayout* column) {
    QWidget* frame = addFrame(column, "Frame1(0)", QStringLiteral("Präfixzahlen"));
    QGridLayout* grid = addGrid(frame);
    m_text1[1] = addCodeRow(grid, 0, "Label1(3)", QStringLiteral("Aus- land"), "Text1(1)",
                            kCodeDigits, QStringLiteral("Ausland"));
    m_text1[0] = addCodeRow(grid, 1, "Label1(2)", QStringLiteral("Amt"), "Text1(0)", kCodeDigits,
                            QStringLiteral("Amt"));
}

// The number a call is handed over to sits under its check box, where it has the frame's
// whole width for its digits.
void OptionsPage::buildHandOverFrame(QBoxLayout* column) {
    m_handOverFrame = addFrame(column, "WeiterleitenFrame", QStringLiteral("Weiterleiten"));
    m_handOverCheck = new QCheckBox(QStringLiteral("ja, an"), m_handOverFrame);
    m_handOverCheck->setObjectName(QStringLiteral("UebergabeChk"));
    m_handOverNumber = addText(m_handOverFrame, "UebergabeNrText", kHandOverDigits, 255,
                               QStringLiteral("Weiterleiten an"));
    auto* layout = new QVBoxLayout(m_handOverFrame);
    layout->addWidget(m_handOverCheck);
    layout->addWidget(m_handOverNumber);
}

void OptionsPage::buildModemFrame(QBoxLayout* column) {
    QWidget* frame = addFrame(column, "Frame4", QStringLiteral("Modemeinstellungen"));
    QGridLayout* grid = addGrid(frame);
    QLabel* extra = addLabel(frame, "Label1(4)", QStringLiteral("Zusatz- befehle"));
    WrapAtBlanks(extra);
    QLabel* at = addLabel(frame, "Label2", QStringLiteral("AT"));
    m_text3 = addText(frame, "Text3", kCommandChars, 555, QStringLiteral("Zusatzbefehle"), extra);
    auto* command = new QHBoxLayout;
    command->setSpacing(2);
    command->addWidget(at);
    command->addWidget(m_text3, 1);
    grid->addWidget(extra, 0, 0);
    grid->addLayout(command, 0, 1);

    QLabel* port = addLabel(frame, "Label1(5)", QStringLiteral("Anschluß"));
    m_comList = addList(frame, "ComList", port, m_compactStyle);
    for (int portNumber = 1; portNumber <= 4; ++portNumber)
        m_comList->addItem(QStringLiteral("COM%1").arg(portNumber));
    showPortDevices();
    grid->addWidget(port, 1, 0);
    grid->addWidget(m_comList, 1, 1);

    const ModemButtons modem = AddModemButtons(frame, QRect(), QRect(), m_compactStyle);
    connect(modem.devices, &QPushButton::clicked, this, [this] {
        emit devicesRequested(); // the window is modal: closed again when this returns
        showPortDevices();
    });
    connect(modem.test, &QPushButton::clicked, this,
            [this] { emit modemTestRequested(m_comList->currentIndex() + 1); });
    auto* modemRow = new QHBoxLayout;
    modemRow->setSpacing(2);
    modemRow->addWidget(modem.devices);
    modemRow->addWidget(modem.test, 1);
    grid->addLayout(modemRow, 2, 0, 1, 2);

    QLabel* method = addLabel(frame, "Label1(6)", QStringLiteral("Wahlart"));
    m_dialMethodList = addList(frame, "WahlArtList", method, m_compactStyle);
    m_dialMethodList->addItems({QStringLiteral("Ton"), QStringLiteral("Puls")});
    grid->addWidget(method, 3, 0);
    grid->addWidget(m_dialMethodList, 3, 1);

    QLabel* answer = addLabel(frame, "Label1(7)", QStringLiteral("Modem- antwort"));
    WrapAtBlanks(answer);
    m_debugButton = addButton(frame, "Btn(0)", QStringLiteral("Debug"));
    m_debugButton->setAccessibleDescription(QStringLiteral("Modemantwort"));
    answer->setBuddy(m_debugButton);
    grid->addWidget(answer, 4, 0);
    grid->addWidget(m_debugButton, 4, 1);
}

void OptionsPage::buildSizeFrame(QBoxLayout* column) {
    QWidget* frame = addFrame(column, "Frame3", QStringLiteral("Eintragsgröße"));
    m_sizeSlider = new QSlider(Qt::Vertical, frame);
    m_sizeSlider->setObjectName(QStringLiteral("Slider1"));
    m_sizeSlider->setFixedHeight(ScaledTwips(frame, 0, 675).height());
    m_sizeSlider->setRange(kEntrySizeMin, kEntrySizeMax);
    m_sizeSlider->setSingleStep(1);
    m_sizeSlider->setPageStep(1);
    // Minimum at the top, and the up key moves the handle up (to larger sizes).
    m_sizeSlider->setInvertedAppearance(true);
    m_sizeSlider->setInvertedControls(true);
    m_sizeSlider->setAccessibleName(QStringLiteral("Eintragsgröße"));
    // The two marks beside the slider say which end is which.
    auto* marks = new QVBoxLayout;
    QLabel* larger = addLabel(frame, "Label1(8)", QStringLiteral("+"));
    larger->setAccessibleName(QStringLiteral("größer"));
    marks->addWidget(larger);
    QLabel* smaller = addLabel(frame, "Label1(9)", QStringLiteral("_"));
    smaller->setAccessibleName(QStringLiteral("kleiner"));
    marks->addWidget(smaller);
    marks->addStretch();

    m_sampleFrame = new QFrame(frame);
    m_sampleFrame->setObjectName(QStringLiteral("FntFrm"));
    m_sampleFrame->setFrameShape(QFrame::Panel);
    m_sampleFrame->setFrameShadow(QFrame::Sunken);
    m_sampleFrame->setAutoFillBackground(true);
    m_sampleFrame->setBackgroundRole(QPalette::Base);
    m_sample = new QLabel(QStringLiteral("Aa"), m_sampleFrame);
    m_sample->setObjectName(QStringLiteral("FntSmpl"));
    m_sample->setFont(QFont(listFontFamily()));
    m_sample->setAccessibleDescription(QStringLiteral("Schriftprobe"));
    fitSampleFrame();

    auto* row = new QHBoxLayout(frame);
    row->addWidget(m_sizeSlider);
    row->addLayout(marks);
    row->addWidget(m_sampleFrame, 0, Qt::AlignTop);
}

// The sample box holds "Aa" at the largest entry size whole.
void OptionsPage::fitSampleFrame() {
    QFont largest = m_sample->font();
    largest.setPointSize(kEntrySizeMax);
    const QSize text = QFontMetrics(largest).size(0, m_sample->text());
    const int frame = 2 * m_sampleFrame->frameWidth() + 4;
    m_sampleFrame->setFixedSize(
        ScaledTwips(m_sampleFrame, 795, 735).expandedTo(text + QSize(frame, frame)));
}

void OptionsPage::buildNamesFrame(QBoxLayout* column) {
    QWidget* frame = addFrame(column, "Frame2", QStringLiteral("Kartennamen"));
    auto* row = new QHBoxLayout(frame);
    static const char* const kNames[] = {"Text2(1)", "Text2(2)", "Text2(3)", "Text2(4)"};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = addText(frame, kNames[i], kListNameChars, 855,
                                  QStringLiteral("Kartenname %1").arg(i + 1));
        // The four share the frame's width, at least as wide as their names need.
        edit->setMinimumWidth(edit->width());
        edit->setMaximumWidth(QWIDGETSIZE_MAX);
        edit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        row->addWidget(edit);
        m_text2[size_t(i)] = edit;
    }
}

void OptionsPage::buildProviderFrame(QBoxLayout* column) {
    QWidget* frame = addFrame(column, "Frame5", QStringLiteral("Provider-Liste"), 1);
    m_telcoList = new QTreeView(frame);
    m_telcoList->setObjectName(QStringLiteral("TelcoList"));
    m_telcoList->setMinimumSize(ScaledTwips(frame, 3555, 1455));
    m_telcoList->setAccessibleName(QStringLiteral("Provider-Liste"));
    m_telcoList->setToolTip(QStringLiteral("Änderungen über Kontextmenü (rechte Maustaste)"));
    m_telcoList->setStyle(m_compactStyle);
    m_telcoList->setRootIsDecorated(false);
    m_telcoList->setItemsExpandable(false);
    m_telcoList->setUniformRowHeights(true);
    m_telcoList->setAllColumnsShowFocus(true);
    m_telcoList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_telcoList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_telcoList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_telcoList->setModel(&m_providers);
    QHeaderView* header = m_telcoList->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(1); // "Netz" starts practically hidden
    header->setSectionsMovable(false);
    for (int column = 0; column < ProviderColumnCount; ++column)
        header->resizeSection(column, ScaledTwips(frame, kColumnTwips[column], 0).width());
    // A wider table gives its room to the provider names.
    header->setSectionResizeMode(0, QHeaderView::Stretch);

    m_updateLabel = addLabel(frame, "Label1(10)", updateCaption());
    WrapToFit(m_updateLabel);
    QPushButton* check = addButton(frame, "CheckProviders", QStringLiteral("Prüfen"));
    check->setAccessibleDescription(QStringLiteral("Anbietertabelle prüfen"));
    connect(check, &QPushButton::clicked, this, &OptionsPage::openProviderCheck);
    m_downloadButton = addButton(frame, "Btn(1)", QStringLiteral("Download"));
    m_updateLabel->setBuddy(m_downloadButton);
    m_downloadButton->setAccessibleDescription(updateCaption());
    m_undoUpdateButton = AddUndoUpdateButton(frame, QRect());
    connect(m_undoUpdateButton, &QPushButton::clicked, this, &OptionsPage::undoUpdateRequested);

    // The caption beside both rows of buttons: it wraps to several lines where the window
    // is narrow, and takes no row of its own.
    auto* update = new QGridLayout;
    update->addWidget(m_updateLabel, 0, 0, 2, 1, Qt::AlignTop);
    update->addWidget(check, 0, 1, Qt::AlignTop);
    update->addWidget(m_downloadButton, 0, 2, Qt::AlignTop);
    update->addWidget(m_undoUpdateButton, 1, 1, 1, 2, Qt::AlignTop);
    update->setColumnStretch(0, 1);
    update->setRowStretch(1, 1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_telcoList, 1);
    layout->addLayout(update);

    m_providerList = new ProviderListController(m_state, m_providers, m_telcoList, this);
}

void OptionsPage::openProviderCheck() {
    ProviderCheckWindow window(m_providers.table(), m_state.dataDir, this);
    connect(&window, &ProviderCheckWindow::rowChosen, m_providerList,
            &ProviderListController::selectRow);
    ModalBusyScope busy(m_state);
    window.exec();
}

void OptionsPage::LoadOptionControls() {
    const Settings& settings = m_state.phoneBook.settings;
    m_text1[0]->setText(settings.OutsideLinePrefix);
    m_text1[1]->setText(settings.InternationalPrefix);
    m_text1[2]->setText(settings.CountryCode);
    m_text1[3]->setText(settings.AreaCode);
    // A value an edited file put out of range shows no selection; the save keeps it then.
    const bool portShown = settings.ComPort >= 1 && settings.ComPort <= 4;
    m_comList->setCurrentIndex(portShown ? settings.ComPort - 1 : -1);
    const bool methodShown = settings.DialMethod == 0 || settings.DialMethod == 1;
    m_dialMethodList->setCurrentIndex(methodShown ? settings.DialMethod : -1);
    m_handOverCheck->setChecked(settings.HandOverEnabled != 0);
    for (size_t i = 0; i < m_text2.size(); ++i)
        m_text2[i]->setText(settings.ListNames[i]);
    m_text3->setText(settings.ExtraModemCommands);
    m_handOverNumber->setText(settings.HandOverNumber);
    m_sizeSlider->setValue(SliderValueForEntrySize(settings.EntrySize));
    QFont sampleFont = m_sample->font();
    sampleFont.setFamily(listFontFamily());
    m_sample->setFont(sampleFont);
    UpdateFntSmpl();
    showPortDevices();
    WahlArtList_Click(); // the enabled states follow the values just shown
}

bool OptionsPage::SaveOptionControls() {
    Settings& settings = m_state.phoneBook.settings;
    settings.OutsideLinePrefix = m_text1[0]->text().trimmed();
    settings.InternationalPrefix = m_text1[1]->text().trimmed();
    settings.CountryCode = CodeFromText(m_text1[2]->text());
    settings.AreaCode = CodeFromText(m_text1[3]->text());
    settings.ExtraModemCommands = m_text3->text();
    settings.HandOverNumber = m_handOverNumber->text();
    settings.HandOverEnabled = m_handOverCheck->isChecked() ? 1 : 0;
    if (m_comList->currentIndex() >= 0)
        settings.ComPort = m_comList->currentIndex() + 1;
    if (m_dialMethodList->currentIndex() >= 0)
        settings.DialMethod = m_dialMethodList->currentIndex();
    for (size_t i = 0; i < m_text2.size(); ++i)
        settings.ListNames[i] = m_text2[i]->text();
    settings.EntrySize = EntrySizeForSliderValue(m_sizeSlider->value());

    FileError error;
    const bool saved = SavePhoneFile(m_state.dataDir, m_state.phoneBook, &error);
    // Like a phone list after a failed save, the settings stay as the user sees them; the
    // next save that succeeds writes them.
    emit settingsSaved();
    if (!saved)
        MessageBox::critical(this, MessageBox::kTitle,
                             QStringLiteral("Die Einstellungen konnten nicht gespeichert "
                                            "werden.\n") +
                                 FileErrorText(error) +
                                 QStringLiteral("\nDie Änderungen gelten vorerst nur bis zum "
                                                "Programmende."));
    return saved;
}

bool OptionsPage::acceptTexts() {
    QList<QLineEdit*> boxes(m_text1.begin(), m_text1.end());
    boxes << QList<QLineEdit*>(m_text2.begin(), m_text2.end()) << m_text3 << m_handOverNumber;
    return AcceptStorableTexts(this, boxes);
}

void OptionsPage::setUpdateUndoable(bool undoable) {
    m_undoUpdateButton->setEnabled(undoable);
}

QString OptionsPage::updateCaption() const {
    return kUpdateCaption + QStringLiteral(" (") + TariffListUrl(m_state.dataDir).host() +
           QStringLiteral(")");
}

// The port list names the device behind each item, since there is no COM1 here, and the
// update label the tariff service; both follow the settings file.
void OptionsPage::showPortDevices() {
    for (int portNumber = 1; portNumber <= 4; ++portNumber)
        m_comList->setItemData(portNumber - 1, SerialDeviceForPort(portNumber, m_state.dataDir),
                               Qt::ToolTipRole);
    if (m_updateLabel) {
        m_updateLabel->setText(updateCaption());
        m_downloadButton->setAccessibleDescription(updateCaption());
    }
}

void OptionsPage::focusCountryCode() {
    m_text1[2]->setFocus(Qt::OtherFocusReason);
}

QAbstractButton* OptionsPage::downloadButton() const {
    return m_downloadButton;
}

// The sample shows the font of the phone lists; without the main window around the page
// that is the font a list gets by default.
QString OptionsPage::listFontFamily() const {
    if (const QWidget* list = window()->findChild<QWidget*>(QStringLiteral("NamList(1)")))
        return list->font().family();
    return QApplication::font("QListView").family();
}

void OptionsPage::UpdateFntSmpl() {
    QFont font = m_sample->font();
    const int size = EntrySizeForSliderValue(m_sizeSlider->value());
    font.setPointSize(size);
    // The slider's own value runs the other way; tell a screen reader the size.
    m_sizeSlider->setAccessibleDescription(QStringLiteral("%1 Punkt").arg(size));
    m_sample->setFont(font);
    m_sample->adjustSize();
    const QRect area = m_sampleFrame->contentsRect();
    const double top = area.top() + (area.height() - m_sample->height()) / 2.0;
    const double left = area.left() + (area.width() - m_sample->width()) / 2.0;
    m_sample->move(qRound(left), qRound(top));
}

void OptionsPage::WahlArtList_Click() {
    const bool tone = m_dialMethodList->currentIndex() == 0;
    m_handOverFrame->setEnabled(tone);
    m_handOverCheck->setEnabled(tone);
    m_handOverNumber->setEnabled(tone && m_handOverCheck->isChecked());
}

void OptionsPage::UebergabeChk_Click() {
    m_handOverNumber->setEnabled(m_handOverCheck->isChecked());
}

} // namespace tarvok
