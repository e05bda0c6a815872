#pragma once

#include <QStringList>

#include "keyword_lists/comparison_handoff.h"
#include "shared/busy_indicator.h"

namespace mining_testing {

// Stands in for the keyword tools window's comparison page: records what it is handed and the
// busy state it found.
class RecordingComparisonTool final : public ComparisonTool {
  public:
    RecordingComparisonTool() { InstallComparisonTool(this); }
    ~RecordingComparisonTool() override { InstallComparisonTool(nullptr); }
    void CompareKeywords(const QString& keywords) override {
        handed << keywords;
        busyWhenHanded = BusyIndicator::Text();
    }
    QStringList handed;
    QString busyWhenHanded;
};

}  // namespace mining_testing
