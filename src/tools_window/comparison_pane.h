#pragma once

#include "platform/controls.h"
#include "platform/list_view.h"
#include "research_tools/comparison_run.h"

class 关键词工具;

// The keyword comparison page of the keyword tools window (pic6): the keyword box, the start
// and pause button, the comparison list and its commands.
namespace research {

class ComparisonPane final : public ComparisonPage {
  public:
    explicit ComparisonPane(关键词工具& window);

    // Also the comparison hand-off's start.
    void Command31_Click();
    void Command4_Click();
    void Command24_Click();
    void Command25_Click();
    void Command28_Click();
    void ListView18_ColumnClick(int column);
    void pic6_Resize();
    bool JobRunning() const { return state_.InRun; }

    // ComparisonPage.
    metrics::WindowContext& Window() override;
    ComparisonState& State() override { return state_; }
    bool Paused() const { return state_.Paused; }
    platform::RowTable& List() override { return ListView18->Rows(); }
    QString KeywordText() const override { return Text8->Text(); }
    QString ButtonCaption() const override { return Command31->Caption(); }
    void SetButtonCaption(const QString& caption) override { Command31->SetCaption(caption); }
    void SetButtonEnabled(bool enabled) override { Command31->SetEnabled(enabled); }
    void SetListCommandsEnabled(bool enabled) override;
    void SetProgressPanels(const QString& count, const QString& item) override;

    platform::TextBox* Text8;
    platform::CommandButton* Command31;
    platform::ListView* ListView18;
    platform::Label* Label33;
    platform::Label* Label67;
    platform::CommandButton* Command4;
    platform::CommandButton* Command24;
    platform::CommandButton* Command25;
    platform::CommandButton* Command28;

  private:
    关键词工具& window_;
    ComparisonState state_;
};

}  // namespace research
