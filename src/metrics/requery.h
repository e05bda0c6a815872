#pragma once

#include <QString>

#include "metrics/window_context.h"

// The re-query of a result row: its search volume, indexed-page count and optimisation index
// fetched once more and written into the row, without request gap, blocking check, browser
// fallback, stored-row reuse or saving.
namespace metrics {

// Re-queries row `index` of `list`, whose columns are `columns`: the volume when `volume` is
// set, the counts when `counts` is set (the Google count too when the list has its column).
// The row is taken when the call starts; a row removed meanwhile gets no values.
void Requery(WindowContext& window, platform::RowTable* list, const KeywordColumns& columns,
             int index, bool volume, bool counts);

// The mining window's re-query (recha): the selected row of the regular pane's result list,
// with the pane's volume and count options.
void recha(MiningContext& window);

// Of the first row of `list` whose text is `keyword` exactly: its monthly and yesterday's
// volume joined by "-", or an empty text when both are "-" or no row matches.
QString Gettmpindex(const platform::RowTable& list, const KeywordColumns& columns,
                    const QString& keyword);

}  // namespace metrics
