// The mining window's own list commands beside the same work done bare: submitting 10,000
// checked result rows, none stored yet, into a db.db that holds 40, 10,000, 100,000 and
// 1,000,000 keywords (indexed as the program's open indexes it), beside the same work through
// the sqlite3 C API (each keyword looked up, then inserted) in one transaction, with the
// program's journal and synchronous settings, into a copy of that db.db (goal: at most 1.3x at
// every size; the rows written are taken out again after each submit, outside the timing); and, on
// 100,000 result rows, the sort by a metric column and the deletion of 1,000 checked rows from the
// shown list and its master copy (beside the same work on plain vectors of rows).

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QSet>
#include <algorithm>
#include <array>
#include <vector>

#include "keyword_database.h"
#include "metrics/number_text.h"
#include "mining_window/result_columns.h"
#include "mining_window/result_commands.h"
#include "platform/row_table.h"
#include "qt_benchmark_app.h"
#include "result_cells.h"
#include "shared/shared_connection.h"
#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"

namespace {

constexpr int kSubmitted = 10000;
constexpr int kRows = 100000;
constexpr int kDeleted = 1000;
constexpr int kCells = 5;

QString Cell(int row, int column) {
    switch (column) {
        case 0:
            return result_cells::Keyword(row, kRows);
        case 1:
            return result_cells::MonthVolume(row);
        case 2:
            return result_cells::DayVolume(row);
        case 3:
            return result_cells::BaiduCount(row);
        default:
            return result_cells::OptimisationIndex(row);
    }
}

using PlainRow = std::array<QString, kCells>;

// `rows` result rows, in a table and as plain rows.
void Fill(platform::RowTable& table, int rows) {
    table.SetColumns(kMiningResultColumns.Headers());
    for (int r = 0; r < rows; ++r) {
        const int index = table.Add(Cell(r, 0)).Index();
        for (int c = 1; c < kCells; ++c) table.SetCell(index, c, Cell(r, c));
    }
}
std::vector<PlainRow> PlainFill(int rows) {
    std::vector<PlainRow> plain(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCells; ++c) plain[r][c] = Cell(r, c);
    return plain;
}

// The cells of a submitted row: the result list's, with keywords that no db.db holds yet.
QString SubmittedCell(int row, int column) {
    return column == 0 ? QStringLiteral("减肥茶%1的做法").arg(row) : Cell(row, column);
}

void Table_Submit10000(benchmark::State& state) {
    const int stored = static_cast<int>(state.range(0));
    platform::RowTable list;
    list.SetColumns(kMiningResultColumns.Headers());
    for (int r = 0; r < kSubmitted; ++r) {
        const int index = list.Add(SubmittedCell(r, 0)).Index();
        for (int c = 1; c < kCells; ++c) list.SetCell(index, c, SubmittedCell(r, c));
    }
    list.SetAllChecked(true);
    ForgetSharedConnection();
    SharedConnection().Open(
        keyword_database::SharedFiles().Path(stored, QStringLiteral("program")));
    IndexKeywordLookups(SharedConnection());
    for (auto _ : state) {
        const result_commands::SubmitOutcome outcome = result_commands::SubmitCheckedRows(
            SharedConnection(), list, kMiningResultColumns, QStringLiteral("减肥"),
            QStringLiteral("2026-12-10"));
        state.PauseTiming();
        if (outcome.written != kSubmitted) state.SkipWithError("not every row was written");
        SharedConnection().Execute(QStringLiteral("delete from keywords where id > ?"), {stored});
        state.ResumeTiming();
    }
    ForgetSharedConnection();
}

void Sqlite_Submit10000(benchmark::State& state) {
    const int stored = static_cast<int>(state.range(0));
    std::vector<PlainRow> rows(kSubmitted);
    for (int r = 0; r < kSubmitted; ++r)
        for (int c = 0; c < kCells; ++c) rows[r][c] = SubmittedCell(r, c);
    sqlite3* db = nullptr;
    sqlite3_open_v2(
        keyword_database::SharedFiles().Path(stored, QStringLiteral("plain")).toUtf8().constData(),
        &db, SQLITE_OPEN_READWRITE, nullptr);
    for (const char* setup : {"pragma journal_mode = delete", "pragma synchronous = full",
                              "create index if not exists keywords_keys on keywords (keys)"})
        sqlite3_exec(db, setup, nullptr, nullptr, nullptr);
    const QByteArray cleanUp = "delete from keywords where id > " + QByteArray::number(stored);
    const QByteArray parent = QStringLiteral("减肥").toUtf8();
    for (auto _ : state) {
        sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr);
        sqlite3_stmt* lookup = nullptr;
        sqlite3_prepare_v2(db, "select 1 from keywords where keys = ?", -1, &lookup, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                           "adddate) values (?,?,?,?,?,?)",
                           -1, &insert, nullptr);
        for (const PlainRow& row : rows) {
            // Written unless the table holds the keyword.
            const QByteArray keyword = row[0].toUtf8();
            sqlite3_bind_text(lookup, 1, keyword.constData(), keyword.size(), SQLITE_STATIC);
            const bool storedAlready = sqlite3_step(lookup) == SQLITE_ROW;
            sqlite3_reset(lookup);
            if (storedAlready) continue;
            const std::array<QByteArray, 6> values = {
                keyword, parent, row[1].toUtf8(), row[2].toUtf8(), row[3].toUtf8(), "2026-12-10"};
            for (int i = 0; i < 6; ++i)
                sqlite3_bind_text(insert, i + 1, values[i].constData(), values[i].size(),
                                  SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(lookup);
        sqlite3_finalize(insert);
        sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, cleanUp.constData(), nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

void Table_SortByMetric(benchmark::State& state) {
    platform::RowTable list;
    Fill(list, kRows);
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        result_commands::SortResultList(list, 4, order);
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
}

void Vector_SortByMetric(benchmark::State& state) {
    std::vector<PlainRow> rows = PlainFill(kRows);
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        std::stable_sort(rows.begin(), rows.end(), [order](const PlainRow& a, const PlainRow& b) {
            return order == Qt::AscendingOrder ? metrics::NumberCellLess(a[3], b[3])
                                               : metrics::NumberCellLess(b[3], a[3]);
        });
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
}

void Table_DeleteChecked(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        platform::RowTable shown;
        Fill(shown, kRows);
        platform::RowTable master;
        master.RebuildFrom(shown);
        for (int i = 1; i <= kRows; i += kRows / kDeleted) shown.SetChecked(i, true);
        state.ResumeTiming();
        result_commands::DeleteCheckedRows(shown, master);
    }
}

void Vector_DeleteChecked(benchmark::State& state) {
    struct Row {
        PlainRow cells;
        quint64 key;
        bool checked;
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Row> shown;
        for (int r = 0; r < kRows; ++r)
            shown.push_back({{}, quint64(r + 1), r % (kRows / kDeleted) == 0});
        const std::vector<PlainRow> cells = PlainFill(kRows);
        for (int r = 0; r < kRows; ++r) shown[r].cells = cells[r];
        std::vector<Row> master = shown;
        state.ResumeTiming();
        QSet<quint64> keys;
        for (const Row& row : shown)
            if (row.checked) keys.insert(row.key);
        std::erase_if(shown, [](const Row& row) { return row.checked; });
        std::erase_if(master, [&keys](const Row& row) { return keys.contains(row.key); });
    }
}

}  // namespace

BENCHMARK(Table_Submit10000)
    ->Apply(keyword_database::AtEveryStoredSize)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK(Sqlite_Submit10000)
    ->Apply(keyword_database::AtEveryStoredSize)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK(Table_SortByMetric)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Vector_SortByMetric)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(Table_DeleteChecked)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Vector_DeleteChecked)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    const std::vector<side_by_side::Goal> goals = keyword_database::AtEveryStoredSize(
        "submit of 10,000 checked rows", "Table_Submit10000", "Sqlite_Submit10000", 1.3);
    // A submit takes a few dozen milliseconds: more rounds, for a median that holds.
    return app.Run(goals, 2 * side_by_side::kRounds + 1);
}
