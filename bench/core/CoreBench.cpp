// Full-size data: 4 x 32767 phone book entries and 1000 providers.
#include "PhoneFile.h"
#include "ProviderFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QTemporaryDir>

#include "../BenchNames.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <random>

using namespace tarvok;

namespace {

PhoneEntry generatedEntry(int i) {
    const QString name = QString::fromUtf8(kBenchSurnames[(i * 7) % 16]) + QStringLiteral(", ") +
                         QString::fromUtf8(kBenchFirstNames[(i * 3) % 7]) + u' ' +
                         QString::number(i * 7919 % 100000);
    const QString number = QStringLiteral("49 %1 %2 %3")
                               .arg(30 + i % 70)
                               .arg(i % 1000, 3, 10, QChar(u'0'))
                               .arg(i * 31 % 10000, 4, 10, QChar(u'0'));
    return {name, number, i % 2};
}

PhoneBook fullBook() {
    PhoneBook book;
    for (size_t list = 0; list < 4; ++list) {
        for (int i = 0; i < PhoneList::kMaxLines; ++i)
            book.lists[list].appendUnsorted(generatedEntry(i + int(list) * 40000));
        book.lists[list].sortStable();
    }
    return book;
}

ProviderTable providerTable(int rows) {
    std::vector<ProviderRecord> records;
    for (int i = 0; i < rows; ++i)
        records.push_back({QStringLiteral("Anbieter %1 Übersee").arg(i * 37 % rows),
                           QStringLiteral("010%1").arg(i % 100), i % 2, 1, i % 24, 24, 1,
                           i % 3 == 0, 1});
    ProviderTable table;
    table.AddProviderRows(records);
    return table;
}

struct Folder {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
};

// Opens Brisel.DAT of `dir` into the four sorted lists, once per iteration.
void readRepeatedly(benchmark::State& state, const QString& dir) {
    for (auto _ : state) {
        PhoneBook read;
        const auto opening = OpenPhoneFile(dir, read);
        if (opening.outcome != PhoneFileOpening::Outcome::Read || read.lists[3].count() != 32767)
            state.SkipWithError("not read");
    }
}

void BM_ReadFullPhoneBook(benchmark::State& state) {
    Folder folder;
    PhoneBook book = fullBook();
    SavePhoneFile(folder.path(), book, nullptr);
    readRepeatedly(state, folder.path());
}
BENCHMARK(BM_ReadFullPhoneBook)->Unit(benchmark::kMillisecond);

// A file whose lines are not in this program's order (written by another sorter or by
// hand): every list is sorted from scratch.
void BM_ReadFullPhoneBookUnsorted(benchmark::State& state) {
    Folder folder;
    PhoneBook book = fullBook();
    QList<QByteArray> lines = PhoneFileBytes(book).split('\n');
    std::shuffle(lines.begin() + 3, lines.end() - 1, std::mt19937(7));
    QFile file(folder.path() + QStringLiteral("/Brisel.DAT"));
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.join('\n')) < 0 || !file.flush())
        state.SkipWithError("not written");
    file.close();
    readRepeatedly(state, folder.path());
}
BENCHMARK(BM_ReadFullPhoneBookUnsorted)->Unit(benchmark::kMillisecond);

void BM_WriteFullPhoneBook(benchmark::State& state) {
    Folder folder;
    PhoneBook book = fullBook();
    for (auto _ : state) {
        if (!SavePhoneFile(folder.path(), book, nullptr))
            state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_WriteFullPhoneBook)->Unit(benchmark::kMillisecond);

// The save without the disk: building the bytes alone.
void BM_FullPhoneBookBytes(benchmark::State& state) {
    PhoneBook book = fullBook();
    for (auto _ : state)
        benchmark::DoNotOptimize(PhoneFileBytes(book));
}
BENCHMARK(BM_FullPhoneBookBytes)->Unit(benchmark::kMillisecond);

void BM_AddToFullSizeList(benchmark::State& state) {
    PhoneBook book = fullBook();
    PhoneList& list = book.lists[0];
    list.removeAt(list.count() / 2);
    int i = 0;
    for (auto _ : state) {
        const auto row = list.insert(generatedEntry(100000 + i++ % 5000));
        state.PauseTiming();
        list.removeAt(*row);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddToFullSizeList)->Unit(benchmark::kMicrosecond);

// Heap taken by a loaded full phone book, as a counter in MB.
void BM_FullPhoneBookMemory(benchmark::State& state) {
    Folder folder;
    {
        PhoneBook book = fullBook();
        SavePhoneFile(folder.path(), book, nullptr);
    }
    double megabytes = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        PhoneBook read;
        OpenPhoneFile(folder.path(), read);
        const size_t after = mallinfo2().uordblks;
        megabytes = double(after - before) / (1024.0 * 1024.0);
    }
    state.counters["MB"] = megabytes;
}
BENCHMARK(BM_FullPhoneBookMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadProviderFile1000(benchmark::State& state) {
    Folder folder;
    SaveProviderFile(folder.path(), providerTable(1000), nullptr);
    for (auto _ : state) {
        ProviderTable table;
        if (!LoadProviderFile(folder.path(), table, nullptr) || table.rowCount() != 1000)
            state.SkipWithError("not loaded");
    }
}
BENCHMARK(BM_LoadProviderFile1000)->Unit(benchmark::kMicrosecond);

void BM_ImportProviders10000(benchmark::State& state) {
    std::vector<ProviderRecord> records;
    for (int i = 0; i < 10000; ++i)
        records.push_back({QStringLiteral("Tarif %1").arg(i % 900), QString::number(1000 + i), 1, 1,
                           0, 24, 1, 1, 1});
    for (auto _ : state) {
        ProviderTable table = providerTable(1000);
        table.AddProviderRows(records);
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(BM_ImportProviders10000)->Unit(benchmark::kMillisecond);

} // namespace
