#include "mining_window/mining_modes.h"

#include "mining_window/mining_window.h"
#include "shared/batch_helpers.h"
#include "shared/job_progress.h"
#include "shared/report_writer.h"

template <typename Binding>
metrics::MiningContext& WindowMiningMode<Binding>::Window() {
    return window_;
}

template <typename Binding>
void WindowMiningMode<Binding>::ShowProgress(const QString& keyword) {
    window_.ShowMiningProgress(this->ResultPane(), keyword);
}

template <typename Binding>
void WindowMiningMode<Binding>::ClearProgress() {
    JobProgress::Clear();
}

template <typename Binding>
platform::BrowserControl* WindowMiningMode<Binding>::HelperBrowser() {
    return window_.WebBrowser3;
}

template class WindowMiningMode<mining::RegularMiningBinding>;
template class WindowMiningMode<mining::BatchMiningBinding>;

RegularMiningMode::RegularMiningMode(关键词挖掘& window, mining::MiningRunState& state)
    : WindowMiningMode(
          window, {window.Command2, window.Check6, window.Check2, window.Text14, window.Command9,
                   QStringLiteral("批量挖掘正在进行中，请先暂停批量挖掘再开始常规挖掘！")}),
      state_(state) {}

void RegularMiningMode::SetFilterEnabled(bool enabled) {
    window_.Frame9->setEnabled(enabled);
}

BatchMiningMode::BatchMiningMode(关键词挖掘& window, mining::BatchRunState& state)
    : WindowMiningMode(
          window, {window.Command9, window.Check1, window.Check9, window.Text8, window.Command2,
                   QStringLiteral("常规挖掘正在进行中，请先暂停常规挖掘再开始批量挖掘！")}),
      state_(state) {}

QStringList BatchMiningMode::CheckedKeywords() const {
    const platform::RowTable& list = window_.ListView8->Rows();
    QStringList keywords;
    for (int row = 1; row <= list.Count(); ++row)
        if (list.Checked(row)) keywords << list.Text(row);
    return keywords;
}

QString BatchMiningMode::Position() const {
    return window_.txtkw->Text();
}

void BatchMiningMode::SetPosition(const QString& position) {
    window_.txtkw->SetText(position);
}

mining::SaveOutcome BatchMiningMode::SaveResults() {
    // Index 1 of the save format list is "Txt"; "不保存" saves nothing.
    if (window_.Combo1->ListIndex() != 1) return mining::SaveOutcome::NotAsked;
    return AutoSaveList(window_.ListView3->Rows(), state_.LastMinedKeyword, QStringLiteral("txt"),
                        ReportRelatedKeywords)
               ? mining::SaveOutcome::Saved
               : mining::SaveOutcome::Failed;
}

bool BatchMiningMode::ShutDownAtEnd() const {
    return window_.is_shutdown->Value() == 1;
}
