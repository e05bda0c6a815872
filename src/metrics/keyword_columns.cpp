#include "metrics/keyword_columns.h"

namespace metrics {

int KeywordColumns::CellOf(KeywordCell cell) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].cell == cell) return static_cast<int>(i);
    return -1;
}

std::vector<platform::Column> KeywordColumns::Headers() const {
    std::vector<platform::Column> headers;
    headers.reserve(columns_.size());
    for (const KeywordColumn& column : columns_) headers.push_back(column.header);
    return headers;
}

void WriteCell(platform::RowTable& list, const KeywordColumns& columns, int index, KeywordCell cell,
               const QString& value) {
    const int j = columns.CellOf(cell);
    if (j >= 0) list.SetCell(index, j, value);
}

}  // namespace metrics
