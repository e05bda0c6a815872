// The program's own cost per candidate of a regular mining run: the eight sources yield 2,000
// candidates in all, every one accepted, the loopback web answering at once, the metric options
// off. The run starts with a number of rows already listed (a resumed run), so that the time
// per candidate at 100 and at 5,000 (and 100,000) rows shows whether the duplicate test grows
// with the list. Set beside it: the bare fetches of the same eight pages.

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include "fakeweb/fake_web.h"
#include "mining/mining_run.h"
#include "mining/mining_sources.h"
#include "mining/test_binding.h"
#include "platform/http_request.h"
#include "qt_benchmark_app.h"
#include "shared/url_encoding.h"
#include "support/fake_browser.h"
#include "support/fake_clock.h"
#include "support/program_folder_fixture.h"

namespace {

constexpr int kCandidates = 2000;
const QString kSeed = QStringLiteral("减肥");

// `count` distinct keywords of source `number`.
QStringList Keywords(int number, int count) {
    QStringList keywords;
    for (int i = 0; i < count; ++i) keywords << QStringLiteral("减肥%1号词%2").arg(number).arg(i);
    return keywords;
}

// A page of each source carrying its markers around `keywords`.
QString SourcePage(int number, const QStringList& keywords) {
    QString page;
    const auto links = [&keywords](const QString& before, const QString& after) {
        QString text;
        for (const QString& keyword : keywords) text += before + keyword + after;
        return text;
    };
    switch (number) {
        case 1:
            return QStringLiteral("<html>百度一下，找到相关网页约1,230篇<table>") +
                   links(QStringLiteral("<th class=\"f14\"><a href=\"s?wd=x\">"),
                         QStringLiteral("</a></th>")) +
                   QStringLiteral("</table></html>");
        case 2:
            return QStringLiteral("window.baidu.sug({q:\"减肥\",p:false,s:[\"") +
                   keywords.join(QStringLiteral("\",\"")) + QStringLiteral("\"]});");
        case 3:
            return QStringLiteral("window.bdsug.sug({'s':['") +
                   keywords.join(QStringLiteral("','")) + QStringLiteral("']});");
        case 4:
            return QStringLiteral("<table><tbody><tr><th>相关搜索：</th>") +
                   links(QStringLiteral("<td><a href='/search?q=x'>"),
                         QStringLiteral("</a></td>")) +
                   QStringLiteral("</tr></tbody></table>");
        case 5:
            return QStringLiteral("<div></div><!--hint:") + keywords.join(QStringLiteral("#*#")) +
                   QStringLiteral("#*#-->");
        case 6:
            return QStringLiteral("<div><em>减肥</em>的相关搜索</div><table><tr>") +
                   links(QStringLiteral("<td><p><a href=\"/search?q=x\">"),
                         QStringLiteral("</a></p></td>")) +
                   QStringLiteral("</tr></table></div></div>");
        case 7:
            return QStringLiteral("<span>相关搜索</span><ul>") +
                   links(QStringLiteral("<li><a href=\"x\">"), QStringLiteral("</a></li>")) +
                   QStringLiteral("</ul><script>var SearchListPage={};</script>");
        default:
            return QStringLiteral("{result:[") +
                   links(QStringLiteral("['"), QStringLiteral("','12'],")) + QStringLiteral("]]}");
    }
}

struct World {
    World() {
        // Baidu's results page offers ten; the seven other sources share the rest.
        const int share = (kCandidates - 10) / 7;
        for (const mining::MiningSource& source : mining::MiningSources()) {
            const int count = source.number == 1   ? 10
                              : source.number == 8 ? kCandidates - 10 - 6 * share
                                                   : share;
            const QUrl address(mining::SourceAddress(source, UrlEncodeGbk(kSeed)));
            const QString charset =
                source.charset == QStringLiteral("utf-8") ? source.charset : QStringLiteral("gbk");
            // Plain bytes: the loopback server would otherwise compress every answer.
            web.Serve(address.host(), address.path(QUrl::FullyEncoded),
                      fakeweb::Page::Text(SourcePage(source.number, Keywords(source.number, count)),
                                          charset)
                          .ContentType("application/octet-stream"));
            addresses << mining::SourceAddress(source, source.charset == QStringLiteral("utf-8")
                                                           ? UrlEncodeUtf8(kSeed)
                                                           : UrlEncodeGbk(kSeed));
        }
        binding.window.seed = kSeed;
    }

    // The result lists as a paused run of the seed left them, with `rows` rows.
    void ListRows(int rows) {
        binding.window.ListView1.Clear();
        binding.window.ListView17.Clear();
        for (int i = 0; i < rows; ++i) {
            const QString keyword = QStringLiteral("先前的词%1").arg(i);
            binding.window.ListView17.Add(keyword, binding.window.ListView1.Add(keyword).Key());
        }
        binding.state.LastMinedKeyword = kSeed;
        binding.state.SourceDone.fill(false);
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    testing_support::FakeBrowsers browsers;
    fakeweb::FakeWeb web;
    mining_testing::TestBinding binding;
    QStringList addresses;
};

World* world = nullptr;

void BM_RegularRun(benchmark::State& state) {
    World& w = *world;
    for (auto _ : state) {
        state.PauseTiming();
        w.ListRows(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        mining::RegularMiningClick(w.binding);
    }
    if (w.binding.window.ListView1.Count() != state.range(0) + kCandidates + 1)
        state.SkipWithError("not every candidate was listed");
    state.counters["per_candidate"] = benchmark::Counter(
        kCandidates, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RegularRun)
    ->Arg(100)
    ->Arg(5000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The eight pages on the bare network access manager, bodies read, nothing decoded.
void BM_BareFetches(benchmark::State& state) {
    QNetworkAccessManager& network = platform::SharedNetwork();
    for (auto _ : state) {
        for (const QString& address : world->addresses) {
            QNetworkReply* reply = network.get(QNetworkRequest(QUrl(address)));
            QEventLoop loop;
            QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
            loop.exec();
            benchmark::DoNotOptimize(reply->readAll());
            reply->deleteLater();
        }
    }
}
BENCHMARK(BM_BareFetches)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    World theWorld;
    world = &theWorld;
    return app.Run();
}
