#include "research_tools/index_query_pages.h"

#include <cmath>

#include "metrics/number_text.h"
#include "research_tools/page_text.h"
#include "shared/text_helpers.h"

namespace research {
namespace {

// A figure of a volume: a whole number other than 0.
bool IsFigure(const QString& text) {
    const std::optional<qint32> value = metrics::ReadWhole32(text);
    return value && *value != 0;
}

// `text` when it is a count, "-" otherwise.
QString CountOrDash(const QString& text) {
    return metrics::IsCountText(text) ? text : QStringLiteral("-");
}

// An attention figure: the text of the span after `marker`, its attributes dropped.
QString AttentionFigure(const QString& page, const QString& marker) {
    const std::optional<QString> span = FindBetween(page, marker, QStringLiteral("<"));
    if (!span) return QStringLiteral("-");
    const QStringList parts = span->split(u'>');
    return parts.size() < 2 ? QStringLiteral("-") : CountOrDash(parts[1].trimmed());
}

// The 15-significant-digit decimal text of `value`, in fixed point however small or large.
QString FixedPointText(double value) {
    // d.dddddddddddddde±x: the digits rounded to 15 significant ones and the exponent.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0')) digits.chop(1);
    QString text;
    if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
        text = digits + QString(exponent + 1 - digits.size(), u'0');
    } else {
        text = digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1);
    }
    return value < 0 ? u'-' + text : text;
}

}  // namespace

QStringList QueryKeywords(const QString& text) {
    QStringList keywords;
    for (const QString& piece : TrimBlanks(text).toLower().split(u'#')) {
        const QString keyword = TrimBlanks(piece);
        if (!keyword.isEmpty()) keywords << keyword;
    }
    return keywords;
}

QueryVolumes VolumesOf(const QString& pair) {
    if (pair.isEmpty()) return {QStringLiteral("-"), QStringLiteral("-")};
    const QStringList parts = pair.split(u'-');
    const QString day = parts.value(0);
    const QString month = parts.value(1);
    return {IsFigure(month) ? month : QStringLiteral("-"),
            IsFigure(day) ? day : QStringLiteral("0")};
}

Attention ParseAttention(const QString& wordPage) {
    if (wordPage.contains(QStringLiteral("抱歉，没有找到")))
        return {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    return {AttentionFigure(wordPage, QStringLiteral("周</td><td><span")),
            AttentionFigure(wordPage, QStringLiteral("月</td><td><span")),
            AttentionFigure(wordPage, QStringLiteral("季度</td><td><span"))};
}

QString CutToTwoDecimals(double value) {
    if (!std::isfinite(value)) return QString();
    if (value == 0) return QStringLiteral("0");
    const QString text = FixedPointText(value);
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? text : text.left(point + 3);
}

QString QueryOptimisationIndex(const QString& month, const QString& count) {
    const std::optional<qint32> volume = metrics::ReadWhole32(month);
    const std::optional<double> pages = metrics::ReadNumber(count);
    if (!volume || !pages) return QStringLiteral("0");
    const double whole = std::nearbyint(*pages);
    if (whole == 0) return QStringLiteral("0");
    return CutToTwoDecimals(*volume / whole * 10000);
}

}  // namespace research
