#include "metrics/keyword_table.h"

#include <QDate>
#include <QVariantList>
#include <limits>
#include <utility>

#include "metrics/number_text.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/row_table.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"

namespace metrics {
namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

FailedRowSaves failedRowSaves;

std::optional<QString> TextField(const platform::Recordset& record, const QString& column) {
    const QVariant value = record.Field(column);
    if (value.isNull()) return std::nullopt;
    return value.toString();
}

QString ParentKeyword(MiningContext& window, Pane pane, const QString& keyword) {
    switch (pane) {
        case Pane::Regular:
            return TrimBlanks(window.SeedText());
        case Pane::Batch:
            return window.CurrentBatchKeyword();
        case Pane::Manual:
            break;
    }
    return keyword;
}

// Whole days from a stored adddate to today; a date that cannot be read counts as long ago.
qint64 DaysSince(const std::optional<QString>& adddate) {
    const QDate stored = QDate::fromString(adddate.value_or(QString()).left(10), kDateFormat);
    if (!stored.isValid()) return std::numeric_limits<qint64>::max();
    return stored.daysTo(platform::TheClock().Today());
}

}  // namespace

QString TodayText() {
    return platform::TheClock().Today().toString(kDateFormat);
}

QString StoredMetric(const QString& cell) {
    const QString value = TrimBlanks(cell);
    return ReadNumber(value) ? value : QStringLiteral("-");
}

std::optional<TodaysRow> ReadTodaysRow(const QString& keyword) {
    const std::optional<platform::Recordset> records = SharedConnection().Query(
        QStringLiteral("select * from keywords where keys = ? and date(adddate) = ?"),
        {TrimBlanks(keyword), TodayText()});
    if (!records || records->Eof()) return std::nullopt;
    return TodaysRow{TextField(*records, QStringLiteral("monthrank")),
                     TextField(*records, QStringLiteral("dayrank")),
                     TextField(*records, QStringLiteral("baidunum")),
                     TextField(*records, QStringLiteral("adddate"))};
}

namespace {

// Writes the row's values as the table stands; false when a statement failed.
bool WriteKeywordRow(MiningContext& window, Pane pane, const KeywordRowValues& row) {
    platform::Connection& db = SharedConnection();
    const QString keyword = TrimBlanks(pane == Pane::Manual ? row.keyword.toLower() : row.keyword);
    const QString parent = ParentKeyword(window, pane, keyword);
    const QString day = StoredMetric(row.day);
    const QString month = StoredMetric(row.month);
    const QString count = StoredMetric(row.count);
    const QString today = TodayText();

    const std::optional<platform::Recordset> stored =
        db.Query(QStringLiteral("select id,keys,dayrank,monthrank,baidunum,adddate from keywords "
                                "where keys = ?"),
                 {keyword});
    if (!stored) return false;
    if (stored->Eof()) {
        return db.Execute(QStringLiteral("insert into keywords "
                                         "(keys,parentkeys,dayrank,monthrank,baidunum,adddate) "
                                         "values (?,?,?,?,?,?)"),
                          {keyword, parent, day, month, count, today});
    }
    if (DaysSince(TextField(*stored, QStringLiteral("adddate"))) == 0) {
        // Written today already: keep what it holds, and add only what it could not get then.
        // The two volumes are one lookup's answer: they go in together or not at all, so the
        // row never pairs a monthly value with another lookup's daily one.
        return db.Execute(
            QStringLiteral("update keywords set "
                           "dayrank = case when %1 then ? else dayrank end, "
                           "monthrank = case when %1 then ? else monthrank end, "
                           "baidunum = case when baidunum is null or baidunum = '-' then ? "
                           "else baidunum end "
                           "where keys = ? and date(adddate) = ?")
                .arg(QStringLiteral("(dayrank is null or dayrank = '-')")),
            {day, month, count, keyword, today});
    }
    if (pane == Pane::Manual) {
        return db.Execute(QStringLiteral("update keywords set dayrank = ?,monthrank = ?,"
                                         "baidunum = ?,adddate = ? where keys = ?"),
                          {day, month, count, today, keyword});
    }
    return db.Execute(QStringLiteral("update keywords set parentkeys = ?,dayrank = ?,"
                                     "monthrank = ?,baidunum = ?,adddate = ? where keys = ?"),
                      {parent, day, month, count, today, keyword});
}

// Stores a result row of the regular pane unless its keyword is stored already: whether it was
// written; nothing when the database refused.
std::optional<bool> AddUnlessStored(MiningContext& window, const platform::RowTable& list, int row,
                                    const QString& keyword) {
    const KeywordColumns& columns = window.ResultColumns(Pane::Regular);
    const auto cell = [&](KeywordCell which) {
        return StoredMetric(list.Cell(row, columns.CellOf(which)));
    };
    platform::Connection& db = SharedConnection();
    const std::optional<platform::Recordset> stored =
        db.Query(QStringLiteral("select id from keywords where keys = ?"), {keyword});
    if (!stored) return std::nullopt;
    if (!stored->Eof()) return false;
    if (!db.Execute(
            QStringLiteral("insert into keywords "
                           "(keys,parentkeys,monthrank,dayrank,baidunum,adddate) "
                           "values (?,?,?,?,?,?)"),
            {keyword, TrimBlanks(window.SeedText()).toLower(), cell(KeywordCell::MonthVolume),
             cell(KeywordCell::DayVolume), cell(KeywordCell::BaiduCount), TodayText()}))
        return std::nullopt;
    return true;
}

}  // namespace

bool SaveKeywordRow(MiningContext& window, Pane pane, const KeywordRowValues& row) {
    if (window.DbMissing()) return false;
    if (failedRowSaves.stoppedBy.isEmpty() && WriteKeywordRow(window, pane, row)) return true;
    ++failedRowSaves.rows;
    if (failedRowSaves.stoppedBy.isEmpty() && SharedConnection().LastFailureEndsWrites())
        failedRowSaves.stoppedBy = SharedConnection().LastError();
    return false;
}

void StartRowSaves() {
    failedRowSaves = {};
}

FailedRowSaves TakeFailedRowSaves() {
    return {std::exchange(failedRowSaves.rows, 0), failedRowSaves.stoppedBy};
}

void Addto_db(MiningContext& window) {
    if (window.DbMissing()) {
        platform::ThePrompts().MessageBox(
            QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！"), QStringLiteral("提示"),
            platform::Buttons::Ok, platform::Icon::Information);
        return;
    }
    int written = 0;
    const platform::RowTable* list = window.ResultList(Pane::Regular);
    const int row = list ? window.SelectedRow(Pane::Regular) : 0;
    if (row >= 1 && row <= list->Count()) {
        const QString keyword = TrimBlanks(list->Text(row)).toLower();
        const std::optional<bool> added = AddUnlessStored(window, *list, row, keyword);
        if (!added) {
            platform::ThePrompts().MessageBox(
                QStringLiteral("未能将“%1”加入关键词数据库，数据库无法写入：\r\n\r\n%2")
                    .arg(keyword, SharedConnection().LastError()),
                QStringLiteral("保存失败"), platform::Buttons::Ok, platform::Icon::Critical);
            return;
        }
        written = *added ? 1 : 0;
    }
    platform::ThePrompts().MessageBox(QStringLiteral("成功提交了%1条数据至数据库！").arg(written),
                                      QStringLiteral("提示"), platform::Buttons::Ok,
                                      platform::Icon::Information);
}

}  // namespace metrics
