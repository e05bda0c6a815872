#include "lookups/site_dates.h"

#include <QRegularExpression>
#include <QStringList>

#include "shared/text_helpers.h"

namespace lookups {
namespace {

Reading DateReading(const QString& text) {
    const std::optional<QDate> date = ReadDate(text);
    return date ? Reading::Of(*date) : Reading::None();
}

}  // namespace

std::optional<QDate> ReadDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^(\d{4})(?:-(\d{1,2})-(\d{1,2})|/(\d{1,2})/(\d{1,2})|年(\d{1,2})月(\d{1,2})日)$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) return std::nullopt;
    for (int month = 2; month <= 6; month += 2) {
        if (match.captured(month).isEmpty()) continue;
        const QDate date(match.captured(1).toInt(), match.captured(month).toInt(),
                         match.captured(month + 1).toInt());
        if (date.isValid()) return date;
    }
    return std::nullopt;
}

Reading ReadBaiduSnapshotDate(const QString& page) {
    const QString line = TrimBlanks(
        GetMemo(page, QStringLiteral("<font color=\"#008000\">"), QStringLiteral("</font")));
    return DateReading(line.split(u' ').last());
}

Reading ReadYahooSnapshotDate(const QString& page, const QDate& today) {
    const QString cut = TrimBlanks(
        GetMemo(page, QStringLiteral("<span class=\"cdate\">"), QStringLiteral("</span>")));
    if (!cut.contains(QStringLiteral("天前"))) return DateReading(cut);
    static const QRegularExpression days(QStringLiteral(R"(^\d{1,5}$)"));
    const QString daysAgo = TrimBlanks(QString(cut).remove(QStringLiteral("天前")));
    if (!days.match(daysAgo).hasMatch()) return Reading::None();
    return Reading::Of(today.addDays(-daysAgo.toInt()));
}

Reading ReadSogouSnapshotDate(const QString& page) {
    return DateReading(
        TrimBlanks(GetMemo(page, QStringLiteral("-->&nbsp;-&nbsp;"), QStringLiteral("<"))));
}

Reading ReadYoudaoSnapshotDate(const QString& page) {
    const QString line =
        TrimBlanks(GetMemo(page, QStringLiteral("<span class=\"l\">"), QStringLiteral("</span>")));
    const QStringList parts = line.split(QStringLiteral(" - "));
    return DateReading(parts.size() >= 3 ? parts[2] : line);
}

}  // namespace lookups
