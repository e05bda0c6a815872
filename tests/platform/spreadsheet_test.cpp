#include "platform/spreadsheet.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/unzip.h"

using platform::SpreadsheetError;
using platform::Workbook;

namespace {

// Workbooks load the writer from `fileName` while it lives, then from the library the build
// names again.
struct WriterLibrary {
    explicit WriterLibrary(const QString& fileName) { platform::UseSpreadsheetLibrary(fileName); }
    ~WriterLibrary() { platform::UseSpreadsheetLibrary({}); }
};

QString SheetXml(const QString& book) {
    return QString::fromUtf8(
        testing_support::Unzipped(book, QStringLiteral("xl/worksheets/sheet1.xml")));
}

double ColumnWidth(const QString& xml, int column) {
    const QRegularExpression col(
        QStringLiteral("<col min=\"%1\" max=\"%1\" width=\"([0-9.]+)\"").arg(column));
    const QRegularExpressionMatch match = col.match(xml);
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

TEST(SpreadsheetTest, CellsKeepTheirTextUnlessItIsPlainlyANumber) {
    struct Case {
        QString value;
        QString cellXml;  // what follows the cell's reference
    };
    const QString number = QStringLiteral("><v>%1</v>");
    const QString text = QStringLiteral(" t=\"inlineStr\"><is><t>%1</t>");
    const std::vector<Case> cases = {
        {QStringLiteral("1234"), number.arg(u"1234")},
        {QStringLiteral("-3"), number.arg(u"-3")},
        {QStringLiteral("12.5"), number.arg(u"12.5")},
        {QStringLiteral("-0.25"), number.arg(u"-0.25")},
        {QStringLiteral("0.0001"), number.arg(u"0.0001")},
        {QStringLiteral("123456789012345"), number.arg(u"123456789012345")},
        {QStringLiteral("0.00001"), text.arg(u"0.00001")},
        {QStringLiteral("1.50"), text.arg(u"1.50")},
        {QStringLiteral("1."), text.arg(u"1.")},
        {QStringLiteral(".5"), text.arg(u".5")},
        {QStringLiteral("0012"), text.arg(u"0012")},
        {QStringLiteral("1e5"), text.arg(u"1e5")},
        {QStringLiteral("12345678901234567"), text.arg(u"12345678901234567")},
        {QStringLiteral("+12"), text.arg(u"+12")},
        {QStringLiteral("-"), text.arg(u"-")},
        {QStringLiteral("-0"), text.arg(u"-0")},
        {QStringLiteral("0"), number.arg(u"0")},
        {QStringLiteral("0-0"), text.arg(u"0-0")},
        {QStringLiteral("a<b&c"), text.arg(u"a&lt;b&amp;c")},
        // A NUL would end the text; the rest is kept.
        {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), text.arg(u"ab")},
        // The file's escape form, typed as text, is escaped itself so that it reads back.
        {QStringLiteral("_x0041_"), text.arg(u"_x005F_x0041_")},
        {QStringLiteral("a_x00e9__x005F_"), text.arg(u"a_x005F_x00e9__x005F_x005F_")},
        {QStringLiteral("_X0041_ _x004_ _x00G1_"), text.arg(u"_X0041_ _x004_ _x00G1_")},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cells.xlsx"));
    Workbook book;
    for (size_t i = 0; i < cases.size(); ++i)
        ASSERT_FALSE(book.SetCell(static_cast<int>(i) + 1, 1, cases[i].value).Failed());
    ASSERT_FALSE(book.Save(path).Failed());

    const QString xml = SheetXml(path);
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_TRUE(xml.contains(QStringLiteral("<c r=\"A%1\"").arg(i + 1) + cases[i].cellXml))
            << cases[i].value.toStdString();
    }
}

TEST(SpreadsheetTest, ATextLongerThanACellHoldsIsCutToTheLimitAndNamed) {
    const QString pair = QStringLiteral("😀");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.xlsx"));
    Workbook book;
    ASSERT_FALSE(book.SetCell(1, 1, QString(40000, u'a')).Failed());
    ASSERT_FALSE(book.SetCell(2, 2, QString(platform::kMaxCellText, u'b')).Failed());
    // Never inside a character: the pair that would pass the limit goes whole.
    ASSERT_FALSE(book.SetCell(3, 28, QString(32766, u'c') + pair).Failed());
    ASSERT_FALSE(book.SetCell(4, 1, QStringLiteral("after")).Failed());
    EXPECT_EQ(book.CutCells(), QStringList({QStringLiteral("A1"), QStringLiteral("AB3")}));
    ASSERT_FALSE(book.Save(path).Failed());

    const QString xml = SheetXml(path);
    const QString cell = QStringLiteral("<t>%1</t>");
    EXPECT_TRUE(xml.contains(cell.arg(QString(platform::kMaxCellText, u'a'))));
    EXPECT_TRUE(xml.contains(cell.arg(QString(platform::kMaxCellText, u'b'))));
    EXPECT_TRUE(xml.contains(cell.arg(QString(32766, u'c'))));
    EXPECT_TRUE(xml.contains(cell.arg(QStringLiteral("after"))));
}

TEST(SpreadsheetTest, RowFontCoversTheRowAndColumnsFitTheirWidestText) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fit.xlsx"));
    Workbook book;
    ASSERT_FALSE(book.SetRowFont(1, 12, true).Failed());
    book.SetCell(1, 1, QStringLiteral("关键词"));
    book.SetCell(1, 2, QStringLiteral("kw"));
    const QStringList column2 = {QStringLiteral("abcdefghijklmnopqrst"), QStringLiteral("x")};
    ASSERT_FALSE(book.SetBlock(2, 1, 2, 3,
                               [&](int r, int c) {
                                   if (c == 0) return QStringLiteral("减肥");
                                   if (c == 1) return column2[r];
                                   return QStringLiteral("abcdef");
                               })
                     .Failed());
    ASSERT_FALSE(book.FitColumns().Failed());
    ASSERT_FALSE(book.Save(path).Failed());

    const QString xml = SheetXml(path);
    EXPECT_TRUE(xml.contains(QStringLiteral("<row r=\"1\" s=\"1\" customFormat=\"1\">")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<c r=\"A1\" s=\"1\" t=\"inlineStr\">")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<c r=\"A2\" t=\"inlineStr\">")));
    // Three wide characters in a larger bold font outweigh six narrow ones.
    EXPECT_GT(ColumnWidth(xml, 1), ColumnWidth(xml, 3));
    EXPECT_GT(ColumnWidth(xml, 2), 20);
    EXPECT_LT(ColumnWidth(xml, 2), 25);
    EXPECT_GE(ColumnWidth(xml, 3), 6);
}

TEST(SpreadsheetTest, AFailedWorkbookReportsItsErrorAndLeavesTheTargetAlone) {
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("old.xlsx"));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    Workbook empty;
    const SpreadsheetError noRange = empty.SetBlock(2, 1, 0, 3, [](int, int) { return QString(); });
    EXPECT_EQ(noRange.number, 23);
    EXPECT_EQ(noRange.description, QStringLiteral("Worksheet row or column index out of range."));
    EXPECT_EQ(empty.Save(existing).number, 23);

    Workbook backwards;
    backwards.SetCell(3, 1, QStringLiteral("later"));
    EXPECT_EQ(backwards.SetCell(2, 1, QStringLiteral("earlier")).number, 23);

    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));

    Workbook unwritable;
    const SpreadsheetError saved =
        unwritable.Save(folder.filePath(QStringLiteral("missing/book.xlsx")));
    EXPECT_EQ(saved.number, 2);
    EXPECT_EQ(saved.description,
              QStringLiteral("Error creating output xlsx file. Usually a permissions error."));
}

// The writer's library is loaded with the first workbook: one that cannot be loaded, or that
// lacks the writer's functions, fails every call with a cause that names it, and saves nothing.
TEST(SpreadsheetTest, AWriterLibraryThatCannotServeFailsTheWorkbookWithItsName) {
    Dl_info core{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&qVersion), &core), 0);
    struct Case {
        QString library;
        int number;
        QString cause;  // a part of the description
        bool installed;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("libtarnwick-no-such-writer.so.9"), platform::kSpreadsheetWriterMissing,
         QStringLiteral("找不到导出Excel所需的电子表格组件 libtarnwick-no-such-writer.so.9"),
         false},
        {QString::fromLocal8Bit(core.dli_fname), platform::kSpreadsheetWriterUnfit,
         QStringLiteral("缺少 workbook_new_opt"), true},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.xlsx"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library.toStdString());
        const WriterLibrary missing(c.library);
        Workbook book;
        const SpreadsheetError cell = book.SetCell(1, 1, QStringLiteral("x"));
        EXPECT_EQ(cell.number, c.number);
        EXPECT_EQ(platform::SpreadsheetWriterInstalled(), c.installed);
        EXPECT_TRUE(cell.description.contains(c.cause)) << cell.description.toStdString();
        EXPECT_EQ(book.Save(path).description, cell.description);
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_TRUE(platform::SpreadsheetWriterInstalled());
    Workbook restored;
    ASSERT_FALSE(restored.SetCell(1, 1, QStringLiteral("x")).Failed());
    EXPECT_FALSE(restored.Save(path).Failed());
}

}  // namespace
