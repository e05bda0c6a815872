// The manual pane: shown like the others; its options and two of its texts are remembered,
// its buttons do nothing and nothing fills its lists.
#include "mining_window/mining_window.h"
#include "mining_window/pane_frames.h"
#include "mining_window/result_columns.h"
#include "mining_window/twips_layout.h"

namespace {

constexpr int kListLeft = 3960;

}  // namespace

void 关键词挖掘::BuildManualPane() {
    using twips_layout::Put;
    pane_frames::OptionFrame options{NAMED(Frame4), NAMED(Check16), NAMED(Text13),  NAMED(Check12),
                                     NAMED(Text10), NAMED(Check15), NAMED(Check14), NAMED(Check13)};
    options.mustContainCaption = QStringLiteral("相关关键词中必须包含以下关键词");
    options.excludeCaption = QStringLiteral("相关关键词词中不包含以下关键词：");
    const int optionsHeight = pane_frames::BuildOptionFrame(pic3, 120, options);
    pane_frames::BuildFilterFrame(pic3, 120 + optionsHeight + pane_frames::kFrameGap,
                                  {NAMED(Frame5),
                                   NAMED(Combo15),
                                   NAMED(Text15),
                                   {NAMED(Combo16), NAMED(Combo17), NAMED(Combo18), NAMED(Combo19)},
                                   {NAMED(Text16), NAMED(Text17), NAMED(Text18), NAMED(Text19)},
                                   NAMED(Command18),
                                   NAMED(Command19)});

    Put(NAMED(ListView2), new platform::ListView(pic3), kListLeft, 120, 7700, 7400);
    ListView2->SetCheckBoxes(true);
    ListView2->Rows().SetColumns(kManualResultColumns.Headers());
    ListView5.SetColumns(kManualResultColumns.Headers());

    twips_layout::PlaceButtonRow(pic3, kListLeft, 7700,
                                 {{NAMED(Command33), QStringLiteral("添加单个关键词"), 1600},
                                  {NAMED(Command10), QStringLiteral("添加多个关键词"), 1600},
                                  {NAMED(Command13), QStringLiteral("删除关键词"), 1300},
                                  {NAMED(Command39), QStringLiteral("手工挖掘"), 1300}});
    twips_layout::PlaceButtonRow(pic3, kListLeft, 8200,
                                 {{NAMED(Command30), QStringLiteral("全选"), 1000},
                                  {NAMED(Command20), QStringLiteral("关键词对比"), 1300},
                                  {NAMED(Command51), QStringLiteral("加入关键词数据库"), 1800},
                                  {NAMED(Command21), QStringLiteral("导出数据"), 1300}});
}

void 关键词挖掘::pic3_Resize() {
    using namespace twips_layout;
    const int h = platform::PixelsToTwips(pic3->height());
    const int w = platform::PixelsToTwips(pic3->width());
    SetHeight(ListView2, h - 1600);
    SetWidth(ListView2, w - 4300);
    for (QWidget* button : {Command10, Command33, Command13, Command39}) SetTop(button, h - 1300);
    for (QWidget* button : {Command30, Command20, Command21, Command51}) SetTop(button, h - 800);
}
