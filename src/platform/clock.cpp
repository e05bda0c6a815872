#include "platform/clock.h"
#include "platform/replaceable.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace platform {
namespace {

class SystemClock final : public Clock {
  public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    qint64 NowMSecs() const override { return QDateTime::currentMSecsSinceEpoch(); }

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
