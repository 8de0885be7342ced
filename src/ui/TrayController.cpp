#include "TrayController.h"

namespace tarvok {

TrayController::TrayController(AppState& state, TrayIcon& icon, std::chrono::milliseconds delay,
                               QObject* parent)
    : QObject(parent)
    , m_state(state) {
    m_delay.setObjectName(QStringLiteral("DblClkDelay"));
    m_delay.setSingleShot(true);
    m_delay.setInterval(delay);
    connect(&m_delay, &QTimer::timeout, this, &TrayController::DblClkDelay_Timer);
    connect(&icon, &TrayIcon::pressed, this, &TrayController::onPressed);
}

void TrayController::onPressed(TrayIcon::Press press) {
    switch (press) {
    case TrayIcon::Press::Left:
    case TrayIcon::Press::Right:
        m_trayDoubleClick = 0;
        m_trayButton = press == TrayIcon::Press::Left ? 1 : 2;
        m_delay.start(); // restarts a running wait
        break;
    case TrayIcon::Press::LeftDouble:
    case TrayIcon::Press::RightDouble:
        // Only counts inside the wait; the next press clears it again.
        m_trayDoubleClick = 256;
        break;
    }
}

void TrayController::DblClkDelay_Timer() {
    m_delay.stop();
    NiKeyEvent(m_trayButton | m_trayDoubleClick);
}

void TrayController::NiKeyEvent(int iKeyEvent) {
    switch (iKeyEvent) {
    case cLeftClick:
    case cLeftDblClick:
        if (m_state.ModalBusy == 0)
            emit showWindowRequested();
        else
            emit beepRequested();
        break;
    case cRightClick:
        emit menuRequested();
        break;
    case cRightDblClick:
        emit beepRequested();
        break;
    default:
        break;
    }
}

} // namespace tarvok
