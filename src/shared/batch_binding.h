#pragma once

#include <QString>

namespace platform {
class RowTable;
}

// What the batch helpers read of the mining window. The mining window implements it and
// installs itself while it exists.
class BatchBinding {
  public:
    virtual ~BatchBinding() = default;
    // The batch keyword list (ListView8): its checked rows, top to bottom, are the batch queue.
    virtual const platform::RowTable& BatchKeywordList() const = 0;
    // The text of the batch position box (txtkw): which checked row the run works on, from 1.
    virtual QString BatchPosition() const = 0;
    // The text of the batch pane's save folder box (Text3).
    virtual QString SaveFolder() const = 0;
};

// The binding in force; nullptr while there is no mining window.
BatchBinding* TheBatchBinding();
// Installs `binding` (not owned); nullptr removes it.
void InstallBatchBinding(BatchBinding* binding);
