#pragma once

#include "AppState.h"
#include "TrayIcon.h"

#include <QObject>
#include <QTimer>

#include <chrono>

namespace tarvok {

// The tray icon's click timing: one second after the last button press exactly one event
// is dispatched, a double click within that second turning the click into a double click
// and a press of the other button replacing the earlier one.
class TrayController : public QObject {
    Q_OBJECT
public:
    // Event codes: the button, plus 256 for a double click.
    enum : int { cLeftClick = 1, cRightClick = 2, cLeftDblClick = 257, cRightDblClick = 258 };
    static constexpr std::chrono::milliseconds kDblClkDelay{1000};

    // `delay` is the DblClkDelay interval; tests shorten it.
    TrayController(AppState& state, TrayIcon& icon, std::chrono::milliseconds delay = kDblClkDelay,
                   QObject* parent = nullptr);

    void NiKeyEvent(int iKeyEvent);
    bool isWaiting() const { return m_delay.isActive(); }

signals:
    void showWindowRequested();
    void menuRequested();
    void beepRequested();

private:
    void onPressed(TrayIcon::Press press);
    void DblClkDelay_Timer();

    AppState& m_state;
    QTimer m_delay; // DblClkDelay
    int m_trayButton = 0;
    int m_trayDoubleClick = 0;
};

} // namespace tarvok
