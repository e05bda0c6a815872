#include "mining/mining_run.h"

#include <array>

#include "metrics/keyword_table.h"
#include "metrics/row_handle.h"
#include "metrics/row_metrics.h"
#include "mining/candidate_filter.h"
#include "mining/mining_sources.h"
#include "mining/source_fetch.h"
#include "platform/prompts.h"
#include "platform/row_table.h"
#include "shared/busy_indicator.h"
#include "shared/cxhtml.h"
#include "shared/running_job.h"
#include "shared/text_helpers.h"

namespace mining {
namespace {

platform::RowTable& Shown(MiningBinding& binding) {
    return *binding.Window().ResultList(binding.ResultPane());
}
platform::RowTable* Master(MiningBinding& binding) {
    return binding.Window().SecondList(binding.ResultPane());
}

void RequestMiningPause(MiningBinding& binding) {
    binding.RunState().MiningRunning = false;
    binding.SetButtonCaption(kStoppingCaption);
    binding.SetButtonEnabled(false);
}

void ResetForNewSeed(MiningBinding& binding, const QString& seed) {
    // The rows this run fails to save are told at its end; earlier failures were told already.
    // A batch starts its saves once, for all its keywords.
    if (binding.ResultPane() != metrics::Pane::Batch) metrics::StartRowSaves();
    Shown(binding).Clear();
    if (platform::RowTable* master = Master(binding)) master->Clear();
    MiningRunState& state = binding.RunState();
    state.LastMinedKeyword = seed;
    state.SourceDone.fill(false);
    state.SourcesWithoutPage = 0;
}

void EnterPausedState(MiningBinding& binding) {
    binding.SetButtonCaption(kStartCaption);
    binding.SetButtonEnabled(true);
    BusyIndicator::Set(BusyIndicator::kPaused);
    binding.SetFilterEnabled(true);
}

// Appends `keyword` to the shown list and its master copy, as one row of both; the two rows.
metrics::KeywordRows AppendRow(MiningBinding& binding, const QString& keyword) {
    platform::RowTable& shown = Shown(binding);
    const platform::ListItem row = shown.Add(keyword);
    platform::RowTable* master = Master(binding);
    if (!master) return {metrics::RowHandle(&shown, row.Index()), {}};
    const platform::ListItem copy = master->Add(keyword, row.Key());
    return {metrics::RowHandle(&shown, row.Index()), metrics::RowHandle(master, copy.Index())};
}

void FillMetrics(MiningBinding& binding, const QString& keyword, const metrics::KeywordRows& rows) {
    metrics::FillRowMetrics(binding.Window(), binding.ResultPane(), keyword, rows);
}

// The seed's bold row, unless a resumed run still has it listed.
void ListSeed(MiningBinding& binding, const QString& seed) {
    if (Listed(seed, Shown(binding), Master(binding))) return;
    binding.ShowProgress(seed);
    const metrics::KeywordRows rows = AppendRow(binding, seed);
    FillMetrics(binding, seed, rows);
    // The metrics wait for pages meanwhile: the rows are found again, if they are still there.
    for (const metrics::RowHandle& row : rows)
        if (const int index = row.Index()) row.List()->SetBold(index, true);
}

void OfferCandidate(MiningBinding& binding, const QString& seed, const QString& item) {
    const QString candidate = TrimBlanks(item.toLower());
    const CandidateOptions options{binding.MustContainSeed(), binding.ExclusionWords()};
    if (!AcceptCandidate(candidate, seed, options, Shown(binding), Master(binding))) return;
    const metrics::KeywordRows rows = AppendRow(binding, candidate);
    binding.ShowProgress(candidate);
    FillMetrics(binding, candidate, rows);
}

}  // namespace

ClickOutcome MiningClick(MiningBinding& binding) {
    MiningRunState& state = binding.RunState();
    // A click on an active run only ever pauses it: the seed box and the refusal matter to a
    // start alone, so that a changed or emptied box neither empties the running run's lists
    // nor keeps it from pausing.
    if (binding.ButtonCaption() != kStartCaption) {
        RequestMiningPause(binding);
        return ClickOutcome::PauseRequested;
    }
    const QString refusal = binding.Refusal();
    if (!refusal.isEmpty()) {
        platform::ThePrompts().MessageBox(refusal, QStringLiteral("提示"), platform::Buttons::Ok,
                                          platform::Icon::Information);
        return ClickOutcome::Refused;
    }
    if (jobs::RefuseStartWhileBusy()) return ClickOutcome::Refused;
    const jobs::Running running(binding.ResultPane() == metrics::Pane::Batch
                                    ? QStringLiteral("批量挖掘")
                                    : QStringLiteral("常规挖掘"));
    const QString seed = binding.Seed();
    if (seed != state.LastMinedKeyword) ResetForNewSeed(binding, seed);

    // The run lists its rows in the order it finds them.
    Shown(binding).SetSorting(std::nullopt);
    binding.SetButtonCaption(kPauseCaption);
    BusyIndicator::Set(BusyIndicator::kRunning);
    binding.SetFilterEnabled(false);
    state.MiningRunning = true;

    ListSeed(binding, seed);
    CXHtml fetcher;
    for (const MiningSource& source : MiningSources()) {
        bool& done = state.SourceDone[source.number - 1];
        if (done) continue;
        const std::optional<QStringList> items = FetchSourceItems(source, seed, fetcher, binding);
        if (!items) ++state.SourcesWithoutPage;
        for (const QString& item : items.value_or(QStringList())) {
            if (!state.MiningRunning) {
                EnterPausedState(binding);
                return ClickOutcome::Paused;
            }
            OfferCandidate(binding, seed, item);
        }
        done = true;
    }
    return ClickOutcome::Completed;
}

void RegularMiningClick(RegularMiningBinding& binding) {
    if (MiningClick(binding) != ClickOutcome::Completed) return;
    const int withoutPage = binding.RunState().SourcesWithoutPage;
    FinishRegularMining(binding);
    TellRegularRunEnd(withoutPage);
}

void TellRegularRunEnd(int sourcesWithoutPage) {
    QStringList lines;
    if (sourcesWithoutPage > 0)
        lines << QStringLiteral(
                     "%1个挖掘来源中有%2个未能取得页面（网络不通或服务器无应答），"
                     "挖掘结果可能不全。")
                     .arg(kSourceCount)
                     .arg(sourcesWithoutPage);
    const metrics::FailedRowSaves failed = metrics::TakeFailedRowSaves();
    if (failed.rows > 0)
        lines << QStringLiteral(
                     "有%1个关键词未能保存到关键词数据库（数据库无法写入），"
                     "它们仍在结果列表中，可稍后用“加入关键词数据库”再次提交。")
                     .arg(failed.rows);
    if (!failed.stoppedBy.isEmpty()) lines << RowSavesStoppedText(failed.stoppedBy);
    if (lines.isEmpty()) return;
    platform::ThePrompts().MessageBox(lines.join(u'\n'), QStringLiteral("提示"),
                                      platform::Buttons::Ok, platform::Icon::Exclamation);
}

QString RowSavesStoppedText(const QString& cause) {
    return cause +
           QStringLiteral("，从那时起挖掘到的关键词只列在结果列表中，没有保存到关键词数据库。");
}

void FinishRegularMining(MiningBinding& binding) {
    BusyIndicator::Set(BusyIndicator::kReady);
    binding.ClearProgress();
    binding.SetButtonCaption(kStartCaption);
    binding.SetButtonEnabled(true);
    MiningRunState& state = binding.RunState();
    state.SourceDone.fill(false);
    state.SourcesWithoutPage = 0;
    state.LastMinedKeyword.clear();
    binding.SetFilterEnabled(true);
}

}  // namespace mining
