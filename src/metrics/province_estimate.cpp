#include "metrics/province_estimate.h"

#include <QDate>
#include <array>
#include <random>

#include "metrics/number_text.h"
#include "metrics/province_page.h"
#include "platform/clock.h"
#include "shared/cxhtml.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace metrics {

QString GetMonthIndex(const QString& keyword) {
    CXHtml page;
    page.Char(QStringLiteral("utf-8"));
    page.url(WebAddress::kBaiduIndex + QStringLiteral("/main/get_province_data.php?type=1&time=") +
             GetMonthstr() + QStringLiteral("&area=0&word=") + UrlEncodeGbk(keyword.toLower()) +
             QStringLiteral("&index=1"));
    page.TryTime(10);
    const QString text = page.GetSrcOnSuccess();
    if (!IsProvincePage(text)) return QString();

    const qint32 scaled = ScaleProvinceSum(ProvinceSum(text));
    return GetRand(scaled) + u'-' + QString::number(scaled);
}

QString GetRand(qint32 n) {
    static constexpr std::array<double, 10> kFactors = {1.1,  0.92, 1.09, 1.05, 0.95,
                                                        1.15, 0.89, 1.02, 1.15, 0.98};
    std::mt19937 source(
        static_cast<std::mt19937::result_type>(platform::TheClock().Now().toMSecsSinceEpoch()));
    const int slot = std::uniform_int_distribution<int>(0, 9)(source);
    const std::optional<qint32> product = ToWhole32(n * kFactors[slot]);
    return product ? QString::number(*product) : QString();
}

QString GetMonthstr() {
    const QDate today = platform::TheClock().Now().date();
    const QDate earlier = today.addMonths(-1);
    return earlier.toString(QStringLiteral("yyyyMM")) + u'|' +
           today.toString(QStringLiteral("yyyyMM"));
}

qint32 ScaleProvinceSum(qint32 sum) {
    struct Band {
        qint32 below;
        double factor;
    };
    static constexpr std::array<Band, 10> kBands = {{{100, 2.1},
                                                     {200, 1.9},
                                                     {300, 1.8},
                                                     {400, 1.7},
                                                     {500, 1.6},
                                                     {600, 1.4},
                                                     {700, 1.3},
                                                     {800, 1.2},
                                                     {900, 1.1},
                                                     {1000, 1.05}}};
    for (const Band& band : kBands)
        if (sum < band.below) return ToWhole32(sum * band.factor).value_or(sum);
    return sum;
}

}  // namespace metrics
