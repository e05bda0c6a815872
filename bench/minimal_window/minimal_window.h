#pragma once

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "idle_report.h"

// The start-up benchmark's baseline window: one main window with a menu, a toolbar and a status
// bar, shown maximised as the program's main window opens; "idle" is reported once it is.
inline void ShowMinimalWindow(QMainWindow& window) {
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Open"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    // Without a window manager a maximised window keeps its own size: it is the screen's.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.resize(screen->availableGeometry().size());
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    ReportWhenIdle(window);
}
