#include "database_window/db_column_sort.h"

#include <charconv>

#include "database_window/keyword_db_row.h"
#include "platform/row_table.h"

namespace {

using metrics::KeywordCell;

template <typename Value>
bool KeyedLess(QStringView a, QStringView b, std::optional<Value> (*read)(QStringView)) {
    const std::optional<Value> x = read(a);
    const std::optional<Value> y = read(b);
    if (x && y) return *x < *y;
    if (x || y) return y.has_value();
    return platform::TextLess(a, b);
}

// Reads an unsigned number of at most `maxDigits` digits at `at`, moving past it.
std::optional<int> Digits(QStringView text, qsizetype& at, int maxDigits) {
    int value = 0;
    int count = 0;
    while (at < text.size() && count < maxDigits && text[at].isDigit() &&
           text[at].unicode() < 128) {
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
        ++count;
    }
    if (count == 0) return std::nullopt;
    return value;
}

bool Skip(QStringView text, qsizetype& at, QChar c) {
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
}

}  // namespace

std::optional<double> CellNumber(QStringView cell) {
    char buffer[64] = {};
    int length = 0;
    for (QChar c : cell.trimmed()) {
        if (c == u',') continue;
        const char16_t u = c.unicode();
        const bool allowed = (u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'+' ||
                             u == u'e' || u == u'E';
        if (!allowed || length == int(sizeof buffer)) return std::nullopt;
        buffer[length++] = static_cast<char>(u);
    }
    const char* begin = buffer;
    const char* end = buffer + length;
    if (begin != end && *begin == '+') ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<qint64> CellMoment(QStringView cell) {
    const QStringView text = cell.trimmed();
    qsizetype at = 0;
    const std::optional<int> year = Digits(text, at, 4);
    if (!year || at >= text.size()) return std::nullopt;
    const QChar separator = text[at];
    if (separator != u'-' && separator != u'/') return std::nullopt;
    ++at;
    const std::optional<int> month = Digits(text, at, 2);
    if (!month || !Skip(text, at, separator)) return std::nullopt;
    const std::optional<int> day = Digits(text, at, 2);
    if (!day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
    qint64 seconds = 0;
    if (Skip(text, at, u' ') || Skip(text, at, u'T')) {
        const std::optional<int> hours = Digits(text, at, 2);
        const std::optional<int> minutes =
            hours && Skip(text, at, u':') ? Digits(text, at, 2) : std::nullopt;
        if (!minutes) return std::nullopt;
        const std::optional<int> secs = Skip(text, at, u':') ? Digits(text, at, 2) : 0;
        if (!secs) return std::nullopt;
        seconds = *hours * 3600 + *minutes * 60 + *secs;
    }
    if (at != text.size()) return std::nullopt;
    return ((qint64(*year) * 12 + *month) * 31 + *day) * 86400 + seconds;
}

bool NumberCellLess(QStringView a, QStringView b) {
    return KeyedLess<double>(a, b, CellNumber);
}

bool DateCellLess(QStringView a, QStringView b) {
    return KeyedLess<qint64>(a, b, CellMoment);
}

void SortKeywordDbList(platform::RowTable& list, int column, Qt::SortOrder order) {
    platform::SortRule rule;
    rule.column = column - 1;
    rule.order = order;
    for (KeywordCell cell : {KeywordCell::MonthVolume, KeywordCell::DayVolume,
                             KeywordCell::BaiduCount, KeywordCell::BaiduIndex})
        if (DbCell(cell) == rule.column) rule.less = NumberCellLess;
    if (DbCell(KeywordCell::UpdateDate) == rule.column) rule.less = DateCellLess;
    list.SetSorting(rule);
}
