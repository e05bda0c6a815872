#pragma once

#include <QString>

// Made-up cells of row `row` of a keyword result list, alike in every benchmark: the keyword,
// the monthly volume, yesterday's volume ("-" in every fifth row), the Baidu count and the
// optimisation index with two decimals.
namespace result_cells {

// Keywords in an order that is not already sorted when `rows` is given; in row order otherwise.
inline QString Keyword(int row, int rows = 0) {
    return QStringLiteral("减肥方法%1大全").arg(rows ? row * 7919 % rows : row);
}
inline QString MonthVolume(int row) {
    return QString::number(row * 7 % 90000);
}
inline QString DayVolume(int row) {
    return row % 5 ? QString::number(row % 3000) : QStringLiteral("-");
}
inline QString BaiduCount(int row) {
    return QString::number(row * 131 % 9000000);
}
inline QString OptimisationIndex(int row) {
    return QString::number((row % 997) / 7.0, 'f', 2);
}

}  // namespace result_cells
