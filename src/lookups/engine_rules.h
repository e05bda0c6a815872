#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace lookups {

// The seven search engines of the rank lookups, how each is asked for a results page and how a
// page it answers is cut into results.

enum class RankEngine { Baidu, Google, Yahoo, Sogou, Soso, Youdao, Bing };

// One result of a results page, as the lookups judge it.
struct ResultEntry {
    // A Baidu paid listing: counted into positions on request, never matched.
    bool paid = false;
    // Text that must hold the site before the link is looked at; none for engines without
    // such a test.
    std::optional<QString> siteText;
    // The link compared with the site, and the link reported for a match, both tidied.
    QString testLink;
    QString storedLink;
    // Position on its page, 1 for the first result; paid listings are not counted.
    int placeOnPage = 0;
};

struct RankEngineRule {
    QString base;     // scheme and host of the engine's web search
    QString charset;  // of its pages
    QString (*encode)(const QString& keyword);
    QString pagePath;   // path and query of one page: %1 the encoded keyword, %2 the page key
    QString queryPath;  // the same without the page key
    int pageKeyStep;    // the page key of the page with 0-based index p is step × p + first
    int pageKeyFirst;
    // Whether the page of a result that holds the site is noted at once, before its link is
    // compared; otherwise only a matching link notes it.
    bool notesPageOnSiteText;
};

const RankEngineRule& RuleOf(RankEngine engine);

// The address of results page `page` (0-based) for the encoded keyword, and the address of the
// results without a page key.
QString PageAddress(const RankEngineRule& rule, const QString& encodedKeyword, int page);
QString QueryAddress(const RankEngineRule& rule, const QString& encodedKeyword);

// The text that opens Baidu's paid-listing area when no other is kept, or a blank one.
inline const QString kDefaultPaidListingMarker = QStringLiteral(">来百度推广");

// What one page that `engine` answered holds.
struct ResultPage {
    enum class Kind {
        Results,       // a results page, its results in page order (it may hold none)
        NothingFound,  // the engine's own word that the search found nothing: no page follows
        Unreadable,    // neither (a verification or blocking page, or no page at all): it says
                       // nothing about where a site stands
    };
    Kind kind = Kind::Unreadable;
    QList<ResultEntry> results;
};

// Reads one page of `engine`. `paidMarker` opens Baidu's paid-listing area and serves Baidu
// only; a blank one is no marker, and the default holds.
ResultPage ParseResultPage(RankEngine engine, const QString& page, const QString& paidMarker = {});

// Whether a results page shows any sign of a next page of results: "下一页" in any form, as a
// link's text with or without arrows after it, or as its title. The last page shows none.
bool ShowsNextPage(const QString& page);

}  // namespace lookups
