#pragma once

#include "HttpClient.h"

#include <QNetworkAccessManager>

#include <chrono>

namespace tarvok {

// HttpClient over QNetworkAccessManager. Qt alone would follow redirects anywhere, wait
// forever and accept any size, so this adds: an inactivity time-out, an overall deadline,
// a body limit and redirects only within the same host. No proxy: a direct connection.
class QtHttpClient : public HttpClient {
public:
    static constexpr std::chrono::milliseconds kDefaultNoProgressTimeout{30'000};
    static constexpr std::chrono::milliseconds kDefaultDeadline{60'000};
    static constexpr qint64 kDefaultMaxBodySize = 1024 * 1024;

    QtHttpClient() = default;
    QtHttpClient(std::chrono::milliseconds noProgressTimeout, std::chrono::milliseconds deadline,
                 qint64 maxBodySize = kDefaultMaxBodySize);

    void setNoProgressTimeout(std::chrono::milliseconds timeout) { m_noProgress = timeout; }
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }
    void setMaxBodySize(qint64 bytes) { m_maxBodySize = bytes; }

    HttpReply Fetch(const QUrl& url) override;

private:
    QNetworkAccessManager m_manager;
    std::chrono::milliseconds m_noProgress = kDefaultNoProgressTimeout;
    std::chrono::milliseconds m_deadline = kDefaultDeadline;
    qint64 m_maxBodySize = kDefaultMaxBodySize;
};

} // namespace tarvok
