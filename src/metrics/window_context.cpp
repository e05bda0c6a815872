#include "metrics/window_context.h"

#include "platform/clock.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace metrics {
namespace {

constexpr int kHistoryColumns = 100;
constexpr int kHistoryColumnWidth = 1200;  // twips

QString DaysAgo(int days) {
    return platform::TheClock().Now().date().addDays(-days).toString(QStringLiteral("yyyy-MM-dd"));
}

}  // namespace

QString MiningReportParent(const QString& seedText, int pageTab, int tipTab, ReportSource source,
                           const QString& keyword) {
    const QString seed = TrimBlanks(seedText);
    switch (source) {
        case ReportSource::ThirtyDayData:
            return pageTab == 0 ? seed : keyword;
        case ReportSource::History:
            return pageTab == 1 || pageTab == 4 ? keyword : seed.toLower();
        case ReportSource::UnknownKeyword:
            return pageTab == 1 || tipTab == 4 ? keyword : seed.toLower();
    }
    return keyword;
}

void LayHistoryAcross(platform::RowTable& list, const QStringList& values) {
    if (values.isEmpty()) return;
    for (int day = 1; day <= kHistoryColumns; ++day)
        list.AddColumn(DaysAgo(day), kHistoryColumnWidth);
    const int row = list.Add(values.last()).Index();
    for (int j = 1; j < kHistoryColumns && j < values.size(); ++j)
        list.SetCell(row, j, values[values.size() - 1 - j]);
}

void LayHistoryDown(platform::RowTable& list, const QStringList& values) {
    for (int day = 1; day <= values.size(); ++day)
        list.Add(DaysAgo(day)).SetSubItem(1, values[values.size() - day]);
}

}  // namespace metrics
