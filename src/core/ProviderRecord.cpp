#include "ProviderRecord.h"

#include "PhoneEntry.h"

#include <algorithm>

namespace tarvok {

int DayCode(int moFr, int saSo) {
    return (saSo * 2) | moFr;
}

QString DayText(int dayCode) {
    switch (dayCode) {
    case 1:
        return QStringLiteral("Mo-Fr");
    case 2:
        return QStringLiteral("Sa-So");
    case 3:
        return QStringLiteral("Immer");
    default:
        return {};
    }
}

QString HourText(int hour) {
    // Shared texts for the usual hours: a loaded table then holds no copies of them.
    static const std::array<QString, 100> texts = [] {
        std::array<QString, 100> made;
        for (int h = 0; h < 100; ++h)
            made[size_t(h)] = QString::number(h + 100).right(2) + u'h';
        return made;
    }();
    if (hour >= 0 && hour < 100)
        return texts[size_t(hour)];
    return (u'0' + QString::number(hour) + u'h').right(3);
}

QString DistanceText(int nearFlag, int farFlag, int abroadFlag) {
    static const std::array<QString, 8> texts = {
        QString(),           QStringLiteral("A"),  QStringLiteral("F"),  QStringLiteral("FA"),
        QStringLiteral("N"), QStringLiteral("NA"), QStringLiteral("NF"), QStringLiteral("NFA")};
    return texts[size_t((nearFlag != 0) * 4 + (farFlag != 0) * 2 + (abroadFlag != 0))];
}

QString HourRangeText(int startHour, int endHour) {
    return QString::number(startHour + 100).right(2) + QStringLiteral("h - ") +
           QString::number(endHour + 100).right(2) + u'h';
}

int LeadingNumber(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        value = std::min(value * 10 + (text[pos].unicode() - u'0'), 1LL << 31);
        ++pos;
    }
    value = negative ? -value : value;
    return int(std::clamp(value, -32768LL, 32767LL));
}

ProviderRow ProviderRowFrom(const ProviderRecord& record) {
    // The file has no escape for double quotes, so none may enter a row.
    ProviderRow row;
    row[ColName] = QuotesReplaced(record.Name.trimmed());
    row[ColNetz] = QuotesReplaced(record.NetworkCode.trimmed());
    row[ColTag] = DayText(DayCode(record.MoFr, record.SaSo));
    row[ColAb] = HourText(record.StartHour);
    row[ColBis] = HourText(record.EndHour);
    row[ColWeite] = DistanceText(record.Near, record.Far, record.Abroad);
    return row;
}

ProviderRecord ProviderRecordFrom(const ProviderRow& row) {
    const QString& day = row[ColTag];
    const QString& distance = row[ColWeite];
    ProviderRecord record;
    record.Name = row[ColName];
    record.NetworkCode = row[ColNetz];
    record.MoFr = (day == u"Mo-Fr" || day == u"Immer") ? 1 : 0;
    record.SaSo = (day == u"Sa-So" || day == u"Immer") ? 1 : 0;
    record.StartHour = LeadingNumber(row[ColAb]);
    record.EndHour = LeadingNumber(row[ColBis]);
    record.Near = distance.contains(u'N') ? 1 : 0;
    record.Far = distance.contains(u'F') ? 1 : 0;
    record.Abroad = distance.contains(u'A') ? 1 : 0;
    return record;
}

} // namespace tarvok
