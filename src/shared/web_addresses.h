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
// The related-keyword sources of keyword mining besides Baidu's and Google's results pages;
// Youdao's and Sogou's web searches also serve the rank and site lookups.
inline const QString kBaiduSuggest = QStringLiteral("http://suggestion.baidu.com");
inline const QString kBaiduSuggest2 = QStringLiteral("http://nssug.baidu.com");
inline const QString kYoudaoSearch = QStringLiteral("http://www.youdao.com");
inline const QString kSogouSearch = QStringLiteral("http://www.sogou.com");
inline const QString kAlibabaOfferSearch = QStringLiteral("http://search.china.alibaba.com");
inline const QString kAlibabaSuggest = QStringLiteral("http://suggest.china.alibaba.com");
inline const QString kBaiduIndex = QStringLiteral("http://index.baidu.com");
// Baidu's hot-keyword lists, one page per subcategory.
inline const QString kBaiduHotList = QStringLiteral("http://top.baidu.com");
// Our index history service: daily index figures of a keyword.
inline const QString kIndexHistory = QStringLiteral("http://history.tarnwick.com");
inline const QString kGoogleHk = QStringLiteral("http://www.google.com.hk");

// Site metrics: the engines' own pages, and the lookup sites of other providers that answer
// when an engine gives nothing usable. The providers are reached through names of our own, so
// that one can be exchanged without a new program.
inline const QString kGoogleCom = QStringLiteral("http://www.google.com");
inline const QString kYahooChinaSearch = QStringLiteral("http://www.yahoo.cn");
inline const QString kYahooChinaSiteExplorer = QStringLiteral("http://sitemap.cn.yahoo.com");
inline const QString kSosoSearch = QStringLiteral("http://www.soso.com");
inline const QString kBingChinaSearch = QStringLiteral("http://cn.bing.com");
inline const QString kAlexaSite = QStringLiteral("http://www.alexa.com");
inline const QString kAlexaData = QStringLiteral("http://data.alexa.com");
inline const QString kAlexaLookup = QStringLiteral("http://alexa.seotools.tarnwick.com");
inline const QString kPageRankServiceA = QStringLiteral("http://pr-a.seotools.tarnwick.com");
inline const QString kPageRankServiceB = QStringLiteral("http://pr-b.seotools.tarnwick.com");
inline const QString kPageRankServiceC = QStringLiteral("http://pr-c.seotools.tarnwick.com");
inline const QString kSeoToolSiteA = QStringLiteral("http://seo-a.seotools.tarnwick.com");
inline const QString kSeoToolSiteAWhois =
    QStringLiteral("http://whois.seo-a.seotools.tarnwick.com");
inline const QString kSeoToolSiteB = QStringLiteral("http://seo-b.seotools.tarnwick.com");
inline const QString kCounterServiceC = QStringLiteral("http://count-c.seotools.tarnwick.com");
inline const QString kCounterServiceD = QStringLiteral("http://count-d.seotools.tarnwick.com");
inline const QString kCounterServiceE = QStringLiteral("http://count-e.seotools.tarnwick.com");
inline const QString kCounterServiceF = QStringLiteral("http://count-f.seotools.tarnwick.com");
inline const QString kChinaRankSite = QStringLiteral("http://cnrank.seotools.tarnwick.com");
inline const QString kWhoisServiceA = QStringLiteral("http://whois-a.seotools.tarnwick.com");
inline const QString kWhoisServiceC = QStringLiteral("http://whois-c.seotools.tarnwick.com");

}  // namespace WebAddress
