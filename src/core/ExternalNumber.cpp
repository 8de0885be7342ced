#include "ExternalNumber.h"

#include "NumberText.h"

#include <phonenumbers/phonenumberutil.h>

#include <QRegularExpression>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvok {

namespace {

using Error = ExternalNumberError;
using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

const PhoneNumberUtil& util() {
    return *PhoneNumberUtil::GetInstance();
}

std::string toStd(const QString& text) {
    return text.toStdString();
}

// The region whose rules national numbers follow: "DE" for 49, the main region of a
// shared code ("US" for 1), "ZZ" for no known code.
std::string regionOf(int countryCode) {
    std::string region;
    util().GetRegionCodeForCountryCode(countryCode, &region);
    return region;
}

int countryCodeOf(const QString& text) {
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    return ok && code > 0 && code < 1000 ? code : 0;
}

bool isKnownCountryCode(int code) {
    return code > 0 && regionOf(code) != "ZZ";
}

std::string nationalPrefixOf(const std::string& region) {
    std::string prefix;
    util().GetNddPrefixForRegion(region, true, &prefix);
    return prefix;
}

// The dial puts the digit 0 itself in front of the area code, so only countries whose
// national prefix is exactly "0" get the flag: for NANPA ("1"), Russia ("8") or Hungary
// ("06") a 0 would dial something else, and Italy keeps its 0 inside the number.
int zeroPrefixOf(int countryCode) {
    return nationalPrefixOf(regionOf(countryCode)) == "0";
}

Error parseError(PhoneNumberUtil::ErrorType error) {
    switch (error) {
    case PhoneNumberUtil::NO_PARSING_ERROR:
        return Error::None;
    case PhoneNumberUtil::TOO_SHORT_AFTER_IDD:
    case PhoneNumberUtil::TOO_SHORT_NSN:
    case PhoneNumberUtil::TOO_LONG_NSN:
        return Error::NotPossible;
    default:
        return Error::NotParseable;
    }
}

ExternalNumber refused(Error error) {
    ExternalNumber result;
    result.error = error;
    return result;
}

// "country area local"; a number whose country has no area codes gets two groups.
ExternalNumber bookForm(const PhoneNumber& number, int areaLength) {
    std::string national;
    util().GetNationalSignificantNumber(number, &national);
    const QString nsn = QString::fromStdString(national);
    ExternalNumber result;
    result.Number = QString::number(number.country_code()) + u' ';
    if (areaLength > 0 && areaLength < nsn.size())
        result.Number += nsn.left(areaLength) + u' ' + nsn.mid(areaLength);
    else
        result.Number += nsn;
    result.ZeroPrefix = zeroPrefixOf(number.country_code());
    return result;
}

// Where 0 is the national prefix no number begins with it: "+49 00711 ..." would be stored
// as "49 0711..." and, with the 0 the dial puts in front, leave the country.
bool startsWithNationalPrefix(const PhoneNumber& number) {
    std::string national;
    util().GetNationalSignificantNumber(number, &national);
    return zeroPrefixOf(number.country_code()) && national.starts_with('0');
}

// A number that still holds its country's national prefix after the country code ("+375
// 00451..." keeps one of the two 0s, Belarus dropping only one) loses it when the stored
// form is read again: the book would keep a number that does not read back to itself, and
// the dial would send the prefix abroad.
bool keepsNationalPrefix(const PhoneNumber& number) {
    std::string national;
    util().GetNationalSignificantNumber(number, &national);
    // The parse below is dear (it alone would double an import's preview), and only a number
    // led by 0 or by its country's prefix ("8", "06", "1") can still hold one.
    const std::string prefix = nationalPrefixOf(regionOf(number.country_code()));
    if (national.empty() ||
        (national.front() != '0' && (prefix.empty() || national.front() != prefix.front())))
        return false;
    PhoneNumber again;
    if (util().Parse('+' + std::to_string(number.country_code()) + national, "ZZ", &again) !=
        PhoneNumberUtil::NO_PARSING_ERROR)
        return true;
    std::string nationalAgain;
    util().GetNationalSignificantNumber(again, &nationalAgain);
    return nationalAgain != national;
}

bool parse(const QString& digits, const std::string& region, PhoneNumber* number, Error* error) {
    *error = parseError(util().Parse(toStd(digits), region, number));
    if (*error != Error::None)
        return false;
    if (util().IsPossibleNumberWithReason(*number) != PhoneNumberUtil::IS_POSSIBLE ||
        startsWithNationalPrefix(*number) || keepsNationalPrefix(*number))
        *error = Error::NotPossible;
    return *error == Error::None;
}

// A number written without country, area or national prefix belongs to the own area. Where
// that reading gives no possible number (ten digits in a NANPA country) it is read as a
// national number instead.
bool isLocalCandidate(const NumberText& text, const std::string& ownRegion,
                      const QString& ownAreaCode) {
    const QString prefix = QString::fromStdString(nationalPrefixOf(ownRegion));
    return !text.international && !prefix.isEmpty() && !ownAreaCode.isEmpty() &&
           !text.digits.startsWith(u'0') && !text.digits.startsWith(prefix);
}

// What GetLengthOfNationalDestinationCode answers, without the number type it works out for
// every number although only countries with a mobile token (Argentina's 9) use it: the
// type tries every number pattern of the country and was the dearest step of an import.
// The area is the second group of digits in the international form, if there is a third.
int areaLengthOf(const PhoneNumber& number) {
    std::string mobileToken;
    util().GetCountryMobileToken(number.country_code(), &mobileToken);
    if (!mobileToken.empty())
        return util().GetLengthOfNationalDestinationCode(number);
    PhoneNumber withoutExtension(number);
    withoutExtension.clear_extension();
    std::string formatted;
    util().Format(withoutExtension, PhoneNumberUtil::INTERNATIONAL, &formatted);
    constexpr const char* kDigits = "0123456789";
    std::vector<std::size_t> groupLengths;
    std::size_t at = formatted.find_first_of(kDigits);
    while (at != std::string::npos && groupLengths.size() < 3) {
        const std::size_t end =
            std::min(formatted.find_first_not_of(kDigits, at), formatted.size());
        groupLengths.push_back(end - at);
        at = formatted.find_first_of(kDigits, end);
    }
    return groupLengths.size() == 3 ? int(groupLengths[1]) : 0;
}

bool isDigits(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,8}$"));
    return digits.match(text).hasMatch();
}

} // namespace

ExternalNumber NormaliseExternalNumber(const QString& text, const QString& ownCountryCode,
                                       const QString& ownAreaCode) {
    const NumberText read = ReadNumberText(text);
    if (read.error != Error::None)
        return refused(read.error);
    const int ownCountry = countryCodeOf(ownCountryCode);
    const std::string ownRegion = regionOf(ownCountry);
    const QString ownArea = ownAreaCode.trimmed();
    PhoneNumber number;
    Error error = Error::None;
    if (isDigits(ownArea) && isLocalCandidate(read, ownRegion, ownArea)) {
        const QString whole = u'+' + QString::number(ownCountry) + ownArea + read.digits;
        if (parse(whole, ownRegion, &number, &error))
            return bookForm(number, int(ownArea.size()));
    }
    const QString digits = read.international ? u'+' + read.digits : read.digits;
    if (!parse(digits, ownRegion, &number, &error))
        return refused(error);
    return bookForm(number, areaLengthOf(number));
}

bool IsPhoneBookForm(const QString& number) {
    static const QRegularExpression form(QStringLiteral("^([1-9][0-9]{0,2})( [0-9]+){2,}$"));
    if (number.size() > NumberText::kMaxInput)
        return false;
    const QRegularExpressionMatch match = form.match(number);
    return match.hasMatch() && isKnownCountryCode(match.captured(1).toInt());
}

} // namespace tarvok
