#include "mining/source_fetch.h"

#include "metrics/baidu_guard.h"
#include "mining/helper_page.h"
#include "mining/mining_binding.h"
#include "mining/mining_sources.h"
#include "shared/cxhtml.h"
#include "shared/url_encoding.h"

namespace mining {

QString SourceKeyword(const MiningSource& source, const QString& seed, MiningBinding& binding) {
    switch (source.form) {
        case KeywordForm::Gbk:
            return UrlEncodeGbk(seed);
        case KeywordForm::Utf8:
            return UrlEncodeUtf8(seed);
        case KeywordForm::HelperPage: {
            // Our browser runs no scripts, so the helper page may well leave its field empty;
            // an empty keyword would ask the service about nothing, so the services' own form
            // stands in: the seed in percent-encoded GBK.
            const QString encoded = EncodeThroughHelperPage(binding.HelperBrowser(), seed);
            return encoded.isEmpty() ? UrlEncodeGbk(seed) : encoded;
        }
    }
    return {};
}

std::optional<QStringList> FetchSourceItems(const MiningSource& source, const QString& seed,
                                            CXHtml& fetcher, MiningBinding& binding) {
    if (source.skippedSeeds.contains(seed)) return QStringList();
    QString page;
    if (source.baiduResultsPage) {
        page = metrics::FetchBaiduPage(binding.Window(), fetcher, seed);
    } else {
        fetcher.url(SourceAddress(source, SourceKeyword(source, seed, binding)));
        fetcher.Char(source.charset);
        page = fetcher.GetSrcOnSuccess();
    }
    if (page.isEmpty()) return std::nullopt;
    return SourceItems(source, page);
}

}  // namespace mining
