// The progress a mining run shows in the status bar.
#include "mining_window/mining_window.h"
#include "platform/row_table.h"
#include "shared/job_progress.h"

void 关键词挖掘::ShowMiningProgress(metrics::Pane pane, const QString& keyword) {
    JobProgress::Set(QStringLiteral("累计查询到相关关键词：") +
                         QString::number(ResultList(pane)->Count()) + QStringLiteral("个"),
                     QStringLiteral("当前相关关键词：") + keyword);
}
