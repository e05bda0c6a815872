#include "metrics/index_lookups.h"

#include <QStringList>
#include <limits>

#include "metrics/index_pages.h"
#include "metrics/index_pair.h"
#include "metrics/number_text.h"
#include "metrics/province_estimate.h"
#include "metrics/share_service.h"
#include "shared/cxhtml.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace metrics {
namespace {

const QString kGbk = QStringLiteral("gb2312");
void RaiseFailCount(WindowContext& window) {
    std::optional<qint16>& count = window.MetricsState().IndexFailCount;
    if (count && *count < std::numeric_limits<qint16>::max()) ++*count;
}

}  // namespace

QString GetIndex(WindowContext& window, const QString& keyword) {
    CXHtml page;
    page.Char(kGbk);
    page.TryTime(5);
    page.url(WebAddress::kBaiduIndex + QStringLiteral("/tools/get_data.php?q=") +
             UrlEncodeGbk(TrimBlanks(keyword)));
    const std::optional<QString> pair = ThirtyDayIndex(page.GetSrcOnSuccess());
    if (!pair) return GetBaiduIndex(window, keyword, 0);
    ShareReport(page, *pair, keyword, window.ReportParent(ReportSource::ThirtyDayData, keyword),
                10);
    return *pair;
}

bool HasIndexPage(const QString& keyword) {
    CXHtml page;
    page.Char(kGbk);
    page.TryTime(10);
    page.url(WebAddress::kBaiduIndex + QStringLiteral("/main/word.php?word=") +
             UrlEncodeGbk(TrimBlanks(keyword).toLower()));
    return IndexKnowsWord(page.GetSrcOnSuccess());
}

QString GetBaiduIndex(WindowContext& window, const QString& keyword, qint16 mode) {
    const QString lower = keyword.toLower();
    if (!HasIndexPage(keyword)) {
        CXHtml report;  // no charset: the service's own is asked for first
        ShareReport(report, kNoIndexData, lower,
                    window.ReportParent(ReportSource::UnknownKeyword, lower), 10);
        return kNoIndexData;
    }
    CXHtml page;
    page.Char(kGbk);
    page.TryTime(20);
    page.url(WebAddress::kIndexHistory + QStringLiteral("/history?word=") + UrlEncodeUtf8(lower));
    const QString text = page.GetSrcOnSuccess();
    if (!IsHistoryPage(text)) {
        // Nothing came, an error page, or one that is not the service's (a verification page):
        // no value was obtained, and the window may turn to the estimate.
        RaiseFailCount(window);
        return QString();
    }
    const QStringList values = HistoryValues(text);
    if (mode >= 2) {
        window.ShowHistory(values);
        return QString();
    }
    const std::optional<qint32> latest = HistoryLatest(text);

    const int width = mode <= 0 ? 30 : 7;
    double sum = 0;
    qint32 weekSum = 0;  // the 7-day sum stays within 32 bits; an overflowing value is left out
    for (int i = values.size() - 1; i >= 0 && i >= values.size() - width; --i) {
        if (values[i].isEmpty()) continue;
        const std::optional<qint32> value = ReadWhole32(values[i]);
        if (!value) continue;
        sum += *value;
        qint32 next = 0;
        if (!__builtin_add_overflow(weekSum, *value, &next)) weekSum = next;
    }
    const QString average = WholeText((mode <= 0 ? sum : weekSum) / static_cast<double>(width));
    // Without a readable latest value there is no pair to give or report; the 7-day average
    // stands on its own.
    if (!latest) return mode <= 0 ? QString() : average;
    const QString pair = QString::number(*latest) + u'-' + average;
    if (pair != kNoIndexData) {
        ShareReport(page, pair, lower, window.ReportParent(ReportSource::History, lower),
                    mode <= 0 ? 8 : 10);
    }
    return mode <= 0 ? pair : average;
}

QString LookUpVolume(WindowContext& window, CXHtml& fetcher, const QString& shareKeyword,
                     const QString& lookupKeyword) {
    const QString shared = ShareLookup(fetcher, shareKeyword);
    if (!shared.isEmpty()) return shared;
    const QString keyword = TrimBlanks(lookupKeyword);
    const std::optional<qint16>& failures = window.MetricsState().IndexFailCount;
    if (failures && *failures > 1) return GetMonthIndex(keyword);
    return GetIndex(window, keyword);
}

}  // namespace metrics
