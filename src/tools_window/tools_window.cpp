#include "tools_window/tools_window.h"

#include <QEvent>

#include "shared/registry_store.h"
#include "shell/blocking_settings_dialog.h"
#include "shell/database_bootstrap.h"
#include "tools_window/monopoly_sites.h"
#include "tools_window/pagerank_cache.h"
#include "tools_window/rank_setting.h"

关键词工具::关键词工具(ToolsWindowFields& fields, QWidget* parent)
    : WorkWindow(parent), fields_(fields) {
    setWindowTitle(QStringLiteral("关键词工具"));
    BuildSideBar();
    BuildPages();
    Targets.emplace(fields_, ListView8->Rows(), ListView9->Rows());
    research_ = std::make_unique<research::ResearchPanes>(*this);
    for (QWidget* watched : {pic1, pic3, pic4, pic6, Pic5, static_cast<QWidget*>(TreeView1)})
        watched->installEventFilter(this);
}

void 关键词工具::Form_Load() {
    OpenDatabaseOrWarn(SharedConnection(), this, &fields_.ToolsDbMissing);
    CreateMissingTables(SharedConnection(), {QStringLiteral("prs")});
    tab1->SetTab(0);
    tab1_Click();
    LoadPageTree();
    LoadTips();
    fields_.ToolsLoaded = false;
    FillRankOptionLists();
    monopoly_sites::Load(ListView5->Rows());
    RestoreRankOptions();
    research_->Form_Load();
    fields_.ToolsLoaded = true;
}

QString 关键词工具::IntervalText() const {
    return QStringLiteral("0");
}

QString 关键词工具::ReactionText() const {
    // The research pages leave a blocking page unanswered.
    return QString();
}

void 关键词工具::ShowBlockingSettings() {
    ::ShowBlockingSettings(this);
}

QString 关键词工具::ReportParent(metrics::ReportSource, const QString& keyword) const {
    return keyword;
}

void 关键词工具::ShowHistory(const QStringList& values) {
    metrics::LayHistoryDown(ListView2->Rows(), values);
}

QString 关键词工具::PaidListingMarker() const {
    return lookups::ReadPaidListingMarker();
}

std::optional<int> 关键词工具::GetCachedPR(const QString& url) {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) return std::nullopt;
    return ::GetCachedPR(SharedConnection(), url);
}

void 关键词工具::resizeEvent(QResizeEvent* event) {
    WorkWindow::resizeEvent(event);
    Form_Resize();
}

bool 关键词工具::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == pic3) pic3_Resize();
        if (watched == pic4) pic4_Resize();
        if (watched == pic1 || watched == pic6 || watched == Pic5) research_->Resize();
    } else if (watched == TreeView1 && event->type() == QEvent::FocusIn) {
        TreeView1_SelectedNodeBlack();
    } else if (watched == TreeView1 && event->type() == QEvent::FocusOut) {
        TreeView1_SelectedNodeWhite();
    }
    return WorkWindow::eventFilter(watched, event);
}

bool 关键词工具::DbMissing() {
    return DatabaseStillMissing(fields_.ToolsDbMissing);
}
