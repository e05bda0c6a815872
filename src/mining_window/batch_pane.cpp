// The batch pane: the stored keyword list whose checked rows are mined in turn, the batch's
// saving and shut-down options, its mining options and the results of the current keyword.
#include "mining/batch_mining.h"
#include "mining_window/batch_keywords.h"
#include "mining_window/mining_window.h"
#include "mining_window/notice.h"
#include "mining_window/pane_frames.h"
#include "mining_window/result_columns.h"
#include "mining_window/twips_layout.h"
#include "platform/prompts.h"
#include "shared/failure_notice.h"
#include "shared/folder_picker.h"
#include "shared/list_exporter.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "shell/database_bootstrap.h"

namespace {

constexpr int kFrameWidth = 4695;
constexpr int kListLeft = 5040;

}  // namespace

void 关键词挖掘::BuildBatchPane() {
    using twips_layout::Caption;
    using twips_layout::Put;
    Put(NAMED(Frame2), new platform::Frame(QStringLiteral("批量设置"), pic2), 120, 120, kFrameWidth,
        5760);
    Put(NAMED(ListView8), new platform::ListView(Frame2), 120, 300, 3300, 2760);
    ListView8->SetCheckBoxes(true);
    ListView8->AddColumn(kBatchKeywordColumn.caption, kBatchKeywordColumn.widthTwips);
    twips_layout::PlaceButtonColumn(Frame2, 3540, 300,
                                    {{NAMED(Command4), QStringLiteral("全选"), 1035},
                                     {NAMED(Command16), QStringLiteral("批量添加"), 1035},
                                     {NAMED(Command6), QStringLiteral("删除"), 1035},
                                     {NAMED(Command7), QStringLiteral("导入"), 1035},
                                     {NAMED(Command8), QStringLiteral("导出"), 1035}});

    Caption(Frame2, QStringLiteral("每个词查询："), 120, 3210, 1080);
    Put(NAMED(kwmax), new platform::TextBox(Frame2), 1200, 3180, 700, 300);
    kwmax->SetText(QStringLiteral("100"));
    Caption(Frame2, QStringLiteral("个相关关键词"), 1960, 3210, 1100);
    Caption(Frame2, QStringLiteral("（0表示无限）"), 3060, 3210, 1500);

    Caption(Frame2, QStringLiteral("每个词查完后，自动保存为"), 120, 3630, 2200);
    Put(NAMED(Combo1), new platform::ComboBox(Frame2), 2340, 3600, 1000, 330);
    Combo1->AddItem(QStringLiteral("不保存"));
    Combo1->AddItem(QStringLiteral("Txt"));
    Combo1->SetListIndex(1);
    Caption(Frame2, QStringLiteral("格式"), 3400, 3630, 500);
    Caption(Frame2, QStringLiteral("（保存文件名为查询关键词名称+保存时间的组合）"), 120, 3990,
            kFrameWidth - 240);

    Caption(Frame2, QStringLiteral("保存路径："), 120, 4410, 900);
    Put(NAMED(Text3), new platform::TextBox(Frame2), 1020, 4380, 2700, 300);
    Put(NAMED(Command3), new platform::CommandButton(QStringLiteral("设置"), Frame2), 3780, 4350,
        795, 360);

    Put(NAMED(is_shutdown),
        new platform::CheckBox(QStringLiteral("批量查询完毕后，自动关机"), Frame2), 120, 4800, 2520,
        270);
    Caption(Frame2, QStringLiteral("（选择此项需谨慎）"), 2640, 4800, 1900);
    Put(NAMED(Command9), new platform::CommandButton(QStringLiteral("开始挖掘"), Frame2), 1560,
        5220, 1500, 390);

    pane_frames::BuildOptionFrame(pic2, 120 + 5760 + pane_frames::kFrameGap,
                                  {NAMED(Frame1),
                                   NAMED(Check1),
                                   {},
                                   NAMED(Check9),
                                   NAMED(Text8),
                                   NAMED(Check5),
                                   NAMED(Check4),
                                   NAMED(Check3)},
                                  kFrameWidth);

    Put(NAMED(ListView3), new platform::ListView(pic2), kListLeft, 120, 6600, 8400);
    ListView3->SetCheckBoxes(true);
    ListView3->Rows().SetColumns(kMiningResultColumns.Headers());
    ConnectBatchPaneCommands();
}

void 关键词挖掘::pic2_Resize() {
    twips_layout::SetHeight(ListView3, platform::PixelsToTwips(pic2->height()) - 500);
    twips_layout::SetWidth(ListView3, platform::PixelsToTwips(pic2->width()) - 5400);
}

void 关键词挖掘::Command9_Click() {
    // The batch waits inside this click: the window stays loaded until it returns.
    ++runningClicks_;
    mining::BatchMiningClick(*batchMode_);
    --runningClicks_;
}

bool 关键词挖掘::BatchInProgress() const {
    return Command9->Caption() != mining::kStartCaption || fields_.BatchRun.BatchActive;
}

void 关键词挖掘::ReloadBatchList() {
    batch_keywords::ReloadBatchKeywords(SharedConnection(), ListView8->Rows());
}

void 关键词挖掘::ConnectBatchPaneCommands() {
    connect(Command9, &platform::CommandButton::Click, this, [this] { Command9_Click(); });
    connect(Command3, &platform::CommandButton::Click, this, [this] { Command3_Click(); });
    connect(Command4, &platform::CommandButton::Click, this, [this] { Command4_Click(); });
    connect(Command6, &platform::CommandButton::Click, this, [this] { Command6_Click(); });
    connect(Command7, &platform::CommandButton::Click, this, [this] { Command7_Click(); });
    connect(Command8, &platform::CommandButton::Click, this, [this] { Command8_Click(); });
    connect(Command16, &platform::CommandButton::Click, this, [this] { Command16_Click(); });
}

void 关键词挖掘::Command3_Click() {
    // A cancelled picker leaves the folder as it was.
    const QString folder =
        BrowseForFolder(Text3->Text(), QStringLiteral("请选择欲保存路径的文件夹"));
    if (!folder.isEmpty()) Text3->SetText(folder);
}

void 关键词挖掘::Command16_Click() {
    ShowAddKeywords(*this, QStringLiteral("1"));
}

platform::RowTable* 关键词挖掘::ShownList(AddKeywordsMode mode) {
    switch (mode) {
        case AddKeywordsMode::Batch:
            return &ListView8->Rows();
        case AddKeywordsMode::Manual:
            return &ListView2->Rows();
        case AddKeywordsMode::Database:
            return nullptr;
    }
    return nullptr;
}

platform::RowTable* 关键词挖掘::MasterList(AddKeywordsMode mode) {
    return mode == AddKeywordsMode::Manual ? &ListView5 : nullptr;
}

void 关键词挖掘::Command4_Click() {
    ToggleAllRows(Command4, ListView8);
}

void 关键词挖掘::Command6_Click() {
    const batch_keywords::DeleteOutcome outcome =
        batch_keywords::DeleteCheckedKeywords(SharedConnection(), ListView8->Rows());
    if (!outcome.anyChecked) {
        Notice(QStringLiteral("请选择你要删除的关键词"));
        return;
    }
    if (!outcome.kept.isEmpty())
        TellFailure(QStringLiteral("以下关键词未能从数据库中删除，仍留在列表中：") +
                    outcome.kept.join(QStringLiteral("、")) + u'\n' + outcome.error);
}

void 关键词挖掘::Command7_Click() {
    if (DatabaseStillMissing(fields_.MiningDbMissing)) {
        Notice(QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！"));
        return;
    }
    const QString path = TrimBlanks(platform::ThePrompts().OpenFile(
        QStringLiteral("导入关键词列表"), QStringLiteral("文本文件 (*.txt)")));
    if (path.isEmpty()) return;
    const list_import::ImportOutcome outcome =
        batch_keywords::ImportKeywordFile(SharedConnection(), ListView8->Rows(), path);
    const QString message = list_import::ImportMessage(outcome, path, QStringLiteral("关键词"));
    if (message.isEmpty()) return;
    TellOutcome(message, list_import::ImportFailed(outcome));
}

void 关键词挖掘::Command8_Click() {
    ExportListLines(ListView8->Rows(), this, QStringLiteral("网站列表导出成功！"));
}
