#include "CallExplanation.h"
#include "BestProvider.h"
#include "PhoneEntry.h"
#include "WeekWinners.h"

#include <gtest/gtest.h>

#include <random>

namespace tarvok {
namespace {

// Rows written as the list shows them; texts the list cannot show ("Montag", "nfa") come out
// as the empty texts a damaged file or an update leaves.
ProviderTable TableOfTexts(const std::vector<ProviderRow>& rows) {
    ProviderTable table;
    for (const ProviderRow& row : rows)
        table.AddProviderRow(ProviderRecordFrom(row));
    return table;
}

ProviderTable RandomTable(unsigned seed, int rowCount) {
    static const char* const kTags[] = {"Mo-Fr", "Sa-So", "Immer", "", "immer"};
    static const char* const kWeiten[] = {"NFA", "N", "F", "A", "NF", "FA", "NA", ""};
    std::mt19937 random(seed);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    ProviderTable table;
    for (int i = 0; i < rowCount; ++i) {
        ProviderRecord r;
        r.Name = QStringLiteral("R%1").arg(i);
        r.NetworkCode = pick(10) == 0 ? QString() : QStringLiteral("010%1").arg(10 + pick(80));
        const ProviderRecord flags =
            ProviderRecordFrom({QString(), QString(), QLatin1String(kTags[pick(5)]), QString(),
                                QString(), QLatin1String(kWeiten[pick(8)])});
        r.MoFr = flags.MoFr;
        r.SaSo = flags.SaSo;
        r.Near = flags.Near;
        r.Far = flags.Far;
        r.Abroad = flags.Abroad;
        r.StartHour = pick(25);
        r.EndHour = pick(25);
        table.AddProviderRow(r);
    }
    // Some orders other than by name, as a header click gives them.
    table.setSort(int(seed % ProviderColumnCount),
                  seed % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
    return table;
}

// Every weekday x hour x distance: the explanation, the week grid and BestProvider agree,
// and every row above the winner really fails the test the explanation names.
TEST(CallExplanation, AgreesWithBestProviderOverWholeWeeks) {
    std::vector<std::pair<const char*, ProviderTable>> tables = {
        {"empty", ProviderTable()},
        {"worked example", TableOfTexts({{"Alpha", "01011", "Mo-Fr", "08h", "18h", "NF"},
                                         {"Beta", "01022", "Immer", "18h", "24h", "NFA"},
                                         {"Gamma", "01033", "Sa-So", "00h", "24h", "A"},
                                         {"Night", "01044", "Immer", "18h", "08h", "NFA"}})},
        {"odd texts", TableOfTexts({{"A", "1", "Immer", "00h", "24h", "nfa"},
                                    {"B", "2", "Montag", "00h", "24h", "NFA"},
                                    {"C", "", "Sa-So", "09h", "10h", "F"},
                                    {"D", "4", "Immer", "23h", "24h", "A"}})},
    };
    for (unsigned seed = 1; seed <= 6; ++seed)
        tables.emplace_back("random", RandomTable(seed, 60));

    for (const auto& [what, table] : tables) {
        const WeekWinners winners(table);
        for (int distance = 1; distance <= 3; ++distance)
            for (int weekday = 1; weekday <= 7; ++weekday)
                for (int hour = 0; hour < 24; ++hour) {
                    SCOPED_TRACE(testing::Message()
                                 << what << " d" << distance << " w" << weekday << " h" << hour);
                    const CallExplanation e = ExplainCall(table, weekday, hour, distance);
                    EXPECT_EQ(e.networkCode, BestProvider(table, weekday, hour, distance));
                    EXPECT_EQ(e.winner, winners.at(distance, weekday, hour));
                    const int above = e.winner < 0 ? table.rowCount() : e.winner;
                    ASSERT_EQ(int(e.misses.size()), above);
                    for (int row = 0; row < above; ++row) {
                        // The row alone, with a code to tell a fit from none: no fit.
                        ProviderRecord record = table.record(row);
                        record.NetworkCode = QStringLiteral("X");
                        ProviderTable alone;
                        alone.AddProviderRow(record);
                        EXPECT_TRUE(BestProvider(alone, weekday, hour, distance).isEmpty());
                    }
                }
    }
}

TEST(CallExplanation, NamesTheFirstFailedTestOfEachRowAbove) {
    const ProviderTable table = TableOfTexts({{"A far only", "1", "Mo-Fr", "00h", "08h", "F"},
                                              {"B weekend", "2", "Sa-So", "00h", "24h", "N"},
                                              {"C evening", "3", "Immer", "18h", "24h", "N"},
                                              {"D day", "4", "Immer", "08h", "18h", "NF"},
                                              {"E late", "5", "Immer", "00h", "24h", "N"}});
    // Monday 10:00, near: A fails distance first even though its hours fail too.
    const CallExplanation e = ExplainCall(table, 1, 10, 1);
    EXPECT_EQ(e.winner, 3);
    EXPECT_EQ(e.networkCode, QStringLiteral("4"));
    EXPECT_EQ(e.misses, (std::vector<RowMiss>{RowMiss::Distance, RowMiss::Day, RowMiss::Hour}));
}

// With the own country code 49 the carrier explained is the one in the dial string; with
// another one the table is not asked.
TEST(CallExplanation, ExplainsTheDialOfAnEntry) {
    const ProviderTable table = TableOfTexts({{"Alpha", "01011", "Immer", "00h", "24h", "F"}});
    Settings settings;
    settings.DialMethod = 0;
    settings.CountryCode = QStringLiteral("49");
    settings.AreaCode = QStringLiteral("89");
    settings.InternationalPrefix = QStringLiteral("00");
    const QString farLine = EntryLine({QStringLiteral("X"), QStringLiteral("49 30 7654321"), 1});

    DialExplanation e = ExplainDial(farLine, settings, table, 3, 12);
    EXPECT_TRUE(e.providerChosen);
    EXPECT_EQ(e.plan.DistanceClass, Far);
    EXPECT_EQ(e.call.winner, 0);
    EXPECT_EQ(e.plan.CompleteDialString, QStringLiteral("ATDT01011030 7654321;H0\r"));

    settings.CountryCode = QStringLiteral("41");
    e = ExplainDial(farLine, settings, table, 3, 12);
    EXPECT_FALSE(e.providerChosen);
    EXPECT_EQ(e.plan.DistanceClass, Abroad);
    EXPECT_EQ(e.plan.CompleteDialString, QStringLiteral("ATDT0049 30 7654321;H0\r"));
}

} // namespace
} // namespace tarvok
