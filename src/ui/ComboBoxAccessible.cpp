#include "ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace tarvok {

namespace {

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
    auto* comboBox = qobject_cast<QComboBox*>(object);
    if (className != QLatin1String("QComboBox") || !comboBox || comboBox->isEditable() ||
        comboBox->accessibleName().isEmpty())
        return nullptr;
    return new ComboBoxAccessible(comboBox);
}

} // namespace

ComboBoxAccessible::ComboBoxAccessible(QComboBox* comboBox)
    : QAccessibleWidget(comboBox, QAccessible::ComboBox) {}

void ComboBoxAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

QComboBox* ComboBoxAccessible::comboBox() const {
    return static_cast<QComboBox*>(widget());
}

QString ComboBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return comboBox()->currentText();
    return QAccessibleWidget::text(t);
}

// The list that drops down is the one child, as with Qt's own interface.
int ComboBoxAccessible::childCount() const {
    return comboBox()->view() ? 1 : 0;
}

QAccessibleInterface* ComboBoxAccessible::child(int index) const {
    if (index != 0 || !comboBox()->view())
        return nullptr;
    return QAccessible::queryAccessibleInterface(comboBox()->view());
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child && child->object() == comboBox()->view() ? 0 : -1;
}

QStringList ComboBoxAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void ComboBoxAccessible::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction())
        return QAccessibleWidget::doAction(actionName);
    if (comboBox()->view()->isVisible())
        comboBox()->hidePopup();
    else
        comboBox()->showPopup();
}

} // namespace tarvok
