#include "keyword_lists/keyword_filter.h"

#include <QStringList>
#include <array>
#include <cmath>
#include <optional>

#include "metrics/number_text.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace {

using metrics::KeywordCell;

// One numeric condition ready to test: the cell it reads, its operator and its limit.
struct NumericTest {
    int cell = -1;
    int comparison = -1;
    double limit = 0;

    // Whether the row's cell makes the row go.
    bool Removes(QStringView text) const {
        if (text.isEmpty() || text == u"-") return false;
        const std::optional<double> value = metrics::ReadNumber(text.toString());
        if (!value) return false;
        const double whole = std::nearbyint(*value);
        switch (comparison) {
            case KeywordFilter::kGreater:
                return whole <= limit;
            case KeywordFilter::kLess:
                return whole >= limit;
            case KeywordFilter::kEqual:
                return whole != limit;
        }
        return false;
    }
};

std::optional<NumericTest> TestOf(const KeywordFilter::Condition& condition, int cell) {
    if (cell < 0 || condition.comparison < KeywordFilter::kGreater ||
        condition.comparison > KeywordFilter::kEqual)
        return std::nullopt;
    const std::optional<double> limit = metrics::ReadNumber(condition.limit);
    if (!limit) return std::nullopt;
    return NumericTest{cell, condition.comparison, std::nearbyint(*limit)};
}

QStringList WordsOf(const QString& box) {
    return TrimBlanks(box.toLower()).split(u'#', Qt::SkipEmptyParts);
}

bool ContainsAnyWord(QStringView text, const QStringList& words) {
    for (const QString& word : words)
        if (text.contains(word, Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace

void FilterKeywordList(platform::RowTable& shown, const KeywordFilter& filter,
                       const metrics::KeywordColumns& columns) {
    const bool wordStep = !filter.words.isEmpty() && (filter.wordMode == KeywordFilter::kContains ||
                                                      filter.wordMode == KeywordFilter::kExcludes);
    const QStringList words = wordStep ? WordsOf(filter.words) : QStringList();
    const bool contains = !words.isEmpty() && filter.wordMode == KeywordFilter::kContains;
    const bool excludes = !words.isEmpty() && filter.wordMode == KeywordFilter::kExcludes;

    std::vector<NumericTest> tests;
    const std::array<std::pair<const KeywordFilter::Condition*, KeywordCell>, 4> conditions{{
        {&filter.count, KeywordCell::BaiduCount},
        {&filter.month, KeywordCell::MonthVolume},
        {&filter.day, KeywordCell::DayVolume},
        {&filter.index, KeywordCell::BaiduIndex},
    }};
    for (const auto& [condition, cell] : conditions)
        if (const std::optional<NumericTest> test = TestOf(*condition, columns.CellOf(cell)))
            tests.push_back(*test);
    if (!contains && !excludes && tests.empty()) return;

    const int wordCell = qMax(0, columns.CellOf(KeywordCell::Keyword));
    shown.RemoveWhere([&](int row) {
        if (contains || excludes) {
            const bool hasWord = ContainsAnyWord(shown.CellView(row, wordCell), words);
            if (contains && !hasWord && !shown.Checked(row)) return true;
            if (excludes && hasWord) return true;
        }
        for (const NumericTest& test : tests)
            if (test.Removes(shown.CellView(row, test.cell))) return true;
        return false;
    });
    if (contains) shown.SetAllChecked(false);
}

void RestoreFromMaster(platform::RowTable& shown, const platform::RowTable& master) {
    shown.SetSorting(std::nullopt);
    shown.RebuildFrom(master);
}
