#include "mining/batch_mining.h"

#include <limits>
#include <utility>

#include "metrics/keyword_table.h"
#include "metrics/number_text.h"
#include "mining/mining_run.h"
#include "platform/power.h"
#include "platform/row_table.h"
#include "shared/busy_indicator.h"
#include "shared/failure_notice.h"

namespace mining {
namespace {

// The keywords a message names: a long batch names its first few and how many there are.
QString KeywordsText(const QStringList& keywords) {
    constexpr int kNamed = 20;
    QString text = keywords.mid(0, kNamed).join(QStringLiteral("、"));
    if (keywords.size() > kNamed) text += QStringLiteral("等共%1个关键词").arg(keywords.size());
    return text;
}

// The end message's line on the keywords whose sources gave no page; empty when all answered.
QString WithoutPageText(const QList<std::pair<QString, int>>& withoutPage) {
    if (withoutPage.isEmpty()) return {};
    QStringList keywords;
    for (const auto& [keyword, sources] : withoutPage)
        keywords << QStringLiteral("%1（%2个）").arg(keyword).arg(sources);
    return QStringLiteral(
               "\n以下关键词的%1个挖掘来源中有未能取得页面的（网络不通或服务器无应答），"
               "结果可能不全：")
               .arg(kSourceCount) +
           KeywordsText(keywords);
}

// The end of a batch after its last keyword: the user is told (or the machine switched off),
// and the state returns to idle.
void EndBatch(BatchMiningBinding& binding, SaveOutcome lastSave) {
    BatchRunState& state = binding.BatchState();
    // A result not saved must be seen: the machine stays on for it.
    const bool shutDown =
        binding.ShutDownAtEnd() && state.Unsaved.isEmpty() && state.UnsavedRows == 0;
    if (!shutDown) {
        QString text = lastSave == SaveOutcome::Saved ? QStringLiteral("查询完毕，并已自动保存！")
                                                      : QStringLiteral("查询完毕，未自动保存！");
        if (!state.Unsaved.isEmpty())
            text += QStringLiteral("\n以下关键词的结果未能保存：") + KeywordsText(state.Unsaved);
        if (state.UnsavedRows > 0)
            text += QStringLiteral("\n有%1个关键词未能保存到关键词数据库（数据库无法写入）。")
                        .arg(state.UnsavedRows);
        if (!state.SavesStoppedBy.isEmpty())
            text += u'\n' + RowSavesStoppedText(state.SavesStoppedBy);
        text += WithoutPageText(state.WithoutPage);
        if (binding.ShutDownAtEnd()) text += QStringLiteral("\n因此没有自动关机。");
        const bool failed = lastSave == SaveOutcome::Failed || !state.Unsaved.isEmpty() ||
                            state.UnsavedRows > 0 || !state.SavesStoppedBy.isEmpty() ||
                            !state.WithoutPage.isEmpty();
        TellOutcome(text, failed);
    }
    BusyIndicator::Set(BusyIndicator::kReady);
    binding.ClearProgress();
    binding.SetButtonCaption(kStartCaption);
    binding.SetButtonEnabled(true);
    state.SourceDone.fill(false);
    state.LastMinedKeyword.clear();
    binding.SetPosition(QStringLiteral("1"));
    state.BatchActive = false;
    state.Keywords.clear();
    state.Unsaved.clear();
    state.UnsavedRows = 0;
    state.SavesStoppedBy.clear();
    state.WithoutPage.clear();
    if (shutDown) ShutdownMachine(1);
}

// The finish of a keyword that went through every source: its results saved, the position
// moved on. Whether the next keyword's run starts now.
bool FinishBatchKeyword(BatchMiningBinding& binding) {
    BatchRunState& state = binding.BatchState();
    const SaveOutcome saved = binding.SaveResults();
    if (saved == SaveOutcome::Failed) state.Unsaved << state.LastMinedKeyword;
    const metrics::FailedRowSaves failed = metrics::TakeFailedRowSaves();
    state.UnsavedRows += failed.rows;
    if (state.SavesStoppedBy.isEmpty()) state.SavesStoppedBy = failed.stoppedBy;
    if (const int withoutPage = std::exchange(state.SourcesWithoutPage, 0))
        state.WithoutPage.append({state.LastMinedKeyword, withoutPage});

    // A position that cannot move on names no further keyword: the batch ends.
    const std::optional<qint16> position = metrics::ReadWhole16(binding.Position());
    QString next;
    if (position && *position >= 1 && *position < state.Keywords.size()) {
        binding.SetPosition(QString::number(*position + 1));
        next = state.Keywords[*position];
    }
    if (next.isEmpty()) {
        EndBatch(binding, saved);
        return false;
    }
    binding.Window().ResultList(metrics::Pane::Batch)->Clear();
    binding.SetButtonCaption(kStartCaption);
    if (!state.MiningRunning) {
        // A pause asked for while the last sources yielded nothing: the batch stops at the
        // next keyword, which a click then starts.
        binding.SetButtonEnabled(true);
        BusyIndicator::Set(BusyIndicator::kPaused);
        return false;
    }
    return true;
}

}  // namespace

QString BatchMiningBinding::Refusal() {
    return BatchState().Keywords.isEmpty() ? QStringLiteral("请选择你要批量查询的关键词！")
                                           : QString();
}

QString BatchMiningBinding::Seed() {
    const QStringList& keywords = BatchState().Keywords;
    const std::optional<qint16> position = metrics::ReadWhole16(Position());
    if (position && *position >= 1 && *position <= keywords.size()) return keywords[*position - 1];
    SetPosition(QStringLiteral("1"));
    return keywords.value(0);
}

void BatchMiningClick(BatchMiningBinding& binding) {
    BatchRunState& state = binding.BatchState();
    if (binding.ButtonCaption() == kStartCaption && !state.BatchActive) {
        state.Keywords = binding.CheckedKeywords();
        state.Unsaved.clear();
        state.UnsavedRows = 0;
        state.SavesStoppedBy.clear();
        state.WithoutPage.clear();
        metrics::StartRowSaves();
    }
    // The keywords follow one another in this loop, so that a batch of any length runs without
    // the call depth growing.
    for (;;) {
        const ClickOutcome outcome = MiningClick(binding);
        if (outcome == ClickOutcome::Refused || outcome == ClickOutcome::PauseRequested) return;
        state.BatchActive = true;
        if (outcome == ClickOutcome::Paused || !FinishBatchKeyword(binding)) return;
    }
}

void ShutdownMachine(qint16 mode) {
    switch (mode) {
        case 1:
            platform::ThePower().Act(platform::PowerAction::ShutDown);
            return;
        case 2:
            platform::ThePower().Act(platform::PowerAction::Restart);
            return;
        case 3:
            platform::ThePower().Act(platform::PowerAction::PowerOff);
            return;
        default:
            return;
    }
}

}  // namespace mining
