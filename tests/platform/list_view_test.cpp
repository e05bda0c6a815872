#include "platform/list_view.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QSignalSpy>
#include <functional>

#include "platform/wait.h"
#include "support/event_counter.h"
#include "support/fake_clock.h"

using platform::ListView;

namespace {

TEST(ListViewTest, ShowsItsTableWithHiddenZeroWidthColumns) {
    ListView list;
    list.AddColumn(QStringLiteral("关键词"), 1500);
    list.AddColumn(QStringLiteral("搜索量"), 0);
    list.Add(QStringLiteral("减肥")).SetSubItem(1, QStringLiteral("12"));

    EXPECT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(list.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("关键词"));
    EXPECT_FALSE(list.isColumnHidden(0));
    EXPECT_EQ(list.columnWidth(0), 100);
    EXPECT_TRUE(list.isColumnHidden(1));
    list.SetColumnWidth(2, 900);
    EXPECT_FALSE(list.isColumnHidden(1));
    EXPECT_EQ(list.Rows().Cell(1, 1), QStringLiteral("12"));
}

// The headers keep the height their captions need as captions, columns and the font change,
// rows being added between each change.
TEST(ListViewTest, ColumnHeadersAreAsTallAsTheirCaptionsAfterEachChange) {
    ListView list;
    list.AddColumn(QStringLiteral("关键词"), 1500);
    list.AddColumn(QStringLiteral("搜索量"), 0);
    const auto headerHeight = [&list] {
        list.Add(QStringLiteral("减肥"));
        return list.header()->sizeHint().height();
    };
    const int oneLine = headerHeight();
    const struct {
        const char* change;
        std::function<void()> make;
        bool taller;
    } changes[] = {
        {"caption of two lines", [&] { list.Rows().SetColumnText(1, QStringLiteral("关键\n词")); },
         true},
        {"caption of one line", [&] { list.Rows().SetColumnText(1, QStringLiteral("关键词")); },
         false},
        {"hidden column shown with two lines",
         [&] {
             list.Rows().SetColumnText(2, QStringLiteral("搜索\n量"));
             list.SetColumnWidth(2, 900);
         },
         true},
        {"that column hidden again", [&] { list.SetColumnWidth(2, 0); }, false},
        {"another column", [&] { list.AddColumn(QStringLiteral("收录\n数"), 900); }, true},
        {"all columns replaced",
         [&] {
             list.Rows().SetColumns({{QStringLiteral("词"), 900}});
         },
         false},
        {"larger font",
         [&] {
             QFont font = list.font();
             font.setPointSizeF(font.pointSizeF() * 3);
             list.setFont(font);
         },
         true},
    };
    for (const auto& change : changes) {
        change.make();
        const int height = headerHeight();
        if (change.taller)
            EXPECT_GT(height, oneLine) << change.change;
        else
            EXPECT_EQ(height, oneLine) << change.change;
    }
}

TEST(ListViewTest, SelectionAndUserEventsCountRowsFromOne) {
    ListView list;
    list.SetCheckBoxes(true);
    list.AddColumn(QStringLiteral("关键词"), 1500);
    list.Add(QStringLiteral("a"));
    list.Add(QStringLiteral("b"));
    QSignalSpy checks(&list, &ListView::ItemCheck);
    QSignalSpy columns(&list, &ListView::ColumnClick);

    EXPECT_EQ(list.SelectedIndex(), 0);
    list.SetSelectedIndex(2);
    EXPECT_EQ(list.SelectedIndex(), 2);
    list.Remove(1);
    EXPECT_EQ(list.SelectedIndex(), 1) << "the selection follows its row";

    list.Item(1).SetChecked(true);
    EXPECT_EQ(checks.count(), 0);
    list.model()->setData(list.model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    ASSERT_EQ(checks.count(), 1);
    EXPECT_EQ(checks.at(0).at(0).toInt(), 1);

    emit list.header()->sectionClicked(0);
    ASSERT_EQ(columns.count(), 1);
    EXPECT_EQ(columns.at(0).at(0).toInt(), 1);
}

TEST(ListViewTest, SortedListOrdersByTheSortColumnIgnoringCase) {
    ListView list;
    list.AddColumn(QStringLiteral("a"), 1000);
    list.Add(QStringLiteral("b"));
    list.Add(QStringLiteral("C"));
    list.Add(QStringLiteral("a"));
    list.SetSortOrder(Qt::DescendingOrder);
    list.SetSorted(true);
    EXPECT_EQ(list.Item(1).Text(), QStringLiteral("C"));
    EXPECT_EQ(list.Item(3).Text(), QStringLiteral("a"));
    list.Add(QStringLiteral("B"));
    EXPECT_EQ(list.Item(3).Text(), QStringLiteral("B"));
}

// A job that adds a row and waits, row after row, has the list drawn at most once per
// kPaintInterval of the clock in force, and its last row drawn once no wait runs any more.
TEST(ListViewTest, AJobsRowsAreDrawnOncePerPaintIntervalAndTheLastAtItsEnd) {
    testing_support::FakeClock clock;
    ListView list;
    list.AddColumn(QStringLiteral("关键词"), 1500);
    list.resize(300, 800);  // every row in view
    list.show();
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    testing_support::EventCounter paints{QEvent::Paint};
    paints.Watch(list.viewport(), "list");

    constexpr int kRows = 24;
    constexpr std::chrono::milliseconds kStep{25};  // each wait moves the clock on by as much
    for (int row = 0; row < kRows; ++row) {
        list.Add(QString::number(row));
        platform::Pause(kStep);
    }
    EXPECT_LE(paints.Count("list"), kRows * kStep / platform::kPaintInterval + 2);

    paints.Reset();
    list.Add(QStringLiteral("last"));
    EXPECT_TRUE(paints.WaitFor("list")) << "the last row is drawn as the job returns";
    EXPECT_TRUE(list.updatesEnabled());
}

}  // namespace
