// A rank query of 20 sites x 20 keywords x 7 engines at depth 10 (one results page a lookup),
// every page answered at once by the loopback web: the run's own time per lookup (the lookup,
// the result rows and the day's record in ranks) against a bare fetch of the same pages, and
// the ranks records checked afterwards (one per keyword, site, engine and day).

#include <benchmark/benchmark.h>

#include <QDir>

#include "fakeweb/fake_web.h"
#include "lookups/engine_rules.h"
#include "platform/database.h"
#include "qt_benchmark_app.h"
#include "shared/cxhtml.h"
#include "shared/shared_connection.h"
#include "shared/url_encoding.h"
#include "support/program_folder_fixture.h"
#include "tools_window/rank_run.h"

namespace {

constexpr int kSites = 20;
constexpr int kKeywords = 20;

class Options final : public lookups::RankLookupOptions {
  public:
    bool ExactSiteMatch() const override { return false; }
    bool CountPaidListings() const override { return false; }
    QString PaidListingMarker() const override { return QStringLiteral(">来百度推广"); }
};

RankRunPlan Plan() {
    RankRunPlan plan;
    for (int i = 1; i <= kSites; ++i) plan.sites << QStringLiteral("www.site%1.com").arg(i);
    for (int i = 1; i <= kKeywords; ++i) plan.keywords << QStringLiteral("减肥方法%1").arg(i);
    for (const RankEngineInfo& engine : RankEngines()) plan.engines << &engine;
    plan.pages = 1;
    plan.depthText = QStringLiteral("10");
    return plan;
}

// Ten results of sites 1 to 10, in the markers each engine's page is cut by.
void ServeResultPages(fakeweb::FakeWeb& web) {
    QString baidu = QStringLiteral(
        "<table><tr><td><a href=\"http://www.baidu.com/\"><font size=\"3\">百度</font></a>"
        "</td></tr></table>");
    QString google, sogou, soso, bing;
    QString youdao = QStringLiteral("<ul id=\"results\">");
    QString yahoo;
    for (int i = 1; i <= 10; ++i) {
        const QString link = QStringLiteral("http://www.site%1.com/a.html").arg(i);
        baidu += QStringLiteral(
                     "<table class=\"result\"><tr><td><a href=\"%1\">r</a></td></tr>"
                     "</table>")
                     .arg(link);
        google += QStringLiteral("<h3 class=\"r\"><a href=\"%1\">%1</a></h3>").arg(link);
        sogou += QStringLiteral("<h3 class=\"ff\" ><a href=\"%1\">%1</a></h3>").arg(link);
        soso += QStringLiteral("<li><h3><a href=\"%1\">%1</a></h3></li>").arg(link);
        youdao += QStringLiteral("<li><a href=\"%1\">r</a></li>").arg(link);
        bing +=
            QStringLiteral("<div class=\"sb_tlst\"><h3><a href=\"%1\">%1</a></h3></div>").arg(link);
        yahoo += QStringLiteral(
                     "<h3>%1</h3><a onclick=\"c({})\" href=\"%1\">r</a> "
                     "<em><a href=\"#\">快照</a></em>")
                     .arg(link);
    }
    baidu += QStringLiteral("<a href=\"/s?pn=10\">下一页</a>");
    youdao += QStringLiteral("</ul>");
    const struct {
        lookups::RankEngine engine;
        QString page;
    } pages[] = {{lookups::RankEngine::Baidu, baidu}, {lookups::RankEngine::Google, google},
                 {lookups::RankEngine::Yahoo, yahoo}, {lookups::RankEngine::Sogou, sogou},
                 {lookups::RankEngine::Soso, soso},   {lookups::RankEngine::Youdao, youdao},
                 {lookups::RankEngine::Bing, bing}};
    for (const auto& [engine, page] : pages) {
        const lookups::RankEngineRule& rule = lookups::RuleOf(engine);
        const QString host = rule.base.mid(QStringLiteral("http://").size());
        const QString path = rule.pagePath.section(u'?', 0, 0);
        web.Serve(host, path, page,
                  rule.charset == u"utf-8" ? QStringLiteral("utf-8") : QStringLiteral("gbk"));
    }
}

void BM_RankRun(benchmark::State& state) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    platform::Connection db;
    if (!db.Open(DatabasePath())) state.SkipWithError("no db.db");
    const RankRunPlan plan = Plan();
    Options options;
    int lookups = 0;
    for (auto _ : state) {
        platform::RowTable results;
        const RankRunOutcome outcome = RunRankQuery(plan, options, results, db);
        lookups += outcome.lookups;
        if (outcome.failedLookups + outcome.failedSaves > 0) state.SkipWithError("a lookup failed");
    }
    const std::optional<platform::Recordset> records = db.Query(QStringLiteral(
        "select count(*), count(distinct se || '|' || kws || '|' || urls || '|' || addtime) "
        "from ranks"));
    const int expected = kSites * kKeywords * int(RankEngines().size());
    if (!records || records->Field(0).toInt() != expected || records->Field(1).toInt() != expected)
        state.SkipWithError("ranks does not hold one record per keyword, site, engine and day");
    state.counters["per_lookup"] =
        benchmark::Counter(lookups, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RankRun)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();

void BM_BareFetches(benchmark::State& state) {
    const RankRunPlan plan = Plan();
    int fetches = 0;
    for (auto _ : state) {
        for (int site = 0; site < kSites; ++site) {
            for (const QString& keyword : plan.keywords) {
                for (const RankEngineInfo* engine : plan.engines) {
                    const lookups::RankEngineRule& rule = lookups::RuleOf(engine->engine);
                    CXHtml html;
                    html.url(lookups::PageAddress(rule, rule.encode(keyword), 0));
                    html.Char(rule.charset);
                    html.TryTime(15);
                    if (html.GetSrc().isEmpty()) state.SkipWithError("no page");
                    ++fetches;
                }
            }
        }
    }
    state.counters["per_lookup"] =
        benchmark::Counter(fetches, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BareFetches)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    fakeweb::FakeWeb web;
    ServeResultPages(web);
    return app.Run();
}
