#include "platform/clock.h"
#include "platform/replaceable.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace platform {
namespace {

// A local date and the span of the system's clock it holds for.
struct LocalDay {
    QDate date;
    qint64 from = 0;
    qint64 until = 0;
};

class SystemClock final : public Clock {
  public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    qint64 NowMSecs() const override { return QDateTime::currentMSecsSinceEpoch(); }

    // The local date is looked up again (a time-zone lookup) when the day it was read for ends
    // or the clock goes back, and at least once a second, so that a change of the time zone
    // shows within a second as well.
    QDate Today() const override {
        thread_local LocalDay day;
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (now < day.from || now >= day.until) {
            day.date = QDateTime::fromMSecsSinceEpoch(now).date();
            const qint64 nextDay = QDateTime(day.date.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
            day.from = now;
            day.until = std::min(now + 1000, nextDay);
        }
        return day.date;
    }

    void Idle(std::chrono::milliseconds limit) override {
        // A single-shot timer bounds the sleep; any other event (a network reply, input) ends
        // it early, so the caller re-checks its condition as soon as something happened.
        QTimer bound;
        bound.setSingleShot(true);
        // A coarse timer may fire a few percent late, which would stretch a time-out.
        bound.setTimerType(Qt::PreciseTimer);
        bound.start(limit);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

Replaceable<Clock, SystemClock> theClock;

}  // namespace

Clock& TheClock() {
    return theClock.Get();
}

Clock* InstallClock(Clock* clock) {
    return theClock.Install(clock);
}

}  // namespace platform
