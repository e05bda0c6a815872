// The list operations of the work windows on 100,000 rows of 8 columns, each beside the same
// work on a plain std::vector of rows: fill, fill with the duplicate test before each add,
// a filter that removes half the rows, the restore from a master copy, a sort, check all,
// deleting 1,000 checked rows, adding 1,000 rows while sorted, and the text export. The fill
// cases report the memory a table of 100,000 rows holds, in MB.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "platform/charset.h"
#include "platform/row_table.h"
#include "qt_benchmark_app.h"
#include "result_cells.h"
#include "shared/report_writer.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 8;
constexpr int kChanged = 1000;

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
        case 6:
            return result_cells::OptimisationIndex(row);
        default:
            return QStringLiteral("-");
    }
}

// The cells of every row, made once, so that both sides copy the same texts.
const std::vector<std::array<QString, kColumns>>& Cells() {
    static const auto cells = [] {
        std::vector<std::array<QString, kColumns>> rows(kRows + kChanged);
        for (int r = 0; r < kRows + kChanged; ++r)
            for (int c = 0; c < kColumns; ++c) rows[r][c] = Cell(r, c);
        return rows;
    }();
    return cells;
}

// The baseline: rows as a vector of plain structs.
struct PlainRow {
    std::array<QString, kColumns> cells;
    QString tag;
    quint64 key = 0;
    bool checked = false;
    bool bold = false;
};
using PlainTable = std::vector<PlainRow>;

void AddRow(platform::RowTable& table, int r) {
    const int index = table.Add(Cells()[r][0]).Index();
    for (int c = 1; c < kColumns; ++c) table.SetCell(index, c, Cells()[r][c]);
}

void Fill(platform::RowTable& table) {
    if (table.ColumnCount() == 0)
        for (int c = 0; c < kColumns; ++c) table.AddColumn(QStringLiteral("列%1").arg(c), 1200);
    for (int r = 0; r < kRows; ++r) AddRow(table, r);
}

// A row of its own texts, as a list row holds them: not shared with the made cells.
PlainRow OwnRow(int r) {
    PlainRow row{{}, {}, quint64(r + 1)};
    for (int c = 0; c < kColumns; ++c)
        row.cells[c] = QString(Cells()[r][c].data(), Cells()[r][c].size());
    return row;
}

PlainTable PlainFill() {
    PlainTable table;
    for (int r = 0; r < kRows; ++r) table.push_back(OwnRow(r));
    return table;
}

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void Table_Fill(benchmark::State& state) {
    Cells();
    for (auto _ : state) {
        const size_t before = HeapInUse();
        platform::RowTable table;
        Fill(table);
        state.counters["MB"] = double(HeapInUse() - before) / (1 << 20);
    }
}
void Vector_Fill(benchmark::State& state) {
    Cells();
    for (auto _ : state) {
        const size_t before = HeapInUse();
        PlainTable table = PlainFill();
        state.counters["MB"] = double(HeapInUse() - before) / (1 << 20);
        benchmark::DoNotOptimize(table.data());
    }
}

void Table_FillWithDuplicateTest(benchmark::State& state) {
    Cells();
    for (auto _ : state) {
        platform::RowTable table;
        for (int r = 0; r < kRows; ++r)
            if (!platform::ListContainsText(Cells()[r][0], table)) AddRow(table, r);
    }
}
void Vector_FillWithDuplicateTest(benchmark::State& state) {
    Cells();
    for (auto _ : state) {
        PlainTable table;
        QSet<QString> texts;
        for (int r = 0; r < kRows; ++r) {
            const QString needle = Cells()[r][0].trimmed().toLower();
            if (texts.contains(needle)) continue;
            texts.insert(Cells()[r][0]);
            table.push_back(OwnRow(r));
        }
    }
}

// Every benchmark below times one operation on a freshly filled table; making the table and
// letting it go are not timed.
template <typename Operation>
void OnFilledTable(benchmark::State& state, Operation operation) {
    Cells();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<platform::RowTable>();
        Fill(*table);
        state.ResumeTiming();
        operation(*table);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
template <typename Operation>
void OnFilledVector(benchmark::State& state, Operation operation) {
    Cells();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<PlainTable>(PlainFill());
        state.ResumeTiming();
        operation(*table);
        benchmark::DoNotOptimize(table->data());
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}

void Table_FilterHalf(benchmark::State& state) {
    OnFilledTable(state, [](platform::RowTable& table) {
        table.RemoveWhere([&table](int i) { return (table.Key(i) & 1) == 1; });
    });
}
void Vector_FilterHalf(benchmark::State& state) {
    OnFilledVector(state, [](PlainTable& table) {
        std::erase_if(table, [](const PlainRow& row) { return (row.key & 1) == 1; });
    });
}

void Table_Restore(benchmark::State& state) {
    platform::RowTable master;
    Fill(master);
    OnFilledTable(state, [&master](platform::RowTable& table) { table.RebuildFrom(master); });
}
void Vector_Restore(benchmark::State& state) {
    const PlainTable master = PlainFill();
    OnFilledVector(state, [&master](PlainTable& table) {
        table.clear();
        for (const PlainRow& row : master)
            table.push_back({row.cells, {}, row.key, false, row.bold});
    });
}

void Table_Sort(benchmark::State& state) {
    OnFilledTable(state, [](platform::RowTable& table) {
        table.SetSorting(platform::SortRule{0, Qt::AscendingOrder, platform::TextLess});
    });
}
void Vector_Sort(benchmark::State& state) {
    OnFilledVector(state, [](PlainTable& table) {
        std::stable_sort(table.begin(), table.end(), [](const PlainRow& a, const PlainRow& b) {
            return platform::TextLess(a.cells[0], b.cells[0]);
        });
    });
}

void Table_CheckAll(benchmark::State& state) {
    OnFilledTable(state, [](platform::RowTable& table) { table.SetAllChecked(true); });
}
void Vector_CheckAll(benchmark::State& state) {
    OnFilledVector(state, [](PlainTable& table) {
        for (PlainRow& row : table) row.checked = true;
    });
}

void Table_DeleteChecked(benchmark::State& state) {
    OnFilledTable(state, [](platform::RowTable& table) {
        for (int i = 1; i <= kChanged; ++i) table.SetChecked(i * (kRows / kChanged), true);
        table.RemoveChecked();
    });
}
void Vector_DeleteChecked(benchmark::State& state) {
    OnFilledVector(state, [](PlainTable& table) {
        for (int i = 1; i <= kChanged; ++i) table[i * (kRows / kChanged) - 1].checked = true;
        std::erase_if(table, [](const PlainRow& row) { return row.checked; });
    });
}

void Table_AddWhileSorted(benchmark::State& state) {
    Cells();
    platform::RowTable sorted;
    Fill(sorted);
    sorted.SetSorting(platform::SortRule{0, Qt::AscendingOrder, platform::TextLess});
    for (auto _ : state) {
        state.PauseTiming();
        platform::RowTable table;
        table.RebuildFrom(sorted);
        table.SetSorting(sorted.Sorting());
        state.ResumeTiming();
        for (int r = kRows; r < kRows + kChanged; ++r) AddRow(table, r);
    }
}
void Vector_AddWhileSorted(benchmark::State& state) {
    Cells();
    PlainTable sorted = PlainFill();
    const auto less = [](const PlainRow& a, const PlainRow& b) {
        return platform::TextLess(a.cells[0], b.cells[0]);
    };
    std::stable_sort(sorted.begin(), sorted.end(), less);
    for (auto _ : state) {
        state.PauseTiming();
        PlainTable table = sorted;
        state.ResumeTiming();
        for (int r = kRows; r < kRows + kChanged; ++r) {
            PlainRow row = OwnRow(r);
            table.insert(std::upper_bound(table.begin(), table.end(), row, less), std::move(row));
        }
    }
}

void Table_TextExport(benchmark::State& state) {
    QTemporaryDir folder;
    platform::RowTable table;
    Fill(table);
    for (auto _ : state) WriteListReport(table, folder.filePath("list.txt"), true, 5);
}
// The same lines written straight from the vector, in GBK with CR LF.
void Vector_TextExport(benchmark::State& state) {
    QTemporaryDir folder;
    const PlainTable table = PlainFill();
    for (auto _ : state) {
        QString text;
        for (const PlainRow& row : table) {
            text += u"\r\n";
            text += row.cells[0];
            text += u"    ";
            for (int c = 1; c < kColumns; ++c) {
                text += row.cells[c];
                text += u"     ";
            }
        }
        QFile file(folder.filePath("plain.txt"));
        file.open(QIODevice::WriteOnly);
        file.write(platform::TextToBytes(text, QStringLiteral("gb2312"),
                                         platform::Unmappable::Substitute));
    }
}

}  // namespace

#define LIST_BENCHMARK(name)                                               \
    BENCHMARK(Table_##name)->Unit(benchmark::kMillisecond)->Iterations(3); \
    BENCHMARK(Vector_##name)->Unit(benchmark::kMillisecond)->Iterations(3);
LIST_BENCHMARK(Fill)
LIST_BENCHMARK(FillWithDuplicateTest)
LIST_BENCHMARK(FilterHalf)
LIST_BENCHMARK(Restore)
LIST_BENCHMARK(Sort)
LIST_BENCHMARK(CheckAll)
LIST_BENCHMARK(DeleteChecked)
LIST_BENCHMARK(AddWhileSorted)
LIST_BENCHMARK(TextExport)

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    return app.Run();
}
