#pragma once

#include <QString>

namespace tarvok {

// Why a number handed in from outside (a tel: link, a contact, a typed number) was refused.
enum class ExternalNumberError {
    None,
    Empty,        // nothing but blanks and separators
    Letters,      // letters that are not part of a tel: URI's own syntax
    MoreThanOne,  // two or more numbers in one text
    NotParseable, // not a phone number at all
    NotPossible,  // read, but not a possible number of its country
};

// A number in the phone book's form.
struct ExternalNumber {
    ExternalNumberError error = ExternalNumberError::None;
    QString Number;     // "country area local", single blanks between the groups
    int ZeroPrefix = 1; // 1 where the country dials a national prefix before the area code
    bool ok() const { return error == ExternalNumberError::None; }
};

// Turns a number as people write it ("+49 30 1234567", "0049 30 ...", "030 ...",
// "tel:+49-30-1234567;ext=12", "callto:...", "1234567") into the phone book's form.
// National numbers are read in the region of ownCountryCode; a number without country and
// area is a local number in ownAreaCode.
ExternalNumber NormaliseExternalNumber(const QString& text, const QString& ownCountryCode,
                                       const QString& ownAreaCode);

// True for a number already in the phone book's form: digits in at least three groups
// separated by single blanks, the first group a country code.
bool IsPhoneBookForm(const QString& number);

} // namespace tarvok
