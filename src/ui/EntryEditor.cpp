#include "EntryEditor.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace tarvok {

EntryEditor::EntryEditor(QWidget* parent)
    : QDialog(parent) {
    m_name = new QLineEdit(this);
    m_number = new QLineEdit(this);
    m_zero = new QCheckBox(this);
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

bool EntryEditor::eventFilter(QObject* watched, QEvent* event) {
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvok
