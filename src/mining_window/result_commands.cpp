#include "mining_window/result_commands.h"

#include <QSet>
#include <optional>

#include "metrics/keyword_columns.h"
#include "metrics/keyword_table.h"
#include "metrics/number_text.h"
#include "platform/database.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace result_commands {

bool DeleteCheckedRows(platform::RowTable& shown, platform::RowTable& master) {
    QSet<quint64> keys;
    for (int i = 1; i <= shown.Count(); ++i)
        if (shown.Checked(i)) keys.insert(shown.Key(i));
    if (keys.isEmpty()) return false;
    shown.RemoveChecked();
    master.RemoveWhere([&master, &keys](int index) { return keys.contains(master.Key(index)); });
    return true;
}

namespace {

// Whether table keywords holds `keyword`; nothing when the table cannot be read.
std::optional<bool> Stored(platform::Connection& connection, const QString& keyword) {
    bool stored = false;
    if (!connection.ReadRows(kStoredKeywordQuery, {keyword},
                             [&stored](const platform::RowReader&) { stored = true; }))
        return std::nullopt;
    return stored;
}

// Of the checked rows from `from` on, those whose keyword was to be written: neither stored nor
// taken by a checked row above (written, or stored before). Asked without waiting for a lock
// again; once the table cannot be read, every further keyword counts. Only a failed submit
// asks, so the keywords above are gathered here rather than on every row of a submit.
int RowsToWrite(platform::Connection& connection, const platform::RowTable& list, int from) {
    QSet<QString> seen;
    for (int i = 1; i < from && i <= list.Count(); ++i)
        if (list.Checked(i)) seen.insert(TrimBlanks(list.Text(i)));
    const platform::NoLockWait noWait(connection);
    int rows = 0;
    bool readable = true;
    for (int i = from; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        const QString keyword = TrimBlanks(list.Text(i));
        if (seen.contains(keyword)) continue;
        seen.insert(keyword);
        const std::optional<bool> stored = readable ? Stored(connection, keyword) : std::nullopt;
        readable = stored.has_value();
        if (!stored.value_or(false)) ++rows;
    }
    return rows;
}

}  // namespace

SubmitOutcome SubmitCheckedRows(platform::Connection& connection, const platform::RowTable& list,
                                const metrics::KeywordColumns& columns, const QString& parent,
                                const QString& date) {
    using metrics::KeywordCell;
    SubmitOutcome outcome;
    int written = 0;
    // A failure at row `from`: none of the rows written so far is kept, nor any row below that
    // was to be written; the rows whose keyword was stored before did not fail.
    const auto fail = [&](int from) {
        outcome.error = connection.LastError();
        outcome.failed = written + RowsToWrite(connection, list, from);
        return outcome;
    };
    // The write lock before anything else: under another program's lock the submit waits once,
    // then fails whole, having written nothing.
    platform::WriteTransaction transaction(connection);
    if (!transaction.Begun()) return fail(1);

    // A cell still waiting for its value is stored as the row savers store a value not obtained.
    const auto cell = [&list, &columns](int index, KeywordCell which) {
        const int j = columns.CellOf(which);
        return metrics::StoredMetric(j >= 0 ? list.CellView(index, j) : QStringView());
    };
    // Each row asks the index on keys for its own keyword, and is written unless the table
    // holds it: stored before, or by a row above.
    for (int i = 1; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        const QString keyword = TrimBlanks(list.Text(i));
        const std::optional<bool> stored = Stored(connection, keyword);
        if (!stored) return fail(i);
        if (*stored) continue;
        if (!connection.Execute(
                QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                               "adddate) values (?,?,?,?,?,?)"),
                {keyword, parent, cell(i, KeywordCell::MonthVolume),
                 cell(i, KeywordCell::DayVolume), cell(i, KeywordCell::BaiduCount), date})) {
            ++written;  // the failed row
            return fail(i + 1);
        }
        ++written;
    }
    if (!transaction.Commit()) return fail(list.Count() + 1);
    outcome.written = written;
    return outcome;
}

void SortResultList(platform::RowTable& list, int column, Qt::SortOrder order) {
    platform::SortRule rule;
    rule.column = column - 1;
    rule.order = order;
    rule.less = column == 1 ? platform::TextLess : metrics::NumberCellLess;
    list.SetSorting(rule);
}

}  // namespace result_commands
