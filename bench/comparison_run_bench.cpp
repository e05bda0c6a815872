// The keyword comparison's own cost per keyword: every page answered at once by the loopback
// web (the data-sharing service's volume and the first Baidu results page), no gap between
// requests. Set beside it: the bare fetches of the same two pages by the page fetcher, and the
// results page's analysis alone.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QFile>

#include "fakeweb/fake_web.h"
#include "platform/charset.h"
#include "qt_benchmark_app.h"
#include "research_tools/comparison_page.h"
#include "research_tools/comparison_run.h"
#include "research_tools/test_pages.h"
#include "shared/busy_indicator.h"
#include "shared/cxhtml.h"
#include "support/program_folder_fixture.h"

namespace {

constexpr int kKeywords = 50;

QByteArray ResultsPageBytes() {
    QFile file(QStringLiteral(TARNWICK_SOURCE_DIR "/tests/research_tools/pages/baidu_compare.htm"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Keywords() {
    QStringList keywords;
    for (int i = 0; i < kKeywords; ++i) keywords << QStringLiteral("减肥茶%1").arg(i);
    return keywords.join(u'#');
}

// A whole comparison of kKeywords keywords; the time per keyword is the reported time divided
// by kKeywords.
void BM_ComparisonRun(benchmark::State& state) {
    for (auto _ : state) {
        research_testing::TestComparisonPage page;
        page.Text8 = Keywords();
        research::ComparisonClick(page);
        if (!page.list.Bold(kKeywords)) state.SkipWithError("the run did not finish");
    }
}
BENCHMARK(BM_ComparisonRun)->Iterations(10)->Repetitions(3)->Unit(benchmark::kMillisecond);

// The same pages fetched bare: the volume and the results page for each of kKeywords keywords.
void BM_BareFetches(benchmark::State& state) {
    for (auto _ : state) {
        CXHtml html;
        html.Char(QStringLiteral("gb2312"));
        for (int i = 0; i < kKeywords; ++i) {
            html.url(QStringLiteral("http://share.tarnwick.com/index/lookup?kw=%1").arg(i));
            const bool volume = !html.GetSrc().isEmpty();
            html.url(QStringLiteral("http://www.baidu.com/s?wd=%1").arg(i));
            if (!volume || html.GetSrc().isEmpty()) state.SkipWithError("no page");
        }
    }
}
BENCHMARK(BM_BareFetches)->Iterations(10)->Repetitions(3)->Unit(benchmark::kMillisecond);

void BM_AnalyseResultsPage(benchmark::State& state) {
    const QString page = platform::BytesToText(ResultsPageBytes(), QStringLiteral("gb2312"));
    const QDate today(2026, 12, 10);
    for (auto _ : state) {
        if (research::AnalyseResultPage(page, today).paid != 3) state.SkipWithError("wrong parse");
    }
}
BENCHMARK(BM_AnalyseResultsPage)->Iterations(1000)->Repetitions(3)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    testing_support::TemporaryProgramFolder folder;
    BusyIndicator::Set(BusyIndicator::kReady);
    fakeweb::FakeWeb web;
    web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
              QStringLiteral("35-120"));
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              fakeweb::Page::Bytes(ResultsPageBytes()));
    return app.Run();
}
