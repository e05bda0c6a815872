// The processor time the program uses while a page is late: one fetch answered after three
// seconds, its CPU time as a share of the wall time. A fetch that waits in the event loop
// stays near zero; a spinning wait would be near one.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <ctime>

#include "fakeweb/fake_web.h"
#include "qt_benchmark_app.h"
#include "shared/cxhtml.h"

namespace {

using namespace std::chrono_literals;

// Processor time of the whole process (every thread), in seconds.
double ProcessSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void BM_LateFetchCpuShare(benchmark::State& state) {
    fakeweb::FakeWeb web;
    web.Serve(QStringLiteral("www.late.cn"), QStringLiteral("/"),
              fakeweb::Page::Text(QStringLiteral("迟到的页面"), QStringLiteral("gbk")).After(3s));
    double share = 0;
    for (auto _ : state) {
        CXHtml html;
        html.url(QStringLiteral("www.late.cn/"));
        html.Char(QStringLiteral("gb2312"));
        const double cpu = ProcessSeconds();
        const double wall = WallSeconds();
        const QString text = html.GetSrc();
        share = (ProcessSeconds() - cpu) / (WallSeconds() - wall);
        if (text != QStringLiteral("迟到的页面")) state.SkipWithError("wrong page");
    }
    state.counters["cpu_share"] = share;
}
BENCHMARK(BM_LateFetchCpuShare)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    return app.Run();
}
