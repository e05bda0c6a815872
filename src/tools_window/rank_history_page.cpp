// The rank page's history: the records of table ranks that the site, keyword and engine filters
// choose, with delete and export.
#include <QSignalBlocker>

#include "shared/failure_notice.h"
#include "shared/list_exporter.h"
#include "shared/report_writer.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "shell/database_bootstrap.h"
#include "tools_window/engine_icons.h"
#include "tools_window/notices.h"
#include "tools_window/rank_columns.h"
#include "tools_window/record_writes.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Put;
using tools_layout::Span;

// Fills a filter with `entries` and chooses `choice` among them (none when it is not there),
// without raising the filter's Click: only the user's choices do.
void FillFilter(platform::ComboBox* filter, const QStringList& entries, const QString& choice) {
    const QSignalBlocker quiet(filter);
    filter->clear();
    filter->addItems(entries);
    filter->setCurrentIndex(entries.indexOf(choice));
}

// Design places of the filters across the frame's top (site, keyword, engine) and of the
// buttons under the list.
constexpr int kFilterTop = 360;
constexpr Span kFilterPlaces[] = {{120, 2655}, {2880, 2295}, {5280, 1695}};
constexpr int kButtonTop = 8400;
constexpr Span kButtonPlaces[] = {{120, 735}, {960, 975}, {2040, 1215}, {3360, 1215}, {4680, 1215}};
// Room kept between the rows and the frame's right edge.
constexpr int kRightMargin = 120;

}  // namespace

void 关键词工具::BuildHistoryFrame() {
    Frame5 =
        Put<platform::Frame>("Frame5", pic4, {6600, 120, 7215, 8955}, QStringLiteral("历史记录"));
    const auto filter = [this](const char* name, Span place) {
        return Put<platform::ComboBox>(name, Frame5, {place.left, kFilterTop, place.width, 300});
    };
    Combo2 = filter("Combo2", kFilterPlaces[0]);
    Combo3 = filter("Combo3", kFilterPlaces[1]);
    Combo1 = filter("Combo1", kFilterPlaces[2]);
    FillFilter(Combo1, rank_history::EngineFilterEntries(), rank_history::kAllEngines);
    ListView14 = Put<platform::ListView>("ListView14", Frame5, {120, 840, 6855, 6975});
    ListView14->Rows().SetColumns(rank_columns::kHistoryHeaders);
    ListView14->Rows().SetImageList(EngineImageList());
    ListView14->SetCheckBoxes(true);
    const auto button = [this](const char* name, Span place, const char* caption) {
        return Put<platform::CommandButton>(
            name, Frame5, {place.left, kButtonTop, place.width, 375}, QString::fromUtf8(caption));
    };
    Command12 = button("Command12", kButtonPlaces[0], "全选");
    Command9 = button("Command9", kButtonPlaces[1], "删除记录");
    Command26 = button("Command26", kButtonPlaces[2], "导出至Excel");
    Command27 = button("Command27", kButtonPlaces[3], "导出至Html");
    Command7 = button("Command7", kButtonPlaces[4], "导出至Txt");

    connect(Combo1, &platform::ComboBox::Click, this, [this] { Combo1_Click(); });
    connect(Combo2, &platform::ComboBox::Click, this, [this] { Combo2_Click(); });
    connect(Combo3, &platform::ComboBox::Click, this, [this] { Combo3_Click(); });
    ConnectClicks({
        {Command12, &关键词工具::Command12_Click},
        {Command9, &关键词工具::Command9_Click},
        {Command26, &关键词工具::Command26_Click},
        {Command27, &关键词工具::Command27_Click},
        {Command7, &关键词工具::Command7_Click},
    });
}

void 关键词工具::FitHistoryRows() {
    using tools_layout::FitRow;
    const int right = tools_layout::Width(Frame5) - kRightMargin;
    FitRow({{Combo2, kFilterPlaces[0]}, {Combo3, kFilterPlaces[1]}, {Combo1, kFilterPlaces[2]}},
           right);
    FitRow({{Command12, kButtonPlaces[0]},
            {Command9, kButtonPlaces[1]},
            {Command26, kButtonPlaces[2]},
            {Command27, kButtonPlaces[3]},
            {Command7, kButtonPlaces[4]}},
           right);
}

rank_history::Filter 关键词工具::HistoryFilter() const {
    return {TrimBlanks(Combo2->Text()), TrimBlanks(Combo3->Text()), TrimBlanks(Combo1->Text())};
}

void 关键词工具::ReloadHistory() {
    rank_history::LoadHistory(SharedConnection(), HistoryFilter(), ListView14->Rows());
}

void 关键词工具::RefillHistoryFilters() {
    platform::Connection& db = SharedConnection();
    FillFilter(Combo2, rank_history::SiteFilterEntries(db, rank_history::kAllKeywords),
               rank_history::kAllSites);
    FillFilter(Combo3, rank_history::KeywordFilterEntries(db, rank_history::kAllSites),
               rank_history::kAllKeywords);
}

bool 关键词工具::VisitRankPage() {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) {
        Notice(kDatabaseMissingNotice);
        return false;
    }
    FillFilter(Combo1, rank_history::EngineFilterEntries(), rank_history::kAllEngines);
    RefillHistoryFilters();
    ReloadHistory();
    fields_.HistoryFiltersLoaded = true;
    return true;
}

void 关键词工具::Combo1_Click() {
    if (fields_.ToolsLoaded) SaveRankOptions();
    if (!DatabaseStillMissing(fields_.ToolsDbMissing)) ReloadHistory();
}

void 关键词工具::Combo2_Click() {
    HistoryFilterChosen(Combo3, rank_history::KeywordFilterEntries, HistoryFilter().site);
}

void 关键词工具::Combo3_Click() {
    HistoryFilterChosen(Combo2, rank_history::SiteFilterEntries, HistoryFilter().keyword);
}

void 关键词工具::HistoryFilterChosen(platform::ComboBox* other, FilterEntries entriesFor,
                                     const QString& choice) {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return;
    // The list shows what the filters read when the choice was made.
    const rank_history::Filter filter = HistoryFilter();
    if (fields_.HistoryFiltersLoaded)
        FillFilter(other, entriesFor(SharedConnection(), choice), other->Text());
    rank_history::LoadHistory(SharedConnection(), filter, ListView14->Rows());
}

void 关键词工具::Command12_Click() {
    const bool checkAll = Command12->Caption() == u"全选";
    ListView14->Rows().SetAllChecked(checkAll);
    Command12->SetCaption(checkAll ? QStringLiteral("全不选") : QStringLiteral("全选"));
}

void 关键词工具::Command9_Click() {
    if (!ListView14->Rows().AnyChecked()) {
        Notice(QStringLiteral("请选择你要删除的记录"));
        return;
    }
    platform::Connection& db = SharedConnection();
    if (DeleteCheckedRecords(db, QStringLiteral("ranks"), ListView14->Rows()).failed)
        TellFailure(QStringLiteral("删除记录失败，未删除的记录仍保留在列表中：") + db.LastError());
}

void 关键词工具::Command7_Click() {
    ExportList(ListView14->Rows(), QStringLiteral("txt"), ReportRankHistory, this);
}

void 关键词工具::Command26_Click() {
    ExportList(ListView14->Rows(), QStringLiteral("xls"), 0, this);
}

void 关键词工具::Command27_Click() {
    ExportList(ListView14->Rows(), QStringLiteral("htm"), ReportRankHistory, this);
}
