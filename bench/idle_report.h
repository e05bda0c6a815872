#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

// Writes "idle" to the standard output once `window` is on screen and every pending event has
// been handled, and ends the process: what the start-up benchmark times of each program it
// starts.
inline void ReportWhenIdle(QWidget& window) {
    QTimer::singleShot(0, &window, [&window] {
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        std::printf("idle\n");
        std::fflush(stdout);
        std::_Exit(0);
    });
}
