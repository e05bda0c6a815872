#include "mining_window/result_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
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

// The checked rows, the first of each keyword (its text trimmed) only, with their keywords.
QList<std::pair<int, QString>> CheckedKeywords(const platform::RowTable& list) {
    QList<std::pair<int, QString>> rows;
    QSet<QString> seen;
    for (int i = 1; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        const QString keyword = TrimBlanks(list.Text(i));
        if (seen.contains(keyword)) continue;
        seen.insert(keyword);
        rows.append({i, keyword});
    }
    return rows;
}

// Which of `rows`' keywords table keywords holds: one statement that finds each through the
// index on keys, whatever the number of keywords stored.
std::optional<QSet<QString>> StoredAmong(platform::Connection& connection,
                                         const QList<std::pair<int, QString>>& rows) {
    QJsonArray keywords;
    for (const auto& row : rows) keywords.append(row.second);
    QSet<QString> stored;
    if (!connection.ReadRows(
            QStringLiteral(
                "select keys from keywords where keys in (select value from json_each(?))"),
            {QString::fromUtf8(QJsonDocument(keywords).toJson(QJsonDocument::Compact))},
            [&stored](const platform::RowReader& row) { stored.insert(row.Text(0)); }))
        return std::nullopt;
    return stored;
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
    QList<std::pair<int, QString>> rows = CheckedKeywords(list);
    const std::optional<QSet<QString>> stored =
        transaction.Begun() ? StoredAmong(connection, rows) : std::nullopt;
    if (!stored) return fail(CheckedCount(list));
    rows.removeIf([&stored](const auto& row) { return stored->contains(row.second); });

    // A cell still waiting for its value is stored as the row savers store a value not obtained.
    const auto cell = [&list, &columns](int index, KeywordCell which) {
        const int j = columns.CellOf(which);
        return metrics::StoredMetric(j >= 0 ? list.Cell(index, j) : QString());
    };
    for (const auto& [i, keyword] : rows) {
        const bool inserted = connection.Execute(
            QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                           "adddate) values (?,?,?,?,?,?)"),
            {keyword, parent, cell(i, KeywordCell::MonthVolume), cell(i, KeywordCell::DayVolume),
             cell(i, KeywordCell::BaiduCount), date});
        if (!inserted) return fail(static_cast<int>(rows.size()));
    }
    if (!transaction.Commit()) return fail(static_cast<int>(rows.size()));
    outcome.written = static_cast<int>(rows.size());
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
