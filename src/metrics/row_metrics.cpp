#include "metrics/row_metrics.h"

#include <array>

#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/index_pair.h"
#include "metrics/keyword_table.h"
#include "metrics/optimisation_index.h"
#include "metrics/row_handle.h"
#include "shared/cxhtml.h"

namespace metrics {
namespace {

// The keyword's row in each list of a pane.
class PaneRows {
  public:
    PaneRows(const KeywordRows& rows, const KeywordColumns& columns)
        : rows_(rows), columns_(columns) {
        if (const int row = rows_[0].Index()) keyword_ = rows_[0].List()->Text(row);
    }

    // The text of the shown list's row; nothing when that list had no row.
    const std::optional<QString>& Keyword() const { return keyword_; }
    void Write(KeywordCell cell, const QString& value) {
        for (const RowHandle& target : rows_)
            if (const int row = target.Index())
                WriteCell(*target.List(), columns_, row, cell, value);
    }

  private:
    KeywordRows rows_;
    const KeywordColumns& columns_;
    std::optional<QString> keyword_;
};

}  // namespace

void FillRowMetrics(MiningContext& window, Pane pane, const QString& kw,
                    const KeywordRows& keywordRows) {
    PaneRows rows(keywordRows, window.ResultColumns(pane));

    std::optional<TodaysRow> stored;
    if (!window.DbMissing()) stored = ReadTodaysRow(kw);
    CXHtml fetcher;

    Volumes volumes{kNotObtained, kNotObtained};
    if (window.Ticked(pane, PaneOption::Volume)) {
        if (stored && stored->HasVolumes())
            volumes = {*stored->dayrank, stored->monthrank.value_or(kNotObtained)};
        else
            volumes = SplitIndexPair(LookUpVolume(window, fetcher, kw, kw));
    }
    rows.Write(KeywordCell::MonthVolume, volumes.month);
    rows.Write(KeywordCell::DayVolume, volumes.day);

    QString count = kNotObtained;
    if (window.Ticked(pane, PaneOption::Count)) {
        if (stored && stored->HasCount()) {
            count = *stored->baidunum;
        } else {
            WaitBaiduInterval(window);
            count = BaiduCount(FetchBaiduPage(window, fetcher, kw));
        }
    }
    rows.Write(KeywordCell::BaiduCount, count);
    rows.Write(KeywordCell::BaiduIndex, OptimisationIndex(volumes.month, count));

    // The values are stored even when the user has removed the shown row meanwhile: they
    // belong to the keyword the row was added for.
    if (rows.Keyword() && !(stored && stored->Complete()) && window.Ticked(pane, PaneOption::Save))
        SaveKeywordRow(window, pane, {*rows.Keyword(), volumes.month, volumes.day, count});
}

}  // namespace metrics
