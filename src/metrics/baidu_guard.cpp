#include "metrics/baidu_guard.h"

#include <chrono>

#include "metrics/number_text.h"
#include "platform/browser_control.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "platform/wait.h"
#include "shared/cxhtml.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace metrics {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The waits end once strictly more than `duration` has passed.
void WaitLongerThan(milliseconds duration) {
    platform::Pause(duration + milliseconds(1));
}

}  // namespace

QString BaiduSearchAddress(const QString& keyword) {
    return WebAddress::kBaiduSearch + QStringLiteral("/s?wd=") + UrlEncodeGbk(keyword);
}

void WaitBaiduInterval(WindowContext& window) {
    std::optional<QDateTime>& last = window.MetricsState().LastBaiduRequest;
    platform::Clock& clock = platform::TheClock();
    // Counted in milliseconds since the epoch, and the time kept in UTC: a local time costs a
    // time-zone lookup, twice for every page.
    if (last) {
        const double elapsed = (clock.NowMSecs() - last->toMSecsSinceEpoch()) / 1000.0;
        const std::optional<qint16> gap = ReadWhole16(window.IntervalText());
        const std::optional<qint32> roundedElapsed = ToWhole32(elapsed);
        if (gap && roundedElapsed && *roundedElapsed < *gap)
            WaitLongerThan(seconds(ToWhole32(*gap - elapsed).value_or(0)));
    }
    last = QDateTime::fromMSecsSinceEpoch(clock.NowMSecs(), Qt::UTC);
}

QString FetchBaiduPage(WindowContext& window, CXHtml& fetcher, const QString& keyword) {
    const QString page = FetchBaiduAddress(window, fetcher, BaiduSearchAddress(keyword));
    // A page still empty after the browser is a failed fetch, not a blocking page: reacting
    // to it would only hold the caller up.
    if (!page.isEmpty() && JudgeBaiduPage(page) == BaiduPage::Other) BeiK(window);
    return page;
}

QString FetchBaiduAddress(WindowContext& window, CXHtml& fetcher, const QString& address) {
    fetcher.url(address);
    fetcher.Char(QStringLiteral("gb2312"));
    fetcher.TryTime(10);
    const QString page = fetcher.GetSrcOnSuccess();
    return page.isEmpty() ? FetchViaBrowser(window, address) : page;
}

void BeiK(WindowContext& window) {
    const std::optional<qint16> reaction = ReadWhole16(window.ReactionText());
    if (!reaction) return;
    switch (*reaction) {
        case 0:
            window.ShowBlockingSettings();
            break;
        case 1:
            WaitLongerThan(seconds(5));
            break;
        case 2:
            platform::TheSound().Beep(500, milliseconds(150));
            break;
        default:
            break;
    }
}

QString FetchViaBrowser(WindowContext& window, const QString& address) {
    platform::BrowserControl* browser = window.Browser();
    if (browser) browser->Navigate(address);
    // A fixed wait: the load is not watched, whatever has come by then is taken.
    WaitLongerThan(seconds(5));
    return browser ? browser->DocumentHtml() : QString();
}

}  // namespace metrics
