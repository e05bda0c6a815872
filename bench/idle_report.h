#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>

// Writes "idle" to the standard output once `window` is on screen and every pending event has
// been handled, what the start-up benchmark times of each program it starts; then runs
// `leave`, which leaves behind what the program's own end would, and ends the process.
inline void ReportWhenIdle(QWidget& window, std::function<void()> leave = {}) {
    QTimer::singleShot(0, &window, [&window, leave] {
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        std::printf("idle\n");
        std::fflush(stdout);
        if (leave) leave();
        std::_Exit(0);
    });
}
