#include "database_window/keyword_db_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include "database_window/keyword_db_row.h"
#include "metrics/optimisation_index.h"
#include "platform/database.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace {

using metrics::KeywordCell;

// The columns of the query in the order of the row's cells; the index comes between count and
// date.
constexpr KeywordCell kStoredCells[] = {KeywordCell::Keyword,     KeywordCell::Parent,
                                        KeywordCell::MonthVolume, KeywordCell::DayVolume,
                                        KeywordCell::BaiduCount,  KeywordCell::UpdateDate};

QString IndexOf(const platform::RowTable& list, int row) {
    return metrics::OptimisationIndex(list.Cell(row, DbCell(KeywordCell::MonthVolume)),
                                      list.Cell(row, DbCell(KeywordCell::BaiduCount)));
}

}  // namespace

bool LoadKeywordDb(platform::Connection& db, platform::RowTable& shown,
                   platform::RowTable& master) {
    shown.SetSorting(std::nullopt);
    master.Clear();
    std::optional<platform::Recordset> records = db.Query(
        QStringLiteral("select keys,parentkeys,monthrank,dayrank,baidunum,adddate from keywords"));
    if (records) master.Reserve(records->RecordCount());
    for (; records && !records->Eof(); records->MoveNext()) {
        const int row = master.Add(records->Field(0).toString()).Index();
        // Cells from left to right, the cheapest way to fill a row.
        for (int field = 1; field < 5; ++field)
            master.SetCell(row, DbCell(kStoredCells[field]), records->Field(field).toString());
        master.SetCell(row, DbCell(KeywordCell::BaiduIndex), IndexOf(master, row));
        master.SetCell(row, DbCell(KeywordCell::UpdateDate), records->Field(5).toString());
    }
    // The shown list as one copy of the master: one reset of its view, whatever the length.
    shown.RebuildFrom(master);
    return records.has_value();
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
