#include "platform/wait.h"

#include <QCoreApplication>
#include <QTimer>
#include <vector>

#include "platform/clock.h"

namespace platform {
namespace {

int nestedLoops = 0;

std::vector<std::function<void()>>& Deferred() {
    static std::vector<std::function<void()>> steps;
    return steps;
}

void RunDeferred() {
    // Posted when the outermost loop returned; a loop begun since then keeps the steps for its
    // own return.
    if (nestedLoops > 0) return;
    std::vector<std::function<void()>> steps;
    steps.swap(Deferred());
    for (const std::function<void()>& step : steps) step();
}

}  // namespace

NestedLoop::NestedLoop() {
    ++nestedLoops;
}

NestedLoop::~NestedLoop() {
    if (--nestedLoops == 0 && !Deferred().empty())
        QTimer::singleShot(0, QCoreApplication::instance(), RunDeferred);
}

bool InNestedLoop() {
    return nestedLoops > 0;
}

void WhenNoNestedLoop(std::function<void()> step) {
    if (nestedLoops == 0) {
        step();
        return;
    }
    Deferred().push_back(std::move(step));
}

void DoEvents() {
    const NestedLoop loop;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ShowPendingChanges() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const NestedLoop loop;
    Clock& clock = TheClock();
    const qint64 deadline = clock.NowMSecs() + timeout.count();
    while (!done()) {
        const qint64 left = deadline - clock.NowMSecs();
        if (left <= 0) return false;
        clock.Idle(std::chrono::milliseconds(left));
    }
    return true;
}

void Pause(std::chrono::milliseconds duration) {
    WaitUntil([] { return false; }, duration);
}

}  // namespace platform
