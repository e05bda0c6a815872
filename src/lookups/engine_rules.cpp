#include "lookups/engine_rules.h"

#include <QStringList>
#include <vector>

#include "lookups/site_match.h"
#include "shared/text_helpers.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace lookups {

namespace {

// Baidu's results run up to its next-page link, and split where each result's table opens.
const QString kBaiduResultsEnd = QStringLiteral(">下一页<");
const QString kBaiduResultStart = QStringLiteral("<table ");

// The pieces of `text` between the occurrences of `marker` (the text before the first is piece
// 0); a text without the marker is one piece, an empty text none.
QStringList Pieces(const QString& text, const QString& marker) {
    if (text.isEmpty()) return {};
    return text.split(marker);
}

// The text after the first `start` up to the next `end`, or up to the page's end when no `end`
// follows; nothing when `start` is missing. An empty `start` matches at the top of the page.
std::optional<QString> RegionFrom(const QString& page, const QString& start, const QString& end) {
    const qsizetype at = page.indexOf(start);
    if (at < 0) return std::nullopt;
    const qsizetype from = at + start.size();
    const qsizetype to = page.indexOf(end, from);
    return page.mid(from, to < 0 ? -1 : to - from);
}

// Where a link stands in a result and how it is tidied.
struct LinkCut {
    QString start;
    QString end;
    LinkSteps steps;
};

QString CutLink(const QString& piece, const LinkCut& cut) {
    return NormaliseLink(GetMemo(piece, cut.start, cut.end), cut.steps);
}

const LinkCut kHrefLink{QStringLiteral("href=\""), QStringLiteral("\""), LinkSteps::SchemeAndSlash};
const LinkCut kFirstQuotedLink{QStringLiteral("\""), QStringLiteral("\""),
                               LinkSteps::SchemeAndSlash};

// Pieces 1 to last as results that must hold the site, each at the place of its index; nothing
// when the results' marker is nowhere, so that there is no piece 1.
std::optional<QList<ResultEntry>> SiteTestedResults(const QStringList& pieces, const LinkCut& test,
                                                    const LinkCut& stored) {
    if (pieces.size() < 2) return std::nullopt;
    QList<ResultEntry> results;
    for (qsizetype j = 1; j < pieces.size(); ++j)
        results.append(
            {false, pieces[j], CutLink(pieces[j], test), CutLink(pieces[j], stored), int(j)});
    return results;
}

// A paid listing carries the "推广" link or goes through Baidu's paid-click script.
bool IsBaiduPaidListing(const QString& piece) {
    return piece.contains(QStringLiteral(">推广</a>")) ||
           piece.contains(QStringLiteral("baidu.com/baidu.php"));
}

// The results stand between the search box's table and the next-page link, or, when the first
// marker is not there, between the paid-listing marker and the next-page link. The last page
// has no next-page link: its results run to the end of the page.
std::optional<QList<ResultEntry>> ParseBaidu(const QString& page, const QString& paidMarker) {
    if (page.isEmpty()) return std::nullopt;
    std::optional<QString> region =
        RegionFrom(page, QStringLiteral("</font></a></td></tr></table>"), kBaiduResultsEnd);
    // A blank marker would open a region at the top of any page, a verification page too.
    const QString& marker = paidMarker.trimmed().isEmpty() ? kDefaultPaidListingMarker : paidMarker;
    if (!region || region->isEmpty()) {
        region = RegionFrom(page, marker, kBaiduResultsEnd);
        // A marker that other pages carry too ("<html") opens a region on a verification page:
        // only one that holds a result is the results.
        if (region && !region->contains(kBaiduResultStart)) return std::nullopt;
    }
    if (!region) return std::nullopt;
    const QStringList pieces = Pieces(*region, kBaiduResultStart);
    QList<ResultEntry> results;
    int place = 0;
    for (qsizetype j = 1; j < pieces.size(); ++j) {
        if (IsBaiduPaidListing(pieces[j])) {
            results.append({true, std::nullopt, {}, {}, 0});
            continue;
        }
        const QString link = CutLink(pieces[j], kHrefLink);
        results.append({false, std::nullopt, link, link, ++place});
    }
    return results;
}

std::optional<QList<ResultEntry>> ParseGoogle(const QString& page, const QString&) {
    QStringList pieces = Pieces(page, QStringLiteral("<h3 class=r>"));
    if (pieces.size() == 1) pieces = Pieces(page, QStringLiteral("<h3 class=\"r\">"));
    if (pieces.size() == 1) pieces = Pieces(page, QStringLiteral("<h3 class='r'>"));
    return SiteTestedResults(pieces, kHrefLink, kHrefLink);
}

// Each result ends in its snapshot link, so the text after the last one is no result. The
// title must hold the site; the stored link is the target that the click address carries.
std::optional<QList<ResultEntry>> ParseYahoo(const QString& page, const QString&) {
    const QStringList pieces = Pieces(page, QStringLiteral(">快照</a></em>"));
    if (pieces.size() < 2) return std::nullopt;
    const LinkCut clickLink{QStringLiteral("})\" href=\""), QStringLiteral("\""),
                            LinkSteps::SchemeAndSlash};
    QList<ResultEntry> results;
    for (qsizetype j = 0; j + 1 < pieces.size(); ++j) {
        const QString& piece = pieces[j];
        const QString target =
            QStringLiteral("http://") + GetMemo(piece, QStringLiteral("&u="), QStringLiteral("&w"));
        results.append({false, GetMemo(piece, QStringLiteral("<h3>"), QStringLiteral("</h3>")),
                        CutLink(piece, clickLink), NormaliseLink(target), int(j + 1)});
    }
    return results;
}

std::optional<QList<ResultEntry>> ParseSogou(const QString& page, const QString&) {
    return SiteTestedResults(Pieces(page, QStringLiteral(" class=\"ff\" ")), kHrefLink,
                             kFirstQuotedLink);
}

std::optional<QList<ResultEntry>> ParseSoso(const QString& page, const QString&) {
    return SiteTestedResults(Pieces(page, QStringLiteral("><h3><a")), kHrefLink, kFirstQuotedLink);
}

// The results list's links are cut after their scheme; a list without links holds no result.
std::optional<QList<ResultEntry>> ParseYoudao(const QString& page, const QString&) {
    const QString list =
        GetMemo(page, QStringLiteral("<ul id=\"results\""), QStringLiteral("</ul>"));
    if (list.isEmpty()) return std::nullopt;
    const LinkCut test{QStringLiteral("://"), QStringLiteral("\""), LinkSteps::SlashOnly};
    const LinkCut stored{QStringLiteral("://"), QStringLiteral("\""), LinkSteps::SchemeAndSlash};
    return SiteTestedResults(Pieces(list, QStringLiteral("<a href=\"http")), test, stored)
        .value_or(QList<ResultEntry>());
}

std::optional<QList<ResultEntry>> ParseBing(const QString& page, const QString&) {
    const LinkCut stored{QStringLiteral("<a href=\""), QStringLiteral("\""),
                         LinkSteps::SchemeAndSlash};
    return SiteTestedResults(Pieces(page, QStringLiteral("sb_tlst\"><h3>")), kHrefLink, stored);
}

struct EngineTableRow {
    RankEngineRule rule;
    std::optional<QList<ResultEntry>> (*parse)(const QString& page, const QString& paidMarker);
    // How the engine's page says that the search found nothing.
    QStringList noResults;
};

// Indexed by RankEngine. Built on first use, after the base addresses.
const std::vector<EngineTableRow>& EngineTable() {
    static const std::vector<EngineTableRow> table = {
        {{WebAddress::kBaiduSearch, QStringLiteral("gb2312"), UrlEncodeGbk,
          QStringLiteral("/s?lm=0&ie=gb2312&ct=0&wd=%1&pn=%2"),
          QStringLiteral("/s?lm=0&ie=gb2312&ct=0&wd=%1"), 10, 0, false},
         ParseBaidu,
         {QStringLiteral("抱歉，没有找到")}},
        {{WebAddress::kGoogleHk, QStringLiteral("utf-8"), UrlEncodeUtf8,
          QStringLiteral("/search?q=%1&hl=zh-CN&newwindow=1&start=%2&sa=N"),
          QStringLiteral("/search?q=%1&hl=zh-CN&newwindow=1&sa=N"), 10, 0, false},
         ParseGoogle,
         {QStringLiteral("找不到和您的查询")}},
        {{WebAddress::kYahooChinaSearch, QStringLiteral("utf-8"), UrlEncodeUtf8,
          QStringLiteral("/s?p=%1&v=web&b=%2"), QStringLiteral("/s?p=%1&v=web"), 10, 0, false},
         ParseYahoo,
         {QStringLiteral("对不起，没有找到与")}},
        {{WebAddress::kSogouSearch, QStringLiteral("gb2312"), UrlEncodeGbk,
          QStringLiteral("/web?query=%1&page=%2"), QStringLiteral("/web?query=%1"), 1, 1, false},
         ParseSogou,
         {QStringLiteral("对不起，没有找到"), QStringLiteral("抱歉，没有找到")}},
        {{WebAddress::kSosoSearch, QStringLiteral("gb2312"), UrlEncodeGbk,
          QStringLiteral("/q?w=%1&pg=%2"), QStringLiteral("/q?w=%1"), 1, 1, false},
         ParseSoso,
         {QStringLiteral("抱歉，找不到"), QStringLiteral("抱歉，没有找到")}},
        {{WebAddress::kYoudaoSearch, QStringLiteral("utf-8"), UrlEncodeUtf8,
          QStringLiteral("/search?q=%1&start=%2"), QStringLiteral("/search?q=%1"), 10, 0, false},
         ParseYoudao,
         {QStringLiteral("抱歉，没有找到")}},
        {{WebAddress::kBingChinaSearch, QStringLiteral("utf-8"), UrlEncodeUtf8,
          QStringLiteral("/search?q=%1&first=%2"), QStringLiteral("/search?q=%1"), 10, 1, true},
         ParseBing,
         {QStringLiteral("<h1>找不到包含")}},
    };
    return table;
}

const EngineTableRow& RowOf(RankEngine engine) {
    return EngineTable()[static_cast<size_t>(engine)];
}

}  // namespace

const RankEngineRule& RuleOf(RankEngine engine) {
    return RowOf(engine).rule;
}

QString PageAddress(const RankEngineRule& rule, const QString& encodedKeyword, int page) {
    const int pageKey = rule.pageKeyStep * page + rule.pageKeyFirst;
    return rule.base + rule.pagePath.arg(encodedKeyword, QString::number(pageKey));
}

QString QueryAddress(const RankEngineRule& rule, const QString& encodedKeyword) {
    return rule.base + rule.queryPath.arg(encodedKeyword);
}

ResultPage ParseResultPage(RankEngine engine, const QString& page, const QString& paidMarker) {
    const EngineTableRow& row = RowOf(engine);
    if (std::optional<QList<ResultEntry>> results = row.parse(page, paidMarker))
        return {ResultPage::Kind::Results, std::move(*results)};
    for (const QString& wording : row.noResults)
        if (page.contains(wording)) return {ResultPage::Kind::NothingFound, {}};
    return {};
}

bool ShowsNextPage(const QString& page) {
    return page.contains(QStringLiteral("下一页"));
}

}  // namespace lookups
