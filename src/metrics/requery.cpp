#include "metrics/requery.h"

#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/index_pair.h"
#include "metrics/number_text.h"
#include "metrics/optimisation_index.h"
#include "metrics/row_handle.h"
#include "metrics/search_pages.h"
#include "shared/cxhtml.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace metrics {
namespace {

const QString kQuerying = QStringLiteral("正在查询中...");

// A volume whose value is 0 shows as "0".
QString VolumeCell(const QString& volume) {
    const std::optional<double> value = ReadNumber(volume);
    return value && *value == 0 ? QStringLiteral("0") : volume;
}

// The Google index divides by the count read as a number, not as a 32-bit whole number.
QString GoogleIndex(const QString& month, const QString& count) {
    if (!HasFigure(month) || !HasFigure(count)) return QStringLiteral("0");
    const std::optional<qint32> monthValue = ReadWhole32(month);
    const std::optional<double> countValue = ReadNumber(count);
    if (!monthValue || !countValue || *countValue == 0) return QString();
    return IndexFromQuotient(*monthValue / *countValue * 10000.0);
}

}  // namespace

void Requery(WindowContext& window, platform::RowTable* list, const KeywordColumns& columns,
             int index, bool volume, bool counts) {
    if (!list || index < 1 || index > list->Count()) return;
    const RowHandle target(list, index);
    const QString text = list->Text(index);
    const auto write = [&](KeywordCell cell, const QString& value) {
        if (const int row = target.Index()) WriteCell(*list, columns, row, cell, value);
    };
    for (int cell = 1; cell <= columns.MetricCells(); ++cell)
        if (const int row = target.Index()) list->SetCell(row, cell, kQuerying);

    CXHtml fetcher;
    Volumes volumes{kNotObtained, kNotObtained};
    if (volume) {
        volumes = SplitIndexPair(LookUpVolume(window, fetcher, text.toLower(), text));
        volumes = {VolumeCell(volumes.day), VolumeCell(volumes.month)};
    }
    write(KeywordCell::MonthVolume, volumes.month);
    write(KeywordCell::DayVolume, volumes.day);

    const bool google = columns.Has(KeywordCell::GoogleCount);
    QString baiduCount = kNotObtained;
    QString googleCount = kNotObtained;
    if (counts) {
        const QString keyword = TrimBlanks(text).toLower();
        fetcher.Char(QStringLiteral("gb2312"));
        fetcher.url(BaiduSearchAddress(keyword));
        baiduCount = BaiduCount(fetcher.GetSrcOnSuccess());
        if (google) {
            fetcher.Char(QStringLiteral("utf-8"));
            fetcher.url(WebAddress::kGoogleHk + QStringLiteral("/search?hl=zh-CN&q=") +
                        UrlEncodeUtf8(keyword));
            googleCount = GoogleCount(fetcher.GetSrcOnSuccess());
        }
    }
    write(KeywordCell::BaiduCount, baiduCount);
    write(KeywordCell::GoogleCount, googleCount);
    write(KeywordCell::BaiduIndex, OptimisationIndex(volumes.month, baiduCount));
    if (google) write(KeywordCell::GoogleIndex, GoogleIndex(volumes.month, googleCount));
}

void recha(MiningContext& window) {
    Requery(window, window.ResultList(Pane::Regular), window.ResultColumns(Pane::Regular),
            window.SelectedRow(Pane::Regular), window.Ticked(Pane::Regular, PaneOption::Volume),
            window.Ticked(Pane::Regular, PaneOption::Count));
}

QString Gettmpindex(const platform::RowTable& list, const KeywordColumns& columns,
                    const QString& keyword) {
    const int month = columns.CellOf(KeywordCell::MonthVolume);
    const int day = columns.CellOf(KeywordCell::DayVolume);
    for (int i = 1; i <= list.Count(); ++i) {
        if (list.CellView(i, 0) != keyword) continue;
        const QString pair = list.Cell(i, month) + u'-' + list.Cell(i, day);
        return pair == QStringLiteral("---") ? QString() : pair;
    }
    return QString();
}

}  // namespace metrics
