#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace tarvok {

// The answer to one fetch: the body, or one of the two ways a fetch can fail.
struct HttpReply {
    enum class Outcome {
        Body,       // `body` holds the whole answer
        CallError,  // the fetch itself failed: `errorNumber`, `errorDescription`
        ErrorState, // the server answered with an error: `responseText`, `responseCode`
    };
    Outcome outcome = Outcome::CallError;
    QByteArray body;
    int errorNumber = 0;
    QString errorDescription; // German, for the window to show as it stands
    QString responseText;     // e.g. "Not Found"
    int responseCode = 0;     // the HTTP status

    bool ok() const { return outcome == Outcome::Body; }
    QString text() const; // the body decoded as windows-1252, like the data files
};

// Stable numbers for the ways a fetch call can fail, shown to the user beside the text.
enum class FetchError {
    InvalidUrl = 1,
    ConnectionRefused = 2,
    HostNotFound = 3,
    ConnectionClosed = 4,
    NoProgress = 5,       // nothing arrived for the inactivity time-out
    DeadlineExceeded = 6, // the whole fetch took longer than the overall deadline
    TooLarge = 7,
    RedirectRefused = 8, // a redirect to another host or to plain HTTP
    SecureConnection = 9,
    Proxy = 10,
    Protocol = 11,
    Other = 99,
};

// German description of a fetch-call error.
QString FetchErrorDescription(FetchError error);

// Fetches one URL synchronously; the caller's window keeps being painted meanwhile.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpReply Fetch(const QUrl& url) = 0;

protected:
    HttpClient() = default;
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;
};

} // namespace tarvok
