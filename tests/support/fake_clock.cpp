#include "support/fake_clock.h"

#include <QCoreApplication>

namespace testing_support {

FakeClock::FakeClock(QDateTime start) : now_(std::move(start)) { platform::InstallClock(this); }

FakeClock::~FakeClock() { platform::InstallClock(nullptr); }

void FakeClock::Idle(std::chrono::milliseconds limit) {
    QCoreApplication::processEvents();
    now_ = now_.addMSecs(limit.count());
    waited_ += limit;
}

}  // namespace testing_support
