#include "HttpClient.h"

#include "TextCodec.h"

namespace tarvok {

QString HttpReply::text() const {
    return DecodeWindows1252(body);
}

QString FetchErrorDescription(FetchError error) {
    switch (error) {
    case FetchError::InvalidUrl:
        return QStringLiteral("Die Adresse der Provider-Liste ist ungültig.");
    case FetchError::ConnectionRefused:
        return QStringLiteral("Der Server hat die Verbindung abgelehnt.");
    case FetchError::HostNotFound:
        return QStringLiteral("Der Server wurde nicht gefunden.");
    case FetchError::ConnectionClosed:
        return QStringLiteral("Der Server hat die Verbindung vorzeitig beendet.");
    case FetchError::NoProgress:
        return QStringLiteral("Der Server antwortet nicht mehr.");
    case FetchError::DeadlineExceeded:
        return QStringLiteral("Die Übertragung hat zu lange gedauert und wurde abgebrochen.");
    case FetchError::TooLarge:
        return QStringLiteral("Die Antwort des Servers ist zu groß für eine Provider-Liste.");
    case FetchError::RedirectRefused:
        return QStringLiteral("Der Server leitet auf eine andere Adresse um; der Umleitung wurde "
                              "nicht gefolgt.");
    case FetchError::SecureConnection:
        return QStringLiteral("Die sichere Verbindung (HTTPS) konnte nicht aufgebaut werden.");
    case FetchError::Proxy:
        return QStringLiteral("Der Proxy-Server ist nicht erreichbar.");
    case FetchError::Protocol:
        return QStringLiteral("Die Antwort des Servers ist fehlerhaft.");
    case FetchError::Other:
        break;
    }
    return QStringLiteral("Die Verbindung zum Server ist fehlgeschlagen.");
}

} // namespace tarvok
