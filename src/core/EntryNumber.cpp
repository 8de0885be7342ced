#include "EntryNumber.h"

#include <QRegularExpression>

namespace tarvok {

namespace {

bool isTwoGroupsOfDigits(const QString& number) {
    static const QRegularExpression form(QStringLiteral("^[1-9][0-9]{0,2} [0-9]+$"));
    return form.match(number).hasMatch();
}

} // namespace

ExternalNumber NumberForEntry(const QString& typed, int zeroFlag, const QString& previousNumber,
                              const QString& ownCountryCode, const QString& ownAreaCode) {
    const QString number = typed.trimmed();
    if ((!number.isEmpty() && number == previousNumber.trimmed()) || IsPhoneBookForm(number)) {
        ExternalNumber kept;
        kept.Number = number;
        kept.ZeroPrefix = zeroFlag;
        return kept;
    }
    if (isTwoGroupsOfDigits(number)) {
        const ExternalNumber international =
            NormaliseExternalNumber(u'+' + number, ownCountryCode, ownAreaCode);
        if (international.ok())
            return international;
    }
    return NormaliseExternalNumber(number, ownCountryCode, ownAreaCode);
}

} // namespace tarvok
