// The batch keyword list's import of a keyword list file (the mining window's 导入: read,
// checked for duplicates, stored in db.db and listed) beside a plain read of the same file into
// a vector of strings (std::getline into std::vector<std::string>), on a list of 50 MB: its
// time (goal: at most 3x) and its peak memory, the growth of the process's resident memory at
// its highest while the work runs (goal: at most 2x). The import of a 5 MB list shows it linear
// in the file's size: its time per MB on 50 MB against that on 5 MB (goal: at most 1.2x).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "mining_window/batch_keywords.h"
#include "platform/database.h"
#include "platform/row_table.h"
#include "qt_benchmark_app.h"
#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"

namespace {

// A keyword list of about `megabytes` MB in UTF-8, one distinct keyword a line, as a user
// saves one: 50 MB holds about two million keywords. Made once for the run.
const QString& ListFile(int megabytes) {
    static QTemporaryDir folder;
    static std::map<int, QString> files;
    QString& path = files[megabytes];
    if (!path.isEmpty()) return path;
    path = folder.filePath(QStringLiteral("list%1mb.txt").arg(megabytes));
    const QStringList heads = {QStringLiteral("减肥"),     QStringLiteral("减肥方法"),
                               QStringLiteral("手机"),     QStringLiteral("网站优化"),
                               QStringLiteral("关键词"),   QStringLiteral("seo"),
                               QStringLiteral("旅游攻略"), QStringLiteral("二手车")};
    const QStringList tails = {QStringLiteral("大全"),   QStringLiteral("价格"),
                               QStringLiteral("排名"),   QStringLiteral("推荐"),
                               QStringLiteral("怎么样"), QStringLiteral("哪个好"),
                               QStringLiteral("教程")};
    QByteArray bytes;
    for (int i = 0; bytes.size() < qsizetype(megabytes) << 20; ++i) {
        const int kinds = int(heads.size() * tails.size());
        bytes += (heads[i % heads.size()] + tails[(i / heads.size()) % tails.size()] +
                  QString::number(i / kinds))
                     .toUtf8();
        bytes += "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) path.clear();
    return path;
}

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string wanted = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(wanted, 0) == 0) return std::stol(line.substr(wanted.size()));
    return 0;
}

// Measures the peak of the process's resident memory from the next Start to Peak: the heap's
// free memory handed back to the system and the kernel's peak mark set to the memory in use
// now. Not timed.
class PeakMemory {
  public:
    explicit PeakMemory(benchmark::State& state) : state_(state) {}
    void Start() {
        state_.PauseTiming();
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = StatusKb("VmRSS");
        state_.ResumeTiming();
    }
    // The growth at the peak since Start, in MB.
    double Peak() {
        state_.PauseTiming();
        const double mb = double(StatusKb("VmHWM") - start_) / 1024;
        state_.ResumeTiming();
        return mb;
    }

  private:
    benchmark::State& state_;
    long start_ = 0;
};

void Batch_Import(benchmark::State& state, int megabytes) {
    const QString& path = ListFile(megabytes);
    if (path.isEmpty()) state.SkipWithError("the list file could not be written");
    PeakMemory memory(state);
    for (auto _ : state) {
        state.PauseTiming();
        {
            testing_support::TemporaryProgramFolder folder;
            folder.AddFreshDatabase();
            platform::Connection connection;
            connection.Open(folder.FilePath(QStringLiteral("db.db")));
            CreateMissingTables(connection, {QStringLiteral("kwlist")});
            auto list = std::make_unique<platform::RowTable>();
            state.ResumeTiming();
            memory.Start();
            QElapsedTimer timer;
            timer.start();
            const list_import::ImportOutcome outcome =
                batch_keywords::ImportKeywordFile(connection, *list, path);
            state.counters["ms per MB"] = double(timer.nsecsElapsed()) / 1e6 / megabytes;
            state.counters["MB"] = memory.Peak();
            state.PauseTiming();
            if (outcome.refusal != list_import::Refusal::None || list->Count() < 1000)
                state.SkipWithError("the list was not imported");
            state.counters["keywords"] = list->Count();
        }
        state.ResumeTiming();
    }
}

void Plain_ReadLines(benchmark::State& state, int megabytes) {
    const QString& path = ListFile(megabytes);
    PeakMemory memory(state);
    for (auto _ : state) {
        memory.Start();
        {
            std::vector<std::string> lines;
            std::ifstream file(QFile::encodeName(path).toStdString());
            for (std::string line; std::getline(file, line);) lines.push_back(line);
            state.counters["MB"] = memory.Peak();
            benchmark::DoNotOptimize(lines.data());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK_CAPTURE(Batch_Import, 5mb, 5)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Batch_Import, 50mb, 50)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Plain_ReadLines, 50mb, 50)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    return app.Run(
        {
            {"import of a 50 MB keyword list: time", "Batch_Import/50mb", "Plain_ReadLines/50mb",
             3},
            {"import of a 50 MB keyword list: peak memory", "Batch_Import/50mb",
             "Plain_ReadLines/50mb", 2, "MB"},
            {"import time per MB, 50 MB list against 5 MB list", "Batch_Import/50mb",
             "Batch_Import/5mb", 1.2, "ms per MB"},
        },
        5);
}
