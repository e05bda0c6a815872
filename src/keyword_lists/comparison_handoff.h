#pragma once

#include <QString>

namespace platform {
class RowTable;
}

// The keyword comparison page of the keyword tools window, as the mining and database windows
// hand it their checked keywords. The tools window comes later in the build; it implements
// this and installs it.
class ComparisonTool {
  public:
    virtual ~ComparisonTool() = default;
    // Loads the tools window when it is not loaded, shows it maximised in front of the calling
    // window (which stays open behind it), opens its comparison page (node 4 of its tool tree,
    // through TreeView1_NodeClick), puts `keywords` ("#"-joined) into its keyword box Text8 and
    // runs Command31_Click; returns when that returns.
    virtual void CompareKeywords(const QString& keywords) = 0;
};

// Installs `tool` (not owned); nullptr when there is none.
void InstallComparisonTool(ComparisonTool* tool);
ComparisonTool* TheComparisonTool();

// CompareInToolsWindow: hands the checked rows of `list`, top to bottom, joined by "#", to the
// comparison tool, after setting the status bar to "就绪" with empty job panels. Says
// "请选择要对比分析的关键词！" when no row is checked, and says so when there is no tool.
void CompareInToolsWindow(const platform::RowTable& list);
