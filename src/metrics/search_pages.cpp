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

// A count cut from a page, as written; "0" for a count of nothing however it is written ("00",
// "0,000"); "-" (not obtained) for text that is no count.
QString CountOrNotObtained(const QString& count) {
    if (IsZeroCount(count)) return QStringLiteral("0");
    return IsCountText(count) ? count : kNotObtained;
}

}  // namespace

QString BaiduCount(const QString& page) {
    QString count = GetMemo(page, QStringLiteral("找到相关网页"), QStringLiteral("篇"));
    count.remove(u'约');
    count = count.trimmed();
    if (!count.isEmpty()) return CountOrNotObtained(count).remove(u',');
    return JudgeBaiduPage(page) == BaiduPage::Other ? kNotObtained : QStringLiteral("0");
}

QString GoogleCountAsWritten(const QString& page) {
    const QString count = GetMemo(page, QStringLiteral("约 <b>"), QStringLiteral("</b>")).trimmed();
    if (!count.isEmpty()) return CountOrNotObtained(count);
    return page.contains(QStringLiteral("找不到和您的查询")) ? QStringLiteral("0") : kNotObtained;
}

QString GoogleCount(const QString& page) {
    return GoogleCountAsWritten(page).remove(u',');
}

}  // namespace metrics
