#include "EditorControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvok {

QLineEdit* makeEditorTextBox(const QString& objectName, const QString& accessibleName,
                             QLabel* label, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setAccessibleName(accessibleName);
    label->setBuddy(box);
    return box;
}

QPushButton* makeEditorButton(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace tarvok
