#include "metrics/requery.h"

#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/index_pair.h"
#include "metrics/number_text.h"
#include "metrics/optimisation_index.h"
#include "metrics/row_handle.h"
#include "platform/list_view.h"
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

// The result count on a Google results page; "-" when no page came (an error page is none).
QString GoogleCount(const QString& page) {
    if (page.isEmpty()) return kNotObtained;
    QString count = GetMemo(page, QStringLiteral("约 <b>"), QStringLiteral("</b>")).trimmed();
    count.remove(u',');
    return count.isEmpty() ? QStringLiteral("0") : count;
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

void Requery(WindowBinding& window, platform::ListView* list, bool volume, bool counts,
             const RequeryLayout& layout) {
    platform::ListItem* selected = list ? list->SelectedItem() : nullptr;
    if (!selected) return;
    const RowHandle target(list, selected);
    const QString text = selected->Text();
    const auto write = [&target](int cell, const QString& value) {
        if (platform::ListItem* row = target.Get()) row->SetSubItem(cell, value);
    };
    for (int cell = 1; cell <= layout.cells; ++cell) write(cell, kQuerying);

    CXHtml fetcher;
    Volumes volumes{kNotObtained, kNotObtained};
    if (volume) {
        volumes = SplitIndexPair(LookUpVolume(window, fetcher, text.toLower(), text));
        volumes = {VolumeCell(volumes.day), VolumeCell(volumes.month)};
    }
    write(1, volumes.month);
    write(2, volumes.day);

    QString baiduCount = kNotObtained;
    QString googleCount = kNotObtained;
    if (counts) {
        const QString keyword = TrimBlanks(text).toLower();
        fetcher.Char(QStringLiteral("gb2312"));
        fetcher.url(BaiduSearchAddress(keyword));
        baiduCount = BaiduCount(fetcher.GetSrc());
        if (layout.googleCountCell != 0) {
            fetcher.Char(QStringLiteral("utf-8"));
            fetcher.url(WebAddress::kGoogleHk + QStringLiteral("/search?hl=zh-CN&q=") +
                        UrlEncodeUtf8(keyword));
            googleCount = GoogleCount(fetcher.GetSrcOnSuccess());
        }
    }
    write(3, baiduCount);
    if (layout.googleCountCell != 0) write(layout.googleCountCell, googleCount);
    write(layout.baiduIndexCell, OptimisationIndex(volumes.month, baiduCount));
    if (layout.googleIndexCell != 0)
        write(layout.googleIndexCell, GoogleIndex(volumes.month, googleCount));
}

void recha(MiningBinding& window) {
    Requery(window, window.ResultList(Pane::Regular),
            window.Ticked(Pane::Regular, PaneOption::Volume),
            window.Ticked(Pane::Regular, PaneOption::Count), kMiningRowLayout);
}

QString Gettmpindex(const platform::ListView& list, const QString& keyword) {
    for (int i = 1; i <= list.Count(); ++i) {
        const platform::ListItem* row = list.Item(i);
        if (row->Text() != keyword) continue;
        const QString pair = row->SubItem(1) + u'-' + row->SubItem(2);
        return pair == QStringLiteral("---") ? QString() : pair;
    }
    return QString();
}

}  // namespace metrics
