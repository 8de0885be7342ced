#include "BestProvider.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvok {
namespace {

struct Row {
    const char* name;
    const char* netz;
    int moFr, saSo, start, end, nearFlag, farFlag, abroadFlag;
};

ProviderTable TableOf(const std::vector<Row>& rows) {
    ProviderTable table; // sorted by name, so the names give the display order
    for (const Row& r : rows)
        table.AddProviderRow({QString::fromUtf8(r.name), QString::fromUtf8(r.netz), r.moFr, r.saSo,
                              r.start, r.end, r.nearFlag, r.farFlag, r.abroadFlag});
    return table;
}

struct Case {
    const char* what;
    std::vector<Row> rows;
    int weekday, hour, distance;
    const char* expected;
};

TEST(BestProvider, TableOfCalls) {
    const Row workday{"A", "01011", 1, 0, 8, 18, 1, 1, 1};
    const Row weekend{"A", "01022", 0, 1, 0, 24, 1, 1, 1};
    const Row always{"A", "01033", 1, 1, 0, 24, 1, 1, 1};
    const std::vector<Case> cases = {
        {"empty table", {}, 1, 12, 1, ""},
        {"window start is inclusive", {workday}, 1, 8, 1, "01011"},
        {"last hour inside the window", {workday}, 5, 17, 2, "01011"},
        {"window end is exclusive", {workday}, 1, 18, 1, ""},
        {"hour before the window", {workday}, 1, 7, 1, ""},
        {"Mo-Fr row on Saturday", {workday}, 6, 12, 1, ""},
        {"Mo-Fr row on Sunday", {workday}, 7, 12, 1, ""},
        {"Sa-So row on Friday", {weekend}, 5, 12, 1, ""},
        {"Sa-So row on Saturday", {weekend}, 6, 12, 1, "01022"},
        {"Sa-So row on Sunday", {weekend}, 7, 12, 3, "01022"},
        {"Immer row on Monday", {always}, 1, 0, 1, "01033"},
        {"Immer row on Sunday", {always}, 7, 23, 3, "01033"},
        {"bis 24h covers hour 23", {{"A", "1", 1, 1, 20, 24, 1, 1, 1}}, 3, 23, 1, "1"},
        {"night window across midnight fits no hour",
         {{"A", "1", 1, 1, 18, 8, 1, 1, 1}},
         3,
         20,
         1,
         ""},
        {"same night hour in the early row", {{"A", "1", 1, 1, 18, 8, 1, 1, 1}}, 3, 3, 1, ""},
        {"empty window fits nothing", {{"A", "1", 1, 1, 9, 9, 1, 1, 1}}, 3, 9, 1, ""},
        {"no day at all", {{"A", "1", 0, 0, 0, 24, 1, 1, 1}}, 3, 9, 1, ""},
        {"empty Weite fits no call", {{"A", "1", 1, 1, 0, 24, 0, 0, 0}}, 3, 9, 2, ""},
        {"N only, near call", {{"A", "1", 1, 1, 0, 24, 1, 0, 0}}, 3, 9, 1, "1"},
        {"N only, far call", {{"A", "1", 1, 1, 0, 24, 1, 0, 0}}, 3, 9, 2, ""},
        {"FA, far call", {{"A", "1", 1, 1, 0, 24, 0, 1, 1}}, 3, 9, 2, "1"},
        {"FA, near call", {{"A", "1", 1, 1, 0, 24, 0, 1, 1}}, 3, 9, 1, ""},
        {"NA, abroad call", {{"A", "1", 1, 1, 0, 24, 1, 0, 1}}, 3, 9, 3, "1"},
        {"NA, far call", {{"A", "1", 1, 1, 0, 24, 1, 0, 1}}, 3, 9, 2, ""},
        {"distance outside 1 to 3", {always}, 3, 9, 4, ""},
        {"distance 0", {always}, 3, 9, 0, ""},
        {"first of two fitting rows wins",
         {{"B", "02", 1, 1, 0, 24, 1, 1, 1}, {"A", "01", 1, 1, 0, 24, 1, 1, 1}},
         3,
         9,
         1,
         "01"},
        {"a row that does not fit is passed over",
         {{"A", "01", 1, 0, 0, 24, 1, 1, 1}, {"B", "02", 0, 1, 0, 24, 1, 1, 1}},
         6,
         9,
         1,
         "02"},
        {"fitting row with empty Netz wins and yields empty",
         {{"A", "", 1, 1, 0, 24, 1, 1, 1}, {"B", "02", 1, 1, 0, 24, 1, 1, 1}},
         3,
         9,
         1,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BestProvider(TableOf(c.rows), c.weekday, c.hour, c.distance),
                  QString::fromUtf8(c.expected));
    }
}

TEST(BestProvider, EveryHourOfTheDayAgainstOneWindow) {
    const ProviderTable table = TableOf({{"A", "7", 1, 1, 8, 18, 1, 1, 1}});
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        EXPECT_EQ(BestProvider(table, 2, hour, 1).isEmpty(), hour < 8 || hour >= 18);
    }
}

TEST(BestProvider, SortingTheTableChangesTheWinner) {
    ProviderTable table = TableOf({{"A", "02", 1, 1, 0, 24, 1, 1, 1},   // Netz 02 under A
                                   {"B", "01", 1, 1, 0, 24, 1, 1, 1}}); // Netz 01 under B
    EXPECT_EQ(BestProvider(table, 1, 12, 1), "02");
    table.setSort(ColName, Qt::DescendingOrder);
    EXPECT_EQ(BestProvider(table, 1, 12, 1), "01");
    table.setSort(ColNetz, Qt::AscendingOrder);
    EXPECT_EQ(BestProvider(table, 1, 12, 1), "01");
}

} // namespace
} // namespace tarvok
