#include "shared/excel_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/program_folder.h"
#include "platform/row_table.h"
#include "platform/spreadsheet.h"
#include "support/test_environment.h"
#include "support/unzip.h"

namespace {

using testing_support::ScriptedPrompts;
using testing_support::Unzipped;
using ExcelExportTest = testing_support::TestEnvironment;

// A list of five columns whose first and third columns are hidden.
void FillWithHiddenColumns(platform::RowTable& list, int rows) {
    const QStringList captions = {QStringLiteral("相关关键词"), QStringLiteral("搜索量-月均"),
                                  QStringLiteral("隐藏"), QStringLiteral("百度收录数"),
                                  QStringLiteral("百度优化指数")};
    const QList<int> widths = {0, 1200, 0, 1500, 1500};
    for (int c = 0; c < captions.size(); ++c) list.AddColumn(captions[c], widths[c]);
    const std::vector<QStringList> values = {
        {QStringLiteral("减肥"), QStringLiteral("1200"), QStringLiteral("x"),
         QStringLiteral("45000"), QStringLiteral("266.66")},
        {QStringLiteral("减肥药"), QStringLiteral("-"), QStringLiteral("y"), QStringLiteral("0012"),
         QStringLiteral("a,\"b\"")},
        // The file format's escape form and a NUL, as texts a page may hold.
        {QStringLiteral("乱码"), QStringLiteral("_x0041_"), QStringLiteral("z"),
         QStringLiteral("a") + QChar(0) + QStringLiteral("b"), QStringLiteral("_x005F_")},
    };
    for (int r = 0; r < rows; ++r) {
        const QStringList& row = values[r % values.size()];
        const platform::ListItem item = list.Add(row[0]);
        for (int j = 1; j < row.size(); ++j) item.SetSubItem(j, row[j]);
    }
}

// The cells of the workbook's sheet as a spreadsheet program reads them back, as CSV lines.
QStringList ReadBackWithLibreOffice(const QString& book, const QDir& scratch) {
    QProcess office;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), scratch.path());  // its own profile, no collisions
    office.setProcessEnvironment(environment);
    office.start(
        QStringLiteral("libreoffice"),
        {QStringLiteral("--headless"),
         QStringLiteral("-env:UserInstallation=file://") + scratch.filePath("profile"),
         QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
         QStringLiteral("--outdir"), scratch.path(), book});
    if (!office.waitForFinished(180000)) return {QStringLiteral("libreoffice did not finish")};
    QFile csv(scratch.filePath(QStringLiteral("book.csv")));
    if (!csv.open(QIODevice::ReadOnly)) return {QString::fromUtf8(office.readAllStandardError())};
    return QString::fromUtf8(csv.readAll()).split(QStringLiteral("\n"), Qt::SkipEmptyParts);
}

TEST_F(ExcelExportTest, ASpreadsheetProgramReadsBackTheVisibleColumns) {
    const QString path = folder.FilePath(QStringLiteral("book.xlsx"));
    platform::RowTable list;
    FillWithHiddenColumns(list, 3);

    ASSERT_TRUE(ExportListToExcel(list, path));
    EXPECT_TRUE(prompts.prompts().empty());

    const QStringList lines = ReadBackWithLibreOffice(path, QDir(folder.Path()));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("搜索量-月均,百度收录数,百度优化指数"),
                                  QStringLiteral("1200,45000,266.66"),
                                  QStringLiteral("-,0012,\"a,\"\"b\"\"\""),
                                  QStringLiteral("_x0041_,ab,_x005F_")}));
}

TEST_F(ExcelExportTest, CaptionRowIsBoldSize12AndColumnsAreFitted) {
    const QString path = folder.FilePath(QStringLiteral("book.xlsx"));
    platform::RowTable list;
    FillWithHiddenColumns(list, 2);
    ASSERT_TRUE(ExportListToExcel(list, path));

    const QByteArray sheet = Unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QByteArray styles = Unzipped(path, QStringLiteral("xl/styles.xml"));
    EXPECT_TRUE(sheet.contains("<row r=\"1\" s=\"1\" customFormat=\"1\">")) << sheet.toStdString();
    EXPECT_TRUE(styles.contains("<font><b/><sz val=\"12\"/>")) << styles.toStdString();
    EXPECT_EQ(sheet.count("<col "), 3) << sheet.toStdString();  // one fitted width per column
}

// One cell too long for a workbook costs that cell its end, not the export.
TEST_F(ExcelExportTest, CellsTooLongForAWorkbookAreCutAndNamed) {
    const QString path = folder.FilePath(QStringLiteral("book.xlsx"));
    platform::RowTable list;
    FillWithHiddenColumns(list, 14);
    list.SetCell(1, 1, QString(40000, u'x'));  // sheet cell A2
    for (int row = 3; row <= 14; ++row) list.SetCell(row, 4, QString(33000, u'y'));

    ASSERT_TRUE(ExportListToExcel(list, path));

    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text,
              QStringLiteral("以下13个单元格的内容超过了Excel单元格的上限（32767个字符），"
                             "已截断为前32767个字符：\r\n\r\n"
                             "A2、C4、C5、C6、C7、C8、C9、C10、C11、C12等"));
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("导出数据"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Exclamation);
    const QByteArray sheet = Unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains("<t>" + QByteArray(32767, 'x') + "</t>"));
    EXPECT_TRUE(sheet.contains("<c r=\"A15\""));  // the last row is there
}

TEST_F(ExcelExportTest, AFailureIsShownWithItsNumberAndDescriptionAndSavesNothing) {
    struct Case {
        const char* what;
        int rows;
        bool hideAll;
        QString file;
        QString reason;
    };
    const std::vector<Case> cases = {
        {"no rows", 0, false, QStringLiteral("book.xlsx"),
         QStringLiteral("23:   Worksheet row or column index out of range.")},
        {"no visible column", 2, true, QStringLiteral("book.xlsx"),
         QStringLiteral("23:   Worksheet row or column index out of range.")},
        {"missing folder", 2, false, QStringLiteral("missing/book.xlsx"),
         QStringLiteral("2:   Error creating output xlsx file. Usually a permissions error.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir scratch;
        platform::RowTable list;
        FillWithHiddenColumns(list, c.rows);
        if (c.hideAll) {
            for (int column = 1; column <= list.ColumnCount(); ++column)
                list.SetColumnWidth(column, 0);
        }
        ScriptedPrompts asked;
        EXPECT_FALSE(ExportListToExcel(list, scratch.filePath(c.file)));
        ASSERT_EQ(asked.prompts().size(), 1u);
        const ScriptedPrompts::Prompt& shown = asked.prompts().front();
        EXPECT_EQ(shown.text, QStringLiteral("导出失败，原因如下：\r\n\r\n") + c.reason);
        EXPECT_EQ(shown.title, QStringLiteral("导出失败"));
        EXPECT_EQ(shown.icon, platform::Icon::Critical);
        EXPECT_FALSE(QFile::exists(scratch.filePath(c.file)));
    }
}

// The spreadsheet writer is a library of its own, loaded at the first export: a machine without
// it is told that it cannot make a workbook, and nothing else happens.
TEST_F(ExcelExportTest, AMissingSpreadsheetWriterIsToldAsExcelMissing) {
    platform::UseSpreadsheetLibrary(QStringLiteral("libtarnwick-no-such-writer.so.9"));
    platform::RowTable list;
    FillWithHiddenColumns(list, 2);
    const QString path = folder.FilePath(QStringLiteral("book.xlsx"));
    bool waitPointerShown = false;
    prompts.meanwhile = [&waitPointerShown](const ScriptedPrompts::Prompt&) {
        waitPointerShown = QGuiApplication::overrideCursor() != nullptr;
    };
    const bool exported = ExportListToExcel(list, path);
    platform::UseSpreadsheetLibrary({});

    EXPECT_FALSE(exported);
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    const ScriptedPrompts::Prompt& shown = prompts.prompts().front();
    EXPECT_EQ(shown.text, QStringLiteral("未检测到您的电脑安装Excel,请安装后再使用本功能！"));
    EXPECT_EQ(shown.title, platform::ProgramTitle());
    EXPECT_EQ(shown.buttons, platform::Buttons::Ok);
    EXPECT_EQ(shown.icon, platform::Icon::None);
    EXPECT_FALSE(waitPointerShown);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
