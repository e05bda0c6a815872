#pragma once

#include <functional>
#include <memory>

class 关键词工具;

// The window's research pages (the keyword index query with its detail view, the keyword
// comparison and the hot keywords) come from the research tools, which are built after this
// window: they put their controls into the panes pic1, pic6 and Pic5 when the window is made,
// and take part in its load, its layout and its busy test through this interface.
class ResearchPages {
  public:
    virtual ~ResearchPages() = default;
    // The pages' step of the window's load: the hot-keyword category tree.
    virtual void Form_Load() = 0;
    // Lays the pages out after the window's size has changed.
    virtual void Resize() = 0;
    // Whether a job of the pages runs.
    virtual bool JobRunning() const = 0;
    // Whether a page's list holds results (index query, comparison, hot list): they are saved
    // nowhere but in the list.
    virtual bool HoldsResults() const = 0;
};

// Makes the research pages of a new window. The program installs it before any tools window
// is made; a window made without one has empty research panes.
using ResearchPagesFactory = std::function<std::unique_ptr<ResearchPages>(关键词工具&)>;
void SetResearchPagesFactory(ResearchPagesFactory factory);
const ResearchPagesFactory& TheResearchPagesFactory();
