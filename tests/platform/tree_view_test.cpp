#include "platform/tree_view.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QPixmap>
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

TEST(TreeView, MarkingANodeHighlightsItAloneAndTheSelectedNodeTakesItsColour) {
    platform::TreeView tree;
    for (const char* key : {"a", "b", "c"})
        tree.AddNode(QString(), QString::fromLatin1(key), QString::fromLatin1(key));
    QPixmap red(4, 4), blue(4, 4);
    red.fill(Qt::red);
    blue.fill(Qt::blue);

    tree.MarkCurrentNode(2, QIcon(red), QIcon(blue));
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem* node = tree.topLevelItem(i);
        const bool current = i == 1;
        EXPECT_EQ(node->background(0).color() == tree.palette().color(QPalette::Highlight),
                  current);
        EXPECT_EQ(node->icon(0).pixmap(4, 4).toImage().pixelColor(0, 0),
                  current ? QColor(Qt::blue) : QColor(Qt::red));
    }
    tree.ClickNode(3);
    tree.SetSelectedNodeForeground(Qt::white);
    EXPECT_EQ(tree.topLevelItem(2)->foreground(0).color(), QColor(Qt::white));
    EXPECT_EQ(tree.topLevelItem(1)->foreground(0).color(), QColor(Qt::black));
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
