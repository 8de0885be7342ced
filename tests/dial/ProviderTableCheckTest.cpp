#include "ProviderTableCheck.h"

#include <gtest/gtest.h>

namespace tarvok {
namespace {

using Kind = TableFinding::Kind;

ProviderTable TableOf(const std::vector<ProviderRow>& rows) {
    ProviderTable table; // sorted by name: the names give the order
    for (const ProviderRow& row : rows)
        table.AddProviderRow(ProviderRecordFrom(row));
    return table;
}

TableFinding RowFinding(Kind kind, int row, std::vector<int> takenBy = {}) {
    TableFinding f;
    f.kind = kind;
    f.row = row;
    f.takenBy = std::move(takenBy);
    return f;
}

TableFinding NoFit(int row, bool noHour, bool noDistance, bool unknownDay) {
    TableFinding f = RowFinding(Kind::FitsNothing, row);
    f.noHour = noHour;
    f.noDistance = noDistance;
    f.unknownDay = unknownDay;
    return f;
}

TableFinding Gap(int distance, int firstDay, int lastDay, int startHour, int endHour) {
    TableFinding f;
    f.distance = distance;
    f.firstDay = firstDay;
    f.lastDay = lastDay;
    f.startHour = startHour;
    f.endHour = endHour;
    return f;
}

const ProviderRow kAll{"Z all", "01099", "Immer", "00h", "24h", "NFA"};

struct Case {
    const char* what;
    std::vector<ProviderRow> rows;
    std::vector<TableFinding> expected;
};

TEST(ProviderTableCheck, FindingsOfSmallTables) {
    const std::vector<Case> cases = {
        {"one row for everything: nothing to report", {kAll}, {}},
        {"empty table: every class is one gap",
         {},
         {Gap(1, 1, 7, 0, 24), Gap(2, 1, 7, 0, 24), Gap(3, 1, 7, 0, 24)}},
        {"shadowed row names the row above",
         {{"A all", "01011", "Immer", "00h", "24h", "NFA"},
          {"B day", "01022", "Mo-Fr", "08h", "18h", "N"}},
         {RowFinding(Kind::NeverWins, 1, {0})}},
        {"shadowed by two rows together",
         {{"A early", "1", "Immer", "00h", "12h", "NFA"},
          {"B late", "2", "Immer", "12h", "24h", "NFA"},
          {"C all", "3", "Immer", "00h", "24h", "NFA"}},
         {RowFinding(Kind::NeverWins, 2, {0, 1})}},
        {"a row winning one slot is not shadowed",
         {{"A", "1", "Immer", "00h", "24h", "NF"}, {"B", "2", "Sa-So", "23h", "24h", "NFA"}},
         {Gap(3, 1, 5, 0, 24), Gap(3, 6, 7, 0, 23)}},
        {"night row across midnight fits nothing",
         {{"A night", "1", "Immer", "18h", "08h", "NFA"}, kAll},
         {NoFit(0, true, false, false)}},
        {"empty Weite and unknown Tag",
         {{"A", "1", "Immer", "00h", "24h", ""}, {"B", "2", "", "00h", "24h", "NFA"}, kAll},
         {NoFit(0, false, true, false), NoFit(1, false, false, true)}},
        {"empty Netz that wins",
         {{"A", "", "Mo-Fr", "00h", "24h", "NFA"}, kAll},
         {RowFinding(Kind::EmptyNetworkWins, 0)}},
        {"gaps merged over days with the same hours",
         {{"A", "1", "Mo-Fr", "08h", "24h", "NFA"}, {"B", "2", "Sa-So", "00h", "24h", "NFA"}},
         {Gap(1, 1, 5, 0, 8), Gap(2, 1, 5, 0, 8), Gap(3, 1, 5, 0, 8)}},
        {"two gaps in one day, one class",
         {{"A", "1", "Immer", "08h", "12h", "F"},
          {"B", "2", "Immer", "14h", "24h", "F"},
          {"C", "3", "Immer", "00h", "24h", "NA"}},
         {Gap(2, 1, 7, 0, 8), Gap(2, 1, 7, 12, 14)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProviderTable table = TableOf(c.rows);
        EXPECT_EQ(CheckProviderTable(table, WeekWinners(table)), c.expected);
    }
}

// An update can bring thousands of rows; a row far down that still wins one hour must not
// be reported, and one that wins nothing must be.
TEST(ProviderTableCheck, ExactForThousandsOfRows) {
    ProviderTable table;
    std::vector<ProviderRecord> records;
    for (int i = 0; i < 3000; ++i)
        records.push_back({QStringLiteral("R%1").arg(i, 5, 10, QLatin1Char('0')),
                           QStringLiteral("0101"), 1, 1, i % 23, i % 23 + 1, 1, 1, 1});
    records.push_back({QStringLiteral("S last hour"), QStringLiteral("2"), 1, 1, 23, 24, 1, 1, 1});
    records.push_back({QStringLiteral("T shadowed"), QStringLiteral("3"), 1, 1, 0, 24, 1, 1, 1});
    table.AddProviderRows(records);
    const std::vector<TableFinding> findings = CheckProviderTable(table, WeekWinners(table));
    ASSERT_FALSE(findings.empty());
    const TableFinding& last = findings.back();
    EXPECT_EQ(last.kind, Kind::NeverWins);
    EXPECT_EQ(last.row, 3001);
    ASSERT_EQ(last.takenBy.size(), 24u);
    EXPECT_EQ(last.takenBy.back(), 3000);
    for (const TableFinding& f : findings) {
        EXPECT_NE(f.row, 3000);
        EXPECT_NE(f.kind, Kind::Gap);
    }
}

} // namespace
} // namespace tarvok
