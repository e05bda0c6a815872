#include "lookups/rank_lookup.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTimer>
#include <vector>

#include "fixture_pages.h"
#include "platform/charset.h"
#include "shared/cxhtml.h"
#include "support/test_environment.h"

namespace {

using namespace lookups;
using fakeweb::Page;
using lookups_testing::PageBytes;
using lookups_testing::PageText;
using lookups_testing::RequestedUrls;
using std::chrono::milliseconds;

// The results addresses for the keyword "减肥" (GBK %BC%F5%B7%CA, UTF-8 %E5%87%8F%E8%82%A5).
const char kBaiduQuery[] = "http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=%BC%F5%B7%CA";
const char kBaidu0[] = "http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=%BC%F5%B7%CA&pn=0";
const char kBaidu1[] = "http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=%BC%F5%B7%CA&pn=10";
const char kBaidu2[] = "http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=%BC%F5%B7%CA&pn=20";
const char kGoogleQuery[] =
    "http://www.google.com.hk/search?q=%E5%87%8F%E8%82%A5&hl=zh-CN&newwindow=1&sa=N";
const char kGoogle0[] =
    "http://www.google.com.hk/search?q=%E5%87%8F%E8%82%A5&hl=zh-CN&newwindow=1&start=0&sa=N";
const char kGoogle1[] =
    "http://www.google.com.hk/search?q=%E5%87%8F%E8%82%A5&hl=zh-CN&newwindow=1&start=10&sa=N";
const char kYahooQuery[] = "http://www.yahoo.cn/s?p=%E5%87%8F%E8%82%A5&v=web";
const char kYahoo0[] = "http://www.yahoo.cn/s?p=%E5%87%8F%E8%82%A5&v=web&b=0";
const char kYahoo1[] = "http://www.yahoo.cn/s?p=%E5%87%8F%E8%82%A5&v=web&b=10";
const char kSogou0[] = "http://www.sogou.com/web?query=%BC%F5%B7%CA&page=1";
const char kSogou1[] = "http://www.sogou.com/web?query=%BC%F5%B7%CA&page=2";
const char kSoso0[] = "http://www.soso.com/q?w=%BC%F5%B7%CA&pg=1";
const char kYoudao0[] = "http://www.youdao.com/search?q=%E5%87%8F%E8%82%A5&start=0";
const char kBing0[] = "http://cn.bing.com/search?q=%E5%87%8F%E8%82%A5&first=1";
const char kBing1[] = "http://cn.bing.com/search?q=%E5%87%8F%E8%82%A5&first=11";

// The address of results page `page` (0-based) of `engine` for "减肥".
QString AddressOf(RankEngine engine, int page) {
    const RankEngineRule& rule = RuleOf(engine);
    return PageAddress(rule, rule.encode(QStringLiteral("减肥")), page);
}

const QString kVerificationPage = QStringLiteral("<html><p>请输入验证码</p></html>");

const std::vector<RankEngine> kEngines = {RankEngine::Baidu, RankEngine::Google, RankEngine::Yahoo,
                                          RankEngine::Sogou, RankEngine::Soso,   RankEngine::Youdao,
                                          RankEngine::Bing};

// The rank query's two options, and the paid-listing marker as the program folder keeps it.
class TestOptions final : public RankLookupOptions {
  public:
    bool exact = false;
    bool countPaid = false;

    bool ExactSiteMatch() const override { return exact; }
    bool CountPaidListings() const override { return countPaid; }
    QString PaidListingMarker() const override { return ReadPaidListingMarker(); }
};

// An engine's page, link and page-index fields.
QStringList FieldsOf(const cKeyrank& k, RankEngine engine) {
    switch (engine) {
        case RankEngine::Baidu:
            return {k.Baidustr, k.BaiduUrlStr, k.BaiduUrlPage};
        case RankEngine::Google:
            return {k.Googlestr, k.GoogleUrlStr, k.GoogleUrlPage};
        case RankEngine::Yahoo:
            return {k.Yahoostr, k.YahooUrlStr, k.YahooUrlPage};
        case RankEngine::Sogou:
            return {k.Sogoustr, k.SogouUrlStr, k.SogouUrlPage};
        case RankEngine::Soso:
            return {k.SoSostr, k.SoSoUrlStr, k.SoSoUrlPage};
        case RankEngine::Youdao:
            return {k.Youdaostr, k.YoudaoUrlStr, k.YoudaoUrlPage};
        case RankEngine::Bing:
            return {k.Bingstr, k.BingUrlStr, k.BingUrlPage};
    }
    return {};
}

void FillEveryField(cKeyrank& k, const QString& text) {
    for (QString* field :
         {&k.Baidustr,      &k.BaiduUrlStr,  &k.BaiduUrlPage,  &k.Googlestr,    &k.GoogleUrlStr,
          &k.GoogleUrlPage, &k.Yahoostr,     &k.YahooUrlStr,   &k.YahooUrlPage, &k.Sogoustr,
          &k.SogouUrlStr,   &k.SogouUrlPage, &k.SoSostr,       &k.SoSoUrlStr,   &k.SoSoUrlPage,
          &k.Youdaostr,     &k.YoudaoUrlStr, &k.YoudaoUrlPage, &k.Bingstr,      &k.BingUrlStr,
          &k.BingUrlPage})
        *field = text;
}

// Serves `page` at exactly `address` ("http://host/path?query").
void ServeAt(fakeweb::FakeWeb& web, const QString& address, const Page& page) {
    const QString hostAndPath = address.mid(QStringLiteral("http://").size());
    const qsizetype slash = hostAndPath.indexOf(u'/');
    web.Serve(hostAndPath.left(slash), hostAndPath.mid(slash), page);
}

void ServeFileAt(fakeweb::FakeWeb& web, const QString& address, const QString& file) {
    ServeAt(web, address, Page::Bytes(PageBytes(file)));
}

class RankLookupTest : public testing_support::TestEnvironment {
  protected:
    // Looks `site` up on `engine` for "减肥" over `pages` result pages.
    int LookUp(RankEngine engine, const QString& site, int pages, int start = 0, int rank = 0) {
        lookup.Keyword(QStringLiteral("减肥"));
        lookup.url(site);
        lookup.maxnum(pages);
        return lookup.GetRank(engine, start, rank);
    }

    void WriteMarkerFile(const QByteArray& bytes) {
        QFile file(folder.FilePath(QStringLiteral("baidutag.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TestOptions options;
    cKeyrank lookup{options};
};

struct LookupCase {
    const char* name;
    RankEngine engine;
    std::vector<std::pair<const char*, const char*>> pages;  // address and page file, in order
    const char* site;
    bool exact;
    bool countPaid;
    int rank;
    int position;
    const char* link;
    const char* pageField;
    const char* pageIndex;
    size_t requested;  // how many of the pages are asked for, in order
};

void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.name;
}

class EngineLookupTest : public RankLookupTest, public testing::WithParamInterface<LookupCase> {};

TEST_P(EngineLookupTest, AsksPageAfterPageUntilTheSiteIsFoundAndKeepsWhereItStood) {
    const LookupCase& c = GetParam();
    for (const auto& [address, file] : c.pages)
        ServeFileAt(web, QString::fromUtf8(address), QString::fromUtf8(file));
    options.exact = c.exact;
    options.countPaid = c.countPaid;
    FillEveryField(lookup, QStringLiteral("untouched"));

    EXPECT_EQ(LookUp(c.engine, QString::fromUtf8(c.site), int(c.pages.size()), 0, c.rank),
              c.position);
    EXPECT_EQ(FieldsOf(lookup, c.engine),
              QStringList({QString::fromUtf8(c.pageField), QString::fromUtf8(c.link),
                           QString::fromUtf8(c.pageIndex)}));
    QStringList asked;
    for (size_t i = 0; i < c.requested; ++i) asked << QString::fromUtf8(c.pages[i].first);
    EXPECT_EQ(RequestedUrls(web), asked);
    EXPECT_FALSE(lookup.LastLookupFailed());
    for (RankEngine other : kEngines) {
        if (other == c.engine) continue;
        EXPECT_EQ(FieldsOf(lookup, other), QStringList(3, QStringLiteral("untouched")));
    }
}

const std::vector<std::pair<const char*, const char*>> kBaiduPages = {
    {kBaidu0, "rank_baidu_page0.html"},
    {kBaidu1, "rank_baidu_page1.html"},
    {kBaidu2, "rank_baidu_last_page.html"}};
const std::vector<std::pair<const char*, const char*>> kGooglePages = {
    {kGoogle0, "rank_google_page0.html"}, {kGoogle1, "rank_google_page1.html"}};
const std::vector<std::pair<const char*, const char*>> kYahooPages = {
    {kYahoo0, "rank_yahoo_page0.html"}, {kYahoo1, "rank_yahoo_page1.html"}};
const std::vector<std::pair<const char*, const char*>> kBingPages = {
    {kBing0, "rank_bing_page0.html"}, {kBing1, "rank_bing_page1.html"}};

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineLookupTest,
    testing::Values(
        // Two paid listings stand above Baidu's third result, the site's home page.
        LookupCase{"BaiduExact", RankEngine::Baidu, kBaiduPages, "www.target-site.com", true, false,
                   0, 3, "www.target-site.com", kBaidu0, "0", 1},
        LookupCase{"BaiduCountingPaidListings", RankEngine::Baidu, kBaiduPages,
                   "http://www.target-site.com", true, true, 0, 5, "www.target-site.com", kBaidu0,
                   "0", 1},
        // Beyond position 3 the next home-page link is the second result of page 2; with the
        // paid listings, those of page 1 count too.
        LookupCase{"BaiduBeyondRank", RankEngine::Baidu, kBaiduPages, "www.target-site.com", true,
                   false, 3, 12, "www.target-site.com", kBaidu1, "1", 2},
        LookupCase{"BaiduBeyondRankCountingPaidListings", RankEngine::Baidu, kBaiduPages,
                   "www.target-site.com", true, true, 3, 15, "www.target-site.com", kBaidu1, "1",
                   2},
        LookupCase{"BaiduContainingBeyondRank", RankEngine::Baidu, kBaiduPages,
                   "www.target-site.com", false, false, 3, 4,
                   "www.target-site.com/products/list.html", kBaidu0, "0", 1},
        LookupCase{"BaiduPaidListingOfTheSiteIsNeverReported", RankEngine::Baidu, kBaiduPages,
                   "www.paid-shop.com", false, true, 0, 0, "", kBaiduQuery, "3", 3},
        LookupCase{"BaiduLastPageWithoutNextPageLink", RankEngine::Baidu, kBaiduPages,
                   "WWW.E-Site.com", true, false, 0, 22, "www.e-site.com", kBaidu2, "2", 3},
        LookupCase{"GoogleContainingSiteTypedWithSchemeAndCapitals", RankEngine::Google,
                   kGooglePages, "HTTP://WWW.Target-Site.com/", false, false, 0, 3,
                   "www.target-site.com/blog", kGoogle0, "0", 1},
        LookupCase{"GoogleExact", RankEngine::Google, kGooglePages, "www.target-site.com", true,
                   false, 0, 12, "www.target-site.com", kGoogle1, "1", 2},
        // A result that only mentions the site notes no page.
        LookupCase{"GoogleMentionWithoutLinkNotesNoPage",
                   RankEngine::Google,
                   {{kGoogle0, "rank_google_page0.html"}},
                   "www.target-site.com",
                   true,
                   false,
                   0,
                   0,
                   "",
                   kGoogleQuery,
                   "1",
                   1},
        LookupCase{"YahooReportsTheTargetTheClickCarries", RankEngine::Yahoo, kYahooPages,
                   "www.c-site.com", false, false, 0, 3, "www.c-site.com/jianfei/index.html",
                   kYahoo0, "0", 1},
        LookupCase{"YahooTextAfterTheLastSnapshotIsNoResult", RankEngine::Yahoo, kYahooPages,
                   "www.e-site.com", false, false, 0, 0, "", kYahooQuery, "2", 2},
        LookupCase{"SogouSecondPage",
                   RankEngine::Sogou,
                   {{kSogou0, "rank_sogou_page0.html"}, {kSogou1, "rank_sogou_page1.html"}},
                   "www.target-site.com",
                   true,
                   false,
                   0,
                   13,
                   "www.target-site.com",
                   kSogou1,
                   "1",
                   2},
        LookupCase{"Soso",
                   RankEngine::Soso,
                   {{kSoso0, "rank_soso_page0.html"}},
                   "www.target-site.com",
                   true,
                   false,
                   0,
                   3,
                   "www.target-site.com",
                   kSoso0,
                   "0",
                   1},
        // The link cut after its scheme keeps its capitals; they do not hide the site.
        LookupCase{"YoudaoContainingInAnyCase",
                   RankEngine::Youdao,
                   {{kYoudao0, "rank_youdao_page0.html"}},
                   "www.target-site.com",
                   false,
                   false,
                   0,
                   2,
                   "WWW.Target-Site.com/Page.html",
                   kYoudao0,
                   "0",
                   1},
        LookupCase{"YoudaoExact",
                   RankEngine::Youdao,
                   {{kYoudao0, "rank_youdao_page0.html"}},
                   "www.target-site.com",
                   true,
                   false,
                   0,
                   3,
                   "www.target-site.com",
                   kYoudao0,
                   "0",
                   1},
        LookupCase{"BingSecondPage", RankEngine::Bing, kBingPages, "www.target-site.com", false,
                   false, 0, 13, "www.target-site.com/news", kBing1, "1", 2},
        // Bing notes the page as soon as a result mentions the site, matching link or not.
        LookupCase{"BingMentionWithoutLinkNotesItsPage",
                   RankEngine::Bing,
                   {{kBing0, "rank_bing_page0.html"}},
                   "www.target-site.com",
                   true,
                   false,
                   0,
                   0,
                   "",
                   kBing0,
                   "1",
                   1},
        LookupCase{"BingNotesTheLastPageThatMentionedTheSite", RankEngine::Bing, kBingPages,
                   "www.target-site.com", true, false, 0, 0, "", kBing1, "2", 2}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST_F(RankLookupTest, ThePaidListingMarkerComesFromTheProgramFolderAtEveryBaiduLookup) {
    ServeFileAt(web, QString::fromUtf8(kBaidu0), QStringLiteral("rank_baidu_marker_layout.html"));
    const struct {
        const char* state;
        std::optional<QByteArray> file;  // none: no file
        int position;
    } cases[] = {
        {"missing: the results start after \">来百度推广\"", std::nullopt, 2},
        {"its first line, trimmed",
         platform::ToAnsi(QStringLiteral("  <!--自然结果-->  \r\nx\r\n")), 1},
        // A blank marker would make any page, a verification page too, a results page.
        {"empty: the default holds", QByteArray(), 2},
        {"blank: the default holds", QByteArray(" \r\n"), 2},
        {"a marker the page lacks", QByteArray("<div id=\"none\">\r\n"), 0},
    };
    for (const auto& c : cases) {
        QFile::remove(folder.FilePath(QStringLiteral("baidutag.txt")));
        if (c.file) WriteMarkerFile(*c.file);
        EXPECT_EQ(LookUp(RankEngine::Baidu, QStringLiteral("www.target-site.com"), 1), c.position)
            << c.state;
        // Without its results region the page is a missed one.
        EXPECT_EQ(lookup.LastLookupFailed(), c.position == 0) << c.state;
    }
}

TEST_F(RankLookupTest, TheOptionsAreReadAsTheyStandWhenAResultIsWeighed) {
    // The first page comes late; meanwhile the user ticks both options.
    ServeAt(
        web, QString::fromUtf8(kBaidu0),
        Page::Bytes(PageBytes(QStringLiteral("rank_baidu_page0.html"))).After(milliseconds(100)));
    for (const auto& [address, file] : kBaiduPages)
        if (QString::fromUtf8(address) != QString::fromUtf8(kBaidu0))
            ServeFileAt(web, QString::fromUtf8(address), QString::fromUtf8(file));
    QTimer::singleShot(0, [this] {
        options.exact = true;
        options.countPaid = true;
    });
    // As BaiduBeyondRankCountingPaidListings: the options ticked from the start give 15.
    EXPECT_EQ(LookUp(RankEngine::Baidu, QStringLiteral("www.target-site.com"), 3, 0, 3), 15);
}

TEST_F(RankLookupTest, TheMarkerFileIsReadAsGbkOrUtf8) {
    EXPECT_EQ(ReadPaidListingMarker(), QStringLiteral(">来百度推广"));
    WriteMarkerFile(QByteArray("\xEF\xBB\xBF") + QStringLiteral(" >推广链接 \n").toUtf8());
    EXPECT_EQ(ReadPaidListingMarker(), QStringLiteral(">推广链接"));
    WriteMarkerFile(platform::ToAnsi(QStringLiteral(">推广链接\r\n")));
    EXPECT_EQ(ReadPaidListingMarker(), QStringLiteral(">推广链接"));
}

struct MissedPageCase {
    const char* name;
    std::optional<Page> first;  // the answer for page 1; none: nobody serves its address
    const char* site;
    int position;
    bool failed;
};

void PrintTo(const MissedPageCase& c, std::ostream* out) {
    *out << c.name;
}

class MissedPageTest : public RankLookupTest, public testing::WithParamInterface<MissedPageCase> {};

TEST_P(MissedPageTest, MakesANotFoundAFailureUnlessTheSiteTurnsUpLater) {
    const MissedPageCase& c = GetParam();
    // A page that never comes is given up on the fake clock: the test does not wait for it.
    if (c.first) ServeAt(web, QString::fromUtf8(kGoogle0), *c.first);
    ServeFileAt(web, QString::fromUtf8(kGoogle1), QStringLiteral("rank_google_page1.html"));
    options.exact = true;

    EXPECT_EQ(LookUp(RankEngine::Google, QString::fromUtf8(c.site), 2), c.position);
    EXPECT_EQ(lookup.LastLookupFailed(), c.failed);
    EXPECT_EQ(RequestedUrls(web),
              QStringList({QString::fromUtf8(kGoogle0), QString::fromUtf8(kGoogle1)}));
    if (QString::fromUtf8(c.site) == u"www.nowhere.com") {
        EXPECT_EQ(lookup.Googlestr, QString::fromUtf8(kGoogleQuery)) << "no candidate noted";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MissedPageTest,
    testing::Values(
        // Page 1 might have held a better place than the 12 of page 2.
        MissedPageCase{"NoAnswerFoundOnPage2", Page::Never(), "www.target-site.com", 0, true},
        MissedPageCase{"VerificationPageFoundOnPage2",
                       Page::Text(QStringLiteral("<html><p>请输入验证码</p></html>")),
                       "www.target-site.com", 0, true},
        MissedPageCase{"VerificationPageNotFound",
                       Page::Text(QStringLiteral("<html><p>请输入验证码</p></html>")),
                       "www.nowhere.com", 0, true},
        MissedPageCase{"NoAnswerNotFound", Page::Never(), "www.nowhere.com", 0, true},
        MissedPageCase{"ErrorPage", Page::Text(QStringLiteral("<h1>服务暂不可用</h1>")).Status(503),
                       "www.nowhere.com", 0, true},
        MissedPageCase{"EmptyAnswer", Page::Text(QString()), "www.nowhere.com", 0, true},
        MissedPageCase{"AddressNobodyServes", std::nullopt, "www.nowhere.com", 0, true},
        MissedPageCase{"BothPagesReadNotFound",
                       Page::Bytes(PageBytes(QStringLiteral("rank_google_page0.html"))),
                       "www.nowhere.com", 0, false}),
    [](const testing::TestParamInfo<MissedPageCase>& info) {
        return std::string(info.param.name);
    });

// A page that answers with success but holds none of the engine's result markers (a
// verification or blocking page) says nothing about the site, on every engine; a site found
// on a page read before it stands.
TEST_F(RankLookupTest, AVerificationPageIsAMissedPageOnEveryEngine) {
    const QString verification = QStringLiteral(
        "<html><h3 class=\"title\"><a href=\"http://www.target-site.com/\">验证</a></h3>"
        "<p>请输入验证码</p></html>");
    for (const char* host : {"www.baidu.com", "www.google.com.hk", "www.yahoo.cn", "www.sogou.com",
                             "www.soso.com", "www.youdao.com", "cn.bing.com"})
        for (const char* path : {"/s", "/search", "/web", "/q"})
            web.Serve(QString::fromUtf8(host), QString::fromUtf8(path), Page::Text(verification));
    // Baidu's paid-listing marker as the start-up keeps it, blank as the version page may leave
    // it, and one that every page carries.
    for (const std::optional<QByteArray>& marker :
         {std::optional<QByteArray>(), std::optional<QByteArray>(" \r\n"),
          std::optional<QByteArray>("<html\r\n")}) {
        if (marker) WriteMarkerFile(*marker);
        for (RankEngine engine : kEngines) {
            EXPECT_EQ(LookUp(engine, QStringLiteral("www.target-site.com"), 2), 0) << int(engine);
            EXPECT_TRUE(lookup.LastLookupFailed())
                << int(engine) << " marker " << marker.value_or("none").constData();
        }
    }

    ServeFileAt(web, QString::fromUtf8(kGoogle0), QStringLiteral("rank_google_page0.html"));
    ServeAt(web, QString::fromUtf8(kGoogle1), Page::Text(verification));
    EXPECT_EQ(LookUp(RankEngine::Google, QStringLiteral("HTTP://WWW.Target-Site.com/"), 2), 3);
    EXPECT_FALSE(lookup.LastLookupFailed());
}

// Per engine: a page of the engine saying that it found nothing, and a last page of results,
// which shows no next page.
struct EngineEndCase {
    const char* name;
    RankEngine engine;
    const char* noResults;
    const char* lastPage;
};

void PrintTo(const EngineEndCase& c, std::ostream* out) {
    *out << c.name;
}

class EngineEndTest : public RankLookupTest, public testing::WithParamInterface<EngineEndCase> {
  protected:
    // The lookup at a depth of 50 results, whose first page is `file` and whose later pages
    // come back unread, each in its own way.
    void LookUpWithFirstPage(const char* file) {
        const RankEngine engine = GetParam().engine;
        ServeFileAt(web, AddressOf(engine, 0), QString::fromUtf8(file));
        const Page unread[] = {Page::Never(),
                               Page::Text(QStringLiteral("<h1>服务暂不可用</h1>")).Status(503),
                               Page::Text(QString()), Page::Text(kVerificationPage)};
        for (int p = 1; p < 5; ++p) ServeAt(web, AddressOf(engine, p), unread[p - 1]);
        EXPECT_EQ(LookUp(engine, QStringLiteral("www.nowhere.com"), 5), 0);
        EXPECT_FALSE(lookup.LastLookupFailed()) << "a site not ranked for a rare keyword";
        EXPECT_EQ(FieldsOf(lookup, engine).last(), QStringLiteral("5"));
    }
};

TEST_P(EngineEndTest, AKeywordWithoutResultsIsNotRanked) {
    LookUpWithFirstPage(GetParam().noResults);
    EXPECT_EQ(RequestedUrls(web), QStringList(AddressOf(GetParam().engine, 0)))
        << "nothing follows the word that nothing was found";
}

// A next-page link may be written in ways not known here: the pages of the depth are asked for
// all the same, and their failure to come is no miss.
TEST_P(EngineEndTest, PagesUnreadAfterTheLastPageOfResultsAreNoMisses) {
    LookUpWithFirstPage(GetParam().lastPage);
    QStringList asked;
    for (int p = 0; p < 5; ++p) asked << AddressOf(GetParam().engine, p);
    EXPECT_EQ(RequestedUrls(web), asked);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineEndTest,
    testing::Values(EngineEndCase{"Baidu", RankEngine::Baidu, "baidu_noresult.htm",
                                  "rank_baidu_last_page.html"},
                    EngineEndCase{"Google", RankEngine::Google, "google_zh_noresult.htm",
                                  "rank_google_last_page.html"},
                    EngineEndCase{"Yahoo", RankEngine::Yahoo, "yahoo_site_noresult.htm",
                                  "rank_yahoo_page1.html"},
                    // Sogou and Soso each have two wordings.
                    EngineEndCase{"Sogou", RankEngine::Sogou, "sogou_site_noresult.htm",
                                  "rank_sogou_attribute_first.html"},
                    EngineEndCase{"SogouOtherWording", RankEngine::Sogou, "sogou_link_noresult.htm",
                                  "rank_sogou_attribute_first.html"},
                    EngineEndCase{"Soso", RankEngine::Soso, "soso_site_noresult.htm",
                                  "rank_soso_attribute_first.html"},
                    EngineEndCase{"SosoOtherWording", RankEngine::Soso, "soso_link_noresult.htm",
                                  "rank_soso_attribute_first.html"},
                    EngineEndCase{"Youdao", RankEngine::Youdao, "youdao_noresult.htm",
                                  "rank_youdao_last_page.html"},
                    EngineEndCase{"Bing", RankEngine::Bing, "bing_noresult.htm",
                                  "rank_bing_last_page.html"}),
    [](const testing::TestParamInfo<EngineEndCase>& info) { return std::string(info.param.name); });

// Per engine: its first results page, which links to the next by ">下一页<", and a second page
// that holds the site.
struct NextPageCase {
    const char* name;
    RankEngine engine;
    const char* charset;
    const char* firstPage;
    const char* secondPage;
    const char* site;
    int position;
};

void PrintTo(const NextPageCase& c, std::ostream* out) {
    *out << c.name;
}

class NextPageTest : public RankLookupTest, public testing::WithParamInterface<NextPageCase> {};

TEST_P(NextPageTest, ANextPageLinkWrittenAnyWayIsFollowedAndItsPageMissedIsAFailure) {
    const NextPageCase& c = GetParam();
    const QString charset = QString::fromUtf8(c.charset);
    const QString first = PageText(QString::fromUtf8(c.firstPage), charset);
    ASSERT_TRUE(first.contains(QStringLiteral(">下一页<"))) << c.firstPage;
    const QString page0 = AddressOf(c.engine, 0);
    const QString page1 = AddressOf(c.engine, 1);
    // Text with an entity after it, a title with an arrow for text, and two entities.
    for (const char* link : {">下一页 &gt;<", " title=\"下一页\">&rarr;<", ">下一页&gt;&gt;<"}) {
        web.ClearRequests();
        ServeAt(
            web, page0,
            Page::Text(QString(first).replace(QStringLiteral(">下一页<"), QString::fromUtf8(link)),
                       charset));
        ServeFileAt(web, page1, QString::fromUtf8(c.secondPage));
        EXPECT_EQ(LookUp(c.engine, QString::fromUtf8(c.site), 5), c.position) << link;
        EXPECT_FALSE(lookup.LastLookupFailed()) << link;
        EXPECT_EQ(RequestedUrls(web), QStringList({page0, page1})) << link;

        ServeAt(web, page1, Page::Text(kVerificationPage));
        EXPECT_EQ(LookUp(c.engine, QString::fromUtf8(c.site), 5), 0) << link;
        EXPECT_TRUE(lookup.LastLookupFailed()) << link;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engines, NextPageTest,
    testing::Values(
        // Two results and a paid listing stand above the site on Baidu's second page.
        NextPageCase{"Baidu", RankEngine::Baidu, "gb2312", "rank_baidu_page0.html",
                     "rank_baidu_page1.html", "bbs.d-site.com", 13},
        NextPageCase{"Google", RankEngine::Google, "utf-8", "rank_google_page0.html",
                     "rank_google_page1.html", "www.c-site.com", 11},
        NextPageCase{"Yahoo", RankEngine::Yahoo, "utf-8", "rank_yahoo_page0.html",
                     "rank_yahoo_page1.html", "www.f-site.com", 12},
        NextPageCase{"Sogou", RankEngine::Sogou, "gb2312", "rank_sogou_page0.html",
                     "rank_sogou_page1.html", "www.target-site.com", 13},
        NextPageCase{"Soso", RankEngine::Soso, "gb2312", "rank_soso_page0.html",
                     "rank_soso_page1.html", "www.g-site.com", 13},
        NextPageCase{"Youdao", RankEngine::Youdao, "utf-8", "rank_youdao_page0.html",
                     "rank_youdao_last_page.html", "www.f-site.com", 11},
        NextPageCase{"Bing", RankEngine::Bing, "utf-8", "rank_bing_page0.html",
                     "rank_bing_page1.html", "www.target-site.com", 13}),
    [](const testing::TestParamInfo<NextPageCase>& info) { return std::string(info.param.name); });

// A site on the last page of results is found there. A page missed before the last page of
// results fails the lookup; so does one unread after a page that showed no next page when
// results follow it after all.
TEST_F(RankLookupTest, APageMissedBeforeTheLastPageOfResultsFailsTheLookup) {
    ServeFileAt(web, QString::fromUtf8(kYahoo0), QStringLiteral("rank_yahoo_page0.html"));
    ServeFileAt(web, QString::fromUtf8(kYahoo1), QStringLiteral("rank_yahoo_page1.html"));
    EXPECT_EQ(LookUp(RankEngine::Yahoo, QStringLiteral("www.d-site.com"), 5), 11);
    EXPECT_EQ(LookUp(RankEngine::Yahoo, QStringLiteral("www.nowhere.com"), 5), 0);
    EXPECT_FALSE(lookup.LastLookupFailed());

    web.ClearRequests();
    ServeAt(web, QString::fromUtf8(kYahoo0), Page::Text(kVerificationPage));
    EXPECT_EQ(LookUp(RankEngine::Yahoo, QStringLiteral("www.nowhere.com"), 5), 0);
    EXPECT_TRUE(lookup.LastLookupFailed());
    QStringList asked;
    for (int p = 0; p < 5; ++p) asked << AddressOf(RankEngine::Yahoo, p);
    EXPECT_EQ(RequestedUrls(web), asked);

    // The site would stand at 22 on the third page.
    ServeFileAt(web, QString::fromUtf8(kYahoo0), QStringLiteral("rank_yahoo_page1.html"));
    ServeAt(web, QString::fromUtf8(kYahoo1), Page::Text(kVerificationPage));
    ServeFileAt(web, AddressOf(RankEngine::Yahoo, 2), QStringLiteral("rank_yahoo_page0.html"));
    EXPECT_EQ(LookUp(RankEngine::Yahoo, QStringLiteral("www.target-site.com"), 5), 0);
    EXPECT_TRUE(lookup.LastLookupFailed());
}

TEST_F(RankLookupTest, NoPageIsAskedForWithoutPagesLeftOrWithoutASite) {
    const struct {
        const char* name;
        const char* site;
        int pages;
        int start;
        const char* pageIndex;
    } cases[] = {
        {"maxnum never set", "www.target-site.com", 0, 0, "0"},
        {"start at the last page", "www.target-site.com", 2, 2, "2"},
        {"empty site", "", 5, 0, "5"},
        {"site of scheme alone", "HTTP://", 5, 0, "5"},
    };
    for (const auto& c : cases) {
        lookup.BaiduUrlStr = QStringLiteral("earlier");
        EXPECT_EQ(LookUp(RankEngine::Baidu, QString::fromUtf8(c.site), c.pages, c.start), 0)
            << c.name;
        EXPECT_EQ(FieldsOf(lookup, RankEngine::Baidu),
                  QStringList(
                      {QString::fromUtf8(kBaiduQuery), QString(), QString::fromUtf8(c.pageIndex)}))
            << c.name;
        EXPECT_FALSE(lookup.LastLookupFailed()) << c.name;
    }
    EXPECT_TRUE(web.Requests().empty());
}

TEST_F(RankLookupTest, ALaterStartPageIsTheFirstAskedForAndCountsFromItsPlace) {
    for (const auto& [address, file] : kBaiduPages)
        ServeFileAt(web, QString::fromUtf8(address), QString::fromUtf8(file));
    options.exact = true;
    EXPECT_EQ(LookUp(RankEngine::Baidu, QStringLiteral("www.target-site.com"), 3, 1), 12);
    EXPECT_EQ(RequestedUrls(web), QStringList({QString::fromUtf8(kBaidu1)}));
}

TEST_F(RankLookupTest, ASecondLookupOnTheSameEngineStartsWithoutTheFirstsLink) {
    for (const auto& [address, file] : kGooglePages)
        ServeFileAt(web, QString::fromUtf8(address), QString::fromUtf8(file));
    EXPECT_EQ(LookUp(RankEngine::Google, QStringLiteral("www.c-site.com"), 2), 11);
    EXPECT_EQ(lookup.GoogleUrlStr, QStringLiteral("www.c-site.com"));
    // Nothing beyond position 11: the page of the passed-over match is the one noted.
    EXPECT_EQ(lookup.GetGoogleRank(0, 11), 0);
    EXPECT_EQ(FieldsOf(lookup, RankEngine::Google),
              QStringList({QString::fromUtf8(kGoogle1), QString(), QStringLiteral("2")}));
}

TEST_F(RankLookupTest, KeywordsAreEncodedWholeForEachEnginesCharset) {
    // "&", "#" and blanks would cut the keyword short; GBK cannot hold the emoji, which goes
    // out as the GBK encoder leaves it (the address then carries its UTF-8 bytes).
    lookup.Keyword(QStringLiteral("a&b #c|'d 😀减"));
    lookup.url(QStringLiteral("www.target-site.com"));
    lookup.maxnum(1);
    lookup.GetBaiduRank(0, 0);
    lookup.GetYoudaoRank(0, 0);
    EXPECT_EQ(RequestedUrls(web),
              QStringList({QStringLiteral("http://www.baidu.com/s?lm=0&ie=gb2312&ct=0&wd=a%26b%20%"
                                          "23c%7C'd%20%F0%9F%98%80%BC%F5&pn=0"),
                           QStringLiteral("http://www.youdao.com/search?q=a%26b%20%23c%7C'd%20%F0%"
                                          "9F%98%80%E5%87%8F&start=0")}));
    EXPECT_EQ(
        lookup.Youdaostr,
        QStringLiteral("http://www.youdao.com/search?q=a%26b%20%23c|'d%20%F0%9F%98%80%E5%87%8F"));
}

}  // namespace
