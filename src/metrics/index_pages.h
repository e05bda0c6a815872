#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The pages the index lookups read: the 30-day data page and the index word page of the Baidu
// index, and the page of the index history service. Pure functions of the page text.
namespace metrics {

// The index value of a 30-day data page (points "<p d=… p1="value" …"): the value of point 30
// (empty without one), "-", and the sum of all points over 30, rounded half to even. A point
// without a readable value counts 0. Nothing for a page of fewer than two points (an empty or
// error page has none).
std::optional<QString> ThirtyDayIndex(const QString& page);

// Whether the index word page knows the keyword: it does unless it says "没有找到与". A page
// that did not come (an empty text) counts as knowing it.
bool IndexKnowsWord(const QString& page);

// Whether `page` is the index history service's answer: the service writes the marker of its
// latest value ("最新数据：[") on every page, one without data too. Any other page (nothing, an
// error or verification page) is none.
bool IsHistoryPage(const QString& page);

// The daily values of an index history page, oldest first: the text between "所有数据：" and
// "<br>最新数据" split at ","; empty elements keep their place. None without the markers.
QStringList HistoryValues(const QString& page);

// The latest value of an index history page, the text between "最新数据：[" and the "]" after
// the next "]": 0 when the page has none, nothing when it is no number.
std::optional<qint32> HistoryLatest(const QString& page);

}  // namespace metrics
