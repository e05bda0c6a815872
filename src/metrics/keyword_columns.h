#pragma once

#include <QString>
#include <initializer_list>
#include <vector>

#include "platform/row_table.h"

// The columns of a keyword list, declared once beside the list: what each column holds and its
// header. The metric routines write a row's cells by what they hold, never by number.
namespace metrics {

enum class KeywordCell {
    Keyword,      // the row text
    MonthVolume,  // 搜索量-月均
    DayVolume,    // 搜索量-昨日
    BaiduCount,   // 百度收录数
    BaiduIndex,   // 百度优化指数
    GoogleCount,  // 谷歌收录数
    GoogleIndex,  // 谷歌优化指数
    Parent,       // 父关键词 of a stored keyword
    UpdateDate,   // 更新日期 of a stored keyword
};

struct KeywordColumn {
    KeywordCell cell;
    platform::Column header;
};

class KeywordColumns {
  public:
    KeywordColumns(std::initializer_list<KeywordColumn> columns) : columns_(columns) {}

    // The cell number of `cell` in a row (0 the row text, j sub-item j); -1 when the list has
    // no such column.
    int CellOf(KeywordCell cell) const;
    bool Has(KeywordCell cell) const { return CellOf(cell) >= 0; }
    // The sub-items that hold metrics, 1 to this number.
    int MetricCells() const { return static_cast<int>(columns_.size()) - 1; }
    std::vector<platform::Column> Headers() const;

  private:
    std::vector<KeywordColumn> columns_;
};

// Writes `value` into the `cell` column of row `index` of `list`, when the list has that column.
void WriteCell(platform::RowTable& list, const KeywordColumns& columns, int index, KeywordCell cell,
               const QString& value);

}  // namespace metrics
