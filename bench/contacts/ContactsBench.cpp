// The import preview of a 10 000-card vCard file (read, normalise, duplicate check) into an
// empty and into a full list, and one keystroke of the search over 4 x 32767 entries.
#include "ContactFile.h"
#include "ImportPlan.h"
#include "PhoneBookSearch.h"

#include "../BenchNames.h"

#include <benchmark/benchmark.h>

using namespace tarvok;

namespace {

QString surname(int i) {
    return QString::fromUtf8(kBenchSurnames[(i * 7) % 16]) + QString::number(i * 7919 % 100000);
}
QString firstName(int i) {
    return QString::fromUtf8(kBenchFirstNames[(i * 3) % 7]);
}

// A mail program's export: every third card with a second (mobile) number.
QByteArray vCardFile(int cards) {
    QString text;
    for (int i = 0; i < cards; ++i) {
        text += QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%2 %1\r\n")
                    .arg(surname(i), firstName(i));
        text += QStringLiteral("TEL;TYPE=WORK:+49 %1 %2\r\n").arg(30 + i % 60).arg(1000000 + i);
        if (i % 3 == 0)
            text += QStringLiteral("TEL;TYPE=CELL:0170 %1\r\n").arg(2000000 + i);
        text += QStringLiteral("END:VCARD\r\n");
    }
    return text.toUtf8();
}

PhoneList fullList() {
    PhoneList list;
    for (int i = 0; i < PhoneList::kMaxLines; ++i)
        list.appendUnsorted({surname(i + 50000) + QStringLiteral(", ") + firstName(i),
                             QStringLiteral("49 %1 %2").arg(30 + i % 60).arg(3000000 + i), 1});
    list.sortStable();
    return list;
}

void importPreview(benchmark::State& state, const PhoneList& target) {
    const QByteArray file = vCardFile(10000);
    const ImportRules rules = StandardImportRules(QStringLiteral("49"), QStringLiteral("89"));
    for (auto _ : state) {
        const ContactFileContent content = ReadContactBytes(file);
        const ImportPlan plan = BuildImportPlan(content.numbers, target, rules);
        benchmark::DoNotOptimize(plan.newCount);
    }
}

// The reading alone, without normalisation and duplicate check.
void BM_ReadVCardFile(benchmark::State& state) {
    const QByteArray file = vCardFile(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadContactBytes(file).numbers.size());
}
BENCHMARK(BM_ReadVCardFile)->Unit(benchmark::kMillisecond);

void BM_ImportPreviewIntoEmptyList(benchmark::State& state) {
    importPreview(state, PhoneList());
}
BENCHMARK(BM_ImportPreviewIntoEmptyList)->Unit(benchmark::kMillisecond);

void BM_ImportPreviewAgainstFullList(benchmark::State& state) {
    importPreview(state, fullList());
}
BENCHMARK(BM_ImportPreviewAgainstFullList)->Unit(benchmark::kMillisecond);

// The worst keystroke: a query that does not narrow the last one scans all four lists.
void BM_SearchKeystroke(benchmark::State& state) {
    PhoneBook book;
    for (auto& list : book.lists)
        list = fullList();
    PhoneBookSearch search(book);
    bool flip = false;
    for (auto _ : state) {
        search.setQuery(flip ? QStringLiteral("mül") : QStringLiteral("30 3"));
        flip = !flip;
        benchmark::DoNotOptimize(search.hits().size());
    }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
