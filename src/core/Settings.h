#pragma once

#include <QString>

#include <array>

namespace tarvok {

// The program-wide settings record, stored in the phone book file.
struct Settings {
    int ComPort = 1;    // 1..4
    int DialMethod = 1; // 0 tone ("Ton"), 1 pulse ("Puls")
    int Reserved = 0;   // no meaning; read and written back
    QString OutsideLinePrefix;
    QString InternationalPrefix = QStringLiteral("00");
    QString CountryCode = QStringLiteral("49");
    QString AreaCode;
    double EntrySize = 12; // points; font size of the four phone lists
    QString ExtraModemCommands;
    QString HandOverNumber;
    int HandOverEnabled = 0;
    std::array<QString, 4> ListNames{QStringLiteral("Büro 1"), QStringLiteral("Büro 2"),
                                     QStringLiteral("Privat 1"), QStringLiteral("Privat 2")};

    friend bool operator==(const Settings&, const Settings&) = default;
};

} // namespace tarvok
