#include "ProviderTableChanges.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

using namespace tarvok;

namespace {

ProviderRecord row(const char* name, const char* code, int start = 0, int end = 24) {
    return {QString::fromUtf8(name), QString::fromLatin1(code), 1, 1, start, end, 1, 1, 1};
}

ProviderTable tableOf(const std::vector<ProviderRecord>& rows) {
    ProviderTable table;
    table.AddProviderRows(rows);
    return table;
}

struct Case {
    const char* what;
    std::vector<ProviderRecord> before;
    std::vector<ProviderRecord> after;
    ProviderTableChanges expected;
};

class CompareProviderTablesTest : public ::testing::TestWithParam<Case> {};

TEST_P(CompareProviderTablesTest, CountsByNetworkCodeAndName) {
    const Case& c = GetParam();
    EXPECT_EQ(CompareProviderTables(tableOf(c.before), tableOf(c.after)), c.expected) << c.what;
}

// A tariff table often names one carrier in several rows (day and night); those must not
// count as changed when they came back as they were.
INSTANTIATE_TEST_SUITE_P(
    Cases, CompareProviderTablesTest,
    ::testing::Values(
        Case{"the same table",
             {row("A", "010"), row("B", "020")},
             {row("B", "020"), row("A", "010")},
             {0, 0, 0}},
        Case{"all replaced", {row("A", "010")}, {row("B", "020"), row("C", "030")}, {2, 0, 1}},
        Case{"other hours", {row("A", "010", 8, 18)}, {row("A", "010", 9, 18)}, {0, 1, 0}},
        Case{"same name, other code", {row("A", "010")}, {row("A", "011")}, {1, 0, 1}},
        Case{"one of two slots changed",
             {row("A", "010", 0, 8), row("A", "010", 8, 24)},
             {row("A", "010", 8, 24), row("A", "010", 0, 9)},
             {0, 1, 0}},
        Case{"added to the old rows, one repeated",
             {row("A", "010")},
             {row("A", "010"), row("A", "010"), row("B", "020")},
             {2, 0, 0}},
        Case{"emptied", {row("A", "010"), row("A", "010")}, {}, {0, 0, 2}},
        Case{"from nothing", {}, {row("A", "010")}, {1, 0, 0}}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
