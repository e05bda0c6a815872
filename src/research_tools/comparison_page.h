#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// What the keyword comparison reads from the first page of Baidu's results for a keyword, and
// the competition degree it makes of it.
namespace research {

// The first page's result blocks counted three ways.
struct ResultPageCounts {
    int paid = 0;   // paid listings (百度左侧广告数)
    int home = 0;   // unpaid results that are a site's home page (Top10独立网站数)
    int fresh = 0;  // unpaid results with a snapshot at most three days old, or newer
};

// Counts the result blocks of a Baidu results page, `today` being the day of the comparison.
// The blocks lie between the end of the search box and the pager (">下一页<", or the end of
// the page when there is none).
ResultPageCounts AnalyseResultPage(const QString& page, const QDate& today);

// The keywords of the comparison box: its text without surrounding blanks split at every "#";
// the pieces keep their own blanks, and a piece of blanks only is no keyword.
QStringList ComparisonKeywords(const QString& text);

// volume × 10000 / count of a row's texts, a volume of 0 taken as 10 and a count of 0 giving
// 0; nothing when either is not a whole number.
std::optional<double> VolumeCountRatio(const QString& volume, const QString& count);

// The score of a volume-to-count ratio: 0.8 below 1 (0 itself excepted), 0.5 below 10, 0.3
// below 100, 0.1 below 1000, else 0.
double VolumeRatioScore(double ratio);

// CompetitionDegree: a tenth of each count plus the ratio's score, written with at most 15
// significant digits and no trailing zeros.
QString CompetitionDegree(const ResultPageCounts& counts, double score);

}  // namespace research
