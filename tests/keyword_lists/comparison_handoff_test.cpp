#include "keyword_lists/comparison_handoff.h"

#include <gtest/gtest.h>

#include "keyword_lists/recording_comparison_tool.h"
#include "platform/row_table.h"
#include "shared/busy_indicator.h"
#include "support/qt_printers.h"
#include "support/scripted_prompts.h"

namespace {

using RecordingTool = mining_testing::RecordingComparisonTool;

void Fill(platform::RowTable& list, std::initializer_list<std::pair<const char*, bool>> rows) {
    for (const auto& [text, checked] : rows) list.Add(QString::fromUtf8(text)).SetChecked(checked);
}

TEST(ComparisonHandoff, HandsTheCheckedKeywordsTopToBottomJoinedByHash) {
    testing_support::ScriptedPrompts prompts;
    RecordingTool tool;
    BusyIndicator::Set(BusyIndicator::kRunning);
    platform::RowTable list;
    Fill(list, {{"seo", true}, {"skip", false}, {"优化#", true}});

    CompareInToolsWindow(list);

    EXPECT_EQ(tool.handed, QStringList({"seo#优化#"}));
    EXPECT_EQ(tool.busyWhenHanded, BusyIndicator::kReady);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(ComparisonHandoff, NothingCheckedOrNoToolIsToldAndNothingIsHanded) {
    testing_support::ScriptedPrompts prompts;
    platform::RowTable list;
    Fill(list, {{"seo", false}});
    {
        RecordingTool tool;
        CompareInToolsWindow(list);
        EXPECT_TRUE(tool.handed.isEmpty());
    }
    list.SetChecked(1, true);
    CompareInToolsWindow(list);
    EXPECT_EQ(prompts.Texts(), QStringList({"请选择要对比分析的关键词！",
                                            "关键词工具窗口暂时无法打开，不能进行对比分析。"}));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
}

}  // namespace
