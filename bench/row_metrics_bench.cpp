// The program's own cost per keyword of the row metrics: every lookup answered at once by the
// loopback web, request gap 0, all three option boxes ticked, on a db.db that holds 40,
// 10,000, 100,000 and 1,000,000 keywords, indexed as the program's open indexes it. Each new
// keyword is stored; the rows added are taken out again every few hundred keywords, outside
// the timing, so that the table keeps its size. Set beside it: the bare fetches of the same
// pages on the plain network access manager, and the program's steps one by one (its fetcher
// on the same pages, the stored-row query and the save), to show where the time goes. Goal:
// at most 1.3x the bare fetches at every size, measured side by side.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "bare_fetch.h"
#include "fakeweb/fake_web.h"
#include "keyword_database.h"
#include "metrics/baidu_guard.h"
#include "metrics/keyword_table.h"
#include "metrics/row_metrics.h"
#include "metrics/share_service.h"
#include "metrics/test_host.h"
#include "qt_benchmark_app.h"
#include "shared/cxhtml.h"
#include "shared/shared_connection.h"
#include "shared/url_encoding.h"
#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"

namespace {

using metrics::Pane;
using metrics_testing::TestMiningWindow;

// A results page of a realistic size (about 60 KB) with the count markers.
QString ResultsPage() {
    QString page = QStringLiteral(
        "<html><head><meta charset=gb2312><title>百度搜索</title></head>"
        "<body>百度一下，找到相关网页约1,230篇");
    for (int i = 0; i < 600; ++i)
        page += QStringLiteral("<div class=\"result\"><h3>减肥茶的结果%1</h3>…摘要…</div>").arg(i);
    return page + QStringLiteral("</body></html>");
}

const QByteArray kPlainBytes = "application/octet-stream";

struct World {
    World() {
        folder.AddFreshDatabase();
        // Served as plain bytes: the loopback server would otherwise compress every answer
        // with brotli, which costs it more than the whole fetch.
        web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
                  fakeweb::Page::Text(QStringLiteral("35-120")).ContentType(kPlainBytes));
        web.Serve(
            QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
            fakeweb::Page::Text(ResultsPage(), QStringLiteral("gbk")).ContentType(kPlainBytes));
        window.interval = QStringLiteral("0");
        window.seed = QStringLiteral("减肥");
    }
    testing_support::TemporaryProgramFolder folder;
    fakeweb::FakeWeb web;
    TestMiningWindow window;
    int next = 0;

    // The db.db of `rows` keywords open on the shared connection, indexed as the program's
    // open indexes it.
    void Use(int rows) {
        stored = rows;
        const QString path = keyword_database::SharedFiles().Path(rows);
        if (SharedConnection().ConnectionString() == path) return;
        ForgetSharedConnection();
        SharedConnection().Open(path);
        IndexKeywordLookups(SharedConnection());
    }

    // A keyword not stored yet. The keywords stored since the table held its own are taken out
    // every few hundred keywords, outside the timing: the table keeps its size.
    QString NextKeyword(benchmark::State& state) {
        if (++next % 256 == 0) {
            state.PauseTiming();
            SharedConnection().Execute(QStringLiteral("delete from keywords where id > ?"),
                                       {stored});
            state.ResumeTiming();
        }
        return QStringLiteral("减肥茶%1").arg(next);
    }

    int stored = 0;
};

World* world = nullptr;

World& TheWorld() {
    return *world;
}

QString LookupAddress(const QString& keyword) {
    return QStringLiteral("http://share.tarnwick.com/index/lookup?kw=") + UrlEncodeUtf8(keyword);
}

void BM_RowMetrics(benchmark::State& state) {
    World& world = TheWorld();
    world.Use(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QString keyword = world.NextKeyword(state);
        const int row = world.window.AddRow(Pane::Regular, keyword);
        metrics::FillRowMetrics(world.window, Pane::Regular, keyword,
                                {metrics::RowHandle(&world.window.ListView1, row),
                                 metrics::LastRow(&world.window.ListView17)});
    }
    world.window.ListView1.Clear();
    world.window.ListView17.Clear();
}
BENCHMARK(BM_RowMetrics)
    ->Apply(keyword_database::AtEveryStoredSize)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

// The same three GETs (the lookup twice, as the charset sniff asks first, then the results
// page) on the bare network access manager, bodies read, nothing decoded.
void BM_BareFetches(benchmark::State& state) {
    World& world = TheWorld();
    world.Use(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QString keyword = world.NextKeyword(state);
        BareGet(LookupAddress(keyword));
        BareGet(LookupAddress(keyword));
        BareGet(metrics::BaiduSearchAddress(keyword));
    }
}
BENCHMARK(BM_BareFetches)
    ->Apply(keyword_database::AtEveryStoredSize)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

// The program's fetcher on the same pages, as the row metrics use it (decoded text).
void BM_FetcherSteps(benchmark::State& state) {
    World& world = TheWorld();
    world.Use(keyword_database::kStoredSizes[0]);
    for (auto _ : state) {
        const QString keyword = world.NextKeyword(state);
        CXHtml fetcher;
        benchmark::DoNotOptimize(metrics::ShareLookup(fetcher, keyword));
        fetcher.url(metrics::BaiduSearchAddress(keyword));
        fetcher.Char(QStringLiteral("gb2312"));
        benchmark::DoNotOptimize(metrics::BaiduCount(fetcher.GetSrc()));
    }
}
BENCHMARK(BM_FetcherSteps)->Unit(benchmark::kMicrosecond)->MinTime(1);

// The database steps of one keyword: the query for today's row and the save of a new row.
void BM_TableSteps(benchmark::State& state) {
    World& world = TheWorld();
    world.Use(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QString keyword = world.NextKeyword(state);
        benchmark::DoNotOptimize(metrics::ReadTodaysRow(keyword));
        metrics::SaveKeywordRow(
            world.window, Pane::Regular,
            {keyword, QStringLiteral("120"), QStringLiteral("35"), QStringLiteral("1230")});
    }
}
BENCHMARK(BM_TableSteps)
    ->Arg(keyword_database::kStoredSizes[0])
    ->Arg(keyword_database::kStoredSizes[3])
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    World theWorld;
    world = &theWorld;
    std::vector<side_by_side::Goal> goals = keyword_database::AtEveryStoredSize(
        "row metrics of one keyword, wall time", "BM_RowMetrics", "BM_BareFetches", 1.3);
    for (const side_by_side::Goal& goal : keyword_database::AtEveryStoredSize(
             "row metrics of one keyword, CPU time", "BM_RowMetrics", "BM_BareFetches", 1.3, "cpu"))
        goals.push_back(goal);
    return app.Run(goals, 5);
}
