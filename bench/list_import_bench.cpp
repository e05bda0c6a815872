// The batch keyword list's import of a keyword list file (the mining window's 导入: read,
// decoded, lower-cased, checked for duplicates, stored in db.db and listed) beside a plain C++
// program doing the same useful work (the file's lines decoded from UTF-8, lower-cased, the
// duplicates dropped through a hash set, every new keyword inserted through the sqlite3 C API in
// one transaction and kept in a vector), on a list of 50 MB, each in a process of its own
// started for that one run: its time (goal: at most 1.2x) and its peak memory, the growth of
// the process's resident memory at its highest while the work runs (goal: at most 1.3x). The
// import of a 5 MB list shows it linear in the file's size: its time per MB on 50 MB against
// that on 5 MB (goal: at most 1.2x).

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
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
                               QStringLiteral("关键词"),   QStringLiteral("SEO"),
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

// What a run in a process of its own measured: its time and its peak memory growth.
struct Measured {
    double ms = 0;
    double mb = 0;
    long keywords = 0;
};

// The import as the batch keyword list does it, on a fresh db.db.
Measured ImportOnce(const QString& path) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    platform::Connection connection;
    connection.Open(folder.FilePath(QStringLiteral("db.db")));
    CreateMissingTables(connection, {QStringLiteral("kwlist")});
    platform::RowTable list;
    std::ofstream("/proc/self/clear_refs") << "5";
    const long start = StatusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    const list_import::ImportOutcome outcome =
        batch_keywords::ImportKeywordFile(connection, list, path);
    Measured measured{double(timer.nsecsElapsed()) / 1e6, double(StatusKb("VmHWM") - start) / 1024,
                      list.Count()};
    if (outcome.refusal != list_import::Refusal::None) measured.keywords = 0;
    return measured;
}

// The plain program: lines decoded, lower-cased, duplicates dropped, each new keyword inserted
// in one transaction through the C API (rollback journal, synchronous FULL) and kept.
Measured PlainOnce(const QString& path) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    sqlite3* db = nullptr;
    sqlite3_open_v2(folder.FilePath(QStringLiteral("db.db")).toUtf8().constData(), &db,
                    SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db,
                 "pragma journal_mode = delete; pragma synchronous = full;"
                 "create table if not exists kwlist (id integer primary key autoincrement,"
                 "kws varchar(50),maxnum int,ext varchar(10),k1 int,k2 int,k3 varchar(250),"
                 "setting int)",
                 nullptr, nullptr, nullptr);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long start = StatusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    std::vector<QString> list;
    QSet<QString> seen;
    sqlite3_stmt* insert = nullptr;
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db, "insert into kwlist (kws,setting) values (?,1)", -1, &insert, nullptr);
    std::ifstream file(QFile::encodeName(path).toStdString());
    QStringDecoder utf8(QStringDecoder::Utf8);
    for (std::string line; std::getline(file, line);) {
        const QString keyword = QString(utf8.decode(QByteArrayView(line))).trimmed().toLower();
        if (keyword.isEmpty() || seen.contains(keyword)) continue;
        seen.insert(keyword);
        const QByteArray text = keyword.toUtf8();
        sqlite3_bind_text(insert, 1, text.constData(), int(text.size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        list.push_back(keyword);
    }
    sqlite3_finalize(insert);
    const bool committed = sqlite3_exec(db, "commit", nullptr, nullptr, nullptr) == SQLITE_OK;
    Measured measured{double(timer.nsecsElapsed()) / 1e6, double(StatusKb("VmHWM") - start) / 1024,
                      committed && !utf8.hasError() ? long(list.size()) : 0};
    sqlite3_close(db);
    return measured;
}

const char kChildSwitch[] = "--run-once";

// Runs `kind` ("import" or "plain") on the list of `megabytes` MB in a process of its own.
void InFreshProcess(benchmark::State& state, const char* kind, int megabytes) {
    const QString& path = ListFile(megabytes);
    if (path.isEmpty()) state.SkipWithError("the list file could not be written");
    Measured measured;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kChildSwitch), QString::fromLatin1(kind), path});
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 3 || figures[2].toLong() < 1000) {
            state.SkipWithError("the run did not import the list");
            break;
        }
        measured = {figures[0].toDouble(), figures[1].toDouble(), figures[2].toLong()};
        state.SetIterationTime(measured.ms / 1000);
    }
    state.counters["ms per MB"] = measured.ms / megabytes;
    state.counters["MB"] = measured.mb;
    state.counters["keywords"] = double(measured.keywords);
}

void Batch_Import(benchmark::State& state, int megabytes) {
    InFreshProcess(state, "import", megabytes);
}
void Plain_Import(benchmark::State& state, int megabytes) {
    InFreshProcess(state, "plain", megabytes);
}

}  // namespace

BENCHMARK_CAPTURE(Batch_Import, 5mb, 5)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(Batch_Import, 50mb, 50)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(Plain_Import, 50mb, 50)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == kChildSwitch) {
        QCoreApplication app(argc, argv);
        const QString path = QString::fromLocal8Bit(argv[3]);
        const Measured measured =
            std::string(argv[2]) == "plain" ? PlainOnce(path) : ImportOnce(path);
        std::printf("%.3f %.3f %ld\n", measured.ms, measured.mb, measured.keywords);
        return 0;
    }
    QtBenchmarkApp app(argc, argv);
    return app.Run({
        {"import of a 50 MB keyword list: time", "Batch_Import/50mb", "Plain_Import/50mb", 1.2},
        {"import of a 50 MB keyword list: peak memory", "Batch_Import/50mb", "Plain_Import/50mb",
         1.3, "MB"},
        {"import time per MB, 50 MB list against 5 MB list", "Batch_Import/50mb",
         "Batch_Import/5mb", 1.2, "ms per MB"},
    });
}
