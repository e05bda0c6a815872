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
    // A page of results without any sign of a next page is likely the last. The pages after it
    // are still asked for, since such a sign may be written in ways not known here, but one
    // that comes back unread is held against the lookup only when results follow it.
    bool pastLastPage = false;
    bool unreadPastLastPage = false;
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
        // No answer, an empty one and an error page alike leave the page unread.
        const QString page = fetcher.GetSrcOnSuccess();
        const ResultPage read = ParseResultPage(engine, page, paidMarker);
        if (read.kind == ResultPage::Kind::NothingFound) break;
        if (read.kind == ResultPage::Kind::Unreadable) {
            (pastLastPage ? unreadPastLastPage : missedPage) = true;
            continue;
        }
        missedPage = missedPage || unreadPastLastPage;
        unreadPastLastPage = false;
        pastLastPage = !ShowsNextPage(page);
        for (const ResultEntry& result : read.results) {
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
    }
    return nothingReported();
}

}  // namespace lookups
