#include "research_tools/list_filter.h"

#include "metrics/number_text.h"
#include "platform/row_table.h"

namespace research {
namespace {

int WordStage(platform::RowTable& list, const QString& word, int selector) {
    if (word.isEmpty() || (selector != 0 && selector != 1)) return 0;
    const bool keepContaining = selector == 0;
    return list.RemoveWhere([&list, &word, keepContaining](int index) {
        return list.CellView(index, 0).contains(word) != keepContaining;
    });
}

bool Fails(qint32 value, qint32 number, int selector) {
    switch (selector) {
        case 0:
            return value <= number;
        case 1:
            return value >= number;
        case 2:
            return value != number;
        default:
            return false;
    }
}

int NumberStage(platform::RowTable& list, int cell, const NumberCondition& condition) {
    const std::optional<qint32> number = metrics::ReadWhole32(condition.number);
    if (!number || condition.selector < 0 || condition.selector > 2) return 0;
    return list.RemoveWhere([&list, cell, &condition, &number](int index) {
        const std::optional<qint32> value = metrics::ReadWhole32(list.Cell(index, cell));
        return value && Fails(*value, *number, condition.selector);
    });
}

}  // namespace

int FilterListRows(platform::RowTable& list, const ListFilterInputs& inputs) {
    // One stage after the other: each looks at the rows the stages before it left.
    int removed = WordStage(list, inputs.word, inputs.wordSelector);
    removed += NumberStage(list, 3, inputs.subItem3);
    removed += NumberStage(list, 1, inputs.subItem1);
    removed += NumberStage(list, 2, inputs.subItem2);
    return removed;
}

}  // namespace research
