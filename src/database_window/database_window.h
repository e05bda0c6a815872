#pragma once

#include "database_window/database_refresh.h"
#include "keyword_lists/add_keywords_dialog.h"
#include "keyword_lists/keyword_filter_frame.h"
#include "platform/list_view.h"
#include "platform/tree_view.h"
#include "shell/popup_menus.h"
#include "shell/work_window.h"

// What the keyword database window keeps from one opening to the next: the window's fields
// live as long as the program, its controls only as long as one opening.
struct DatabaseWindowMemory {
    // Set when a load could not open db.db; nothing clears it.
    bool KeywordDbMissing = false;
    // The time of the window's last Baidu results-page request; it keeps no failure count.
    metrics::WindowMetricsState metrics = metrics::WindowMetricsState::NotCounting();

    // The program's memory of the window.
    static DatabaseWindowMemory& Program();
};

// The keyword database window: every keyword of table keywords with its metrics, filtered,
// sorted, deleted, exported, refreshed row by row, handed to the comparison tool. The side bar
// holds the tool tree and the information panels; of the three pages only the analysis page
// is reachable.
class 关键词数据库 : public WorkWindow,
                     public DbRefreshHost,
                     public DatabaseMenuTarget,
                     public AddKeywordsLists {
  public:
    explicit 关键词数据库(DatabaseWindowMemory& memory = DatabaseWindowMemory::Program(),
                          QWidget* parent = nullptr);

    // The window.
    void Form_Load() override;
    void Form_Resize();
    void pic1_Resize();
    void tab1_Click();
    void tab2_Click();
    void TreeView1_NodeClick(int node);
    void TreeView1_Collapse(QTreeWidgetItem* node);
    void TreeView1_Expand(QTreeWidgetItem* node);
    void TreeView1_SelectedNodeBlack();
    void TreeView1_SelectedNodeWhite();
    void Command19_Click();

    // The list commands.
    void Command48_Click();
    void Command49_Click();
    void Command53_Click();
    void Command47_Click();
    void Command22_Click();
    void Command17_Click();
    void Command13_Click();
    void Command45_Click();
    void ListView16_ColumnClick(int column);

    // Loading and refreshing.
    void GetDb();
    void Command44_Click();
    void UpdateDb();
    void FinishDbRefresh(bool paused);

    // WorkWindow.
    bool DbMissing() override;
    bool JobRunning() const override { return refreshing_; }
    // A paused refresh, and values that only the list holds because the database refused
    // them, are work a switch must not throw away.
    bool JobPaused() const override { return refreshPaused_; }
    bool HoldsUnsavedWork() const override { return refreshPaused_ || valuesUnsaved_; }
    QWidget* SideBar() override { return PicLEFT; }
    QWidget* PageTabs() override { return tab1; }
    // The third page keeps its width.
    QList<QWidget*> SideBarPanes() override { return {pic1, pic2}; }
    platform::TextBox* GapBox() override { return txtbaiduse; }
    platform::TextBox* ReactionBox() override { return txtsetse; }

    // The metric routines' context.
    metrics::WindowMetricsState& MetricsState() override { return memory_.metrics; }
    QString IntervalText() const override { return txtbaiduse->Text(); }
    QString ReactionText() const override { return txtsetse->Text(); }
    void ShowBlockingSettings() override;
    platform::BrowserControl* Browser() override { return nullptr; }
    QString ReportParent(metrics::ReportSource, const QString& keyword) const override {
        return keyword;
    }
    void ShowHistory(const QStringList&) override {}

    // The refresh's view of the window.
    platform::RowTable& ShownList() override { return ListView16->Rows(); }
    platform::RowTable& MasterList() override { return ListView13; }
    bool VolumeTicked() const override { return Check30->Value() == 1; }
    bool CountTicked() const override { return Check10->Value() == 1; }
    bool PauseAsked() const override { return !UpdateRunning; }

    // The export menu's list and the add-keywords dialog's lists.
    platform::ListView* KeywordList() override { return ListView16; }
    platform::RowTable* ShownList(AddKeywordsMode mode) override;
    platform::RowTable* MasterList(AddKeywordsMode mode) override;

    bool& KeywordDbMissing;
    bool UpdateRunning = false;

    // Side bar.
    QWidget* PicLEFT;
    platform::TreeView* TreeView1;
    platform::Label* lbltitle;
    QWidget* tab2;
    QWidget* tip1;
    QWidget* tip2;
    QWidget* tip3;
    // Pages.
    QWidget* tab1;
    QWidget* pic1;
    QWidget* pic2;
    QWidget* pic3;
    // The analysis page.
    platform::Frame* Frame16;
    platform::CheckBox* Check30;
    platform::CheckBox* Check10;
    platform::CommandButton* Command44;
    platform::CommandButton* Command49;
    KeywordFilterFrame* Frame9;
    platform::TextBox* Text4;
    platform::ComboBox* Combo4;
    platform::TextBox* Text5;
    platform::ComboBox* Combo5;
    platform::TextBox* Text6;
    platform::ComboBox* Combo6;
    platform::TextBox* Text7;
    platform::ComboBox* Combo7;
    platform::TextBox* Text9;
    platform::ComboBox* Combo9;
    platform::CommandButton* Command22;
    platform::CommandButton* Command17;
    platform::ListView* ListView16;
    platform::RowTable ListView13;  // the master copy, never shown
    platform::CommandButton* Command45;
    platform::CommandButton* Command46;
    platform::CommandButton* Command47;
    platform::CommandButton* Command48;
    platform::CommandButton* Command13;
    platform::CommandButton* Command53;
    platform::TextBox* txtbaiduse;
    platform::TextBox* txtsetse;
    // The merge page.
    platform::TextBox* dbfile1;
    platform::TextBox* dbfile2;
    platform::TextBox* dbfile3;
    platform::CommandButton* Command4;
    platform::CommandButton* Command2;
    platform::CommandButton* Command11;
    // The backup and restore page.
    platform::TextBox* Text12;
    platform::CommandButton* Command19;
    platform::TextBox* Text8;
    platform::CommandButton* Command15;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildSideBar();
    void BuildAnalysisPage();
    void BuildMergePage();
    void BuildBackupPage();
    // The paused refresh resumes at its bold row: once a command has taken that row from the
    // list (a reload, 还原, a filter, a delete), the refresh is no longer paused.
    void DropPausedRefreshWithoutItsRow();

    DatabaseWindowMemory& memory_;
    int page_ = 0;                // tab1's page
    int panel_ = 0;               // tab2's panel
    bool refreshing_ = false;     // UpdateDb's loop is running
    bool refreshPaused_ = false;  // the last refresh stopped before its last row
    bool valuesUnsaved_ = false;  // a refresh's values are in the list only
};
