#pragma once

#include <QString>
#include <QStringList>

#include "fakeweb/fake_web.h"
#include "shared/url_encoding.h"
#include "support/page_files.h"

// The pages of the services the metric routines read, files under pages/ stored as the bytes
// each server sends, and the addresses the routines ask for.
namespace metrics_testing {

inline const testing_support::PageFiles kPages{__FILE__};

inline const QString kShareHost = QStringLiteral("share.tarnwick.com");
inline const QString kIndexHost = QStringLiteral("index.baidu.com");
inline const QString kHistoryHost = QStringLiteral("history.tarnwick.com");
inline const QString kBaiduHost = QStringLiteral("www.baidu.com");

// The page decoded as the routines fetch it: in GBK ("gb2312") unless told otherwise.
inline QString PageText(const QString& name, const QString& charset = QStringLiteral("gb2312")) {
    return kPages.Text(name, charset);
}
// The page as the loopback web serves it, byte for byte.
inline fakeweb::Page Fixture(const QString& name) {
    return kPages.Served(name);
}

// Baidu's results page with its count ("约1,230") given as `count`, such as "约9" or "400".
inline QString ResultsPage(const QString& count) {
    return PageText(QStringLiteral("baidu_results.htm")).replace(QStringLiteral("约1,230"), count);
}
inline const QString kNoResultsPage = PageText(QStringLiteral("baidu_no_results.htm"));
inline const QString kBlockingPage = PageText(QStringLiteral("baidu_blocked.htm"));

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
    return web.RequestedUrls();
}

}  // namespace metrics_testing
