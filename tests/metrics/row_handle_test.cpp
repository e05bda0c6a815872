#include "metrics/row_handle.h"

#include <gtest/gtest.h>

namespace {

TEST(RowHandleTest, FindsItsRowWhereverItMovedAndNothingOnceItIsGone) {
    platform::ListView list;
    list.Add(QStringLiteral("a"));
    platform::ListItem* b = list.Add(QStringLiteral("b"));
    const metrics::RowHandle handle = metrics::LastRow(&list);
    EXPECT_EQ(handle.Get(), b);

    list.Remove(1);  // the row moves up
    list.Add(QStringLiteral("c"));
    EXPECT_EQ(handle.Get(), b);
    list.Remove(1);
    list.Add(QStringLiteral("b"));  // the same text in another row is another row
    EXPECT_EQ(handle.Get(), nullptr);

    EXPECT_EQ(metrics::LastRow(nullptr).Get(), nullptr);
    platform::ListView empty;
    EXPECT_EQ(metrics::LastRow(&empty).Get(), nullptr);
}

}  // namespace
