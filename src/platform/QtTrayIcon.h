#pragma once

#include "TrayIcon.h"

#include <QSystemTrayIcon>

namespace tarvok {

// TrayIcon on QSystemTrayIcon. Qt reports a left press as Trigger, a right press as
// Context and a left double click as DoubleClick; no context menu is attached, so the
// program's own click timing decides what a right press does.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);

    bool isAvailable() const override;
    void showIcon(const QIcon& icon, const QString& tip) override;
    void removeIcon() override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};

} // namespace tarvok
