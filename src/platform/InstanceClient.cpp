#include "InstanceClient.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace tarvok {

namespace {

int Remaining(const QDeadlineTimer& deadline) {
    return int(std::max<qint64>(deadline.remainingTime(), 0));
}

bool Connect(QLocalSocket& socket, const QString& serverName, const QDeadlineTimer& deadline,
             ConnectAttempts attempts) {
    for (;;) {
        socket.connectToServer(serverName);
        if (socket.waitForConnected(Remaining(deadline)))
            return true;
        socket.abort();
        if (attempts == ConnectAttempts::Once || deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

} // namespace

HandOverResult SendInstanceRequest(const QString& serverName, const InstanceRequest& request,
                                   std::chrono::milliseconds timeout, ConnectAttempts attempts) {
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    if (!Connect(socket, serverName, deadline, attempts))
        return {HandOverResult::Status::NoServer, {}};

    socket.write(EncodeInstanceRequest(request));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(Remaining(deadline)))
            return {HandOverResult::Status::NoAnswer, {}};
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kMaxInstanceMessage ||
            !socket.waitForReadyRead(Remaining(deadline)))
            return {HandOverResult::Status::NoAnswer, {}};
    }
    QByteArray line = socket.readLine(kMaxInstanceMessage + 2);
    line.chop(1);
    const std::optional<InstanceReply> reply = DecodeInstanceReply(line);
    if (!reply)
        return {HandOverResult::Status::NoAnswer, {}};
    return {HandOverResult::Status::Answered, *reply};
}

} // namespace tarvok
