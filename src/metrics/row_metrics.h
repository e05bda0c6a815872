#pragma once

#include <QString>
#include <array>

#include "metrics/row_handle.h"
#include "metrics/window_context.h"

// The metrics of a freshly mined result row: monthly and yesterday's search volume, the Baidu
// indexed-page count and the optimisation index, each when its option box is ticked, reusing
// what today's stored row of the keyword holds; then, when the save box is ticked, the row is
// stored in table keywords.
namespace metrics {

// The row of a keyword in a pane's result list and its row in the pane's second list; either
// may be absent.
using KeywordRows = std::array<RowHandle, 2>;

// Fills `rows`, the rows the mining run has just added to `pane`'s lists for `kw` (AddIndex,
// AddIndex1, AddIndex2). The rows are held by key: a row removed meanwhile is not written, one
// moved by a sort or by rows added meanwhile is still the row written.
void FillRowMetrics(MiningContext& window, Pane pane, const QString& kw, const KeywordRows& rows);

}  // namespace metrics
