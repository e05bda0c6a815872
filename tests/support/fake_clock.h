#pragma once

#include <QDateTime>

#include "platform/clock.h"

namespace testing_support {

// A clock that stands still until a wait asks it to pass time: every idle step advances it by
// the whole time the wait allows, so waits of seconds return at once. An answer of the loopback
// web that may still come is awaited in real time first, however long it takes: the time moves
// only once no answer may come. Installs itself, and puts back the clock it replaced when it
// goes.
class FakeClock final : public platform::Clock {
  public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    ~FakeClock();

    QDateTime Now() const override { return now_; }
    void Idle(std::chrono::milliseconds limit) override;

    void Set(const QDateTime& now) { now_ = now; }
    void Advance(std::chrono::milliseconds by) { now_ = now_.addMSecs(by.count()); }
    // Total time the program spent waiting on this clock.
    std::chrono::milliseconds Waited() const { return waited_; }

  private:
    QDateTime now_;
    std::chrono::milliseconds waited_{0};
    platform::Clock* previous_;
};

// The system's clock in force for the object's lifetime, for a test of real time inside a test
// environment; the clock it replaced comes back afterwards.
class SystemClockInForce {
  public:
    SystemClockInForce() : previous_(platform::InstallClock(nullptr)) {}
    ~SystemClockInForce() { platform::InstallClock(previous_); }
    SystemClockInForce(const SystemClockInForce&) = delete;
    SystemClockInForce& operator=(const SystemClockInForce&) = delete;

  private:
    platform::Clock* previous_;
};

}  // namespace testing_support
