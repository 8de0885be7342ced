#include "CarrierTexts.h"

#include <QStringList>

namespace tarvok {

namespace {

// A never-winning row in a long table can be taken by many rows; the first few say enough.
constexpr size_t kRowsNamed = 3;

QString TwoDigits(int hour) {
    return QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
}

QString WhyNoCarrier(const DialExplanation& dial, const ProviderTable& table) {
    if (!dial.providerChosen)
        return QStringLiteral("Landeskennzahl nicht 49");
    if (dial.call.winner < 0)
        return QStringLiteral("keine Zeile passt");
    return RowLabel(table, dial.call.winner) + QStringLiteral(" ohne Netz");
}

bool HasCarrier(const DialExplanation& dial) {
    return dial.providerChosen && dial.call.winner >= 0 && !dial.call.networkCode.isEmpty();
}

QString NoFitText(const TableFinding& f) {
    QStringList why;
    if (f.unknownDay)
        why << QStringLiteral("unbekannter Tag");
    if (f.noHour)
        why << QStringLiteral("„ab“ liegt nicht vor „bis“");
    if (f.noDistance)
        why << QStringLiteral("leere Weite");
    return QStringLiteral(" passt zu keinem Anruf: ") + why.join(QStringLiteral(", "));
}

QString TakenByText(const TableFinding& f, const ProviderTable& table) {
    QStringList rows;
    for (size_t i = 0; i < f.takenBy.size() && i < kRowsNamed; ++i)
        rows << RowLabel(table, f.takenBy[i]);
    QString text = QStringLiteral(" kommt nie zum Zug: jeder passende Anruf geht an ") +
                   rows.join(QStringLiteral(", "));
    if (f.takenBy.size() > kRowsNamed)
        text += QStringLiteral(" und %1 weitere").arg(f.takenBy.size() - kRowsNamed);
    return text;
}

QString GapText(const TableFinding& f) {
    QString days = DayShortName(f.firstDay);
    if (f.lastDay != f.firstDay)
        days += QLatin1Char('-') + DayShortName(f.lastDay);
    return QStringLiteral("Lücke: %1 %2-%3 Uhr, %4 ohne Anbieter")
        .arg(days, TwoDigits(f.startHour), TwoDigits(f.endHour), DistanceName(f.distance));
}

} // namespace

QString DistanceName(int distance) {
    switch (distance) {
    case 1:
        return QStringLiteral("Nah");
    case 2:
        return QStringLiteral("Fern");
    case 3:
        return QStringLiteral("Ausland");
    }
    return {};
}

QString DayShortName(int weekday) {
    static const char* const kNames[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return weekday >= 1 && weekday <= 7 ? QLatin1String(kNames[weekday - 1]) : QString();
}

QString DayLongName(int weekday) {
    static const char16_t* const kNames[] = {u"Montag",  u"Dienstag", u"Mittwoch", u"Donnerstag",
                                             u"Freitag", u"Samstag",  u"Sonntag"};
    return weekday >= 1 && weekday <= 7 ? QString::fromUtf16(kNames[weekday - 1]) : QString();
}

QString CarrierName(const ProviderRow& row) {
    return row[ColName] + QStringLiteral(" (") + row[ColNetz] + QLatin1Char(')');
}

QString RowLabel(const ProviderTable& table, int row) {
    return QStringLiteral("Zeile %1 (%2)").arg(row + 1).arg(table.row(row)[ColName]);
}

QString MissText(RowMiss miss) {
    switch (miss) {
    case RowMiss::Distance:
        return QStringLiteral("Weite passt nicht");
    case RowMiss::Day:
        return QStringLiteral("Tag passt nicht");
    case RowMiss::Hour:
        return QStringLiteral("Uhrzeit passt nicht");
    }
    return {};
}

QString CarrierLine(const DialExplanation& dial, const ProviderTable& table) {
    if (!HasCarrier(dial))
        return QStringLiteral("ohne Anbieter");
    return QStringLiteral("über ") + CarrierName(table.row(dial.call.winner));
}

QString CarrierPreviewText(const DialExplanation& dial, const ProviderTable& table) {
    const QString distance = DistanceName(dial.plan.DistanceClass);
    if (HasCarrier(dial))
        return QStringLiteral("jetzt: ") + distance + QLatin1Char(' ') + CarrierLine(dial, table);
    return QStringLiteral("jetzt: ") + distance + QStringLiteral(", ohne Anbieter (") +
           WhyNoCarrier(dial, table) + QLatin1Char(')');
}

QString RefusedPreviewText() {
    return QStringLiteral("jetzt: keine Anwahl (ungültiges Zeichen in der Nummer)");
}

QString FindingText(const TableFinding& finding, const ProviderTable& table) {
    switch (finding.kind) {
    case TableFinding::Kind::FitsNothing:
        return RowLabel(table, finding.row) + NoFitText(finding);
    case TableFinding::Kind::NeverWins:
        return RowLabel(table, finding.row) + TakenByText(finding, table);
    case TableFinding::Kind::EmptyNetworkWins:
        return RowLabel(table, finding.row) +
               QStringLiteral(" hat kein Netz: Anrufe über sie gehen ohne Anbieter hinaus");
    case TableFinding::Kind::Gap:
        return GapText(finding);
    }
    return {};
}

} // namespace tarvok
