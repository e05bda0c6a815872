#pragma once

#include <QString>

namespace platform {
class RowTable;
}

// Copies the visible columns (width not 0) of `list` into a new workbook saved under `path`:
// their captions in a bold, size-12 first row, the rows below, every column fitted to its
// content. On failure it shows "导出失败，原因如下：" with the error's number and description
// and saves nothing; without the spreadsheet writer's library it says that Excel is missing.
// A cell longer than a workbook cell holds is cut to that limit, and the
// user is told which cells were cut. Whether the workbook was saved.
bool ExportListToExcel(const platform::RowTable& list, const QString& path);
