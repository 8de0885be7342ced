#include "ExplainCommand.h"

#include "CallExplanation.h"
#include "CarrierTexts.h"
#include "ExternalNumber.h"
#include "FileErrorText.h"
#include "NumberMessages.h"
#include "PhoneEntry.h"
#include "PhoneFile.h"
#include "ProviderFile.h"

#include <QDateTime>
#include <QTextStream>

namespace tarvok {

namespace {

constexpr int kBadInput = 2;
const QString kAtFormat = QStringLiteral("yyyy-MM-dd HH:mm");

QString NumberErrorText(const QString& text, ExternalNumberError error) {
    return QStringLiteral("Die Rufnummer „%1“ kann nicht gelesen werden. ").arg(text) +
           ExternalNumberErrorText(error);
}

// A number of the phone book dials as its entry would, with the entry's "0" flag.
PhoneEntry EntryFor(const PhoneBook& book, const ExternalNumber& number) {
    for (const PhoneList& list : book.lists)
        for (int row = 0; row < list.count(); ++row)
            if (list.at(row).Number == number.Number)
                return list.at(row);
    return {QString(), number.Number, number.ZeroPrefix};
}

QString RowTexts(const ProviderRow& row) {
    QStringList texts(row.begin(), row.end());
    return texts.join(QStringLiteral(" | "));
}

void Report(const DialExplanation& dial, const PhoneEntry& entry, const QDateTime& at,
            const ProviderTable& table, QTextStream& out) {
    QString dialString = dial.plan.CompleteDialString;
    dialString.replace(QLatin1Char('\r'), QStringLiteral("<CR>"));
    if (!entry.Name.isEmpty())
        out << QStringLiteral("Eintrag: ") << entry.Name << '\n';
    out << QStringLiteral("Rufnummer: ") << entry.Number << '\n';
    out << QStringLiteral("Zeitpunkt: ") << DayLongName(at.date().dayOfWeek()) << ", "
        << at.toString(kAtFormat) << '\n';
    out << QStringLiteral("Wählzeichenfolge: ") << dialString << '\n';
    out << QStringLiteral("Weite: ") << DistanceName(dial.plan.DistanceClass) << '\n';
    if (!dial.providerChosen) {
        out << QStringLiteral(
            "Anbieter: keiner (Landeskennzahl nicht 49, die Tabelle wird nicht gefragt)\n");
        return;
    }
    const CallExplanation& call = dial.call;
    if (call.winner >= 0)
        out << QStringLiteral("Anbieter: Zeile ") << call.winner + 1 << ": "
            << RowTexts(table.row(call.winner)) << '\n';
    else
        out << QStringLiteral("Anbieter: keiner (keine Zeile passt)\n");
    for (size_t row = 0; row < call.misses.size(); ++row)
        out << RowLabel(table, int(row)) << ": " << MissText(call.misses[row]) << '\n';
}

} // namespace

int ExplainNumber(const QString& dataDir, const QString& number, const QString& at,
                  QTextStream& out, QTextStream& err) {
    QDateTime when = QDateTime::currentDateTime();
    if (!at.isEmpty()) {
        when = QDateTime::fromString(at.trimmed(), kAtFormat);
        if (!when.isValid()) {
            err << QStringLiteral("Der Zeitpunkt „") << at
                << QStringLiteral("“ kann nicht gelesen werden; erwartet wird ")
                << QStringLiteral("„JJJJ-MM-TT HH:MM“, etwa „2026-03-02 14:30“.\n");
            return kBadInput;
        }
    }
    PhoneBook book;
    ProviderTable table;
    FileError error;
    const PhoneFileLook look = ReadPhoneFileOnly(dataDir, book, &error);
    if (look == PhoneFileLook::Failed || !LoadProviderFile(dataDir, table, &error)) {
        err << FileErrorText(error) << '\n';
        return kBadInput;
    }
    // Written as people write it or in the phone book's form, read in the own country.
    const Settings& settings = book.settings;
    const ExternalNumber read =
        IsPhoneBookForm(number.trimmed())
            ? ExternalNumber{ExternalNumberError::None, number.trimmed(), 1}
            : NormaliseExternalNumber(number, settings.CountryCode, settings.AreaCode);
    if (!read.ok()) {
        err << NumberErrorText(number, read.error) << '\n';
        return kBadInput;
    }
    const PhoneEntry entry = EntryFor(book, read);
    const DialExplanation dial = ExplainDial(EntryLine(entry), book.settings, table,
                                             when.date().dayOfWeek(), when.time().hour());
    // A folder a first start has not seen yet: it would dial with the defaults.
    if (look == PhoneFileLook::Missing)
        out << QStringLiteral(
            "Kein Telefonbuch in diesem Ordner, es gelten die Voreinstellungen.\n");
    Report(dial, entry, when, table, out);
    out.flush();
    return 0;
}

} // namespace tarvok
