#pragma once

#include "InstanceMessage.h"

#include <QObject>

#include <chrono>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace tarvok {

// The running instance's end of the local socket. Each client sends one request line and
// gets one reply line. Whatever else arrives (garbage, an oversized line, a client that
// connects and never writes, a crowd of clients) is dropped without an answer and without
// reaching the handler.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    // Answers a request at once; work that takes longer (a dial, a message box) it
    // schedules for after the reply has gone out.
    using Handler = std::function<InstanceReply(const InstanceRequest&)>;

    static constexpr int kMaxClients = 8;

    explicit InstanceServer(Handler handler,
                            std::chrono::milliseconds readTimeout = std::chrono::milliseconds(2000),
                            QObject* parent = nullptr);

    // Only the owner of the folder's lock may call this: a socket left by a killed
    // instance under the same name is removed first.
    bool listen(const QString& name);
    QString errorString() const;

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);

    Handler m_handler;
    std::chrono::milliseconds m_readTimeout;
    QLocalServer* m_server = nullptr;
    int m_clients = 0;
};

} // namespace tarvok
