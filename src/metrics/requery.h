#pragma once

#include <QString>

#include "metrics/window_binding.h"

namespace platform {
class ListView;
}

// The re-query of a result row: its search volume, indexed-page count and optimisation index
// fetched once more and written into the row, without request gap, blocking check, browser
// fallback, stored-row reuse or saving.
namespace metrics {

// Where a list keeps the cells that the re-query writes.
struct RequeryLayout {
    int cells;            // sub-items 1 to cells show "正在查询中..." meanwhile
    int baiduIndexCell;   // 百度优化指数
    int googleCountCell;  // 谷歌收录数; 0 when the list has none
    int googleIndexCell;  // 谷歌优化指数; 0 when the list has none
};
// The mining result rows (MiningResultRow) and the rows of the index query list.
inline constexpr RequeryLayout kMiningRowLayout{4, 4, 0, 0};
inline constexpr RequeryLayout kIndexQueryLayout{6, 5, 4, 6};

// Re-queries the selected row of `list`: the volume when `volume` is set, the counts when
// `counts` is set. The row is taken when the call starts; a selection changed meanwhile does
// not move the values, and a row removed meanwhile gets none.
void Requery(WindowBinding& window, platform::ListView* list, bool volume, bool counts,
             const RequeryLayout& layout);

// The mining window's re-query (recha): the selected row of the regular pane's result list,
// with the pane's volume and count options.
void recha(MiningBinding& window);

// Of the first row of `list` whose text is `keyword` exactly: its monthly and yesterday's
// volume joined by "-", or an empty text when both are "-" or no row matches.
QString Gettmpindex(const platform::ListView& list, const QString& keyword);

}  // namespace metrics
