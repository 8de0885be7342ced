#pragma once

#include "TrayIcon.h"

#include <QSystemTrayIcon>

namespace tarvok {

// TrayIcon on QSystemTrayIcon. Qt reports a left press as Trigger, a right press as
// Context and a left double click as DoubleClick; no context menu is attached, so the
// program's own click timing decides what a right press does. A right double click Qt does
// not report at all: its second press arrives at Qt's icon window as a double-click event,
// which is watched for here, or it would count as a lone right click and open the menu.
//
// Where the desktop runs a StatusNotifierItem watcher (KDE, GNOME with the AppIndicator
// extension, most panels), Qt puts the icon there by itself, on D-Bus and so within reach
// of screen readers; nothing here may stand in its way (no own icon window, no forced
// platform theme). That protocol knows no double clicks: a press there is a plain click.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);

    bool isAvailable() const override;
    void showIcon(const QIcon& icon, const QString& tip) override;
    void removeIcon() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};

} // namespace tarvok
