#pragma once

#include <QString>

#include "lookups/engine_rules.h"
#include "lookups/rank_options.h"

namespace lookups {

// Finds the position of a site among one search engine's results for a keyword. Set the site,
// the keyword and the number of result pages, call one engine's lookup, then read that engine's
// three fields. One object serves any number of lookups in turn; a lookup writes only its own
// engine's fields.
class cKeyrank {
  public:
    explicit cKeyrank(const RankLookupOptions& options) : options_(options) {}

    // Per engine: the page field, the address of the results page the reported result stands on
    // (after a lookup that found nothing, the page where the engine last noted a candidate, or
    // else the results address without a page key); the link field, the reported result's tidied
    // link (empty when nothing was reported); and the page-index field, the reported result's
    // 0-based page (the maxnum set, when nothing was reported).
    QString Baidustr, BaiduUrlStr, BaiduUrlPage;
    QString Googlestr, GoogleUrlStr, GoogleUrlPage;
    QString Yahoostr, YahooUrlStr, YahooUrlPage;
    QString Sogoustr, SogouUrlStr, SogouUrlPage;
    QString SoSostr, SoSoUrlStr, SoSoUrlPage;
    QString Youdaostr, YoudaoUrlStr, YoudaoUrlPage;
    QString Bingstr, BingUrlStr, BingUrlPage;

    // The page and link fields of `engine`, as the named fields above hold them.
    const QString& PageField(RankEngine engine) const { return this->*FieldsOf(engine).page; }
    const QString& LinkField(RankEngine engine) const { return this->*FieldsOf(engine).link; }

    // The site to look for, in any letter case, with or without "http://" and a trailing "/".
    void url(const QString& site) { url_ = site; }
    void Keyword(const QString& keyword) { keyword_ = keyword; }
    // How many result pages of ten a lookup scans.
    void maxnum(int pages) { maxnum_ = pages; }

    // The 1-based position of the first result linking to the site whose position is beyond
    // `rank` (0: any), scanning from results page `s` (0-based); 0 when the scanned pages hold
    // none, or when the site is empty.
    int GetRank(RankEngine engine, int s, int rank);
    int GetBaiduRank(int s, int rank) { return GetRank(RankEngine::Baidu, s, rank); }
    int GetGoogleRank(int s, int rank) { return GetRank(RankEngine::Google, s, rank); }
    int GetYahooRank(int s, int rank) { return GetRank(RankEngine::Yahoo, s, rank); }
    int GetSogouRank(int s, int rank) { return GetRank(RankEngine::Sogou, s, rank); }
    int GetSoSoRank(int s, int rank) { return GetRank(RankEngine::Soso, s, rank); }
    int GetYoudaoRank(int s, int rank) { return GetRank(RankEngine::Youdao, s, rank); }
    int GetBingRank(int s, int rank) { return GetRank(RankEngine::Bing, s, rank); }

    // Whether the last lookup missed a results page it asked for (no answer in time, an empty
    // answer, an error status, or a page that is neither a results page nor the engine's word
    // that it found nothing) and found the site on no page read before it: its 0 then says
    // nothing about the site. A page unread after a page of results that showed no next page
    // is past the last page, and not missed, unless a later page holds results; after the
    // engine's word that it found nothing no page is asked for.
    bool LastLookupFailed() const { return lastLookupFailed_; }

  private:
    struct EngineFields {
        QString cKeyrank::*page;
        QString cKeyrank::*link;
        QString cKeyrank::*pageIndex;
    };
    static const EngineFields& FieldsOf(RankEngine engine);

    const RankLookupOptions& options_;
    QString url_;
    QString keyword_;
    int maxnum_ = 0;
    bool lastLookupFailed_ = false;
};

}  // namespace lookups
