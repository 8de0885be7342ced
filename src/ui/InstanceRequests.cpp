#include "InstanceRequests.h"

#include "ContactRequests.h"
#include "InstanceChannel.h"
#include "MainWindow.h"

#include <QTimer>

namespace tarvok {

InstanceRequests::InstanceRequests(AppState& state, MainWindow& window)
    : QObject(&window)
    , m_dial(new DialFromOutside(
          state, [&window](const QString& line) { window.DialEntryLine(line); }, &window))
    , m_server(new InstanceServer([this](const InstanceRequest& r) { return m_router.handle(r); },
                                  kInstanceReadTimeout, this)) {
    m_router.addKind(QStringLiteral("show"), [&window](const InstanceRequest&) {
        window.ShowFromOutside();
        return InstanceReply{true, {}};
    });
    m_router.addKind(QStringLiteral("dial"),
                     [this](const InstanceRequest& request) { return m_dial->handle(request); });
    AddContactRequests(m_router, state, window);
}

bool InstanceRequests::listen(const QString& dataDir, QString& error) {
    if (m_server->listen(InstanceServerName(dataDir)))
        return true;
    error = QStringLiteral("Spätere Aufrufe erreichen dieses Tarvok-Pro nicht: %1")
                .arg(m_server->errorString());
    return false;
}

void InstanceRequests::handleOwn(const InstanceRequest& request) {
    // The window is on screen after start-up already.
    if (request.kind == QLatin1String("show"))
        return;
    QTimer::singleShot(0, this, [this, request] { m_router.handle(request); });
}

} // namespace tarvok
