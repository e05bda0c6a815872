#include "lookups/site_metrics.h"

#include <chrono>

#include "lookups/site_throttle.h"
#include "lookups/whois.h"
#include "platform/browser_control.h"
#include "platform/clock.h"
#include "platform/wait.h"
#include "shared/cxhtml.h"
#include "shared/registry_store.h"
#include "shared/text_helpers.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace lookups {
namespace {

using namespace std::chrono_literals;

QString FetchPage(const SiteSource& source, const QString& url) {
    CXHtml fetcher;
    const QString address = RequestAddress(source, url);
    fetcher.url(address);
    fetcher.Char(source.charset);
    fetcher.TryTime(source.tryTime);
    if (source.referer) fetcher.refer(source.referer(address, url));
    if (source.postFields.isEmpty()) return fetcher.GetSrcOnSuccess();
    return fetcher.PostSrc(RequestBody(source, url));
}

bool IsTextSlot(CSeo::Slot slot) {
    return slot == CSeo::Slot::youdaodates || slot == CSeo::Slot::youdao2;
}

}  // namespace

void CSeo::Write(Slot slot, const QVariant& str) {
    slots_[size_t(slot)] = IsTextSlot(slot) ? QVariant(str.toString()) : str;
}

std::optional<QVariant> CSeo::Run(SiteChain chain, int first, const QString& url) {
    const std::vector<SiteSource>& sources = ChainSources(chain);
    const SiteSource& head = sources[size_t(first)];
    if (!head.throttle.isEmpty()) Throttle(chain, head.throttle);
    // A site that is blank in its request form names nothing to ask about: the chain ends as
    // when no source gave anything usable.
    if (TrimBlanks(ShapeSite(url, head.form)).isEmpty()) return sources.back().whenNothing;
    for (size_t i = size_t(first); i < sources.size(); ++i) {
        const SiteSource& source = sources[i];
        const QString page = FetchPage(source, url);
        if (page.isEmpty()) {
            if (source.whenEmpty) return source.whenEmpty;
            continue;
        }
        const Reading reading = source.read(page);
        if (reading.kind != Reading::Kind::Nothing) return reading.value;
        if (source.whenNothing) return source.whenNothing;
    }
    return std::nullopt;
}

void CSeo::Fill(Slot slot, SiteChain chain, int first, const QString& url) {
    if (const std::optional<QVariant> value = Run(chain, first, url)) Write(slot, *value);
}

void CSeo::Throttle(SiteChain chain, const QString& setting) {
    platform::Clock& clock = platform::TheClock();
    const auto previous = lastRequest_.find(chain);
    const std::optional<QDateTime> last =
        previous == lastRequest_.end() ? std::nullopt : std::optional(previous->second);
    const std::chrono::milliseconds delay =
        ThrottleDelay(last, clock.Now(),
                      mReg::GetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, setting));
    if (delay > 0ms) platform::Pause(delay);
    lastRequest_[chain] = clock.Now();
}

void CSeo::GetPR(const QString& url) {
    if (const std::optional<QVariant> rank = Run(SiteChain::PageRank, 0, url))
        Write(Slot::pr, *rank);
    else
        GetPR1(url);
}

QVariant CSeo::GetPR1(const QString& url) {
    if (!browser_ || TrimBlanks(url).isEmpty()) {
        Write(Slot::pr, QString());
        return {};
    }
    // The service answers with a redirect to a picture named after the PageRank. The load is
    // not watched: whatever address the control shows after the wait is read.
    browser_->Navigate(WebAddress::kPageRankServiceB + QStringLiteral("/mypr.php?w=") +
                       UrlEncodeUtf8(url) + QStringLiteral("&s=1"));
    platform::Pause(3s + 1ms);
    Write(Slot::pr, PageRankFromAddress(browser_->LocationUrl()));
    return {};
}

QString CSeo::GetDomainHis(const QString& url) {
    const QString whois = GetWhois(url);
    if (whois.isEmpty()) return QStringLiteral("X");
    return DomainAge(whois, ShapeSite(url, SiteForm::LowerDomain),
                     platform::TheClock().Now().date());
}

QString CSeo::GetWhois(const QString& url) {
    return Run(SiteChain::Whois, 0, url).value_or(QVariant()).toString();
}

QString CSeo::GetWhois1(const QString& url) {
    return Run(SiteChain::Whois, 1, url).value_or(QVariant()).toString();
}

QString CSeo::GetWhois2(const QString& url) {
    return Run(SiteChain::Whois, 2, url).value_or(QVariant()).toString();
}

}  // namespace lookups
