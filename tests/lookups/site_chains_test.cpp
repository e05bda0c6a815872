// Every lookup chain against the fake web: the first source answering, each fallback in turn,
// the engine's early end, and the final value when every source fails; with the addresses
// asked for, their Referers, and the value kept.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string_view>

#include "fixture_pages.h"
#include "lookups/site_metrics.h"
#include "shared/cxhtml.h"
#include "support/test_environment.h"

namespace {

using lookups::CSeo;
using namespace lookups_testing;

// The site as typed, and its forms in the requests: lower-case site (S), lower-case domain (D)
// and as passed (P), each percent-encoded in GBK (g) or UTF-8 (u).
const QString kSite = QStringLiteral("HTTP://WWW.例子.COM/");
const QString gS = QStringLiteral("www.%C0%FD%D7%D3.com/");
const QString uS = QStringLiteral("www.%E4%BE%8B%E5%AD%90.com/");
const QString gD = QStringLiteral("%C0%FD%D7%D3.com/");
const QString uD = QStringLiteral("%E4%BE%8B%E5%AD%90.com/");
const QString gP = QStringLiteral("HTTP://WWW.%C0%FD%D7%D3.COM/");
const QString uP = QStringLiteral("HTTP://WWW.%E4%BE%8B%E5%AD%90.COM/");

const QString kToolA = QStringLiteral("http://seo-a.seotools.tarnwick.com");
const QString kToolB = QStringLiteral("http://seo-b.seotools.tarnwick.com");
const QString kToolBForm = kToolB + QStringLiteral("/tool/site/index.asp?url=") + gP +
                           QStringLiteral("&submit=%B2%E9%D1%AF");

const QVariant kX = QStringLiteral("X");
const QVariant kZero = 0;

QVariant Text(const char* text) {
    return QString::fromUtf8(text);
}

// One source as the fake web serves it.
struct Source {
    QString url;       // the address the lookup must ask for
    const char* page;  // the fixture that gives a usable value
    QVariant value;    // that value
    QString referer = {};
    const char* noResult = nullptr;  // the engine's page that ends the chain early
    int timeOut = 10;                // seconds it waits for its page
};

// What each source answers, in turn from the first one asked: G its usable page, N a page
// without any marker, E an empty page, R the engine's no-result page. Only the sources
// listed are asked.
struct Scenario {
    const char* answers;
    QVariant value;
};

using Lookup = std::function<QVariant(CSeo&, const QString&)>;

struct ChainCase {
    const char* name;
    Lookup lookup;
    std::vector<Source> sources;  // from the source the lookup starts at
    std::vector<Scenario> scenarios;
};

Lookup Fill(void (CSeo::*lookup)(const QString&), CSeo::Slot slot) {
    return [lookup, slot](CSeo& seo, const QString& site) {
        (seo.*lookup)(site);
        return seo.Read(slot);
    };
}

Lookup Returns(QString (CSeo::*lookup)(const QString&)) {
    return [lookup](CSeo& seo, const QString& site) { return QVariant((seo.*lookup)(site)); };
}

// The scenarios of a chain whose sources each give their value in turn and whose end is "X".
std::vector<Scenario> FallingThrough(const std::vector<Source>& sources) {
    std::vector<Scenario> scenarios{{"G", sources[0].value}};
    if (sources.size() > 1) scenarios.push_back({"NG", sources[1].value});
    if (sources.size() > 2) scenarios.push_back({"ENG", sources[2].value});
    scenarios.push_back({sources.size() == 3 ? "NNN" : sources.size() == 2 ? "NN" : "N", kX});
    scenarios.push_back({sources.size() == 3 ? "EEE" : sources.size() == 2 ? "EE" : "E", kX});
    if (sources[0].noResult) scenarios.push_back({"R", kX});
    return scenarios;
}

ChainCase Chain(const char* name, Lookup lookup, std::vector<Source> sources,
                std::vector<Scenario> scenarios = {}) {
    if (scenarios.empty()) scenarios = FallingThrough(sources);
    return {name, std::move(lookup), std::move(sources), std::move(scenarios)};
}

class SiteChainTest : public testing_support::TestEnvironment,
                      public testing::WithParamInterface<ChainCase> {
  protected:
    void Serve(const Source& source, const fakeweb::Page& page) {
        const QString rest = source.url.mid(QStringLiteral("http://").size());
        web.Serve(rest.section(u'/', 0, 0), u'/' + rest.section(u'/', 1).section(u'?', 0, 0), page);
    }
};

void PrintTo(const ChainCase& c, std::ostream* out) {
    *out << c.name;
}

TEST_P(SiteChainTest, AsksItsSourcesInTurnAndKeepsWhatEndsTheChain) {
    const ChainCase& c = GetParam();
    for (const Scenario& scenario : c.scenarios) {
        SCOPED_TRACE(scenario.answers);
        for (const Source& source : c.sources) Serve(source, Fixture(source.page));
        const QString answers = QString::fromLatin1(scenario.answers);
        QStringList asked;
        for (int i = 0; i < answers.size(); ++i) {
            const Source& source = c.sources.at(size_t(i));
            asked << source.url;
            if (answers[i] == u'N') Serve(source, Fixture(QStringLiteral("no_markers.htm")));
            if (answers[i] == u'E') Serve(source, fakeweb::Page::Bytes({}));
            if (answers[i] == u'R') Serve(source, Fixture(QString::fromUtf8(source.noResult)));
        }
        web.ClearRequests();

        CSeo seo;
        const QVariant value = c.lookup(seo, kSite);

        EXPECT_EQ(RequestedUrls(web), asked);
        const std::vector<fakeweb::Request> requests = web.Requests();
        for (size_t i = 0; i < requests.size() && i < c.sources.size(); ++i)
            EXPECT_EQ(requests[i].Header(QStringLiteral("Referer")),
                      AsReceived(c.sources[i].referer))
                << requests[i].Url().toStdString();
        EXPECT_EQ(value, scenario.value);
        EXPECT_EQ(value.typeId(), scenario.value.typeId());
    }
}

const QString kBaidu = QStringLiteral("http://www.baidu.com");
const QString kGoogleHk = QStringLiteral("http://www.google.com.hk");
const QString kSogou = QStringLiteral("http://www.sogou.com");

Source ToolA(const QString& query, const char* page, const char* value,
             const QString& refererPath = {}, int timeOut = 10) {
    return {kToolA + QStringLiteral("/Seos/Details.aspx?") + query,   page,    Text(value),
            refererPath.isEmpty() ? QString() : kToolA + refererPath, nullptr, timeOut};
}

const std::vector<ChainCase> kPageRankAlexaAndRatings = {
    Chain("Alexa", Fill(&CSeo::GetAlexa, CSeo::Slot::alexa),
          {{QStringLiteral("http://www.alexa.com/data/details/main/") + uD,
            "alexa_rank.htm",
            Text("1234"),
            {},
            "alexa_nodata.htm",
            15},
           {QStringLiteral("http://data.alexa.com/data/qv7Lr2TmXw04Ne?cli=10&dat=snba&ver=7.0"
                           "&cdt=alx_vw=20&wid=16865&act=00000000000&ss=1024x768&bw=775&t=0"
                           "&ttl=1125&vis=1&rq=2&url=") +
                gD,
            "alexa_data.xml", Text("12345")},
           {QStringLiteral("http://alexa.seotools.tarnwick.com/?domain=") + gD, "alexa_lookup.htm",
            Text("3456")}}),
    Chain("AlexaLookupSiteAlone", Fill(&CSeo::GetAlexa2, CSeo::Slot::alexa),
          {{QStringLiteral("http://alexa.seotools.tarnwick.com/?domain=") + gD, "alexa_lookup.htm",
            Text("3456")}}),
    Chain("SogouRank", Fill(&CSeo::GetSogouRank, CSeo::Slot::sogourank),
          {{kSogou + QStringLiteral("/web?query=link%3A") + gS,
            "sogou_link.htm",
            Text("7"),
            {},
            "sogou_link_noresult.htm"},
           {kToolA + QStringLiteral("/Ranks/Details.aspx?wd=") + uS, "seo_a_rank.htm", Text("6"),
            kToolA + QStringLiteral("/Ranks/Default.aspx")}},
          {{"G", Text("7")},
           {"NG", Text("6")},
           {"EG", Text("6")},
           {"NN", kZero},
           {"EE", kZero},
           {"R", kX}}),
    Chain("SogouRankFromToolB", Fill(&CSeo::GetSogouRank3, CSeo::Slot::sogourank),
          {{kToolB + QStringLiteral("/tool/sogourank/?url=") + gS,
            "seo_b_sogourank.htm",
            Text("4"),
            {},
            nullptr,
            8}},
          {{"G", Text("4")}, {"N", kZero}, {"E", kX}}),
    Chain(
        "ChinaRank", Fill(&CSeo::GetCnRank, CSeo::Slot::cnrank),
        {{QStringLiteral("http://cnrank.seotools.tarnwick.com/overview/Info.do?url=") + gS,
          "cnrank.htm",
          Text("8765"),
          {},
          nullptr,
          20},
         {kToolB + QStringLiteral("/tool/cnrank/?url=") + gS +
              QStringLiteral("&submit=%B2%E9%D1%AF"),
          "seo_b_cnrank.htm", Text("4321"), kToolB + QStringLiteral("/tool/cnrank/"), nullptr, 20}},
        {{"G", Text("8765")}, {"NG", Text("4321")}, {"E", kX}, {"NE", kZero}, {"NN", kX}}),
    Chain("PageRankForm", Fill(&CSeo::GetPR2, CSeo::Slot::pr),
          {{QStringLiteral("http://pr-c.seotools.tarnwick.com/google_pagerank/pagerank.php"),
            "pr_c.htm", Text("6"),
            QStringLiteral("http://pr-c.seotools.tarnwick.com/google_pagerank/pagerank.php")}},
          {{"G", Text("6")}, {"N", kZero}, {"E", kZero}}),
};
INSTANTIATE_TEST_SUITE_P(PageRankAlexaAndRatings, SiteChainTest,
                         testing::ValuesIn(kPageRankAlexaAndRatings));

const std::vector<ChainCase> kBaiduAndGoogle = {
    Chain("BaiduSnapshot", Fill(&CSeo::GetBaiduDates, CSeo::Slot::baidudates),
          {{kBaidu + QStringLiteral("/s?wd=") + gP, "baidu_site.htm", QDate(2010, 6, 24)}}),
    Chain("BaiduIndexed", Fill(&CSeo::GetBaiduS, CSeo::Slot::baidu1),
          {{kBaidu + QStringLiteral("/s?wd=site%3A") + gS + QStringLiteral("&cl=3"),
            "baidu_site.htm",
            Text("1230"),
            {},
            "baidu_noresult.htm"},
           ToolA(QStringLiteral("wd=") + uS + QStringLiteral("&t=0&e=1"), "seo_a_count.htm", "1234",
                 QStringLiteral("/Seos/Sites.aspx")),
           {kToolB + QStringLiteral("/tool/site/site.asp?url=") + gS, "seo_b_count.htm",
            Text("9,012"), kToolBForm}}),
    Chain("BaiduIndexedFromToolA", Fill(&CSeo::GetbaiduS1, CSeo::Slot::baidu1),
          {ToolA(QStringLiteral("wd=") + uS + QStringLiteral("&t=0&e=1"), "seo_a_count.htm", "1234",
                 QStringLiteral("/Seos/Sites.aspx")),
           {kToolB + QStringLiteral("/tool/site/site.asp?url=") + gS, "seo_b_count.htm",
            Text("9,012"), kToolBForm}}),
    Chain("BaiduLinks", Fill(&CSeo::GetbaiduD, CSeo::Slot::baidu2),
          {{kBaidu + QStringLiteral("/s?wd=domain%3A") + gS + QStringLiteral("&cl=3"),
            "baidu_site.htm",
            Text("1230"),
            {},
            "baidu_noresult.htm"},
           ToolA(QStringLiteral("wd=") + gS + QStringLiteral("&t=1&e=1"), "seo_a_count_gbk.htm",
                 "5678", QStringLiteral("/Seos/Sites.aspx"), 6),
           {kToolB + QStringLiteral("/tool/site/link.asp?url=") + gS, "seo_b_count.htm",
            Text("9,012"), kToolBForm, nullptr, 12}}),
    Chain("GoogleIndexed", Fill(&CSeo::GetGoogleS, CSeo::Slot::google1),
          {{kGoogleHk + QStringLiteral("/search?hl=zh-CN&q=site%3A") + uS,
            "google_zh_site.htm",
            Text("4560"),
            {},
            "google_zh_noresult.htm"},
           ToolA(QStringLiteral("wd=") + uS + QStringLiteral("&t=0&e=2"), "seo_a_count.htm", "1234",
                 QStringLiteral("/Seos/sites.aspx")),
           {QStringLiteral("http://count-c.seotools.tarnwick.com/alexa/9/google.asp?d=") + gS +
                QStringLiteral("&s=google"),
            "counter_c.htm", Text("98765")}}),
    Chain(
        "GoogleLinks", Fill(&CSeo::GetGoogleD, CSeo::Slot::google2),
        {{kGoogleHk + QStringLiteral("/search?hl=zh-CN&q=link%3A") + uS,
          "google_zh_link.htm",
          Text("78"),
          {},
          "google_zh_noresult.htm"},
         {QStringLiteral("http://count-d.seotools.tarnwick.com/indexed/images/Inc/google.asp?d=") +
              gS + QStringLiteral("&s=googles"),
          "counter_d.htm",
          Text("4321"),
          {},
          nullptr,
          8},
         ToolA(QStringLiteral("wd=") + gS + QStringLiteral("&t=1&e=2"), "seo_a_count_gbk.htm",
               "5678", QStringLiteral("/Seos/links.aspx"), 8)}),
};
INSTANTIATE_TEST_SUITE_P(BaiduAndGoogle, SiteChainTest, testing::ValuesIn(kBaiduAndGoogle));

const std::vector<ChainCase> kOtherEngines = {
    // The fake clock's today is 2026-12-10.
    Chain("YahooSnapshot", Fill(&CSeo::GetYahooDates, CSeo::Slot::yahoodates),
          {{QStringLiteral("http://www.yahoo.cn/s?p=") + uP + QStringLiteral("&v=web"),
            "yahoo_snapshot.htm", QDate(2026, 12, 7)}}),
    Chain(
        "YahooIndexed", Fill(&CSeo::GetYahooS, CSeo::Slot::yahoo1),
        {{QStringLiteral("http://www.yahoo.cn/s?p=domain%3A") + uS + QStringLiteral("&v=web"),
          "yahoo_site.htm",
          Text("1230"),
          {},
          "yahoo_site_noresult.htm"},
         ToolA(QStringLiteral("d=") + uS + QStringLiteral("&t=0&e=4"), "seo_a_count.htm", "1234")}),
    Chain(
        "YahooLinks", Fill(&CSeo::GetYahooD, CSeo::Slot::yahoo2),
        {{QStringLiteral("http://sitemap.cn.yahoo.com/search?bwm=i&p=") + uS,
          "yahoo_links.htm",
          Text("2345"),
          {},
          "yahoo_links_noresult.htm"},
         ToolA(QStringLiteral("d=") + uS + QStringLiteral("&t=1&e=4"), "seo_a_count.htm", "1234")}),
    Chain(
        "SogouSnapshot", Fill(&CSeo::GetSogouDates, CSeo::Slot::sogoudates),
        {{kSogou + QStringLiteral("/web?query=") + gP, "sogou_snapshot.htm", QDate(2010, 6, 22)}}),
    Chain("SogouIndexed", Fill(&CSeo::GetSogouS, CSeo::Slot::sogou1),
          {{kSogou + QStringLiteral("/web?query=site%3A") + gS,
            "sogou_site.htm",
            Text("8765"),
            {},
            "sogou_site_noresult.htm"},
           {QStringLiteral("http://count-e.seotools.tarnwick.com/tool/9/sogou.asp?d=") + gS +
                QStringLiteral("&s=sogou"),
            "counter_ef.htm", Text("2468")}}),
    Chain("SogouLinks", Fill(&CSeo::GetSogouD, CSeo::Slot::sogou2),
          {{kSogou + QStringLiteral("/web?query=link%3A") + gS,
            "sogou_link.htm",
            Text("1230"),
            {},
            "sogou_link_noresult.htm"},
           {QStringLiteral("http://count-f.seotools.tarnwick.com/tool/9/sogou.asp?d=") + gS +
                QStringLiteral("&s=sogous"),
            "counter_ef.htm", Text("2468")}},
          {{"G", Text("1230")}, {"NG", Text("2468")}, {"NN", kX}, {"EE", kX}, {"R", kZero}}),
    Chain(
        "SosoIndexed", Fill(&CSeo::GetSosoS, CSeo::Slot::soso1),
        {{QStringLiteral("http://www.soso.com/q?w=site%3A") + gS,
          "soso_site.htm",
          Text("1111"),
          {},
          "soso_site_noresult.htm"},
         ToolA(QStringLiteral("d=") + uS + QStringLiteral("&t=0&e=8"), "seo_a_count.htm", "1234")}),
    Chain(
        "SosoLinks", Fill(&CSeo::GetSosoD, CSeo::Slot::soso2),
        {{QStringLiteral("http://www.soso.com/q?w=link%3A") + gS,
          "soso_site.htm",
          Text("1111"),
          {},
          "soso_link_noresult.htm"},
         ToolA(QStringLiteral("d=") + uS + QStringLiteral("&t=1&e=8"), "seo_a_count.htm", "1234")},
        {{"G", Text("1111")}, {"NG", Text("1234")}, {"NN", kX}, {"EE", kX}, {"R", kZero}}),
    // Youdao's snapshot date is kept as text.
    Chain("YoudaoSnapshot", Fill(&CSeo::GetYoudaoDates, CSeo::Slot::youdaodates),
          {{QStringLiteral("http://www.youdao.com/search?q=") + uP, "youdao_snapshot.htm",
            Text("2010-06-18")}}),
    Chain("YoudaoIndexed", Fill(&CSeo::GetYoudaoS, CSeo::Slot::youdao1),
          {{QStringLiteral("http://www.youdao.com/search?q=site%3A") + uS,
            "youdao_site.htm",
            Text("2222"),
            {},
            "youdao_noresult.htm"},
           ToolA(QStringLiteral("d=") + uS + QStringLiteral("&t=0&e=16"), "seo_a_count.htm",
                 "1234")}),
    Chain("YoudaoLinks", Fill(&CSeo::GetYoudaoD, CSeo::Slot::youdao2),
          {{QStringLiteral("http://www.youdao.com/search?q=link%3A") + uS,
            "youdao_site.htm",
            Text("2222"),
            {},
            "youdao_noresult.htm"},
           ToolA(QStringLiteral("d=") + uS + QStringLiteral("&t=1&e=16"), "seo_a_count.htm",
                 "1234")}),
    Chain("BingIndexed", Fill(&CSeo::GetLiveS, CSeo::Slot::live1),
          {{QStringLiteral("http://cn.bing.com/search?q=site%3A") + uS,
            "bing_site.htm",
            Text("3333"),
            {},
            "bing_noresult.htm"},
           {kToolB + QStringLiteral("/tool/site/site.asp?url=") + gS,
            "seo_b_count.htm",
            Text("3456"),
            {},
            nullptr,
            15}},
          {{"G", Text("3333")}, {"NG", Text("3456")}, {"NN", kZero}, {"EE", kX}, {"R", kX}}),
    Chain("EnglishGoogleIndexed", Fill(&CSeo::GetGooglecomS, CSeo::Slot::googlecom1),
          {{QStringLiteral("http://www.google.com/search?hl=en&q=site%3A") + uS,
            "google_com_about.htm",
            Text("5678"),
            {},
            "google_com_noresult.htm"}}),
    Chain("EnglishGoogleLinks", Fill(&CSeo::GetGooglecomD, CSeo::Slot::googlecom2),
          {{QStringLiteral("http://www.google.com/search?hl=en&q=link%3A") + uS,
            "google_com_exact.htm",
            Text("42"),
            {},
            "google_com_noresult.htm"}}),
};
INSTANTIATE_TEST_SUITE_P(OtherEngines, SiteChainTest, testing::ValuesIn(kOtherEngines));

const QString kWhoisText = QStringLiteral(
    "Domain Name: EXAMPLE.COM\nCreation Date: 17-mar-2003\nExpiration Date: 17-mar-2012\n<!-- "
    "end --></pre><p>");
const QString kToolAWhoisText = QStringLiteral(
    "Domain Name: 例子.com<br/>Creation Date: 05-JUN-2008<br/>Expiration Date: 05-JUN-2011");
const QString kWhoisCText = QStringLiteral(
    "Domain Name: 例子.com.cn\nRegistration Date: 2003-03-17 12:20:05\nExpiration Date: "
    "2012-03-17 12:48:36\n</pre><p>");

const std::vector<ChainCase> kWhois = {
    Chain("Whois", Returns(&CSeo::GetWhois),
          {{QStringLiteral("http://whois-a.seotools.tarnwick.com/cgi-bin/whois?domain=") + gD +
                QStringLiteral("&GO=GO"),
            "whois_a.htm",
            kWhoisText,
            {},
            "whois_a_nomatch.htm"},
           {QStringLiteral("http://whois.seo-a.seotools.tarnwick.com/Details.aspx?Domain=") + gD,
            "seo_a_whois.htm", kToolAWhoisText},
           {QStringLiteral("http://whois-c.seotools.tarnwick.com/whois/?url=") + gD,
            "whois_c.htm",
            kWhoisCText,
            {},
            nullptr,
            20}},
          {{"G", kWhoisText},
           {"NG", kToolAWhoisText},
           {"ENG", kWhoisCText},
           {"NNN", QString()},
           {"EEE", QString()},
           {"R", QString()}}),
    Chain("WhoisFromTheThirdSource", Returns(&CSeo::GetWhois2),
          {{QStringLiteral("http://whois-c.seotools.tarnwick.com/whois/?url=") + gD,
            "whois_c.htm",
            kWhoisCText,
            {},
            nullptr,
            20}},
          {{"G", kWhoisCText}, {"N", QString()}, {"E", QString()}}),
};
INSTANTIATE_TEST_SUITE_P(Whois, SiteChainTest, testing::ValuesIn(kWhois));

// The whole chain of `name`.
const ChainCase& WholeChain(const char* name) {
    for (const std::vector<ChainCase>* family :
         {&kPageRankAlexaAndRatings, &kBaiduAndGoogle, &kOtherEngines, &kWhois})
        for (const ChainCase& c : *family)
            if (std::string_view(c.name) == name) return c;
    throw std::invalid_argument(name);
}

// A later member of chain `chain`, called on its own: it starts at source `first` of the
// chain and fills the chain's slot.
ChainCase LaterMember(const char* name, Lookup lookup, const char* chain, size_t first) {
    const ChainCase& whole = WholeChain(chain);
    std::vector<Source> sources(whole.sources.begin() + std::ptrdiff_t(first), whole.sources.end());
    std::vector<Scenario> scenarios{{"G", sources[0].value}};
    return {name, std::move(lookup), std::move(sources), std::move(scenarios)};
}

using S = CSeo::Slot;

// Every member that starts further down its chain and has no case of its own above.
const std::vector<ChainCase> kLaterMembers = {
    LaterMember("Alexa1", Fill(&CSeo::GetAlexa1, S::alexa), "Alexa", 1),
    LaterMember("SogouRank1", Fill(&CSeo::GetSogouRank1, S::sogourank), "SogouRank", 1),
    LaterMember("CnRank1", Fill(&CSeo::GetCnRank1, S::cnrank), "ChinaRank", 1),
    LaterMember("BaiduS2", Fill(&CSeo::GetbaiduS2, S::baidu1), "BaiduIndexed", 2),
    LaterMember("BaiduD1", Fill(&CSeo::GetbaiduD1, S::baidu2), "BaiduLinks", 1),
    LaterMember("BaiduD2", Fill(&CSeo::GetbaiduD2, S::baidu2), "BaiduLinks", 2),
    LaterMember("GoogleS1", Fill(&CSeo::GetGoogleS1, S::google1), "GoogleIndexed", 1),
    LaterMember("GoogleS2", Fill(&CSeo::GetGoogleS2, S::google1), "GoogleIndexed", 2),
    LaterMember("GoogleD1", Fill(&CSeo::GetGoogleD1, S::google2), "GoogleLinks", 1),
    LaterMember("GoogleD2", Fill(&CSeo::GetGoogleD2, S::google2), "GoogleLinks", 2),
    LaterMember("YahooS1", Fill(&CSeo::GetYahooS1, S::yahoo1), "YahooIndexed", 1),
    LaterMember("YahooD1", Fill(&CSeo::GetYahooD1, S::yahoo2), "YahooLinks", 1),
    LaterMember("SogouS1", Fill(&CSeo::GetSogouS1, S::sogou1), "SogouIndexed", 1),
    LaterMember("SogouD1", Fill(&CSeo::GetSogouD1, S::sogou2), "SogouLinks", 1),
    LaterMember("SosoS1", Fill(&CSeo::GetSosoS1, S::soso1), "SosoIndexed", 1),
    LaterMember("SosoD1", Fill(&CSeo::GetSosoD1, S::soso2), "SosoLinks", 1),
    LaterMember("YoudaoS1", Fill(&CSeo::GetYoudaoS1, S::youdao1), "YoudaoIndexed", 1),
    LaterMember("YoudaoD1", Fill(&CSeo::GetYoudaoD1, S::youdao2), "YoudaoLinks", 1),
    LaterMember("LiveS1", Fill(&CSeo::GetLiveS1, S::live1), "BingIndexed", 1),
    LaterMember("Whois1", Returns(&CSeo::GetWhois1), "Whois", 1),
};
INSTANTIATE_TEST_SUITE_P(LaterMembers, SiteChainTest, testing::ValuesIn(kLaterMembers));

// Every source is the first one some case asks: a page that never comes is given up after the
// source's own time-out, and the sources after it answer at once.
TEST_P(SiteChainTest, TheFirstSourceAskedWaitsItsOwnTimeOutForAPageThatNeverComes) {
    const ChainCase& c = GetParam();
    Serve(c.sources[0], fakeweb::Page::Never());
    CSeo seo;
    c.lookup(seo, kSite);
    EXPECT_EQ(clock.Waited(), GiveUpAfter(c.sources[0].timeOut)) << c.sources[0].url.toStdString();
}

using SnapshotDateTest = testing_support::TestEnvironment;

TEST_F(SnapshotDateTest, ASiteWithSurroundingBlanksIsAskedForWithoutThem) {
    for (const char* name : {"BaiduSnapshot", "YahooSnapshot", "SogouSnapshot", "YoudaoSnapshot"}) {
        const ChainCase& c = WholeChain(name);
        web.ClearRequests();
        CSeo seo;
        c.lookup(seo, QStringLiteral("  ") + kSite + QStringLiteral(" "));
        EXPECT_EQ(RequestedUrls(web), QStringList{c.sources[0].url}) << name;
    }
}

}  // namespace
