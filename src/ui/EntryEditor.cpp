#include "EntryEditor.h"

#include "EditorControls.h"
#include "EnterKeyFilter.h"
#include "StorableTextCheck.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvok {

namespace {

constexpr int kTextWidth = 380;

} // namespace

EntryEditor::EntryEditor(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Telefonbuch"));
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Eintrag aufnehmen/bearbeiten"), this);
    frame->setObjectName(QStringLiteral("Frame2"));

    auto* nameLabel = new QLabel(QStringLiteral("Name des Teilnehmers (Nachname zuerst):"), frame);
    nameLabel->setObjectName(QStringLiteral("NameLabel"));
    m_name = makeEditorTextBox(QStringLiteral("Text1(0)"),
                               QStringLiteral("Name des Teilnehmers (Nachname zuerst)"), nameLabel,
                               frame);

    auto* numberLabel =
        new QLabel(QStringLiteral("Internationale Telefonnummer des Teilnehmers:"), frame);
    numberLabel->setObjectName(QStringLiteral("NumberLabel"));
    m_number = makeEditorTextBox(QStringLiteral("Text1(1)"),
                                 QStringLiteral("Internationale Telefonnummer des Teilnehmers"),
                                 numberLabel, frame);

    const QString zeroCaption =
        QStringLiteral("Bei Anruf im gleichen Land der Vorwahlnummer eine Null voranstellen");
    m_name->setMinimumWidth(kTextWidth);
    m_zero = new QCheckBox(zeroCaption, frame);
    m_zero->setObjectName(QStringLiteral("ZeroChk"));
    m_zero->setAccessibleName(zeroCaption);

    m_ok = makeEditorButton(QStringLiteral("Command1(0)"), QStringLiteral("&OK"), frame);
    m_cancel = makeEditorButton(QStringLiteral("Command1(1)"), QStringLiteral("&Abbrechen"), frame);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (AcceptStorableTexts(this, {m_name, m_number}))
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(nameLabel);
    frameLayout->addWidget(m_name);
    frameLayout->addSpacing(6);
    frameLayout->addWidget(numberLabel);
    frameLayout->addWidget(m_number);
    frameLayout->addSpacing(6);
    frameLayout->addWidget(m_zero);
    frameLayout->addSpacing(6);
    frameLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    EnterKeyFilter::installOnEditor(this, m_name, m_number, m_ok, m_cancel);

    setTabOrder(m_name, m_number);
    setTabOrder(m_number, m_zero);
    setTabOrder(m_zero, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_name->setFocus();
}

void EntryEditor::setEntry(const QString& name, const QString& number, int zeroFlag) {
    m_name->setText(name);
    m_number->setText(number);
    m_zero->setChecked(zeroFlag != 0);
}

QString EntryEditor::nameText() const {
    return m_name->text();
}

QString EntryEditor::numberText() const {
    return m_number->text();
}

int EntryEditor::zeroFlag() const {
    return m_zero->isChecked() ? 1 : 0;
}

void EntryEditor::setAcceptCheck(std::function<bool()> check) {
    m_acceptCheck = std::move(check);
}

void EntryEditor::accept() {
    if (m_acceptCheck && !m_acceptCheck())
        return;
    QDialog::accept();
}

void EntryEditor::focusNumber() {
    m_number->setFocus();
    m_number->selectAll();
}

} // namespace tarvok
