#include "lookups/site_text.h"

#include <QRegularExpression>

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
    static const QRegularExpression number(QStringLiteral(
        R"(^\s*[+-]?(\d{1,3}(,\d{3})+(\.\d*)?|\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return number.match(text).hasMatch();
}

bool IsValidCount(const QString& text) {
    const QString trimmed = TrimBlanks(text);
    return !trimmed.isEmpty() && trimmed != u"0" && ReadsAsNumber(text);
}

QString EncodeForCharset(const QString& value, const QString& charset) {
    return charset.compare(u"gb2312", Qt::CaseInsensitive) == 0 ? UrlEncodeGbk(value)
                                                                : UrlEncodeUtf8(value);
}

}  // namespace lookups
