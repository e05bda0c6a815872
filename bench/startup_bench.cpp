// Time from process start to the main window shown and idle (offscreen, db.db present, every
// page answered at once by the loopback web): what main() runs, in a program linked as the
// program is, on a day whose version check is done and on the first start of a day (the
// version page read), against a program of its own that shows one maximised main window with a
// menu, a toolbar and a status bar, linked against Qt Widgets alone (goal: at most 1.5x). Each
// start is a process of its own, which pays its own process start and library loading, and
// reports once its window is exposed and its event queue has drained.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "fakeweb/fake_web.h"
#include "platform/database.h"
#include "platform/program_folder.h"
#include "platform/settings_hive.h"
#include "shared/registry_store.h"
#include "side_by_side.h"

namespace {

// A program folder with a fresh db.db and the marker file, and the maker's pages on the
// loopback web.
struct ProgramFolder {
    ProgramFolder() {
        QFile schema(QStringLiteral(TARNWICK_SCHEMA_FILE));
        schema.open(QIODevice::ReadOnly);
        QFile(folder.filePath(QStringLiteral("db.db"))).open(QIODevice::WriteOnly);
        platform::Connection connection;
        connection.Open(folder.filePath(QStringLiteral("db.db")));
        for (const QString& statement : QString::fromUtf8(schema.readAll()).split(u';')) {
            QString sql;
            for (const QString& line : statement.split(u'\n'))
                if (!line.trimmed().startsWith(QStringLiteral("--"))) sql += line + u'\n';
            if (!sql.trimmed().isEmpty()) connection.Execute(sql);
        }
        QFile tag(folder.filePath(QStringLiteral("baidutag.txt")));
        tag.open(QIODevice::WriteOnly);
        tag.write("tag\r\n");
        qputenv(platform::kSettingsFolderVariable, folder.path().toUtf8());
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
    QTemporaryDir folder;
    fakeweb::FakeWeb web;
};

ProgramFolder* program = nullptr;

// What a start is timed on: the program, started on a day checked already or on the first
// start of a day, or the minimal window program.
enum class Start { CheckedToday, FirstOfDay, MinimalWindow };

void BM_StartToIdle(benchmark::State& state, Start start) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QString::fromLatin1(platform::kProgramFolderVariable),
                       program->folder.path());
    environment.insert(QString::fromLatin1(platform::kSettingsFolderVariable),
                       program->folder.path());
    environment.insert(QStringLiteral("TARNWICK_FAKEWEB"), program->web.Address());
    for (auto _ : state) {
        program->CheckedOn(start == Start::FirstOfDay ? QDate::currentDate().addDays(-1)
                                                      : QDate::currentDate());
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        if (start == Start::MinimalWindow)
            process.start(QStringLiteral(MINIMAL_WINDOW_PROGRAM), {QStringLiteral("--maximised")});
        else
            process.start(QStringLiteral(STARTUP_SUBJECT_PROGRAM));
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (process.readLine().trimmed() != "idle") state.SkipWithError("the child did not start");
        process.waitForFinished(10000);
        state.SetIterationTime(seconds);
    }
}

BENCHMARK_CAPTURE(BM_StartToIdle, tarnwick_checked_today, Start::CheckedToday)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToIdle, tarnwick_first_start_of_day, Start::FirstOfDay)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToIdle, maximised_minimal_window_program, Start::MinimalWindow)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ProgramFolder folder;
    program = &folder;
    benchmark::Initialize(&argc, argv);
    side_by_side::Run({{"start-up to an idle main window, day checked already",
                        "BM_StartToIdle/tarnwick_checked_today",
                        "BM_StartToIdle/maximised_minimal_window_program", 1.5},
                       {"start-up to an idle main window, first start of a day",
                        "BM_StartToIdle/tarnwick_first_start_of_day",
                        "BM_StartToIdle/maximised_minimal_window_program", 1.5}},
                      5);
    benchmark::Shutdown();
    return 0;
}
