// The start-up benchmark's baseline: a program of its own, linked against Qt Widgets alone, that
// shows one main window with a menu, a toolbar and a status bar, maximised when started with
// "--maximised" as the program's main window opens, and reports once it is idle.

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <cstring>

#include "idle_report.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Open"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (argc > 1 && std::strcmp(argv[1], "--maximised") == 0) {
        // Without a window manager a maximised window keeps its own size: it is the screen's.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window.resize(screen->availableGeometry().size());
        window.setWindowState(Qt::WindowMaximized);
    }
    window.show();
    ReportWhenIdle(window);
    return app.exec();
}
