#include "research_tools/comparison_page.h"

#include <cmath>

#include "metrics/number_text.h"
#include "shared/text_helpers.h"

namespace research {
namespace {

// Links to Baidu's news search are no results; Baidu's paid-listing page marks an advert
// wherever it stands in a block.
const QString kNewsSearchHost = QStringLiteral("news.baidu.com");
const QString kPaidListingPage = QStringLiteral("www.baidu.com/baidu.php");
const QString kPager = QStringLiteral(">下一页<");

// The text after the first `start` up to the pager, or to the end of the page without one.
QString RegionAfter(const QString& page, const QString& start) {
    const qsizetype at = page.indexOf(start);
    if (at < 0) return QString();
    const qsizetype from = at + start.size();
    const qsizetype pager = page.indexOf(kPager, from);
    return page.mid(from, pager < 0 ? -1 : pager - from);
}

QString BlockLink(const QString& block) {
    QString link = GetMemo(block, QStringLiteral("href=\""), QStringLiteral("\""));
    if (link.isEmpty()) link = GetMemo(block, QStringLiteral("href='"), QStringLiteral("'"));
    if (link.isEmpty()) link = GetMemo(block, QStringLiteral("href="), QStringLiteral(" "));
    for (const QString& cut : {QStringLiteral(" "), QStringLiteral("&nbsp;")}) {
        const qsizetype at = link.indexOf(cut);
        if (at >= 0) link.truncate(at);
    }
    if (link.endsWith(u'/')) link.chop(1);
    return link;
}

bool IsPaid(const QString& block) {
    return block.contains(QStringLiteral(">推广</a>")) ||
           block.contains(QStringLiteral("推广链接</font>")) || block.contains(kPaidListingPage);
}

// A snapshot date as Baidu writes it: 2010-3-15, with or without leading zeros.
std::optional<QDate> SnapshotDate(const QString& text) {
    for (const QString& format : {QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid()) return date;
    }
    return std::nullopt;
}

void CountResult(const QString& block, const QString& link, const QDate& today,
                 ResultPageCounts& counts) {
    const QString snapshot = TrimBlanks(
        GetMemo(block, QStringLiteral("<font color=\"#008000\">"), QStringLiteral("</")));
    if (snapshot.isEmpty()) return;
    const QString separator = snapshot.contains(QStringLiteral("&nbsp;")) ? QStringLiteral("&nbsp;")
                                                                          : QStringLiteral(" ");
    const std::optional<QDate> date = SnapshotDate(snapshot.split(separator).last());
    if (date && date->daysTo(today) <= 3) ++counts.fresh;
    if (!QString(link).remove(QStringLiteral("http://")).contains(u'/')) ++counts.home;
}

}  // namespace

ResultPageCounts AnalyseResultPage(const QString& page, const QDate& today) {
    QString region = RegionAfter(page, QStringLiteral("</font></a></td></tr></table>"));
    if (region.isEmpty()) region = RegionAfter(page, QStringLiteral(">来百度推广"));
    ResultPageCounts counts;
    const QStringList blocks = region.split(QStringLiteral("<table "));
    for (qsizetype i = 1; i < blocks.size(); ++i) {
        const QString& block = blocks[i];
        const QString link = BlockLink(block);
        if (link.size() <= 5 || link.contains(kNewsSearchHost)) continue;
        if (IsPaid(block))
            ++counts.paid;
        else
            CountResult(block, link, today, counts);
    }
    return counts;
}

QStringList ComparisonKeywords(const QString& text) {
    QStringList keywords;
    for (const QString& piece : TrimBlanks(text).split(u'#'))
        if (!TrimBlanks(piece).isEmpty()) keywords << piece;
    return keywords;
}

std::optional<double> VolumeCountRatio(const QString& volume, const QString& count) {
    const std::optional<qint32> searches = metrics::ReadWhole32(volume);
    const std::optional<double> pages = metrics::ReadNumber(count);
    if (!searches || !pages) return std::nullopt;
    const double whole = std::nearbyint(*pages);
    if (whole == 0) return 0.0;
    return (*searches == 0 ? 10.0 : double(*searches)) * 10000 / whole;
}

double VolumeRatioScore(double ratio) {
    if (ratio == 0) return 0;
    if (ratio < 1) return 0.8;
    if (ratio < 10) return 0.5;
    if (ratio < 100) return 0.3;
    if (ratio < 1000) return 0.1;
    return 0;
}

QString CompetitionDegree(const ResultPageCounts& counts, double score) {
    const double degree = counts.paid / 10.0 + counts.home / 10.0 + counts.fresh / 10.0 + score;
    return metrics::NumberToText(degree);
}

}  // namespace research
