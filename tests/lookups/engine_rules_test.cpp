#include "lookups/engine_rules.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using namespace lookups;
using lookups_testing::PageText;

// One line per result: "paid", or its place and test link, followed by " => " and the stored
// link when that differs.
QStringList Summary(const QList<ResultEntry>& results) {
    QStringList lines;
    for (const ResultEntry& result : results) {
        if (result.paid) {
            lines << QStringLiteral("paid");
            continue;
        }
        QString line = QString::number(result.placeOnPage) + u' ' + result.testLink;
        if (result.storedLink != result.testLink)
            line += QStringLiteral(" => ") + result.storedLink;
        lines << line;
    }
    return lines;
}

struct PageCase {
    const char* file;
    RankEngine engine;
    const char* charset;
    const char* paidMarker;
    QStringList results;
    ResultPage::Kind kind = ResultPage::Kind::Results;
};

void PrintTo(const PageCase& c, std::ostream* out) {
    *out << c.file << " / marker " << c.paidMarker;
}

class ResultPageTest : public testing::TestWithParam<PageCase> {};

TEST_P(ResultPageTest, CutsThePageIntoItsResultsInPageOrder) {
    const PageCase& c = GetParam();
    const QString page = PageText(QString::fromUtf8(c.file), QString::fromUtf8(c.charset));
    ASSERT_FALSE(page.isEmpty()) << c.file;
    const ResultPage read = ParseResultPage(c.engine, page, QString::fromUtf8(c.paidMarker));
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_EQ(Summary(read.results), c.results);
}

const char kDefaultMarker[] = ">来百度推广";
constexpr ResultPage::Kind kNothingFound = ResultPage::Kind::NothingFound;

INSTANTIATE_TEST_SUITE_P(
    Pages, ResultPageTest,
    testing::Values(
        // Paid listings, by their "推广" link or Baidu's click script, are not counted in places.
        PageCase{"rank_baidu_page0.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"paid", "1 www.a-site.com", "paid", "2 news.b-site.cn/2010/jianfei.html",
                  "3 www.target-site.com", "4 www.target-site.com/products/list.html",
                  "5 zhidao.baidu.com/question/123.html"}},
        PageCase{"rank_baidu_page1.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"1 www.c-site.com", "paid", "2 www.target-site.com",
                  "3 bbs.d-site.com/thread-1.html"}},
        // The last page has no next-page link: its results run to the end of the page.
        PageCase{"rank_baidu_last_page.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"1 www.d-site.com", "2 www.e-site.com"}},
        // Without the search box's table the results start at the paid-listing marker; a
        // blank one is no marker, and the default holds.
        PageCase{"rank_baidu_marker_layout.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"1 www.a-site.com", "2 www.target-site.com"}},
        PageCase{"rank_baidu_marker_layout.html",
                 RankEngine::Baidu,
                 "gb2312",
                 "<!--自然结果-->",
                 {"1 www.target-site.com"}},
        PageCase{"rank_baidu_marker_layout.html",
                 RankEngine::Baidu,
                 "gb2312",
                 " ",
                 {"1 www.a-site.com", "2 www.target-site.com"}},
        // Each engine's own word that its search found nothing.
        PageCase{
            "baidu_noresult.htm", RankEngine::Baidu, "gb2312", kDefaultMarker, {}, kNothingFound},
        PageCase{"google_zh_noresult.htm", RankEngine::Google, "utf-8", "", {}, kNothingFound},
        PageCase{"yahoo_site_noresult.htm", RankEngine::Yahoo, "utf-8", "", {}, kNothingFound},
        PageCase{"sogou_site_noresult.htm", RankEngine::Sogou, "gb2312", "", {}, kNothingFound},
        PageCase{"sogou_link_noresult.htm", RankEngine::Sogou, "gb2312", "", {}, kNothingFound},
        PageCase{"soso_site_noresult.htm", RankEngine::Soso, "gb2312", "", {}, kNothingFound},
        PageCase{"soso_link_noresult.htm", RankEngine::Soso, "gb2312", "", {}, kNothingFound},
        PageCase{"youdao_noresult.htm", RankEngine::Youdao, "utf-8", "", {}, kNothingFound},
        PageCase{"bing_noresult.htm", RankEngine::Bing, "utf-8", "", {}, kNothingFound},
        PageCase{
            "rank_google_page0.html",
            RankEngine::Google,
            "utf-8",
            "",
            {"1 www.a-site.com", "2 www.review-site.com/target", "3 www.target-site.com/blog"}},
        PageCase{"rank_google_page1.html",
                 RankEngine::Google,
                 "utf-8",
                 "",
                 {"1 www.c-site.com", "2 www.target-site.com"}},
        PageCase{"rank_google_single_quotes.html",
                 RankEngine::Google,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 www.target-site.com"}},
        // The stored link is the target the click address carries; the text after the last
        // snapshot link is no result.
        PageCase{"rank_yahoo_page0.html",
                 RankEngine::Yahoo,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 www.target-site.com",
                  "3 www.c-site.com/jianfei => www.c-site.com/jianfei/index.html"}},
        PageCase{"rank_yahoo_page1.html",
                 RankEngine::Yahoo,
                 "utf-8",
                 "",
                 {"1 www.d-site.com", "2 www.f-site.com"}},
        PageCase{"rank_sogou_page0.html",
                 RankEngine::Sogou,
                 "gb2312",
                 "",
                 {"1 www.a-site.com", "2 www.c-site.com"}},
        PageCase{"rank_sogou_page1.html",
                 RankEngine::Sogou,
                 "gb2312",
                 "",
                 {"1 www.d-site.com", "2 www.f-site.com", "3 www.target-site.com"}},
        // The stored link is the first quoted text of the result, whatever attribute holds it.
        PageCase{"rank_sogou_attribute_first.html",
                 RankEngine::Sogou,
                 "gb2312",
                 "",
                 {"1 www.a-site.com => uigs_0", "2 www.target-site.com"}},
        PageCase{"rank_soso_attribute_first.html",
                 RankEngine::Soso,
                 "gb2312",
                 "",
                 {"1 www.a-site.com => _blank", "2 www.target-site.com"}},
        PageCase{
            "rank_soso_page0.html",
            RankEngine::Soso,
            "gb2312",
            "",
            {"1 www.a-site.com", "2 www.c-site.com", "3 www.target-site.com", "4 www.d-site.com"}},
        // Links cut after their scheme keep their letter case unless they end in "/".
        PageCase{"rank_youdao_page0.html",
                 RankEngine::Youdao,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 WWW.Target-Site.com/Page.html", "3 www.target-site.com"}},
        PageCase{"rank_bing_page0.html",
                 RankEngine::Bing,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 www.review-site.com/target"}},
        PageCase{"rank_bing_page1.html",
                 RankEngine::Bing,
                 "utf-8",
                 "",
                 {"1 www.c-site.com", "2 www.d-site.com", "3 www.target-site.com/news"}}));

// A verification or blocking page answers with success but without the results region: it is
// no results page, not one without the site.
TEST(ResultPageTest, PagesWithoutTheirMarkersAreNoResultsPages) {
    constexpr ResultPage::Kind kUnreadable = ResultPage::Kind::Unreadable;
    const QString unrelated = QStringLiteral(
        "<html><h3 class=\"title\"><a href=\"http://www.a-site.com/\">a</a></h3>"
        "<table class=\"x\"><tr><td><a href=\"http://www.b-site.com/\">b</a></td></tr></table>"
        "</html>");
    for (RankEngine engine :
         {RankEngine::Baidu, RankEngine::Google, RankEngine::Yahoo, RankEngine::Sogou,
          RankEngine::Soso, RankEngine::Youdao, RankEngine::Bing}) {
        EXPECT_EQ(ParseResultPage(engine, QString(), QString()).kind, kUnreadable) << int(engine);
        EXPECT_EQ(ParseResultPage(engine, unrelated, QStringLiteral(">来百度推广")).kind,
                  kUnreadable)
            << int(engine);
        // A blank paid-listing marker opens no region at the top of the page.
        EXPECT_EQ(ParseResultPage(engine, unrelated, QStringLiteral(" ")).kind, kUnreadable)
            << int(engine);
    }
    // Baidu's results page whose paid-listing marker is not the one the page carries.
    EXPECT_EQ(ParseResultPage(RankEngine::Baidu,
                              PageText(QStringLiteral("rank_baidu_marker_layout.html"),
                                       QStringLiteral("gb2312")),
                              QStringLiteral("<div id=\"none\">"))
                  .kind,
              kUnreadable);
}

// A result may quote an engine's words that it found nothing: its page is a results page still,
// and the pages after it are asked for.
TEST(ResultPageTest, AResultsPageQuotingTheNothingFoundWordingIsAResultsPage) {
    const QString quote = QStringLiteral(
        "<p>抱歉，没有找到 找不到和您的查询 对不起，没有找到与 抱歉，找不到 <h1>找不到包含</p>"
        "</body>");
    const struct {
        RankEngine engine;
        const char* file;
        const char* charset;
    } cases[] = {
        {RankEngine::Baidu, "rank_baidu_page0.html", "gb2312"},
        {RankEngine::Google, "rank_google_page0.html", "utf-8"},
        {RankEngine::Yahoo, "rank_yahoo_page0.html", "utf-8"},
        {RankEngine::Sogou, "rank_sogou_page0.html", "gb2312"},
        {RankEngine::Soso, "rank_soso_page0.html", "gb2312"},
        {RankEngine::Youdao, "rank_youdao_page0.html", "utf-8"},
        {RankEngine::Bing, "rank_bing_page0.html", "utf-8"},
    };
    for (const auto& c : cases) {
        QString page = PageText(QString::fromUtf8(c.file), QString::fromUtf8(c.charset));
        const qsizetype results = ParseResultPage(c.engine, page).results.size();
        page.replace(QStringLiteral("</body>"), quote);
        const ResultPage read = ParseResultPage(c.engine, page);
        EXPECT_EQ(read.kind, ResultPage::Kind::Results) << c.file;
        EXPECT_EQ(read.results.size(), results) << c.file;
    }
}

TEST(ResultPageTest, OnlyTheLastPageOfResultsShowsNoNextPage) {
    const struct {
        const char* file;
        const char* charset;
        bool next;
    } cases[] = {
        {"rank_baidu_page0.html", "gb2312", true}, {"rank_baidu_last_page.html", "gb2312", false},
        {"rank_google_page1.html", "utf-8", true}, {"rank_google_last_page.html", "utf-8", false},
        {"rank_yahoo_page0.html", "utf-8", true},  {"rank_yahoo_page1.html", "utf-8", false},
        {"rank_sogou_page1.html", "gb2312", true}, {"rank_soso_page0.html", "gb2312", true},
        {"rank_youdao_page0.html", "utf-8", true}, {"rank_youdao_last_page.html", "utf-8", false},
        {"rank_bing_page1.html", "utf-8", true},   {"rank_bing_last_page.html", "utf-8", false},
        {"baidu_noresult.htm", "gb2312", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShowsNextPage(PageText(QString::fromUtf8(c.file), QString::fromUtf8(c.charset))),
                  c.next)
            << c.file;
}

TEST(ResultPageTest, SitesAreLookedForInTheWholeResultOrInYahoosTitle) {
    const QString yahoo =
        PageText(QStringLiteral("rank_yahoo_page0.html"), QStringLiteral("utf-8"));
    const QList<ResultEntry> yahooResults = ParseResultPage(RankEngine::Yahoo, yahoo).results;
    ASSERT_FALSE(yahooResults.isEmpty());
    EXPECT_EQ(yahooResults[0].siteText,
              QStringLiteral("<a class=\"yschttl\" onclick=\"return ylog({'pos':1})\" "
                             "href=\"http://www.a-site.com/\" data-rd=\"http://rds.yahoo.cn/"
                             "click?p=1&u=www.a-site.com/&w=web\">减肥方法</a>"));

    const QString bing = PageText(QStringLiteral("rank_bing_page0.html"), QStringLiteral("utf-8"));
    const QList<ResultEntry> bingResults = ParseResultPage(RankEngine::Bing, bing).results;
    ASSERT_EQ(bingResults.size(), 2);
    EXPECT_TRUE(
        bingResults[1].siteText->contains(QStringLiteral("评测 www.target-site.com 的产品")));

    const QString baidu =
        PageText(QStringLiteral("rank_baidu_page1.html"), QStringLiteral("gb2312"));
    const QList<ResultEntry> baiduResults =
        ParseResultPage(RankEngine::Baidu, baidu, QString()).results;
    ASSERT_FALSE(baiduResults.isEmpty());
    for (const ResultEntry& result : baiduResults)
        EXPECT_FALSE(result.siteText.has_value()) << "Baidu judges the link alone";
}

}  // namespace
