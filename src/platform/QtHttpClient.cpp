#include "QtHttpClient.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>
#include <optional>

namespace tarvok {

namespace {

constexpr int kMaxRedirects = 5;

HttpReply CallError(FetchError error) {
    HttpReply reply;
    reply.outcome = HttpReply::Outcome::CallError;
    reply.errorNumber = int(error);
    reply.errorDescription = FetchErrorDescription(error);
    return reply;
}

bool IsWebUrl(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// Same host only, and never from HTTPS down to plain HTTP.
bool RedirectAllowed(const QUrl& from, const QUrl& to) {
    if (!IsWebUrl(to) || to.host().compare(from.host(), Qt::CaseInsensitive) != 0)
        return false;
    return to.scheme() == QLatin1String("https") || from.scheme() == QLatin1String("http");
}

FetchError FromNetworkError(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return FetchError::ConnectionRefused;
    case QNetworkReply::HostNotFoundError:
        return FetchError::HostNotFound;
    case QNetworkReply::RemoteHostClosedError:
        return FetchError::ConnectionClosed;
    case QNetworkReply::TimeoutError:
        return FetchError::NoProgress;
    case QNetworkReply::SslHandshakeFailedError:
        return FetchError::SecureConnection;
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return FetchError::RedirectRefused;
    case QNetworkReply::ProtocolUnknownError:
        return FetchError::InvalidUrl;
    default:
        break;
    }
    if (error >= QNetworkReply::ProxyConnectionRefusedError &&
        error <= QNetworkReply::UnknownProxyError)
        return FetchError::Proxy;
    if (error >= QNetworkReply::ProtocolInvalidOperationError &&
        error <= QNetworkReply::ProtocolFailure)
        return FetchError::Protocol;
    return FetchError::Other;
}

// A body the server stopped sending too early, which Qt 6.4 does not always notice.
bool CutShort(const QNetworkReply& reply, const QByteArray& body) {
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    // With a Content-Encoding the announced length is that of the packed body.
    if (length.isValid() && !reply.hasRawHeader("Content-Encoding"))
        return body.size() != length.toLongLong();
    // A chunked body whose connection closes inside a chunk is ended as if complete.
    // Text lists end at a line end, so a chunked body that stops inside a line was cut.
    const bool chunked = reply.rawHeader("Transfer-Encoding").toLower().contains("chunked");
    return chunked && !body.isEmpty() && !body.endsWith('\n') && !body.endsWith('\r');
}

// What the server said once the transfer has ended on its own.
HttpReply Outcome(QNetworkReply& reply, QByteArray body) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int code = status.isValid() ? status.toInt() : 0;
    if (code >= 300) {
        HttpReply answer;
        answer.outcome = HttpReply::Outcome::ErrorState;
        answer.responseCode = code;
        answer.responseText =
            reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
        if (answer.responseText.isEmpty())
            answer.responseText = QStringLiteral("Der Server meldet einen Fehler.");
        return answer;
    }
    if (reply.error() != QNetworkReply::NoError || code == 0)
        return CallError(FromNetworkError(reply.error()));
    if (CutShort(reply, body))
        return CallError(FetchError::ConnectionClosed);
    HttpReply answer;
    answer.outcome = HttpReply::Outcome::Body;
    answer.responseCode = code;
    answer.body = std::move(body);
    return answer;
}

} // namespace

QtHttpClient::QtHttpClient(std::chrono::milliseconds noProgressTimeout,
                           std::chrono::milliseconds deadline, qint64 maxBodySize)
    : m_noProgress(noProgressTimeout)
    , m_deadline(deadline)
    , m_maxBodySize(maxBodySize) {}

HttpReply QtHttpClient::Fetch(const QUrl& url) {
    if (!IsWebUrl(url))
        return CallError(FetchError::InvalidUrl);

    // A direct connection: a proxy from the environment must not see or alter the list.
    m_manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);

    QEventLoop loop;
    std::unique_ptr<QNetworkReply> reply(m_manager.get(request));
    QByteArray body;
    std::optional<FetchError> abortedFor;
    const auto abortFor = [&](FetchError why) {
        if (!abortedFor)
            abortedFor = why;
        reply->abort();
    };

    QTimer noProgress;
    noProgress.setSingleShot(true);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&noProgress, &QTimer::timeout, &loop,
                     [&] { abortFor(FetchError::NoProgress); });
    QObject::connect(&deadline, &QTimer::timeout, &loop,
                     [&] { abortFor(FetchError::DeadlineExceeded); });
    const auto progressed = [&] { noProgress.start(m_noProgress); };

    QNetworkReply* r = reply.get();
    QObject::connect(r, &QNetworkReply::metaDataChanged, &loop, [&] {
        progressed();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBodySize)
            abortFor(FetchError::TooLarge);
    });
    QObject::connect(r, &QNetworkReply::readyRead, &loop, [&] {
        progressed();
        body += reply->readAll();
        if (body.size() > m_maxBodySize)
            abortFor(FetchError::TooLarge);
    });
    QObject::connect(r, &QNetworkReply::uploadProgress, &loop, progressed);
    QObject::connect(r, &QNetworkReply::redirected, &loop, [&](const QUrl& target) {
        progressed();
        if (!RedirectAllowed(url, target))
            return abortFor(FetchError::RedirectRefused);
        body.clear();
        emit reply->redirectAllowed();
    });
    QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    if (!reply->isFinished()) {
        noProgress.start(m_noProgress);
        deadline.start(m_deadline);
        // Paint events still run, so the window stays drawn; clicks wait until the end, so
        // nothing can start a second update or close the window under this one.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (abortedFor)
        return CallError(*abortedFor);
    body += reply->readAll();
    if (body.size() > m_maxBodySize)
        return CallError(FetchError::TooLarge);
    return Outcome(*reply, std::move(body));
}

} // namespace tarvok
