#pragma once

#include <QDateTime>
#include <chrono>

namespace platform {

// The time of day for every wait and date of the program. Tests install a clock of their own
// so that a wait of seconds, or the next day, passes in an instant.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    // Now() as milliseconds since the epoch, for waits that only count time: the system's clock
    // answers without the time zone, whose every use reads the zone file's status anew.
    virtual qint64 NowMSecs() const { return Now().toMSecsSinceEpoch(); }
    // Now()'s local date, for the many steps that stamp or compare a day.
    virtual QDate Today() const { return Now().date(); }
    // Sleeps in the event loop until an event arrives or `limit` has passed on this clock,
    // handling the events that arrive. Never spins a core.
    virtual void Idle(std::chrono::milliseconds limit) = 0;
};

// The clock in force: the system's, unless a test has installed another.
Clock& TheClock();
// Installs `clock` (not owned) in place of the system's, nullptr restoring the system's; returns
// the clock it replaces.
Clock* InstallClock(Clock* clock);

}  // namespace platform
