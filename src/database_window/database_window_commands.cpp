#include <QCursor>

#include "database_window/database_window.h"
#include "database_window/db_column_sort.h"
#include "database_window/keyword_db_list.h"
#include "database_window/keyword_db_row.h"
#include "keyword_lists/comparison_handoff.h"
#include "keyword_lists/keyword_filter.h"
#include "platform/prompts.h"
#include "shared/busy_indicator.h"
#include "shared/failure_notice.h"
#include "shared/running_job.h"
#include "shared/shared_connection.h"
#include "shell/blocking_settings_dialog.h"
#include "shell/database_bootstrap.h"

namespace {

const QString kDbMissing = QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！");
const QString kStart = QStringLiteral("更新数据库");
const QString kPause = QStringLiteral("暂停更新");
const QString kStopping = QStringLiteral("正在停止");

void Tell(const QString& text) {
    platform::ThePrompts().MessageBox(text, QStringLiteral("提示"), platform::Buttons::Ok,
                                      platform::Icon::Information);
}

}  // namespace

void 关键词数据库::GetDb() {
    if (DatabaseStillMissing(KeywordDbMissing)) return;
    platform::Connection& db = SharedConnection();
    if (!LoadKeywordDb(db, ListView16->Rows(), ListView13))
        TellFailure(QStringLiteral("无法读取数据库中的关键词，列表为空。\n原因：") +
                    db.LastError());
}

void 关键词数据库::Command48_Click() {
    if (!ListView16->Rows().AnyChecked()) {
        Tell(QStringLiteral("请选择你要删除的关键词"));
        return;
    }
    platform::Connection& db = SharedConnection();
    if (!DeleteCheckedKeywords(db, ListView16->Rows(), ListView13))
        TellFailure(QStringLiteral("选中的关键词未能从数据库删除，仍留在列表中。\n原因：") +
                    db.LastError());
}

void 关键词数据库::Command49_Click() {
    if (DatabaseStillMissing(KeywordDbMissing)) {
        Tell(kDbMissing);
        return;
    }
    // The reload would empty the list the refresh walks.
    if (refreshing_) {
        Tell(QStringLiteral("正在更新数据库，请先暂停更新再进行此操作！"));
        return;
    }
    GetDb();
}

void 关键词数据库::Command53_Click() {
    const bool check = Command53->Caption() == QStringLiteral("全选");
    ListView16->Rows().SetAllChecked(check);
    Command53->SetCaption(check ? QStringLiteral("全不选") : QStringLiteral("全选"));
}

void 关键词数据库::Command47_Click() {
    if (WorkWindowMenus* menus = TheWorkWindowMenus()) menus->m_daochu3->popup(QCursor::pos());
}

void 关键词数据库::Command22_Click() {
    FilterKeywordList(ListView16->Rows(), Frame9->Filter(), kKeywordDbColumns);
}

void 关键词数据库::Command17_Click() {
    RestoreFromMaster(ListView16->Rows(), ListView13);
}

void 关键词数据库::Command13_Click() {
    CompareInToolsWindow(ListView16->Rows());
}

void 关键词数据库::Command45_Click() {
    // Any mode other than "1" and "2" is the database's.
    ShowAddKeywords(*this, QStringLiteral("3"));
}

platform::RowTable* 关键词数据库::ShownList(AddKeywordsMode mode) {
    return mode == AddKeywordsMode::Database ? &ListView16->Rows() : nullptr;
}

platform::RowTable* 关键词数据库::MasterList(AddKeywordsMode mode) {
    return mode == AddKeywordsMode::Database ? &ListView13 : nullptr;
}

void 关键词数据库::ListView16_ColumnClick(int column) {
    ListView16->SetSortKey(column - 1);
    ListView16->SetSortOrder(ListView16->SortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                           : Qt::AscendingOrder);
    SortKeywordDbList(ListView16->Rows(), column, ListView16->SortOrder());
}

void 关键词数据库::ShowBlockingSettings() {
    ::ShowBlockingSettings(this);
}

void 关键词数据库::Command44_Click() {
    if (DatabaseStillMissing(KeywordDbMissing)) {
        Tell(kDbMissing);
        return;
    }
    if (Command44->Caption() != kStart) {
        UpdateRunning = false;
        Command44->SetCaption(kStopping);
        Command44->SetEnabled(false);
        return;
    }
    if (!VolumeTicked() && !CountTicked()) {
        Tell(QStringLiteral("请至少选择一个要更新的项目"));
        return;
    }
    if (jobs::RefuseStartWhileBusy()) return;
    const jobs::Running running(QStringLiteral("更新数据库"));
    ListView16->SetSorted(false);
    Command44->SetCaption(kPause);
    BusyIndicator::Set(BusyIndicator::kRunning);
    UpdateRunning = true;
    Frame9->setEnabled(false);
    UpdateDb();
}

void 关键词数据库::UpdateDb() {
    if (DatabaseStillMissing(KeywordDbMissing)) {
        Tell(kDbMissing);
        return;
    }
    refreshing_ = true;
    const DbRefreshOutcome outcome = RefreshKeywordRows(*this);
    refreshing_ = false;
    UpdateRunning = false;
    valuesUnsaved_ = valuesUnsaved_ || outcome.unsaved > 0;
    FinishDbRefresh(outcome.paused || !outcome.stoppedBy.isEmpty());
    QStringList problems;
    if (!outcome.stoppedBy.isEmpty())
        problems << outcome.stoppedBy +
                        QStringLiteral(
                            "，更新已暂停；问题解决后再点“更新数据库”，从加粗的一行继续。");
    if (outcome.notObtained > 0)
        problems << QStringLiteral(
                        "%1个关键词未能取得新数据（网络不通、服务器无应答或被屏蔽），"
                        "保留原来的数值。")
                        .arg(outcome.notObtained);
    // A save that stopped the run has told its cause above.
    if (outcome.unsaved > 0)
        problems << QStringLiteral("%1个关键词的新数据未能写入数据库，只显示在列表中。")
                            .arg(outcome.unsaved) +
                        (outcome.stoppedBy.isEmpty()
                             ? QStringLiteral("\n原因：") + SharedConnection().LastError()
                             : QString());
    if (!problems.isEmpty()) TellFailure(problems.join(u'\n'));
}

void 关键词数据库::DropPausedRefreshWithoutItsRow() {
    if (!refreshPaused_) return;
    if (ListView16->Rows().FirstBold()) return;
    // The next refresh starts at the top.
    refreshPaused_ = false;
    PausedJobGone();
}

void 关键词数据库::FinishDbRefresh(bool paused) {
    Frame9->setEnabled(true);
    Command44->SetEnabled(true);
    Command44->SetCaption(kStart);
    refreshPaused_ = paused;
    BusyIndicator::Set(paused ? BusyIndicator::kPaused : BusyIndicator::kReady);
}
