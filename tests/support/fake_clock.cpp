#include "support/fake_clock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include "platform/http_request.h"

namespace testing_support {

FakeClock::FakeClock(QDateTime start)
    : now_(std::move(start)), previous_(platform::InstallClock(this)) {}

FakeClock::~FakeClock() {
    platform::InstallClock(previous_);
}

void FakeClock::Idle(std::chrono::milliseconds limit) {
    // Answers from the loopback web arrive in real time: while requests are out, wait for one
    // of them to complete and let the waiter look before any fake time passes. A request that
    // stays unanswered lets the time pass after the grace.
    const quint64 completedBefore = platform::HttpRequestsCompleted();
    QCoreApplication::processEvents();
    const QDeadlineTimer grace(grace_);
    while (platform::HttpRequestsCompleted() == completedBefore &&
           platform::HttpRequestsInFlight() > 0 && !grace.hasExpired()) {
        QTimer bound;
        bound.setSingleShot(true);
        bound.start(std::chrono::milliseconds(grace.remainingTime()));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (platform::HttpRequestsCompleted() != completedBefore) return;
    now_ = now_.addMSecs(limit.count());
    waited_ += limit;
}

}  // namespace testing_support
