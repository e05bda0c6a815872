#pragma once

#include <QString>
#include <QStringList>

#include "fakeweb/fake_web.h"
#include "shared/url_encoding.h"

// Pages of the services the metric routines read, carrying the markers the values are cut
// from, and the addresses the routines ask for.
namespace metrics_testing {

inline const QString kShareHost = QStringLiteral("share.tarnwick.com");
inline const QString kIndexHost = QStringLiteral("index.baidu.com");
inline const QString kHistoryHost = QStringLiteral("history.tarnwick.com");
inline const QString kBaiduHost = QStringLiteral("www.baidu.com");

// The 30-day data page with one point per value.
inline QString ThirtyDayPage(const QList<int>& values) {
    QString page = QStringLiteral("<xml>");
    for (int i = 0; i < values.size(); ++i)
        page +=
            QStringLiteral("<p d=\"2026-11-%1\" p1=\"%2\" p2=\"0\"/>").arg(i + 1).arg(values[i]);
    return page + QStringLiteral("</xml>");
}

// The index history page: every daily value, oldest first, and the latest one.
inline QString HistoryPage(const QString& latest, const QStringList& values) {
    return QStringLiteral("<div>所有数据：") + values.join(u',') +
           QStringLiteral("<br>最新数据：[2026-12-09]") + latest + QStringLiteral("]</div>");
}

inline QString ResultsPage(const QString& count) {
    return QStringLiteral("<title>百度搜索</title>百度一下，找到相关网页") + count +
           QStringLiteral("篇<div>...</div>");
}
inline const QString kNoResultsPage = QStringLiteral("<p>抱歉，没有找到与“词”相关的网页。</p>");
inline const QString kBlockingPage = QStringLiteral("<p>请输入验证码</p>");
inline const QString kUnknownWordPage = QStringLiteral("<p>没有找到与您输入的词相关的指数</p>");

inline QString LookupUrl(const QString& keyword) {
    return QStringLiteral("http://share.tarnwick.com/index/lookup?kw=") + UrlEncodeUtf8(keyword);
}
inline QString ReportUrl(const QString& value, const QString& keyword, const QString& parent) {
    return QStringLiteral("http://share.tarnwick.com/index/report?nums=") + UrlEncodeUtf8(value) +
           QStringLiteral("&kw=") + UrlEncodeUtf8(keyword) + QStringLiteral("&parents=") +
           UrlEncodeUtf8(parent);
}
inline QString ThirtyDayUrl(const QString& keyword) {
    return QStringLiteral("http://index.baidu.com/tools/get_data.php?q=") + UrlEncodeGbk(keyword);
}
inline QString WordUrl(const QString& keyword) {
    return QStringLiteral("http://index.baidu.com/main/word.php?word=") + UrlEncodeGbk(keyword);
}
inline QString HistoryUrl(const QString& keyword) {
    return QStringLiteral("http://history.tarnwick.com/history?word=") + UrlEncodeUtf8(keyword);
}
inline QString SearchUrl(const QString& keyword) {
    return QStringLiteral("http://www.baidu.com/s?wd=") + UrlEncodeGbk(keyword);
}

// The addresses requested so far, in order.
inline QStringList RequestedUrls(const fakeweb::FakeWeb& web) {
    QStringList urls;
    for (const fakeweb::Request& request : web.Requests()) urls << request.Url();
    return urls;
}

}  // namespace metrics_testing
