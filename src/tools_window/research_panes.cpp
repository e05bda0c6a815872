#include "tools_window/research_panes.h"

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

}  // namespace research
