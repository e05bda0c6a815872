#include <QFile>
#include <QTimer>

#include "shared/shared_connection.h"
#include "support/database_files.h"
#include "support/other_program.h"
#include "tools_window/rank_columns.h"
#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;
using fakeweb::Page;
using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

const char kTarget[] = "www.target-site.com";
const char kOther[] = "HTTP://WWW.Other-Site.com/";

class RankRunTest : public ToolsWindowTest {
  protected:
    RankRunTest() {
        web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
                  Page::Bytes(PageBytes(QStringLiteral("rank_baidu.html"))));
        web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
                  Page::Bytes(PageBytes(QStringLiteral("rank_google.html"))));
        web.Serve(QStringLiteral("cn.bing.com"), QStringLiteral("/search"),
                  Page::Bytes(PageBytes(QStringLiteral("rank_bing.html"))));
        Open();
    }

    // Two sites, every one ticked, with two keywords; Baidu, Google and Bing; depth 10.
    void AddTargets() {
        prompts.Type(QString::fromUtf8(kTarget) + u'#' + QString::fromUtf8(kOther));
        Click("Command38");
        prompts.Type(QStringLiteral("减肥|Tom's 鞋"));
        Click("Command16");
        Click("Command10");
        UserCheck(window->ListView10, 7, true);
        window->Combo8->SetListIndex(0);
    }

    QStringList Ranks() {
        return TableRows(QStringLiteral(
            "select se,kws,urls,rank,rankstr,addtime from ranks order by se,kws,urls"));
    }
};

TEST_F(RankRunTest, ARunListsAndStoresEverySiteKeywordAndEngineOncePerDay) {
    AddTargets();
    Click("Command21");

    EXPECT_EQ(prompts.LastText(), QStringLiteral("查询完毕"));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Information);
    EXPECT_TRUE(window->Command21->Enabled());
    const platform::RowTable& results = window->ListView12->Rows();
    ASSERT_EQ(results.Count(), 16);
    EXPECT_EQ(Texts(results, 3).mid(0, 8),
              QStringList({"www.target-site.com|减肥|2026-12-10", "百度|2|www.target-site.com",
                           "谷歌|3|www.target-site.com/blog", "必应|0|不在前10名",
                           "www.target-site.com|Tom's 鞋|2026-12-10", "百度|2|www.target-site.com",
                           "谷歌|3|www.target-site.com/blog", "必应|0|不在前10名"}));
    EXPECT_EQ(Texts(results, 3).mid(8, 4),
              QStringList({"HTTP://WWW.Other-Site.com/|减肥|2026-12-10",
                           "百度|3|www.other-site.com/page.html", "谷歌|1|www.other-site.com",
                           "必应|0|不在前10名"}));
    EXPECT_EQ(results.SmallIcon(4), QStringLiteral("bing"));
    EXPECT_TRUE(results.SmallIcon(1).isEmpty());
    EXPECT_EQ(results.Tag(2),
              QStringLiteral("http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=%BC%F5%B7%CA&pn=0"));
    EXPECT_EQ(results.Tag(4), QStringLiteral("http://cn.bing.com/search?q=%E5%87%8F%E8%82%A5"));

    const QStringList stored = Ranks();
    EXPECT_EQ(stored.size(), 12);
    EXPECT_TRUE(stored.contains(QStringLiteral(
        "百度|减肥|HTTP://WWW.Other-Site.com/|3|www.other-site.com/page.html|2026-12-10")))
        << "the site stored as typed";
    EXPECT_TRUE(stored.contains(
        QStringLiteral("必应|Tom's 鞋|www.target-site.com|0|不在前10名|2026-12-10")));

    // The same day again, Bing now finding the site: the day's records are updated.
    web.Serve(QStringLiteral("cn.bing.com"), QStringLiteral("/search"),
              Page::Text(QStringLiteral("<div class=\"sb_tlst\"><h3><a "
                                        "href=\"http://www.target-site.com/\">t</a></h3></div>")));
    Click("Command21");
    EXPECT_EQ(Ranks().size(), 12);
    EXPECT_TRUE(Ranks().contains(
        QStringLiteral("必应|减肥|www.target-site.com|1|www.target-site.com|2026-12-10")));

    // The next day: records of their own.
    clock.Advance(std::chrono::hours(24));
    Click("Command21");
    EXPECT_EQ(Ranks().size(), 24);
    EXPECT_EQ(window->ListView14->Count(), 24);
    EXPECT_EQ(window->ListView14->Rows().Cell(1, rank_columns::kDate), QStringLiteral("2026-12-11"))
        << "newest first";
}

TEST_F(RankRunTest, APageThatNeverComesShowsAFailedLookupAndStoresNothingForIt) {
    AddTargets();
    // Bing never answers for "减肥"; the other keyword's page comes.
    web.Serve(QStringLiteral("cn.bing.com"), QStringLiteral("/search?q=%E5%87%8F%E8%82%A5&first=1"),
              Page::Text(QString()).Status(503));
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral(
        "insert into ranks (se,kws,urls,rank,rankstr,addtime) values "
        "('必应','减肥','www.target-site.com',4,'www.target-site.com','2026-12-10')")));
    Click("Command21");

    const platform::RowTable& results = window->ListView12->Rows();
    EXPECT_EQ(Texts(results, 3).value(3), QStringLiteral("必应|查询失败|"));
    EXPECT_EQ(Texts(results, 3).value(7), QStringLiteral("必应|0|不在前10名"));
    EXPECT_TRUE(Ranks().contains(
        QStringLiteral("必应|减肥|www.target-site.com|4|www.target-site.com|2026-12-10")))
        << "an earlier result of the day is not overwritten by a failure";
    EXPECT_EQ(Ranks().size(), 11);
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("查询完毕")));
    EXPECT_TRUE(prompts.LastText().contains(QStringLiteral("2 次查询")));
}

// Another program holds db.db beyond the wait: the first save that meets the lock ends the run's
// saving, so the window stands still once; the run lists every result and says what was lost.
TEST_F(RankRunTest, ALockThatOutlastsTheWaitEndsTheSavingAndTheRunGoesOnListing) {
    AddTargets();
    const qsizetype told = prompts.Texts().size();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        testing_support::OtherProgramSession other(folder.FilePath(QStringLiteral("db.db")),
                                                   {QStringLiteral("begin immediate")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        Click("Command21");
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_EQ(window->ListView12->Count(), 16);
    EXPECT_EQ(Texts(window->ListView12->Rows(), 3)[13],
              QStringLiteral("百度|3|www.other-site.com/page.html"));
    EXPECT_TRUE(Ranks().isEmpty());
    ASSERT_EQ(prompts.Texts().size(), told + 1) << "one message";
    EXPECT_TRUE(prompts.LastText().startsWith(
        QStringLiteral("查询完毕\r\n有 12 个查询结果没能保存到数据库。")));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
}

// db.db replaced by another file while the run waits for its first page: the first save finds
// the file gone and the run saves nothing more, into either file; it lists every result and says
// why.
TEST_F(RankRunTest, AFileReplacedDuringTheRunTakesNoMoreResultsAndTheEndSaysWhy) {
    AddTargets();
    folder.AddFreshDatabase(QStringLiteral("fresh.db"));
    const qsizetype told = prompts.Texts().size();
    QTimer::singleShot(0, window.get(), [this] {
        ASSERT_TRUE(QFile::rename(DatabasePath(), folder.FilePath(QStringLiteral("moved.db"))));
        ASSERT_TRUE(QFile::rename(folder.FilePath(QStringLiteral("fresh.db")), DatabasePath()));
    });
    Click("Command21");

    EXPECT_EQ(window->ListView12->Count(), 16);
    const QString stored = QStringLiteral("select count(*) from ranks");
    EXPECT_EQ(OtherProgramQuery(DatabasePath(), stored), QStringLiteral("0"));
    EXPECT_EQ(OtherProgramQuery(folder.FilePath(QStringLiteral("moved.db")), stored),
              QStringLiteral("0"));
    ASSERT_EQ(prompts.Texts().size(), told + 1) << "one message";
    EXPECT_TRUE(prompts.LastText().endsWith(QStringLiteral(
        "\r\n数据库文件在软件运行期间被移动、删除或替换，从那时起的结果只列在查询结果"
        "中，排名历史没有刷新。")))
        << prompts.LastText().toStdString();
}

// Another program holds db.db so that even a read waits: the run's first save waits once and
// ends the saving, and the history is not read again after the run, which would stand the window
// still for another wait.
TEST_F(RankRunTest, AfterALockEndedTheSavingTheHistoryIsNotReadAgain) {
    AddTargets();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        OtherProgramSession other(DatabasePath(), {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        Click("Command21");
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_TRUE(prompts.LastText().startsWith(
        QStringLiteral("查询完毕\r\n有 12 个查询结果没能保存到数据库。")))
        << prompts.LastText().toStdString();
}

TEST_F(RankRunTest, TheRunTakesItsTargetsAtTheStartAndRefusesWhatItCannotAsk) {
    Click("Command21");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("请添加或选择至少一个要查询的网站！"));

    AddTargets();
    bool busyMeanwhile = false;
    QTimer::singleShot(0, window.get(), [this, &busyMeanwhile] {
        busyMeanwhile = window->JobRunning() && !window->Command21->Enabled();
        window->ListView8->Clear();
        window->ListView9->Clear();
        window->Combo8->SetListIndex(1);
    });
    Click("Command21");
    EXPECT_EQ(window->ListView12->Count(), 16) << "edits during the run change nothing of it";
    EXPECT_TRUE(busyMeanwhile) << "the window stays loaded and the button off while it runs";
    EXPECT_FALSE(window->JobRunning());
    EXPECT_EQ(Texts(window->ListView12->Rows(), 3).value(3), QStringLiteral("必应|0|不在前10名"));
    for (const fakeweb::Request& request : web.Requests())
        EXPECT_FALSE(request.path.contains(QStringLiteral("pn=10")));

    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into kws (txt,subtxt,stat) values ('http://','k',0)")));
    window->Option1[1]->click();
    window->Option1[0]->click();
    UserClick(window->ListView8, window->ListView8->Count());
    web.ClearRequests();
    Click("Command21");
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("要查询的网站不能为空，请修改或取消勾选空白的网站！"));
    EXPECT_TRUE(web.Requests().empty());

    window->ListView10->Rows().SetAllChecked(false);
    UserClick(window->ListView8, 2);
    Click("Command21");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("请至少选择一个要查询搜索引擎！"));
}

TEST_F(RankRunTest, EntriesAreUsedWithoutTheirSurroundingBlanks) {
    // Keyword entries as an older file or a typed edit may hold them.
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral(
        "insert into kws (txt,subtxt,stat) values ('www.target-site.com','a | b',0)")));
    window->Option1[1]->click();
    window->Option1[0]->click();
    UserClick(window->ListView8, 1);
    ASSERT_EQ(window->ListView9->Count(), 2);
    UserCheck(window->ListView9, 1, false);  // only " b"
    Click("Command21");

    EXPECT_EQ(Texts(window->ListView12->Rows(), 3).value(0),
              QStringLiteral("www.target-site.com|b|2026-12-10"));
    const std::vector<fakeweb::Request> baidu = web.Requests(QStringLiteral("www.baidu.com"));
    ASSERT_FALSE(baidu.empty());
    EXPECT_TRUE(baidu[0].path.endsWith(QStringLiteral("&wd=b&pn=0")))
        << baidu[0].path.toStdString();
    EXPECT_TRUE(Ranks().contains(
        QStringLiteral("百度|b|www.target-site.com|2|www.target-site.com|2026-12-10")));
}

TEST_F(RankRunTest, AtDepthFiftyEachEngineIsAskedForItsFirstFivePagesOnly) {
    prompts.Type(QStringLiteral("absent-site.com"));
    Click("Command38");
    prompts.Type(QStringLiteral("减肥"));
    Click("Command16");
    window->Combo8->SetListIndex(1);
    ASSERT_EQ(window->Combo8->Text(), QStringLiteral("50"));
    Click("Command21");

    QStringList baiduPages;
    for (const fakeweb::Request& request : web.Requests(QStringLiteral("www.baidu.com")))
        baiduPages << request.path.section(QStringLiteral("&pn="), 1);
    baiduPages.removeDuplicates();
    EXPECT_EQ(baiduPages, QStringList({"0", "10", "20", "30", "40"}));
    QStringList googlePages;
    for (const fakeweb::Request& request : web.Requests(QStringLiteral("www.google.com.hk")))
        googlePages << request.path;
    googlePages.removeDuplicates();
    EXPECT_EQ(googlePages.size(), 5);
    const QStringList rows = Texts(window->ListView12->Rows(), 3);
    ASSERT_GE(rows.size(), 3);
    for (const QString& row : rows.mid(1))
        EXPECT_TRUE(row.endsWith(QStringLiteral("|0|不在前50名"))) << row.toStdString();
}

TEST_F(RankRunTest, TheEndOfARunKeepsTheHistorysEngineFilter) {
    AddTargets();
    window->Combo1->setCurrentIndex(window->Combo1->findText(QStringLiteral("百度")));
    Click("Command21");

    EXPECT_EQ(window->Combo1->Text(), QStringLiteral("百度"));
    const QStringList history = Texts(window->ListView14->Rows());
    EXPECT_EQ(history.size(), 4);
    EXPECT_EQ(history.count(QStringLiteral("百度")), history.size());
}

TEST_F(RankRunTest, ADoubleClickOpensTheResultsPageOfAnEngineRow) {
    AddTargets();
    Click("Command21");
    window->ListView12->SetSelectedIndex(1);
    window->ListView12_DblClick();
    EXPECT_TRUE(shell.opened.isEmpty()) << "a header row has no page";
    window->ListView12->SetSelectedIndex(2);
    window->ListView12_DblClick();
    EXPECT_EQ(shell.opened, QStringList{window->ListView12->Rows().Tag(2)});
}

}  // namespace
