#include "research_tools/comparison_entry.h"

#include "research_tools/research_pages.h"
#include "shell/work_windows.h"
#include "tools_window/tools_window.h"

namespace research {

namespace {
// The comparison page's node in the page tree.
constexpr int kComparisonNode = 4;
}  // namespace

void ToolsWindowComparison::CompareKeywords(const QString& keywords) {
    auto* window = dynamic_cast<关键词工具*>(ShowWorkWindow(WorkWindowKind::Tools));
    ResearchPanes* panes = window ? ResearchPanesOf(*window) : nullptr;
    if (!panes) return;
    window->TreeView1->ClickNode(kComparisonNode);
    panes->Comparison.Text8->SetText(keywords);
    panes->Comparison.Command31_Click();
}

}  // namespace research
