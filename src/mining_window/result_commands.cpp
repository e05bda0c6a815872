#include "mining_window/result_commands.h"

#include <QSet>

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

int CheckedCount(const platform::RowTable& list) {
    int checked = 0;
    for (int i = 1; i <= list.Count(); ++i) checked += list.Checked(i) ? 1 : 0;
    return checked;
}

}  // namespace

SubmitOutcome SubmitCheckedRows(platform::Connection& connection, const platform::RowTable& list,
                                const metrics::KeywordColumns& columns, const QString& parent,
                                const QString& date) {
    using metrics::KeywordCell;
    SubmitOutcome outcome;
    const auto fail = [&](int rows) {
        outcome.failed = rows;
        outcome.error = connection.LastError();
        return outcome;
    };
    // The write lock before anything else: under another program's lock the submit waits once,
    // then fails whole, having written nothing.
    platform::WriteTransaction transaction(connection);
    if (!transaction.Begun()) return fail(CheckedCount(list));

    // A cell still waiting for its value is stored as the row savers store a value not obtained.
    const auto cell = [&list, &columns](int index, KeywordCell which) {
        const int j = columns.CellOf(which);
        return metrics::StoredMetric(j >= 0 ? list.CellView(index, j) : QStringView());
    };
    // Each row asks the index on keys for its own keyword, and is written unless the table
    // holds it: stored before, or by a row above.
    int written = 0;
    for (int i = 1; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        const QString keyword = TrimBlanks(list.Text(i));
        bool stored = false;
        if (!connection.ReadRows(kStoredKeywordQuery, {keyword},
                                 [&stored](const platform::RowReader&) { stored = true; }))
            return fail(CheckedCount(list));
        if (stored) continue;
        if (!connection.Execute(
                QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                               "adddate) values (?,?,?,?,?,?)"),
                {keyword, parent, cell(i, KeywordCell::MonthVolume),
                 cell(i, KeywordCell::DayVolume), cell(i, KeywordCell::BaiduCount), date}))
            return fail(CheckedCount(list));
        ++written;
    }
    if (!transaction.Commit()) return fail(CheckedCount(list));
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
