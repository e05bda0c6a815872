#include "lookups/rank_lookup.h"

#include "lookups/site_match.h"
#include "shared/cxhtml.h"

namespace lookups {

namespace {

// Seconds a results page may take.
constexpr int kPageTimeOut = 15;
constexpr int kResultsPerPage = 10;

}  // namespace

const cKeyrank::EngineFields& cKeyrank::FieldsOf(RankEngine engine) {
    static const EngineFields fields[] = {
        {&cKeyrank::Baidustr, &cKeyrank::BaiduUrlStr, &cKeyrank::BaiduUrlPage},
        {&cKeyrank::Googlestr, &cKeyrank::GoogleUrlStr, &cKeyrank::GoogleUrlPage},
        {&cKeyrank::Yahoostr, &cKeyrank::YahooUrlStr, &cKeyrank::YahooUrlPage},
        {&cKeyrank::Sogoustr, &cKeyrank::SogouUrlStr, &cKeyrank::SogouUrlPage},
        {&cKeyrank::SoSostr, &cKeyrank::SoSoUrlStr, &cKeyrank::SoSoUrlPage},
        {&cKeyrank::Youdaostr, &cKeyrank::YoudaoUrlStr, &cKeyrank::YoudaoUrlPage},
        {&cKeyrank::Bingstr, &cKeyrank::BingUrlStr, &cKeyrank::BingUrlPage},
    };
    return fields[static_cast<int>(engine)];
}

int cKeyrank::GetRank(RankEngine engine, int s, int rank) {
    const RankEngineRule& rule = RuleOf(engine);
    QString& pageField = this->*FieldsOf(engine).page;
    QString& linkField = this->*FieldsOf(engine).link;
    QString& pageIndexField = this->*FieldsOf(engine).pageIndex;
    linkField.clear();
    pageField.clear();
    lastLookupFailed_ = false;
    const QString paidMarker =
        engine == RankEngine::Baidu ? options_.PaidListingMarker() : QString();
    const QString keyword = rule.encode(keyword_);
    // An empty site would be held by every link: no page is asked for it.
    const QString site = NormaliseSite(url_);
    const int pagesEnd = site.isEmpty() ? s : maxnum_;

    CXHtml fetcher;
    fetcher.Char(rule.charset);
    fetcher.TryTime(kPageTimeOut);
    int paidListings = 0;  // over every page scanned so far
    bool missedPage = false;
    // Nothing reported: a failure when a page was missed, since it might have held the site.
    const auto nothingReported = [&] {
        pageIndexField = QString::number(maxnum_);
        if (pageField.isEmpty()) pageField = QueryAddress(rule, keyword);
        lastLookupFailed_ = missedPage;
        return 0;
    };
    for (int p = s; p < pagesEnd; ++p) {
        const QString address = PageAddress(rule, keyword, p);
        fetcher.url(address);
        // No answer, an empty one, an error page and one that is neither a results page nor
        // the engine's word that it found nothing (a verification or blocking page) alike
        // leave the page unread.
        const QString page = fetcher.GetSrcOnSuccess();
        const std::optional<QList<ResultEntry>> results = ParseResultPage(engine, page, paidMarker);
        if (!results) {
            missedPage = true;
            continue;
        }
        for (const ResultEntry& result : *results) {
            if (result.paid) {
                ++paidListings;
                continue;
            }
            if (result.siteText && !HoldsSite(*result.siteText, site)) continue;
            if (rule.notesPageOnSiteText) pageField = address;
            if (!LinkMatchesSite(result.testLink, site, options_.ExactSiteMatch())) continue;
            pageField = address;
            int position = result.placeOnPage + kResultsPerPage * p;
            if (position <= rank) continue;
            // A page missed before this one may have held a better place.
            if (missedPage) return nothingReported();
            // Only Baidu's pages carry paid listings.
            if (paidListings > 0 && options_.CountPaidListings()) position += paidListings;
            linkField = result.storedLink;
            pageIndexField = QString::number(p);
            return position;
        }
        // The pages after the last page of results hold none: they are not asked for.
        if (!LinksToNextPage(page)) break;
    }
    return nothingReported();
}

}  // namespace lookups
