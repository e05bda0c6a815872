#include "keyword_lists/keyword_filter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "platform/row_table.h"
#include "support/qt_printers.h"

namespace {

using metrics::KeywordCell;

// The two lists the filter serves, with their own column maps.
const metrics::KeywordColumns kMiningColumns{
    {KeywordCell::Keyword, {QStringLiteral("相关关键词"), 1200}},
    {KeywordCell::MonthVolume, {QStringLiteral("搜索量-月均"), 1200}},
    {KeywordCell::DayVolume, {QStringLiteral("搜索量-昨日"), 1200}},
    {KeywordCell::BaiduCount, {QStringLiteral("百度收录数"), 1200}},
    {KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1200}},
};
const metrics::KeywordColumns kDatabaseColumns{
    {KeywordCell::Keyword, {QStringLiteral("关键词"), 1200}},
    {KeywordCell::Parent, {QStringLiteral("父关键词"), 1200}},
    {KeywordCell::MonthVolume, {QStringLiteral("百度月均指数"), 1200}},
    {KeywordCell::DayVolume, {QStringLiteral("百度昨日指数"), 1200}},
    {KeywordCell::BaiduCount, {QStringLiteral("百度收录"), 1200}},
    {KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1200}},
    {KeywordCell::UpdateDate, {QStringLiteral("更新日期"), 1200}},
};

// A row: its text and its metric cells month|day|count|index.
struct Row {
    const char* text;
    const char* metrics;
    bool checked = false;
};

void Fill(platform::RowTable& list, const metrics::KeywordColumns& columns,
          const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        const QStringList cells = QString::fromUtf8(row.metrics).split(u'|');
        const platform::ListItem item = list.Add(QString::fromUtf8(row.text));
        const KeywordCell order[] = {KeywordCell::MonthVolume, KeywordCell::DayVolume,
                                     KeywordCell::BaiduCount, KeywordCell::BaiduIndex};
        for (int c = 1; c <= columns.MetricCells(); ++c) item.SetSubItem(c, QStringLiteral("p"));
        for (int i = 0; i < 4; ++i)
            metrics::WriteCell(list, columns, item.Index(), order[i], cells[i]);
        item.SetChecked(row.checked);
    }
}

QString Texts(const platform::RowTable& list) {
    QStringList texts;
    for (int i = 1; i <= list.Count(); ++i)
        texts << list.Text(i) + (list.Checked(i) ? QStringLiteral("✓") : QString());
    return texts.join(u',');
}

const std::vector<Row> kRows = {
    {"seo教程", "100|5|101|0.3"},
    {"优化方法", "99|-|100|0.5"},
    {"seo优化", "1,500|7|99|0.51"},
    {"SEO工具", "-|8|-|-"},
    {"网站建设", "正在查询中...||3000000000|1"},
    {"百度排名", "20|30|12|x", true},
};

TEST(KeywordFilter, CasesOnBothListsRemoveFromTheShownListOnly) {
    const struct {
        const char* name;
        KeywordFilter filter;
        const char* kept;
    } cases[] = {
        {"words 包含: a word in any case, or checked before; no row stays checked",
         {.words = QStringLiteral("SEO#优化"), .wordMode = KeywordFilter::kContains},
         "seo教程,优化方法,seo优化,SEO工具,百度排名"},
        {"words 不包含: each row with a word goes once; marks stay",
         {.words = QStringLiteral("seo#优化"), .wordMode = KeywordFilter::kExcludes},
         "网站建设,百度排名✓"},
        {"blanks next to # belong to the words",
         {.words = QStringLiteral("seo #优化"), .wordMode = KeywordFilter::kContains},
         "优化方法,seo优化,百度排名"},
        {"an empty word is left out: a trailing # keeps the other words' meaning",
         {.words = QStringLiteral("seo#"), .wordMode = KeywordFilter::kExcludes},
         "优化方法,网站建设,百度排名✓"},
        {"blanks only: no word, no word step",
         {.words = QStringLiteral("   "), .wordMode = KeywordFilter::kContains},
         "seo教程,优化方法,seo优化,SEO工具,网站建设,百度排名✓"},
        {"empty words box: no word step whatever the operator",
         {.words = QString(), .wordMode = KeywordFilter::kContains},
         "seo教程,优化方法,seo优化,SEO工具,网站建设,百度排名✓"},
        {"count > 100: 100 and 99 go, 101 and beyond 32 bits stay, - stays",
         {.count = {QStringLiteral("100"), KeywordFilter::kGreater}},
         "seo教程,SEO工具,网站建设"},
        {"count < 100",
         {.count = {QStringLiteral("100"), KeywordFilter::kLess}},
         "seo优化,SEO工具,百度排名✓"},
        {"month = 1500 reads thousands separators; a cell that is no number stays",
         {.month = {QStringLiteral("1,500"), KeywordFilter::kEqual}},
         "seo优化,SEO工具,网站建设"},
        {"day < 8: an empty cell stays",
         {.day = {QStringLiteral("8"), KeywordFilter::kLess}},
         "seo教程,优化方法,seo优化,网站建设"},
        {"index = 0 compares whole numbers, a half to the even neighbour",
         {.index = {QStringLiteral("0.4"), KeywordFilter::kEqual}},
         "seo教程,优化方法,SEO工具,百度排名✓"},
        {"a limit that is no number, or no operator, leaves its condition out; others apply",
         {.count = {QStringLiteral("abc"), KeywordFilter::kGreater},
          .month = {QStringLiteral("10"), -1},
          .index = {QStringLiteral("0"), KeywordFilter::kGreater}},
         "seo优化,SEO工具,网站建设,百度排名✓"},
        {"conditions add up",
         {.words = QStringLiteral("seo"),
          .wordMode = KeywordFilter::kContains,
          .count = {QStringLiteral("100"), KeywordFilter::kLess},
          .month = {QStringLiteral("50"), KeywordFilter::kGreater}},
         "seo优化,SEO工具"},
    };
    for (const auto* columns : {&kMiningColumns, &kDatabaseColumns}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            platform::RowTable shown, master;
            Fill(shown, *columns, kRows);
            master.RebuildFrom(shown);

            FilterKeywordList(shown, c.filter, *columns);

            EXPECT_EQ(Texts(shown), QString::fromUtf8(c.kept));
            EXPECT_EQ(master.Count(), int(kRows.size()));
            RestoreFromMaster(shown, master);
            EXPECT_EQ(Texts(shown), Texts(master));
        }
    }
}

TEST(KeywordFilter, FiltersAddUpClickAfterClickAndAnEmptyListStaysEmpty) {
    platform::RowTable shown;
    Fill(shown, kMiningColumns, kRows);
    KeywordFilter filter{.words = QStringLiteral("seo"), .wordMode = KeywordFilter::kContains};
    FilterKeywordList(shown, filter, kMiningColumns);
    filter = {.words = QStringLiteral("教程"), .wordMode = KeywordFilter::kExcludes};
    FilterKeywordList(shown, filter, kMiningColumns);
    EXPECT_EQ(Texts(shown), QStringLiteral("seo优化,SEO工具,百度排名"));

    platform::RowTable empty;
    FilterKeywordList(empty, filter, kMiningColumns);
    EXPECT_EQ(empty.Count(), 0);
}

TEST(KeywordFilter, RestoreBringsBackTheMasterOrderBoldMarksAndKeysUnsortedAndUnchecked) {
    platform::RowTable shown, master;
    Fill(master, kMiningColumns, kRows);
    master.SetBold(1, true);
    shown.RebuildFrom(master);
    shown.SetSorting(platform::SortRule{0, Qt::DescendingOrder});
    shown.SetAllChecked(true);
    shown.Remove(2);

    RestoreFromMaster(shown, master);

    EXPECT_FALSE(shown.Sorting().has_value());
    EXPECT_EQ(Texts(shown), Texts(master).remove(QStringLiteral("✓")));
    EXPECT_TRUE(shown.Bold(1));
    for (int i = 1; i <= shown.Count(); ++i) {
        EXPECT_EQ(shown.Key(i), master.Key(i));
        EXPECT_EQ(shown.Cell(i, 4), master.Cell(i, 4));
    }
}

}  // namespace
