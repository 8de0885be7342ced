#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace tarvok {

// One call-by-call carrier as the editor, the file and the update hand it over.
struct ProviderRecord {
    QString Name;
    QString NetworkCode;
    int MoFr = 0;
    int SaSo = 0;
    int StartHour = 0; // inclusive
    int EndHour = 0;   // exclusive
    int Near = 0;
    int Far = 0;
    int Abroad = 0;

    friend bool operator==(const ProviderRecord&, const ProviderRecord&) = default;
};

// The six column texts of a row; they, not the record, are what the table holds.
enum ProviderColumn { ColName, ColNetz, ColTag, ColAb, ColBis, ColWeite, ProviderColumnCount };
using ProviderRow = std::array<QString, ProviderColumnCount>;

ProviderRow ProviderRowFrom(const ProviderRecord& record);
ProviderRecord ProviderRecordFrom(const ProviderRow& row); // values read back from the texts

int DayCode(int moFr, int saSo); // SaSo * 2 | MoFr
QString DayText(int dayCode);    // "Mo-Fr", "Sa-So", "Immer" or empty
QString HourText(int hour);      // "09h", "24h"
QString DistanceText(int nearFlag, int farFlag, int abroadFlag); // "NFA", "FA", ...
QString HourRangeText(int startHour, int endHour);               // "09h - 18h"

// The numeric value of the text up to the first character that cannot belong to a
// number ("08h" gives 8); 0 when there is none.
int LeadingNumber(QStringView text);

} // namespace tarvok
