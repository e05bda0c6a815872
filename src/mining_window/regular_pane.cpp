// The regular pane: one seed, its options, the result filter and the result list with its
// commands.
#include "mining/mining_run.h"
#include "mining_window/mining_window.h"
#include "mining_window/pane_frames.h"
#include "mining_window/result_columns.h"
#include "mining_window/twips_layout.h"

namespace {

constexpr int kListLeft = 3960;

}  // namespace

void 关键词挖掘::BuildRegularPane() {
    using twips_layout::Put;
    const int optionsTop =
        120 + pane_frames::BuildSeedFrame(pic1, {NAMED(Frame10), NAMED(Text2), NAMED(Command2)}) +
        pane_frames::kFrameGap;
    const int optionsHeight = pane_frames::BuildOptionFrame(pic1, optionsTop,
                                                            {NAMED(Frame13),
                                                             NAMED(Check6),
                                                             {},
                                                             NAMED(Check2),
                                                             NAMED(Text14),
                                                             NAMED(Check7),
                                                             NAMED(Check8),
                                                             NAMED(Check11)});
    pane_frames::BuildFilterFrame(pic1, optionsTop + optionsHeight + pane_frames::kFrameGap,
                                  {NAMED(Frame9),
                                   NAMED(Combo4),
                                   NAMED(Text4),
                                   {NAMED(Combo5), NAMED(Combo6), NAMED(Combo7), NAMED(Combo9)},
                                   {NAMED(Text5), NAMED(Text6), NAMED(Text7), NAMED(Text9)},
                                   NAMED(Command17),
                                   NAMED(Command22)});

    Put(NAMED(ListView1), new platform::ListView(pic1), kListLeft, 120, 7700, 7200);
    ListView1->SetCheckBoxes(true);
    ListView1->Rows().SetColumns(kMiningResultColumns.Headers());
    ListView17.SetColumns(kMiningResultColumns.Headers());

    // The notes under the list.
    const struct {
        twips_layout::Named<platform::Label> label;
        QString text;
    } notes[] = {
        {NAMED(Label22),
         QStringLiteral("“优化指数”是指关键词的搜索量x10000/关键词的百度收录网页量，"
                        "“优化指数”从一定意义上反应了一组相关")},
        {NAMED(Label32), QStringLiteral("关键词之间的优化难易程度的对比（越大越易）。需要更精确的分"
                                        "析，请使用软件的“关键词竞争度分析”功能。")},
        {NAMED(Label63), QStringLiteral("注：单元格中的“-”表示未查询，“0”表示没有查到数据；点击列"
                                        "标题可按该列升序或降序排列。")}};
    int noteTop = 7400;
    for (const auto& note : notes) {
        Put(note.label, new platform::Label(note.text, pic1), kListLeft, noteTop, 7700, 255);
        noteTop += 300;
    }
    twips_layout::PlaceButtonRow(pic1, kListLeft, 8300,
                                 {{NAMED(Command34), QStringLiteral("全选"), 1000},
                                  {NAMED(Command14), QStringLiteral("删除关键词"), 1300},
                                  {NAMED(Command15), QStringLiteral("加入关键词数据库"), 1800},
                                  {NAMED(Command42), QStringLiteral("关键词对比"), 1300},
                                  {NAMED(Command43), QStringLiteral("导出数据"), 1300}});

    connect(Command2, &platform::CommandButton::Click, this, [this] { Command2_Click(); });
    ConnectResultListCommands();
}

void 关键词挖掘::Command2_Click() {
    // The run waits inside this click: the window stays loaded until it returns.
    ++runningClicks_;
    mining::RegularMiningClick(*regularMode_);
    --runningClicks_;
}

void 关键词挖掘::pic1_Resize() {
    using namespace twips_layout;
    const int h = platform::PixelsToTwips(pic1->height());
    const int w = platform::PixelsToTwips(pic1->width());
    SetHeight(ListView1, h - 1800);
    SetWidth(ListView1, w - 4300);
    // The notes under the list are as wide as the list: on a narrow screen they take a smaller
    // type instead of running past the window's edge.
    for (QWidget* note : {Label22, Label32, Label63}) SetWidth(note, w - 4300);
    platform::FitLines({Label22, Label32, Label63});
    SetTop(Label22, h - 1600);
    SetTop(Label32, h - 1300);
    SetTop(Label63, h - 1000);
    for (QWidget* button : {Command14, Command15, Command34, Command42, Command43})
        SetTop(button, h - 700);
}
