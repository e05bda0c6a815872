#pragma once

#include <QString>

#include "metrics/row_handle.h"

namespace research {

// Writes cell `cell` (0 the row text, j sub-item j) of `row`, when the row is still listed.
inline void WriteCell(const metrics::RowHandle& row, int cell, const QString& value) {
    if (const int index = row.Index()) row.List()->SetCell(index, cell, value);
}

}  // namespace research
