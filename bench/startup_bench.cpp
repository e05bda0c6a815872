// Time from process start to the main window shown and idle (offscreen, no network, db.db
// present, the day's version check already done), against a minimal program that shows one
// QMainWindow with a menu, a toolbar and a status bar (goal: at most 1.5x); and against the
// same minimal window opened maximised, as the main window opens, which paints as many pixels
// (a large share of the start-up on a loaded machine). All run as child
// processes of this executable, so both pay the same process start and library loading; each child
// reports once its window is exposed and its event queue has drained.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/database.h"
#include "platform/program_folder.h"
#include "platform/settings_hive.h"
#include "shared/registry_store.h"
#include "shell/main_window.h"
#include "side_by_side.h"

namespace {

const char* const kTarnwickChild = "--tarnwick-child";
const char* const kMinimalChild = "--minimal-window-child";
const char* const kMaximisedMinimalChild = "--maximised-minimal-window-child";

// Reports "idle" once `window` is on screen and every pending event has been handled.
void ReportWhenIdle(QWidget& window) {
    QTimer::singleShot(0, &window, [&window] {
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        std::printf("idle\n");
        std::fflush(stdout);
        std::_Exit(0);
    });
}

int RunTarnwick(int argc, char** argv) {
    QApplication app(argc, argv);
    MDIfrm window;
    if (!window.MDIForm_Load()) return 1;
    ReportWhenIdle(window);
    return app.exec();
}

int RunMinimalWindow(int argc, char** argv, bool maximised) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Open"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (maximised) {  // as the main window does it
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window.resize(screen->availableGeometry().size());
        window.setWindowState(Qt::WindowMaximized);
    }
    window.show();
    ReportWhenIdle(window);
    return app.exec();
}

// A program folder with a fresh db.db and settings that say today's check is done.
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
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey,
                             QStringLiteral("updatedt"),
                             QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    }
    QTemporaryDir folder;
};

void BM_StartToIdle(benchmark::State& state, const char* child) {
    ProgramFolder program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QString::fromLatin1(platform::kProgramFolderVariable),
                       program.folder.path());
    environment.insert(QString::fromLatin1(platform::kSettingsFolderVariable),
                       program.folder.path());
    // No network: every request goes to a closed loopback port.
    environment.insert(QStringLiteral("TARNWICK_FAKEWEB"), QStringLiteral("127.0.0.1:9"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(child)});
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (process.readLine().trimmed() != "idle") state.SkipWithError("the child did not start");
        process.waitForFinished(10000);
        state.SetIterationTime(seconds);
    }
}

BENCHMARK_CAPTURE(BM_StartToIdle, tarnwick_main_window, kTarnwickChild)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToIdle, minimal_qt_main_window, kMinimalChild)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToIdle, maximised_minimal_qt_main_window, kMaximisedMinimalChild)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], kTarnwickChild) == 0) return RunTarnwick(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], kMinimalChild) == 0)
        return RunMinimalWindow(argc, argv, false);
    if (argc > 1 && std::strcmp(argv[1], kMaximisedMinimalChild) == 0)
        return RunMinimalWindow(argc, argv, true);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    side_by_side::Run(
        {{"start-up to an idle main window", "BM_StartToIdle/tarnwick_main_window",
          "BM_StartToIdle/minimal_qt_main_window", 1.5},
         {"start-up, beside a maximised minimal window", "BM_StartToIdle/tarnwick_main_window",
          "BM_StartToIdle/maximised_minimal_qt_main_window", 1.5}},
        5);
    benchmark::Shutdown();
    return 0;
}
