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

bool ResearchPanes::HoldsResults() const {
    return IndexQuery.ListView3->Count() > 0 || Comparison.ListView18->Count() > 0 ||
           HotKeywords.ListView4->Count() > 0;
}

bool ResearchPanes::JobPaused() const {
    return HotKeywords.Paused() || Comparison.Paused();
}

}  // namespace research
