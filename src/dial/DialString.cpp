#include "DialString.h"

#include "PhoneEntry.h"

namespace tarvok {

namespace {

// Only blanks go; any other character the user typed stays in the number.
QString WithoutLeadingBlanks(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    return text.mid(i).toString();
}

// The own country code is stored as a decimal number; a hand-edited value that is not
// one never selects a provider.
bool IsCountry49(const QString& countryCode) {
    bool ok = false;
    const int value = countryCode.trimmed().toInt(&ok, 10);
    return ok && value == 49;
}

} // namespace

DialPlan PrepareDial(QStringView entryLine, const Settings& settings, int weekday, int hour,
                     const ProviderLookup& bestProvider) {
    DialPlan plan;
    plan.Name = EntryName(entryLine);
    QString number = EntryNumber(entryLine);
    const QLatin1Char method(settings.DialMethod != 0 ? 'P' : 'T');
    QString prefix;

    const QString& country = settings.CountryCode;
    const QString& area = settings.AreaCode;
    if (!country.isEmpty() && number.startsWith(country)) {
        number = WithoutLeadingBlanks(QStringView(number).mid(country.size()));
        if (!area.isEmpty() && number.startsWith(area)) {
            number = WithoutLeadingBlanks(QStringView(number).mid(area.size()));
            plan.DistanceClass = Near;
        } else {
            if (EntryZeroFlag(entryLine) != 0)
                number.prepend(QLatin1Char('0'));
            plan.DistanceClass = Far;
        }
    } else {
        prefix = settings.InternationalPrefix;
        plan.DistanceClass = Abroad;
    }

    if (IsCountry49(country) && bestProvider)
        prefix.prepend(bestProvider(weekday, hour, plan.DistanceClass));

    QString suffix;
    if (settings.HandOverEnabled != 0 && settings.DialMethod == 0)
        suffix = QLatin1String(";DP1T") + settings.HandOverNumber;

    plan.CompleteDialString = QLatin1String("AT") + settings.ExtraModemCommands + QLatin1Char('D') +
                              method + settings.OutsideLinePrefix + prefix + number + suffix +
                              QLatin1String(";H0\r");
    if (plan.DistanceClass == Abroad)
        number.prepend(QLatin1Char('+'));
    plan.DisplayNumber = number;
    return plan;
}

} // namespace tarvok
