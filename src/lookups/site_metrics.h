#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <array>
#include <map>
#include <optional>

#include "lookups/site_sources.h"

namespace platform {
class BrowserControl;
}

namespace lookups {

// The site-metrics object: each lookup takes a site as the user typed it, asks the metric's
// sources in turn until one gives a usable value, and keeps the value in the metric's slot for
// the caller to read back. A slot holds a count or a rank as text, a date, "X" when nothing was
// found, or in a few lookups the number 0; it is empty until a lookup or the caller writes it.
class CSeo {
  public:
    // The metric slots, in their order.
    enum class Slot {
        pr,
        alexa,
        sogourank,
        cnrank,
        baidudates,
        baidu1,
        baidu2,
        google1,
        google2,
        yahoodates,
        yahoo1,
        yahoo2,
        sogoudates,
        sogou1,
        sogou2,
        soso1,
        soso2,
        livedates,
        live1,
        live2,
        youdaodates,
        youdao1,
        youdao2,
        googlecom1,
        googlecom2,
    };
    static constexpr int kSlotCount = int(Slot::googlecom2) + 1;

    // Kept for callers; no lookup reads or writes it.
    qint16 baiduindexnum = 0;

    // The slot's value; an empty value when nothing was stored. The snapshot date of Youdao
    // and its backlink count are kept as text, whatever is stored.
    QVariant Read(Slot slot) const { return slots_[size_t(slot)]; }
    void Write(Slot slot, const QVariant& str);

#define TARNWICK_CSEO_SLOT(name)         \
    void v_##name(const QVariant& str) { \
        Write(Slot::name, str);          \
    }                                    \
    QVariant name() const {              \
        return Read(Slot::name);         \
    }
    TARNWICK_CSEO_SLOT(pr)
    TARNWICK_CSEO_SLOT(alexa)
    TARNWICK_CSEO_SLOT(sogourank)
    TARNWICK_CSEO_SLOT(cnrank)
    TARNWICK_CSEO_SLOT(baidudates)
    TARNWICK_CSEO_SLOT(baidu1)
    TARNWICK_CSEO_SLOT(baidu2)
    TARNWICK_CSEO_SLOT(google1)
    TARNWICK_CSEO_SLOT(google2)
    TARNWICK_CSEO_SLOT(yahoodates)
    TARNWICK_CSEO_SLOT(yahoo1)
    TARNWICK_CSEO_SLOT(yahoo2)
    TARNWICK_CSEO_SLOT(sogoudates)
    TARNWICK_CSEO_SLOT(sogou1)
    TARNWICK_CSEO_SLOT(sogou2)
    TARNWICK_CSEO_SLOT(soso1)
    TARNWICK_CSEO_SLOT(soso2)
    TARNWICK_CSEO_SLOT(livedates)
    TARNWICK_CSEO_SLOT(live1)
    TARNWICK_CSEO_SLOT(live2)
    TARNWICK_CSEO_SLOT(youdaodates)
    TARNWICK_CSEO_SLOT(youdao1)
    TARNWICK_CSEO_SLOT(youdao2)
    TARNWICK_CSEO_SLOT(googlecom1)
    TARNWICK_CSEO_SLOT(googlecom2)
#undef TARNWICK_CSEO_SLOT

    QString TrimUrl(const QString& u) const {
        return lookups::TrimUrl(u);
    }

    // The browser control through which GetPR1 follows PageRank service B's redirect; without
    // one GetPR1 finds nothing.
    void SetBrowser(platform::BrowserControl* browser) {
        browser_ = browser;
    }

    // PageRank, Alexa rank, Sogou rating and China rank. GetPR1 returns an empty value.
    void GetPR(const QString& url);
    QVariant GetPR1(const QString& url);
    void GetPR2(const QString& url);
    void GetAlexa(const QString& url);
    void GetAlexa1(const QString& url);
    void GetAlexa2(const QString& url);
    void GetSogouRank(const QString& url);
    void GetSogouRank1(const QString& url);
    void GetSogouRank3(const QString& url);
    void GetCnRank(const QString& url);
    void GetCnRank1(const QString& url);

    // Baidu and Google (Chinese): snapshot date, indexed pages (S) and backlinks (D).
    void GetBaiduDates(const QString& url);
    void GetBaiduS(const QString& url);
    void GetbaiduS1(const QString& url);
    void GetbaiduS2(const QString& url);
    void GetbaiduD(const QString& url);
    void GetbaiduD1(const QString& url);
    void GetbaiduD2(const QString& url);
    void GetGoogleS(const QString& url);
    void GetGoogleS1(const QString& url);
    void GetGoogleS2(const QString& url);
    void GetGoogleD(const QString& url);
    void GetGoogleD1(const QString& url);
    void GetGoogleD2(const QString& url);

    // Yahoo China, Sogou, Soso, Youdao, Bing and English Google.
    void GetYahooDates(const QString& url);
    void GetYahooS(const QString& url);
    void GetYahooS1(const QString& url);
    void GetYahooD(const QString& url);
    void GetYahooD1(const QString& url);
    void GetSogouDates(const QString& url);
    void GetSogouS(const QString& url);
    void GetSogouS1(const QString& url);
    void GetSogouD(const QString& url);
    void GetSogouD1(const QString& url);
    void GetSosoS(const QString& url);
    void GetSosoS1(const QString& url);
    void GetSosoD(const QString& url);
    void GetSosoD1(const QString& url);
    void GetYoudaoDates(const QString& url);
    void GetYoudaoS(const QString& url);
    void GetYoudaoS1(const QString& url);
    void GetYoudaoD(const QString& url);
    void GetYoudaoD1(const QString& url);
    void GetLiveS(const QString& url);
    void GetLiveS1(const QString& url);
    void GetGooglecomS(const QString& url);
    void GetGooglecomD(const QString& url);

    // The domain's age ("7年3个月", or "X") and its whois record (empty when the domain is not
    // registered or no source answered); GetWhois1 starts at the second source, GetWhois2 at
    // the third.
    QString GetDomainHis(const QString& url);
    QString GetWhois(const QString& url);
    QString GetWhois1(const QString& url);
    QString GetWhois2(const QString& url);

  private:
    // Asks the sources of `chain` from member `first` on; the value that ends the chain, or
    // nothing when its last source handed on without one.
    std::optional<QVariant> Run(SiteChain chain, int first, const QString& url);
    // Runs the chain and keeps what it ends with in `slot`.
    void Fill(Slot slot, SiteChain chain, int first, const QString& url);
    // Waits out the gap of `setting` since this chain's previous request, then notes the time.
    void Throttle(SiteChain chain, const QString& setting);

    std::array<QVariant, kSlotCount> slots_;
    std::map<SiteChain, QDateTime> lastRequest_;
    platform::BrowserControl* browser_ = nullptr;
};

}  // namespace lookups
