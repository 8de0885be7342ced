#include "OptionsPage.h"

#include "ComboBoxAccessible.h"
#include "CompactStyle.h"
#include "FileErrorText.h"
#include "MessageBox.h"
#include "OptionValues.h"
#include "PhoneFile.h"
#include "ProviderListController.h"
#include "ProviderTableModel.h"
#include "SerialDevice.h"
#include "StorableTextCheck.h"
#include "TariffListUrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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

// Fixed size of Picture1(5): 7095 x 3255 twips.
constexpr QSize kPageSize(473, 217);

const QString kUpdateCaption = QStringLiteral("Update der Provider-Liste über das Internet");

// Twips of the six TelcoList columns, "Name" to "Weite".
constexpr int kColumnTwips[ProviderColumnCount] = {882, 18, 706, 353, 353, 794};

QGroupBox* addFrame(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(rect);
    return frame;
}

QLabel* addLabel(QWidget* frame, const char* name, const QString& text, QRect rect) {
    auto* label = new QLabel(text, frame);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // "Aus- land" is one word broken in two lines; a screen reader gets the word.
    if (text.contains(QLatin1String("- ")))
        label->setAccessibleName(QString(text).remove(QLatin1String("- ")));
    // Today's fonts run a little taller and wider than the ones the layout was drawn for:
    // a label grows rather than cut its text.
    QRect fitted = rect;
    if (!text.contains(u' '))
        fitted.setWidth(std::max(rect.width(), label->fontMetrics().horizontalAdvance(text)));
    fitted.setHeight(std::max(rect.height(), label->heightForWidth(fitted.width())));
    label->setGeometry(fitted);
    return label;
}

QLineEdit* addText(QWidget* frame, const char* name, QRect rect, const QString& accessibleName,
                   QLabel* label = nullptr) {
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(rect);
    edit->setAccessibleName(accessibleName);
    if (label)
        label->setBuddy(edit);
    return edit;
}

QComboBox* addList(QWidget* frame, const char* name, QRect rect, const QString& accessibleName,
                   QLabel* label, QStyle* style) {
    auto* list = new QComboBox(frame);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(rect);
    list->setAccessibleName(accessibleName);
    list->setStyle(style);
    label->setBuddy(list);
    return list;
}

QPushButton* addButton(QWidget* frame, const char* name, const QString& caption, QRect rect) {
    auto* button = new QPushButton(caption, frame);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
}

} // namespace

OptionsPage::OptionsPage(AppState& state, ProviderTableModel& providers, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_providers(providers) {
    setObjectName(QStringLiteral("Picture1(5)"));
    // The fixed layout was drawn for an 8-point dialog font.
    QFont pageFont = font();
    pageFont.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                          QStringLiteral("Nimbus Sans"), QStringLiteral("Arial"),
                          pageFont.family()});
    pageFont.setPointSize(8);
    setFont(pageFont);
    setMinimumSize(kPageSize);
    resize(kPageSize);
    ComboBoxAccessible::install();
    m_compactStyle = new CompactStyle(this);

    buildCodesFrame();
    buildPrefixFrame();
    buildHandOverFrame();
    buildModemFrame();
    buildSizeFrame();
    buildNamesFrame();
    buildProviderFrame();

    connect(m_dialMethodList, &QComboBox::currentIndexChanged, this,
            &OptionsPage::WahlArtList_Click);
    connect(m_handOverCheck, &QCheckBox::toggled, this, &OptionsPage::UebergabeChk_Click);
    connect(m_sizeSlider, &QSlider::valueChanged, this, &OptionsPage::UpdateFntSmpl);
    connect(m_debugButton, &QPushButton::clicked, this, &OptionsPage::debugRequested);
    connect(m_downloadButton, &QPushButton::clicked, this, &OptionsPage::downloadRequested);
}

OptionsPage::~OptionsPage() = default;

void OptionsPage::buildCodesFrame() {
    QWidget* frame =
        addFrame(this, "Frame1(2)", QStringLiteral("Kennzahlen"), TwipsRect(60, 0, 1275, 1215));
    QLabel* land =
        addLabel(frame, "Label1(0)", QStringLiteral("Land"), TwipsRect(120, 420, 495, 195));
    m_text1[2] =
        addText(frame, "Text1(2)", TwipsRect(600, 360, 555, 312), QStringLiteral("Land"), land);
    QLabel* ort =
        addLabel(frame, "Label1(1)", QStringLiteral("Ort"), TwipsRect(120, 840, 495, 195));
    m_text1[3] =
        addText(frame, "Text1(3)", TwipsRect(600, 780, 555, 312), QStringLiteral("Ort"), ort);
}

void OptionsPage::buildPrefixFrame() {
    QWidget* frame = addFrame(this, "Frame1(0)", QStringLiteral("Präfixzahlen"),
                              TwipsRect(60, 1260, 1275, 1215));
    QLabel* abroad =
        addLabel(frame, "Label1(3)", QStringLiteral("Aus- land"), TwipsRect(120, 300, 375, 435));
    m_text1[1] = addText(frame, "Text1(1)", TwipsRect(600, 360, 555, 312),
                         QStringLiteral("Ausland"), abroad);
    QLabel* amt =
        addLabel(frame, "Label1(2)", QStringLiteral("Amt"), TwipsRect(120, 840, 375, 195));
    m_text1[0] =
        addText(frame, "Text1(0)", TwipsRect(600, 780, 555, 312), QStringLiteral("Amt"), amt);
}

void OptionsPage::buildHandOverFrame() {
    m_handOverFrame = addFrame(this, "WeiterleitenFrame", QStringLiteral("Weiterleiten"),
                               TwipsRect(60, 2520, 1275, 735));
    m_handOverCheck = new QCheckBox(QStringLiteral("ja, an"), m_handOverFrame);
    m_handOverCheck->setObjectName(QStringLiteral("UebergabeChk"));
    m_handOverCheck->setGeometry(TwipsRect(120, 360, 735, 255));
    m_handOverNumber = addText(m_handOverFrame, "UebergabeNrText", TwipsRect(900, 300, 255, 312),
                               QStringLiteral("Weiterleiten an"));
}

void OptionsPage::buildModemFrame() {
    QWidget* frame = addFrame(this, "Frame4", QStringLiteral("Modemeinstellungen"),
                              TwipsRect(1380, 0, 1815, 2055));
    QLabel* extra = addLabel(frame, "Label1(4)", QStringLiteral("Zusatz- befehle"),
                             TwipsRect(120, 300, 615, 435));
    addLabel(frame, "Label2", QStringLiteral("AT"), TwipsRect(900, 360, 255, 315));
    m_text3 = addText(frame, "Text3", TwipsRect(1140, 360, 555, 312),
                      QStringLiteral("Zusatzbefehle"), extra);

    QLabel* port =
        addLabel(frame, "Label1(5)", QStringLiteral("Anschluß"), TwipsRect(120, 840, 735, 255));
    m_comList = addList(frame, "ComList", TwipsRect(900, 780, 795, 315), QStringLiteral("Anschluß"),
                        port, m_compactStyle);
    for (int portNumber = 1; portNumber <= 4; ++portNumber) {
        m_comList->addItem(QStringLiteral("COM%1").arg(portNumber));
        // The item names the device behind it, since there is no COM1 here.
        m_comList->setItemData(portNumber - 1, SerialDeviceForPort(portNumber), Qt::ToolTipRole);
    }

    QLabel* method =
        addLabel(frame, "Label1(6)", QStringLiteral("Wahlart"), TwipsRect(120, 1260, 675, 255));
    m_dialMethodList = addList(frame, "WahlArtList", TwipsRect(900, 1200, 795, 315),
                               QStringLiteral("Wahlart"), method, m_compactStyle);
    m_dialMethodList->addItems({QStringLiteral("Ton"), QStringLiteral("Puls")});

    QLabel* answer = addLabel(frame, "Label1(7)", QStringLiteral("Modem- antwort"),
                              TwipsRect(120, 1560, 675, 375));
    m_debugButton =
        addButton(frame, "Btn(0)", QStringLiteral("Debug"), TwipsRect(900, 1620, 795, 315));
    m_debugButton->setAccessibleDescription(QStringLiteral("Modemantwort"));
    answer->setBuddy(m_debugButton);
}

void OptionsPage::buildSizeFrame() {
    QWidget* frame = addFrame(this, "Frame3", QStringLiteral("Eintragsgröße"),
                              TwipsRect(1380, 2100, 1815, 1155));
    m_sizeSlider = new QSlider(Qt::Vertical, frame);
    m_sizeSlider->setObjectName(QStringLiteral("Slider1"));
    m_sizeSlider->setGeometry(TwipsRect(180, 300, 405, 675));
    m_sizeSlider->setRange(kEntrySizeMin, kEntrySizeMax);
    m_sizeSlider->setSingleStep(1);
    m_sizeSlider->setPageStep(1);
    // Minimum at the top, and the up key moves the handle up (to larger sizes).
    m_sizeSlider->setInvertedAppearance(true);
    m_sizeSlider->setInvertedControls(true);
    m_sizeSlider->setAccessibleName(QStringLiteral("Eintragsgröße"));
    // The two marks beside the slider say which end is which.
    addLabel(frame, "Label1(8)", QStringLiteral("+"), TwipsRect(660, 360, 90, 195))
        ->setAccessibleName(QStringLiteral("größer"));
    addLabel(frame, "Label1(9)", QStringLiteral("_"), TwipsRect(660, 600, 90, 195))
        ->setAccessibleName(QStringLiteral("kleiner"));

    m_sampleFrame = new QFrame(frame);
    m_sampleFrame->setObjectName(QStringLiteral("FntFrm"));
    m_sampleFrame->setGeometry(TwipsRect(900, 300, 795, 735));
    m_sampleFrame->setFrameShape(QFrame::Panel);
    m_sampleFrame->setFrameShadow(QFrame::Sunken);
    m_sampleFrame->setAutoFillBackground(true);
    m_sampleFrame->setBackgroundRole(QPalette::Base);
    m_sample = new QLabel(QStringLiteral("Aa"), m_sampleFrame);
    m_sample->setObjectName(QStringLiteral("FntSmpl"));
    m_sample->setFont(QFont(listFontFamily()));
    m_sample->setAccessibleDescription(QStringLiteral("Schriftprobe"));
}

void OptionsPage::buildNamesFrame() {
    QWidget* frame =
        addFrame(this, "Frame2", QStringLiteral("Kartennamen"), TwipsRect(3240, 0, 3795, 795));
    static const char* const kNames[] = {"Text2(1)", "Text2(2)", "Text2(3)", "Text2(4)"};
    constexpr int kLeft[] = {120, 1020, 1920, 2820};
    constexpr int kWidth[] = {915, 915, 915, 855};
    for (int i = 0; i < 4; ++i)
        m_text2[size_t(i)] = addText(frame, kNames[i], TwipsRect(kLeft[i], 360, kWidth[i], 312),
                                     QStringLiteral("Kartenname %1").arg(i + 1));
}

void OptionsPage::buildProviderFrame() {
    QWidget* frame = addFrame(this, "Frame5", QStringLiteral("Provider-Liste"),
                              TwipsRect(3240, 840, 3795, 2415));
    m_telcoList = new QTreeView(frame);
    m_telcoList->setObjectName(QStringLiteral("TelcoList"));
    m_telcoList->setGeometry(TwipsRect(120, 300, 3555, 1455));
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
        header->resizeSection(column, TwipsRect(0, 0, kColumnTwips[column], 0).width());

    const QString updateCaption =
        kUpdateCaption + QStringLiteral(" (") + TariffListUrl().host() + QStringLiteral(")");
    m_updateLabel = addLabel(frame, "Label1(10)", updateCaption, TwipsRect(120, 1860, 2595, 435));
    m_downloadButton =
        addButton(frame, "Btn(1)", QStringLiteral("Download"), TwipsRect(2880, 1920, 795, 315));
    m_updateLabel->setBuddy(m_downloadButton);
    m_downloadButton->setAccessibleDescription(updateCaption);

    m_providerList = new ProviderListController(m_state, m_providers, m_telcoList, this);
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
