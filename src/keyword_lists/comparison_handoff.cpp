#include "keyword_lists/comparison_handoff.h"

#include <QStringList>

#include "platform/prompts.h"
#include "platform/row_table.h"
#include "shared/busy_indicator.h"
#include "shared/failure_notice.h"
#include "shared/job_progress.h"
#include "shared/running_job.h"

namespace {

ComparisonTool* installed = nullptr;

void Tell(const QString& text) {
    platform::ThePrompts().MessageBox(text, QStringLiteral("提示"), platform::Buttons::Ok,
                                      platform::Icon::Information);
}

}  // namespace

void InstallComparisonTool(ComparisonTool* tool) {
    installed = tool;
}

ComparisonTool* TheComparisonTool() {
    return installed;
}

void CompareInToolsWindow(const platform::RowTable& list) {
    QStringList keywords;
    for (int row = 1; row <= list.Count(); ++row)
        if (list.Checked(row)) keywords << list.Text(row);
    if (keywords.isEmpty()) {
        Tell(QStringLiteral("请选择要对比分析的关键词！"));
        return;
    }
    // A comparison under way keeps its keywords; any other job would be held up by it.
    if (jobs::RefuseStartWhileBusy()) return;
    BusyIndicator::Set(BusyIndicator::kReady);
    JobProgress::Clear();
    if (!installed) {
        TellFailure(QStringLiteral("关键词工具窗口暂时无法打开，不能进行对比分析。"));
        return;
    }
    installed->CompareKeywords(keywords.join(u'#'));
}
