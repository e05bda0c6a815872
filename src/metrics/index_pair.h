#pragma once

#include <QString>
#include <optional>

// The index value (IndexPair): a keyword's latest daily search volume and its 30-day average
// joined by "-", such as "35-120"; "0-0" means the index knows no data for the keyword. An
// empty text means that no value was obtained.
namespace metrics {

inline const QString kNotObtained = QStringLiteral("-");
inline const QString kNoIndexData = QStringLiteral("0-0");

// The index value in `reply` (blanks and line ends around it dropped), when the reply has a
// form the lookups report: two whole numbers of digits joined by "-", or "-" and the average
// alone (a short history without a latest value). Nothing for any other reply, such as an
// error page.
std::optional<QString> IndexPairFromReply(const QString& reply);

// The two cells of a row that an index value fills.
struct Volumes {
    QString day;    // the first number, the latest value: 搜索量-昨日, column dayrank
    QString month;  // the second number, the average: 搜索量-月均, column monthrank
};

// `pair` split at "-". A number that the value lacks or leaves empty was not obtained and reads
// "-"; so does all of an empty value.
Volumes SplitIndexPair(const QString& pair);

}  // namespace metrics
