#pragma once

#include <QString>

#include "metrics/window_context.h"

// The metrics of a freshly mined result row: monthly and yesterday's search volume, the Baidu
// indexed-page count and the optimisation index, each when its option box is ticked, reusing
// what today's stored row of the keyword holds; then, when the save box is ticked, the row is
// stored in table keywords.
namespace metrics {

// Fills the newest row of `pane`'s result list (and its row in the pane's second list) for
// `kw`, the keyword the mining run has just added (AddIndex, AddIndex1, AddIndex2). The rows
// are taken when the call starts: a row removed meanwhile is not written, and rows added
// meanwhile are left alone.
void FillRowMetrics(MiningContext& window, Pane pane, const QString& kw);

}  // namespace metrics
