// The field escapes on notes made of nothing but escapes, from 256 KB to 4 MB: the time must
// grow with the size, not its square (the complexity line of the report says which). Written
// with QString::replace they took minutes for 4 MB of commas.
#include "services/CFileData.h"

#include <QString>
#include <benchmark/benchmark.h>

namespace {

void BM_EncodeCommasAndLineBreaks(benchmark::State& state) {
    const QString note = QString(QStringLiteral(",\r\n")).repeated(state.range(0) / 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(CFileData::encodeField(note, true));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_EncodeCommasAndLineBreaks)
    ->RangeMultiplier(4)
    ->Range(256 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_DecodeEscapes(benchmark::State& state) {
    const QString field = QString(QStringLiteral("|~|@|{")).repeated(state.range(0) / 6);
    for (auto _ : state)
        benchmark::DoNotOptimize(CFileData::decodeField(field, true));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DecodeEscapes)
    ->RangeMultiplier(4)
    ->Range(256 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
