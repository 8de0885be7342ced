#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace tarvok {

// A small HTTP/1.1 server on 127.0.0.1 that answers each path the way a test asks,
// including the ways a hostile or broken server answers.
class HttpTestServer : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        Normal,           // status, headers, Content-Length and the body
        Chunked,          // the body in chunks, without Content-Length
        ChunkedTruncated, // chunks, then the connection closes inside one
        ShortBody,        // Content-Length promises more than is sent before the close
        Drip,             // the body one byte at a time, every dripInterval ms
        NeverAnswer,      // reads the request and says nothing
        CloseAtOnce,      // closes every connection as soon as it is accepted
    };
    struct Response {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        Mode mode = Mode::Normal;
        int dripInterval = 500;
    };

    explicit HttpTestServer(QObject* parent = nullptr);

    bool listen();
    QUrl url(const QString& path) const;
    // Paths without a response get a 404 page.
    void setResponse(const QString& path, const Response& response) {
        m_responses[path] = response;
    }
    int requestCount() const { return m_requests; }

signals:
    void requestReceived(const QString& path);

private:
    void accept();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Response& response);
    void drip(QTcpSocket* socket, const QByteArray& body, int interval);

    QTcpServer m_server;
    QHash<QString, Response> m_responses;
    int m_requests = 0;
};

} // namespace tarvok
