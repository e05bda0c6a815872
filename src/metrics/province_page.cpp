#include "metrics/province_page.h"

#include <QStringList>

#include "metrics/number_text.h"
#include "shared/text_helpers.h"

namespace metrics {

bool IsProvincePage(const QString& page) {
    return page.contains(QStringLiteral("data=")) || page.contains(QStringLiteral("暂无数据"));
}

qint32 ProvinceSum(const QString& page) {
    qint32 sum = 0;
    const QStringList pieces = page.split(QStringLiteral("data="));
    for (int i = 1; i < pieces.size(); ++i) {
        const std::optional<qint32> value =
            ReadWhole32(GetMemo(pieces[i], QStringLiteral("\""), QStringLiteral("\"")));
        qint32 next = 0;
        if (value && !__builtin_add_overflow(sum, *value, &next)) sum = next;
    }
    return sum;
}

}  // namespace metrics
