#pragma once

#include <QString>

// The Baidu index's province data page, which the province estimate sums: a pure function of
// the page text.
namespace metrics {

// Whether `page` is the province data service's answer: it holds province values ("data=") or
// the service's word that it has none ("暂无数据"). Any other page (nothing, an error or
// verification page) is none.
bool IsProvincePage(const QString& page);

// The sum of the page's province values: after each "data=", up to the next one, the text
// between the first two double quotes, read as a number rounded half to even. Such a text that
// is no number (or missing) adds nothing, and so does an addition that would leave the signed
// 32-bit range; quoted numbers before the first "data=" are no province values.
qint32 ProvinceSum(const QString& page);

}  // namespace metrics
