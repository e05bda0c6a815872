#pragma once

#include "platform/controls.h"
#include "platform/list_view.h"
#include "platform/tree_view.h"
#include "research_tools/hot_list_run.h"

class 关键词工具;

// The hot-keyword page of the keyword tools window (Pic5): the category tree with the metrics
// box and the start button, and the keyword list with its exports.
namespace research {

class HotKeywordPane final : public HotListPage {
  public:
    explicit HotKeywordPane(关键词工具& window);

    // The load's step: the category tree from HotKeywordCategories.
    void FillCategoryTree();
    void TreeView2_NodeClick(int index);
    void Command29_Click();
    void Command34_Click();
    void Command42_Click();
    void Command43_Click();
    void Pic5_Resize();
    bool JobRunning() const { return state_.InRun; }

    // HotListPage.
    metrics::WindowContext& Window() override;
    HotListState& State() override { return state_; }
    bool Paused() const { return state_.Paused; }
    platform::RowTable& List() override { return ListView4->Rows(); }
    void SetListCaption(const QString& caption) override { Frame7->setTitle(caption); }
    int SelectedNodeIndex() const override { return TreeView2->SelectedIndex(); }
    bool ShowsMetrics() const override { return Check5->Value() == 1; }
    QString ButtonCaption() const override { return Command29->Caption(); }
    void SetButtonCaption(const QString& caption) override { Command29->SetCaption(caption); }
    void SetButtonEnabled(bool enabled) override { Command29->SetEnabled(enabled); }
    void FocusTree() override { TreeView2->setFocus(); }

    platform::Frame* Frame8;
    platform::TreeView* TreeView2;
    platform::CheckBox* Check5;
    platform::CommandButton* Command29;
    platform::Frame* Frame7;
    platform::ListView* ListView4;
    platform::CommandButton* Command34;
    platform::CommandButton* Command42;
    platform::CommandButton* Command43;

  private:
    关键词工具& window_;
    HotListState state_;
};

}  // namespace research
