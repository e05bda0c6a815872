#include "platform/tree_view.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "platform/controls.h"

namespace {

TEST(TreeView, NodesCountFromOneAndAClickByUserOrCodeNamesTheNode) {
    platform::TreeView tree;
    QSignalSpy clicks(&tree, &platform::TreeView::NodeClick);
    tree.AddNode(QString(), QStringLiteral("link1"), QStringLiteral("常规挖掘"));
    tree.AddNode(QString(), QStringLiteral("link2"), QStringLiteral("批量挖掘"));
    EXPECT_EQ(tree.AddNode(QStringLiteral("link2"), QStringLiteral("sub"), QStringLiteral("子")),
              3);

    EXPECT_EQ(tree.IndexOfKey(QStringLiteral("link2")), 2);
    EXPECT_EQ(tree.IndexOfKey(QStringLiteral("link3")), 0);
    EXPECT_EQ(tree.NodeText(3), QStringLiteral("子"));
    EXPECT_EQ(tree.SelectedIndex(), 0);

    tree.ClickNode(2);
    EXPECT_EQ(tree.SelectedIndex(), 2);
    emit tree.itemClicked(tree.topLevelItem(0), 0);  // what the user's click raises
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 1);
}

TEST(TabContainer, ShowsOnePageAndClickFiresOnAChangeOnly) {
    platform::TabContainer tabs;
    QSignalSpy clicks(&tabs, &platform::TabContainer::Click);
    tabs.AddPage(QStringLiteral("常规挖掘"));
    tabs.AddPage(QStringLiteral("批量挖掘"));
    EXPECT_EQ(tabs.Tab(), 0);
    tabs.SetTab(1);
    tabs.SetTab(1);
    tabs.SetTab(5);
    EXPECT_EQ(tabs.Tab(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(tabs.PageCaption(1), QStringLiteral("批量挖掘"));
}

}  // namespace
