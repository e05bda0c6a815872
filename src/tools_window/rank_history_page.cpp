// The rank page's history: the records of table ranks that the site, keyword and engine filters
// choose, with delete and export.
#include <QSignalBlocker>

#include "shared/list_exporter.h"
#include "shared/report_writer.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "tools_window/engine_icons.h"
#include "tools_window/notices.h"
#include "tools_window/rank_columns.h"
#include "tools_window/record_writes.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Put;

// Fills a filter with `entries` and chooses `choice` among them (none when it is not there),
// without raising the filter's Click: only the user's choices do.
void FillFilter(platform::ComboBox* filter, const QStringList& entries, const QString& choice) {
    const QSignalBlocker quiet(filter);
    filter->clear();
    filter->addItems(entries);
    filter->setCurrentIndex(entries.indexOf(choice));
}

}  // namespace

void 关键词工具::BuildHistoryFrame() {
    Frame5 =
        Put<platform::Frame>("Frame5", pic4, {6600, 120, 7215, 8955}, QStringLiteral("历史记录"));
    Combo2 = Put<platform::ComboBox>("Combo2", Frame5, {120, 360, 2655, 300});
    Combo3 = Put<platform::ComboBox>("Combo3", Frame5, {2880, 360, 2295, 300});
    Combo1 = Put<platform::ComboBox>("Combo1", Frame5, {5280, 360, 1695, 300});
    FillFilter(Combo1, rank_history::EngineFilterEntries(), rank_history::kAllEngines);
    ListView14 = Put<platform::ListView>("ListView14", Frame5, {120, 840, 6855, 6975});
    ListView14->Rows().SetColumns(rank_columns::kHistoryHeaders);
    ListView14->Rows().SetImageList(EngineImageList());
    ListView14->SetCheckBoxes(true);
    Command12 = Put<platform::CommandButton>("Command12", Frame5, {120, 8400, 735, 375},
                                             QStringLiteral("全选"));
    Command9 = Put<platform::CommandButton>("Command9", Frame5, {960, 8400, 975, 375},
                                            QStringLiteral("删除记录"));
    Command26 = Put<platform::CommandButton>("Command26", Frame5, {2040, 8400, 1215, 375},
                                             QStringLiteral("导出至Excel"));
    Command27 = Put<platform::CommandButton>("Command27", Frame5, {3360, 8400, 1215, 375},
                                             QStringLiteral("导出至Html"));
    Command7 = Put<platform::CommandButton>("Command7", Frame5, {4680, 8400, 1215, 375},
                                            QStringLiteral("导出至Txt"));

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
    if (fields_.ToolsDbMissing) {
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
    if (!fields_.ToolsDbMissing) ReloadHistory();
}

void 关键词工具::Combo2_Click() {
    HistoryFilterChosen(Combo3, rank_history::KeywordFilterEntries, HistoryFilter().site);
}

void 关键词工具::Combo3_Click() {
    HistoryFilterChosen(Combo2, rank_history::SiteFilterEntries, HistoryFilter().keyword);
}

void 关键词工具::HistoryFilterChosen(platform::ComboBox* other, FilterEntries entriesFor,
                                     const QString& choice) {
    if (fields_.ToolsDbMissing) return;
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
        Notice(QStringLiteral("删除记录失败，未删除的记录仍保留在列表中：") + db.LastError());
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
