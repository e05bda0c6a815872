#include "platform/clock.h"

#include <gtest/gtest.h>

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

// An installed clock decides the day, also when it moves to the next one between two asks.
TEST(ClockTest, InstalledClockDecidesToday) {
    testing_support::FakeClock clock(QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59)));
    EXPECT_EQ(platform::TheClock().Today(), QDate(2026, 12, 10));
    clock.Advance(std::chrono::seconds(1));
    EXPECT_EQ(platform::TheClock().Today(), QDate(2026, 12, 11));
}

}  // namespace
