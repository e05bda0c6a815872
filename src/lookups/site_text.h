#pragma once

#include <QString>

// How the site metrics turn a site as the user typed it into the text they ask for, and how
// they judge the numbers they cut out of pages.
namespace lookups {

// The forms a site takes in a request.
enum class SiteForm {
    AsPassed,     // unchanged
    Trimmed,      // blanks removed at both ends, case kept
    LowerSite,    // lower-cased; cut to the text after a first "http://" (up to a second one)
    LowerDomain,  // the lower-case site, then cut the same way after a first "www."
};

QString ShapeSite(const QString& site, SiteForm form);

// The text after the first `marker` up to a second one; all of `text` when it has none.
QString TextAfterFirst(const QString& text, const QString& marker);

// The cleaned address: blanks trimmed; when it holds "http://" (any case), the lower-cased text
// after the first one up to a second one; one trailing "/" dropped.
QString TrimUrl(const QString& u);

// Whether `text` reads as a number: an optional sign, digits (in groups of three between
// commas, or without commas) with an optional decimal point and an optional exponent, blanks
// around it. For settings; a value cut from a page is a count (IsCount).
bool ReadsAsNumber(const QString& text);

// Whether `text`, blanks around it aside, is a count as pages write one (metrics::IsCountText):
// no sign, point or exponent, and never longer than any figure.
bool IsCount(const QString& text);

// Whether `text` is a count worth keeping: a count (IsCount, blanks of any kind around it
// aside) of more than nothing; "0", "00" and "0,000" are counts of nothing. Nothing is removed
// from the text before the test.
bool IsValidCount(const QString& text);

// `value` percent-encoded for a query in the request's charset: GBK for "gb2312" pages, UTF-8
// for every other.
QString EncodeForCharset(const QString& value, const QString& charset);

}  // namespace lookups
