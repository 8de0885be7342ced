#pragma once

#include <QObject>
#include <QString>

class QIcon;

namespace tarvok {

// The program's icon in the desktop's notification area. An interface so that window tests
// can press the icon without a desktop.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // What happened on the icon; a double click arrives after the press that began it.
    enum class Press { Left, Right, LeftDouble, RightDouble };

    static constexpr int kMaxTipLength = 63;

    using QObject::QObject;

    // False where the desktop has no notification area: the window is then the only way in.
    virtual bool isAvailable() const = 0;
    // ShowSysTrayIcon: adds the icon with its tip (cut to kMaxTipLength characters).
    virtual void showIcon(const QIcon& icon, const QString& tip) = 0;
    // KillSysTrayIcon.
    virtual void removeIcon() = 0;

signals:
    void pressed(tarvok::TrayIcon::Press press);
};

// The tip as the notification area takes it.
QString TrayTip(const QString& text);

} // namespace tarvok
