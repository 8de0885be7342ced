#include "QtTrayIcon.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <cstring>

namespace tarvok {

QtTrayIcon::QtTrayIcon(QObject* parent)
    : TrayIcon(parent) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, &QtTrayIcon::onActivated);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

bool QtTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    // The class name is the only mark of Qt's own icon window in the X notification area.
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
        std::strcmp(watched->metaObject()->className(), "QSystemTrayIconSys") == 0)
        emit pressed(Press::RightDouble);
    return TrayIcon::eventFilter(watched, event);
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
