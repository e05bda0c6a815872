#pragma once

#include "mining/batch_mining.h"
#include "mining/mining_binding.h"
#include "platform/controls.h"

class 关键词挖掘;

// The controls of one mining mode of the window: its start and pause button, its must-contain
// box and its exclusion box with the words; the other mode's button, and what a start of this
// mode says while the other mode's run is active (two runs cannot wait inside one another).
struct ModeControls {
    platform::CommandButton* button;
    platform::CheckBox* mustContain;
    platform::CheckBox* exclude;
    platform::TextBox* words;
    platform::CommandButton* otherButton;
    QString otherModeActive;
};

// What every mining mode of the window gives the run: its controls, the window's metric
// context, the pane's progress and the helper page's browser.
template <typename Binding>
class WindowMiningMode : public Binding {
  public:
    WindowMiningMode(关键词挖掘& window, ModeControls controls)
        : window_(window), controls_(controls) {}

    metrics::MiningContext& Window() override;
    // A start is refused while the other mode's run is active, then as the mode refuses.
    QString Refusal() override {
        if (controls_.otherButton->Caption() != mining::kStartCaption)
            return controls_.otherModeActive;
        return Binding::Refusal();
    }
    QString ButtonCaption() const override { return controls_.button->Caption(); }
    void SetButtonCaption(const QString& caption) override {
        controls_.button->SetCaption(caption);
    }
    void SetButtonEnabled(bool enabled) override { controls_.button->SetEnabled(enabled); }
    bool MustContainSeed() const override { return controls_.mustContain->Value() == 1; }
    std::optional<QString> ExclusionWords() const override {
        return controls_.exclude->Value() == 1 ? std::optional<QString>(controls_.words->Text())
                                               : std::nullopt;
    }
    void ShowProgress(const QString& keyword) override;
    void ClearProgress() override;
    platform::BrowserControl* HelperBrowser() override;

  protected:
    关键词挖掘& window_;
    ModeControls controls_;
};

// The regular mode: seed box Text2, button Command2, options Check6 and Check2 with the words
// of Text14, result list ListView1 with its master copy, result filter Frame9.
class RegularMiningMode final : public WindowMiningMode<mining::RegularMiningBinding> {
  public:
    RegularMiningMode(关键词挖掘& window, mining::MiningRunState& state);

    mining::MiningRunState& RunState() override { return state_; }
    void SetFilterEnabled(bool enabled) override;

  private:
    mining::MiningRunState& state_;
};

// The batch mode: the checked keywords of ListView8 from the position txtkw, button Command9,
// options Check1 and Check9 with the words of Text8, result list ListView3, saved as Combo1
// asks into the folder Text3, the machine switched off at the end when is_shutdown is ticked.
class BatchMiningMode final : public WindowMiningMode<mining::BatchMiningBinding> {
  public:
    BatchMiningMode(关键词挖掘& window, mining::BatchRunState& state);

    mining::BatchRunState& BatchState() override { return state_; }
    QStringList CheckedKeywords() const override;
    QString Position() const override;
    void SetPosition(const QString& position) override;
    mining::SaveOutcome SaveResults() override;
    bool ShutDownAtEnd() const override;

  private:
    mining::BatchRunState& state_;
};
