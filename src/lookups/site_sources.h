#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

#include "lookups/site_pages.h"
#include "lookups/site_text.h"

// Where each site metric is asked for, in the order its sources are tried.
namespace lookups {

enum class SiteChain {
    PageRank,
    PageRankForm,
    Alexa,
    SogouRank,
    SogouRankTool,
    ChinaRank,
    BaiduDates,
    BaiduIndexed,
    BaiduLinks,
    GoogleIndexed,
    GoogleLinks,
    YahooDates,
    YahooIndexed,
    YahooLinks,
    SogouDates,
    SogouIndexed,
    SogouLinks,
    SosoIndexed,
    SosoLinks,
    YoudaoDates,
    YoudaoIndexed,
    YoudaoLinks,
    BingIndexed,
    GoogleComIndexed,
    GoogleComLinks,
    Whois,
};

// One source of a metric: its request, how its page is read, and what ends the chain there.
// Every member has an initializer, so that a source names only the fields it uses.
struct SiteSource {
    QString base{};    // a base address of WebAddress
    QString before{};  // path and query in front of the site
    QString after{};   // query after the site
    SiteForm form = SiteForm::LowerSite;
    QString charset{};
    int tryTime = 10;
    // For a POST: the form fields in front of the site, which then goes into the body alone.
    QString postFields{};
    // The Referer, from the request address and the site as passed; none when it is empty.
    std::function<QString(const QString& address, const QString& site)> referer{};
    std::function<Reading(const QString& page)> read{};
    // The final value for an empty page, and for a page that gives nothing usable; without
    // one the next source is asked.
    std::optional<QVariant> whenEmpty{};
    std::optional<QVariant> whenNothing{};
    // The setting that holds the gap in seconds before this source's requests, if any.
    QString throttle{};
};

// The sources of `chain`, first to last.
const std::vector<SiteSource>& ChainSources(SiteChain chain);

// The address `source` asks for `site` (in the source's form, encoded in its charset).
QString RequestAddress(const SiteSource& source, const QString& site);
// The body of a POST source for `site`; empty for a GET.
QString RequestBody(const SiteSource& source, const QString& site);

}  // namespace lookups
