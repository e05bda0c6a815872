#pragma once

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "idle_report.h"

// The captions the baseline window shows.
enum class Captions {
    Program,  // the program's own, in Chinese: its menus, toolbar buttons and status text
    Latin,    // a few short Latin ones
};

// The start-up benchmark's baseline window: one main window with a menu bar, a toolbar and a
// status bar, shown maximised as the program's main window opens; "idle" is reported once it is.
// Its texts are drawn in whatever font Qt finds for them, as a plain program's are.
inline void ShowMinimalWindow(QMainWindow& window, Captions captions) {
    if (captions == Captions::Program) {
        for (const char* menu : {"系统设置(&S)", "软件功能(&F)", "关于软件(&A)", "软件帮助(&H)"})
            window.menuBar()->addMenu(QString::fromUtf8(menu));
        window.menuBar()->addAction(QStringLiteral("退出(&X)"));
        QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar1"));
        toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        for (const char* button : {"关键词挖掘", "关键词工具", "关键词数据库", "隐藏侧栏"})
            toolbar->addAction(QString::fromUtf8(button));
        window.statusBar()->showMessage(QStringLiteral("就绪"));
    } else {
        window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
        window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Open"));
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    }
    // Without a window manager a maximised window keeps its own size: it is the screen's.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.resize(screen->availableGeometry().size());
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    ReportWhenIdle(window);
}
