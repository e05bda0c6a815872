// The batch pane: the stored keyword list whose checked rows are mined in turn, the batch's
// saving and shut-down options, its mining options and the results of the current keyword.
#include "mining_window/batch_keywords.h"
#include "mining_window/mining_window.h"
#include "mining_window/pane_frames.h"
#include "mining_window/result_columns.h"
#include "mining_window/twips_layout.h"
#include "shared/shared_connection.h"

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
}

void 关键词挖掘::pic2_Resize() {
    twips_layout::SetHeight(ListView3, platform::PixelsToTwips(pic2->height()) - 500);
    twips_layout::SetWidth(ListView3, platform::PixelsToTwips(pic2->width()) - 5400);
}

void 关键词挖掘::ReloadBatchList() {
    batch_keywords::ReloadBatchKeywords(SharedConnection(), ListView8->Rows());
}
