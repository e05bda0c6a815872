#include "lookups/engine_rules.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "platform/charset.h"
#include "rank_pages.h"
#include "support/qt_printers.h"

namespace {

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
};

void PrintTo(const PageCase& c, std::ostream* out) {
    *out << c.file << " / marker " << c.paidMarker;
}

class ResultPageTest : public testing::TestWithParam<PageCase> {};

TEST_P(ResultPageTest, CutsThePageIntoItsResultsInPageOrder) {
    const PageCase& c = GetParam();
    const QByteArray bytes = rank_pages::PageBytes(QString::fromUtf8(c.file));
    ASSERT_FALSE(bytes.isEmpty()) << c.file;
    const QString page = platform::BytesToText(bytes, QString::fromUtf8(c.charset));
    EXPECT_EQ(Summary(ParseResultPage(c.engine, page, QString::fromUtf8(c.paidMarker))), c.results);
}

const char kDefaultMarker[] = ">来百度推广";

INSTANTIATE_TEST_SUITE_P(
    Pages, ResultPageTest,
    testing::Values(
        // Paid listings, by their "推广" link or Baidu's click script, are not counted in places.
        PageCase{"baidu_page0.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"paid", "1 www.a-site.com", "paid", "2 news.b-site.cn/2010/jianfei.html",
                  "3 www.target-site.com", "4 www.target-site.com/products/list.html",
                  "5 zhidao.baidu.com/question/123.html"}},
        PageCase{"baidu_page1.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"1 www.c-site.com", "paid", "2 www.target-site.com",
                  "3 bbs.d-site.com/thread-1.html"}},
        // The last page has no next-page link: its results run to the end of the page.
        PageCase{"baidu_last_page.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"1 www.d-site.com", "2 www.e-site.com"}},
        // Without the search box's table the results start at the paid-listing marker; an
        // empty marker starts them at the top of the page.
        PageCase{"baidu_marker_layout.html",
                 RankEngine::Baidu,
                 "gb2312",
                 kDefaultMarker,
                 {"1 www.a-site.com", "2 www.target-site.com"}},
        PageCase{"baidu_marker_layout.html",
                 RankEngine::Baidu,
                 "gb2312",
                 "<!--自然结果-->",
                 {"1 www.target-site.com"}},
        PageCase{"baidu_marker_layout.html",
                 RankEngine::Baidu,
                 "gb2312",
                 "",
                 {"1 www.baidu.com/more", "2 www.a-site.com", "3 www.target-site.com"}},
        PageCase{"baidu_marker_layout.html", RankEngine::Baidu, "gb2312", "<div id=\"none\">", {}},
        PageCase{
            "google_page0.html",
            RankEngine::Google,
            "utf-8",
            "",
            {"1 www.a-site.com", "2 www.review-site.com/target", "3 www.target-site.com/blog"}},
        PageCase{"google_page1.html",
                 RankEngine::Google,
                 "utf-8",
                 "",
                 {"1 www.c-site.com", "2 www.target-site.com"}},
        PageCase{"google_single_quotes.html",
                 RankEngine::Google,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 www.target-site.com"}},
        // The stored link is the target the click address carries; the text after the last
        // snapshot link is no result.
        PageCase{"yahoo_page0.html",
                 RankEngine::Yahoo,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 www.target-site.com",
                  "3 www.c-site.com/jianfei => www.c-site.com/jianfei/index.html"}},
        PageCase{"yahoo_page1.html",
                 RankEngine::Yahoo,
                 "utf-8",
                 "",
                 {"1 www.d-site.com", "2 www.f-site.com"}},
        PageCase{"sogou_page0.html",
                 RankEngine::Sogou,
                 "gb2312",
                 "",
                 {"1 www.a-site.com", "2 www.c-site.com"}},
        PageCase{"sogou_page1.html",
                 RankEngine::Sogou,
                 "gb2312",
                 "",
                 {"1 www.d-site.com", "2 www.f-site.com", "3 www.target-site.com"}},
        PageCase{
            "soso_page0.html",
            RankEngine::Soso,
            "gb2312",
            "",
            {"1 www.a-site.com", "2 www.c-site.com", "3 www.target-site.com", "4 www.d-site.com"}},
        // Links cut after their scheme keep their letter case unless they end in "/".
        PageCase{"youdao_page0.html",
                 RankEngine::Youdao,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 WWW.Target-Site.com/Page.html", "3 www.target-site.com"}},
        PageCase{"bing_page0.html",
                 RankEngine::Bing,
                 "utf-8",
                 "",
                 {"1 www.a-site.com", "2 www.review-site.com/target"}},
        PageCase{"bing_page1.html",
                 RankEngine::Bing,
                 "utf-8",
                 "",
                 {"1 www.c-site.com", "2 www.d-site.com", "3 www.target-site.com/news"}}));

TEST(ResultPageTest, PagesWithoutTheirMarkersHoldNoResults) {
    const QString unrelated = QStringLiteral(
        "<html><h3 class=\"title\"><a href=\"http://www.a-site.com/\">a</a></h3>"
        "<table class=\"x\"><tr><td><a href=\"http://www.b-site.com/\">b</a></td></tr></table>"
        "</html>");
    for (RankEngine engine :
         {RankEngine::Baidu, RankEngine::Google, RankEngine::Yahoo, RankEngine::Sogou,
          RankEngine::Soso, RankEngine::Youdao, RankEngine::Bing}) {
        EXPECT_TRUE(ParseResultPage(engine, QString(), QString()).isEmpty());
        EXPECT_TRUE(ParseResultPage(engine, unrelated, QStringLiteral(">来百度推广")).isEmpty())
            << int(engine);
    }
}

TEST(ResultPageTest, SitesAreLookedForInTheWholeResultOrInYahoosTitle) {
    const QString yahoo = platform::BytesToText(
        rank_pages::PageBytes(QStringLiteral("yahoo_page0.html")), QStringLiteral("utf-8"));
    const QList<ResultEntry> yahooResults = ParseResultPage(RankEngine::Yahoo, yahoo);
    ASSERT_FALSE(yahooResults.isEmpty());
    EXPECT_EQ(yahooResults[0].siteText,
              QStringLiteral("<a class=\"yschttl\" onclick=\"return ylog({'pos':1})\" "
                             "href=\"http://www.a-site.com/\" data-rd=\"http://rds.yahoo.cn/"
                             "click?p=1&u=www.a-site.com/&w=web\">减肥方法</a>"));

    const QString bing = platform::BytesToText(
        rank_pages::PageBytes(QStringLiteral("bing_page0.html")), QStringLiteral("utf-8"));
    const QList<ResultEntry> bingResults = ParseResultPage(RankEngine::Bing, bing);
    ASSERT_EQ(bingResults.size(), 2);
    EXPECT_TRUE(
        bingResults[1].siteText->contains(QStringLiteral("评测 www.target-site.com 的产品")));

    const QString baidu = platform::BytesToText(
        rank_pages::PageBytes(QStringLiteral("baidu_page1.html")), QStringLiteral("gb2312"));
    for (const ResultEntry& result : ParseResultPage(RankEngine::Baidu, baidu, QString()))
        EXPECT_FALSE(result.siteText.has_value()) << "Baidu judges the link alone";
}

}  // namespace
