#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace platform {
class BrowserControl;
class ListView;
}  // namespace platform

// The metric routines serve three work windows, which differ only in what they hand in here.
namespace metrics {

enum class WindowKind { Mining, Database, Tools };

// The window's own metric state; it starts afresh with the window object and is never reset.
struct WindowMetricsState {
    // Empty index-history pages so far; from 2 on, the window's volume lookups take the
    // province estimate. The database window keeps none.
    qint16 IndexFailCount = 0;
    // When the window last asked for a Baidu results page after a request gap; none before.
    std::optional<QDateTime> LastBaiduRequest;
};

// What the metric routines read and write of the window they run for.
class WindowBinding {
  public:
    virtual ~WindowBinding() = default;

    virtual WindowKind Kind() const = 0;
    virtual WindowMetricsState& MetricsState() = 0;
    // Whether the window's load could not open db.db; its database steps are then skipped.
    virtual bool DbMissing() const = 0;

    // Request gap in whole seconds and reaction to a blocking page, as the window's hidden
    // boxes txtbaiduse and txtsetse hold them ("0" open the blocking settings, "1" wait 5
    // seconds, "2" beep).
    virtual QString IntervalText() const { return QStringLiteral("3"); }
    virtual QString ReactionText() const { return QStringLiteral("1"); }
    // Shows the blocking settings dialog modally over the window; returns when the user has
    // closed it.
    virtual void ShowBlockingSettings();
    // The window's browser control for the fallback fetch of a results page; none by default.
    virtual platform::BrowserControl* Browser() { return nullptr; }

    // What decides the parent keyword of the index reports: the seed box (Text2), the page
    // switch (tab1.Tab) and the tip switch (tab2.Tab). Windows without them keep the defaults.
    virtual QString SeedText() const { return QString(); }
    virtual int PageTab() const { return 0; }
    virtual int TipTab() const { return 0; }

    // The list that an index history is laid into in the history mode; none by default.
    virtual platform::ListView* HistoryList() { return nullptr; }
};

// The panes of the mining window whose result rows get metrics.
enum class Pane { Regular, Batch, Manual };
// The three option boxes of each pane: 同时查询关键词搜索量, 同时查询关键词搜索引擎收录数,
// 查询数据即时加入关键词数据库.
enum class PaneOption { Volume, Count, Save };

// What the row metrics, the keyword savers and the re-query need of the mining window.
class MiningBinding : public WindowBinding {
  public:
    WindowKind Kind() const final { return WindowKind::Mining; }

    // The pane's shown result list (ListView1, ListView3, ListView2) and its second list,
    // which gets every cell too (ListView17, none, ListView5).
    virtual platform::ListView* ResultList(Pane pane) = 0;
    virtual platform::ListView* SecondList(Pane pane) = 0;
    // Whether the pane's option box is ticked (value 1).
    virtual bool Ticked(Pane pane, PaneOption option) const = 0;
    // The keyword the batch run works on: the parent keyword of the batch pane's rows.
    virtual QString CurrentBatchKeyword() const = 0;
};

}  // namespace metrics
