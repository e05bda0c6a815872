// Cutting a value out of a large page: GetMemo on a 1 MB page whose markers sit near its end,
// set beside the two plain searches it is made of.

#include <benchmark/benchmark.h>

#include <QString>

#include "shared/text_helpers.h"

namespace {

const QString kStart = QStringLiteral("找到相关网页");
const QString kEnd = QStringLiteral("篇");

// About a million characters of page text, the markers in its last kilobyte.
const QString& LargePage() {
    static const QString page = [] {
        const QString filler = QStringLiteral(
            "<div class=\"result\"><a href=\"/link?url=abc\">"
            "优化 seo 关键词</a> 百度快照 </div>\n");
        QString text;
        while (text.size() < 1'000'000) text += filler;
        text += QStringLiteral("<span>百度为您") + kStart + QStringLiteral("约1,230") + kEnd +
                QStringLiteral("</span>") + QString(500, u' ');
        return text;
    }();
    return page;
}

void BM_GetMemo(benchmark::State& state) {
    const QString& page = LargePage();
    for (auto _ : state) benchmark::DoNotOptimize(GetMemo(page, kStart, kEnd));
}
BENCHMARK(BM_GetMemo)->Unit(benchmark::kMicrosecond);

void BM_TwoIndexOf(benchmark::State& state) {
    const QString& page = LargePage();
    for (auto _ : state) {
        const qsizetype start = page.indexOf(kStart);
        const qsizetype from = start + kStart.size();
        const qsizetype stop = page.indexOf(kEnd, from);
        benchmark::DoNotOptimize(start);
        benchmark::DoNotOptimize(stop);
    }
}
BENCHMARK(BM_TwoIndexOf)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
