#include "metrics/search_pages.h"

#include "metrics/index_pair.h"
#include "metrics/number_text.h"
#include "shared/text_helpers.h"

namespace metrics {

BaiduPage JudgeBaiduPage(const QString& page) {
    if (page.contains(QStringLiteral("百度一下，找到相关网页"))) return BaiduPage::Result;
    if (page.contains(QStringLiteral("抱歉，没有找到"))) return BaiduPage::NoResult;
    return BaiduPage::Other;
}

namespace {

// A count cut from a page, without its separators; "-" (not obtained) for text that is no count.
QString CountOrNotObtained(const QString& count) {
    if (!IsCountText(count)) return kNotObtained;
    return QString(count).remove(u',');
}

}  // namespace

QString BaiduCount(const QString& page) {
    QString count = GetMemo(page, QStringLiteral("找到相关网页"), QStringLiteral("篇"));
    count.remove(u'约');
    count = count.trimmed();
    if (!count.isEmpty()) return CountOrNotObtained(count);
    return JudgeBaiduPage(page) == BaiduPage::Other ? kNotObtained : QStringLiteral("0");
}

QString GoogleCount(const QString& page) {
    if (page.isEmpty()) return kNotObtained;
    const QString count = GetMemo(page, QStringLiteral("约 <b>"), QStringLiteral("</b>")).trimmed();
    return count.isEmpty() ? QStringLiteral("0") : CountOrNotObtained(count);
}

}  // namespace metrics
