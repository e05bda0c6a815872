// Exports of a 100,000-row, 7-column list (text report, HTML report, workbook) against a
// minimal program that writes the same bytes, or the same cells through libxlsxwriter directly.
// Each case also reports the extra peak memory (resident) its write needs, in MB.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <xlsxwriter.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/charset.h"
#include "platform/row_table.h"
#include "qt_benchmark_app.h"
#include "shared/excel_export.h"
#include "shared/report_writer.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 7;

const QStringList kCaptions = {QStringLiteral("相关关键词"),  QStringLiteral("搜索量-月均"),
                               QStringLiteral("搜索量-昨日"), QStringLiteral("百度收录数"),
                               QStringLiteral("谷歌收录数"),  QStringLiteral("百度优化指数"),
                               QStringLiteral("谷歌优化指数")};

QString Cell(int row, int column) {
    switch (column) {
        case 0:
            return QStringLiteral("减肥方法%1大全").arg(row);
        case 1:
            return QString::number(row * 7 % 90000);
        case 2:
            return row % 5 ? QString::number(row % 3000) : QStringLiteral("-");
        case 3:
            return QString::number(row * 131 % 9000000);
        case 4:
            return QStringLiteral("-");
        case 5:
            return QString::number((row % 997) / 7.0, 'f', 2);
        default:
            return QStringLiteral("0");
    }
}

platform::RowTable& TheList() {
    static platform::RowTable* list = [] {
        auto* table = new platform::RowTable;
        for (const QString& caption : kCaptions) table->AddColumn(caption, 1500);
        for (int r = 0; r < kRows; ++r) {
            const platform::ListItem item = table->Add(Cell(r, 0));
            for (int c = 1; c < kColumns; ++c) item.SetSubItem(c, Cell(r, c));
        }
        return table;
    }();
    return *list;
}

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

std::string Target(const char* name) {
    return Scratch().filePath(QString::fromLatin1(name)).toStdString();
}

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
    }
    return 0;
}

// Measures the resident-memory peak of one write over what was resident before it.
class PeakMemory {
  public:
    PeakMemory() {
        malloc_trim(0);  // memory freed by an earlier write must not hide this one's needs
        std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
        before_ = StatusKb("VmRSS:");
    }
    double ExtraMb() const { return (StatusKb("VmHWM:") - before_) / 1024.0; }

  private:
    long before_;
};

template <typename Write>
void Run(benchmark::State& state, Write write) {
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const PeakMemory memory;
        state.ResumeTiming();
        write();
        state.PauseTiming();
        peak = std::max(peak, memory.ExtraMb());
        state.ResumeTiming();
    }
    state.counters["peak_extra_MB"] = peak;
}

QByteArray Written(const std::string& path) {
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void WriteBytes(const QByteArray& bytes, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.constData(), 1, bytes.size(), file);
    std::fclose(file);
}

void BM_TextReport(benchmark::State& state) {
    platform::RowTable& list = TheList();
    Run(state, [&] { WriteListReport(list, QString::fromStdString(Target("ours.txt")), true, 5); });
}

void BM_TextReport_SameBytes(benchmark::State& state) {
    WriteListReport(TheList(), QString::fromStdString(Target("ours.txt")), true, 5);
    const QByteArray bytes = Written(Target("ours.txt"));
    Run(state, [&] { WriteBytes(bytes, Target("direct.txt")); });
}

void BM_HtmlReport(benchmark::State& state) {
    platform::RowTable& list = TheList();
    Run(state,
        [&] { WriteListReport(list, QString::fromStdString(Target("ours.htm")), false, 5); });
}

void BM_HtmlReport_SameBytes(benchmark::State& state) {
    WriteListReport(TheList(), QString::fromStdString(Target("ours.htm")), false, 5);
    const QByteArray bytes = Written(Target("ours.htm"));
    Run(state, [&] { WriteBytes(bytes, Target("direct.htm")); });
}

void BM_Workbook(benchmark::State& state) {
    platform::RowTable& list = TheList();
    Run(state, [&] { ExportListToExcel(list, QString::fromStdString(Target("ours.xlsx"))); });
}

// The same cells, fonts and widths, from data already in libxlsxwriter's terms.
void BM_Workbook_Libxlsxwriter(benchmark::State& state) {
    struct DirectCell {
        std::string text;
        std::optional<double> number;
    };
    std::vector<std::string> captions;
    for (const QString& caption : kCaptions) captions.push_back(caption.toStdString());
    std::vector<DirectCell> cells;
    cells.reserve(size_t(kRows) * kColumns);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const QString text = Cell(r, c);
            bool isNumber = false;
            const double value = text.toDouble(&isNumber);
            cells.push_back(
                {text.toStdString(), isNumber && c != 0 ? std::optional(value) : std::nullopt});
        }
    }
    const std::string path = Target("direct.xlsx");
    Run(state, [&] {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        lxw_format* bold = workbook_add_format(book);
        format_set_bold(bold);
        format_set_font_size(bold, 12);
        worksheet_set_row(sheet, 0, LXW_DEF_ROW_HEIGHT, bold);
        for (int c = 0; c < kColumns; ++c)
            worksheet_write_string(sheet, 0, c, captions[c].c_str(), bold);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                const DirectCell& cell = cells[size_t(r) * kColumns + c];
                if (cell.number) {
                    worksheet_write_number(sheet, r + 1, c, *cell.number, nullptr);
                } else {
                    worksheet_write_string(sheet, r + 1, c, cell.text.c_str(), nullptr);
                }
            }
        }
        for (int c = 0; c < kColumns; ++c) worksheet_set_column(sheet, c, c, 16, nullptr);
        workbook_close(book);
    });
}

#define EXPORT_BENCHMARK(name) \
    BENCHMARK(name)->Iterations(1)->Repetitions(7)->Unit(benchmark::kMillisecond)

EXPORT_BENCHMARK(BM_TextReport);
EXPORT_BENCHMARK(BM_TextReport_SameBytes);
EXPORT_BENCHMARK(BM_HtmlReport);
EXPORT_BENCHMARK(BM_HtmlReport_SameBytes);
EXPORT_BENCHMARK(BM_Workbook);
EXPORT_BENCHMARK(BM_Workbook_Libxlsxwriter);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    return app.Run();
}
