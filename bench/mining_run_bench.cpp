// The program's own cost per candidate of a regular mining run: the eight sources yield 2,000
// candidates in all, every one accepted, the loopback web answering at once, the metric options
// off. The run starts with a number of rows already listed (a resumed run), so that the time
// per candidate at 100 and at 5,000 (and 100,000) rows shows whether the run's work grows with
// the list: once below the window (the run's binding alone), and once in the program as main()
// opens it, its mining window shown as a user has it, so that the shown list's work counts too
// (goal: at most 1.1x the time at 100 rows). Set beside it: the bare fetches of the same eight
// pages.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <memory>

#include "app/program_windows.h"
#include "bare_fetch.h"
#include "fakeweb/fake_web.h"
#include "mining/mining_run.h"
#include "mining/mining_sources.h"
#include "mining/test_binding.h"
#include "mining_window/mining_window.h"
#include "platform/settings_hive.h"
#include "qt_benchmark_app.h"
#include "shared/registry_store.h"
#include "shared/url_encoding.h"
#include "shell/main_window.h"
#include "shell/work_windows.h"
#include "support/fake_browser.h"
#include "support/fake_clock.h"
#include "support/fake_tray.h"
#include "support/program_folder_fixture.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"

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
        ListRows(rows, binding.window.ListView1, binding.window.ListView17, binding.state);
    }
    static void ListRows(int rows, platform::RowTable& shown, platform::RowTable& master,
                         mining::MiningRunState& state) {
        shown.Clear();
        master.Clear();
        for (int i = 0; i < rows; ++i) {
            const QString keyword = QStringLiteral("先前的词%1").arg(i);
            master.Add(keyword, shown.Add(keyword).Key());
        }
        state.LastMinedKeyword = kSeed;
        state.SourceDone.fill(false);
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    testing_support::FakeBrowsers browsers;
    fakeweb::FakeWeb web;
    mining_testing::TestBinding binding;
    QStringList addresses;
};

World* world = nullptr;

// The program as main() opens it on the same loopback web, its mining window opened through
// its menu item and shown in the maximised main window, with the metric options off. The
// day's version check is done, so that the start asks for no page.
struct Program {
    Program() {
        folder.AddFreshDatabase();
        folder.AddHelperPage();
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey,
                             QStringLiteral("updatedt"),
                             clock.Now().date().toString(QStringLiteral("yyyy-MM-dd")));
        QFile tag(folder.FilePath(QStringLiteral("baidutag.txt")));
        tag.open(QIODevice::WriteOnly);
        tag.write("tag\r\n");
        tag.close();
        RegisterProgramWindows(fields);
        main = std::make_unique<MDIfrm>();
        main->MDIForm_Load();
        main->mnuDig->trigger();
        window = dynamic_cast<关键词挖掘*>(LoadedWorkWindow(WorkWindowKind::Mining));
        for (platform::CheckBox* box : {window->Check7, window->Check8, window->Check11})
            box->SetValue(0);
        window->Text2->SetText(kSeed);
    }
    ~Program() {
        for (WorkWindowKind kind :
             {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database})
            UnloadWorkWindow(kind);
    }

    // As World::ListRows, on the window's lists; the shown list laid out and painted anew
    // before the run, as it stands when the user clicks.
    void ListRows(int rows) {
        World::ListRows(rows, window->ListView1->Rows(), window->ListView17,
                        fields.mining.RegularRun);
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    testing_support::FakeTray tray;
    testing_support::FakeBrowsers browsers;
    testing_support::ScriptedPrompts prompts;
    testing_support::RecordingShell shell;
    ProgramFields fields;
    std::unique_ptr<MDIfrm> main;
    关键词挖掘* window = nullptr;
};

Program* program = nullptr;

// Checks that a run listed every candidate after the `listed` rows, and counts its time per
// candidate.
void CountCandidates(benchmark::State& state, const platform::RowTable& list, int listed) {
    if (list.Count() != listed + kCandidates + 1)
        state.SkipWithError("not every candidate was listed");
    state.counters["per_candidate"] = benchmark::Counter(
        kCandidates, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RegularRun(benchmark::State& state) {
    World& w = *world;
    for (auto _ : state) {
        state.PauseTiming();
        w.ListRows(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        mining::RegularMiningClick(w.binding);
    }
    CountCandidates(state, w.binding.window.ListView1, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_RegularRun)
    ->Arg(100)
    ->Arg(5000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ShownWindowRun(benchmark::State& state) {
    Program& p = *program;
    for (auto _ : state) {
        state.PauseTiming();
        p.ListRows(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        p.window->Command2_Click();
    }
    CountCandidates(state, p.window->ListView1->Rows(), static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ShownWindowRun)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The eight pages on the bare network access manager, bodies read, nothing decoded.
void BM_BareFetches(benchmark::State& state) {
    for (auto _ : state)
        for (const QString& address : world->addresses) BareGet(address);
}
BENCHMARK(BM_BareFetches)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    World theWorld;
    world = &theWorld;
    Program theProgram;
    program = &theProgram;
    return app.Run({{"mining run, window shown, per candidate: 100,000 rows vs 100",
                     "BM_ShownWindowRun/100000", "BM_ShownWindowRun/100", 1.1}},
                   5);
}
