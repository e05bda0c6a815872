// One Baidu results page of 50 results from the loopback web: the rank lookup scanning it for
// a site it does not hold (so every result is judged), against a bare fetch of the same page
// by the page fetcher, to show what the lookup adds per page; and the page's parse alone.

#include <benchmark/benchmark.h>

#include "fakeweb/fake_web.h"
#include "lookups/rank_lookup.h"
#include "qt_benchmark_app.h"
#include "shared/cxhtml.h"

namespace {

using namespace lookups;

const QString kPageAddress =
    QStringLiteral("http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=%BC%F5%B7%CA&pn=0");

QString FiftyResultsPage() {
    QString page = QStringLiteral(
        "<html><head><meta charset=gb2312><title>百度搜索_减肥</title></head><body>"
        "<table><tr><td><a href=\"http://www.baidu.com/\"><font size=\"3\">百度首页</font></a>"
        "</td></tr></table>\n");
    for (int i = 1; i <= 50; ++i) {
        const bool paid = i % 10 == 1;
        page +=
            QStringLiteral(
                "<table cellpadding=\"0\" cellspacing=\"0\" class=\"result\" id=\"%1\"><tr>"
                "<td class=\"f\"><h3 class=\"t\"><a href=\"http://www.site%1.com/page/%1.html\" "
                "target=\"_blank\">减肥方法第%1种</a></h3><font size=\"-1\">减肥的方法有很多，"
                "坚持运动和合理饮食是关键……<br><span class=\"g\">www.site%1.com/page/%1.html "
                "12K 2010-5-1</span>%2</font></td></tr></table>\n")
                .arg(i)
                .arg(paid ? QStringLiteral(" <a href=\"http://e.baidu.com/\">推广</a>")
                          : QString());
    }
    return page + QStringLiteral(
                      "<p id=\"page\"><a href=\"/s?wd=%BC%F5%B7%CA&amp;pn=10\">下一页</a></p>"
                      "</body></html>");
}

class Options final : public RankLookupOptions {
  public:
    bool ExactSiteMatch() const override { return false; }
    bool CountPaidListings() const override { return true; }
    QString PaidListingMarker() const override { return QStringLiteral(">来百度推广"); }
};

void BM_RankLookupPage(benchmark::State& state) {
    Options options;
    cKeyrank lookup(options);
    lookup.Keyword(QStringLiteral("减肥"));
    lookup.url(QStringLiteral("www.absent-site.com"));
    lookup.maxnum(1);
    for (auto _ : state) {
        if (lookup.GetBaiduRank(0, 0) != 0 || lookup.LastLookupFailed())
            state.SkipWithError("the page was not scanned");
    }
}
BENCHMARK(BM_RankLookupPage)->Iterations(200)->Repetitions(5)->Unit(benchmark::kMicrosecond);

void BM_BareFetchPage(benchmark::State& state) {
    for (auto _ : state) {
        CXHtml html;
        html.url(kPageAddress);
        html.Char(QStringLiteral("gb2312"));
        html.TryTime(15);
        if (html.GetSrc().isEmpty()) state.SkipWithError("no page");
    }
}
BENCHMARK(BM_BareFetchPage)->Iterations(200)->Repetitions(5)->Unit(benchmark::kMicrosecond);

void BM_ParseFiftyResults(benchmark::State& state) {
    const QString page = FiftyResultsPage();
    for (auto _ : state) {
        if (ParseResultPage(RankEngine::Baidu, page, QStringLiteral(">来百度推广"))
                .results.size() != 50)
            state.SkipWithError("wrong parse");
    }
}
BENCHMARK(BM_ParseFiftyResults)->Iterations(1000)->Repetitions(5)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    fakeweb::FakeWeb web;
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"), FiftyResultsPage(),
              QStringLiteral("gbk"));
    return app.Run();
}
