#pragma once

#include "tools_window/comparison_pane.h"
#include "tools_window/hot_keyword_pane.h"
#include "tools_window/index_query_pane.h"

// The keyword tools window's research pages: the index query with its detail view, the keyword
// comparison and the hot keywords, built into the window's panes when the window is made.
namespace research {

class ResearchPanes {
  public:
    explicit ResearchPanes(关键词工具& window);

    // The pages' step of the window's load: the hot-keyword category tree.
    void Form_Load();
    // Lays the pages out after the window's size has changed.
    void Resize();
    // Whether a job of the pages runs.
    bool JobRunning() const;
    // Whether a page's list holds results (index query, comparison, hot list): they are saved
    // nowhere but in the list.
    bool HoldsResults() const;
    // Whether the hot list or the comparison is paused, to be resumed.
    bool JobPaused() const;

    IndexQueryPane IndexQuery;
    ComparisonPane Comparison;
    HotKeywordPane HotKeywords;
};

}  // namespace research
