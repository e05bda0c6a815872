// Reading site metrics out of hostile pages of growing size: the number test behind every
// site-metric count and the Alexa rank reader. Each must grow with the page's length alone, so
// the time per character stays flat from 1 MiB to 16 MiB.

#include <benchmark/benchmark.h>

#include <QString>

#include "lookups/alexa_rank.h"
#include "lookups/site_text.h"

namespace {

constexpr int kMiB = 1 << 20;

// `piece` repeated to about `size` characters.
QString Repeated(const QString& piece, qsizetype size) {
    return piece.repeated(size / piece.size() + 1);
}

// The Alexa page around `block`.
QString AlexaPage(const QString& block) {
    return QStringLiteral("<html>the Alexa Web Information Service.-->") + block +
           QStringLiteral("</a><!--</html>");
}

void SetLengthCounters(benchmark::State& state, qsizetype characters) {
    state.SetComplexityN(characters);
    state.SetBytesProcessed(state.iterations() * characters * 2);
}

// A run of digits that breaks down at its very end: in thousands groups (kind 0) or plain (1).
void BM_ReadsAsNumberDigitRun(benchmark::State& state) {
    const QString text = state.range(1) == 0
                             ? QStringLiteral("1") +
                                   Repeated(QStringLiteral(",234"), state.range(0)) +
                                   QStringLiteral(",12x")
                             : QString(state.range(0), u'9') + u'x';
    for (auto _ : state) benchmark::DoNotOptimize(lookups::ReadsAsNumber(text));
    SetLengthCounters(state, text.size());
}
BENCHMARK(BM_ReadsAsNumberDigitRun)
    ->ArgsProduct({{kMiB, 4 * kMiB, 16 * kMiB}, {0, 1}})
    ->ArgNames({"chars", "kind"})
    ->Unit(benchmark::kMillisecond);

// The rank block as a hostile page may fill it: decoy spans, spans of other classes, tags and
// a "<" that no ">" follows.
QString HostileBlock(int kind, qsizetype size) {
    switch (kind) {
        case 0:
            return Repeated(QStringLiteral("<span class=\"c11e\">7</span>1"), size);
        case 1:
            return Repeated(QStringLiteral("<span class=\"c00\">7</span>1"), size);
        case 2:
            return Repeated(QStringLiteral("<b>1</b>"), size);
        default:
            return Repeated(QStringLiteral("1"), size) + QStringLiteral("<x");
    }
}

void BM_ReadAlexaRank(benchmark::State& state) {
    const QString page = AlexaPage(HostileBlock(int(state.range(1)), state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(lookups::ReadAlexaRank(page));
    SetLengthCounters(state, page.size());
}
BENCHMARK(BM_ReadAlexaRank)
    ->ArgsProduct({{kMiB, 4 * kMiB, 16 * kMiB}, {0, 1, 2, 3}})
    ->ArgNames({"chars", "kind"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
