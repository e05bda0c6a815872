#pragma once

#include "platform/controls.h"
#include "platform/list_view.h"
#include "research_tools/index_query.h"

class 关键词工具;

// The index query page of the keyword tools window (pic1): the keyword box and its list of
// figures, with the detail lists of one keyword below them. The history list ListView2 is the
// window's own, which its index lookups fill.
namespace research {

class IndexQueryPane final : public IndexQueryPage {
  public:
    explicit IndexQueryPane(关键词工具& window);

    void Command6_Click();
    void Command40_Click();
    void Command41_Click();
    void ListView3_DblClick();
    void pic1_Resize();
    bool JobRunning() const { return state_.QueryRunning || state_.DetailRunning; }

    // IndexQueryPage.
    metrics::WindowContext& Window() override;
    IndexQueryState& State() override { return state_; }
    platform::RowTable& List() override { return ListView3->Rows(); }
    QString KeywordText() const override { return Text3->Text(); }
    void SetQueryCommandsEnabled(bool enabled) override;
    int SelectedRow() const override { return ListView3->SelectedIndex(); }
    void SelectRow(int index) override { ListView3->SetSelectedIndex(index); }
    platform::RowTable& HistoryList() override;
    platform::RowTable& AudienceList(Audience audience) override;

    platform::TextBox* Text3;
    platform::CommandButton* Command6;
    platform::ListView* ListView3;
    platform::CommandButton* Command40;
    platform::CommandButton* Command41;
    platform::ListView* ListView6;
    platform::ListView* ListView11;
    platform::ListView* ListView15;

  private:
    关键词工具& window_;
    IndexQueryState state_;
};

}  // namespace research
