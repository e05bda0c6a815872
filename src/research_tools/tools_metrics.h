#pragma once

#include <functional>

#include "metrics/window_context.h"

namespace platform {
class RowTable;
}

// The keyword tools window as the metric lookups see it: it counts its empty index-history
// pages, lays a keyword's history into the index page's history list one dated row a day, has
// no browser (a fallback fetch waits five seconds and brings nothing), never waits between its
// requests and sends the keyword itself as the parent of its reports.
namespace research {

class ToolsMetrics final : public metrics::WindowContext {
  public:
    // `state` and `history` belong to the window and outlive this object; `dbMissing` reads the
    // window's database-missing flag.
    ToolsMetrics(metrics::WindowMetricsState& state, platform::RowTable& history,
                 std::function<bool()> dbMissing);

    metrics::WindowMetricsState& MetricsState() override { return state_; }
    bool DbMissing() const override { return dbMissing_ && dbMissing_(); }
    QString IntervalText() const override;
    QString ReactionText() const override;
    void ShowBlockingSettings() override {}
    platform::BrowserControl* Browser() override { return nullptr; }
    QString ReportParent(metrics::ReportSource source, const QString& keyword) const override;
    void ShowHistory(const QStringList& values) override;

  private:
    metrics::WindowMetricsState& state_;
    platform::RowTable& history_;
    std::function<bool()> dbMissing_;
};

}  // namespace research
