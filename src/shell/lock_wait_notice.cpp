#include "shell/lock_wait_notice.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

#include "platform/database.h"

void ShowLockWaitsOn(QMainWindow* window) {
    platform::Connection::SetLockWaitNotice([window = QPointer<QMainWindow>(window)](bool waiting) {
        if (!window) return;
        QStatusBar* bar = window->statusBar();
        if (!waiting) {
            QGuiApplication::restoreOverrideCursor();
            bar->clearMessage();
            bar->repaint();
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
        bar->repaint();
    });
}
