#include "database_window/database_refresh.h"

#include <algorithm>
#include <vector>

#include "database_window/keyword_db_list.h"
#include "database_window/keyword_db_row.h"
#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/index_pair.h"
#include "metrics/keyword_table.h"
#include "platform/row_table.h"
#include "platform/row_walk.h"
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

// How one value of a row went; Gone: the user deleted the row meanwhile, nothing more is asked.
enum class Step { Stored, NotObtained, NotSaved, Stopped, Gone };

// Whether `ok` held, else what kept the table from it: a refusal of the table, or what ends
// every later save too (another program's lock that outlasted the wait, a moved file).
Step Outcome(bool ok) {
    if (ok) return Step::Stored;
    return SharedConnection().LastFailureEndsWrites() ? Step::Stopped : Step::NotSaved;
}

// The new values of one row's record, written together with today's date in one statement:
// one commit per row.
class RecordUpdate {
  public:
    void Set(const QString& column, const QString& value) {
        assignments_ += column + QStringLiteral(" = ?,");
        values_ << value;
    }
    bool Empty() const { return values_.isEmpty(); }
    // Whether no write can go through now, nor later in the run: another program's lock is
    // waited out here, before the row asks for more pages whose values could not be saved.
    static bool WritesEnded() {
        if (!SharedConnection().BeginWrite()) return Outcome(false) == Step::Stopped;
        SharedConnection().Rollback();
        return false;
    }
    Step Save(const QString& listed) const {
        return Outcome(SharedConnection().Execute(
            QStringLiteral("update keywords set ") + assignments_ +
                QStringLiteral("adddate = ? where keys = ?"),
            QVariantList(values_.begin(), values_.end()) << metrics::TodayText() << listed));
    }

  private:
    QString assignments_;
    QStringList values_;
};

// RefreshRowVolume: the volumes from the data-sharing service, else the index lookups.
Step RefreshVolume(DbRefreshHost& host, CXHtml& fetcher, const RunRow& row, RecordUpdate& update) {
    const PendingCells pending(row, {KeywordCell::MonthVolume, KeywordCell::DayVolume});
    const QString kw = TrimBlanks(row.Text());
    const QString pair = metrics::LookUpVolume(host, fetcher, kw, kw);
    if (pair.isEmpty()) {
        pending.Keep();
        return Step::NotObtained;
    }
    const metrics::Volumes volumes = metrics::SplitIndexPair(pair);
    pending.Store(KeywordCell::MonthVolume, volumes.month);
    pending.Store(KeywordCell::DayVolume, volumes.day);
    update.Set(QStringLiteral("monthrank"), volumes.month);
    update.Set(QStringLiteral("dayrank"), volumes.day);
    return Step::Stored;
}

// RefreshRowCount: the results page after the request gap.
Step RefreshCount(DbRefreshHost& host, CXHtml& fetcher, const RunRow& row, RecordUpdate& update) {
    const PendingCells pending(row, {KeywordCell::BaiduCount});
    const QString listed = row.Text();
    metrics::WaitBaiduInterval(host);
    if (!row.Exists()) return Step::Gone;
    const QString count = metrics::BaiduCount(metrics::FetchBaiduPage(host, fetcher, listed));
    if (count == metrics::kNotObtained) {
        pending.Keep();
        return Step::NotObtained;
    }
    pending.Store(KeywordCell::BaiduCount, count);
    update.Set(QStringLiteral("baidunum"), count);
    return Step::Stored;
}

}  // namespace

DbRefreshOutcome RefreshKeywordRows(DbRefreshHost& host) {
    platform::RowTable& shown = host.ShownList();
    const int start = qMax(1, shown.FirstBold());
    platform::RowWalk walk(shown, start);

    DbRefreshOutcome outcome;
    CXHtml fetcher;
    quint64 above = start > 1 ? shown.Key(start - 1) : 0;
    while (const quint64 key = walk.Next()) {
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
        // The record as listed when the row's turn came, though the lookups ask without blanks.
        const QString listed = row.Text();
        std::vector<Step> steps;
        RecordUpdate update;
        if (host.VolumeTicked()) steps.push_back(RefreshVolume(host, fetcher, row, update));
        const bool countAsked = host.CountTicked() && row.Exists();
        if (countAsked && !update.Empty() && RecordUpdate::WritesEnded())
            steps.push_back(Step::Stopped);
        if (countAsked && std::ranges::count(steps, Step::Stopped) == 0)
            steps.push_back(RefreshCount(host, fetcher, row, update));
        if (!update.Empty() && std::ranges::count(steps, Step::Stopped) == 0)
            steps.push_back(update.Save(listed));
        FillOptimisationIndex(shown, host.MasterList(), key);
        if (std::ranges::count(steps, Step::NotSaved) || std::ranges::count(steps, Step::Stopped))
            ++outcome.unsaved;
        if (std::ranges::count(steps, Step::NotObtained)) ++outcome.notObtained;
        if (std::ranges::count(steps, Step::Stopped)) {
            // Every later save would stand the window still for another lock wait, or go into
            // a file nobody sees again.
            outcome.stoppedBy = SharedConnection().LastError();
            break;
        }
    }
    if (shown.Count() > 0) shown.SetBold(shown.Count(), false);
    return outcome;
}
