#include "research_tools/hot_list_run.h"

#include <gtest/gtest.h>

#include "fakeweb/fake_web.h"
#include "fixture_pages.h"
#include "shared/busy_indicator.h"
#include "shared/url_encoding.h"
#include "support/fake_clock.h"
#include "support/program_folder_fixture.h"
#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "test_pages.h"

namespace {

using research_testing::PageBytes;
using research_testing::Rows;
using std::chrono::milliseconds;

const QString kHotHost = QStringLiteral("top.baidu.com");
const QString kMovieUrl = QStringLiteral("http://top.baidu.com/buzz/movie.html");

const QStringList kMovieRows = {
    "阿凡达|562,358|18,221,465|93,219",  "唐山大地震|310,092|9,874,230|51,005",
    "哈利 波特|98,411|6,230,118|32,770", "功夫熊猫&2|77,310|4,118,905|21,300",
    "让子弹飞|65,002|3,009,812|15,880",  "盗梦空间|51,230|2,870,014|14,950",
    "叶问2|40,118|2,410,336|12,100",     "非诚勿扰2|38,004|2,102,119|11,006",
};

QStringList WithMetrics(const QStringList& rows, const QString& metrics) {
    QStringList result;
    for (const QString& row : rows) result << row + u'|' + metrics;
    return result;
}

class HotListRunTest : public ::testing::Test {
  protected:
    HotListRunTest() {
        BusyIndicator::Set(BusyIndicator::kReady);
        for (const char* page : {"movie", "top10", "weekhotspot"})
            web.Serve(kHotHost, QStringLiteral("/buzz/%1.html").arg(QLatin1String(page)),
                      fakeweb::Page::Bytes(
                          PageBytes(QStringLiteral("hot_%1.htm").arg(QLatin1String(page)))));
        web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
                  QStringLiteral("12-5000"));
        ServeResults(milliseconds(0));
    }

    void ServeResults(milliseconds delay) {
        web.Serve(
            QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
            fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))).After(delay));
    }
    QStringList RequestedUrls() const { return research_testing::RequestedUrls(web.Requests()); }
    void Click() { research::HotListClick(page); }
    void ExpectIdle() {
        EXPECT_EQ(page.button, research::kHotStartCaption);
        EXPECT_TRUE(page.enabled);
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
        EXPECT_FALSE(page.state.InRun);
        EXPECT_EQ(page.state.txthoti, 0);
    }
    void ExpectPausedAt(int row) {
        EXPECT_EQ(page.button, research::kHotStartCaption);
        EXPECT_TRUE(page.enabled);
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
        EXPECT_FALSE(page.state.InRun);
        EXPECT_EQ(page.state.txthoti, row);
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    testing_support::ScriptedPrompts prompts;
    fakeweb::FakeWeb web;
    research_testing::TestHotListPage page;
    research_testing::UserAction user;
};

TEST_F(HotListRunTest, ASubcategoryListsItsPageRowsWithThePagesFigures) {
    page.ClickNode(QStringLiteral("电影"));
    EXPECT_EQ(page.caption, QStringLiteral("关键词列表（娱乐\\电影）"));
    EXPECT_TRUE(web.Requests().empty()) << "a node click fetches nothing";

    Click();

    EXPECT_EQ(RequestedUrls(), QStringList{kMovieUrl});
    EXPECT_EQ(Rows(page.list, 3), kMovieRows);
    EXPECT_EQ(page.list.ColumnText(3), QStringLiteral("历史总搜索量"));
    EXPECT_EQ(page.list.ColumnText(5), QStringLiteral("百度搜索-月均"));
    EXPECT_EQ(page.treeFocused, 1);
    ExpectIdle();

    // Once more after the end: afresh, the list cleared first.
    Click();
    EXPECT_EQ(Rows(page.list, 3), kMovieRows);
}

TEST_F(HotListRunTest, EachPageLayoutWritesItsOwnColumnsAndHeaders) {
    page.ClickNode(QStringLiteral("今日上升最快"));
    EXPECT_EQ(page.list.ColumnText(5), QStringLiteral("百度搜索-周均"));
    Click();
    EXPECT_EQ(Rows(page.list, 3), QStringList({"世界杯|1,203,448||", "高考成绩查询|880,120||",
                                               "上海世博会|402,913||"}));
    EXPECT_EQ(page.list.ColumnText(3), QStringLiteral("历史总搜索量")) << "left as it was";

    page.ClickNode(QStringLiteral("一周热点"));
    Click();
    EXPECT_EQ(Rows(page.list, 3),
              QStringList({"春运火车票|301,554|2,004,118|", "元宵节|120,006|880,417|"}));
    EXPECT_EQ(page.list.ColumnText(3), QStringLiteral("本周总搜索量"));

    page.ClickNode(QStringLiteral("电影"));
    EXPECT_EQ(page.list.ColumnText(5), QStringLiteral("百度搜索-月均"));
    // A category node keeps the page chosen before and sets the monthly header.
    page.ClickNode(QStringLiteral("今日上升最快"));
    page.ClickNode(QStringLiteral("娱乐"), true);
    EXPECT_EQ(page.list.ColumnText(5), QStringLiteral("百度搜索-月均"));
    EXPECT_EQ(page.caption, QStringLiteral("关键词列表（综合热门\\今日上升最快）"));
    // The category 网游 is its subcategory's node too.
    page.ClickNode(QStringLiteral("网游"), true);
    EXPECT_EQ(page.caption, QStringLiteral("关键词列表（网游\\网游）"));
    EXPECT_EQ(page.state.ChosenPage, research::FindHotSubcategory(QStringLiteral("网游")));
}

TEST_F(HotListRunTest, MetricsFillEveryRowWithEncodedKeywordsWhenTicked) {
    page.ClickNode(QStringLiteral("电影"));
    page.Check5 = true;
    Click();

    // 5000 × 10000 / 1,230,000 cut after two decimals.
    EXPECT_EQ(Rows(page.list, 6), WithMetrics(kMovieRows, QStringLiteral("5000|1,230,000|40.65")));
    const QStringList urls = RequestedUrls();
    ASSERT_EQ(urls.size(), 1 + 2 * kMovieRows.size());
    EXPECT_EQ(urls[1], QStringLiteral("http://share.tarnwick.com/index/lookup?kw=") +
                           UrlEncodeUtf8(QStringLiteral("阿凡达")));
    EXPECT_EQ(urls[2], QStringLiteral("http://www.baidu.com/s?wd=%B0%A2%B7%B2%B4%EF"));
    EXPECT_EQ(urls[6], QStringLiteral("http://www.baidu.com/s?wd=%B9%FE%C0%FB%20%B2%A8%CC%D8"));
    EXPECT_EQ(urls[8], QStringLiteral("http://www.baidu.com/s?wd=") +
                           UrlEncodeGbk(QStringLiteral("功夫熊猫&2")));
    EXPECT_TRUE(urls[8].endsWith(QStringLiteral("%262"))) << "the & stays inside the keyword";
}

TEST_F(HotListRunTest, MetricsTickedWhileTheRunWaitsFillTheRowsAfter) {
    page.ClickNode(QStringLiteral("电影"));
    web.Serve(
        kHotHost, QStringLiteral("/buzz/movie.html"),
        fakeweb::Page::Bytes(PageBytes(QStringLiteral("hot_movie.htm"))).After(milliseconds(50)));
    user.When([this] { return !web.Requests().empty(); }, [this] { page.Check5 = true; });
    Click();

    EXPECT_EQ(Rows(page.list, 6), WithMetrics(kMovieRows, QStringLiteral("5000|1,230,000|40.65")));
}

TEST_F(HotListRunTest, APauseStopsAtTheNextRowAndTheSameNodeResumesThereAfterAnotherJobEnded) {
    page.ClickNode(QStringLiteral("电影"));
    page.Check5 = true;
    ServeResults(milliseconds(50));
    QString afterPauseClick;
    user.When([this] { return page.list.Count() == 3; },
              [this, &afterPauseClick] {
                  Click();
                  afterPauseClick = page.button + (page.enabled ? "" : "(disabled)");
              });
    Click();

    EXPECT_EQ(afterPauseClick, QStringLiteral("正在停止(disabled)"));
    ExpectPausedAt(4);
    EXPECT_EQ(Rows(page.list, 6), WithMetrics(kMovieRows.mid(0, 3), "5000|1,230,000|40.65"));

    // Another job of the program ends meanwhile and shows "就绪": the paused list stays.
    BusyIndicator::Set(BusyIndicator::kReady);
    web.ClearRequests();
    ServeResults(milliseconds(0));
    Click();

    EXPECT_EQ(RequestedUrls().value(0), kMovieUrl) << "the page is fetched again";
    EXPECT_EQ(Rows(page.list, 6), WithMetrics(kMovieRows, "5000|1,230,000|40.65"));
    ExpectIdle();
}

TEST_F(HotListRunTest, ARunKeepsItsPageWhileOtherNodesAreClickedAndAnotherNodeStartsAfresh) {
    page.ClickNode(QStringLiteral("电影"));
    page.Check5 = true;
    ServeResults(milliseconds(50));
    user.When([this] { return page.list.Count() == 2; },
              [this] {
                  // The weekly page lays its figures out otherwise; the running list does not
                  // change its columns for it.
                  page.ClickNode(QStringLiteral("一周热点"));
                  Click();
              });
    Click();

    ExpectPausedAt(3);
    EXPECT_EQ(Rows(page.list, 3), kMovieRows.mid(0, 2));
    EXPECT_EQ(page.list.ColumnText(3), QStringLiteral("历史总搜索量"));

    // A start on the other node: the list cleared, its page from the first row.
    page.Check5 = false;
    web.ClearRequests();
    Click();
    EXPECT_EQ(RequestedUrls(), QStringList{"http://top.baidu.com/buzz/weekhotspot.html"});
    EXPECT_EQ(Rows(page.list, 3),
              QStringList({"春运火车票|301,554|2,004,118|", "元宵节|120,006|880,417|"}));
    ExpectIdle();
}

TEST_F(HotListRunTest, ACategoryNodeSelectedAfterAPauseRestartsThePageChosenBefore) {
    page.ClickNode(QStringLiteral("电影"));
    page.Check5 = true;
    ServeResults(milliseconds(50));
    user.When([this] { return page.list.Count() == 2; }, [this] { Click(); });
    Click();
    ExpectPausedAt(3);

    page.ClickNode(QStringLiteral("娱乐"), true);
    page.Check5 = false;
    Click();
    EXPECT_EQ(Rows(page.list, 3), kMovieRows);
    ExpectIdle();
}

TEST_F(HotListRunTest, NoSubcategoryOrNoPageEndsAtOnce) {
    Click();
    ASSERT_EQ(prompts.Texts(), QStringList{"请选择一个关键词子类！"});
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(web.Requests().empty());

    page.ClickNode(QStringLiteral("电视剧"));  // nobody serves its page
    Click();
    EXPECT_EQ(page.list.Count(), 0);
    ExpectIdle();

    web.Serve(kHotHost, QStringLiteral("/buzz/tv.html"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("hot_movie.htm"))).CutAfter(900));
    Click();
    EXPECT_EQ(page.list.Count(), 0) << "a page cut short is no page";
    ExpectIdle();

    web.Serve(kHotHost, QStringLiteral("/buzz/tv.html"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("hot_movie.htm"))).Status(500));
    Click();
    EXPECT_EQ(page.list.Count(), 0) << "an error answer is no page, though its body holds rows";
    ExpectIdle();
}

TEST_F(HotListRunTest, MetricsNotObtainedShowDashesAndAnIndexOfZero) {
    page.ClickNode(QStringLiteral("今日上升最快"));
    page.Check5 = true;
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_blocked.htm"))));
    web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
              QStringLiteral("0-0"));
    Click();
    EXPECT_EQ(Rows(page.list, 6),
              QStringList({"世界杯|1,203,448|||0|-|0", "高考成绩查询|880,120|||0|-|0",
                           "上海世博会|402,913|||0|-|0"}));
}

}  // namespace
