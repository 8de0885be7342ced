#pragma once

#include "InstanceServer.h"

#include <QHash>
#include <QString>

namespace tarvok {

// Hands each request from a later start to the handler registered for its kind. A new
// kind of request is one addKind call where the running instance is put together.
class RequestRouter {
public:
    using Handler = InstanceServer::Handler;

    void addKind(const QString& kind, Handler handler);
    // Refuses a kind nobody registered, with a reason the asking process can print.
    InstanceReply handle(const InstanceRequest& request) const;

private:
    QHash<QString, Handler> m_handlers;
};

// What a refusal's message may show of text from outside: printable, and short.
QString QuotedForMessage(const QString& text);

} // namespace tarvok
