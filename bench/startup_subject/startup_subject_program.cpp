// The start-up benchmark's subject: main() of the program, linked as the program is, reporting
// once its main window is idle, and then which libraries that only a later command needs the
// start has loaded all the same.

#include <QApplication>
#include <QFile>
#include <cstdio>

#include "app/program_windows.h"
#include "idle_report.h"
#include "shared/shared_connection.h"
#include "shell/main_window.h"

namespace {

// Libraries that no window needs before its first command: the spreadsheet writer and what it
// brings, loaded at the first Excel export.
constexpr const char* kLoadedLater[] = {"libxlsxwriter", "libminizip", "libcrypto.so"};

void ReportLibrariesLoadedEarly() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return;
    const QByteArray mapped = maps.readAll();
    for (const char* library : kLoadedLater)
        if (mapped.contains(library)) std::printf("loaded at start: %s\n", library);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::unique_ptr<MDIfrm> window = StartProgram(app);
    if (!window) return 1;
    // Closed as the program's end closes it, so that the next start finds db.db as a start
    // after a normal end does, without a log left beside it.
    ReportWhenIdle(*window, [] {
        ReportLibrariesLoadedEarly();
        ForgetSharedConnection();
    });
    return app.exec();
}
