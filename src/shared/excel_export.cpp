#include "shared/excel_export.h"

#include <QCursor>
#include <QGuiApplication>
#include <QVector>

#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/row_table.h"
#include "platform/spreadsheet.h"

namespace {

// The wait pointer for the whole program while the workbook is written.
class WaitPointer {
  public:
    WaitPointer() {
        if (qGuiApp) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitPointer() {
        if (qGuiApp) QGuiApplication::restoreOverrideCursor();
    }
};

// How many cut cells the message names; it counts them all.
constexpr int kCutCellsNamed = 10;

void TellCutCells(const QStringList& cells) {
    QString named = cells.mid(0, kCutCellsNamed).join(u'、');
    if (cells.size() > kCutCellsNamed) named += QStringLiteral("等");
    platform::ThePrompts().MessageBox(
        QStringLiteral("以下%1个单元格的内容超过了Excel单元格的上限（%2个字符），"
                       "已截断为前%2个字符：\r\n\r\n%3")
            .arg(cells.size())
            .arg(platform::kMaxCellText)
            .arg(named),
        QStringLiteral("导出数据"), platform::Buttons::Ok, platform::Icon::Exclamation);
}

platform::SpreadsheetError WriteWorkbook(const platform::RowTable& list, const QString& path,
                                         QStringList* cutCells) {
    platform::Workbook book;
    book.SetRowFont(1, 12, true);
    QVector<int> visible;  // list positions of the visible columns, in order
    for (int column = 1; column <= list.ColumnCount(); ++column) {
        if (list.ColumnWidth(column) == 0) continue;
        visible.append(column);
        book.SetCell(1, static_cast<int>(visible.size()), list.ColumnText(column));
    }
    book.SetBlock(2, 1, list.Count(), static_cast<int>(visible.size()),
                  [&](int r, int k) { return list.Cell(r + 1, visible[k] - 1); });
    book.FitColumns();
    *cutCells = book.CutCells();
    // A failure anywhere above makes every later step, the save included, return it.
    return book.Save(path);
}

}  // namespace

bool ExportListToExcel(const platform::RowTable& list, const QString& path) {
    // A computer that cannot make a workbook at all is told so, and nothing else happens.
    if (!platform::SpreadsheetWriterInstalled()) {
        platform::ThePrompts().MessageBox(
            QStringLiteral("未检测到您的电脑安装Excel,请安装后再使用本功能！"),
            platform::ProgramTitle(), platform::Buttons::Ok, platform::Icon::None);
        return false;
    }
    platform::SpreadsheetError error;
    QStringList cutCells;
    {
        const WaitPointer wait;
        error = WriteWorkbook(list, path, &cutCells);
    }
    if (!error.Failed()) {
        if (!cutCells.isEmpty()) TellCutCells(cutCells);
        return true;
    }
    platform::ThePrompts().MessageBox(QStringLiteral("导出失败，原因如下：\r\n\r\n%1:   %2")
                                          .arg(error.number)
                                          .arg(error.description),
                                      QStringLiteral("导出失败"), platform::Buttons::Ok,
                                      platform::Icon::Critical);
    return false;
}
