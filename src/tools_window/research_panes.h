#pragma once

#include <memory>

#include "research_tools/comparison_pane.h"
#include "research_tools/hot_keyword_pane.h"
#include "research_tools/index_query_pane.h"
#include "tools_window/research_pages.h"

// The keyword tools window's research pages: the index query with its detail view, the keyword
// comparison and the hot keywords, built into the window's panes when the window is made.
namespace research {

class ResearchPanes final : public ResearchPages {
  public:
    explicit ResearchPanes(关键词工具& window);

    void Form_Load() override;
    void Resize() override;
    bool JobRunning() const override;

    IndexQueryPane IndexQuery;
    ComparisonPane Comparison;
    HotKeywordPane HotKeywords;
};

// The factory the program installs (SetResearchPagesFactory).
std::unique_ptr<ResearchPages> MakeResearchPanes(关键词工具& window);

// The research pages of `window`; nullptr when it was made without them.
ResearchPanes* ResearchPanesOf(关键词工具& window);

}  // namespace research
