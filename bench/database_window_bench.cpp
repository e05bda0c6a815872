// The keyword database window, each step beside a plain baseline: GetDb as the user waits for
// it, from the toolbar's 关键词数据库 clicked until the shown database window has painted both
// its lists (the side bar's tree and the keyword list), against the same SELECT through the
// sqlite3 C API into a vector of rows, each with its optimisation index worked out, shown in a
// QTableView until that has painted, on 100,000 and on 1,000,000 keywords (goal: at most 1.3x;
// the MB counters give the memory each holds, goal at most 1.2x on 1,000,000), in memory the
// process already holds and in memory fresh from the system, as the first load of a session
// gets it (the page faults of that cost more than the work on a loaded machine); the filter,
// the column sort, the deletion of 1,000 checked rows from both lists and 还原 on 100,000
// keywords against a plain vector of rows doing the same (goal: at most 2x); and the refresh
// per keyword as a user meets it, in the program's database window shown, from the list's first
// row for 40 keywords (then paused, as a user pauses it), every page answered at once (the
// results page of a realistic size) and no request gap, the window's list holding 10,000 and
// 1,000,000 stored keywords, in a window that refreshed before and in one that has just loaded
// its lists, against the same pages fetched bare, decoded and read plainly, with one durable
// commit per keyword through the sqlite3 C API (goal: at most 1.3x at both sizes).
// Each pair runs side by side; the ratios are printed against the goals.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <QAbstractScrollArea>
#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "bare_fetch.h"
#include "database_window/database_window.h"
#include "database_window/db_column_sort.h"
#include "database_window/keyword_db_list.h"
#include "database_window/keyword_db_row.h"
#include "fakeweb/fake_web.h"
#include "keyword_database.h"
#include "keyword_lists/keyword_filter.h"
#include "metrics/fixture_pages.h"
#include "metrics/optimisation_index.h"
#include "plain_keyword_work.h"
#include "platform/list_view.h"
#include "platform/program_folder.h"
#include "qt_benchmark_app.h"
#include "realistic_pages.h"
#include "shared/cxhtml.h"
#include "shared/shared_connection.h"
#include "shell/database_bootstrap.h"
#include "shown_program.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_prompts.h"

namespace {

constexpr int kRows = 100000;
constexpr int kChecked = 1000;
constexpr int kRefreshed = 40;

// Large blocks, such as the vector of a million rows, are mapped apart from the heap.
size_t HeapInUse() {
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// The db.db of `rows` keywords, open on the shared connection as the program opens it.
struct StoredKeywords {
    QString Path() const { return path; }
    QString path;
};
StoredKeywords Stored(int rows = kRows) {
    const QString path = keyword_database::SharedFiles().Path(rows);
    if (SharedConnection().ConnectionString() != path) {
        ForgetSharedConnection();
        SharedConnection().Open(path);
        IndexKeywordLookups(SharedConnection());
    }
    return {path};
}

using PlainRow = std::array<QString, 7>;

struct PlainDbRow {
    PlainRow cells;
    quint64 key = 0;
    bool checked = false;
};

// The baseline load: the same SELECT through the C API, each row's texts into a vector, with
// the optimisation index the window shows worked out as the rows come.
std::vector<PlainDbRow> PlainLoad(const QString& path = Stored().Path()) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "select keys,parentkeys,monthrank,dayrank,baidunum,adddate from keywords",
                       -1, &statement, nullptr);
    std::vector<PlainDbRow> rows;
    quint64 key = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        PlainDbRow row;
        for (int c = 0; c < 6; ++c)
            row.cells[c < 5 ? c : 6] =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                                  sqlite3_column_bytes(statement, c));
        row.cells[5] = metrics::OptimisationIndex(row.cells[2], row.cells[4]);
        row.key = ++key;
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

// The window's two lists: the shown one in its list view, the master copy bare.
struct WindowLists {
    WindowLists() { shown.Rows().SetColumns(kKeywordDbColumns.Headers()); }
    void Load() { LoadKeywordDb(SharedConnection(), shown.Rows(), master); }
    platform::ListView shown;
    platform::RowTable master;
};

// Where a load's memory comes from. The heap keeps what it is given back (see main), so a
// load after one untimed load of its own reuses memory; a load after the heap handed its free
// memory back to the system touches every page afresh.
enum class Memory { Reused, Fresh };

void ReadyHeap(Memory memory) {
    if (memory == Memory::Fresh) malloc_trim(0);
}

// The program as main() opens it, shown, for the benchmarks that use its windows.
std::unique_ptr<ShownProgram> shownProgram;
ShownProgram& Program() {
    if (!shownProgram) shownProgram = std::make_unique<ShownProgram>();
    return *shownProgram;
}

// Counts the paints of the lists named, by the name of their view: a list is painted when its
// viewport is.
class ListPaints : public QObject {
  public:
    explicit ListPaints(QStringList names) : names_(std::move(names)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    // Handles events until every list named has been painted since the last Reset; false if
    // that has not happened after many seconds.
    bool WaitForAll() {
        const QDeadlineTimer deadline(std::chrono::seconds(60));
        while (painted_.size() < names_.size() && !deadline.hasExpired()) {
            QTimer bound;
            bound.setSingleShot(true);
            bound.start(std::chrono::milliseconds(100));
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return painted_.size() == names_.size();
    }
    void Reset() { painted_.clear(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const auto* list = qobject_cast<QAbstractScrollArea*>(watched->parent());
        if (list && list->viewport() == watched && names_.contains(list->objectName()))
            painted_.insert(list->objectName());
        return false;
    }

  private:
    QStringList names_;
    QSet<QString> painted_;
};

// The toolbar's 关键词数据库 clicked with no database window loaded.
void Window_GetDb(benchmark::State& state, int rows, Memory memory) {
    ShownProgram& program = Program();
    ListPaints paints({QStringLiteral("TreeView1"), QStringLiteral("ListView16")});
    Stored(rows);
    const auto unload = [] {
        UnloadWorkWindow(WorkWindowKind::Database);
        ShownProgram::Settle();
    };
    const auto clickDatabaseButton = [&] {
        paints.Reset();
        program.main->Button(4)->trigger();
        if (!paints.WaitForAll()) state.SkipWithError("the window never painted its lists");
    };
    if (memory == Memory::Reused) {
        unload();
        clickDatabaseButton();
    }
    for (auto _ : state) {
        state.PauseTiming();
        unload();
        ReadyHeap(memory);
        const size_t before = HeapInUse();
        state.ResumeTiming();
        clickDatabaseButton();
        state.PauseTiming();
        state.counters["MB"] = double(HeapInUse() - before) / (1 << 20);
        state.ResumeTiming();
    }
    unload();
}

// The plain rows as a table model shows them, under the window's headers.
class PlainDbModel : public QAbstractTableModel {
  public:
    explicit PlainDbModel(std::vector<PlainDbRow> rows) : rows_(std::move(rows)) {
        for (const platform::Column& column : kKeywordDbColumns.Headers())
            headers_ << column.caption;
    }
    int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(headers_.size()); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.column() >= int(PlainRow().size())) return {};
        return rows_[size_t(index.row())].cells[size_t(index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        return headers_.value(section);
    }

  private:
    std::vector<PlainDbRow> rows_;
    QStringList headers_;
};

// A maximised main window shown once, in which the baseline shows its table.
std::unique_ptr<QMainWindow> plainWindow;
QMainWindow& PlainWindow() {
    if (!plainWindow) {
        plainWindow = std::make_unique<QMainWindow>();
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            plainWindow->resize(screen->availableGeometry().size());
        plainWindow->setWindowState(Qt::WindowMaximized);
        plainWindow->show();
        ShownProgram::Settle();
    }
    return *plainWindow;
}

void Plain_GetDb(benchmark::State& state, int rows, Memory memory) {
    const QString path = Stored(rows).Path();
    QMainWindow& window = PlainWindow();
    ListPaints paints({QStringLiteral("plain")});
    const auto showTable = [&] {
        paints.Reset();
        auto* model = new PlainDbModel(PlainLoad(path));
        auto* table = new QTableView;
        table->setObjectName(QStringLiteral("plain"));
        table->setModel(model);
        model->setParent(table);
        window.setCentralWidget(table);
        if (!paints.WaitForAll()) state.SkipWithError("the table never painted");
    };
    if (memory == Memory::Reused) showTable();
    for (auto _ : state) {
        state.PauseTiming();
        delete window.takeCentralWidget();
        ShownProgram::Settle();
        ReadyHeap(memory);
        const size_t before = HeapInUse();
        state.ResumeTiming();
        showTable();
        state.PauseTiming();
        state.counters["MB"] = double(HeapInUse() - before) / (1 << 20);
        state.ResumeTiming();
    }
    delete window.takeCentralWidget();
}

KeywordFilter CountAbove() {
    return {.count = {QStringLiteral("4500000"), KeywordFilter::kGreater}};
}

// Times `work` alone on the window's lists freshly loaded and then readied by `ready`.
void TimeOnLists(benchmark::State& state, const std::function<void(WindowLists&)>& ready,
                 const std::function<void(WindowLists&)>& work) {
    Stored();
    WindowLists lists;
    for (auto _ : state) {
        state.PauseTiming();
        SharedConnection().Execute(QStringLiteral("begin"));
        lists.Load();
        ready(lists);
        state.ResumeTiming();
        work(lists);
        state.PauseTiming();
        SharedConnection().Execute(QStringLiteral("rollback"));  // db.db as it was
        state.ResumeTiming();
    }
}
// Times `work` alone on the plain rows freshly loaded and then readied by `ready`.
void TimeOnPlainRows(benchmark::State& state,
                     const std::function<void(std::vector<PlainDbRow>&)>& ready,
                     const std::function<void(std::vector<PlainDbRow>&)>& work) {
    Stored();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<PlainDbRow> rows = PlainLoad();
        ready(rows);
        state.ResumeTiming();
        work(rows);
        benchmark::DoNotOptimize(rows.data());
    }
}

void Nothing(auto&) {}

void CheckSome(WindowLists& lists) {
    for (int i = 1; i <= kChecked; ++i) lists.shown.Rows().SetChecked(i * (kRows / kChecked), true);
}

void Window_Filter(benchmark::State& state) {
    TimeOnLists(state, Nothing<WindowLists>, [](WindowLists& lists) {
        FilterKeywordList(lists.shown.Rows(), CountAbove(), kKeywordDbColumns);
    });
}
void Plain_Filter(benchmark::State& state) {
    TimeOnPlainRows(state, Nothing<std::vector<PlainDbRow>>, [](std::vector<PlainDbRow>& rows) {
        std::erase_if(rows, [](const PlainDbRow& row) {
            const std::optional<double> value = CellNumber(row.cells[4]);
            return value && std::nearbyint(*value) <= 4500000;
        });
    });
}

void Window_SortByCount(benchmark::State& state) {
    TimeOnLists(state, Nothing<WindowLists>, [](WindowLists& lists) {
        SortKeywordDbList(lists.shown.Rows(), 5, Qt::DescendingOrder);
    });
}
void Plain_SortByCount(benchmark::State& state) {
    TimeOnPlainRows(state, Nothing<std::vector<PlainDbRow>>, [](std::vector<PlainDbRow>& rows) {
        std::stable_sort(rows.begin(), rows.end(), [](const PlainDbRow& a, const PlainDbRow& b) {
            return NumberCellLess(b.cells[4], a.cells[4]);
        });
    });
}

// The lists' part of 删除关键词: the checked rows leave the shown list, their keys the master.
void Window_DeleteCheckedFromBothLists(benchmark::State& state) {
    TimeOnLists(state, CheckSome, [](WindowLists& lists) {
        QSet<quint64> keys;
        for (int i = 1; i <= lists.shown.Rows().Count(); ++i)
            if (lists.shown.Rows().Checked(i)) keys.insert(lists.shown.Rows().Key(i));
        lists.shown.Rows().RemoveChecked();
        lists.master.RemoveWhere([&](int row) { return keys.contains(lists.master.Key(row)); });
    });
}
void Plain_DeleteCheckedFromBothLists(benchmark::State& state) {
    std::vector<PlainDbRow> master;
    TimeOnPlainRows(
        state,
        [&master](std::vector<PlainDbRow>& shown) {
            master = shown;
            for (int i = 1; i <= kChecked; ++i) shown[i * (kRows / kChecked) - 1].checked = true;
        },
        [&master](std::vector<PlainDbRow>& shown) {
            QSet<quint64> keys;
            for (const PlainDbRow& row : shown)
                if (row.checked) keys.insert(row.key);
            std::erase_if(shown, [](const PlainDbRow& row) { return row.checked; });
            std::erase_if(master, [&](const PlainDbRow& row) { return keys.contains(row.key); });
        });
}

// The whole command, the statement in db.db included.
void Window_DeleteCheckedCommand(benchmark::State& state) {
    TimeOnLists(state, CheckSome, [](WindowLists& lists) {
        DeleteCheckedKeywords(SharedConnection(), lists.shown.Rows(), lists.master);
    });
}

void Window_Restore(benchmark::State& state) {
    TimeOnLists(
        state,
        [](WindowLists& lists) {
            FilterKeywordList(lists.shown.Rows(), CountAbove(), kKeywordDbColumns);
        },
        [](WindowLists& lists) { RestoreFromMaster(lists.shown.Rows(), lists.master); });
}
void Plain_Restore(benchmark::State& state) {
    std::vector<PlainDbRow> master;
    TimeOnPlainRows(
        state, [&master](std::vector<PlainDbRow>& rows) { master = rows; },
        [&master](std::vector<PlainDbRow>& shown) {
            shown.clear();
            for (const PlainDbRow& row : master) shown.push_back({row.cells, row.key});
        });
}

// The refresh as a user meets it: the program's database window shown (offscreen) in the
// maximised main window, its lists loaded from the db.db of `rows` keywords, both boxes of the
// refresh ticked and no request gap, every page answered at once by the loopback web with a
// results page of a realistic size. Each refresh starts at the list's first row and is paused
// once kRefreshed rows are done. Kept while the benchmarks ask for that size.
struct ShownRefresh {
    explicit ShownRefresh(int rows) : rows(rows) {
        const QByteArray plainBytes = "application/octet-stream";
        web.Serve(metrics_testing::kShareHost, QStringLiteral("/index/lookup"),
                  fakeweb::Page::Text(QStringLiteral("5-100")).ContentType(plainBytes));
        web.Serve(metrics_testing::kBaiduHost, QStringLiteral("/s"),
                  fakeweb::Page::Text(RealisticResultsPage(), QStringLiteral("gbk"))
                      .ContentType(plainBytes));
        Load();
        // What one refresh asks and writes, for the baseline to do alike.
        web.ClearRequests();
        Refresh();
        addresses = web.RequestedUrls();
        for (int row = 1; row <= qMin(rows, kRefreshed); ++row)
            keywords << window->ListView16->Rows().Text(row);
        plain = std::make_unique<plain_keyword_work::Store>(
            keyword_database::SharedFiles().Path(rows, QStringLiteral("plain")));
    }
    ~ShownRefresh() { UnloadWorkWindow(WorkWindowKind::Database); }

    // The window opened anew on the db.db, as after the program's start.
    void Load() {
        Stored(rows);
        window = &Program().FreshDatabase();
        window->Check30->SetValue(1);
        window->Check10->SetValue(1);
        window->txtbaiduse->SetText(QStringLiteral("0"));
        // The user's pause, asked as the row after the last one to refresh takes its turn.
        QObject::connect(&window->ListView16->Rows(), &QAbstractItemModel::dataChanged, window,
                         [this](const QModelIndex& from) {
                             if (from.row() == kRefreshed && window->UpdateRunning &&
                                 window->ListView16->Rows().Bold(kRefreshed + 1))
                                 window->Command44_Click();
                         });
        ShownProgram::Settle();
    }
    // Refreshes the first kRefreshed rows: a run begins at the bold row, the first when none is.
    void Refresh() {
        platform::RowTable& list = window->ListView16->Rows();
        for (int row = 1; row <= qMin(list.Count(), kRefreshed + 1); ++row)
            list.SetBold(row, false);
        window->Command44_Click();
    }

    int rows;
    fakeweb::FakeWeb web;
    // Gone when another benchmark unloaded the window.
    QPointer<关键词数据库> window;
    QStringList addresses;
    QStringList keywords;
    std::unique_ptr<plain_keyword_work::Store> plain;
};

std::unique_ptr<ShownRefresh> shownRefresh;

ShownRefresh& RefreshOf(int rows) {
    if (!shownRefresh || shownRefresh->rows != rows || !shownRefresh->window) {
        shownRefresh.reset();
        shownRefresh = std::make_unique<ShownRefresh>(rows);
    }
    Stored(rows);  // other benchmarks open other files meanwhile
    return *shownRefresh;
}

void PerKeyword(benchmark::State& state) {
    state.counters["per_keyword"] = benchmark::Counter(
        kRefreshed, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Whether the refresh asked for the pages the first one asked for, in their order.
void CheckRequests(benchmark::State& state, ShownRefresh& refresh) {
    if (refresh.web.RequestedUrls() != refresh.addresses)
        state.SkipWithError("the refresh asked for other pages");
    refresh.web.ClearRequests();
}

void Window_RefreshPerKeyword(benchmark::State& state) {
    ShownRefresh& refresh = RefreshOf(static_cast<int>(state.range(0)));
    refresh.web.ClearRequests();
    for (auto _ : state) {
        refresh.Refresh();
        state.PauseTiming();
        CheckRequests(state, refresh);
        state.ResumeTiming();
    }
    PerKeyword(state);
}
// The first refresh after the window loaded its lists.
void Window_FirstRefreshPerKeyword(benchmark::State& state) {
    ShownRefresh& refresh = RefreshOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        refresh.Load();
        refresh.web.ClearRequests();
        state.ResumeTiming();
        refresh.Refresh();
        state.PauseTiming();
        CheckRequests(state, refresh);
        state.ResumeTiming();
    }
    PerKeyword(state);
}
// The same pages fetched bare in the same order, each decoded and its values read; each
// keyword's new values then written with one commit.
void Plain_RefreshPerKeyword(benchmark::State& state) {
    ShownRefresh& refresh = RefreshOf(static_cast<int>(state.range(0)));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    for (auto _ : state) {
        plain_keyword_work::Volumes volumes;
        QString count;
        qsizetype keyword = 0;
        for (const QString& address : refresh.addresses) {
            const QByteArray body = BareGet(address);
            if (QUrl(address).host() == metrics_testing::kShareHost) {
                volumes = plain_keyword_work::LookupVolumes(body);
                continue;
            }
            count = plain_keyword_work::ResultsCount(plain_keyword_work::DecodeGbk(body));
            if (keyword < refresh.keywords.size())
                refresh.plain->Update(refresh.keywords[keyword++], volumes, count, today);
        }
    }
    PerKeyword(state);
}

}  // namespace

#define PAIR(window, plain)                                          \
    BENCHMARK(window)->Unit(benchmark::kMillisecond)->Iterations(3); \
    BENCHMARK(plain)->Unit(benchmark::kMillisecond)->Iterations(3);
#define GETDB_PAIR(name, rows, memory, iterations)      \
    BENCHMARK_CAPTURE(Window_GetDb, name, rows, memory) \
        ->Unit(benchmark::kMillisecond)                 \
        ->Iterations(iterations);                       \
    BENCHMARK_CAPTURE(Plain_GetDb, name, rows, memory)  \
        ->Unit(benchmark::kMillisecond)                 \
        ->Iterations(iterations);
GETDB_PAIR(100k, kRows, Memory::Reused, 5)
GETDB_PAIR(100k_fresh_memory, kRows, Memory::Fresh, 3)
GETDB_PAIR(1m_fresh_memory, 1000000, Memory::Fresh, 1)
PAIR(Window_Filter, Plain_Filter)
PAIR(Window_SortByCount, Plain_SortByCount)
PAIR(Window_DeleteCheckedFromBothLists, Plain_DeleteCheckedFromBothLists)
PAIR(Window_Restore, Plain_Restore)
BENCHMARK(Window_DeleteCheckedCommand)->Unit(benchmark::kMillisecond)->Iterations(3);
// Each keyword waits on a durable commit, whose time varies most on a busy machine: many
// refreshes a round.
BENCHMARK(Window_RefreshPerKeyword)
    ->Apply(keyword_database::AtShownSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);
BENCHMARK(Window_FirstRefreshPerKeyword)
    ->Apply(keyword_database::AtShownSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(Plain_RefreshPerKeyword)
    ->Apply(keyword_database::AtShownSizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

int main(int argc, char** argv) {
    // Freed memory stays with the heap until malloc_trim, whatever its size and order: the
    // glibc default hands some of it back after one load and not after another, so that which
    // load pays for fresh pages would depend on the loads before it.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    QtBenchmarkApp app(argc, argv);
    std::vector<side_by_side::Goal> goals = {
        {"GetDb as the user waits, 100,000 keywords", "Window_GetDb/100k", "Plain_GetDb/100k", 1.3},
        {"GetDb as the user waits, 100,000 keywords, fresh memory",
         "Window_GetDb/100k_fresh_memory", "Plain_GetDb/100k_fresh_memory", 1.3},
        {"GetDb as the user waits, 1,000,000 keywords, fresh memory",
         "Window_GetDb/1m_fresh_memory", "Plain_GetDb/1m_fresh_memory", 1.3},
        {"GetDb, 1,000,000 keywords: memory", "Window_GetDb/1m_fresh_memory",
         "Plain_GetDb/1m_fresh_memory", 1.2, "MB"},
        {"filter by count", "Window_Filter", "Plain_Filter", 2},
        {"sort by count", "Window_SortByCount", "Plain_SortByCount", 2},
        {"delete 1,000 checked rows from both lists", "Window_DeleteCheckedFromBothLists",
         "Plain_DeleteCheckedFromBothLists", 2},
        {"restore", "Window_Restore", "Plain_Restore", 2},
    };
    for (const side_by_side::Goal& goal : keyword_database::AtSizes(
             keyword_database::kShownSizes, "refresh per keyword from row 1, window shown",
             "Window_RefreshPerKeyword", "Plain_RefreshPerKeyword", 1.3, "per_keyword"))
        goals.push_back(goal);
    for (const side_by_side::Goal& goal : keyword_database::AtSizes(
             keyword_database::kShownSizes, "first refresh after a load, per keyword",
             "Window_FirstRefreshPerKeyword", "Plain_RefreshPerKeyword", 1.3, "per_keyword"))
        goals.push_back(goal);
    const int result = app.Run(goals);
    shownRefresh.reset();  // windows go before the application
    shownProgram.reset();
    plainWindow.reset();
    return result;
}
