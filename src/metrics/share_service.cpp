#include "metrics/share_service.h"

#include "metrics/index_pair.h"
#include "shared/cxhtml.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace metrics {

QString ShareLookup(CXHtml& fetcher, const QString& keyword) {
    fetcher.url(WebAddress::kIndexShareService + QStringLiteral("/index/lookup?kw=") +
                UrlEncodeUtf8(keyword));
    return IndexPairFromReply(fetcher.GetSrcOnSuccess()).value_or(QString());
}

void ShareReport(CXHtml& fetcher, const QString& value, const QString& keyword,
                 const QString& parent, int timeoutSeconds) {
    fetcher.url(WebAddress::kIndexShareService + QStringLiteral("/index/report?nums=") +
                UrlEncodeUtf8(value) + QStringLiteral("&kw=") + UrlEncodeUtf8(keyword) +
                QStringLiteral("&parents=") + UrlEncodeUtf8(parent));
    fetcher.TryTime(timeoutSeconds);
    fetcher.GetSrc();
}

}  // namespace metrics
