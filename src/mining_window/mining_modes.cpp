#include "mining_window/mining_modes.h"

#include "mining_window/mining_window.h"
#include "shared/job_progress.h"

metrics::MiningContext& RegularMiningMode::Window() {
    return window_;
}

QString RegularMiningMode::Refusal() {
    if (window_.Command9->Caption() != mining::kStartCaption)
        return QStringLiteral("批量挖掘正在进行中，请先暂停批量挖掘再开始常规挖掘！");
    return RegularMiningBinding::Refusal();
}

QString RegularMiningMode::ButtonCaption() const {
    return window_.Command2->Caption();
}

void RegularMiningMode::SetButtonCaption(const QString& caption) {
    window_.Command2->SetCaption(caption);
}

void RegularMiningMode::SetButtonEnabled(bool enabled) {
    window_.Command2->SetEnabled(enabled);
}

bool RegularMiningMode::MustContainSeed() const {
    return window_.Check6->Value() == 1;
}

std::optional<QString> RegularMiningMode::ExclusionWords() const {
    return window_.Check2->Value() == 1 ? std::optional<QString>(window_.Text14->Text())
                                        : std::nullopt;
}

void RegularMiningMode::ShowProgress(const QString& keyword) {
    window_.ShowMiningProgress(metrics::Pane::Regular, keyword);
}

void RegularMiningMode::ClearProgress() {
    JobProgress::Clear();
}

void RegularMiningMode::SetFilterEnabled(bool enabled) {
    window_.Frame9->setEnabled(enabled);
}

platform::BrowserControl* RegularMiningMode::HelperBrowser() {
    return window_.WebBrowser3;
}
