#include "platform/clock.h"

#include <gtest/gtest.h>

#include <QThread>
#include <ctime>

#include "support/fake_clock.h"
#include "support/qt_printers.h"

namespace {

// The system's clock keeps the day it read for a while: asked many times in a row, it still
// answers the local date of the moment, never the day before.
TEST(ClockTest, SystemClockTodayIsTheLocalDateOfTheMoment) {
    const testing_support::SystemClockInForce realClock;
    for (int i = 0; i < 1000; ++i) {
        const QDate before = QDate::currentDate();
        const QDate today = platform::TheClock().Today();
        const QDate after = QDate::currentDate();
        ASSERT_TRUE(today == before || today == after) << today.toString().toStdString();
    }
}

// The process's time zone set to `zone` (a POSIX TZ text) for the object's lifetime.
class TimeZoneInForce {
  public:
    explicit TimeZoneInForce(const QByteArray& zone)
        : had_(qEnvironmentVariableIsSet("TZ")), previous_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneInForce() {
        if (had_)
            qputenv("TZ", previous_);
        else
            qunsetenv("TZ");
        tzset();
    }

  private:
    bool had_;
    QByteArray previous_;
};

qint64 NowMSecs() {
    return QDateTime::currentMSecsSinceEpoch();
}

void SleepUntil(qint64 msecsSinceEpoch) {
    const qint64 left = msecsSinceEpoch - NowMSecs();
    if (left > 0) QThread::msleep(static_cast<unsigned long>(left));
}

// A date stamped a moment after local midnight is the new day's, though the day was read a
// moment before it. The zone is chosen so that its midnight comes within about two seconds. A
// try counts only where the first read came before that midnight and the second within the
// second that a read day is kept at most: a loaded machine may sleep past either, and such a
// try, which proves nothing, is made again.
TEST(ClockTest, SystemClockTodayTurnsToTheNewDayRightAfterLocalMidnight) {
    const testing_support::SystemClockInForce realClock;
    constexpr qint64 kDay = 86400;
    constexpr int kTries = 20;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        // A whole second, far enough ahead that a day read before the zone changed has expired.
        const qint64 midnight = (NowMSecs() + 1150 + 999) / 1000 * 1000;
        const qint64 east = (kDay - (midnight / 1000) % kDay) % kDay;
        const TimeZoneInForce zone(QStringLiteral("XXX-%1:%2:%3")
                                       .arg(east / 3600)
                                       .arg(east / 60 % 60, 2, 10, QChar(u'0'))
                                       .arg(east % 60, 2, 10, QChar(u'0'))
                                       .toLatin1());
        const QDate before = QDateTime::fromMSecsSinceEpoch(midnight - 1).date();
        ASSERT_EQ(QDateTime::fromMSecsSinceEpoch(midnight).time(), QTime(0, 0));

        SleepUntil(midnight - 150);
        const qint64 firstAsked = NowMSecs();
        const QDate first = platform::TheClock().Today();
        const qint64 firstAnswered = NowMSecs();
        SleepUntil(midnight + 20);
        const qint64 secondAsked = NowMSecs();
        const QDate second = platform::TheClock().Today();
        if (firstAnswered >= midnight || secondAsked >= firstAsked + 1000) continue;
        EXPECT_EQ(first, before);
        EXPECT_EQ(second, before.addDays(1));
        return;
    }
    FAIL() << "no try read the day on time on both sides of midnight";
}

// An installed clock decides the day, also when it moves to the next one between two asks.
TEST(ClockTest, InstalledClockDecidesToday) {
    testing_support::FakeClock clock(QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59)));
    EXPECT_EQ(platform::TheClock().Today(), QDate(2026, 12, 10));
    clock.Advance(std::chrono::seconds(1));
    EXPECT_EQ(platform::TheClock().Today(), QDate(2026, 12, 11));
}

}  // namespace
