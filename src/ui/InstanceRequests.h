#pragma once

#include "AppState.h"
#include "DialFromOutside.h"
#include "InstanceServer.h"
#include "RequestRouter.h"

#include <QObject>

namespace tarvok {

class MainWindow;

// The running instance's answers to later starts on its data folder: "show" brings the
// window forward as the tray menu's "&Einblenden" does, "dial" dials a number from outside.
// Further kinds are added to router().
class InstanceRequests : public QObject {
    Q_OBJECT
public:
    InstanceRequests(AppState& state, MainWindow& window);

    RequestRouter& router() { return m_router; }

    // Starts taking requests on the folder's socket; false with `error` when that fails.
    bool listen(const QString& dataDir, QString& error);
    // The request this start itself was made with, run once the event loop runs.
    void handleOwn(const InstanceRequest& request);

private:
    RequestRouter m_router;
    DialFromOutside* m_dial;
    InstanceServer* m_server;
};

} // namespace tarvok
