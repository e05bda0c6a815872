// Time from process start to the main window shown and idle (offscreen, every page answered at
// once by the loopback web): what main() runs, in a program linked as the program is, against a
// program of its own, linked against Qt Widgets alone, that shows one maximised main window with
// a menu bar, a toolbar and a status bar bearing the program's captions, in Chinese. On a day
// whose version check is done, with db.db holding 40 to 1,000,000 keywords (goal: at most 1.3x
// at every size); and on the first start of a day, whose version page is read, against the same
// window program asking for one page on loopback before its window (goal: at most 1.3x). For
// comparison, one row against the same window with a few Latin captions instead, whose text
// needs no Chinese font. Each start is a process of its own, which pays its own process start
// and library loading, and reports once its window is exposed and its event queue has drained.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "fakeweb/fake_web.h"
#include "keyword_database.h"
#include "platform/program_folder.h"
#include "platform/settings_hive.h"
#include "shared/registry_store.h"
#include "side_by_side.h"

namespace {

const QString kVersionPage = QStringLiteral("http://update.tarnwick.com/update/ver.htm");

// The settings every start reads and the maker's pages on the loopback web, shared by the
// program folders.
struct Machine {
    Machine() {
        qputenv(platform::kSettingsFolderVariable, settings.path().toUtf8());
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        web.Serve(QStringLiteral("update.tarnwick.com"), QStringLiteral("/update/ver.htm"),
                  QStringLiteral("<html><body><input name=\"ver\" value=\"4.0\">"
                                 "<input name=\"baidutag\" value=\">推广链接\"></body></html>"),
                  QStringLiteral("gbk"));
        web.Serve(QStringLiteral("www.tarnwick.com"), QStringLiteral("/news.html"),
                  QStringLiteral("<html><body>新闻</body></html>"), QStringLiteral("gbk"));
    }
    // The day of the last version check: today, or yesterday for the first start of a day.
    void CheckedOn(const QDate& day) const {
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey,
                             QStringLiteral("updatedt"),
                             day.toString(QStringLiteral("yyyy-MM-dd")));
    }
    QProcessEnvironment Environment(const QString& programFolder) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QString::fromLatin1(platform::kProgramFolderVariable), programFolder);
        environment.insert(QString::fromLatin1(platform::kSettingsFolderVariable), settings.path());
        environment.insert(QStringLiteral("TARNWICK_FAKEWEB"), web.Address());
        return environment;
    }

    QTemporaryDir settings;
    fakeweb::FakeWeb web;
};

Machine* machine = nullptr;

// Seconds from starting `program` until it reports its window idle; 0 when it never did.
// `*after` receives what the program wrote after it was idle.
double SecondsToIdle(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment, QByteArray* after = nullptr) {
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    while (!process.canReadLine() && process.waitForReadyRead(60000)) {
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    const bool idle = process.readLine().trimmed() == "idle";
    process.waitForFinished(60000);
    if (after) *after = process.readAllStandardOutput();
    return idle ? seconds : 0;
}

// A program folder whose db.db holds `rows` keywords, the marker file beside it, made on first
// use and started once: whatever a first start does to a file (the index of its keywords) is
// done before any start is timed.
QString ProgramFolderHolding(int rows) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    std::unique_ptr<QTemporaryDir>& folder = folders[rows];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        const QString database =
            keyword_database::SharedFiles().Path(rows, QStringLiteral("startup"));
        if (!QFile::copy(database, folder->filePath(QStringLiteral("db.db"))))
            qFatal("no database");
        QFile tag(folder->filePath(QStringLiteral("baidutag.txt")));
        tag.open(QIODevice::WriteOnly);
        tag.write("tag\r\n");
        tag.close();
        machine->CheckedOn(QDate::currentDate());
        SecondsToIdle(QStringLiteral(STARTUP_SUBJECT_PROGRAM), {},
                      machine->Environment(folder->path()));
    }
    return folder->path();
}

// Times starts of `program`; the counter "fastest" holds the fastest of them in milliseconds,
// which the goals compare: whatever else runs on the machine only ever adds to a start.
void TimeStarts(benchmark::State& state, const QString& program, const QStringList& arguments,
                int rows, const QDate& lastCheck) {
    const QProcessEnvironment environment = machine->Environment(ProgramFolderHolding(rows));
    double fastest = 0;
    for (auto _ : state) {
        machine->CheckedOn(lastCheck);
        QByteArray after;
        const double seconds = SecondsToIdle(program, arguments, environment, &after);
        if (seconds == 0) state.SkipWithError("the program did not start");
        // The spreadsheet writer and its libraries wait for the first export.
        if (after.contains("loaded at start")) state.SkipWithError(after.trimmed().constData());
        state.SetIterationTime(seconds);
        if (fastest == 0 || seconds < fastest) fastest = seconds;
    }
    state.counters["fastest"] = fastest * 1e3;
}

// The program on a day checked already, db.db holding `rows` keywords.
void BM_StartDayChecked(benchmark::State& state) {
    TimeStarts(state, QStringLiteral(STARTUP_SUBJECT_PROGRAM), {}, int(state.range(0)),
               QDate::currentDate());
}

// The minimal window program, beside the program at each size.
void BM_StartMinimalWindow(benchmark::State& state) {
    TimeStarts(state, QStringLiteral(MINIMAL_WINDOW_PROGRAM), {}, int(state.range(0)),
               QDate::currentDate());
}

// The minimal window program with Latin captions.
void BM_StartMinimalLatinWindow(benchmark::State& state) {
    TimeStarts(state, QStringLiteral(MINIMAL_WINDOW_PROGRAM), {QStringLiteral("--latin")}, 40,
               QDate::currentDate());
}

// The program on the first start of a day: the version page is read.
void BM_StartFirstOfDay(benchmark::State& state) {
    TimeStarts(state, QStringLiteral(STARTUP_SUBJECT_PROGRAM), {}, 40,
               QDate::currentDate().addDays(-1));
}

// The minimal window program asking for the version page on loopback before its window.
void BM_StartMinimalWindowAfterRequest(benchmark::State& state) {
    const QString proxy = machine->web.Address();
    const qsizetype colon = proxy.lastIndexOf(u':');
    TimeStarts(state, QStringLiteral(MINIMAL_FETCH_WINDOW_PROGRAM),
               {kVersionPage, proxy.left(colon), proxy.mid(colon + 1)}, 40,
               QDate::currentDate().addDays(-1));
}

// A few starts a round, each round's program paired with its baseline right after it.
constexpr int kStarts = 3;
constexpr int kRounds = 9;

BENCHMARK(BM_StartDayChecked)
    ->Apply(keyword_database::AtEveryStoredSize)
    ->Iterations(kStarts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartMinimalWindow)
    ->Apply(keyword_database::AtEveryStoredSize)
    ->Iterations(kStarts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartMinimalLatinWindow)
    ->Iterations(kStarts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartFirstOfDay)->Iterations(kStarts)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartMinimalWindowAfterRequest)
    ->Iterations(kStarts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    keyword_database::SharedFiles();  // before the settings of its own: they are the ones used
    Machine shared;
    machine = &shared;
    benchmark::Initialize(&argc, argv);
    std::vector<side_by_side::Goal> goals = keyword_database::AtEveryStoredSize(
        "start-up to an idle shown window, day checked", "BM_StartDayChecked",
        "BM_StartMinimalWindow", 1.3, "fastest");
    goals.push_back({"start-up, first of a day, version page read", "BM_StartFirstOfDay",
                     "BM_StartMinimalWindowAfterRequest", 1.3, "fastest"});
    goals.push_back({"the same, 40 stored, against a window of Latin captions",
                     "BM_StartDayChecked/40", "BM_StartMinimalLatinWindow", 1.3, "fastest"});
    side_by_side::Run(goals, kRounds);
    benchmark::Shutdown();
    return 0;
}
