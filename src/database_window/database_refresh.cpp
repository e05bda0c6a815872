#include "database_window/database_refresh.h"

#include <vector>

#include "database_window/keyword_db_list.h"
#include "database_window/keyword_db_row.h"
#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/index_pair.h"
#include "metrics/keyword_table.h"
#include "platform/row_table.h"
#include "shared/cxhtml.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"

namespace {

using metrics::KeywordCell;

const QString kUpdating = QStringLiteral("更新中...");

// One row of the run, found again by its key after every wait.
class RunRow {
  public:
    RunRow(DbRefreshHost& host, quint64 key) : host_(host), key_(key) {}

    bool Exists() const { return Shown() != 0; }
    // The row's text as listed; empty once the row is gone.
    QString Text() const {
        const int row = Shown();
        return row ? host_.ShownList().Text(row) : QString();
    }
    QString Cell(KeywordCell cell) const {
        const int row = Shown();
        return row ? host_.ShownList().Cell(row, DbCell(cell)) : QString();
    }
    // Writes into the shown row, and into the master row too when `both`.
    void Write(KeywordCell cell, const QString& value, bool both) const {
        if (const int row = Shown()) host_.ShownList().SetCell(row, DbCell(cell), value);
        if (!both) return;
        if (const int row = host_.MasterList().IndexOfKey(key_))
            host_.MasterList().SetCell(row, DbCell(cell), value);
    }

  private:
    int Shown() const { return host_.ShownList().IndexOfKey(key_); }

    DbRefreshHost& host_;
    quint64 key_;
};

// Shows "更新中..." in `cells` of the shown row while they are asked for; Keep() or Store()
// ends it.
class PendingCells {
  public:
    PendingCells(const RunRow& row, std::initializer_list<KeywordCell> cells) : row_(row) {
        for (KeywordCell cell : cells) {
            old_.push_back({cell, row.Cell(cell)});
            row.Write(cell, kUpdating, false);
        }
    }
    // Nothing new was obtained: the row shows what it showed before.
    void Keep() const {
        for (const auto& [cell, value] : old_) row_.Write(cell, value, false);
    }
    void Store(KeywordCell cell, const QString& value) const { row_.Write(cell, value, true); }

  private:
    const RunRow& row_;
    std::vector<std::pair<KeywordCell, QString>> old_;
};

// The results page for `keyword`, after the request gap; the window's browser when the direct
// fetch brings nothing. Only a page that came and is neither a result nor a no-result page
// is a blocking page; an empty one is a failed fetch.
QString FetchResultsPage(DbRefreshHost& host, CXHtml& fetcher, const QString& keyword) {
    metrics::WaitBaiduInterval(host);
    const QString address = metrics::BaiduSearchAddress(keyword);
    fetcher.url(address);
    fetcher.Char(QStringLiteral("gb2312"));
    QString page = fetcher.GetSrcOnSuccess();
    if (page.isEmpty()) page = metrics::FetchViaBrowser(host, address);
    if (!page.isEmpty() && metrics::JudgeBaiduPage(page) == metrics::BaiduPage::Other)
        metrics::BeiK(host);
    return page;
}

// RefreshRowVolume; whether the table took the values it was given.
bool RefreshVolume(DbRefreshHost& host, CXHtml& fetcher, const RunRow& row) {
    const PendingCells pending(row, {KeywordCell::MonthVolume, KeywordCell::DayVolume});
    const QString listed = row.Text();
    const QString kw = TrimBlanks(listed);
    const QString pair = metrics::LookUpVolume(host, fetcher, kw, kw);
    if (pair.isEmpty()) {
        pending.Keep();
        return true;
    }
    const metrics::Volumes volumes = metrics::SplitIndexPair(pair);
    pending.Store(KeywordCell::MonthVolume, volumes.month);
    pending.Store(KeywordCell::DayVolume, volumes.day);
    return SharedConnection().Execute(
        QStringLiteral("update keywords set monthrank = ?,dayrank = ?,adddate = ? where keys = ?"),
        {volumes.month, volumes.day, metrics::TodayText(), listed});
}

// RefreshRowCount; whether the table took the count it was given.
bool RefreshCount(DbRefreshHost& host, CXHtml& fetcher, const RunRow& row) {
    const PendingCells pending(row, {KeywordCell::BaiduCount});
    const QString listed = row.Text();
    const QString count = metrics::BaiduCount(FetchResultsPage(host, fetcher, listed));
    if (count == metrics::kNotObtained) {
        pending.Keep();
        return true;
    }
    pending.Store(KeywordCell::BaiduCount, count);
    return SharedConnection().Execute(
        QStringLiteral("update keywords set baidunum = ?,adddate = ? where keys = ?"),
        {count, metrics::TodayText(), listed});
}

}  // namespace

DbRefreshOutcome RefreshKeywordRows(DbRefreshHost& host) {
    platform::RowTable& shown = host.ShownList();
    int start = 1;
    for (int row = 1; row <= shown.Count(); ++row) {
        if (shown.Bold(row)) {
            start = row;
            break;
        }
    }
    std::vector<quint64> keys;
    for (int row = start; row <= shown.Count(); ++row) keys.push_back(shown.Key(row));

    DbRefreshOutcome outcome;
    CXHtml fetcher;
    quint64 above = start > 1 ? shown.Key(start - 1) : 0;
    for (const quint64 key : keys) {
        const RunRow row(host, key);
        if (const int index = shown.IndexOfKey(above)) shown.SetBold(index, false);
        above = key;
        const int index = shown.IndexOfKey(key);
        if (!index) continue;  // gone meanwhile
        shown.SetBold(index, true);
        if (host.PauseAsked()) {
            outcome.paused = true;
            break;
        }
        bool saved = true;
        if (host.VolumeTicked()) saved &= RefreshVolume(host, fetcher, row);
        if (host.CountTicked() && row.Exists()) saved &= RefreshCount(host, fetcher, row);
        FillOptimisationIndex(shown, host.MasterList(), key);
        if (!saved) ++outcome.unsaved;
    }
    if (shown.Count() > 0) shown.SetBold(shown.Count(), false);
    return outcome;
}
