#pragma once

#include <QString>
#include <QStringView>

namespace tarvok {

// One phone-book entry. In a list it is kept as its entry line (see EntryLine).
struct PhoneEntry {
    QString Name;       // trimmed, surname first
    QString Number;     // international, without "+" or prefix, trimmed
    int ZeroPrefix = 1; // 0 or 1: dial "0" before the area code inside the own country

    friend bool operator==(const PhoneEntry&, const PhoneEntry&) = default;
};

// 150 spaces and the character with code 1. A list that shows its lines as they stand
// keeps everything after the name out of sight.
const QString& EntrySeparator();

// Name, EntrySeparator, Number, "~", flag digit.
QString EntryLine(const PhoneEntry& entry);

// Accessors on an entry line; the separator meant is its first occurrence.
QString EntryName(QStringView line);
QString EntryTail(QStringView line);
QString EntryNumber(QStringView line);
int EntryZeroFlag(QStringView line); // 0 when the last character is not a digit

// The files have no escape for double quotes: every stored string passes through this.
void ReplaceQuotes(QString& text);
QString QuotesReplaced(QString text);

} // namespace tarvok
