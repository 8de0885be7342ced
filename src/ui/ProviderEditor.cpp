#include "ProviderEditor.h"

#include "EditorControls.h"
#include "EnterKeyFilter.h"
#include "HourRangeSlider.h"
#include "StorableTextCheck.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvok {

namespace {

constexpr int kSliderWidth = 240;

QLabel* makeRowLabel(const QString& text, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

// A row of three option buttons or check boxes named array(1) to array(3) beside their
// caption; a screen reader hears the caption as each button's description.
template <typename Button>
std::array<Button*, 3> addButtonRow(QWidget* frame, QGridLayout* grid, int gridRow,
                                    const QString& caption, const QString& array,
                                    const std::array<QString, 3>& texts) {
    auto* label = new QLabel(caption, frame);
    auto* row = new QHBoxLayout;
    std::array<Button*, 3> buttons{};
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new Button(texts[i], frame);
        buttons[i]->setObjectName(QStringLiteral("%1(%2)").arg(array).arg(i + 1));
        buttons[i]->setAccessibleName(texts[i]);
        buttons[i]->setAccessibleDescription(caption);
        row->addWidget(buttons[i]);
    }
    row->addStretch();
    label->setBuddy(buttons[0]);
    grid->addWidget(label, gridRow, 0);
    grid->addLayout(row, gridRow, 1);
    return buttons;
}

} // namespace

ProviderEditor::ProviderEditor(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Anbieterliste"));
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Eintrag aufnehmen/bearbeiten"), this);
    frame->setObjectName(QStringLiteral("ProviderFrame"));
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    buildTexts(frame, grid);
    buildDays(frame, grid);
    buildDistances(frame, grid);
    buildHours(frame, grid);
    buildButtons(frame, grid);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    EnterKeyFilter::installOnEditor(this, m_name, m_network, m_ok, m_cancel);
    m_name->setFocus();
}

void ProviderEditor::buildTexts(QGroupBox* frame, QGridLayout* grid) {
    auto* nameLabel = makeRowLabel(QStringLiteral("Name:"), QStringLiteral("NameLabel"), frame);
    m_name =
        makeEditorTextBox(QStringLiteral("Text1(0)"), QStringLiteral("Name"), nameLabel, frame);
    // The caption was drawn broken over two lines as "Netz- nummer:"; on one line it reads
    // "Netznummer:", and a soft hyphen still breaks it where the room runs out.
    auto* networkLabel =
        makeRowLabel(QStringLiteral("Netz\u00ADnummer:"), QStringLiteral("NetworkLabel"), frame);
    networkLabel->setAccessibleName(QStringLiteral("Netznummer:"));
    m_network = makeEditorTextBox(QStringLiteral("Text1(1)"), QStringLiteral("Netznummer"),
                                  networkLabel, frame);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(networkLabel, 1, 0);
    grid->addWidget(m_network, 1, 1);
}

void ProviderEditor::buildDays(QGroupBox* frame, QGridLayout* grid) {
    m_days = addButtonRow<QRadioButton>(
        frame, grid, 2, QStringLiteral("Zeitraum: (Tage)"), QStringLiteral("OptTage"),
        {QStringLiteral("Mo - Fr"), QStringLiteral("Sa - So"), QStringLiteral("immer")});
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i)
        group->addButton(m_days[i], i + 1);
    m_days[0]->setChecked(true);
}

void ProviderEditor::buildDistances(QGroupBox* frame, QGridLayout* grid) {
    m_distances = addButtonRow<QCheckBox>(
        frame, grid, 3, QStringLiteral("Typ des Anrufs:"), QStringLiteral("ChkWeite"),
        {QStringLiteral("Nah"), QStringLiteral("Fern"), QStringLiteral("Ausland")});
}

void ProviderEditor::buildHours(QGroupBox* frame, QGridLayout* grid) {
    auto* label =
        makeRowLabel(QStringLiteral("Zeitraum: (Stunden)"), QStringLiteral("HoursLabel"), frame);
    m_slider = new HourRangeSlider(frame);
    m_slider->setObjectName(QStringLiteral("TimeSlider"));
    m_slider->setAccessibleName(QStringLiteral("Zeitraum: (Stunden)"));
    m_slider->setToolTip(QStringLiteral(
        "Zuerst Startzeit einstellen, dann gleichzeitig [Strg] gedrückt halten ..."));
    m_slider->setMinimumWidth(kSliderWidth);
    label->setBuddy(m_slider);

    m_timeLabel = new QLabel(frame);
    m_timeLabel->setObjectName(QStringLiteral("TimeLbl"));
    m_timeLabel->setAlignment(Qt::AlignCenter);
    m_timeLabel->setMinimumWidth(
        m_timeLabel->fontMetrics().horizontalAdvance(HourRangeText(24, 24)) + 8);
    connect(m_slider, &HourRangeSlider::selectionChanged, this, &ProviderEditor::showRange);
    showRange(m_slider->selectionStart(), m_slider->selectionEnd());

    auto* row = new QHBoxLayout;
    row->addWidget(m_slider, 1);
    row->addWidget(m_timeLabel);
    grid->addWidget(label, 4, 0);
    grid->addLayout(row, 4, 1);
}

void ProviderEditor::buildButtons(QGroupBox* frame, QGridLayout* grid) {
    m_ok = makeEditorButton(QStringLiteral("Command1(0)"), QStringLiteral("&OK"), frame);
    m_cancel = makeEditorButton(QStringLiteral("Command1(1)"), QStringLiteral("&Abbrechen"), frame);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (AcceptStorableTexts(this, {m_name, m_network}))
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    grid->setRowMinimumHeight(5, 6);
    grid->addLayout(row, 6, 0, 1, 2);
}

void ProviderEditor::showRange(int start, int end) {
    const QString text = HourRangeText(start, end);
    m_timeLabel->setText(text);
    // The handle's value is only the end; tell a screen reader the whole window.
    m_slider->setAccessibleDescription(text);
}

void ProviderEditor::setValues(const QString& name, const QString& networkCode, int dayCode,
                               int startHour, int endHour, int nearFlag, int farFlag,
                               int abroadFlag) {
    m_slider->setSelection(startHour, endHour);
    m_name->setText(name);
    m_network->setText(networkCode);
    // A code that names no option chooses the first, as a code of 0 does.
    const bool known = dayCode >= 1 && dayCode <= 3;
    m_days[known ? dayCode - 1 : 0]->setChecked(true);
    const std::array<int, 3> flags = {nearFlag, farFlag, abroadFlag};
    for (int i = 0; i < 3; ++i)
        m_distances[i]->setChecked(flags[i] != 0);
}

QString ProviderEditor::nameText() const {
    return m_name->text();
}

QString ProviderEditor::networkCodeText() const {
    return m_network->text();
}

ProviderRecord ProviderEditor::record() const {
    ProviderRecord record;
    record.Name = m_name->text().trimmed();
    record.NetworkCode = m_network->text().trimmed();
    const bool always = m_days[2]->isChecked();
    record.MoFr = (m_days[0]->isChecked() || always) ? 1 : 0;
    record.SaSo = (m_days[1]->isChecked() || always) ? 1 : 0;
    record.StartHour = m_slider->selectionStart();
    record.EndHour = m_slider->selectionEnd();
    record.Near = m_distances[0]->isChecked() ? 1 : 0;
    record.Far = m_distances[1]->isChecked() ? 1 : 0;
    record.Abroad = m_distances[2]->isChecked() ? 1 : 0;
    return record;
}

int ProviderEditor::startHour() const {
    return m_slider->selectionStart();
}

int ProviderEditor::endHour() const {
    return m_slider->selectionEnd();
}

} // namespace tarvok
