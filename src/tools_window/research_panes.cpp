#include "research_tools/research_pages.h"

#include "tools_window/tools_window.h"

namespace research {

ResearchPanes::ResearchPanes(关键词工具& window)
    : IndexQuery(window), Comparison(window), HotKeywords(window) {}

void ResearchPanes::Form_Load() {
    HotKeywords.FillCategoryTree();
}

void ResearchPanes::Resize() {
    IndexQuery.pic1_Resize();
    HotKeywords.Pic5_Resize();
    Comparison.pic6_Resize();
}

bool ResearchPanes::JobRunning() const {
    return IndexQuery.JobRunning() || Comparison.JobRunning() || HotKeywords.JobRunning();
}

std::unique_ptr<ResearchPages> MakeResearchPanes(关键词工具& window) {
    return std::make_unique<ResearchPanes>(window);
}

ResearchPanes* ResearchPanesOf(关键词工具& window) {
    return dynamic_cast<ResearchPanes*>(window.Research());
}

}  // namespace research
