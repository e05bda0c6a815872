#include "shared/shared_connection.h"
#include "support/database_files.h"
#include "support/list_ends.h"
#include "tools_window/rank_columns.h"
#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;
using platform::Answer;

class RankHistoryTest : public ToolsWindowTest {
  protected:
    RankHistoryTest() {
        const char* const records[][4] = {
            {"百度", "减肥", "a.com", "2026-12-08"}, {"谷歌", "减肥", "b.com", "2026-12-08"},
            {"雅虎", "瘦身", "a.com", "2026-12-09"}, {"必应", "it's", "a.com", "2026-12-09"},
            {"雅虎", "减肥", "a.com", "2026-12-10"}, {"其他", "瘦身", "c.com", "2026-12-10"},
        };
        platform::Connection setup;
        EXPECT_TRUE(setup.Open(DatabasePath()));
        for (const auto& r : records)
            EXPECT_TRUE(setup.Execute(
                QStringLiteral("insert into ranks (se,kws,urls,rank,rankstr,addtime) values "
                               "(?,?,?,3,' x ',?)"),
                {QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2]),
                 QString::fromUtf8(r[3])}));
        Open();
        window->TreeView1->ClickNode(3);
    }

    QStringList Shown() { return Texts(window->ListView14->Rows(), 3); }
    static QStringList Entries(const platform::ComboBox* filter) {
        QStringList entries;
        for (int i = 0; i < filter->count(); ++i) entries << filter->itemText(i);
        return entries;
    }
    void Choose(platform::ComboBox* filter, const char* entry) {
        filter->setCurrentIndex(filter->findText(QString::fromUtf8(entry)));
    }
};

TEST_F(RankHistoryTest, AVisitListsEveryRecordNewestFirstWithEveryFilterAtAll) {
    EXPECT_EQ(Shown(), QStringList({"其他|c.com|瘦身", "雅虎|a.com|减肥", "必应|a.com|it's",
                                    "雅虎|a.com|瘦身", "谷歌|b.com|减肥", "百度|a.com|减肥"}));
    const platform::RowTable& rows = window->ListView14->Rows();
    EXPECT_EQ(rows.Cell(1, rank_columns::kLink), QStringLiteral("x")) << "values trimmed";
    EXPECT_EQ(rows.Tag(6), QStringLiteral("1"));
    EXPECT_EQ(rows.SmallIcon(3), QStringLiteral("bing"));
    EXPECT_TRUE(rows.SmallIcon(1).isEmpty()) << "an engine of no name has no icon";
    EXPECT_EQ(window->Combo1->Text(), QStringLiteral("所有引擎"));
    EXPECT_EQ(Entries(window->Combo2), QStringList({"所有网站", "a.com", "b.com", "c.com"}));
    EXPECT_EQ(Entries(window->Combo3), QStringList({"所有关键词", "减肥", "瘦身", "it's"}));
    EXPECT_TRUE(fields.HistoryFiltersLoaded);

    window->TreeView1->ClickNode(1);
    window->TreeView1->ClickNode(3);
    EXPECT_EQ(testing_support::FirstOf(Entries(window->Combo2)), QStringLiteral("所有网站"))
        << "refilled again";
    EXPECT_EQ(window->Combo2->count(), 4);
}

TEST_F(RankHistoryTest, TheFiltersRefillEachOtherAndTheEngineFilterReloads) {
    Choose(window->Combo1, "雅虎");
    EXPECT_EQ(Shown(), QStringList({"雅虎|a.com|减肥", "雅虎|a.com|瘦身"}));
    Choose(window->Combo3, "it's");
    EXPECT_TRUE(Shown().isEmpty()) << "no Yahoo record of it's";
    EXPECT_EQ(Entries(window->Combo2), QStringList({"所有网站", "a.com"}));
    Choose(window->Combo1, "所有引擎");
    EXPECT_EQ(Shown(), QStringList({"必应|a.com|it's"}));

    Choose(window->Combo3, "所有关键词");
    Choose(window->Combo2, "所有网站");
    Choose(window->Combo3, "减肥");
    EXPECT_EQ(Entries(window->Combo2), QStringList({"所有网站", "a.com", "b.com"}));
    EXPECT_EQ(Shown().size(), 3);
    Choose(window->Combo2, "b.com");
    EXPECT_EQ(Entries(window->Combo3), QStringList({"所有关键词", "减肥"}));
    EXPECT_EQ(window->Combo3->Text(), QStringLiteral("减肥")) << "its choice kept";
    EXPECT_EQ(Shown(), QStringList({"谷歌|b.com|减肥"}));
}

TEST_F(RankHistoryTest, ASiteChosenWhileItsKeywordHasNoRecordThereListsNothing) {
    Choose(window->Combo3, "瘦身");
    ASSERT_EQ(Shown(), QStringList({"其他|c.com|瘦身", "雅虎|a.com|瘦身"}));
    // a.com's record of 瘦身 is deleted; the site filter still offers a.com.
    window->ListView14->Rows().SetChecked(2, true);
    Click("Command9");
    ASSERT_EQ(Entries(window->Combo2), QStringList({"所有网站", "a.com", "c.com"}));

    Choose(window->Combo2, "a.com");
    EXPECT_TRUE(Shown().isEmpty()) << "a.com has no record of 瘦身 left";
}

TEST_F(RankHistoryTest, DeletingStopsAtTheFirstRecordThatStaysAndKeepsItsRow) {
    Click("Command9");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("请选择你要删除的记录"));

    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("create trigger keep before delete on ranks when old.id = 3 begin "
                       "select raise(abort, 'kept'); end")));
    platform::RowTable& rows = window->ListView14->Rows();
    for (int i : {1, 2, 4, 5}) rows.SetChecked(i, true);  // ids 6, 5, 3, 2
    Click("Command9");
    EXPECT_EQ(Shown(), QStringList({"必应|a.com|it's", "雅虎|a.com|瘦身", "谷歌|b.com|减肥",
                                    "百度|a.com|减肥"}));
    EXPECT_EQ(Checks(rows), QStringLiteral("0110"));
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("删除记录失败")));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
    EXPECT_EQ(TableRows(QStringLiteral("select id from ranks order by id")),
              QStringList({"1", "2", "3", "4"}));

    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop trigger keep")));
    Click("Command9");
    EXPECT_EQ(TableRows(QStringLiteral("select id from ranks order by id")),
              QStringList({"1", "4"}));
    EXPECT_EQ(window->ListView14->Count(), 2);

    Click("Command12");
    EXPECT_EQ(Checks(rows), QStringLiteral("11"));
    EXPECT_EQ(Find("Command12")->Caption(), QStringLiteral("全不选"));
    Click("Command12");
    EXPECT_EQ(Find("Command12")->Caption(), QStringLiteral("全选"));
}

// The database takes every delete but refuses their commit: nothing was deleted, so the delete
// says so, leaves every row and the next visit lists every record again.
TEST_F(RankHistoryTest, ADeleteWhoseCommitFailsDeletesNoRecordAndSaysSo) {
    ASSERT_TRUE(
        testing_support::RefuseCommitsAfter(SharedConnection(), QStringLiteral("delete on ranks")));
    const QStringList before = Shown();
    window->ListView14->Rows().SetChecked(1, true);
    window->ListView14->Rows().SetChecked(4, true);

    Click("Command9");

    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("删除记录失败")))
        << prompts.LastText().toStdString();
    EXPECT_EQ(Shown(), before);
    window->TreeView1->ClickNode(1);
    window->TreeView1->ClickNode(3);
    EXPECT_EQ(Shown(), before);
}

TEST_F(RankHistoryTest, ExportsWriteTheRankHistoryReport) {
    prompts.Type(QStringLiteral("history")).Type(folder.Path()).Answer(Answer::Cancel);
    Click("Command7");
    QFile text(folder.FilePath(QStringLiteral("history.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString written = platform::BytesToText(text.readAll(), QStringLiteral("gb2312"));
    EXPECT_TRUE(written.contains(QStringLiteral("it's")));
    EXPECT_TRUE(written.contains(
        QStringLiteral("搜索引擎     查询网站     关键词       排名    收录网址   查询日期")))
        << "the rank history's own header";

    prompts.Type(QStringLiteral("history")).Type(folder.Path()).Answer(Answer::Cancel);
    Click("Command27");
    QFile html(folder.FilePath(QStringLiteral("history.htm")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_TRUE(platform::BytesToText(html.readAll(), QStringLiteral("gb2312"))
                    .contains(QStringLiteral("百度关键词排名历史分析报告")));

    prompts.Type(QStringLiteral("history")).Type(folder.Path()).Answer(Answer::Cancel);
    Click("Command26");
    EXPECT_TRUE(QFile::exists(folder.FilePath(QStringLiteral("history.xlsx"))));
    EXPECT_TRUE(prompts.Exhausted());
}

}  // namespace
