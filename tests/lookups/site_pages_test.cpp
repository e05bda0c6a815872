#include "lookups/site_pages.h"

#include "lookups/alexa_rank.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "lookups/site_sources.h"
#include "support/qt_printers.h"

namespace {

using lookups::ChainSources;
using lookups::Reading;
using lookups::SiteChain;
using namespace lookups_testing;

const QVariant kX = QStringLiteral("X");

Reading Count(const char* count) {
    return Reading::Of(QString::fromUtf8(count));
}

// What each source reads from a page it may get, the page decoded in the source's charset.
struct PageCase {
    SiteChain chain;
    int member;
    const char* page;
    Reading reading;
};

void PrintTo(const PageCase& c, std::ostream* out) {
    *out << "chain " << int(c.chain) << " member " << c.member << " on " << c.page;
}

class SourcePageTest : public testing::TestWithParam<PageCase> {};

TEST_P(SourcePageTest, ReadsItsValueOrSaysWhyNot) {
    const PageCase& c = GetParam();
    const lookups::SiteSource& source = ChainSources(c.chain).at(size_t(c.member));
    const QString page = PageText(QString::fromUtf8(c.page), source.charset);
    ASSERT_FALSE(page.isEmpty());
    EXPECT_EQ(source.read(page), c.reading);
}

// A page that holds none of the source's markers gives nothing.
TEST_P(SourcePageTest, AForeignPageGivesNothing) {
    const PageCase& c = GetParam();
    const lookups::SiteSource& source = ChainSources(c.chain).at(size_t(c.member));
    const Reading reading = source.read(PageText(QStringLiteral("no_markers.htm"), source.charset));
    // The English Google lookup ends on "X" there, as on a page that says nothing matched.
    if (c.chain == SiteChain::GoogleComIndexed)
        EXPECT_EQ(reading, Reading::EndWith(kX));
    else
        EXPECT_EQ(reading, Reading::None());
}

// A page whose body breaks off in the middle of the value gives nothing usable.
TEST(TruncatedPageTest, ABodyCutShortInTheValueGivesNothing) {
    const struct {
        SiteChain chain;
        int member;
        const char* page;
        const char* cutAfter;  // the page ends just after this text
    } cases[] = {
        {SiteChain::BaiduIndexed, 0, "baidu_site.htm", "约1,2"},
        {SiteChain::BaiduIndexed, 1, "seo_a_count.htm", ">1,2"},
        {SiteChain::BaiduIndexed, 2, "seo_b_count.htm", ">9,0"},
        {SiteChain::GoogleIndexed, 2, "counter_c.htm", "98,7"},
        {SiteChain::Alexa, 0, "alexa_rank.htm", "<span class=\"c7f3\">2"},
        {SiteChain::Alexa, 1, "alexa_data.xml", "TEXT=\"12"},
        {SiteChain::PageRank, 0, "pr_a.htm", "pagerank5"},
        {SiteChain::GoogleComIndexed, 0, "google_com_about.htm", "of about <b>5,6"},
        {SiteChain::BaiduDates, 0, "baidu_site.htm", "12K 2010-6-2"},
        {SiteChain::Whois, 0, "whois_a.htm", "Creation Date: 17-mar"},
    };
    for (const auto& c : cases) {
        const lookups::SiteSource& source = ChainSources(c.chain).at(size_t(c.member));
        const QString page = PageText(QString::fromUtf8(c.page), source.charset);
        const QString cutAfter = QString::fromUtf8(c.cutAfter);
        const qsizetype at = page.indexOf(cutAfter);
        ASSERT_GE(at, 0) << c.page;
        EXPECT_NE(source.read(page.left(at + cutAfter.size())).kind, Reading::Kind::Value)
            << c.page;
    }
}

INSTANTIATE_TEST_SUITE_P(
    PageRankAlexaAndRatings, SourcePageTest,
    testing::Values(PageCase{SiteChain::PageRank, 0, "pr_a.htm", Count("5")},
                    PageCase{SiteChain::PageRank, 0, "pr_a_zero.htm", Count("0")},
                    PageCase{SiteChain::PageRankForm, 0, "pr_c.htm", Count("6")},
                    PageCase{SiteChain::Alexa, 0, "alexa_rank.htm", Count("1234")},
                    PageCase{SiteChain::Alexa, 0, "alexa_nodata.htm", Reading::EndWith(kX)},
                    PageCase{SiteChain::Alexa, 1, "alexa_data.xml", Count("12345")},
                    PageCase{SiteChain::Alexa, 1, "alexa_data_none.xml", Reading::None()},
                    PageCase{SiteChain::Alexa, 2, "alexa_lookup.htm", Count("3456")},
                    PageCase{SiteChain::SogouRank, 0, "sogou_link.htm", Count("7")},
                    PageCase{SiteChain::SogouRank, 0, "sogou_link_noresult.htm",
                             Reading::EndWith(kX)},
                    PageCase{SiteChain::SogouRank, 1, "seo_a_rank.htm", Count("6")},
                    PageCase{SiteChain::SogouRankTool, 0, "seo_b_sogourank.htm", Count("4")},
                    PageCase{SiteChain::ChinaRank, 0, "cnrank.htm", Count("8765")},
                    PageCase{SiteChain::ChinaRank, 0, "cnrank_none.htm", Reading::None()},
                    PageCase{SiteChain::ChinaRank, 1, "seo_b_cnrank.htm", Count("4321")}));

INSTANTIATE_TEST_SUITE_P(
    BaiduAndGoogle, SourcePageTest,
    testing::Values(
        PageCase{SiteChain::BaiduIndexed, 0, "baidu_site.htm", Count("1230")},
        PageCase{SiteChain::BaiduIndexed, 0, "baidu_zero.htm", Reading::None()},
        PageCase{SiteChain::BaiduIndexed, 0, "baidu_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::BaiduIndexed, 1, "seo_a_count.htm", Count("1234")},
        PageCase{SiteChain::BaiduIndexed, 1, "seo_a_busy.htm", Reading::None()},
        PageCase{SiteChain::BaiduIndexed, 1, "seo_a_one_piece.htm", Reading::None()},
        PageCase{SiteChain::BaiduIndexed, 2, "seo_b_count.htm", Count("9,012")},  // as it stands
        PageCase{SiteChain::BaiduLinks, 0, "baidu_site.htm", Count("1230")},
        PageCase{SiteChain::BaiduLinks, 1, "seo_a_count_gbk.htm", Count("5678")},
        PageCase{SiteChain::BaiduLinks, 1, "seo_a_busy.htm", Count("1234")},
        PageCase{SiteChain::BaiduLinks, 2, "seo_b_count.htm", Count("9,012")},
        PageCase{SiteChain::GoogleIndexed, 0, "google_zh_site.htm", Count("4560")},
        PageCase{SiteChain::GoogleIndexed, 0, "google_zh_link.htm", Reading::None()},
        PageCase{SiteChain::GoogleIndexed, 0, "google_zh_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::GoogleIndexed, 1, "seo_a_count.htm", Count("1234")},
        PageCase{SiteChain::GoogleIndexed, 2, "counter_c.htm", Count("98765")},
        PageCase{SiteChain::GoogleLinks, 0, "google_zh_link.htm", Count("78")},
        PageCase{SiteChain::GoogleLinks, 1, "counter_d.htm", Count("4321")},
        PageCase{SiteChain::GoogleLinks, 2, "seo_a_count_gbk.htm", Count("5678")}));

INSTANTIATE_TEST_SUITE_P(
    OtherEngines, SourcePageTest,
    testing::Values(
        PageCase{SiteChain::YahooIndexed, 0, "yahoo_site.htm", Count("1230")},
        PageCase{SiteChain::YahooIndexed, 0, "yahoo_site_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::YahooIndexed, 1, "seo_a_count.htm", Count("1234")},
        PageCase{SiteChain::YahooLinks, 0, "yahoo_links.htm", Count("2345")},
        PageCase{SiteChain::YahooLinks, 0, "yahoo_links_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::SogouIndexed, 0, "sogou_site.htm", Count("8765")},
        PageCase{SiteChain::SogouIndexed, 0, "sogou_site_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::SogouIndexed, 1, "counter_ef.htm", Count("2468")},
        // "约" comes off backlink counts too
        PageCase{SiteChain::SogouLinks, 0, "sogou_link.htm", Count("1230")},
        PageCase{SiteChain::SogouLinks, 0, "sogou_link_noresult.htm", Reading::EndWith(0)},
        PageCase{SiteChain::SogouLinks, 1, "counter_ef.htm", Count("2468")},
        PageCase{SiteChain::SosoIndexed, 0, "soso_site.htm", Count("1111")},
        PageCase{SiteChain::SosoIndexed, 0, "soso_site_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::SosoLinks, 0, "soso_site.htm", Count("1111")},
        PageCase{SiteChain::SosoLinks, 0, "soso_link_noresult.htm", Reading::EndWith(0)},
        PageCase{SiteChain::SosoLinks, 1, "seo_a_count.htm", Count("1234")},
        PageCase{SiteChain::YoudaoIndexed, 0, "youdao_site.htm", Count("2222")},
        PageCase{SiteChain::YoudaoIndexed, 0, "youdao_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::YoudaoLinks, 1, "seo_a_count.htm", Count("1234")},
        PageCase{SiteChain::BingIndexed, 0, "bing_site.htm", Count("3333")},
        PageCase{SiteChain::BingIndexed, 0, "bing_noresult.htm", Reading::EndWith(kX)},
        PageCase{SiteChain::BingIndexed, 1, "seo_b_count.htm", Count("3456")},
        PageCase{SiteChain::GoogleComIndexed, 0, "google_com_about.htm", Count("5678")},
        PageCase{SiteChain::GoogleComIndexed, 0, "google_com_exact.htm", Count("42")},
        PageCase{SiteChain::GoogleComIndexed, 0, "google_com_noresult.htm", Reading::EndWith(kX)}));

INSTANTIATE_TEST_SUITE_P(
    SnapshotDatesAndWhois, SourcePageTest,
    testing::Values(
        PageCase{SiteChain::BaiduDates, 0, "baidu_site.htm", Reading::Of(QDate(2010, 6, 24))},
        PageCase{SiteChain::BaiduDates, 0, "baidu_snapshot_relative.htm", Reading::None()},
        PageCase{SiteChain::YahooDates, 0, "yahoo_snapshot_date.htm",
                 Reading::Of(QDate(2010, 6, 20))},
        // "天前" without a number of days is no date: the lookup ends on "X".
        PageCase{SiteChain::YahooDates, 0, "yahoo_snapshot_days_unnumbered.htm", Reading::None()},
        PageCase{SiteChain::SogouDates, 0, "sogou_snapshot.htm", Reading::Of(QDate(2010, 6, 22))},
        PageCase{SiteChain::YoudaoDates, 0, "youdao_snapshot.htm", Reading::Of(QDate(2010, 6, 18))},
        PageCase{SiteChain::Whois, 0, "whois_a_nomatch.htm", Reading::EndWith(QString())},
        PageCase{SiteChain::Whois, 1, "seo_a_whois.htm",
                 Reading::Of(QStringLiteral("Domain Name: 例子.com<br/>Creation Date: "
                                            "05-JUN-2008<br/>Expiration Date: 05-JUN-2011"))},
        PageCase{SiteChain::Whois, 2, "whois_c.htm",
                 Reading::Of(QStringLiteral("Domain Name: 例子.com.cn\nRegistration Date: "
                                            "2003-03-17 12:20:05\nExpiration Date: 2012-03-17 "
                                            "12:48:36\n</pre><p>"))}));

// The rank block hides its digits among decoy spans and tags; both go, in one pass each.
TEST(AlexaRankTest, DecoySpansAndTagsLeaveTheRankDigits) {
    const struct {
        const char* block;
        const char* rank;  // empty: nothing usable
    } cases[] = {
        {"<span class=\"c11e\">9</span>1<b>2</b>,<span class=\"x\">3</span>4", "1234"},
        {"<span class=\"c11\">9</span>5", "5"},           // a shortened class name is a decoy too
        {"<span class=\"\">9</span>6", "6"},              // and so is an empty one
        {"<span class=\"zz\">9</span>6", "96"},           // not a decoy class: its digits count
        {"<span class=\"c11e\">9<i></i></span>7", "97"},  // mark-up inside: no decoy
        {"7<x", ""},                                      // "<" without ">": the rest stays
        {"<b>0</b>", ""},
    };
    for (const auto& c : cases) {
        const QString page = QStringLiteral("the Alexa Web Information Service.-->") +
                             QString::fromUtf8(c.block) + QStringLiteral("</a><!--");
        const Reading reading = lookups::ReadAlexaRank(page);
        EXPECT_EQ(reading, *c.rank ? Count(c.rank) : Reading::None()) << c.block;
    }
    // A hostile page's endless run of decoys, each one its own, is read in one pass.
    QString decoys;
    for (int i = 0; i < 200'000; ++i)
        decoys += QStringLiteral("<span class=\"c11e\">%1</span>").arg(i);
    EXPECT_EQ(lookups::ReadAlexaRank(QStringLiteral("the Alexa Web Information Service.-->") +
                                     decoys + QStringLiteral("1234</a><!--")),
              Count("1234"));
}

}  // namespace
