// The start-up benchmark's subject: main() of the program, linked as the program is, reporting
// once its main window is idle.

#include <QApplication>

#include "app/program_windows.h"
#include "idle_report.h"
#include "shared/shared_connection.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::unique_ptr<MDIfrm> window = StartProgram(app);
    if (!window) return 1;
    // Closed as the program's end closes it, so that the next start finds db.db as a start
    // after a normal end does, without a log left beside it.
    ReportWhenIdle(*window, [] { ForgetSharedConnection(); });
    return app.exec();
}
