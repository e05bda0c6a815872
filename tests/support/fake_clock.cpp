#include "support/fake_clock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include "fakeweb/fake_web.h"
#include "platform/http_request.h"

namespace testing_support {

FakeClock::FakeClock(QDateTime start)
    : now_(std::move(start)), previous_(platform::InstallClock(this)) {}

FakeClock::~FakeClock() {
    platform::InstallClock(previous_);
}

void FakeClock::Idle(std::chrono::milliseconds limit) {
    // Answers from the loopback web arrive in real time: while one may still come, wait for a
    // request to complete and let the waiter look before any fake time passes. A page that the
    // web holds without answer lets the time pass as soon as the web holds it. Only a request
    // that is stuck for good (one the network layer never sends) ends the wait otherwise.
    const quint64 completedBefore = platform::HttpRequestsCompleted();
    QCoreApplication::processEvents();
    const QDeadlineTimer stuck(std::chrono::minutes(1));
    while (platform::HttpRequestsCompleted() == completedBefore && fakeweb::AnswerMayCome()) {
        if (stuck.hasExpired()) {
            ADD_FAILURE() << "a request to the loopback web got no answer for a minute";
            break;
        }
        QTimer bound;
        bound.setSingleShot(true);
        bound.start(std::chrono::milliseconds(stuck.remainingTime()));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (platform::HttpRequestsCompleted() != completedBefore) return;
    now_ = now_.addMSecs(limit.count());
    waited_ += limit;
}

}  // namespace testing_support
