#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace platform {

// The most characters a workbook cell holds.
constexpr qsizetype kMaxCellText = 32767;

// A failure of the spreadsheet writer: its error number and description (number 0: none).
struct SpreadsheetError {
    int number = 0;
    QString description;

    bool Failed() const { return number != 0; }
};

// The error numbers of a workbook whose writer library could not be loaded, or lacks functions
// the workbook calls.
constexpr int kSpreadsheetWriterMissing = -1;
constexpr int kSpreadsheetWriterUnfit = -2;

// Whether the writer's library is installed: it can be loaded, whether or not it is of the
// right version.
bool SpreadsheetWriterInstalled();

// Workbooks from now on load the writer's library from `fileName` instead of the one the build
// names (empty: that one again): how a test meets a missing library.
void UseSpreadsheetLibrary(const QString& fileName);

// A new workbook of one worksheet, saved as an .xlsx file. Rows and columns count from 1.
// Rows are written in ascending order and a row once left cannot be written again: finished
// rows go to disk at once, so a sheet of any size takes little memory. After the first failure
// every call returns that failure and nothing is saved.
// A cell keeps its text as given, with two exceptions: a NUL character is dropped, and a text
// longer than a cell holds (kMaxCellText) is cut to that length. The writer's library is loaded
// with the first workbook; when it cannot be, the workbook fails at once with
// kSpreadsheetWriterMissing or kSpreadsheetWriterUnfit and a description that names it.
class Workbook {
  public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Sets the font of the whole of `row`: its empty cells and the cells written to it from now.
    SpreadsheetError SetRowFont(int row, double size, bool bold);

    // Writes a cell the way a spreadsheet takes a typed value: a text that is a plain decimal
    // number, and prints back as the same text, becomes that number; anything else stays text.
    SpreadsheetError SetCell(int row, int column, const QString& value);

    // Writes a block of `rows` × `columns` cells from (firstRow, firstColumn), row by row;
    // `cell`(r, c), both from 0, gives each value. A block without rows or columns has no range
    // and is refused.
    SpreadsheetError SetBlock(int firstRow, int firstColumn, int rows, int columns,
                              const std::function<QString(int r, int c)>& cell);

    // The references ("B5") of the cells written so far whose text was cut to kMaxCellText.
    const QStringList& CutCells() const;

    // Fits every column written so far to its widest content.
    SpreadsheetError FitColumns();

    // Writes the workbook to `path`, replacing a file of that name, and ends the workbook.
    // On failure `path` is left as it was.
    SpreadsheetError Save(const QString& path);

  private:
    struct State;
    std::unique_ptr<State> d_;
};

}  // namespace platform
