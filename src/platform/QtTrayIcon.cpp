#include "QtTrayIcon.h"

namespace tarvok {

QtTrayIcon::QtTrayIcon(QObject* parent)
    : TrayIcon(parent) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, &QtTrayIcon::onActivated);
}

bool QtTrayIcon::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::showIcon(const QIcon& icon, const QString& tip) {
    m_icon.setIcon(icon);
    m_icon.setToolTip(TrayTip(tip));
    m_icon.show();
}

void QtTrayIcon::removeIcon() {
    m_icon.hide();
}

void QtTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit pressed(Press::Left);
        break;
    case QSystemTrayIcon::Context:
        emit pressed(Press::Right);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit pressed(Press::LeftDouble);
        break;
    default:
        break;
    }
}

} // namespace tarvok
