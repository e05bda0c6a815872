#pragma once

#include "keyword_lists/comparison_handoff.h"

// The comparison hand-off's entry into the keyword tools window: the mining and database
// windows give it their ticked keywords; it opens the tools window on its comparison page with
// them and starts the comparison.
namespace research {

class ToolsWindowComparison final : public ComparisonTool {
  public:
    void CompareKeywords(const QString& keywords) override;
};

}  // namespace research
