// The rank page's run: the start button and the result list.
#include "platform/shell.h"
#include "shared/failure_notice.h"
#include "shared/running_job.h"
#include "shared/shared_connection.h"
#include "shell/database_bootstrap.h"
#include "tools_window/engine_icons.h"
#include "tools_window/notices.h"
#include "tools_window/rank_columns.h"
#include "tools_window/rank_run.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Put;

}  // namespace

void 关键词工具::BuildRunControls() {
    Command21 = Put<platform::CommandButton>("Command21", pic4, {3960, 5160, 1335, 375},
                                             QStringLiteral("开始查询"));
    Frame14 =
        Put<platform::Frame>("Frame14", pic4, {120, 5760, 6135, 3375}, QStringLiteral("查询结果"));
    ListView12 = Put<platform::ListView>("ListView12", Frame14, {120, 240, 5895, 3015});
    ListView12->Rows().SetColumns(rank_columns::kResultHeaders);
    ListView12->Rows().SetImageList(EngineImageList());
    connect(Command21, &platform::CommandButton::Click, this, [this] { Command21_Click(); });
    connect(ListView12, &platform::ListView::DblClick, this, [this] { ListView12_DblClick(); });
}

void 关键词工具::Command21_Click() {
    if (DatabaseStillMissing(fields_.ToolsDbMissing)) {
        Notice(kDatabaseMissingNotice);
        return;
    }
    const QString refusal =
        RankQueryRefusal(ListView8->Rows(), ListView9->Rows(), ListView10->Rows());
    if (!refusal.isEmpty()) {
        Notice(refusal);
        return;
    }
    if (jobs::RefuseStartWhileBusy()) return;
    const jobs::Running running(QStringLiteral("排名查询"));
    const RankRunPlan plan = PlanRankRun(ListView8->Rows(), ListView9->Rows(), ListView10->Rows(),
                                         DepthPages(), DepthText());
    ListView12->Clear();
    Command21->SetEnabled(false);
    ++runningRuns_;
    const RankRunOutcome outcome =
        RunRankQuery(plan, *this, ListView12->Rows(), SharedConnection());
    --runningRuns_;
    // The history is read again unless the saves stopped: the read would wait anew.
    if (outcome.savesStoppedBy.isEmpty()) {
        RefillHistoryFilters();
        ReloadHistory();
    }
    TellOutcome(RankRunEndMessage(outcome), outcome.AnyFailed());
    Command21->SetEnabled(true);
}

void 关键词工具::ListView12_DblClick() {
    const int row = ListView12->SelectedIndex();
    if (row == 0) return;
    const QString page = ListView12->Rows().Tag(row);
    if (!page.isEmpty()) platform::TheShell().Open(page, this);
}
