#include "database_window/keyword_db_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <array>

#include "database_window/keyword_db_row.h"
#include "metrics/optimisation_index.h"
#include "platform/database.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace {

using metrics::KeywordCell;

QString IndexOf(const platform::RowTable& list, int row) {
    return metrics::OptimisationIndex(list.Cell(row, DbCell(KeywordCell::MonthVolume)),
                                      list.Cell(row, DbCell(KeywordCell::BaiduCount)));
}

}  // namespace

bool LoadKeywordDb(platform::Connection& db, platform::RowTable& shown,
                   platform::RowTable& master) {
    shown.SetSorting(std::nullopt);
    const std::optional<platform::Recordset> count =
        db.Query(QStringLiteral("select count(*) from keywords"));
    const int rows = count ? count->Field(0).toInt() : 0;
    // The shown list's old rows go first and its room for the new ones is taken before the
    // master's texts are made: the texts then cannot split the room a list of rows needs.
    shown.Clear();
    shown.Reserve(rows);
    bool read = false;
    {
        platform::RowTable::Loader load(master, rows);
        // Room for the index too; figures are short, and it is never longer than a count.
        constexpr qsizetype kIndexLength = 16;
        constexpr int kFields = 6;
        const auto addRow = [&load](const platform::RowReader& record) {
            // Each field asked of the statement once: every ask takes the library's lock.
            std::array<QUtf8StringView, kFields> fields;
            qsizetype length = kIndexLength;
            for (int field = 0; field < kFields; ++field) {
                fields[field] = record.Utf8(field);
                if (field > 0) length += fields[field].size();
            }
            load.AddRow(fields[0].toString(), length);
            for (int field = 1; field < 5; ++field) load.AddCell(fields[field]);
            load.AddCell(metrics::OptimisationIndex(load.Cell(DbCell(KeywordCell::MonthVolume)),
                                                    load.Cell(DbCell(KeywordCell::BaiduCount))));
            load.AddCell(fields[5]);
        };
        read = count && db.ReadRows(QStringLiteral("select keys,parentkeys,monthrank,dayrank,"
                                                   "baidunum,adddate from keywords"),
                                    {}, addRow);
    }
    if (!read) master.Clear();
    // The shown list as one copy of the master, sharing its texts: one reset of its view.
    shown.RebuildFrom(master);
    return read;
}

void FillOptimisationIndex(platform::RowTable& shown, platform::RowTable& master, quint64 key) {
    const int row = shown.IndexOfKey(key);
    if (!row) return;
    const QString index = IndexOf(shown, row);
    shown.SetCell(row, DbCell(KeywordCell::BaiduIndex), index);
    if (const int masterRow = master.IndexOfKey(key))
        master.SetCell(masterRow, DbCell(KeywordCell::BaiduIndex), index);
}

bool DeleteCheckedKeywords(platform::Connection& db, platform::RowTable& shown,
                           platform::RowTable& master) {
    QJsonArray keywords;
    QSet<quint64> keys;
    for (int row = 1; row <= shown.Count(); ++row) {
        if (!shown.Checked(row)) continue;
        keywords.append(TrimBlanks(shown.Text(row)));
        keys.insert(shown.Key(row));
    }
    if (keys.isEmpty()) return true;
    // One statement, one pass over the table, whatever the number of keywords.
    if (!db.Execute(QStringLiteral("delete from keywords where keys in "
                                   "(select value from json_each(?))"),
                    {QString::fromUtf8(QJsonDocument(keywords).toJson(QJsonDocument::Compact))}))
        return false;
    shown.RemoveChecked();
    master.RemoveWhere([&](int row) { return keys.contains(master.Key(row)); });
    return true;
}
