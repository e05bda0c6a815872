#include "metrics/index_pages.h"

#include "metrics/number_text.h"
#include "shared/text_helpers.h"

namespace metrics {
namespace {

const QString kLatestMarker = QStringLiteral("最新数据：[");

// The text after the first `marker` up to its next occurrence (or the end).
QString SecondPiece(const QString& text, const QString& marker) {
    return text.split(marker).value(1);
}

}  // namespace

std::optional<QString> ThirtyDayIndex(const QString& page) {
    const QStringList pieces = page.split(QStringLiteral("<p d="));
    if (pieces.size() < 3) return std::nullopt;
    double sum = 0;  // goes on past the 32-bit range
    QString latest;
    for (int point = 1; point < pieces.size(); ++point) {
        const qint32 value =
            ReadWhole32(GetMemo(pieces[point], QStringLiteral("p1=\""), QStringLiteral("\"")))
                .value_or(0);
        sum += value;
        if (point == 30) latest = QString::number(value);
    }
    return latest + u'-' + WholeText(sum / 30);
}

bool IndexKnowsWord(const QString& page) {
    return !page.contains(QStringLiteral("没有找到与"));
}

bool IsHistoryPage(const QString& page) {
    return page.contains(kLatestMarker);
}

QStringList HistoryValues(const QString& page) {
    const QString all = GetMemo(page, QStringLiteral("所有数据："), QStringLiteral("<br>最新数据"));
    return all.isEmpty() ? QStringList() : all.split(u',');
}

std::optional<qint32> HistoryLatest(const QString& page) {
    const QString latest = SecondPiece(SecondPiece(page, kLatestMarker), QStringLiteral("]"));
    return latest.isEmpty() ? std::optional<qint32>(0) : ReadWhole32(latest);
}

}  // namespace metrics
