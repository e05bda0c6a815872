// The start-up benchmark's baseline: a program of its own, linked against Qt Widgets alone, that
// shows its minimal main window with the program's captions, or with Latin ones when started
// with "--latin".

#include <QApplication>
#include <cstring>

#include "minimal_window/minimal_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    const bool latin = argc > 1 && std::strcmp(argv[1], "--latin") == 0;
    ShowMinimalWindow(window, latin ? Captions::Latin : Captions::Program);
    return app.exec();
}
