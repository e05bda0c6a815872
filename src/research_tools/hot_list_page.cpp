#include "research_tools/hot_list_page.h"

#include <QStringList>

#include "metrics/baidu_guard.h"
#include "shared/text_helpers.h"

namespace research {
namespace {

const QString kRowMarker = QStringLiteral("<td><a target=\"_blank\" href=");

// Cell `k` (from 1) of a row: the text after the first ">" of the k-th piece after a "<td" up
// to "</td>"; empty when the row has no such piece or the piece lacks a marker.
QString Cell(const QStringList& cells, int k) {
    if (k >= cells.size()) return {};
    return GetMemo(cells[k], QStringLiteral(">"), QStringLiteral("</td>"));
}

// The first cell may lead with a bold mark (an arrow or a rank): the figure follows it.
QString TodayCell(const QStringList& cells) {
    const QString value = Cell(cells, 1);
    const QString bold = QStringLiteral("</b>");
    const qsizetype at = value.indexOf(bold);
    if (at < 0) return value;
    const qsizetype from = at + bold.size();
    const qsizetype next = value.indexOf(bold, from);
    return next < 0 ? value.mid(from) : value.mid(from, next - from);
}

}  // namespace

std::vector<HotListRow> ParseHotListPage(const QString& page, HotPageKind kind) {
    const QStringList pieces = page.split(kRowMarker);
    std::vector<HotListRow> rows;
    rows.reserve(pieces.size());
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        const QStringList cells = piece.split(QStringLiteral("<td"));
        HotListRow row;
        row.keyword = GetMemo(piece, QStringLiteral(">"), QStringLiteral("<"));
        row.today = TodayCell(cells);
        if (kind == HotPageKind::WeekHotspot) row.total = Cell(cells, 3);
        if (kind == HotPageKind::Other) {
            row.total = Cell(cells, 2);
            row.average = Cell(cells, 4);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<QString> TotalHeader(HotPageKind kind) {
    switch (kind) {
        case HotPageKind::RisingToday:
            return std::nullopt;
        case HotPageKind::WeekHotspot:
            return QStringLiteral("本周总搜索量");
        case HotPageKind::Other:
            return QStringLiteral("历史总搜索量");
    }
    return std::nullopt;
}

QString HotListCount(const QString& page) {
    const QString digits = metrics::BaiduCount(page);
    if (digits == QStringLiteral("-") || digits == QStringLiteral("0")) return digits;
    return GetMemo(page, QStringLiteral("找到相关网页"), QStringLiteral("篇")).remove(u'约');
}

}  // namespace research
