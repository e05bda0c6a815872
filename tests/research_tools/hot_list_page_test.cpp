#include "research_tools/hot_list_page.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using research::HotListRow;
using research::HotPageKind;
using research::ParseHotListPage;
using research_testing::PageText;

// A row as "keyword|today|total|average", "~" for a column the page does not fill.
QString Text(const HotListRow& row) {
    return QStringList{row.keyword, row.today, row.total.value_or(QStringLiteral("~")),
                       row.average.value_or(QStringLiteral("~"))}
        .join(u'|');
}

QStringList Texts(const std::vector<HotListRow>& rows) {
    QStringList texts;
    for (const HotListRow& row : rows) texts << Text(row);
    return texts;
}

TEST(HotListPageTest, EachPageKindFillsItsOwnColumns) {
    EXPECT_EQ(
        Texts(ParseHotListPage(PageText(QStringLiteral("hot_movie.htm")), HotPageKind::Other)),
        QStringList({
            "阿凡达|562,358|18,221,465|93,219",
            "唐山大地震|310,092|9,874,230|51,005",
            "哈利 波特|98,411|6,230,118|32,770",
            "功夫熊猫&2|77,310|4,118,905|21,300",
            "让子弹飞|65,002|3,009,812|15,880",
            "盗梦空间|51,230|2,870,014|14,950",
            "叶问2|40,118|2,410,336|12,100",
            "非诚勿扰2|38,004|2,102,119|11,006",
        }));
    EXPECT_EQ(Texts(ParseHotListPage(PageText(QStringLiteral("hot_top10.htm")),
                                     HotPageKind::RisingToday)),
              QStringList(
                  {"世界杯|1,203,448|~|~", "高考成绩查询|880,120|~|~", "上海世博会|402,913|~|~"}));
    EXPECT_EQ(Texts(ParseHotListPage(PageText(QStringLiteral("hot_weekhotspot.htm")),
                                     HotPageKind::WeekHotspot)),
              QStringList({"春运火车票|301,554|2,004,118|~", "元宵节|120,006|880,417|~"}));

    EXPECT_EQ(research::TotalHeader(HotPageKind::Other), QStringLiteral("历史总搜索量"));
    EXPECT_EQ(research::TotalHeader(HotPageKind::WeekHotspot), QStringLiteral("本周总搜索量"));
    EXPECT_EQ(research::TotalHeader(HotPageKind::RisingToday), std::nullopt);
}

TEST(HotListPageTest, AMissingMarkerLeavesItsOwnCellEmpty) {
    const QString page = PageText(QStringLiteral("hot_movie.htm"));
    // The second row's daily average loses its end; its neighbours keep their figures.
    const std::vector<HotListRow> rows = ParseHotListPage(
        QString(page).replace(QStringLiteral("51,005</td>"), QStringLiteral("51,005")),
        HotPageKind::Other);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(Text(rows[0]), QStringLiteral("阿凡达|562,358|18,221,465|93,219"));
    EXPECT_EQ(Text(rows[1]), QStringLiteral("唐山大地震|310,092|9,874,230|"));
    EXPECT_EQ(Text(rows[2]), QStringLiteral("哈利 波特|98,411|6,230,118|32,770"));

    // A page cut short inside its third row: the rows before it whole, the third as far as it
    // came, nothing borrowed from elsewhere.
    const QString cut = page.left(page.indexOf(QStringLiteral("6,230,118")));
    EXPECT_EQ(Texts(ParseHotListPage(cut, HotPageKind::Other)),
              QStringList({"阿凡达|562,358|18,221,465|93,219",
                           "唐山大地震|310,092|9,874,230|51,005", "哈利 波特|98,411||"}));

    // No page, or a page without rows.
    EXPECT_TRUE(ParseHotListPage(QString(), HotPageKind::Other).empty());
    EXPECT_TRUE(ParseHotListPage(PageText(QStringLiteral("baidu_blocked.htm")), HotPageKind::Other)
                    .empty());
}

TEST(HotListPageTest, TheResultCountKeepsItsSeparatorsAndTellsNothingFromNone) {
    EXPECT_EQ(research::HotListCount(PageText(QStringLiteral("baidu_compare.htm"))),
              QStringLiteral("1,230,000"));
    EXPECT_EQ(research::HotListCount(PageText(QStringLiteral("baidu_noresult.htm"))),
              QStringLiteral("0"));
    EXPECT_EQ(research::HotListCount(PageText(QStringLiteral("baidu_blocked.htm"))),
              QStringLiteral("-"));
    EXPECT_EQ(research::HotListCount(QString()), QStringLiteral("-"));
}

}  // namespace
