#include "lookups/site_pages.h"

#include "lookups/site_text.h"
#include "shared/text_helpers.h"

namespace lookups {

Reading ReadCount(const QString& page, const CountRule& rule) {
    if (!rule.failure.isEmpty() && page.contains(rule.failure)) return Reading::None();
    if (!rule.found.isEmpty() && !page.contains(rule.found)) {
        if (!rule.noResult.isEmpty() && page.contains(rule.noResult))
            return Reading::EndWith(rule.noResultValue);
        return Reading::None();
    }
    QString where = page;
    if (!rule.split.isEmpty()) {
        const QStringList pieces = page.split(rule.split);
        if (pieces.size() <= rule.piece) return Reading::None();
        where = pieces[rule.piece];
    }
    QString count = GetMemo(where, rule.start, rule.end);
    if (rule.trim) count = TrimBlanks(count);
    if (rule.removeAbout) count.remove(u'约');
    if (rule.removeCommas) count.remove(u',');
    const bool usable = rule.anyNumber ? IsCount(count) : IsValidCount(count);
    return usable ? Reading::Of(count) : Reading::None();
}

Reading ReadEnglishGoogleCount(const QString& page) {
    const Reading nothing = Reading::EndWith(QStringLiteral("X"));
    if (!page.contains(QStringLiteral("</b> of"))) return nothing;
    QString count = TrimBlanks(GetMemo(page, QStringLiteral("of about <b>"), QStringLiteral("<")));
    if (count.isEmpty())
        count = TrimBlanks(GetMemo(page, QStringLiteral("of <b>"), QStringLiteral("<")));
    count.remove(u',');
    return IsValidCount(count) ? Reading::Of(count) : nothing;
}

QString PageRankFromAddress(const QString& address) {
    QString rank = address.right(6);
    rank.remove(QStringLiteral(".gif"));
    rank.remove(u'/');
    return rank;
}

}  // namespace lookups
