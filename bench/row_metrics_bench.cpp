// The program's cost per keyword of the row metrics as a user meets it: a regular mining run of
// one seed in the program's mining window, shown (offscreen) in the maximised main window, all
// three metric boxes ticked (volume, count, save) and no request gap, every page answered at
// once by the loopback web. The seed and its 100 candidates each get their volume lookup, their
// results page (about 60 KB as served) and their record, on a db.db that holds 10,000 and
// 1,000,000 keywords, indexed as the program's open indexes it; the records a run adds are taken
// out again after it, outside the timing. Set beside it: the same pages fetched bare, each
// decoded and its values read by the plainest means, with the same look-ups and one durable
// commit per row through the sqlite3 C API on a copy of the same db.db. Goal: at most 1.3x in
// wall time at both sizes, measured side by side. The ratio of the CPU time the process spent
// (the loopback web's serving included, alike for both) is printed for information: both sides
// wait on the same durable commits, which the wall time holds and the CPU time does not.

#include <benchmark/benchmark.h>

#include <QScrollBar>
#include <QSet>
#include <QUrl>

#include "bare_fetch.h"
#include "fakeweb/fake_web.h"
#include "keyword_database.h"
#include "metrics/fixture_pages.h"
#include "plain_keyword_work.h"
#include "qt_benchmark_app.h"
#include "served_sources.h"
#include "shared/shared_connection.h"
#include "shell/database_bootstrap.h"
#include "shown_program.h"
#include "support/event_counter.h"

namespace {

constexpr int kCandidates = 100;
const QString kSeed = QStringLiteral("减肥");

struct World {
    World() : served(served_sources::Serve(web, kSeed, kCandidates)) {
        web.Serve(
            metrics_testing::kShareHost, QStringLiteral("/index/lookup"),
            fakeweb::Page::Text(QStringLiteral("35-120")).ContentType("application/octet-stream"));
        关键词挖掘& mining = program.Mining();
        for (platform::CheckBox* box : {mining.Check7, mining.Check8, mining.Check11})
            box->SetValue(1);
        mining.txtbaiduse->SetText(QStringLiteral("0"));
        mining.Text2->SetText(kSeed);
        window = &mining;
        paints.Watch(mining.ListView1, "frame");
        paints.Watch(mining.ListView1->viewport(), "list");
        paints.Watch(mining.ListView1->verticalScrollBar(), "scroll bars");
        paints.Watch(mining.ListView1->horizontalScrollBar(), "scroll bars");
        paints.Watch(program.main->StatusBar1, "status bar");
        for (int panel = 1; panel <= program.main->StatusBar1->Count(); ++panel)
            paints.Watch(program.main->Panel(panel), "status bar");
    }

    // The db.db of `rows` keywords open on the shared connection as the program opens it, the
    // lists empty and the run ready to mine the seed again.
    void Use(int rows) {
        stored = rows;
        const QString path = keyword_database::SharedFiles().Path(rows);
        if (SharedConnection().ConnectionString() != path) {
            ForgetSharedConnection();
            SharedConnection().Open(path);
            IndexKeywordLookups(SharedConnection());
        }
        if (!plain || plainRows != rows) {
            plain.reset();
            plain = std::make_unique<plain_keyword_work::Store>(
                keyword_database::SharedFiles().Path(rows, QStringLiteral("plain")));
            plainRows = rows;
        }
    }
    void ReadyRun() {
        window->ListView1->Rows().Clear();
        window->ListView17.Clear();
        mining::MiningRunState& state = program.fields.mining.RegularRun;
        state.LastMinedKeyword.clear();
        state.SourceDone.fill(false);
        ShownProgram::Settle();
        paints.Reset();
    }
    // The records a run added taken out again.
    void Restore() {
        SharedConnection().Execute(QStringLiteral("delete from keywords where id > ?"), {stored});
        plain->KeepFirst(stored);
    }

    // What one run asks and stores, for the baseline to do alike: every address in order and
    // the keywords it saved.
    void Record() {
        ReadyRun();
        web.ClearRequests();
        window->Command2_Click();
        addresses = web.RequestedUrls();
        keywords.clear();
        for (int row = 1; row <= window->ListView1->Count(); ++row)
            keywords << window->ListView1->Rows().Text(row);
        Restore();
    }

    ShownProgram program;
    testing_support::EventCounter paints{QEvent::Paint};
    fakeweb::FakeWeb web;
    served_sources::Served served;
    关键词挖掘* window = nullptr;
    std::unique_ptr<plain_keyword_work::Store> plain;
    int plainRows = 0;
    int stored = 0;
    QStringList addresses;
    QStringList keywords;
};

World* world = nullptr;

void Keywords(benchmark::State& state) {
    state.counters["per_keyword"] = benchmark::Counter(
        double(world->keywords.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ShownRowMetrics(benchmark::State& state) {
    World& w = *world;
    w.Use(static_cast<int>(state.range(0)));
    if (w.addresses.isEmpty()) w.Record();
    for (auto _ : state) {
        state.PauseTiming();
        w.ReadyRun();
        state.ResumeTiming();
        w.window->Command2_Click();
        state.PauseTiming();
        if (w.window->ListView1->Count() != w.keywords.size())
            state.SkipWithError("the run listed other rows");
        // How often a run had its list and status bar drawn, the drawing at its end included.
        ShownProgram::Settle();
        for (const char* name : {"list", "scroll bars", "frame", "status bar"})
            state.counters[std::string(name) + " paints"] = w.paints.Count(name);
        w.Restore();
        state.ResumeTiming();
    }
    Keywords(state);
}
BENCHMARK(BM_ShownRowMetrics)
    ->Apply(keyword_database::AtShownSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(3);

// The same pages fetched bare in the same order, each decoded as its charset says and its
// values read; each keyword then looked up twice (today's record, any record) and stored with
// one commit.
void BM_PlainRowMetrics(benchmark::State& state) {
    World& w = *world;
    w.Use(static_cast<int>(state.range(0)));
    if (w.addresses.isEmpty()) w.Record();
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    for (auto _ : state) {
        plain_keyword_work::Volumes volumes;
        QString count;
        qsizetype found = 0;
        QSet<QString> scanned;
        for (const QString& address : w.addresses) {
            const QByteArray body = BareGet(address);
            const QUrl url(address);
            if (url.host() == metrics_testing::kShareHost) {
                volumes = plain_keyword_work::LookupVolumes(body);
                continue;
            }
            const QString place = url.host() + url.path();
            const QString page = w.served.charsets.value(place) == QStringLiteral("utf-8")
                                     ? QString::fromUtf8(body)
                                     : plain_keyword_work::DecodeGbk(body);
            // A source's first page is the seed's: each candidate is found in it in turn.
            if (!scanned.contains(place)) {
                scanned.insert(place);
                for (const QString& keyword : w.served.keywords) found += page.contains(keyword);
            }
            if (url.host() == metrics_testing::kBaiduHost)
                count = plain_keyword_work::ResultsCount(page);
        }
        benchmark::DoNotOptimize(found);
        for (const QString& keyword : w.keywords) {
            benchmark::DoNotOptimize(w.plain->HasRecordOf(keyword, today));
            if (!w.plain->HasRecord(keyword))
                w.plain->Insert(keyword, kSeed, volumes, count, today);
        }
        state.PauseTiming();
        w.plain->KeepFirst(w.stored);
        state.ResumeTiming();
    }
    Keywords(state);
}
BENCHMARK(BM_PlainRowMetrics)
    ->Apply(keyword_database::AtShownSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    World theWorld;
    world = &theWorld;
    std::vector<side_by_side::Goal> goals = keyword_database::AtSizes(
        keyword_database::kShownSizes, "row metrics per keyword, window shown",
        "BM_ShownRowMetrics", "BM_PlainRowMetrics", 1.3, "per_keyword");
    for (const int rows : keyword_database::kShownSizes) {
        const std::string size = "/" + std::to_string(rows);
        goals.push_back(side_by_side::Information(
            "row metrics, CPU time, " + side_by_side::Grouped(rows) + " stored",
            "BM_ShownRowMetrics" + size, "BM_PlainRowMetrics" + size, "cpu"));
    }
    const int result = app.Run(goals);
    world = nullptr;
    return result;
}
