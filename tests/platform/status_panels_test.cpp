#include "platform/status_panels.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMainWindow>

#include "platform/wait.h"
#include "support/event_counter.h"
#include "support/fake_clock.h"

using platform::StatusPanels;

namespace {

class StatusPanelsTest : public ::testing::Test {
  protected:
    StatusPanelsTest() : bar(new StatusPanels({{60}, {60, true}, {60}})) {
        window.setStatusBar(bar);
        window.resize(800, 200);
        window.show();
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    }

    // Handles events until panel `index` is as wide as its text asks, or many seconds passed.
    bool FitsItsText(int index) {
        const QLabel* label = bar->PanelLabel(index);
        const QDeadlineTimer deadline(std::chrono::seconds(30));
        while (label->width() < label->sizeHint().width() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return label->width() >= label->sizeHint().width();
    }

    testing_support::FakeClock clock;
    QMainWindow window;
    StatusPanels* bar;
};

TEST_F(StatusPanelsTest, PanelsHoldTheirTextsAndAnOutsideIndexIsIgnored) {
    bar->SetText(1, QStringLiteral("就绪"));
    bar->SetText(4, QStringLiteral("lost"));
    bar->SetText(0, QStringLiteral("lost"));
    EXPECT_EQ(bar->Text(1), QStringLiteral("就绪"));
    EXPECT_EQ(bar->Text(4), QString());
    EXPECT_EQ(bar->PanelLabel(0), nullptr);
    EXPECT_TRUE(FitsItsText(1));
}

// A job that writes its count and item row after row, waiting between rows, has the bar and the
// window around it laid out at most once per kPaintInterval; the text it wrote last, longer than
// any before, widens its panel once the job has returned.
TEST_F(StatusPanelsTest, AJobsTextsAreLaidOutOncePerPaintIntervalAndTheLastAtItsEnd) {
    testing_support::EventCounter layouts{QEvent::LayoutRequest};
    layouts.Watch(bar, "status bar");
    layouts.Watch(&window, "window");

    constexpr int kRows = 24;
    constexpr std::chrono::milliseconds kStep{25};  // each wait moves the clock on by as much
    for (int row = 0; row < kRows; ++row) {
        bar->SetText(1, QStringLiteral("%1/%2").arg(row).arg(kRows));
        bar->SetText(2, QStringLiteral("关键词%1").arg(row));
        bar->SetText(3, QString(10 + row, QChar(u'词')));
        platform::Pause(kStep);
    }
    for (const char* name : {"status bar", "window"})
        EXPECT_LE(layouts.Count(name), kRows * kStep / platform::kPaintInterval + 2)
            << layouts.Report();
    EXPECT_TRUE(FitsItsText(3)) << "the last text is laid out as the job returns";
}

}  // namespace
