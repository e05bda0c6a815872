#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "metrics/keyword_columns.h"

namespace platform {
class BrowserControl;
class RowTable;
}  // namespace platform

// The metric routines serve three work windows. What differs between them reaches the
// routines through the context the window supplies, read live from the window each time.
namespace metrics {

// The window's own metric state; it starts afresh with the window object and is never reset.
struct WindowMetricsState {
    // A window that counts its empty index-history pages: from the second on, its volume
    // lookups take the province estimate.
    static WindowMetricsState Counting() { return WindowMetricsState(0); }
    // A window that keeps no count: its lookups always try the 30-day data first.
    static WindowMetricsState NotCounting() { return WindowMetricsState(std::nullopt); }

    std::optional<qint16> IndexFailCount;
    // When the window last asked for a Baidu results page after a request gap; none before.
    std::optional<QDateTime> LastBaiduRequest;

  private:
    explicit WindowMetricsState(std::optional<qint16> failCount) : IndexFailCount(failCount) {}
};

// Where a reported value came from; the window decides the parent keyword sent with it.
enum class ReportSource { ThirtyDayData, History, UnknownKeyword };

// What the metric routines read and write of the window they run for.
class WindowContext {
  public:
    virtual ~WindowContext() = default;

    virtual WindowMetricsState& MetricsState() = 0;
    // Whether the window's load could not open db.db, and it still cannot; its database steps
    // are then skipped.
    virtual bool DbMissing() = 0;

    // Request gap in whole seconds and reaction to a blocking page, as the window's hidden
    // boxes hold them ("0" open the blocking settings, "1" wait 5 seconds, "2" beep).
    virtual QString IntervalText() const = 0;
    virtual QString ReactionText() const = 0;
    // Shows the blocking settings dialog over the window; returns when the user has closed it.
    virtual void ShowBlockingSettings() = 0;
    // The window's browser control for the fallback fetch of a results page; nullptr when
    // the window has none.
    virtual platform::BrowserControl* Browser() = 0;

    // The parent keyword sent to the data-sharing service with a value from `source` for
    // `keyword`.
    virtual QString ReportParent(ReportSource source, const QString& keyword) const = 0;
    // Lays an index history (oldest value first) into the window's history list, when the
    // window has one.
    virtual void ShowHistory(const QStringList& values) = 0;
};

// The panes of the mining window whose result rows get metrics.
enum class Pane { Regular, Batch, Manual };
// The three option boxes of each pane: 同时查询关键词搜索量, 同时查询关键词搜索引擎收录数,
// 查询数据即时加入关键词数据库.
enum class PaneOption { Volume, Count, Save };

// What the row metrics, the keyword savers and the re-query need of the mining window.
class MiningContext : public WindowContext {
  public:
    // The pane's shown result list (ListView1, ListView3, ListView2) and its second list,
    // which gets every cell too (ListView17, none, ListView5); the columns they have.
    virtual platform::RowTable* ResultList(Pane pane) = 0;
    virtual platform::RowTable* SecondList(Pane pane) = 0;
    virtual const KeywordColumns& ResultColumns(Pane pane) const = 0;
    // The row selected in the pane's shown list, from 1; 0 when none is.
    virtual int SelectedRow(Pane pane) const = 0;
    // Whether the pane's option box is ticked (value 1).
    virtual bool Ticked(Pane pane, PaneOption option) const = 0;
    // The seed box (Text2) as it stands.
    virtual QString SeedText() const = 0;
    // The keyword the batch run works on: the parent keyword of the batch pane's rows.
    virtual QString CurrentBatchKeyword() const = 0;
};

// The mining window's parent keyword of a report: the seed or the reported keyword, by the
// page switch (tab1.Tab) and the tip switch (tab2.Tab).
QString MiningReportParent(const QString& seed, int pageTab, int tipTab, ReportSource source,
                           const QString& keyword);

// The two ways a window lays out an index history: across the columns of one row, newest
// first, one column a day back from yesterday (the mining window); one dated row a value,
// newest first (the tools window).
void LayHistoryAcross(platform::RowTable& list, const QStringList& values);
void LayHistoryDown(platform::RowTable& list, const QStringList& values);

}  // namespace metrics
