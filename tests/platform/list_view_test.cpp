#include "platform/list_view.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using platform::ListItem;
using platform::ListView;

namespace {

TEST(ListViewTest, RowsCountFromOneAndKeepTheirKeyUntilRemoved) {
    ListView list;
    list.AddColumn(QStringLiteral("关键词"), 1500);
    list.AddColumn(QStringLiteral("搜索量"), 0);
    ListItem* first = list.Add(QStringLiteral("减肥"));
    ListItem* second = list.Add(QStringLiteral("瘦身"));
    second->SetSubItem(1, QStringLiteral("12"));

    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1), first);
    EXPECT_EQ(second->Index(), 2);
    EXPECT_EQ(second->SubItem(1), QStringLiteral("12"));
    EXPECT_EQ(first->SubItem(3), QString());
    EXPECT_EQ(list.ColumnWidth(2), 0);
    EXPECT_TRUE(list.isColumnHidden(1));

    const quint64 key = second->Key();
    list.Remove(1);
    EXPECT_EQ(list.FindByKey(key)->Index(), 1);
    list.Remove(1);
    EXPECT_EQ(list.FindByKey(key), nullptr);
}

TEST(ListViewTest, ItemCheckFiresForTheUserOnlyNotForCode) {
    ListView list;
    list.SetCheckBoxes(true);
    list.AddColumn(QStringLiteral("关键词"), 1500);
    ListItem* item = list.Add(QStringLiteral("seo"));
    QSignalSpy checks(&list, &ListView::ItemCheck);

    item->SetChecked(true);
    EXPECT_EQ(checks.count(), 0);
    EXPECT_TRUE(item->Checked());

    item->setCheckState(0, Qt::Unchecked);  // what a click on the box does
    EXPECT_EQ(checks.count(), 1);
    item->SetText(QStringLiteral("seo2"));
    EXPECT_EQ(checks.count(), 1);
}

TEST(ListViewTest, SortedListOrdersByTheSortColumnIgnoringCase) {
    ListView list;
    list.AddColumn(QStringLiteral("a"), 1000);
    list.Add(QStringLiteral("b"));
    list.Add(QStringLiteral("C"));
    list.Add(QStringLiteral("a"));
    list.SetSortOrder(Qt::DescendingOrder);
    list.SetSorted(true);
    EXPECT_EQ(list.Item(1)->Text(), QStringLiteral("C"));
    EXPECT_EQ(list.Item(3)->Text(), QStringLiteral("a"));
}

}  // namespace
