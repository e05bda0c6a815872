#include "research_tools/comparison_run.h"

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

const QString kShareHost = QStringLiteral("share.tarnwick.com");
const QString kBaiduHost = QStringLiteral("www.baidu.com");

QString SearchPath(const QString& keyword) {
    return QStringLiteral("/s?wd=") + UrlEncodeGbk(keyword);
}

class ComparisonRunTest : public ::testing::Test {
  protected:
    ComparisonRunTest() {
        BusyIndicator::Set(BusyIndicator::kReady);
        web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
        web.Serve(kShareHost, QStringLiteral("/index/lookup?kw=") + UrlEncodeUtf8("瘦身 "),
                  QStringLiteral("0-0"));
        ServeResults(milliseconds(0));
    }

    // Every keyword's first results page, after `delay`.
    void ServeResults(milliseconds delay) {
        web.Serve(
            kBaiduHost, QStringLiteral("/s"),
            fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))).After(delay));
    }
    QStringList Searches() const {
        return research_testing::RequestedUrls(web.Requests(kBaiduHost));
    }
    void Click() { research::ComparisonClick(page); }
    void Compare(const QString& text) {
        page.Text8 = text;
        Click();
    }
    void ExpectIdle() {
        EXPECT_EQ(page.button, research::kComparisonStartCaption);
        EXPECT_TRUE(page.enabled);
        EXPECT_TRUE(page.listCommandsEnabled);
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
        EXPECT_FALSE(page.state.InRun);
        EXPECT_EQ(page.panels.value(page.panels.size() - 1), QStringLiteral("|"));
    }
    void ExpectPaused() {
        EXPECT_EQ(page.button, research::kComparisonStartCaption);
        EXPECT_TRUE(page.enabled);
        EXPECT_TRUE(page.listCommandsEnabled);
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
        EXPECT_FALSE(page.state.InRun);
    }
    // Clicks from the event loop once row `row` has its volume, while its page is awaited.
    void PauseDuring(int row) {
        user.When([this, row] { return !page.list.Cell(row, 1).isEmpty(); },
                  [this] {
                      Click();
                      afterPauseClick = page.button + (page.enabled ? "" : "(disabled)");
                  });
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    testing_support::ScriptedPrompts prompts;
    fakeweb::FakeWeb web;
    research_testing::TestComparisonPage page;
    research_testing::UserAction user;
    QString afterPauseClick;
};

// 120 × 10000 / 1,230,000 scores 0.8; three adverts, four home pages and four fresh results.
const QString kDone = QStringLiteral("|120|1230000|3|4|4|1.9");

TEST_F(ComparisonRunTest, EachKeywordIsAnalysedFromItsFirstResultsPageAndMarkedDone) {
    Compare(QStringLiteral("  减肥茶#瘦身 ## 减肥茶  "));

    EXPECT_EQ(Rows(page.list, 6), QStringList({"*减肥茶" + kDone,
                                               // A volume of 0 counts as 10: 0.08 scores 0.8.
                                               "*瘦身 |0|1230000|3|4|4|1.9", "* 减肥茶" + kDone}));
    // The share service and the results page get the row text with its blanks.
    ASSERT_GE(web.Requests(kShareHost).size(), 2u);
    EXPECT_EQ(
        web.Requests(kShareHost)[1].Url(),
        QStringLiteral("http://share.tarnwick.com/index/lookup?kw=") + UrlEncodeUtf8("瘦身 "));
    EXPECT_EQ(Searches(), QStringList({"http://www.baidu.com" + SearchPath("减肥茶"),
                                       "http://www.baidu.com" + SearchPath("瘦身 "),
                                       "http://www.baidu.com" + SearchPath(" 减肥茶")}));
    EXPECT_EQ(page.panels.mid(0, 3),
              QStringList({"累计已分析关键词：3个|当前分析关键词：减肥茶",
                           "累计已分析关键词：3个|当前分析关键词：瘦身 ",
                           "累计已分析关键词：3个|当前分析关键词： 减肥茶"}));
    ExpectIdle();

    // The same text again: every row is done, the run ends at once.
    web.ClearRequests();
    Click();
    EXPECT_TRUE(web.Requests().empty());
    ExpectIdle();
}

TEST_F(ComparisonRunTest, APauseStopsBeforeTheNextRowAndAStartResumesAtTheFirstRowNotDone) {
    ServeResults(milliseconds(50));
    PauseDuring(1);
    Compare(QStringLiteral("a#b#c"));

    EXPECT_EQ(afterPauseClick, QStringLiteral("正在停止...(disabled)"));
    ExpectPaused();
    EXPECT_EQ(Rows(page.list, 6), QStringList({"*a" + kDone, "b||||||", "c||||||"}));

    // Resumed by a start with the same text, whatever sorting did to the rows meanwhile.
    research::ComparisonColumnClick(page, 0);
    research::ComparisonColumnClick(page, 0);  // descending: c, b, a
    web.ClearRequests();
    ServeResults(milliseconds(0));
    Click();
    EXPECT_EQ(Searches(),
              QStringList({"http://www.baidu.com/s?wd=c", "http://www.baidu.com/s?wd=b"}));
    EXPECT_EQ(Rows(page.list, 6), QStringList({"*c" + kDone, "*b" + kDone, "*a" + kDone}));
    ExpectIdle();
}

TEST_F(ComparisonRunTest, AClickWithNewKeywordsDuringARunOnlyPausesItAndTheNextStartRebuilds) {
    ServeResults(milliseconds(50));
    user.When([this] { return page.list.Bold(1); }, [this] { Compare(QStringLiteral("x#y")); });
    Compare(QStringLiteral("a#b#c"));

    ExpectPaused();
    EXPECT_EQ(Rows(page.list, 0), QStringList({"*a", "*b", "c"}));

    ServeResults(milliseconds(0));
    Click();
    EXPECT_EQ(Rows(page.list, 6), QStringList({"*x" + kDone, "*y" + kDone}));
    ExpectIdle();
}

TEST_F(ComparisonRunTest, ARowWhosePageDidNotComeStaysPlainWithDashesAndIsRetried) {
    // Results, but with an error status: no page.
    web.Serve(kBaiduHost, SearchPath("b"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))).Status(503));
    web.Serve(kBaiduHost, SearchPath("c"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_blocked.htm"))));
    web.Serve(kBaiduHost, SearchPath("d"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_noresult.htm"))));
    web.Serve(kBaiduHost, SearchPath("e"),
              fakeweb::Page::Text(research_testing::LastPage(research_testing::PageText(
                                      QStringLiteral("baidu_compare.htm"))),
                                  QStringLiteral("gbk")));
    Compare(QStringLiteral("a#b#c#d#e"));

    EXPECT_EQ(Rows(page.list, 6), QStringList({"*a" + kDone, "b|120|-|-|-|-|-", "c|120|-|-|-|-|-",
                                               "*d|120|0|0|0|0|0", "*e" + kDone}));
    EXPECT_GE(clock.Waited(), std::chrono::seconds(5)) << "the browser fallback's wait";
    ExpectIdle();

    // The pages come now: a start retries the plain rows alone.
    ServeResults(milliseconds(0));
    web.Serve(kBaiduHost, SearchPath("b"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))));
    web.Serve(kBaiduHost, SearchPath("c"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))));
    web.ClearRequests();
    Click();
    EXPECT_EQ(Searches(),
              QStringList({"http://www.baidu.com/s?wd=b", "http://www.baidu.com/s?wd=c"}));
    EXPECT_EQ(Rows(page.list, 1), QStringList({"*a|120", "*b|120", "*c|120", "*d|120", "*e|120"}));
}

TEST_F(ComparisonRunTest, AVolumeNotObtainedLeavesTheDegreeOpen) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"),
              fakeweb::Page::Text(QString()).Status(404));
    Compare(QStringLiteral("seo"));
    EXPECT_EQ(Rows(page.list, 6), QStringList({"seo|-|1230000|3|4|4|-"}));
}

TEST_F(ComparisonRunTest, ColumnsSortByNumberAndNotWhileARunIsUnderWay) {
    for (const char* row : {"a|9", "b|10", "c|-", "d|100"}) {
        const QStringList cells = QString::fromUtf8(row).split(u'|');
        page.list.Add(cells[0]).SetSubItem(1, cells[1]);
    }
    research::ComparisonColumnClick(page, 1);
    EXPECT_EQ(Rows(page.list, 1), QStringList({"a|9", "b|10", "d|100", "c|-"}));
    research::ComparisonColumnClick(page, 1);
    EXPECT_EQ(Rows(page.list, 1), QStringList({"c|-", "d|100", "b|10", "a|9"}));

    page.State().InRun = true;
    research::ComparisonColumnClick(page, 0);
    EXPECT_EQ(Rows(page.list, 0), QStringList({"c", "d", "b", "a"}));
}

TEST_F(ComparisonRunTest, AnEmptyBoxIsRefusedAndABoxOfBlanksEmptiesTheList) {
    Compare(QString());
    EXPECT_EQ(prompts.Texts(), QStringList{"请输入要分析的关键词，多个用#分开"});

    Compare(QStringLiteral("a"));
    Compare(QStringLiteral("   "));
    EXPECT_EQ(page.list.Count(), 0);
    ExpectIdle();
}

TEST_F(ComparisonRunTest, OddKeywordsAreSearchedWholeInGbk) {
    const QString longWord = QString(300, QChar(u'词'));
    Compare(QStringLiteral("#a & b##😀#") + longWord + QStringLiteral("#"));
    EXPECT_EQ(Searches(), QStringList({"http://www.baidu.com/s?wd=a%20%26%20b",
                                       "http://www.baidu.com/s?wd=%F0%9F%98%80",
                                       "http://www.baidu.com" + SearchPath(longWord)}));
    EXPECT_EQ(page.list.Count(), 3);
}

}  // namespace
