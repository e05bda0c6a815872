#pragma once

#include <QString>

namespace platform {
class RowTable;
}

// A filter of a result list in place (FilterListRows): a word condition on the row text, then
// a number condition on each of sub-items 3, 1 and 2. No page of the keyword tools window
// offers it.
namespace research {

// A number condition: the number box's text and the position of its comparison selector.
struct NumberCondition {
    QString number;
    int selector = 0;  // 0 keeps values above the number, 1 below it, 2 equal to it
};

struct ListFilterInputs {
    QString word;
    int wordSelector = 0;  // 0 keeps rows whose text contains the word, 1 the others
    NumberCondition subItem3;
    NumberCondition subItem1;
    NumberCondition subItem2;
};

// Removes the rows of `list` that fail the conditions, stage by stage: the word (when given,
// case-sensitive), then sub-items 3, 1 and 2 (each when its box holds a number). A cell with
// no value ("-", empty), or one that is not a whole number, always stays. Any other selector
// position removes nothing. The number of rows removed.
int FilterListRows(platform::RowTable& list, const ListFilterInputs& inputs);

}  // namespace research
