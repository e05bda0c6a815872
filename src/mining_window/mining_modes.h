#pragma once

#include "mining/mining_binding.h"

class 关键词挖掘;

// What the regular mode of the mining window gives the mining run: the seed box Text2, the
// button Command2, the result list ListView1 with its master copy, the options Check6 and
// Check2 with the words of Text14, the result filter Frame9 and the regular pane's progress.
class RegularMiningMode final : public mining::RegularMiningBinding {
  public:
    RegularMiningMode(关键词挖掘& window, mining::MiningRunState& state)
        : window_(window), state_(state) {}

    metrics::MiningContext& Window() override;
    mining::MiningRunState& RunState() override { return state_; }
    // A start is refused, besides an empty seed box, while the batch mode's run is active: two
    // runs cannot wait inside one another.
    QString Refusal() override;
    QString ButtonCaption() const override;
    void SetButtonCaption(const QString& caption) override;
    void SetButtonEnabled(bool enabled) override;
    bool MustContainSeed() const override;
    std::optional<QString> ExclusionWords() const override;
    void ShowProgress(const QString& keyword) override;
    void ClearProgress() override;
    void SetFilterEnabled(bool enabled) override;
    platform::BrowserControl* HelperBrowser() override;

  private:
    关键词挖掘& window_;
    mining::MiningRunState& state_;
};
