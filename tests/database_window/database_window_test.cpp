#include "database_window/database_window.h"

#include <gtest/gtest.h>

#include "database_window_fixture.h"
#include "platform/twips.h"
#include "shell/database_bootstrap.h"
#include "support/database_files.h"

namespace {

using database_window_testing::DatabaseWindowTest;

TEST_F(DatabaseWindowTest, LoadListsEveryStoredKeywordWithItsIndexInBothLists) {
    db.Insert(QStringLiteral("a"), QStringLiteral("pa"), "3", "1", "750",
              QStringLiteral("2026-12-01"));
    db.Insert(QStringLiteral("b"), QStringLiteral("pb"), "1", "2", "110",
              QStringLiteral("2010/6/24"));
    db.Insert(QStringLiteral("c"), QStringLiteral("pc"), "-", "-", "120",
              QStringLiteral("2026-12-02"));
    db.Insert(QStringLiteral("d"), QStringLiteral("pd"), "5", "0", "0",
              QStringLiteral("2026-12-03"));
    db.Insert(QStringLiteral("e"), QStringLiteral("pe"), "1", "1", "90000000",
              QStringLiteral("2026-12-03"));
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral(
        "insert into keywords (keys,adddate,parentkeys) values ('f','2026-12-04','f')")));

    关键词数据库& w = Open();

    EXPECT_FALSE(w.KeywordDbMissing);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(w.ListView16->ColumnCount(), 7);
    EXPECT_EQ(w.ListView16->ColumnText(7), QStringLiteral("更新日期"));
    EXPECT_EQ(Column(), QStringLiteral("a,b,c,d,e,f"));
    EXPECT_EQ(Column(1), QStringLiteral("pa,pb,pc,pd,pe,f"));
    // 40 exactly; 90.909... cut, not rounded; "-" and "0" give 0; a quotient in exponent form
    // as the metrics show it; a record without figures shows no index.
    EXPECT_EQ(Column(5), QStringLiteral("40,90.9,0,0,0.0001,"));
    EXPECT_EQ(Column(6),
              QStringLiteral("2026-12-01,2010/6/24,2026-12-02,2026-12-03,2026-12-03,2026-12-04"));
    for (int j = 0; j <= 6; ++j) EXPECT_EQ(MasterColumn(j), Column(j)) << j;
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(w.ListView13.Key(i), w.ListView16->Rows().Key(i));

    // A second load replaces the rows: one row per record in each list.
    w.Command49_Click();
    EXPECT_EQ(Column(), QStringLiteral("a,b,c,d,e,f"));
    EXPECT_EQ(MasterColumn(), Column());
}

// The table's rows are read one by one until a record whose long keyword lies on damaged pages:
// the lists hold none of the rows read before it, and the user is told why they are empty.
TEST_F(DatabaseWindowTest, AKeywordTableUnreadableHalfWayListsNoRowAndSaysWhy) {
    platform::Connection& connection = SharedConnection();
    ASSERT_TRUE(connection.Execute(QStringLiteral("begin")));
    for (int i = 1; i <= 60; ++i) {
        const QString keyword = i == 30 ? QString(20000, u'长') : QStringLiteral("词%1").arg(i);
        db.Insert(keyword, keyword, "1", "1", "1", QStringLiteral("2026-12-01"));
    }
    ASSERT_TRUE(connection.Execute(QStringLiteral("commit")));
    关键词数据库& w = Open();
    ASSERT_EQ(w.ListView16->Count(), 60);
    const QList<qint64> longKeyword =
        testing_support::OverflowPages(connection, QStringLiteral("keywords"));
    ASSERT_FALSE(longKeyword.isEmpty());
    connection.Close();  // every page written into the file itself
    testing_support::DamagePages(DatabasePath(), longKeyword);
    ASSERT_TRUE(connection.Open(DatabasePath()));

    w.Command49_Click();

    EXPECT_EQ(w.ListView16->Count(), 0);
    EXPECT_EQ(w.ListView13.Count(), 0);
    EXPECT_TRUE(
        prompts.LastText().startsWith(QStringLiteral("无法读取数据库中的关键词，列表为空。")))
        << prompts.LastText().toStdString();
}

TEST_F(DatabaseWindowTest, LoadShowsTheAnalysisPageTheFirstPanelAndASelectedNode) {
    关键词数据库& w = Open();

    EXPECT_FALSE(w.pic1->isHidden());
    EXPECT_TRUE(w.pic2->isHidden());
    EXPECT_TRUE(w.pic3->isHidden());
    EXPECT_FALSE(w.tip1->isHidden());
    EXPECT_TRUE(w.tip2->isHidden());
    EXPECT_EQ(w.lbltitle->Caption(), QStringLiteral("功能介绍-数据库管理"));
    ASSERT_EQ(w.TreeView1->NodeCount(), 1);
    EXPECT_EQ(w.TreeView1->NodeKey(1), QStringLiteral("link1"));
    EXPECT_EQ(w.TreeView1->NodeText(1), QStringLiteral("数据库管理"));
    for (platform::ComboBox* combo : {w.Combo5, w.Combo6, w.Combo7, w.Combo9}) {
        EXPECT_EQ(combo->count(), 3);
        EXPECT_EQ(combo->Text(), QStringLiteral(">"));
    }
    EXPECT_EQ(w.Combo4->Text(), QStringLiteral("包含"));
    EXPECT_EQ(w.Combo4->itemText(1), QStringLiteral("不包含"));
    EXPECT_EQ(w.txtbaiduse->Text(), QStringLiteral("3"));
    EXPECT_EQ(w.txtsetse->Text(), QStringLiteral("1"));
    EXPECT_EQ(w.SideBarPanes(), (QList<QWidget*>{w.pic1, w.pic2}));
    EXPECT_EQ(w.findChild<platform::CommandButton*>(QStringLiteral("Command44"))->Caption(),
              QStringLiteral("更新数据库"));

    w.TreeView1->ClickNode(1);
    QTreeWidgetItem* node = w.TreeView1->topLevelItem(0);
    EXPECT_EQ(node->background(0).color(), w.palette().highlight().color());
    EXPECT_EQ(node->foreground(0).color(), QColor(Qt::black));
    w.TreeView1_SelectedNodeWhite();
    EXPECT_EQ(node->foreground(0).color(), QColor(Qt::white));
    EXPECT_FALSE(w.pic1->isHidden());
    EXPECT_FALSE(w.tip1->isHidden());
}

TEST_F(DatabaseWindowTest, ResizingKeepsTheListsMarginsAndNeverGoesBelowZero) {
    关键词数据库& w = Open();
    w.pic1->resize(platform::TwipsToPixels(15000), platform::TwipsToPixels(9000));
    EXPECT_EQ(w.ListView16->width(), platform::TwipsToPixels(15000 - 4300));
    EXPECT_EQ(w.ListView16->height(), platform::TwipsToPixels(9000 - 1100));
    EXPECT_EQ(w.Command53->y(), platform::TwipsToPixels(9000 - 700));

    w.resize(10, 10);
    w.pic1->resize(5, 5);
    EXPECT_EQ(w.ListView16->width(), 0);
    EXPECT_EQ(w.ListView16->height(), 0);
}

TEST_F(DatabaseWindowTest, WithDbMissingEachLoadWarnsAndTheDatabaseCommandsRefuse) {
    ForgetSharedConnection();
    QFile::remove(DatabasePath());

    关键词数据库& w = Open();
    EXPECT_TRUE(w.KeywordDbMissing);
    EXPECT_EQ(prompts.Texts(), QStringList({"缺失数据库文件，请下载后解压并复制到软件安装目录！"}));
    EXPECT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(w.ListView16->Count(), 0);

    // A later opening looks for the file again, warns again, and still refuses.
    Open();
    window->Check30->SetValue(1);
    window->Command49_Click();
    window->Command44_Click();
    EXPECT_EQ(prompts.Texts().mid(1),
              QStringList({"缺失数据库文件，请下载后解压并复制到软件安装目录！",
                           "缺失数据库文件的情况下，本功能暂时被禁用！",
                           "缺失数据库文件的情况下，本功能暂时被禁用！"}));
    EXPECT_EQ(window->Command44->Caption(), QStringLiteral("更新数据库"));
}

TEST_F(DatabaseWindowTest, CancellingTheBackupFolderEmptiesItsBox) {
    关键词数据库& w = Open();
    w.Text12->SetText(QStringLiteral("old"));
    prompts.Type(QString());
    w.Command19_Click();
    EXPECT_EQ(w.Text12->Text(), QString());
    EXPECT_EQ(prompts.Last().text, QStringLiteral("请选择欲保存路径的文件夹"));
}

}  // namespace
