#include "shared/report_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/charset.h"
#include "platform/row_table.h"
#include "support/qt_printers.h"

namespace {

const QString kBanner = QStringLiteral(
    "@@@@@@@@@@@@   txt格式的数据导出显示效果较差，如需较好的效果请导出为Excel或Html格式  "
    "@@@@@@@@@@@@ ");
const QString kHtmlHead = QStringLiteral(
    "<html><title>%1</title><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=gb2312\" /><body><table width='100%' border='0' style='font-size:12px'>"
    "<tr align=center style='font-weight:bold'>%2</tr>");
const QString kHtmlEnd = QStringLiteral("</table></body></html>\r\n");

struct Row {
    QStringList columns;
    QString tag;
};

// A list with the given column widths (0 hides a column) and rows.
void Fill(platform::RowTable& list, const QList<int>& widths, const std::vector<Row>& rows) {
    for (int i = 0; i < widths.size(); ++i)
        list.AddColumn(QStringLiteral("列%1").arg(i + 1), widths[i]);
    for (const Row& row : rows) {
        const platform::ListItem item = list.Add(row.columns.value(0));
        for (int j = 1; j < row.columns.size(); ++j) item.SetSubItem(j, row.columns[j]);
        item.SetTag(row.tag);
    }
}

class ReportWriterTest : public ::testing::Test {
  protected:
    QByteArray Write(const platform::RowTable& list, bool asText, qint16 kind) {
        const QString path = folder_.filePath(QStringLiteral("report"));
        EXPECT_TRUE(WriteListReport(list, path, asText, kind));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll();
    }

    static QByteArray Golden(const QString& name) {
        QFile file(
            QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("golden/") + name));
        if (!file.open(QIODevice::ReadOnly))
            ADD_FAILURE() << "no golden file " << name.toStdString();
        return file.readAll();
    }

    QTemporaryDir folder_;
};

// Every kind's title and headers, as the reports show them.
TEST_F(ReportWriterTest, EachKindWritesItsOwnTitleAndHeaders) {
    struct Kind {
        qint16 kind;
        QString title;
        QString textHeader;
        QString htmlHeader;
    };
    const std::vector<Kind> kinds = {
        {0, QStringLiteral("网页死链接检测报告"),
         QStringLiteral("友情链接        PR   Alexa   百度收录    百度快照日期    谷歌收录    "
                        "是否做本站链接"),
         QStringLiteral("<td width='22%' height='25'>友情链接</td><td width='4%'>PR</td>"
                        "<td width='10%'>Alexa</td><td width='10%'>百度收录</td>"
                        "<td width='14%'>百度快照日期</td><td width='14%'>谷歌收录</td>"
                        "<td width='26%'>是否做本站链接</td>")},
        {2, QStringLiteral("网页死链接检测报告"),
         QStringLiteral("外链网址        链接Title      PR   Alexa   百度收录    谷歌收录    "
                        "具体链接信息"),
         QStringLiteral("<td width='24%' height='25'>外链网址</td>"
                        "<td width='23%' height='25'>链接Title</td><td width='4%'>PR</td>"
                        "<td width='10%'>Alexa</td><td width='10%'>百度收录</td>"
                        "<td width='10%'>谷歌收录</td><td width='20%'>是否做本站链接</td>")},
        {3, QStringLiteral("外链资源库"),
         QStringLiteral("资源名称                    资源URL                PR      备注说明"),
         QStringLiteral("<td width='40%' height='25'>资源名称</td>"
                        "<td width='30%' height='25'>链接Title</td><td width='5%'>PR</td>"
                        "<td width='25%'>备注说明</td>")},
        {4, QStringLiteral("友情链接市场"),
         QStringLiteral(
             "网站名称       网站URL     PR   Alexa   百度收录  百度首页快照   谷歌收录   "
             "站长QQ"),
         QStringLiteral("<td width='20%' height='25'>网站名称</td>"
                        "<td width='20%' height='25'>网站URL</td><td width='6%'>PR</td>"
                        "<td width='10%'>Alexa</td><td width='11%'>百度收录</td>"
                        "<td width='12%'>百度首页快照</td><td width='11%'>谷歌收录</td>"
                        "<td width='10%'>站长QQ</td>")},
        {5, QStringLiteral("相关关键词分析报告"),
         QStringLiteral("相关关键词        月均搜索量    昨日搜索量    百度收录量    谷歌收录量    "
                        "百度优化指数    谷歌优化指数"),
         QStringLiteral("<td width='18%' height='25'>相关关键词</td><td width='15%'>月均搜索量</td>"
                        "<td width='15%'>昨日搜索量</td><td width='15%'>百度收录量</td>"
                        "<td width='15%'>谷歌收录量</td><td width='11%'>百度优化指数</td>"
                        "<td width='11%'>谷歌优化指数</td>")},
        {6, QStringLiteral("百度关键词竞争对手分析报告"),
         QStringLiteral("关键词竞争对手网页                PR   百度快照日期      百度排名   "),
         QStringLiteral("<td width='50%' height='25'>关键词竞争对手网页</td><td width='10%'>PR</td>"
                        "<td width='25%'>百度快照日期</td><td width='15%'>百度排名</td>")},
        {7, QStringLiteral("百度热门关键词报告"),
         QStringLiteral(
             "关键词         当天搜索量      历史总搜索量     日平均数    百度指数-月均   "
             "网页搜索量    优化指数"),
         QStringLiteral("<td width='20%' height='25'>关键词</td><td width='15%'>当天搜索量</td>"
                        "<td width='15%'>历史总搜索量</td><td width='12%'>日平均数</td>"
                        "<td width='14%'>百度指数-月均</td><td width='14%'>网页搜索量</td>"
                        "<td width='10%'>优化指数</td>")},
        {8, QStringLiteral("百度关键词对比分析报告"),
         QStringLiteral("关键词         月均搜索量      百度收录数     百度左侧广告数    "
                        "TOP10独立网站数   TOP10网站三天内快照数    关键词竞争度"),
         QStringLiteral("<td width='20%' height='25'>关键词</td><td width='12%'>月均搜索量</td>"
                        "<td width='12%'>百度收录数</td><td width='14%'>百度左侧广告数</td>"
                        "<td width='14%'>TOP10独立网站数</td><td width='14%'>网页搜索量</td>"
                        "<td width='14%'>关键词竞争度</td>")},
        {9, QStringLiteral("百度关键词排名历史分析报告"),
         QStringLiteral("搜索引擎     查询网站     关键词       排名    收录网址   查询日期    "),
         QStringLiteral("<td width='12%' height='25'>搜索引擎</td><td width='22%'>查询网站</td>"
                        "<td width='15%'>关键词</td><td width='12%'>排名</td>"
                        "<td width='24%'>收录网址</td><td width='15%'>查询日期</td>")},
        {10, QStringLiteral("相关关键词分析报告"),
         QStringLiteral("关键词    父关键词      月均搜索量    昨日搜索量    百度收录量      "
                        "百度优化指数    更新日期"),
         QStringLiteral("<td width='15%' height='25'>相关关键词</td><td width='15%'>父关键词</td>"
                        "<td width='15%'>月均搜索量</td><td width='15%'>昨日搜索量</td>"
                        "<td width='15%'>百度收录量</td><td width='15%'>百度优化指数</td>"
                        "<td width='10%'>更新日期</td>")},
    };
    platform::RowTable empty;
    Fill(empty, {1000, 1000, 1000, 1000, 1000, 1000, 1000}, {});
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.kind);
        EXPECT_EQ(Write(empty, true, k.kind),
                  platform::ToAnsi(kBanner + QStringLiteral("\r\n\r\n") + k.textHeader +
                                   QStringLiteral("\r\n")));
        EXPECT_EQ(Write(empty, false, k.kind),
                  platform::ToAnsi(kHtmlHead.arg(k.title, k.htmlHeader) + kHtmlEnd));
    }
    EXPECT_EQ(Write(empty, true, 1), Write(empty, true, 0));
    EXPECT_EQ(Write(empty, false, 1), Write(empty, false, 0));
}

TEST_F(ReportWriterTest, AKindWithoutLayoutWritesTheRowsAlone) {
    platform::RowTable list;
    Fill(list, {1000, 1000}, {{{QStringLiteral("减肥"), QStringLiteral("12")}, {}}});
    for (const qint16 kind : {qint16(11), qint16(-1)}) {
        EXPECT_EQ(Write(list, true, kind),
                  platform::ToAnsi(kBanner + QStringLiteral("\r\n\r\n\r\n减肥    12     \r\n")));
        EXPECT_EQ(
            Write(list, false, kind),
            platform::ToAnsi(QStringLiteral("<tr align='center'><td>减肥</td><td>12</td></tr>") +
                             kHtmlEnd));
    }
}

// A sorted list leaves each row's sort text in its Tag; the text report ignores it and writes
// every column, the hidden one too.
TEST_F(ReportWriterTest, TextReportWritesEveryColumnAndNoSortLeftovers) {
    platform::RowTable list;
    Fill(list, {2000, 1000, 0, 1000, 1000},
         {{{QStringLiteral("减肥"), QStringLiteral("1200"), QStringLiteral("300"),
            QStringLiteral("45000"), QStringLiteral("266.66")},
           QStringLiteral("45000")},
          {{QStringLiteral("减肥药"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"),
            QStringLiteral("0")},
           QStringLiteral("-")}});
    EXPECT_EQ(Write(list, true, ReportRelatedKeywords),
              Golden(QStringLiteral("sorted_keywords.txt")));
}

// Keywords come from the web: mark-up in them stays text, and characters GBK cannot hold
// survive as character references.
TEST_F(ReportWriterTest, HtmlReportEscapesListTextsAndKeepsEveryCharacter) {
    platform::RowTable list;
    Fill(list, {2000, 1000, 1000, 1000, 1000},
         {{{QStringLiteral("<script>alert(1)</script>"), QStringLiteral("a&b"),
            QStringLiteral("<b>"), QStringLiteral("&#20013;"), QStringLiteral("未发现本站链接")},
           QStringLiteral("sorted")},
          {{QStringLiteral("한국어 减肥"), QStringLiteral("😀"), QStringLiteral("\"q\" 'q'"),
            QStringLiteral("-"), QStringLiteral("x未发现本站链接")},
           {}}});
    EXPECT_EQ(Write(list, false, ReportRelatedKeywords),
              Golden(QStringLiteral("unsafe_keywords.htm")));
}

// Kind 5 serves the mining result lists (five columns: Baidu's values) and the manual pane's
// lists (seven: Google's too): a header names as many columns as its rows hold, Google's only
// where the rows have them.
TEST_F(ReportWriterTest, ARelatedKeywordReportsHeaderNamesTheColumnsItsRowsHold) {
    for (const int columns : {5, 7}) {
        platform::RowTable list;
        QStringList cells;
        for (int j = 0; j < columns; ++j) cells << QStringLiteral("v%1").arg(j);
        Fill(list, QList<int>(columns, 1000), {{cells, {}}});

        const QStringList lines = platform::FileBytesToText(Write(list, true, 5)).split("\r\n");
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[2].split(u' ', Qt::SkipEmptyParts).size(), columns)
            << lines[2].toStdString();
        EXPECT_EQ(lines[3].split(u' ', Qt::SkipEmptyParts).size(), columns)
            << lines[3].toStdString();
        EXPECT_EQ(lines[2].contains(QStringLiteral("谷歌")), columns == 7)
            << lines[2].toStdString();

        const QString html = platform::FileBytesToText(Write(list, false, 5));
        const QStringList tableRows = html.split(QStringLiteral("</tr>"));
        ASSERT_GE(tableRows.size(), 2);
        EXPECT_EQ(tableRows[0].count(QStringLiteral("<td")), columns) << tableRows[0].toStdString();
        EXPECT_EQ(tableRows[1].count(QStringLiteral("<td")), columns) << tableRows[1].toStdString();
        EXPECT_EQ(tableRows[0].contains(QStringLiteral("谷歌")), columns == 7)
            << tableRows[0].toStdString();
    }
}

// A zero-width joiner or a variation selector inside a keyword is no character GBK holds: it
// stays visible as "?" in a text report and survives as a reference in an HTML report.
TEST_F(ReportWriterTest, InvisibleCharactersAreKeptLikeOtherCharactersGbkCannotHold) {
    platform::RowTable list;
    Fill(list, {2000}, {{{QStringLiteral("减\u200D肥\uFE0F")}, {}}});
    EXPECT_EQ(Write(list, true, 11),
              platform::ToAnsi(kBanner + QStringLiteral("\r\n\r\n\r\n减?肥?    \r\n")));
    EXPECT_EQ(
        Write(list, false, 11),
        platform::ToAnsi(QStringLiteral("<tr align='center'><td>减&#8205;肥&#65039;</td></tr>") +
                         kHtmlEnd));
}

TEST_F(ReportWriterTest, TheLastCellTurnsRedForALinkCheckVerdict) {
    struct Case {
        QString last;
        bool red;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("未发现本站链接"), true},
        {QStringLiteral("错误：对方网站不可到达(404)"), true},
        {QStringLiteral("未发现本站链接 "), false},
        {QStringLiteral("已做链接"), false},
    };
    for (const Case& c : cases) {
        platform::RowTable list;
        Fill(list, {1000, 1000, 1000}, {{{QStringLiteral("a.com"), c.last, c.last}, {}}});
        const QString cell = c.red ? QStringLiteral("<td><font color =red>%1</font></td></tr>")
                                   : QStringLiteral("<td>%1</td></tr>");
        const QString row = QStringLiteral("<tr align='center'><td>a.com</td><td>") + c.last +
                            QStringLiteral("</td>") + cell.arg(c.last);
        EXPECT_TRUE(
            Write(list, false, ReportOutboundLinks).endsWith(platform::ToAnsi(row + kHtmlEnd)))
            << c.last.toStdString();
    }
}

// The link market's rows link to the site and end with the Tag cell; an address cannot break
// out of its attribute.
TEST_F(ReportWriterTest, LinkRowsLinkTheSiteAndEndWithTheTag) {
    platform::RowTable list;
    Fill(
        list, {1000, 1000, 1000},
        {{{QStringLiteral("www.a.com"), QStringLiteral("3"), QStringLiteral("120")},
          QStringLiteral("未发现本站链接")},
         {{QStringLiteral("b.com x onmouseover='go()'>"), QStringLiteral("0"), QStringLiteral("-")},
          QStringLiteral("12345")}});
    const QString rows = QStringLiteral(
        "<tr align='center'><td><a href=http://www.a.com target='_blank'>www.a.com</a></td>"
        "<td>3</td><td>120</td><td><font color =red>未发现本站链接</font></td></tr>"
        "<tr align='center'><td><a href=http://b.com%20x%20onmouseover=&#39;go()&#39;&gt; "
        "target='_blank'>b.com x onmouseover='go()'&gt;</a></td>"
        "<td>0</td><td>-</td><td>12345</td></tr>");
    const QByteArray html = Write(list, false, ReportLinkMarket);
    EXPECT_TRUE(html.endsWith(platform::ToAnsi(rows + kHtmlEnd))) << html.toStdString();
}

TEST_F(ReportWriterTest, AReportReplacesAnOldFileAndAFailedOneIsReported) {
    platform::RowTable list;
    Fill(list, {1000}, {{{QStringLiteral("seo")}, {}}});
    const QString path = folder_.filePath(QStringLiteral("old.txt"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    ASSERT_TRUE(WriteListReport(list, path, true, ReportRelatedKeywords));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll().startsWith(platform::ToAnsi(kBanner)));
    EXPECT_LT(old.size(), 1000);

    const QString missing = folder_.filePath(QStringLiteral("missing/report.htm"));
    EXPECT_FALSE(WriteListReport(list, missing, false, ReportRelatedKeywords));
    EXPECT_FALSE(QFile::exists(missing));
}

QStringList* capturedWarnings = nullptr;

void CaptureWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && capturedWarnings) *capturedWarnings << message;
}

// A file that cannot be created ends the report at once: nothing is written to a closed file.
TEST_F(ReportWriterTest, AReportThatCannotBeCreatedStopsBeforeItsRows) {
    platform::RowTable list;
    Fill(list, {1000, 1000}, {});
    for (int i = 0; i < 5000; ++i)
        list.Add(QStringLiteral("关键词%1").arg(i)).SetSubItem(1, QString(20, u'x'));
    const QString missing = folder_.filePath(QStringLiteral("missing/report"));

    for (const bool asText : {true, false}) {
        QStringList warnings;
        capturedWarnings = &warnings;
        const QtMessageHandler previous = qInstallMessageHandler(CaptureWarning);
        const bool written = WriteListReport(list, missing, asText, ReportRelatedKeywords);
        qInstallMessageHandler(previous);
        capturedWarnings = nullptr;

        EXPECT_FALSE(written);
        EXPECT_EQ(warnings, QStringList());
    }
}

}  // namespace
