#include "tools_window/comparison_entry.h"

#include "shell/work_windows.h"
#include "tools_window/tools_window.h"

namespace research {

namespace {
// The comparison page's node in the page tree.
constexpr int kComparisonNode = 4;
}  // namespace

void ToolsWindowComparison::CompareKeywords(const QString& keywords) {
    auto* window = dynamic_cast<关键词工具*>(ShowWorkWindow(WorkWindowKind::Tools));
    if (!window) return;
    window->TreeView1->ClickNode(kComparisonNode);
    ComparisonPane& comparison = window->Research().Comparison;
    comparison.Text8->SetText(keywords);
    comparison.Command31_Click();
}

}  // namespace research
