#pragma once

#include <QString>
#include <vector>

#include "metrics/window_context.h"
#include "platform/row_table.h"

// The hot-keyword page's run: it fetches the chosen subcategory's list page and lists its
// keywords with the figures the page shows and, when asked, each keyword's search volume,
// Baidu result count and optimisation index. A second click pauses it at the next row; a
// click on the same subcategory node resumes it there.
namespace research {

inline const QString kHotStartCaption = QStringLiteral("开始查询");
inline const QString kHotPauseCaption = QStringLiteral("暂停查询");
inline const QString kHotStoppingCaption = QStringLiteral("正在停止");

// The page's own state, which lives as long as the window.
struct HotListState {
    // The subcategory (position in HotKeywordCategories) whose page a run fetches; -1 until a
    // subcategory node is clicked.
    int ChosenPage = -1;
    // The page row a stopped run continues at, from 1; 0 to start at the first row.
    int txthoti = 0;
    // The run goes on while set; a pause click clears it.
    bool HotListRunning = false;
    // While a run's loop is under way, its pause included until it notices.
    bool InRun = false;
    // Whether the last run stopped before its end; only then does a start resume.
    bool Paused = false;
    // The tree node selected and the page fetched at the last start.
    int LastHotCategoryIndex = 0;
    int LastHotPage = -1;
};

// What the hot-keyword page gives its run; the window implements it.
class HotListPage {
  public:
    virtual ~HotListPage() = default;

    virtual metrics::WindowContext& Window() = 0;
    virtual HotListState& State() = 0;
    // The keyword list (ListView4) and its frame's caption (Frame7).
    virtual platform::RowTable& List() = 0;
    virtual void SetListCaption(const QString& caption) = 0;
    // The index of the category tree's selected node (TreeView2); 0 when none is.
    virtual int SelectedNodeIndex() const = 0;
    // Whether the volume, count and optimisation index are wanted (Check5), read every row.
    virtual bool ShowsMetrics() const = 0;
    // The start and pause button (Command29).
    virtual QString ButtonCaption() const = 0;
    virtual void SetButtonCaption(const QString& caption) = 0;
    virtual void SetButtonEnabled(bool enabled) = 0;
    // Gives the category tree the focus at the end of a run.
    virtual void FocusTree() = 0;
};

// The columns of the hot-keyword list (ListView4) as the page opens.
std::vector<platform::Column> HotListColumns();
// The caption of the list's frame before a subcategory is chosen.
inline const QString kHotListFrameCaption = QStringLiteral("热门关键词列表");

// A click on a node of the category tree (TreeView2_NodeClick) with `nodeText`: a subcategory
// becomes the page a run fetches; the list is neither cleared nor fetched.
void HotCategoryClick(HotListPage& page, const QString& nodeText);

// A click on the start and pause button (Command29_Click); returns when the run has ended or
// paused, or at once after a refusal or a pause request.
void HotListClick(HotListPage& page);

}  // namespace research
