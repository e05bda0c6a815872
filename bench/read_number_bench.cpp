// Reading numbers out of page text: a figure as pages show it, and a garbled page's long run of
// digits that ends in something else, which must cost no more than a glance.

#include <benchmark/benchmark.h>

#include <QString>

#include "metrics/number_text.h"

namespace {

void BM_ReadFigure(benchmark::State& state) {
    const QString figure = QStringLiteral(" 1,234,567 ");
    for (auto _ : state) benchmark::DoNotOptimize(metrics::ReadNumber(figure));
}
BENCHMARK(BM_ReadFigure);

void BM_ReadDigitRun(benchmark::State& state) {
    const QString run = QString(state.range(0), u'1') + u'x';
    for (auto _ : state) benchmark::DoNotOptimize(metrics::ReadNumber(run));
}
BENCHMARK(BM_ReadDigitRun)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
