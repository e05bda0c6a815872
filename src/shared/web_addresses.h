#pragma once

#include <QString>

// Every external address the program asks for is built from these bases, so that the whole
// program can be pointed elsewhere in one place. The maker's site and the data-sharing service
// are ours.
namespace WebAddress {

inline const QString kMakerSite = QStringLiteral("http://www.tarnwick.com");
inline const QString kMakerUpdateSite = QStringLiteral("http://update.tarnwick.com");
inline const QString kIndexShareService = QStringLiteral("http://share.tarnwick.com");
inline const QString kBaiduSearch = QStringLiteral("http://www.baidu.com");
inline const QString kBaiduIndex = QStringLiteral("http://index.baidu.com");
// Our index history service: daily index figures of a keyword.
inline const QString kIndexHistory = QStringLiteral("http://history.tarnwick.com");
inline const QString kGoogleHk = QStringLiteral("http://www.google.com.hk");
// The web searches of the rank lookups besides Baidu's and Google's.
inline const QString kYahooChinaSearch = QStringLiteral("http://www.yahoo.cn");
inline const QString kSogouSearch = QStringLiteral("http://www.sogou.com");
inline const QString kSosoSearch = QStringLiteral("http://www.soso.com");
inline const QString kYoudaoSearch = QStringLiteral("http://www.youdao.com");
inline const QString kBingChinaSearch = QStringLiteral("http://cn.bing.com");

}  // namespace WebAddress
