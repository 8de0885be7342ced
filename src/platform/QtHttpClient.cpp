#include "QtHttpClient.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <functional>
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

QNetworkRequest ListRequest(const QUrl& url) {
    QNetworkRequest request(url);
    // Each redirect is checked before it is followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    return request;
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

// One running fetch: what has arrived, and why it was ended early, if it was.
struct Transfer {
    QNetworkReply& reply;
    QByteArray body;
    std::optional<FetchError> abortedFor;

    void abortFor(FetchError why) {
        if (!abortedFor)
            abortedFor = why;
        reply.abort();
    }
};

// Collects the body and ends the transfer at the size limit or at a redirect elsewhere;
// `progressed` is called whenever something arrives.
void WatchTransfer(Transfer& transfer, QObject& context, const QUrl& from, qint64 maxBodySize,
                   const std::function<void()>& progressed) {
    QNetworkReply* const reply = &transfer.reply;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &context, [=, &transfer] {
        progressed();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBodySize)
            transfer.abortFor(FetchError::TooLarge);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &context, [=, &transfer] {
        progressed();
        transfer.body += reply->readAll();
        if (transfer.body.size() > maxBodySize)
            transfer.abortFor(FetchError::TooLarge);
    });
    QObject::connect(reply, &QNetworkReply::uploadProgress, &context, progressed);
    QObject::connect(reply, &QNetworkReply::redirected, &context,
                     [=, &transfer](const QUrl& target) {
                         progressed();
                         if (!RedirectAllowed(from, target))
                             return transfer.abortFor(FetchError::RedirectRefused);
                         transfer.body.clear();
                         emit reply->redirectAllowed();
                     });
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
    QEventLoop loop;
    std::unique_ptr<QNetworkReply> reply(m_manager.get(ListRequest(url)));
    Transfer transfer{*reply, {}, {}};

    QTimer noProgress;
    QTimer deadline;
    noProgress.setSingleShot(true);
    deadline.setSingleShot(true);
    QObject::connect(&noProgress, &QTimer::timeout, &loop,
                     [&] { transfer.abortFor(FetchError::NoProgress); });
    QObject::connect(&deadline, &QTimer::timeout, &loop,
                     [&] { transfer.abortFor(FetchError::DeadlineExceeded); });
    WatchTransfer(transfer, loop, url, m_maxBodySize, [&] { noProgress.start(m_noProgress); });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    if (!reply->isFinished()) {
        noProgress.start(m_noProgress);
        deadline.start(m_deadline);
        // Paint events still run, so the window stays drawn; clicks wait until the end, so
        // nothing can start a second update or close the window under this one.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (transfer.abortedFor)
        return CallError(*transfer.abortedFor);
    transfer.body += reply->readAll();
    if (transfer.body.size() > m_maxBodySize)
        return CallError(FetchError::TooLarge);
    return Outcome(*reply, std::move(transfer.body));
}

} // namespace tarvok
