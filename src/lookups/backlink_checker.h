#pragma once

#include <QString>
#include <optional>

#include "shared/cxhtml.h"

namespace lookups {

// A link to the own site on a partner page.
struct OwnLink {
    QString url;          // as written in the page, lower-cased, quotes removed
    qint32 position = 0;  // 1-based among the outbound links
    QString text;
    bool nofollow = false;
};

// The first and the last link to the own site among a partner page's outbound links, and
// their number.
struct AnchorScan {
    qint32 outbound = 0;
    std::optional<OwnLink> first;
    std::optional<OwnLink> last;
};

// The part of a partner address that marks its own links: the text after its first "www."
// (up to a second one), else after its first "http://" (likewise), else all of it.
QString PartnerHostPart(const QString& checkUrl);

// Scans the anchors of `page`: a link is outbound when it begins with "http://" and does not
// contain `partnerHost`; it is the own site's when its TrimUrl equals `ownSite`.
AnchorScan ScanAnchors(const QString& page, const QString& partnerHost, const QString& ownSite);

// The back-link checker: does a partner page answer, and does it link to the own site.
class link {
  public:
    // The partner page's text from the last checklinks.
    QString websource;
    // The status text of the last alive test, or "查询超时" after a time-out.
    QString statusText;
    // How long the last alive test took, in milliseconds.
    qint32 querytimes = 0;
    // The last link to the own site found by the last checklinks: its anchor text, its
    // position among the outbound links, its address, and whether it is marked nofollow.
    QString linktxt;
    qint32 linkpos = 0;
    QString linkurl;
    bool linknofollow = false;
    // The number of outbound links of the page.
    qint32 linknum = 0;
    // "链接URL:…;链接文字:…;外链位置:N/M" for the first link to the own site; empty without one.
    QString Linkstr;
    // The "Last-Modified" header of the last alive test that succeeded.
    QString pageupdates;

    // Time-out in seconds of the alive test and the page fetches; 20 unless set.
    void TryTime(int seconds) { tryTime_ = seconds; }
    // Kept for callers; the checks do not depend on it.
    void CheckType(qint16 type) { checkType_ = type; }
    // The own site, kept as TrimUrl of its lower-cased text.
    void Master_Url(const QString& site);
    // The partner page, kept lower-cased with "http://" in front when it has none.
    void Check_url(const QString& page);

    QString TrimUrl(const QString& u) const;

    // Whether the partner page answers with a status from 200 to 399.
    bool CheckUrl();
    // The charset the partner page declares; "gb2312" when it declares none.
    QString GetChar();
    // Fetches the partner page into websource; with `t` 0 also scans it for the own link.
    void checklinks(qint16 t);

  private:
    void ForgetOwnLink();

    QString masterUrl_;
    QString checkUrl_;
    int tryTime_ = 20;
    qint16 checkType_ = 0;
    CXHtml fetcher_;
};

}  // namespace lookups
