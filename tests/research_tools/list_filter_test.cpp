#include "research_tools/list_filter.h"

#include <gtest/gtest.h>

#include "platform/row_table.h"
#include "support/qt_printers.h"

namespace {

using research::FilterListRows;
using research::ListFilterInputs;

// Rows "text|sub1|sub2|sub3".
void Fill(platform::RowTable& list, const QStringList& rows) {
    for (const QString& row : rows) {
        const QStringList cells = row.split(u'|');
        const platform::ListItem item = list.Add(cells[0]);
        for (int j = 1; j < cells.size(); ++j) item.SetSubItem(j, cells[j]);
    }
}

QStringList Texts(const platform::RowTable& list) {
    QStringList texts;
    for (int i = 1; i <= list.Count(); ++i) texts << list.Text(i);
    return texts;
}

const QStringList kRows = {
    "seo|100|5|1,200", "SEO工具|-|0|300", "关键词seo|2,000|12|", "减肥|50|-|-", "减肥茶|0|7|80",
};

TEST(ListFilterTest, EachStageRemovesWhatFailsItsCondition) {
    struct Case {
        const char* name;
        ListFilterInputs inputs;
        QStringList kept;
    };
    const Case cases[] = {
        {"nothing asked", {}, {"seo", "SEO工具", "关键词seo", "减肥", "减肥茶"}},
        {"containing the word, letter case counts",
         {QStringLiteral("seo"), 0, {}, {}, {}},
         {"seo", "关键词seo"}},
        {"without the word", {QStringLiteral("seo"), 1, {}, {}, {}}, {"SEO工具", "减肥", "减肥茶"}},
        {"an unknown word selector",
         {QStringLiteral("seo"), 2, {}, {}, {}},
         {"seo", "SEO工具", "关键词seo", "减肥", "减肥茶"}},
        {"sub-item 3 above 299, separators ignored, empty and dash stay",
         {{}, 0, {QStringLiteral("299"), 0}, {}, {}},
         {"seo", "SEO工具", "关键词seo", "减肥"}},
        {"sub-item 1 below 100",
         {{}, 0, {}, {QStringLiteral("100"), 1}, {}},
         {"SEO工具", "减肥", "减肥茶"}},
        {"sub-item 2 equal to 12",
         {{}, 0, {}, {}, {QStringLiteral("12"), 2}},
         {"关键词seo", "减肥"}},
        {"zero above: 0 goes, dash stays",
         {{}, 0, {}, {QStringLiteral("0"), 0}, {}},
         {"seo", "SEO工具", "关键词seo", "减肥"}},
        {"letters in a number box skip its stage",
         {{}, 0, {QStringLiteral("abc"), 0}, {}, {}},
         {"seo", "SEO工具", "关键词seo", "减肥", "减肥茶"}},
        {"a fraction is rounded, halves to even: 4.5 is 4, so 5 stays and 0 goes",
         {{}, 0, {}, {}, {QStringLiteral("4.5"), 0}},
         {"seo", "关键词seo", "减肥", "减肥茶"}},
        {"stages one after the other",
         {QStringLiteral("减肥"), 0, {QStringLiteral("79"), 0}, {QStringLiteral("10"), 1}, {}},
         {"减肥茶"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::RowTable list;
        Fill(list, kRows);
        EXPECT_EQ(FilterListRows(list, c.inputs), kRows.size() - c.kept.size());
        EXPECT_EQ(Texts(list), c.kept);
    }
}

TEST(ListFilterTest, RowsKeepTheirCellsAndOrderAndUnreadableCellsStay) {
    platform::RowTable list;
    Fill(list, {"a|1", "b|2", "c|1", "d|2", "e|2", "f|lots"});
    // Equal to 2 on sub-item 1: the first and third go, the unreadable cell stays.
    EXPECT_EQ(FilterListRows(list, {{}, 0, {}, {QStringLiteral("2"), 2}, {}}), 2);
    EXPECT_EQ(Texts(list), QStringList({"b", "d", "e", "f"}));
    EXPECT_EQ(list.Cell(2, 1), QStringLiteral("2"));
}

}  // namespace
