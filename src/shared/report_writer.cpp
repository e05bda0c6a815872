#include "shared/report_writer.h"

#include <QSaveFile>
#include <vector>

#include "platform/charset.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace {

struct HeaderCell {
    QStringView caption;
    int width;  // percent
    bool tall;  // the cell also carries the row height
};

struct Layout {
    QStringView title;
    QStringView textHeader;
    std::vector<HeaderCell> htmlHeader;
    bool linkRows;  // the first column links to the site, the Tag fills a last cell
};

// The layout of report `kind` over a list of `columns` columns.
const Layout* LayoutOf(qint16 kind, int columns) {
    static const std::vector<Layout> layouts = {
        {u"网页死链接检测报告",
         u"友情链接        PR   Alexa   百度收录    百度快照日期    谷歌收录    是否做本站链接",
         {{u"友情链接", 22, true},
          {u"PR", 4, false},
          {u"Alexa", 10, false},
          {u"百度收录", 10, false},
          {u"百度快照日期", 14, false},
          {u"谷歌收录", 14, false},
          {u"是否做本站链接", 26, false}},
         false},
        {u"网页死链接检测报告",
         u"外链网址        链接Title      PR   Alexa   百度收录    谷歌收录    具体链接信息",
         {{u"外链网址", 24, true},
          {u"链接Title", 23, true},
          {u"PR", 4, false},
          {u"Alexa", 10, false},
          {u"百度收录", 10, false},
          {u"谷歌收录", 10, false},
          {u"是否做本站链接", 20, false}},
         false},
        {u"外链资源库",
         u"资源名称                    资源URL                PR      备注说明",
         {{u"资源名称", 40, true},
          {u"链接Title", 30, true},
          {u"PR", 5, false},
          {u"备注说明", 25, false}},
         false},
        {u"友情链接市场",
         u"网站名称       网站URL     PR   Alexa   百度收录  百度首页快照   谷歌收录   站长QQ",
         {{u"网站名称", 20, true},
          {u"网站URL", 20, true},
          {u"PR", 6, false},
          {u"Alexa", 10, false},
          {u"百度收录", 11, false},
          {u"百度首页快照", 12, false},
          {u"谷歌收录", 11, false},
          {u"站长QQ", 10, false}},
         true},
        {u"相关关键词分析报告",
         u"相关关键词        月均搜索量    昨日搜索量    百度收录量    谷歌收录量    "
         u"百度优化指数    谷歌优化指数",
         {{u"相关关键词", 18, true},
          {u"月均搜索量", 15, false},
          {u"昨日搜索量", 15, false},
          {u"百度收录量", 15, false},
          {u"谷歌收录量", 15, false},
          {u"百度优化指数", 11, false},
          {u"谷歌优化指数", 11, false}},
         false},
        {u"百度关键词竞争对手分析报告",
         u"关键词竞争对手网页                PR   百度快照日期      百度排名   ",
         {{u"关键词竞争对手网页", 50, true},
          {u"PR", 10, false},
          {u"百度快照日期", 25, false},
          {u"百度排名", 15, false}},
         false},
        {u"百度热门关键词报告",
         u"关键词         当天搜索量      历史总搜索量     日平均数    百度指数-月均   "
         u"网页搜索量    优化指数",
         {{u"关键词", 20, true},
          {u"当天搜索量", 15, false},
          {u"历史总搜索量", 15, false},
          {u"日平均数", 12, false},
          {u"百度指数-月均", 14, false},
          {u"网页搜索量", 14, false},
          {u"优化指数", 10, false}},
         false},
        {u"百度关键词对比分析报告",
         u"关键词         月均搜索量      百度收录数     百度左侧广告数    TOP10独立网站数   "
         u"TOP10网站三天内快照数    关键词竞争度",
         {{u"关键词", 20, true},
          {u"月均搜索量", 12, false},
          {u"百度收录数", 12, false},
          {u"百度左侧广告数", 14, false},
          {u"TOP10独立网站数", 14, false},
          {u"网页搜索量", 14, false},
          {u"关键词竞争度", 14, false}},
         false},
        {u"百度关键词排名历史分析报告",
         u"搜索引擎     查询网站     关键词       排名    收录网址   查询日期    ",
         {{u"搜索引擎", 12, true},
          {u"查询网站", 22, false},
          {u"关键词", 15, false},
          {u"排名", 12, false},
          {u"收录网址", 24, false},
          {u"查询日期", 15, false}},
         false},
        {u"相关关键词分析报告",
         u"关键词    父关键词      月均搜索量    昨日搜索量    百度收录量      百度优化指数    "
         u"更新日期",
         {{u"相关关键词", 15, true},
          {u"父关键词", 15, false},
          {u"月均搜索量", 15, false},
          {u"昨日搜索量", 15, false},
          {u"百度收录量", 15, false},
          {u"百度优化指数", 15, false},
          {u"更新日期", 10, false}},
         false},
    };
    // The mining result lists hold Baidu's values only, the manual pane's lists Google's too:
    // a header names the columns its rows hold.
    static const Layout relatedKeywordsBaidu = {
        u"相关关键词分析报告",
        u"相关关键词        月均搜索量    昨日搜索量    百度收录量    百度优化指数",
        {{u"相关关键词", 20, true},
         {u"月均搜索量", 20, false},
         {u"昨日搜索量", 20, false},
         {u"百度收录量", 20, false},
         {u"百度优化指数", 20, false}},
        false};
    if (kind < 0 || kind > 10) return nullptr;
    const Layout& layout = layouts[kind <= 1 ? 0 : kind - 1];
    if (kind == ReportRelatedKeywords && columns < std::ssize(layout.htmlHeader))
        return &relatedKeywordsBaidu;
    return &layout;
}

// A value shown in red: the link checks' verdicts.
bool Marked(const QString& value) {
    return value == u"未发现本站链接" || value.contains(u"对方网站不可到达");
}

// List texts are data, never mark-up.
void AppendHtmlText(QString& out, QStringView text) {
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const QStringView entity = c == u'&'   ? QStringView(u"&amp;")
                                   : c == u'<' ? QStringView(u"&lt;")
                                   : c == u'>' ? QStringView(u"&gt;")
                                               : QStringView();
        if (entity.isNull()) continue;
        out += text.sliced(from, i - from);
        out += entity;
        from = i + 1;
    }
    out += text.sliced(from);
}

// For the unquoted href of a link row: quotes and white space would end the value there.
void AppendHtmlAddress(QString& out, const QString& text) {
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'"':
                out += u"&quot;";
                break;
            case u'\'':
                out += u"&#39;";
                break;
            case u'`':
                out += u"&#96;";
                break;
            default:
                if (c.isSpace() && c.unicode() < 0x80) {
                    out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
                } else {
                    AppendHtmlText(out, QStringView(&c, 1));
                }
        }
    }
}

// The report file: filled in pieces (each piece converted to GBK as it comes, so memory stays
// small) and put in place in one step when complete.
class ReportFile {
  public:
    ReportFile(const QString& path, platform::Unmappable unmappable)
        : file_(path), unmappable_(unmappable) {}

    // Whether the file could be created; a report stops here when it could not.
    bool Open() {
        pending_.reserve(kPiece + 4096);
        return file_.open(QIODevice::WriteOnly);
    }

    QString& Text() { return pending_; }

    // Called after each row: hands a full piece to the file. False once a write has failed:
    // the report stops there.
    bool Flush(bool force = false) {
        if (pending_.isEmpty() || (!force && pending_.size() < kPiece)) return true;
        const QByteArray piece = platform::ToAnsi(pending_, unmappable_);
        pending_.clear();
        return file_.write(piece) == piece.size();
    }

    bool Commit() { return Flush(true) && file_.commit(); }

  private:
    static constexpr qsizetype kPiece = 1 << 16;
    QSaveFile file_;
    platform::Unmappable unmappable_;
    QString pending_;
};

const QString kBanner = QStringLiteral(
    "@@@@@@@@@@@@   txt格式的数据导出显示效果较差，如需较好的效果请导出为Excel或Html格式  "
    "@@@@@@@@@@@@ ");

bool WriteText(const platform::RowTable& list, const QString& path, const Layout* layout) {
    ReportFile file(path, platform::Unmappable::Substitute);
    if (!file.Open()) return false;
    QString& out = file.Text();
    out += kBanner;
    out += u"\r\n\r\n";
    if (layout) out += layout->textHeader;
    const int columns = list.ColumnCount();
    for (int i = 1; i <= list.Count(); ++i) {
        out += u"\r\n";
        out += list.CellView(i, 0);
        out += u"    ";
        for (int j = 1; j < columns; ++j) {
            out += list.CellView(i, j);
            out += u"     ";
        }
        if (!file.Flush()) return false;
    }
    out += u"\r\n";
    return file.Commit();
}

void AppendCell(QString& out, const QString& value, bool lastOfRow) {
    const bool marked = lastOfRow && Marked(value);
    out += marked ? u"<td><font color =red>" : u"<td>";
    AppendHtmlText(out, value);
    out += marked ? u"</font></td>" : u"</td>";
    if (lastOfRow) out += u"</tr>";
}

bool WriteHtml(const platform::RowTable& list, const QString& path, const Layout* layout) {
    ReportFile file(path, platform::Unmappable::NumericReference);
    if (!file.Open()) return false;
    QString& out = file.Text();
    if (layout) {
        out += u"<html><title>";
        out += layout->title;
        out +=
            u"</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" "
            u"/><body>";
        out += u"<table width='100%' border='0' style='font-size:12px'>";
        out += u"<tr align=center style='font-weight:bold'>";
        for (const HeaderCell& cell : layout->htmlHeader) {
            out += QStringLiteral("<td width='%1%'%2>")
                       .arg(cell.width)
                       .arg(cell.tall ? QStringLiteral(" height='25'") : QString());
            out += cell.caption;
            out += u"</td>";
        }
        out += u"</tr>";
    }
    const bool linkRows = layout && layout->linkRows;
    const int columns = list.ColumnCount();
    for (int i = 1; i <= list.Count(); ++i) {
        out += u"<tr align='center'><td>";
        if (linkRows) {
            out += u"<a href=http://";
            AppendHtmlAddress(out, list.Text(i));
            out += u" target='_blank'>";
            AppendHtmlText(out, list.Text(i));
            out += u"</a></td>";
            for (int j = 1; j < columns; ++j) AppendCell(out, list.Cell(i, j), false);
            AppendCell(out, list.Tag(i), true);
        } else {
            AppendHtmlText(out, list.Text(i));
            out += u"</td>";
            for (int j = 1; j < columns - 1; ++j) AppendCell(out, list.Cell(i, j), false);
            if (columns >= 2) {
                AppendCell(out, list.Cell(i, columns - 1), true);
            } else {
                out += u"</tr>";
            }
        }
        if (!file.Flush()) return false;
    }
    out += u"</table></body></html>\r\n";
    return file.Commit();
}

}  // namespace

bool WriteListLines(const platform::RowTable& list, const QString& path) {
    ReportFile file(path, platform::Unmappable::Substitute);
    if (!file.Open()) return false;
    QString& out = file.Text();
    for (int i = 1; i <= list.Count(); ++i) {
        const QString line = TrimBlanks(list.Text(i));
        if (line.isEmpty()) continue;
        out += line;
        out += u"\r\n";
        if (!file.Flush()) return false;
    }
    return file.Commit();
}

bool WriteListReport(const platform::RowTable& list, const QString& path, bool asText,
                     qint16 kind) {
    const Layout* layout = LayoutOf(kind, list.ColumnCount());
    return asText ? WriteText(list, path, layout) : WriteHtml(list, path, layout);
}
