#include "lookups/site_sources.h"

#include <QDate>
#include <map>

#include "lookups/alexa_rank.h"
#include "lookups/site_dates.h"
#include "lookups/whois.h"
#include "platform/clock.h"
#include "shared/web_addresses.h"

namespace lookups {
namespace {

using namespace WebAddress;

const QVariant kX = QStringLiteral("X");
const QVariant kZero = 0;
const QString kGbk = QStringLiteral("gb2312");
const QString kUtf8 = QStringLiteral("utf-8");
// "查询" in GBK, the caption of the lookup sites' submit buttons.
const QString kSubmitQuery = QStringLiteral("&submit=%B2%E9%D1%AF");

SiteSource Final(SiteSource source, const QVariant& whenEmpty, const QVariant& whenNothing) {
    source.whenEmpty = whenEmpty;
    source.whenNothing = whenNothing;
    return source;
}

// A source whose empty page ends the chain with `value`.
SiteSource EmptyEnds(SiteSource source, const QVariant& value) {
    source.whenEmpty = value;
    return source;
}

SiteSource Throttled(SiteSource source, const QString& setting) {
    source.throttle = setting;
    return source;
}

std::function<Reading(const QString&)> Count(const CountRule& rule) {
    return [rule](const QString& page) { return ReadCount(page, rule); };
}

using Referer = std::function<QString(const QString& address, const QString& site)>;

// A Referer on the source's own host; none for an empty path.
Referer RefererPath(const QString& base, const QString& path) {
    if (path.isEmpty()) return {};
    return [base, path](const QString&, const QString&) { return base + path; };
}

// The request address itself as its Referer.
QString ItsOwnAddress(const QString& address, const QString&) {
    return address;
}

// SEO tool site A's count page: the third piece of the page split at "_blank\"". `key` names
// the site ("wd" or "d"); `kind` is 0 for indexed pages and 1 for backlinks; `engine` the
// tool's number of the engine.
SiteSource SeoToolA(const QString& key, int kind, int engine, const QString& charset, int tryTime,
                    const QString& refererPath, const QString& failure = {}) {
    return {.base = kSeoToolSiteA,
            .before = QStringLiteral("/Seos/Details.aspx?") + key + u'=',
            .after = QStringLiteral("&t=%1&e=%2").arg(kind).arg(engine),
            .charset = charset,
            .tryTime = tryTime,
            .referer = RefererPath(kSeoToolSiteA, refererPath),
            .read = Count({.failure = failure,
                           .split = QStringLiteral("_blank\""),
                           .piece = 2,
                           .start = QStringLiteral(">"),
                           .end = QStringLiteral("<"),
                           .removeCommas = true})};
}

// SEO tool site B's count page `path`: the count stands in piece `piece` of the page split at
// "target=\"_blank\"", taken as it is. With `formReferer` the tool's form page for the site
// is sent as the Referer.
SiteSource SeoToolB(const QString& path, int piece, int tryTime, bool formReferer) {
    SiteSource source{.base = kSeoToolSiteB,
                      .before = path,
                      .charset = kGbk,
                      .tryTime = tryTime,
                      .read = Count({.split = QStringLiteral("target=\"_blank\""),
                                     .piece = piece,
                                     .start = QStringLiteral(">"),
                                     .end = QStringLiteral("<")})};
    if (formReferer)
        source.referer = [](const QString&, const QString& site) {
            return kSeoToolSiteB + QStringLiteral("/tool/site/index.asp?url=") +
                   EncodeForCharset(site, kGbk) + kSubmitQuery;
        };
    return source;
}

// A count between two markers of a lookup site's small answer page.
SiteSource MarkedCount(const QString& base, const QString& before, const QString& after,
                       const QString& charset, int tryTime, const CountRule& rule,
                       const QString& refererPath = {}) {
    return {.base = base,
            .before = before,
            .after = after,
            .charset = charset,
            .tryTime = tryTime,
            .referer = RefererPath(base, refererPath),
            .read = Count(rule)};
}

// A count read from a search engine's results page, trimmed.
SiteSource EngineCount(const QString& base, const QString& before, const QString& after,
                       const QString& charset, CountRule rule) {
    rule.trim = true;
    return MarkedCount(base, before, after, charset, 10, rule);
}

// A snapshot date on an engine's results page for the trimmed site.
SiteSource SnapshotDate(const QString& base, const QString& before, const QString& after,
                        const QString& charset, std::function<Reading(const QString&)> read) {
    return Final({.base = base,
                  .before = before,
                  .after = after,
                  .form = SiteForm::Trimmed,
                  .charset = charset,
                  .read = std::move(read)},
                 kX, kX);
}

// The engines' count rules share their shape: a count between `start` and `end` on a page
// holding `found`, and a no-result marker.
CountRule EngineRule(const QString& found, const QString& start, const QString& end,
                     bool removeAbout, const QString& noResult, const QVariant& noResultValue) {
    return {.found = found,
            .noResult = noResult,
            .noResultValue = noResultValue,
            .start = start,
            .end = end,
            .removeAbout = removeAbout,
            .removeCommas = true};
}

CountRule BaiduRule() {
    return EngineRule(QStringLiteral("找到相关网页"), QStringLiteral("找到相关网页"),
                      QStringLiteral("篇"), true, QStringLiteral("抱歉，没有找到与"), kX);
}

CountRule GoogleRule(const QString& start) {
    return EngineRule(start, start, QStringLiteral("</b>"), false,
                      QStringLiteral("找不到和您的查询"), kX);
}

CountRule SogouRule(const QString& noResult, const QVariant& noResultValue) {
    return EngineRule(QStringLiteral("个网页"), QStringLiteral("resultbarnum:"),
                      QStringLiteral("--"), true, noResult, noResultValue);
}

CountRule SosoRule(const QString& noResult, const QVariant& noResultValue) {
    return EngineRule(QStringLiteral("搜索到"), QStringLiteral("搜索到"), QStringLiteral("项"),
                      true, noResult, noResultValue);
}

CountRule YoudaoRule() {
    return EngineRule(QStringLiteral("\">共"), QStringLiteral("\">共"), QStringLiteral("条"), true,
                      QStringLiteral("抱歉，没有找到"), kX);
}

// Counter services E and F: the count after "title=\"" up to "&#".
SiteSource SogouCounter(const QString& base, const QString& service) {
    return Final(MarkedCount(base, QStringLiteral("/tool/9/sogou.asp?d="),
                             QStringLiteral("&s=") + service, kGbk, 10,
                             {.start = QStringLiteral("title=\""),
                              .end = QStringLiteral("&#"),
                              .trim = true,
                              .removeCommas = true}),
                 kX, kX);
}

SiteSource EnglishGoogle(const QString& query) {
    return Final({.base = kGoogleCom,
                  .before = QStringLiteral("/search?hl=en&q=") + query,
                  .charset = kUtf8,
                  .read = ReadEnglishGoogleCount},
                 kX, kX);
}

SiteSource WhoisSource(const QString& base, const QString& before, const QString& after,
                       int tryTime, const QString& start, const QString& end) {
    return {.base = base,
            .before = before,
            .after = after,
            .form = SiteForm::LowerDomain,
            .charset = kGbk,
            .tryTime = tryTime,
            .read = [start, end](const QString& page) { return ReadWhoisText(page, start, end); }};
}

std::map<SiteChain, std::vector<SiteSource>> BuildChains() {
    const QString baiduSite = QStringLiteral("/s?wd=site%3A");
    const QString baiduDomain = QStringLiteral("/s?wd=domain%3A");
    const QString baiduQuery = QStringLiteral("&cl=3");
    const QString toolB = QStringLiteral("/tool/site/site.asp?url=");
    const QString toolBLinks = QStringLiteral("/tool/site/link.asp?url=");
    const QString baiduse = QStringLiteral("baiduse");
    const QString googlese = QStringLiteral("googlese");
    const QString sogouse = QStringLiteral("sogouse");
    return {
        {SiteChain::PageRank,
         {{.base = kPageRankServiceA,
           .before = QStringLiteral("/querypr.asp?url="),
           .form = SiteForm::AsPassed,
           .charset = kGbk,
           .referer = ItsOwnAddress,
           .read = Count({.start = kPageRankServiceA + QStringLiteral("/pagerank"),
                          .end = QStringLiteral(".gif"),
                          .anyNumber = true})}}},
        {SiteChain::PageRankForm,
         {Final({.base = kPageRankServiceC,
                 .before = QStringLiteral("/google_pagerank/pagerank.php"),
                 .form = SiteForm::AsPassed,
                 .charset = kGbk,
                 .postFields = QStringLiteral("getpr=1&url="),
                 .referer = ItsOwnAddress,
                 .read = Count({.start = QStringLiteral("is: <strong>"),
                                .end = QStringLiteral("<"),
                                .anyNumber = true})},
                kZero, kZero)}},
        {SiteChain::Alexa,
         {{.base = kAlexaSite,
           .before = QStringLiteral("/data/details/main/"),
           .form = SiteForm::LowerDomain,
           .charset = kUtf8,
           .tryTime = 15,
           .read = ReadAlexaRank},
          {.base = kAlexaData,
           .before =
               QStringLiteral("/data/qv7Lr2TmXw04Ne?cli=10&dat=snba&ver=7.0&cdt=alx_vw=20&wid=16865"
                              "&act=00000000000&ss=1024x768&bw=775&t=0&ttl=1125&vis=1&rq=2&url="),
           .form = SiteForm::LowerDomain,
           .charset = kGbk,
           .read = Count({.start = QStringLiteral("\" TEXT=\""),
                          .end = QStringLiteral("\""),
                          .removeCommas = true})},
          Final({.base = kAlexaLookup,
                 .before = QStringLiteral("/?domain="),
                 .form = SiteForm::LowerDomain,
                 .charset = kGbk,
                 .read = Count({.start = QStringLiteral("<b><font color=\"#FFFF00\">"),
                                .end = QStringLiteral("<"),
                                .removeCommas = true})},
                kX, kX)}},
        {SiteChain::SogouRank,
         {EngineCount(kSogouSearch, QStringLiteral("/web?query=link%3A"), {}, kGbk,
                      {.found = QStringLiteral("个网页"),
                       .noResult = QStringLiteral("寻找包含link:"),
                       .noResultValue = kX,
                       .start = QStringLiteral("搜狗评级:"),
                       .end = QStringLiteral("/")}),
          Final({.base = kSeoToolSiteA,
                 .before = QStringLiteral("/Ranks/Details.aspx?wd="),
                 .charset = kUtf8,
                 .referer = RefererPath(kSeoToolSiteA, QStringLiteral("/Ranks/Default.aspx")),
                 .read = Count({.start = QStringLiteral("></span>"), .end = QStringLiteral("<")})},
                kZero, kZero)}},
        {SiteChain::SogouRankTool,
         {Final(MarkedCount(kSeoToolSiteB, QStringLiteral("/tool/sogourank/?url="), {}, kGbk, 8,
                            {.start = QStringLiteral("padding-left:3px;color:#137258;\">"),
                             .end = QStringLiteral("<")}),
                kX, kZero)}},
        {SiteChain::ChinaRank,
         {EmptyEnds(MarkedCount(
                        kChinaRankSite, QStringLiteral("/overview/Info.do?url="), {}, kGbk, 20,
                        {.start = QStringLiteral("当前排名：</span><span class=\"rank_font_y2\">"),
                         .end = QStringLiteral("<")}),
                    kX),
          Final(MarkedCount(kSeoToolSiteB, QStringLiteral("/tool/cnrank/?url="), kSubmitQuery, kGbk,
                            20, {.start = QStringLiteral("查询结果："), .end = QStringLiteral("<")},
                            QStringLiteral("/tool/cnrank/")),
                kZero, kX)}},
        {SiteChain::BaiduDates,
         {Throttled(
             SnapshotDate(kBaiduSearch, QStringLiteral("/s?wd="), {}, kGbk, ReadBaiduSnapshotDate),
             baiduse)}},
        {SiteChain::BaiduIndexed,
         {Throttled(EngineCount(kBaiduSearch, baiduSite, baiduQuery, kGbk, BaiduRule()), baiduse),
          SeoToolA(QStringLiteral("wd"), 0, 1, kUtf8, 10, QStringLiteral("/Seos/Sites.aspx"),
                   QStringLiteral("可能由于网络原因")),
          Final(SeoToolB(toolB, 1, 10, true), kX, kX)}},
        {SiteChain::BaiduLinks,
         {Throttled(EngineCount(kBaiduSearch, baiduDomain, baiduQuery, kGbk, BaiduRule()), baiduse),
          SeoToolA(QStringLiteral("wd"), 1, 1, kGbk, 6, QStringLiteral("/Seos/Sites.aspx")),
          Final(SeoToolB(toolBLinks, 1, 12, true), kX, kX)}},
        {SiteChain::GoogleIndexed,
         {Throttled(EngineCount(kGoogleHk, QStringLiteral("/search?hl=zh-CN&q=site%3A"), {}, kUtf8,
                                GoogleRule(QStringLiteral("约 <b>"))),
                    googlese),
          SeoToolA(QStringLiteral("wd"), 0, 2, kUtf8, 10, QStringLiteral("/Seos/sites.aspx")),
          Final(MarkedCount(kCounterServiceC, QStringLiteral("/alexa/9/google.asp?d="),
                            QStringLiteral("&s=google"), kGbk, 10,
                            {.start = QStringLiteral("title=\""),
                             .end = QStringLiteral("<"),
                             .trim = true,
                             .removeCommas = true}),
                kX, kX)}},
        {SiteChain::GoogleLinks,
         {Throttled(EngineCount(kGoogleHk, QStringLiteral("/search?hl=zh-CN&q=link%3A"), {}, kUtf8,
                                GoogleRule(QStringLiteral("有 <b>"))),
                    googlese),
          MarkedCount(kCounterServiceD, QStringLiteral("/indexed/images/Inc/google.asp?d="),
                      QStringLiteral("&s=googles"), kGbk, 8,
                      {.start = QStringLiteral("title='"),
                       .end = QStringLiteral("&"),
                       .removeCommas = true}),
          Final(SeoToolA(QStringLiteral("wd"), 1, 2, kGbk, 8, QStringLiteral("/Seos/links.aspx")),
                kX, kX)}},
        {SiteChain::YahooDates,
         {SnapshotDate(kYahooChinaSearch, QStringLiteral("/s?p="), QStringLiteral("&v=web"), kUtf8,
                       [](const QString& page) {
                           return ReadYahooSnapshotDate(page, platform::TheClock().Now().date());
                       })}},
        {SiteChain::YahooIndexed,
         {EngineCount(
              kYahooChinaSearch, QStringLiteral("/s?p=domain%3A"), QStringLiteral("&v=web"), kUtf8,
              EngineRule(QStringLiteral("找到相关网页"), QStringLiteral("找到相关网页"),
                         QStringLiteral("条"), true, QStringLiteral("对不起，没有找到与"), kX)),
          Final(SeoToolA(QStringLiteral("d"), 0, 4, kUtf8, 10, {}), kX, kX)}},
        {SiteChain::YahooLinks,
         {EngineCount(
              kYahooChinaSiteExplorer, QStringLiteral("/search?bwm=i&p="), {}, kUtf8,
              EngineRule(QStringLiteral("共 <strong>"), QStringLiteral("共 <strong>"),
                         QStringLiteral("<"), true, QStringLiteral("对不起， 你的请求"), kX)),
          Final(SeoToolA(QStringLiteral("d"), 1, 4, kUtf8, 10, {}), kX, kX)}},
        {SiteChain::SogouDates,
         {SnapshotDate(kSogouSearch, QStringLiteral("/web?query="), {}, kGbk,
                       ReadSogouSnapshotDate)}},
        {SiteChain::SogouIndexed,
         {Throttled(EngineCount(kSogouSearch, QStringLiteral("/web?query=site%3A"), {}, kGbk,
                                SogouRule(QStringLiteral("对不起，没有找到"), kX)),
                    sogouse),
          SogouCounter(kCounterServiceE, QStringLiteral("sogou"))}},
        {SiteChain::SogouLinks,
         {Throttled(EngineCount(kSogouSearch, QStringLiteral("/web?query=link%3A"), {}, kGbk,
                                SogouRule(QStringLiteral("抱歉，没有找到"), kZero)),
                    sogouse),
          SogouCounter(kCounterServiceF, QStringLiteral("sogous"))}},
        {SiteChain::SosoIndexed,
         {EngineCount(kSosoSearch, QStringLiteral("/q?w=site%3A"), {}, kGbk,
                      SosoRule(QStringLiteral("抱歉，找不到"), kX)),
          Final(SeoToolA(QStringLiteral("d"), 0, 8, kUtf8, 10, {}), kX, kX)}},
        {SiteChain::SosoLinks,
         {EngineCount(kSosoSearch, QStringLiteral("/q?w=link%3A"), {}, kGbk,
                      SosoRule(QStringLiteral("抱歉，没有找到"), kZero)),
          Final(SeoToolA(QStringLiteral("d"), 1, 8, kUtf8, 10, {}), kX, kX)}},
        {SiteChain::YoudaoDates,
         {SnapshotDate(kYoudaoSearch, QStringLiteral("/search?q="), {}, kUtf8,
                       ReadYoudaoSnapshotDate)}},
        {SiteChain::YoudaoIndexed,
         {EngineCount(kYoudaoSearch, QStringLiteral("/search?q=site%3A"), {}, kUtf8, YoudaoRule()),
          Final(SeoToolA(QStringLiteral("d"), 0, 16, kUtf8, 10, {}), kX, kX)}},
        {SiteChain::YoudaoLinks,
         {EngineCount(kYoudaoSearch, QStringLiteral("/search?q=link%3A"), {}, kUtf8, YoudaoRule()),
          Final(SeoToolA(QStringLiteral("d"), 1, 16, kUtf8, 10, {}), kX, kX)}},
        {SiteChain::BingIndexed,
         {EngineCount(kBingChinaSearch, QStringLiteral("/search?q=site%3A"), {}, kUtf8,
                      {.found = QStringLiteral("共 "),
                       .noResult = QStringLiteral("<h1>找不到包含"),
                       .noResultValue = kX,
                       .start = QStringLiteral("共 "),
                       .end = QStringLiteral("条"),
                       .removeCommas = true}),
          Final(SeoToolB(toolB, 6, 15, false), kX, kZero)}},
        {SiteChain::GoogleComIndexed, {EnglishGoogle(QStringLiteral("site%3A"))}},
        {SiteChain::GoogleComLinks, {EnglishGoogle(QStringLiteral("link%3A"))}},
        {SiteChain::Whois,
         {WhoisSource(kWhoisServiceA, QStringLiteral("/cgi-bin/whois?domain="),
                      QStringLiteral("&GO=GO"), 10, QStringLiteral("<!-- start -->"),
                      QStringLiteral("友情提示：")),
          WhoisSource(kSeoToolSiteAWhois, QStringLiteral("/Details.aspx?Domain="), {}, 10,
                      QStringLiteral("<br/>"), QStringLiteral("<br/></div><div")),
          Final(WhoisSource(kWhoisServiceC, QStringLiteral("/whois/?url="), {}, 20,
                            QStringLiteral("的详细信息：<br><br><pre>"),
                            QStringLiteral("请您注意特别提示")),
                QString(), QString())}},
    };
}

}  // namespace

const std::vector<SiteSource>& ChainSources(SiteChain chain) {
    static const std::map<SiteChain, std::vector<SiteSource>> chains = BuildChains();
    return chains.at(chain);
}

QString RequestAddress(const SiteSource& source, const QString& site) {
    if (!source.postFields.isEmpty()) return source.base + source.before;
    return source.base + source.before +
           EncodeForCharset(ShapeSite(site, source.form), source.charset) + source.after;
}

QString RequestBody(const SiteSource& source, const QString& site) {
    if (source.postFields.isEmpty()) return {};
    return source.postFields + EncodeForCharset(ShapeSite(site, source.form), source.charset);
}

}  // namespace lookups
