#include "lookups/site_text.h"

#include "metrics/number_text.h"
#include "shared/text_helpers.h"
#include "shared/url_encoding.h"

namespace lookups {
namespace {

const QString kHttp = QStringLiteral("http://");

}  // namespace

QString TextAfterFirst(const QString& text, const QString& marker) {
    const qsizetype at = text.indexOf(marker);
    if (at < 0) return text;
    const qsizetype from = at + marker.size();
    const qsizetype next = text.indexOf(marker, from);
    return text.mid(from, next < 0 ? -1 : next - from);
}

QString ShapeSite(const QString& site, SiteForm form) {
    switch (form) {
        case SiteForm::AsPassed:
            return site;
        case SiteForm::Trimmed:
            return TrimBlanks(site);
        case SiteForm::LowerSite:
            return TextAfterFirst(site.toLower(), kHttp);
        case SiteForm::LowerDomain:
            return TextAfterFirst(TextAfterFirst(site.toLower(), kHttp), QStringLiteral("www."));
    }
    return site;
}

QString TrimUrl(const QString& u) {
    const QString trimmed = TrimBlanks(u);
    const QString lower = trimmed.toLower();
    QString result = lower.contains(kHttp) ? TextAfterFirst(lower, kHttp) : trimmed;
    if (result.endsWith(u'/')) result.chop(1);
    return result;
}

bool ReadsAsNumber(const QString& text) {
    // One pass, never looking back: the text may be a hostile page's endless run of digits.
    qsizetype i = 0;
    const qsizetype end = text.size();
    const auto isBlank = [&](qsizetype at) {
        const char16_t c = text[at].unicode();
        return c == u' ' || (c >= u'\t' && c <= u'\r');
    };
    const auto isDigit = [&](qsizetype at) { return text[at] >= u'0' && text[at] <= u'9'; };
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < end && isDigit(i)) ++i;
        return i - from;
    };
    while (i < end && isBlank(i)) ++i;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) ++i;
    const qsizetype leading = digits();
    if (i < end && text[i] == u',') {
        // Thousands separators: one to three digits before the first, three after each.
        if (leading < 1 || leading > 3) return false;
        while (i < end && text[i] == u',') {
            ++i;
            if (digits() != 3) return false;
        }
        if (i < end && text[i] == u'.') {
            ++i;
            digits();
        }
    } else {
        bool point = false;
        if (i < end && text[i] == u'.') {
            point = true;
            ++i;
        }
        const qsizetype fraction = point ? digits() : 0;
        if (leading == 0 && fraction == 0) return false;
    }
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) ++i;
        if (digits() == 0) return false;
    }
    while (i < end && isBlank(i)) ++i;
    return i == end;
}

bool IsCount(const QString& text) {
    return metrics::IsCountText(QStringView(text).trimmed());
}

bool IsValidCount(const QString& text) {
    const QStringView count = QStringView(text).trimmed();
    return metrics::IsCountText(count) && !metrics::IsZeroCount(count);
}

QString EncodeForCharset(const QString& value, const QString& charset) {
    return charset.compare(u"gb2312", Qt::CaseInsensitive) == 0 ? UrlEncodeGbk(value)
                                                                : UrlEncodeUtf8(value);
}

}  // namespace lookups
