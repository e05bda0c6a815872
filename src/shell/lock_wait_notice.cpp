#include "shell/lock_wait_notice.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

#include "platform/database.h"
#include "platform/status_panels.h"

namespace {

// Draws `bar` at once, past the pacing of a job's changes.
void DrawNow(QStatusBar* bar) {
    if (auto* panels = dynamic_cast<platform::StatusPanels*>(bar))
        panels->DrawNow();
    else
        bar->repaint();
}

}  // namespace

void ShowLockWaitsOn(QMainWindow* window) {
    platform::Connection::SetLockWaitNotice([window = QPointer<QMainWindow>(window)](bool waiting) {
        if (!window) return;
        QStatusBar* bar = window->statusBar();
        if (!waiting) {
            QGuiApplication::restoreOverrideCursor();
            bar->clearMessage();
            DrawNow(bar);
            return;
        }
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        bar->showMessage(QString::fromUtf16(kLockWaitText));
        if (!window->isVisible()) {
            // A lock met while the program starts, before its window shows: the window shows
            // now, so that the wait is seen. No window of a job exists yet to be re-entered, and
            // the user's input waits until the wait is over.
            window->show();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        DrawNow(bar);
    });
}
