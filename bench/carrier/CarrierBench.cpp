// Goals: the checker with the three week charts over 10 000 rows under 100 ms together;
// the status bar preview for one selection under 1 ms.
#include "CallExplanation.h"
#include "CarrierTexts.h"
#include "PhoneEntry.h"
#include "ProviderTableCheck.h"
#include "TableFindingsModel.h"
#include "WeekChartModel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace tarvok;

namespace {

// A table as a large update brings it: many carriers, mixed days, windows and distances;
// without far calls when `far` is false.
ProviderTable LargeTable(int rows, bool far = true) {
    static const int kDayCodes[] = {1, 2, 3};
    std::mt19937 random(7);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    std::vector<ProviderRecord> records;
    records.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i) {
        const int dayCode = kDayCodes[pick(3)];
        const int start = pick(24);
        records.push_back({QStringLiteral("Anbieter %1").arg(i, 5, 10, QLatin1Char('0')),
                           QStringLiteral("010%1").arg(10 + pick(90)), dayCode & 1, dayCode >> 1,
                           start, start + 1 + pick(24 - start), pick(2), far ? pick(2) : 0, 1});
    }
    ProviderTable table;
    table.AddProviderRows(records);
    table.setSort(ColBis, Qt::AscendingOrder);
    return table;
}

Settings BenchSettings() {
    Settings settings;
    settings.CountryCode = QStringLiteral("49");
    settings.AreaCode = QStringLiteral("89");
    settings.InternationalPrefix = QStringLiteral("00");
    return settings;
}

void BM_CheckerAndThreeCharts(benchmark::State& state) {
    const ProviderTable table = LargeTable(int(state.range(0)));
    for (auto _ : state) {
        const WeekWinners winners(table);
        // The findings list puts into words the lines it shows.
        const TableFindingsModel findings(table, CheckProviderTable(table, winners));
        int length = 0;
        for (int row = 0; row < std::min(30, findings.rowCount()); ++row)
            length += findings.index(row).data().toString().size();
        WeekChartModel chart(table, winners);
        for (int distance = 1; distance <= 3; ++distance) {
            chart.setDistance(distance);
            length += int(chart.legend().size());
            for (int day = 0; day < 7; ++day)
                for (int hour = 0; hour < 24; ++hour) {
                    const QModelIndex cell = chart.index(day, hour);
                    length += chart.data(cell, Qt::DisplayRole).toString().size();
                    benchmark::DoNotOptimize(chart.data(cell, Qt::BackgroundRole));
                }
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_CheckerAndThreeCharts)->Arg(10000)->Unit(benchmark::kMillisecond);

// One selection change: the dial of the entry with the winner of the week worked out at
// the last change of the table, put into words. `range(1)` 0: a far call that rows serve;
// 1: a table with no row for far calls.
void BM_StatusPreview(benchmark::State& state) {
    const ProviderTable table = LargeTable(int(state.range(0)), state.range(1) == 0);
    const WeekWinners winners(table);
    const Settings settings = BenchSettings();
    const QString line =
        EntryLine({QStringLiteral("Zander, Udo"), QStringLiteral("49 30 7946"), 1});
    for (auto _ : state) {
        const DialExplanation dial = PreviewDial(line, settings, table, winners, 3, 14);
        benchmark::DoNotOptimize(CarrierPreviewText(dial, table));
    }
}
BENCHMARK(BM_StatusPreview)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);

// The week worked out again after a change of the table (once per change, not per
// selection), and the full explanation the dial window and --explain use.
void BM_AfterTableChange(benchmark::State& state) {
    const ProviderTable table = LargeTable(int(state.range(0)), state.range(1) == 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(WeekWinners(table).at(2, 3, 14));
}
BENCHMARK(BM_AfterTableChange)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);

void BM_ExplainDial(benchmark::State& state) {
    const ProviderTable table = LargeTable(int(state.range(0)), state.range(1) == 0);
    const Settings settings = BenchSettings();
    const QString line =
        EntryLine({QStringLiteral("Zander, Udo"), QStringLiteral("49 30 7946"), 1});
    for (auto _ : state)
        benchmark::DoNotOptimize(ExplainDial(line, settings, table, 3, 14));
}
BENCHMARK(BM_ExplainDial)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
