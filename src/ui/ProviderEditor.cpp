#include "ProviderEditor.h"

#include "HourRangeSlider.h"

#include <QLineEdit>

namespace tarvok {

ProviderEditor::ProviderEditor(QWidget* parent)
    : QDialog(parent) {
    m_name = new QLineEdit(this);
    m_network = new QLineEdit(this);
    m_slider = new HourRangeSlider(this);
}

void ProviderEditor::setValues(const QString& name, const QString& networkCode, int, int startHour,
                               int endHour, int, int, int) {
    m_slider->setSelection(startHour, endHour);
    m_name->setText(name);
    m_network->setText(networkCode);
}

QString ProviderEditor::nameText() const {
    return m_name->text();
}
QString ProviderEditor::networkCodeText() const {
    return m_network->text();
}
ProviderRecord ProviderEditor::record() const {
    return {};
}
int ProviderEditor::startHour() const {
    return m_slider->selectionStart();
}
int ProviderEditor::endHour() const {
    return m_slider->selectionEnd();
}

bool ProviderEditor::eventFilter(QObject* watched, QEvent* event) {
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvok
