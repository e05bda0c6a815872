#pragma once

#include <QString>
#include <vector>

#include "metrics/window_context.h"
#include "platform/row_table.h"

// The keyword comparison: for each keyword of its box, one row with the keyword's monthly
// search volume, its Baidu result count, the paid, home-page and fresh results of its first
// results page, and the competition degree made of them. Rows go bold when done; a run skips
// bold rows, so a paused run resumes at its first row not done.
namespace research {

inline const QString kComparisonStartCaption = QStringLiteral("开始分析");
inline const QString kComparisonPauseCaption = QStringLiteral("暂停分析");
inline const QString kComparisonStoppingCaption = QStringLiteral("正在停止...");

// The page's own state, which lives as long as the window.
struct ComparisonState {
    // The run goes on while set; a pause click clears it.
    bool ComparisonRunning = false;
    // While a run's loop is under way, its pause included until it notices.
    bool InRun = false;
    // The last run was paused: the rows not yet analysed wait for the next run.
    bool Paused = false;
    // The box's text (without surrounding blanks) the rows were last built from.
    QString LastComparisonInput;
    // The order of the last column sort; the next click reverses it.
    Qt::SortOrder SortOrder = Qt::DescendingOrder;
};

// What the comparison page gives its run; the window implements it.
class ComparisonPage {
  public:
    virtual ~ComparisonPage() = default;

    virtual metrics::WindowContext& Window() = 0;
    virtual ComparisonState& State() = 0;
    // The comparison list (ListView18) and the keyword box (Text8).
    virtual platform::RowTable& List() = 0;
    virtual QString KeywordText() const = 0;
    // The start and pause button (Command31).
    virtual QString ButtonCaption() const = 0;
    virtual void SetButtonCaption(const QString& caption) = 0;
    virtual void SetButtonEnabled(bool enabled) = 0;
    // The clear and export buttons (Command4, Command24, Command25, Command28).
    virtual void SetListCommandsEnabled(bool enabled) = 0;
    // The status bar's panels 2 and 3.
    virtual void SetProgressPanels(const QString& count, const QString& item) = 0;
};

// The columns of the comparison list (ListView18).
std::vector<platform::Column> ComparisonColumns();

// A click on the start and pause button (Command31_Click), also the comparison hand-off's
// start: builds the rows afresh when the box's text has changed and no run is under way, then
// starts a run, or asks the running one to pause. Returns when the run has ended or paused,
// or at once after a refusal or a pause request.
void ComparisonClick(ComparisonPage& page);

// The run over the list's rows as they stand when it starts (Duibi).
void Duibi(ComparisonPage& page);

// A click on the header of column `column` (from 0, the keyword's): sorts by it, reversing the
// order of the last sort, numbers by their value; refused while a job runs.
void ComparisonColumnClick(ComparisonPage& page, int column);

}  // namespace research
