#pragma once

#include <QString>

namespace lookups {

// What the rank lookups take from the rank query's options and from the start-up. The keyword
// tools window supplies it; each value is asked for at the moment a lookup needs it, so a change
// made while a lookup waits for a page counts from the next result on.
class RankLookupOptions {
  public:
    virtual ~RankLookupOptions() = default;

    // "精确匹配网站URL": a result counts only when its link is the site as a whole; otherwise
    // a link that holds the site counts.
    virtual bool ExactSiteMatch() const = 0;
    // "排名中包含推广网站（针对百度）": a Baidu position counts the paid listings above it.
    virtual bool CountPaidListings() const = 0;
    // The text that opens Baidu's paid-listing area on a results page (ReadPaidListingMarker
    // reads the one the start-up keeps); asked at the start of every Baidu lookup.
    virtual QString PaidListingMarker() const = 0;
};

// The paid-listing marker that the start-up keeps in baidutag.txt in the program folder: the
// file's first line without its surrounding blanks; ">来百度推广" when there is no such file, and
// empty when the file holds no line or cannot be read (the lookups then take the default too).
QString ReadPaidListingMarker();

}  // namespace lookups
