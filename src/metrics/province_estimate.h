#pragma once

#include <QString>

// The province-data estimate of a keyword's search volume: the sum of the Baidu index
// province data from last month to this month, scaled up by a step table, with an estimate of
// yesterday's volume drawn at random around it. It reads nothing of its window and is never
// reported to the data-sharing service.
namespace metrics {

// The index value "estimate-scaled sum" for `keyword` (sent lower-cased); an empty text when
// no page of the service came (none, an error or a verification page). The service's page
// without data gives "0-0".
QString GetMonthIndex(const QString& keyword);

// `n` times one of ten fixed factors picked at random from a source reseeded from the clock,
// rounded half to even; an empty text when the product leaves the signed 32-bit range.
QString GetRand(qint32 n);

// The time range from the previous to the current calendar month, "yyyyMM|yyyyMM".
QString GetMonthstr();

// The province sum scaled by the step table (2.1 below 100, down to 1.05 below 1000, then
// unchanged), rounded half to even.
qint32 ScaleProvinceSum(qint32 sum);

}  // namespace metrics
