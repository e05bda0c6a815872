#include "research_tools/tools_metrics.h"

#include "platform/row_table.h"

namespace research {

ToolsMetrics::ToolsMetrics(metrics::WindowMetricsState& state, platform::RowTable& history,
                           std::function<bool()> dbMissing)
    : state_(state), history_(history), dbMissing_(std::move(dbMissing)) {}

QString ToolsMetrics::IntervalText() const {
    return QStringLiteral("0");
}

// No reaction: the research pages judge no results page as a blocking page.
QString ToolsMetrics::ReactionText() const {
    return QString();
}

QString ToolsMetrics::ReportParent(metrics::ReportSource, const QString& keyword) const {
    return keyword;
}

void ToolsMetrics::ShowHistory(const QStringList& values) {
    metrics::LayHistoryDown(history_, values);
}

}  // namespace research
