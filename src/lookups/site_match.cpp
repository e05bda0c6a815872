#include "lookups/site_match.h"

namespace lookups {

namespace {

const QString kScheme = QStringLiteral("http://");

// `text` in lower case without its last character when that is a "/".
QString WithoutTrailingSlash(QString text) {
    if (!text.endsWith(u'/')) return text;
    text = text.toLower();
    text.chop(1);
    return text;
}

}  // namespace

QString NormaliseLink(const QString& link, LinkSteps steps) {
    QString tidied = link;
    if (steps == LinkSteps::SchemeAndSlash && tidied.contains(kScheme, Qt::CaseInsensitive))
        tidied = tidied.toLower().remove(kScheme);
    return WithoutTrailingSlash(tidied);
}

QString NormaliseSite(const QString& site) {
    return WithoutTrailingSlash(site.toLower().remove(kScheme));
}

bool HoldsSite(const QString& text, const QString& site) {
    return text.contains(site, Qt::CaseInsensitive);
}

bool LinkMatchesSite(const QString& link, const QString& site, bool exact) {
    if (exact) return link.compare(site, Qt::CaseInsensitive) == 0;
    return HoldsSite(link, site);
}

}  // namespace lookups
