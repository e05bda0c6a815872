#include "metrics/row_handle.h"

#include <gtest/gtest.h>

namespace {

TEST(RowHandleTest, FindsItsRowWhereverItMovedAndNothingOnceItIsGone) {
    platform::RowTable list;
    list.Add(QStringLiteral("a"));
    const quint64 b = list.Add(QStringLiteral("b")).Key();
    const metrics::RowHandle handle = metrics::LastRow(&list);
    EXPECT_EQ(handle.Index(), 2);
    EXPECT_EQ(handle.List(), &list);

    list.Remove(1);  // the row moves up
    list.Add(QStringLiteral("c"));
    ASSERT_EQ(handle.Index(), 1);
    EXPECT_EQ(list.Key(handle.Index()), b);
    list.Remove(1);
    list.Add(QStringLiteral("b"));  // the same text in another row is another row
    EXPECT_EQ(handle.Index(), 0);

    EXPECT_EQ(metrics::LastRow(nullptr).Index(), 0);
    platform::RowTable empty;
    EXPECT_EQ(metrics::LastRow(&empty).Index(), 0);
}

}  // namespace
