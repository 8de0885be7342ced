// The import of a large tariff list: parse, insert, re-sort and save, as one update does.
#include "ProviderFile.h"
#include "ProviderTable.h"
#include "TariffList.h"
#include "TextCodec.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tarvok;

namespace {

// A downloaded list of `rows` providers, windows-1252, semicolon-separated.
QByteArray DownloadedList(int rows) {
    QByteArray list = "Tarvok Pro Provider Update 2026-12\r\n"
                      "Name;Netz;Mo-Fr;Sa-So;ab;bis;Nah;Fern;Ausland;Preis\r\n";
    for (int i = 0; i < rows; ++i) {
        // Names in no particular order, so the sort has work to do.
        const int key = int((i * 7919LL) % rows);
        list += "\"Anbieter " + QByteArray::number(key) +
                " S\xFC"
                "d\";\"010" +
                QByteArray::number(10 + i % 90) + "\";" + (i % 2 ? "x" : "") + ";" +
                (i % 3 ? "x" : "") + ";" + QByteArray::number(i % 24) + ";" +
                QByteArray::number(1 + i % 24) + ";x;;x;1,9 ct\r\n";
    }
    return list;
}

void ImportList(benchmark::State& state) {
    const int rows = int(state.range(0));
    const QByteArray downloaded = DownloadedList(rows);
    QTemporaryDir dir;
    for (auto _ : state) {
        ProviderTable table;
        const TariffImport list =
            ImportTariffList(ConvertTariffText(DecodeWindows1252(downloaded)));
        table.AddProviderRows(list.rows);
        FileError error;
        if (table.rowCount() != rows || !SaveProviderFile(dir.path(), table, &error)) {
            state.SkipWithError("the import or the save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// The same without the save, to tell the work from the wait for the disk.
void ImportListWithoutSave(benchmark::State& state) {
    const int rows = int(state.range(0));
    const QByteArray downloaded = DownloadedList(rows);
    for (auto _ : state) {
        ProviderTable table;
        const TariffImport list =
            ImportTariffList(ConvertTariffText(DecodeWindows1252(downloaded)));
        table.AddProviderRows(list.rows);
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

} // namespace

// Real time: the save waits for the disk, and the user waits with it.
BENCHMARK(ImportList)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ImportListWithoutSave)->Arg(10'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
