#pragma once

#include <QString>

// What the batch helpers read of the mining window. The mining window implements it and
// installs itself while it exists.
class BatchBinding {
  public:
    virtual ~BatchBinding() = default;
    // The text of the batch pane's save folder box (Text3).
    virtual QString SaveFolder() const = 0;
};

// The binding in force; nullptr while there is no mining window.
BatchBinding* TheBatchBinding();
// Installs `binding` (not owned); nullptr removes it.
void InstallBatchBinding(BatchBinding* binding);
