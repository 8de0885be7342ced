#include "HttpTestServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace tarvok {

namespace {

constexpr qsizetype kChunkSize = 4096;

QByteArray Head(const HttpTestServer::Response& response, bool chunked, qsizetype length) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason +
                      "\r\nConnection: close\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += chunked ? QByteArray("Transfer-Encoding: chunked\r\n")
                    : "Content-Length: " + QByteArray::number(length) + "\r\n";
    return head + "\r\n";
}

QByteArray Chunk(QByteArrayView data) {
    return QByteArray::number(data.size(), 16) + "\r\n" + data.toByteArray() + "\r\n";
}

} // namespace

HttpTestServer::HttpTestServer(QObject* parent)
    : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &HttpTestServer::accept);
}

bool HttpTestServer::listen() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl HttpTestServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void HttpTestServer::accept() {
    bool closeAtOnce = false;
    for (const Response& response : std::as_const(m_responses))
        closeAtOnce = closeAtOnce || response.mode == Mode::CloseAtOnce;
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        if (closeAtOnce) {
            ++m_requests;
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromHost();
            continue;
        }
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    }
}

void HttpTestServer::readRequest(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (request.startsWith('\x16')) {
        // A TLS handshake on this plain server: answer in plain HTTP, as such a server would.
        socket->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    ++m_requests;
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = words.size() > 1 ? QString::fromLatin1(words[1]) : QString();
    emit requestReceived(path);

    Response notFound;
    notFound.status = 404;
    notFound.reason = "Not Found";
    notFound.body = "<html><body><h1>404 Not Found</h1></body></html>";
    answer(socket, m_responses.value(path, notFound));
}

void HttpTestServer::answer(QTcpSocket* socket, const Response& response) {
    const QByteArray& body = response.body;
    switch (response.mode) {
    case Mode::Normal:
        socket->write(Head(response, false, body.size()) + body);
        break;
    case Mode::Chunked:
    case Mode::ChunkedTruncated: {
        socket->write(Head(response, true, 0));
        for (qsizetype at = 0; at < body.size(); at += kChunkSize)
            socket->write(
                Chunk(QByteArrayView(body).sliced(at, std::min(kChunkSize, body.size() - at))));
        if (response.mode == Mode::Chunked) {
            socket->write("0\r\n\r\n");
        } else {
            // A chunk that announces more than ever comes.
            socket->write(QByteArray::number(2 * kChunkSize, 16) + "\r\nabc");
        }
        break;
    }
    case Mode::ShortBody:
        socket->write(Head(response, false, body.size() + 1000) + body);
        break;
    case Mode::Drip:
        socket->write(Head(response, false, body.size()));
        drip(socket, body, response.dripInterval);
        return;
    case Mode::NeverAnswer:
    case Mode::CloseAtOnce:
        return;
    }
    socket->disconnectFromHost();
}

void HttpTestServer::drip(QTcpSocket* socket, const QByteArray& body, int interval) {
    auto* timer = new QTimer(socket);
    auto at = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, body, at] {
        if (*at >= body.size()) {
            timer->stop();
            socket->disconnectFromHost();
            return;
        }
        socket->write(body.mid((*at)++, 1));
    });
    timer->start(interval);
}

} // namespace tarvok
