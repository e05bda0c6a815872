#pragma once

#include <QString>

namespace lookups {

// How the rank lookups tidy result links and the site they look for, and compare the two.

// Which tidying a result link gets: both steps, or the trailing-"/" step alone (for a link cut
// out after its scheme).
enum class LinkSteps { SchemeAndSlash, SlashOnly };

// `link` with every "http://" removed (in lower case, when it holds one) and then one trailing
// "/" removed (in lower case, when it ends in one). A link that needs neither keeps its case.
QString NormaliseLink(const QString& link, LinkSteps steps = LinkSteps::SchemeAndSlash);

// The site as the lookups compare it: in lower case, without any "http://" and without one
// trailing "/", so that "HTTP://WWW.Example.com/" and "www.example.com" are the same site.
QString NormaliseSite(const QString& site);

// Whether `text` holds the normalised `site`, in any letter case.
bool HoldsSite(const QString& text, const QString& site);

// Whether the tidied `link` is the normalised `site` (`exact`) or holds it, in any letter case.
bool LinkMatchesSite(const QString& link, const QString& site, bool exact);

}  // namespace lookups
