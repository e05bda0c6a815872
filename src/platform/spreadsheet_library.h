#pragma once

#include <xlsxwriter.h>

#include <QString>

#include "platform/spreadsheet.h"

// The spreadsheet writer's library is loaded at the first workbook rather than with the program:
// it brings compression and cryptography libraries of its own that no window needs before an
// export.
namespace platform::spreadsheet_library {

// The writer's functions that a workbook calls.
#define TARNWICK_SPREADSHEET_FUNCTIONS(F) \
    F(workbook_new_opt)                   \
    F(workbook_add_worksheet)             \
    F(workbook_add_format)                \
    F(workbook_close)                     \
    F(lxw_workbook_free)                  \
    F(lxw_strerror)                       \
    F(format_set_font_size)               \
    F(format_set_bold)                    \
    F(worksheet_write_number)             \
    F(worksheet_write_string)             \
    F(worksheet_set_row)                  \
    F(worksheet_set_column)

struct Functions {
#define TARNWICK_SPREADSHEET_POINTER(name) decltype(&::name) name = nullptr;
    TARNWICK_SPREADSHEET_FUNCTIONS(TARNWICK_SPREADSHEET_POINTER)
#undef TARNWICK_SPREADSHEET_POINTER
};

// The functions, from the library loaded at the first call and kept loaded from then on. Null
// when the library cannot be loaded (`*error` kSpreadsheetWriterMissing) or lacks one of them
// (kSpreadsheetWriterUnfit), the description saying so in the user's words. A failed load is
// tried again at the next call: the user may install the library meanwhile.
const Functions* Load(SpreadsheetError* error);

}  // namespace platform::spreadsheet_library
