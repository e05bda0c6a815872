// The start-up benchmark's baseline: a program of its own, linked against Qt Widgets alone, that
// shows its minimal main window.

#include <QApplication>

#include "minimal_window/minimal_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    ShowMinimalWindow(window);
    return app.exec();
}
