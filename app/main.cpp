#include <QApplication>

#include "app/program_windows.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::unique_ptr<MDIfrm> window = StartProgram(app);
    if (!window) return 0;
    return app.exec();
}
