// The program's own cost per candidate of a regular mining run: the eight sources yield 2,000
// candidates in all, every one accepted, the loopback web answering at once, the metric options
// off. The run starts with a number of rows already listed (a resumed run), so that the time
// per candidate at 100 and at 5,000 (and 100,000) rows shows whether the run's work grows with
// the list: once below the window (the run's binding alone), and once in the program as main()
// opens it, its mining window shown as a user has it, so that the shown list's work counts too
// (goal: at most 1.1x the time at 100 rows). Set beside it: the bare fetches of the same eight
// pages.

#include <benchmark/benchmark.h>

#include <memory>

#include "bare_fetch.h"
#include "fakeweb/fake_web.h"
#include "mining/mining_run.h"
#include "mining/test_binding.h"
#include "qt_benchmark_app.h"
#include "served_sources.h"
#include "shown_program.h"
#include "support/fake_clock.h"
#include "support/program_folder_fixture.h"

namespace {

constexpr int kCandidates = 2000;
const QString kSeed = QStringLiteral("减肥");

struct World {
    World() {
        const served_sources::Served served = served_sources::Serve(web, kSeed, kCandidates);
        addresses = served.addresses;
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
    Program() : window(&program.Mining()) {
        for (platform::CheckBox* box : {window->Check7, window->Check8, window->Check11})
            box->SetValue(0);
        window->Text2->SetText(kSeed);
    }

    // As World::ListRows, on the window's lists; the shown list laid out and painted anew
    // before the run, as it stands when the user clicks.
    void ListRows(int rows) {
        World::ListRows(rows, window->ListView1->Rows(), window->ListView17,
                        program.fields.mining.RegularRun);
        ShownProgram::Settle();
    }

    ShownProgram program;
    关键词挖掘* window;
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
                     "BM_ShownWindowRun/100000", "BM_ShownWindowRun/100", 1.1}});
}
