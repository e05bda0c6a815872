#pragma once

#include <QIcon>
#include <array>
#include <memory>
#include <optional>

#include "lookups/rank_options.h"
#include "metrics/window_context.h"
#include "platform/controls.h"
#include "platform/list_view.h"
#include "platform/tree_view.h"
#include "shell/work_window.h"
#include "tools_window/rank_history.h"
#include "tools_window/rank_targets.h"
#include "tools_window/research_panes.h"
#include "tools_window/tools_fields.h"

// The keyword tools window: a side bar with the page tree and the pages' introductions, and five
// pages: the keyword index query, the competition analysis with the monopoly-site list, the rank
// query with its targets, options, run and history, the keyword comparison and the hot keywords.
// The window's code is split by page; the logic below it works on row tables.
class 关键词工具 : public WorkWindow,
                   public metrics::WindowContext,
                   public lookups::RankLookupOptions {
  public:
    // `fields` outlive the window: they carry what one opening leaves to the next.
    explicit 关键词工具(ToolsWindowFields& fields, QWidget* parent = nullptr);

    // WorkWindow.
    void Form_Load() override;
    bool DbMissing() override;
    bool JobRunning() const override { return runningRuns_ > 0 || research_->JobRunning(); }
    // The rank run and the index query have no stop: they are waited for.
    bool JobStops() const override {
        return runningRuns_ == 0 && !research_->IndexQuery.JobRunning();
    }
    // A paused research job, or rows in a research list.
    bool HoldsUnsavedWork() const override {
        return research_->JobPaused() || research_->HoldsResults();
    }
    bool JobPaused() const override { return research_->JobPaused(); }
    QWidget* SideBar() override { return PicLEFT; }
    QWidget* PageTabs() override { return tab1; }
    QList<QWidget*> SideBarPanes() override { return {pic1, pic3, pic4, Pic5, pic6}; }

    // The metric routines' view of the window: its pages ask without a request gap and have no
    // browser; an index history is laid into ListView2, one dated row a value.
    metrics::WindowMetricsState& MetricsState() override { return fields_.Metrics; }
    QString IntervalText() const override;
    QString ReactionText() const override;
    void ShowBlockingSettings() override;
    platform::BrowserControl* Browser() override { return nullptr; }
    QString ReportParent(metrics::ReportSource source, const QString& keyword) const override;
    void ShowHistory(const QStringList& values) override;

    // What the rank lookups read of the rank options.
    bool ExactSiteMatch() const override { return Check111->Value() == 1; }
    bool CountPaidListings() const override { return Check112->Value() == 1; }
    QString PaidListingMarker() const override;

    // A site's PageRank from the one-day cache in table prs; nothing when the database is
    // missing or no PageRank could be had.
    std::optional<int> GetCachedPR(const QString& url);

    ToolsWindowFields& Fields() { return fields_; }
    // The research pages in the panes pic1, pic6 and Pic5.
    research::ResearchPanes& Research() { return *research_; }
    // Inner height in twips.
    int ScaleHeight() const { return platform::PixelsToTwips(height()); }

    // The frame: layout, page tree, page and introduction switches.
    void Form_Resize();
    void pic3_Resize();
    void pic4_Resize();
    void tab1_Click();
    void tab2_Click();
    void TreeView1_NodeClick(int index);
    void TreeView1_SelectedNodeBlack();
    void TreeView1_SelectedNodeWhite();

    // Rank options.
    void SaveRankOptions();
    void Check111_Click();
    void Check112_Click();
    void Combo8_Click();
    void ListView10_ItemCheck();

    // Rank targets and their commands.
    void Option1_Click(int Index);
    void ListView8_ItemCheck(int row);
    void ListView9_ItemCheck(int row);
    void ListView8_ItemClick(int row);
    void ListView9_ItemClick(int row);
    void ListView8_AfterLabelEdit(int row, const QString& text);
    void ListView9_AfterLabelEdit(int row, const QString& text);
    void Command38_Click();
    void Command16_Click();
    void Command15_Click();
    void Command19_Click();
    void Command11_Click();
    void Command18_Click();
    void Command32_Click();
    void Command20_Click();
    void Command10_Click();
    void Command8_Click();
    void Command5_Click();

    // Rank query run.
    void Command21_Click();
    void ListView12_DblClick();

    // Rank history.
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Command12_Click();
    void Command9_Click();
    void Command7_Click();
    void Command26_Click();
    void Command27_Click();

    // Monopoly sites.
    void Command36_Click();
    void Command37_Click();
    void ListView5_AfterLabelEdit(int row, const QString& text);

    // The rank query's targets below the lists: the modes, the current rows and the commands;
    // made with the lists.
    std::optional<RankTargets> Targets;

    // Side bar.
    QWidget* PicLEFT;
    platform::Label* Label2;
    platform::TreeView* TreeView1;
    platform::Label* lbltitle;
    platform::TabContainer* tab2;
    std::array<QWidget*, 5> tips;  // tip1 to tip5
    // The page tree's images: 1 a page, 2 the current page.
    std::array<QIcon, 2> ImageList1;

    // The pages.
    platform::TabContainer* tab1;
    QWidget* pic1;
    QWidget* pic3;
    QWidget* pic4;
    QWidget* pic6;
    QWidget* Pic5;

    // Index query page: the history list the index lookups lay a keyword's days into.
    platform::ListView* ListView2;

    // Competition analysis page.
    platform::Frame* Frame20;
    platform::TextBox* Text1;
    platform::ComboBox* Combo16;
    platform::CommandButton* Command35;
    platform::CommandButton* Command23;
    platform::Frame* Frame26;
    platform::ListView* ListView5;
    platform::CommandButton* Command36;
    platform::CommandButton* Command37;
    platform::Frame* Frame1;
    platform::ListView* ListView7;
    platform::CommandButton* Command33;
    platform::CommandButton* Command39;
    platform::CommandButton* Command30;
    platform::Frame* Frame2;

    // Rank query page: mode and targets.
    platform::Frame* Frame15;
    std::array<platform::OptionButton*, 2> Option1;
    platform::CommandButton* Command5;
    platform::Frame* Frame11;
    platform::ListView* ListView8;
    platform::CommandButton* Command38;
    platform::CommandButton* Command11;
    platform::CommandButton* Command15;
    platform::CommandButton* Command32;
    platform::CommandButton* Command10;
    platform::Frame* Frame12;
    platform::ListView* ListView9;
    platform::CommandButton* Command16;
    platform::CommandButton* Command18;
    platform::CommandButton* Command19;
    platform::CommandButton* Command20;
    platform::CommandButton* Command8;
    // Options.
    platform::Frame* Frame4;
    platform::ListView* ListView10;
    platform::ComboBox* Combo8;
    platform::CheckBox* Check111;
    platform::CheckBox* Check112;
    // Run and results.
    platform::CommandButton* Command21;
    platform::Frame* Frame14;
    platform::ListView* ListView12;
    // History.
    platform::Frame* Frame5;
    platform::ComboBox* Combo2;
    platform::ComboBox* Combo3;
    platform::ComboBox* Combo1;
    platform::ListView* ListView14;
    platform::CommandButton* Command12;
    platform::CommandButton* Command9;
    platform::CommandButton* Command26;
    platform::CommandButton* Command27;
    platform::CommandButton* Command7;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Each builds its part of the window in its design state and connects its handlers.
    void BuildSideBar();
    void BuildPages();
    void BuildCompetitionPage();
    void BuildTargetFrames();
    void BuildOptionControls();
    void BuildRunControls();
    void BuildHistoryFrame();
    // The filters and the buttons of the history keep inside a frame narrower than its design.
    void FitHistoryRows();

    // The load's steps.
    void LoadPageTree();
    void LoadTips();
    void FillRankOptionLists();
    void RestoreRankOptions();

    // The rank page's visit: the history filters refilled with every site and keyword, the
    // engine filter at "所有引擎", the list reloaded. False when the database is missing.
    bool VisitRankPage();
    // Refills the site and keyword filters with every site and keyword, each at its "all"
    // entry.
    void RefillHistoryFilters();
    void ReloadHistory();
    // The user chose `choice` in the site or keyword filter: `other` is refilled with the values
    // that go with it (keeping its own choice where it can) and the list is reloaded.
    using FilterEntries = QStringList (*)(platform::Connection& db, const QString& choice);
    void HistoryFilterChosen(platform::ComboBox* other, FilterEntries entriesFor,
                             const QString& choice);
    rank_history::Filter HistoryFilter() const;

    // The depth a run scans: Combo8's pages of ten and its text, or 50 when none is chosen.
    int DepthPages() const;
    QString DepthText() const;

    // Connects each button's Click to its handler.
    void ConnectClicks(
        std::initializer_list<std::pair<platform::CommandButton*, void (关键词工具::*)()>> clicks);
    // Puts the site and keyword frames where `mode` has them: the row list on the left.
    void PlaceTargetFrames(int mode);
    // The select-all buttons of the target lists.
    void ToggleAllTargets(platform::CommandButton* button, platform::ListView* list);
    // Connects a target list's events, a click on a row's box raising ItemCheck alone.
    void ConnectTargetList(platform::ListView* list, void (关键词工具::*itemCheck)(int),
                           void (关键词工具::*itemClick)(int),
                           void (关键词工具::*afterLabelEdit)(int, const QString&));

    ToolsWindowFields& fields_;
    // Runs whose handler is still on the stack: a run waits inside one of them.
    int runningRuns_ = 0;
    std::unique_ptr<research::ResearchPanes> research_;
    // The target list whose row box the user just changed: the click that changed it is no
    // click on the row.
    platform::ListView* boxClicked_ = nullptr;
};
