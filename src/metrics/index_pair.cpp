#include "metrics/index_pair.h"

#include <QRegularExpression>
#include <QStringList>

namespace metrics {

std::optional<QString> IndexPairFromReply(const QString& reply) {
    static const QRegularExpression kPair(QStringLiteral("^\\d{1,10}-\\d{1,10}$"));
    const QString pair = reply.trimmed();
    if (!kPair.match(pair).hasMatch()) return std::nullopt;
    return pair;
}

Volumes SplitIndexPair(const QString& pair) {
    const QStringList parts = pair.split(u'-');
    const auto part = [&parts](int i) {
        const QString value = parts.value(i);
        return value.isEmpty() ? kNotObtained : value;
    };
    return {part(0), part(1)};
}

}  // namespace metrics
