#pragma once

#include <QString>

#include "metrics/keyword_columns.h"

namespace platform {
class RowTable;
}

// The filter of the mining result list and of the keyword database list: words the keyword must
// or must not contain, and up to four numeric conditions on the metric columns. It removes rows
// from the shown list only; the master copy keeps every row for 还原.

// What the filter frame's boxes hold when 开始过滤 is clicked. The operators are the operator
// boxes' ListIndex, -1 while nothing is selected.
struct KeywordFilter {
    enum WordMode { kContains = 0, kExcludes = 1 };
    enum Comparison { kGreater = 0, kLess = 1, kEqual = 2 };

    struct Condition {
        QString limit{};  // a number; anything else leaves the condition out
        int comparison = -1;
    };

    QString words{};    // Text4: words joined by "#"
    int wordMode = -1;  // Combo4
    Condition count{};  // Text5, Combo5: the Baidu indexed-page count
    Condition month{};  // Text6, Combo6: the monthly search volume
    Condition day{};    // Text7, Combo7: yesterday's search volume
    Condition index{};  // Text9, Combo9: the optimisation index
};

// FilterKeywordList: removes from `shown` every row that fails `filter`, in one pass, reading
// the cells that `columns` (the list's column map) names for each condition.
// - Words: the words box lower-cased, trimmed of blanks and split at "#"; empty words are left
//   out, and with no word left the word step is skipped. A row contains a word when its text
//   holds it, whatever the letter case. 包含 keeps the rows that contain a word and the rows
//   that were checked before, then clears every check mark; 不包含 removes the rows that
//   contain a word and leaves the marks as they are.
// - Numbers: a limit and a cell compare as whole numbers (rounded, a half to the even
//   neighbour); thousands separators are read. ">" keeps the rows above the limit, "<" those
//   below, "=" those equal to it. A cell that is "-", empty or no number at all is never
//   removed by a condition.
void FilterKeywordList(platform::RowTable& shown, const KeywordFilter& filter,
                       const metrics::KeywordColumns& columns);

// 还原: makes `shown` unsorted and the rows of `master` again, in its order: texts, every
// cell, bold marks and keys, with no row checked.
void RestoreFromMaster(platform::RowTable& shown, const platform::RowTable& master);
