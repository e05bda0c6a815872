#include "mining_window/result_commands.h"

#include <QSet>

#include "metrics/keyword_columns.h"
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

SubmitOutcome SubmitCheckedRows(platform::Connection& connection, const platform::RowTable& list,
                                const metrics::KeywordColumns& columns, const QString& parent,
                                const QString& date) {
    using metrics::KeywordCell;
    SubmitOutcome outcome;
    // The stored keywords, read once: the table has no index on them.
    QSet<QString> stored;
    std::optional<platform::Recordset> records =
        connection.Query(QStringLiteral("select keys from keywords"));
    if (!records) {
        outcome.error = connection.LastError();
        for (int i = 1; i <= list.Count(); ++i) outcome.failed += list.Checked(i) ? 1 : 0;
        return outcome;
    }
    for (; !records->Eof(); records->MoveNext())
        stored.insert(records->Text(QStringLiteral("keys")));

    const auto cell = [&list, &columns](int index, KeywordCell which) {
        const int j = columns.CellOf(which);
        return j >= 0 ? list.Cell(index, j) : QString();
    };
    const bool inTransaction = connection.Execute(QStringLiteral("begin"));
    int written = 0;
    for (int i = 1; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        const QString keyword = TrimBlanks(list.Text(i));
        if (stored.contains(keyword)) continue;
        const bool ok = connection.Execute(
            QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                           "adddate) values (?,?,?,?,?,?)"),
            {keyword, parent, cell(i, KeywordCell::MonthVolume), cell(i, KeywordCell::DayVolume),
             cell(i, KeywordCell::BaiduCount), date});
        if (!ok) {
            ++outcome.failed;
            outcome.error = connection.LastError();
            continue;
        }
        stored.insert(keyword);
        ++written;
    }
    if (inTransaction && !connection.Execute(QStringLiteral("commit"))) {
        // Nothing of the transaction was kept.
        outcome.error = connection.LastError();
        connection.Execute(QStringLiteral("rollback"));
        outcome.failed += written;
        written = 0;
    }
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
