#include "ModemSetup.h"

#include "MessageBox.h"
#include "ModemCheck.h"
#include "ModemDevicesWindow.h"
#include "ModemProblemText.h"
#include "ModemTestWindow.h"

namespace tarvok {

ModemSetup::ModemSetup(AppState& state, SerialPort* port, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_port(port)
    , m_window(window) {}

void ModemSetup::TestModem(int port, QWidget* parent) {
    if (!m_port || m_running || port < 1 || port > 4)
        return;
    m_running = true;
    QWidget* owner = parent ? parent : m_window;

    ModemCheck check(*m_port);
    ModemCheck::Result result;
    ModemTestWindow window(port, owner);
    connect(&window, &ModemTestWindow::cancelRequested, &check, &ModemCheck::cancel);
    connect(&check, &ModemCheck::finished, &window,
            [&result, &window](const ModemCheck::Result& end) {
                result = end;
                window.finish();
            });
    check.start(port);
    {
        ModalBusyScope busy(m_state);
        if (check.isRunning())
            window.exec();
    }
    // However the window went, the port is closed by the time it is gone.
    check.cancel();
    m_running = false;

    const QString text = ModemCheckText(port, result);
    if (text.isEmpty())
        return;
    switch (result.outcome) {
    case ModemCheck::Outcome::Answered:
        MessageBox::information(owner, MessageBox::kTitle, text);
        break;
    case ModemCheck::Outcome::Silent:
    case ModemCheck::Outcome::Error:
        MessageBox::exclamation(owner, MessageBox::kTitle, text);
        break;
    default:
        MessageBox::critical(owner, MessageBox::kTitle, text);
        break;
    }
}

void ModemSetup::ShowDevices(QWidget* parent) {
    ModemDevicesWindow* window = nullptr;
    const auto test = [this, &window](int port) { TestModem(port, window); };
    ModemDevicesWindow devices(m_state.dataDir, AvailableSerialDevices(),
                               m_port ? ModemDevicesWindow::TestModem(test)
                                      : ModemDevicesWindow::TestModem(),
                               parent ? parent : m_window);
    window = &devices;
    ModalBusyScope busy(m_state);
    devices.exec();
}

} // namespace tarvok
