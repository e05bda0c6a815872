#include "platform/wait.h"

#include <QCoreApplication>

#include "platform/clock.h"

namespace platform {

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ShowPendingChanges() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    Clock& clock = TheClock();
    const QDateTime deadline = clock.Now().addMSecs(timeout.count());
    while (!done()) {
        const qint64 left = clock.Now().msecsTo(deadline);
        if (left <= 0) return false;
        clock.Idle(std::chrono::milliseconds(left));
    }
    return true;
}

void Pause(std::chrono::milliseconds duration) {
    WaitUntil([] { return false; }, duration);
}

}  // namespace platform
