#include "metrics/search_pages.h"

#include "metrics/index_pair.h"
#include "shared/text_helpers.h"

namespace metrics {

BaiduPage JudgeBaiduPage(const QString& page) {
    if (page.contains(QStringLiteral("百度一下，找到相关网页"))) return BaiduPage::Result;
    if (page.contains(QStringLiteral("抱歉，没有找到"))) return BaiduPage::NoResult;
    return BaiduPage::Other;
}

QString BaiduCount(const QString& page) {
    QString count = GetMemo(page, QStringLiteral("找到相关网页"), QStringLiteral("篇"));
    count.remove(u'约');
    count.remove(u',');
    if (!count.isEmpty()) return count;
    return JudgeBaiduPage(page) == BaiduPage::Other ? kNotObtained : QStringLiteral("0");
}

QString GoogleCount(const QString& page) {
    if (page.isEmpty()) return kNotObtained;
    QString count = GetMemo(page, QStringLiteral("约 <b>"), QStringLiteral("</b>")).trimmed();
    count.remove(u',');
    return count.isEmpty() ? QStringLiteral("0") : count;
}

}  // namespace metrics
