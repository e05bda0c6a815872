#include "metrics/index_pair.h"

#include <QRegularExpression>
#include <QStringList>

namespace metrics {

std::optional<QString> IndexPairFromReply(const QString& reply) {
    // The latest value may be missing: the 30-day data of a short history gives "-1500".
    static const QRegularExpression kPair(QStringLiteral("^\\d{0,10}-\\d{1,10}$"));
    const QString pair = reply.trimmed();
    if (!kPair.match(pair).hasMatch()) return std::nullopt;
    return pair;
}

Volumes SplitIndexPair(const QString& pair) {
    const QStringList numbers = pair.split(u'-');
    const auto number = [&numbers](int i) {
        const QString value = numbers.value(i);
        return value.isEmpty() ? kNotObtained : value;
    };
    return {number(0), number(1)};
}

}  // namespace metrics
