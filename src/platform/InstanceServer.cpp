#include "InstanceServer.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVariant>

namespace tarvok {

InstanceServer::InstanceServer(Handler handler, std::chrono::milliseconds readTimeout,
                               QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_readTimeout(readTimeout)
    , m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::onNewConnection);
}

bool InstanceServer::listen(const QString& name) {
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

QString InstanceServer::errorString() const {
    return m_server->errorString();
}

void InstanceServer::onNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (m_clients >= kMaxClients) {
            socket->abort();
            continue;
        }
        ++m_clients;
        connect(socket, &QObject::destroyed, this, [this] { --m_clients; });
        // A client that does not finish its line in time is dropped.
        QTimer::singleShot(m_readTimeout, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void InstanceServer::onReadyRead(QLocalSocket* socket) {
    if (socket->property("answered").toBool())
        return;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxInstanceMessage)
            socket->abort();
        return;
    }
    QByteArray line = socket->readLine(kMaxInstanceMessage + 2);
    if (!line.endsWith('\n')) {
        socket->abort();
        return;
    }
    line.chop(1);
    const std::optional<InstanceRequest> request = DecodeInstanceRequest(line);
    if (!request) {
        socket->abort();
        return;
    }
    socket->setProperty("answered", true);
    socket->write(EncodeInstanceReply(m_handler(*request)));
    socket->disconnectFromServer();
}

} // namespace tarvok
