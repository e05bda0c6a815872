#include "lookups/backlink_checker.h"

#include <QStringList>
#include <limits>

#include "lookups/site_text.h"
#include "platform/clock.h"
#include "platform/http_request.h"
#include "platform/wait.h"

namespace lookups {
namespace {

const QString kHttp = QStringLiteral("http://");

// The anchor text between the link's first ">" and the next ">" (or the end), cleaned of
// mark-up; a tag cut short there is closed again.
QString AnchorText(const QString& href) {
    const qsizetype open = href.indexOf(u'>');
    if (open < 0) return {};
    const qsizetype close = href.indexOf(u'>', open + 1);
    QString text = href.mid(open + 1, close < 0 ? -1 : close - open - 1);
    ClearHtml(text);
    if (text.contains(u'<')) text += u'>';
    return text;
}

}  // namespace

QString PartnerHostPart(const QString& checkUrl) {
    const QString www = QStringLiteral("www.");
    if (checkUrl.contains(www)) return TextAfterFirst(checkUrl, www);
    return TextAfterFirst(checkUrl, kHttp);
}

AnchorScan ScanAnchors(const QString& page, const QString& partnerHost, const QString& ownSite) {
    AnchorScan scan;
    const QStringList anchors = page.toLower().split(QStringLiteral("<a"));
    for (qsizetype i = 1; i < anchors.size(); ++i) {
        const QString& anchor = anchors[i];
        const QString href = GetMemo(anchor, QStringLiteral("href="), QStringLiteral("</a>"));
        if (href.isEmpty()) continue;
        QString link = href.section(u'>', 0, 0).section(u' ', 0, 0);
        link.remove(u'\'');
        link.remove(u'"');
        if (!TrimBlanks(link).startsWith(kHttp) || link.contains(partnerHost)) continue;
        ++scan.outbound;
        if (lookups::TrimUrl(link) != ownSite) continue;
        scan.last = OwnLink{link, scan.outbound, AnchorText(href),
                            GetMemo(anchor, QStringLiteral(" "), QStringLiteral(">"))
                                .contains(QStringLiteral("nofollow"))};
        if (!scan.first) scan.first = scan.last;
    }
    return scan;
}

void link::Master_Url(const QString& site) {
    masterUrl_ = lookups::TrimUrl(site.toLower());
}

void link::Check_url(const QString& page) {
    checkUrl_ = page.toLower();
    if (!checkUrl_.contains(kHttp)) checkUrl_.prepend(kHttp);
}

QString link::TrimUrl(const QString& u) const {
    return lookups::TrimUrl(u);
}

bool link::CheckUrl() {
    platform::HttpRequest request;
    request.Open(QStringLiteral("GET"), checkUrl_);
    request.Send();
    platform::DoEvents();
    platform::Clock& clock = platform::TheClock();
    const QDateTime start = clock.Now();
    const bool answered = request.Wait(GiveUpAfter(tryTime_));
    querytimes =
        qint32(std::min<qint64>(start.msecsTo(clock.Now()), std::numeric_limits<qint32>::max()));
    if (!answered) {
        statusText = QStringLiteral("查询超时");
        pageupdates.clear();
        return false;
    }
    statusText = request.StatusText();
    const bool alive = request.Status() >= 200 && request.Status() <= 399;
    pageupdates = alive ? request.ResponseHeader(QStringLiteral("Last-Modified")) : QString();
    return alive;
}

QString link::GetChar() {
    fetcher_.url(checkUrl_);
    fetcher_.TryTime(tryTime_);
    return fetcher_.GetChar();
}

void link::checklinks(qint16 t) {
    ForgetOwnLink();
    websource.clear();
    websource = fetcher_.GetHttpPage(GetChar());
    // An error page is no partner page: it says nothing about the links.
    const int status = fetcher_.Status();
    if (status < 200 || status > 299) websource.clear();
    if (t != 0) return;
    const AnchorScan scan = ScanAnchors(websource, PartnerHostPart(checkUrl_), masterUrl_);
    linknum = scan.outbound;
    if (!scan.last) return;
    linkurl = scan.last->url;
    linkpos = scan.last->position;
    linktxt = scan.last->text;
    linknofollow = scan.last->nofollow;
    Linkstr = QStringLiteral("链接URL:") + scan.first->url + QStringLiteral(";链接文字:") +
              scan.first->text + QStringLiteral(";外链位置:") +
              QString::number(scan.first->position) + u'/' + QString::number(linknum);
}

void link::ForgetOwnLink() {
    Linkstr.clear();
    linkurl.clear();
    linkpos = 0;
    linktxt.clear();
    linknofollow = false;
}

}  // namespace lookups
