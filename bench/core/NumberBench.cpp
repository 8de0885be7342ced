// Reading a number handed in from outside; the hand-over of a tel: link pays this once.
#include "ExternalNumber.h"

#include <QString>

#include <benchmark/benchmark.h>

using namespace tarvok;

namespace {

void normalise(benchmark::State& state, const QString& text) {
    for (auto _ : state) {
        const ExternalNumber number =
            NormaliseExternalNumber(text, QStringLiteral("49"), QStringLiteral("711"));
        benchmark::DoNotOptimize(number.Number.data());
    }
}

void BM_NormaliseTelLink(benchmark::State& state) {
    normalise(state, QStringLiteral("tel:+49-30-1234567;ext=12"));
}
BENCHMARK(BM_NormaliseTelLink)->Unit(benchmark::kMicrosecond);

void BM_NormaliseNationalNumber(benchmark::State& state) {
    normalise(state, QStringLiteral("0711 1234-56"));
}
BENCHMARK(BM_NormaliseNationalNumber)->Unit(benchmark::kMicrosecond);

void BM_RefuseLetters(benchmark::State& state) {
    normalise(state, QStringLiteral("callto:hans.mueller"));
}
BENCHMARK(BM_RefuseLetters)->Unit(benchmark::kMicrosecond);

} // namespace
