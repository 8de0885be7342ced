#pragma once

// Tariff lists and server answers the update tests share.

#include "HttpTestServer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvok::testdata {

using Mode = HttpTestServer::Mode;
using Response = HttpTestServer::Response;

inline const QString kListPath = QStringLiteral("/download/service/ttarif/ttarif.csv");
inline const QString kTitle = QStringLiteral("Provider-Update");

// What the user had before the update: two rows on disk, an older backup, an older list.
inline const QByteArray kOldProviders = "\"Altnetz\",\"01011\",1,0,8,18,1,1,0\r\n"
                                        "\"Zentrum\",\"01099\",1,1,0,24,0,0,1\r\n";
inline const QByteArray kOlderProviders = "\"Vorher\",\"01070\",0,1,0,24,1,0,0\r\n";
inline const QByteArray kOldUpdate = "Tarvok Pro Provider Update 2025-01\r\nalt\r\n";
inline const QStringList kOldRows = {"Altnetz|01011|Mo-Fr|08h|18h|NF",
                                     "Zentrum|01099|Immer|00h|24h|A"};

inline const QByteArray kHead = "Tarvok Pro Provider Update 2026-12\r\n"
                                "Name;Netz;Mo-Fr;Sa-So;ab;bis;Nah;Fern;Ausland;Preis\r\n";
inline const QByteArray kThree = kHead + "Billig;01013;1;1;0;24;1;1;;1,2\r\n"
                                         "Nachtnetz;01051;1;;18;8;1;1;1;0,5\r\n"
                                         "S\xFC"
                                         "dnetz;01088;;1;9;18;;1;1;2,1\r\n";
inline const QByteArray kThreeConverted = "Tarvok Pro Provider Update 2026-12\r\n"
                                          "Name,Netz,Mo-Fr,Sa-So,ab,bis,Nah,Fern,Ausland,Preis\r\n"
                                          "Billig,01013,1,1,0,24,1,1,,1,2\r\n"
                                          "Nachtnetz,01051,1,,18,8,1,1,1,0,5\r\n"
                                          "S\xFC"
                                          "dnetz,01088,,1,9,18,,1,1,2,1\r\n\r\n";
inline const QStringList kThreeRows = {"Billig|01013|Immer|00h|24h|NF",
                                       "Nachtnetz|01051|Mo-Fr|18h|08h|NFA",
                                       QStringLiteral("Südnetz|01088|Sa-So|09h|18h|FA")};

inline Response Answer(const QByteArray& body, Mode mode = Mode::Normal) {
    Response response;
    response.body = body;
    response.mode = mode;
    return response;
}

// A valid list of exactly `size` bytes: one provider, its last column padded.
inline QByteArray ListOfSize(qsizetype size) {
    const QByteArray row = "Billig;01013;1;1;0;24;1;1;;";
    return kHead + row + QByteArray(size - kHead.size() - row.size() - 2, 'x') + "\r\n";
}

inline Response Status(int status, const QByteArray& reason, const QByteArray& body = {}) {
    Response response;
    response.status = status;
    response.reason = reason;
    response.body = body;
    return response;
}

inline Response Redirect(const QByteArray& location) {
    Response response = Status(302, "Found", "<html>Moved</html>");
    response.headers = {{"Location", location}};
    return response;
}

} // namespace tarvok::testdata
