// The regular pane's result list: its commands, its filter, its column sort and its row menu.
#include <QCursor>

#include "keyword_lists/comparison_handoff.h"
#include "keyword_lists/keyword_filter.h"
#include "metrics/keyword_table.h"
#include "mining_window/mining_window.h"
#include "mining_window/notice.h"
#include "mining_window/result_columns.h"
#include "mining_window/result_commands.h"
#include "shared/busy_indicator.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "shell/database_bootstrap.h"

void 关键词挖掘::ConnectResultListCommands() {
    connect(Command14, &platform::CommandButton::Click, this, [this] { Command14_Click(); });
    connect(Command15, &platform::CommandButton::Click, this, [this] { Command15_Click(); });
    connect(Command17, &platform::CommandButton::Click, this, [this] { Command17_Click(); });
    connect(Command22, &platform::CommandButton::Click, this, [this] { Command22_Click(); });
    connect(Command34, &platform::CommandButton::Click, this, [this] { Command34_Click(); });
    connect(Command42, &platform::CommandButton::Click, this, [this] { Command42_Click(); });
    connect(Command43, &platform::CommandButton::Click, this, [this] { Command43_Click(); });
    connect(ListView1, &platform::ListView::ColumnClick, this,
            [this](int column) { ListView1_ColumnClick(column); });
    connect(
        ListView1, &platform::ListView::MouseDown, this,
        [this](Qt::MouseButton button, QPoint position) { ListView1_MouseDown(button, position); });
}

void 关键词挖掘::Command14_Click() {
    if (!result_commands::DeleteCheckedRows(ListView1->Rows(), ListView17))
        Notice(QStringLiteral("请选择你要删除的关键词"));
}

void 关键词挖掘::Command15_Click() {
    if (DatabaseStillMissing(fields_.MiningDbMissing)) {
        Notice(QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！"));
        return;
    }
    const result_commands::SubmitOutcome outcome = result_commands::SubmitCheckedRows(
        SharedConnection(), ListView1->Rows(), kMiningResultColumns, TrimBlanks(Text2->Text()),
        metrics::TodayText());
    // The submit is whole or nothing: a failure wrote no row, and is no success.
    if (outcome.failed > 0) {
        platform::ThePrompts().MessageBox(
            QStringLiteral("提交失败，%1条数据都没有写入数据库。\n原因：%2")
                .arg(outcome.failed)
                .arg(outcome.error),
            QStringLiteral("提示"), platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    Notice(QStringLiteral("成功提交了") + QString::number(outcome.written) +
           QStringLiteral("条数据至数据库！"));
}

void 关键词挖掘::Command17_Click() {
    RestoreFromMaster(ListView1->Rows(), ListView17);
}

void 关键词挖掘::Command22_Click() {
    FilterKeywordList(ListView1->Rows(), Frame9->Filter(), kMiningResultColumns);
}

void 关键词挖掘::Command34_Click() {
    ToggleAllRows(Command34, ListView1);
}

void 关键词挖掘::ToggleAllRows(platform::CommandButton* button, platform::ListView* list) {
    const bool check = button->Caption() == QStringLiteral("全选");
    list->Rows().SetAllChecked(check);
    button->SetCaption(check ? QStringLiteral("全不选") : QStringLiteral("全选"));
}

void 关键词挖掘::Command42_Click() {
    CompareInToolsWindow(ListView1->Rows());
}

void 关键词挖掘::Command43_Click() {
    if (WorkWindowMenus* menus = TheWorkWindowMenus()) menus->m_daochu1->popup(QCursor::pos());
}

void 关键词挖掘::ListView1_ColumnClick(int column) {
    // A run of the window fills the list meanwhile.
    if (JobRunning()) return;
    // The order flips on every click, whichever column is clicked.
    ListView1->SetSortKey(column - 1);
    ListView1->SetSortOrder(ListView1->SortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                         : Qt::AscendingOrder);
    result_commands::SortResultList(ListView1->Rows(), column, ListView1->SortOrder());
}

void 关键词挖掘::ListView1_MouseDown(Qt::MouseButton button, QPoint position) {
    if (button != Qt::RightButton || ListView1->Count() == 0) return;
    if (WorkWindowMenus* menus = TheWorkWindowMenus()) menus->m_xggjc->popup(position);
}
