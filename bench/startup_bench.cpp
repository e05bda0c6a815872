// Time from process start to the main window shown and idle (every page answered at once by the
// loopback web), on two displays: offscreen, and a real X server (Xvfb at 1920x1080, which maps
// and draws every window a program shows, as a desktop's does). What main() runs, in a program
// linked as the program is, against a program of its own, linked against Qt Widgets and Qt
// Network alone, that asks for one page on loopback (the news page's work) and then shows one
// maximised main window with a menu bar, a toolbar and a status bar bearing the program's
// captions, in Chinese. On a day whose version check is done, with db.db holding 40 and
// 1,000,000 keywords (goal: at most 1.3x on either display); and on the first start of a day,
// whose version page is read as well, against the same window program asking for the version
// page (goal: at most 1.3x). For information, one row against the same window with a few Latin
// captions instead, whose text needs no Chinese font, asking for no page. Each start is a
// process of its own, which pays its own process start and library loading, and reports once
// its window is exposed and its event queue has drained; the next start waits a moment after
// it has ended, so that neither the system's nor the X server's clearing up after one process
// falls into the next one's start.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>
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
const QString kNewsPage = QStringLiteral("http://www.tarnwick.com/news.html?ver=4.0.0");

// Where a start shows its window.
enum class Display { Offscreen, Xvfb };

// An X server of its own with one 1920x1080 screen, for the starts on a real display; ended
// with the benchmark.
class XServer {
  public:
    // Starts the server; false when it cannot run.
    bool Start() {
        process_.start(
            QStringLiteral("Xvfb"),
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
             QStringLiteral("0"), QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
             QStringLiteral("tcp")});
        if (!process_.waitForStarted(10000)) return false;
        // The server writes its display number once it takes connections.
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        const QByteArray number = process_.readLine().trimmed();
        if (number.isEmpty()) return false;
        display_ = QStringLiteral(":") + QString::fromLatin1(number);
        return true;
    }
    ~XServer() {
        process_.terminate();
        process_.waitForFinished(10000);
    }
    // ":N"; empty when the server is not running.
    const QString& DisplayName() const { return display_; }

  private:
    QProcess process_;
    QString display_;
};

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
    QProcessEnvironment Environment(const QString& programFolder,
                                    Display display = Display::Offscreen) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (display == Display::Xvfb) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            environment.insert(QStringLiteral("DISPLAY"), xServer.DisplayName());
        } else {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        environment.insert(QString::fromLatin1(platform::kProgramFolderVariable), programFolder);
        environment.insert(QString::fromLatin1(platform::kSettingsFolderVariable), settings.path());
        environment.insert(QStringLiteral("TARNWICK_FAKEWEB"), web.Address());
        return environment;
    }

    QTemporaryDir settings;
    fakeweb::FakeWeb web;
    XServer xServer;
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

// A start waits this long after the one before it has ended.
constexpr std::chrono::milliseconds kPause(200);

// Times starts of `program` on `display`; the counter "fastest" holds the fastest of them in
// milliseconds, which the goals compare: whatever else runs on the machine only ever adds to a
// start.
void TimeStarts(benchmark::State& state, Display display, const QString& program,
                const QStringList& arguments, int rows, const QDate& lastCheck) {
    if (display == Display::Xvfb && machine->xServer.DisplayName().isEmpty()) {
        state.SkipWithError("no X server: Xvfb did not start");
        return;
    }
    const QProcessEnvironment environment =
        machine->Environment(ProgramFolderHolding(rows), display);
    double fastest = 0;
    for (auto _ : state) {
        machine->CheckedOn(lastCheck);
        QThread::msleep(kPause.count());
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

// The loopback web's address as host and port, for the window programs that ask for a page.
QStringList ProxyArguments() {
    const QString proxy = machine->web.Address();
    const qsizetype colon = proxy.lastIndexOf(u':');
    return {proxy.left(colon), proxy.mid(colon + 1)};
}

// The program on a day checked already, db.db holding `rows` keywords.
void BM_StartDayChecked(benchmark::State& state, Display display) {
    TimeStarts(state, display, QStringLiteral(STARTUP_SUBJECT_PROGRAM), {}, int(state.range(0)),
               QDate::currentDate());
}

// The minimal window program asking for the news page first, beside the program at each size.
void BM_StartMinimalWindowAfterNews(benchmark::State& state, Display display) {
    TimeStarts(state, display, QStringLiteral(MINIMAL_FETCH_WINDOW_PROGRAM),
               QStringList{kNewsPage} + ProxyArguments(), int(state.range(0)),
               QDate::currentDate());
}

// The minimal window program with Latin captions, asking for no page.
void BM_StartMinimalLatinWindow(benchmark::State& state, Display display) {
    TimeStarts(state, display, QStringLiteral(MINIMAL_WINDOW_PROGRAM), {QStringLiteral("--latin")},
               40, QDate::currentDate());
}

// The program on the first start of a day: the version page is read.
void BM_StartFirstOfDay(benchmark::State& state, Display display) {
    TimeStarts(state, display, QStringLiteral(STARTUP_SUBJECT_PROGRAM), {}, 40,
               QDate::currentDate().addDays(-1));
}

// The minimal window program asking for the version page on loopback before its window.
void BM_StartMinimalWindowAfterRequest(benchmark::State& state, Display display) {
    TimeStarts(state, display, QStringLiteral(MINIMAL_FETCH_WINDOW_PROGRAM),
               QStringList{kVersionPage} + ProxyArguments(), 40, QDate::currentDate().addDays(-1));
}

void AtStartupSizes(benchmark::internal::Benchmark* benchmark) {
    for (const int rows : keyword_database::kStartupSizes) benchmark->Arg(rows);
}

// A few starts a round, the fastest of them compared.
constexpr int kStarts = 2;

#define STARTS(function, display)                          \
    BENCHMARK_CAPTURE(function, display, Display::display) \
        ->Iterations(kStarts)                              \
        ->UseManualTime()                                  \
        ->Unit(benchmark::kMillisecond)
#define ON_BOTH_DISPLAYS(function)                      \
    STARTS(function, Offscreen)->Apply(AtStartupSizes); \
    STARTS(function, Xvfb)->Apply(AtStartupSizes)
ON_BOTH_DISPLAYS(BM_StartDayChecked);
ON_BOTH_DISPLAYS(BM_StartMinimalWindowAfterNews);
STARTS(BM_StartMinimalLatinWindow, Offscreen);
STARTS(BM_StartMinimalLatinWindow, Xvfb);
STARTS(BM_StartFirstOfDay, Offscreen);
STARTS(BM_StartFirstOfDay, Xvfb);
STARTS(BM_StartMinimalWindowAfterRequest, Offscreen);
STARTS(BM_StartMinimalWindowAfterRequest, Xvfb);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    keyword_database::SharedFiles();  // before the settings of its own: they are the ones used
    Machine shared;
    machine = &shared;
    if (!shared.xServer.Start())
        std::printf(
            "Xvfb did not start (scripts/test-packages.txt installs it): the starts on a "
            "real display are not measured\n");
    benchmark::Initialize(&argc, argv);
    std::vector<side_by_side::Goal> goals;
    for (const auto& [display, name] :
         {std::pair{"Offscreen", "offscreen"}, std::pair{"Xvfb", "Xvfb 1920x1080"}}) {
        const std::string on = std::string("/") + display;
        for (const int rows : keyword_database::kStartupSizes) {
            const std::string size = "/" + std::to_string(rows);
            goals.push_back({std::string("start-up to an idle shown window, day checked, ") + name +
                                 ", " + side_by_side::Grouped(rows) + " stored",
                             "BM_StartDayChecked" + on + size,
                             "BM_StartMinimalWindowAfterNews" + on + size, 1.3, "fastest"});
        }
        goals.push_back({std::string("start-up, first of a day, version page read, ") + name,
                         "BM_StartFirstOfDay" + on, "BM_StartMinimalWindowAfterRequest" + on, 1.3,
                         "fastest"});
        goals.push_back(side_by_side::Information(
            std::string("day checked, 40 stored, against Latin captions and no page, ") + name,
            "BM_StartDayChecked" + on + "/40", "BM_StartMinimalLatinWindow" + on, "fastest"));
    }
    // A start takes some tens of milliseconds: more rounds, for a median that holds.
    side_by_side::Run(goals, 2 * side_by_side::kRounds + 1);
    benchmark::Shutdown();
    return 0;
}
