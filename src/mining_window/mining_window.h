#pragma once

#include <QIcon>
#include <array>
#include <memory>

#include "keyword_lists/add_keywords_dialog.h"
#include "keyword_lists/keyword_filter_frame.h"
#include "metrics/window_context.h"
#include "mining_window/mining_fields.h"
#include "mining_window/mining_modes.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/list_view.h"
#include "platform/row_table.h"
#include "platform/tree_view.h"
#include "shared/batch_binding.h"
#include "shell/popup_menus.h"
#include "shell/work_window.h"

// The keyword mining window: a side bar whose mode tree picks one of the panes (regular,
// batch and manual mining; a fourth pane no node selects), the panes with their options,
// result lists and commands, and the hidden boxes and browsers the runs use. The window's code
// is split by pane; the logic below it works on row tables.
class 关键词挖掘 : public WorkWindow,
                   public metrics::MiningContext,
                   public MiningMenuTarget,
                   public BatchBinding,
                   public AddKeywordsLists {
  public:
    // `fields` outlive the window: they carry what one opening leaves to the next.
    explicit 关键词挖掘(MiningWindowFields& fields, QWidget* parent = nullptr);
    ~关键词挖掘() override;

    // WorkWindow.
    void Form_Load() override;
    bool DbMissing() override;
    bool JobRunning() const override { return runningClicks_ > 0; }
    bool JobStops() const override { return !requerying_; }
    // A paused run, or rows in a result list (regular, batch or manual) or its master copy.
    bool HoldsUnsavedWork() const override;
    bool JobPaused() const override;
    QWidget* SideBar() override { return PicLEFT; }
    QWidget* PageTabs() override { return tab1; }
    QList<QWidget*> SideBarPanes() override { return {pic1, pic2, pic3, pic4}; }
    platform::TextBox* GapBox() override { return txtbaiduse; }
    platform::TextBox* ReactionBox() override { return txtsetse; }

    // The metric routines' view of the window.
    metrics::WindowMetricsState& MetricsState() override { return fields_.Metrics; }
    QString IntervalText() const override { return txtbaiduse->Text(); }
    QString ReactionText() const override { return txtsetse->Text(); }
    void ShowBlockingSettings() override;
    platform::BrowserControl* Browser() override { return WebBrowser1; }
    QString ReportParent(metrics::ReportSource source, const QString& keyword) const override;
    void ShowHistory(const QStringList& values) override;
    platform::RowTable* ResultList(metrics::Pane pane) override;
    platform::RowTable* SecondList(metrics::Pane pane) override;
    const metrics::KeywordColumns& ResultColumns(metrics::Pane pane) const override;
    int SelectedRow(metrics::Pane pane) const override;
    bool Ticked(metrics::Pane pane, metrics::PaneOption option) const override;
    QString SeedText() const override { return Text2->Text(); }
    QString CurrentBatchKeyword() const override;

    // The main window's popup and export menus.
    platform::ListView* ResultList() override { return ListView1; }
    platform::ListView* ManualList() override { return ListView2; }
    void recha() override;
    void Addto_db() override;

    // The batch helpers.
    QString SaveFolder() const override { return Text3->Text(); }

    // The add-keywords dialog's lists: the batch list, or the manual pane's list with its
    // master copy.
    platform::RowTable* ShownList(AddKeywordsMode mode) override;
    platform::RowTable* MasterList(AddKeywordsMode mode) override;

    // Inner height in twips.
    int ScaleHeight() const { return platform::PixelsToTwips(height()); }

    void Form_Resize();
    void pic1_Resize();
    void pic2_Resize();
    void pic3_Resize();
    void tab1_Click();
    void tab2_Click();
    void TreeView1_NodeClick(int index);
    void TreeView1_SelectedNodeBlack();
    void TreeView1_SelectedNodeWhite();
    // The start and pause buttons of the regular and the batch mode.
    void Command2_Click();
    void Command9_Click();
    // The regular pane's result list.
    void Command14_Click();
    void Command15_Click();
    void Command17_Click();
    void Command22_Click();
    void Command34_Click();
    void Command42_Click();
    void Command43_Click();
    void ListView1_ColumnClick(int column);
    void ListView1_MouseDown(Qt::MouseButton button, QPoint position);
    // The batch pane's keyword list and save folder.
    void Command3_Click();
    void Command4_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command16_Click();

    // The status bar's progress panels for a run of `pane`: its row count and `keyword`.
    void ShowMiningProgress(metrics::Pane pane, const QString& keyword);

    // The window's state: the load has finished (the options save only from then on).
    bool MiningLoaded = false;

    // Side bar.
    QWidget* PicLEFT;
    platform::Label* Label2;
    platform::TreeView* TreeView1;
    platform::Label* lbltitle;
    platform::TabContainer* tab2;
    QWidget* tip1;
    QWidget* tip2;
    QWidget* tip3;
    // The mode tree's icons: 1 a mode, 2 the current mode.
    std::array<QIcon, 2> ImageList1;

    platform::TabContainer* tab1;
    QWidget* pic1;
    QWidget* pic2;
    QWidget* pic3;
    QWidget* pic4;

    // Regular pane.
    platform::Frame* Frame10;
    platform::TextBox* Text2;
    platform::CommandButton* Command2;
    platform::Frame* Frame13;
    platform::CheckBox* Check6;
    platform::CheckBox* Check2;
    platform::TextBox* Text14;
    platform::CheckBox* Check7;
    platform::CheckBox* Check8;
    platform::CheckBox* Check11;
    KeywordFilterFrame* Frame9;
    platform::ComboBox* Combo4;
    platform::TextBox* Text4;
    platform::ComboBox* Combo5;
    platform::TextBox* Text5;
    platform::ComboBox* Combo6;
    platform::TextBox* Text6;
    platform::ComboBox* Combo7;
    platform::TextBox* Text7;
    platform::ComboBox* Combo9;
    platform::TextBox* Text9;
    platform::CommandButton* Command17;
    platform::CommandButton* Command22;
    platform::ListView* ListView1;
    // The master copy of ListView1, never shown.
    platform::RowTable ListView17;
    platform::Label* Label22;
    platform::Label* Label32;
    platform::Label* Label63;
    platform::CommandButton* Command34;
    platform::CommandButton* Command14;
    platform::CommandButton* Command15;
    platform::CommandButton* Command42;
    platform::CommandButton* Command43;
    platform::TextBox* txtbaiduse;
    platform::TextBox* txtsetse;

    // Batch pane.
    platform::Frame* Frame2;
    platform::ListView* ListView8;
    platform::CommandButton* Command4;
    platform::CommandButton* Command16;
    platform::CommandButton* Command6;
    platform::CommandButton* Command7;
    platform::CommandButton* Command8;
    platform::TextBox* kwmax;
    platform::ComboBox* Combo1;
    platform::TextBox* Text3;
    platform::CommandButton* Command3;
    platform::CheckBox* is_shutdown;
    platform::CommandButton* Command9;
    platform::Frame* Frame1;
    platform::CheckBox* Check1;
    platform::CheckBox* Check9;
    platform::TextBox* Text8;
    platform::CheckBox* Check5;
    platform::CheckBox* Check4;
    platform::CheckBox* Check3;
    platform::ListView* ListView3;
    platform::TextBox* txtkw;

    // Manual pane.
    platform::Frame* Frame4;
    platform::CheckBox* Check16;
    platform::TextBox* Text13;
    platform::CheckBox* Check12;
    platform::TextBox* Text10;
    platform::CheckBox* Check15;
    platform::CheckBox* Check14;
    platform::CheckBox* Check13;
    KeywordFilterFrame* Frame5;
    platform::ComboBox* Combo15;
    platform::TextBox* Text15;
    platform::ComboBox* Combo16;
    platform::TextBox* Text16;
    platform::ComboBox* Combo17;
    platform::TextBox* Text17;
    platform::ComboBox* Combo18;
    platform::TextBox* Text18;
    platform::ComboBox* Combo19;
    platform::TextBox* Text19;
    platform::CommandButton* Command18;
    platform::CommandButton* Command19;
    platform::ListView* ListView2;
    // The master copy of ListView2, never shown.
    platform::RowTable ListView5;
    platform::CommandButton* Command33;
    platform::CommandButton* Command10;
    platform::CommandButton* Command13;
    platform::CommandButton* Command39;
    platform::CommandButton* Command30;
    platform::CommandButton* Command20;
    platform::CommandButton* Command51;
    platform::CommandButton* Command21;

    // The fourth pane, which no node selects.
    platform::TextBox* Text12;
    platform::CommandButton* Command23;
    platform::CheckBox* Check21;
    platform::CheckBox* Check17;
    platform::TextBox* Text11;
    platform::CheckBox* Check20;
    platform::CheckBox* Check19;
    platform::CheckBox* Check18;

    // Out of sight: the fallback fetch of a Baidu results page, and the keyword encoding
    // through the local helper page.
    platform::BrowserView* WebBrowser1;
    platform::BrowserView* WebBrowser3;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Each builds its part of the window in its design state.
    void BuildSideBar();
    void BuildRegularPane();
    void BuildBatchPane();
    void BuildManualPane();
    void BuildSmartPane();

    // The load's steps of the side bar: the mode tree's nodes, the tips.
    void LoadModeTree();
    void LoadTips();
    // The load's step of the filter lists.
    void FillFilterLists();
    // The batch keyword list from table kwlist.
    void ReloadBatchList();
    // A batch is running or paused: its keyword list is not reloaded meanwhile.
    bool BatchInProgress() const;
    void ConnectResultListCommands();
    void ConnectBatchPaneCommands();
    // A select-all button: checks every row of `list` on "全选", unchecks them on "全不选", and
    // turns its caption.
    static void ToggleAllRows(platform::CommandButton* button, platform::ListView* list);

    // Options and remembered texts: restored by the load, saved on every change after it. The
    // boxes of each pane and the texts in the order of their stored fields.
    QList<platform::CheckBox*> RegularOptionBoxes() const;
    QList<platform::CheckBox*> BatchOptionBoxes() const;
    QList<platform::CheckBox*> ManualOptionBoxes() const;
    QList<platform::TextBox*> RememberedTextBoxes() const;
    void ConnectOptionSaves();
    void RestorePaneOptions();
    void RestoreMiningTexts();
    void SaveRegularOptions();
    void SaveBatchOptions();
    void SaveManualOptions();
    void SaveMiningTexts();
    void TellTextSaveFailure();

    MiningWindowFields& fields_;
    // What each mining mode gives the run; made once the controls are.
    std::unique_ptr<RegularMiningMode> regularMode_;
    std::unique_ptr<BatchMiningMode> batchMode_;
    // Clicks whose handler is still on the stack: a run or a re-query waits inside one of them.
    int runningClicks_ = 0;
    bool requerying_ = false;  // the running job is the re-query, which has no stop
    // A save of the remembered texts failed during this opening: told once, not per keystroke.
    bool textSaveFailureTold_ = false;
    // The last save of the remembered texts met another program's lock.
    bool textsUnsaved_ = false;
};
