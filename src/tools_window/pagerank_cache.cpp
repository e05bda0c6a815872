#include "tools_window/pagerank_cache.h"

#include "lookups/site_metrics.h"
#include "platform/clock.h"
#include "shell/main_browser.h"

namespace {

// The site's PageRank from the site metrics, which fall back on the main window's browser;
// nothing unless it is a whole number 0 to 10.
std::optional<int> FetchPR(const QString& url) {
    lookups::CSeo seo;
    seo.SetBrowser(TheMainBrowser());
    seo.GetPR(url);
    bool ok = false;
    const int pr = seo.pr().toString().trimmed().toInt(&ok);
    return ok && pr >= 0 && pr <= 10 ? std::optional(pr) : std::nullopt;
}

}  // namespace

std::optional<int> GetCachedPR(platform::Connection& db, const QString& url) {
    const QString today = platform::TheClock().Now().date().toString(QStringLiteral("yyyy-MM-dd"));
    const std::optional<platform::Recordset> stored =
        db.Query(QStringLiteral("select pr,addtime from prs where urls = ?"), {url});
    if (!stored) return std::nullopt;
    if (!stored->Eof() && stored->Text(QStringLiteral("addtime")) == today)
        return stored->Field(QStringLiteral("pr")).toInt();
    const std::optional<int> pr = FetchPR(url);
    if (!pr) return std::nullopt;
    // A value the cache could not keep is today's value all the same; the next call asks again.
    if (stored->Eof())
        db.Execute(QStringLiteral("insert into prs (pr,urls,addtime) values (?,?,?)"),
                   {*pr, url, today});
    else
        db.Execute(QStringLiteral("update prs set pr = ?,addtime = ? where urls = ?"),
                   {*pr, today, url});
    return pr;
}
