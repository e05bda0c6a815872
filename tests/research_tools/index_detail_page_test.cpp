#include "research_tools/index_detail_page.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using research::Audience;
using research::AudienceRow;
using research::ParseAudience;
using research_testing::PageText;

QStringList Rows(const std::vector<AudienceRow>& rows) {
    QStringList texts;
    for (const AudienceRow& row : rows) texts << row.label + u'|' + row.volume + u'|' + row.share;
    return texts;
}

TEST(IndexDetailPageTest, SharesAreTheBarWidthsOfTheirSectionsSum) {
    const QString page = PageText(QStringLiteral("index_word.htm"));
    EXPECT_EQ(Rows(ParseAudience(page, Audience::Age, 1000)),
              QStringList({"19岁及以下|200|20%", "20-29岁|300|30%", "30岁及以上|500|50%"}));
    // Widths 25, 25 and 25 make a total of 75; a group without a bar shows dashes and no
    // other group's width.
    EXPECT_EQ(Rows(ParseAudience(page, Audience::Occupation, 90)),
              QStringList({"学生|30|33%", "白领|30|33%", "自由职业|30|33%", "其他|-|-"}));
    // 27 and 73 of 200: 13.5 % and 36.5 % go to the even neighbour.
    EXPECT_EQ(Rows(ParseAudience(page, Audience::Education, 1000)),
              QStringList({"高中及以下|135|14%", "大专|365|36%", "本科及以上|500|50%"}));
}

TEST(IndexDetailPageTest, MissingSectionsWidthsAndPagesGiveNoFigures) {
    const QString page = PageText(QStringLiteral("index_word.htm"));
    EXPECT_TRUE(ParseAudience(research_testing::Without(page, QStringLiteral("<h3>职业分布")),
                              Audience::Occupation, 90)
                    .empty());
    EXPECT_TRUE(ParseAudience(QString(), Audience::Age, 1000).empty());
    EXPECT_TRUE(
        ParseAudience(PageText(QStringLiteral("index_word_unknown.htm")), Audience::Age, 1000)
            .empty());

    // No group with a width of its own: the labels with dashes.
    const QString noWidths = QString(page).replace(QStringLiteral("width:"), QStringLiteral("w:"));
    EXPECT_EQ(Rows(ParseAudience(noWidths, Audience::Age, 1000)),
              QStringList({"19岁及以下|-|-", "20-29岁|-|-", "30岁及以上|-|-"}));
    // Widths that sum to 0: nothing to take a share of, the labels with empty cells.
    const QString zeroWidths =
        QString(page)
            .replace(QStringLiteral("width:20%"), QStringLiteral("width:0%"))
            .replace(QStringLiteral("width:30%"), QStringLiteral("width:0%"))
            .replace(QStringLiteral("width:50%"), QStringLiteral("width:0%"));
    EXPECT_EQ(Rows(ParseAudience(zeroWidths, Audience::Age, 1000)),
              QStringList({"19岁及以下||", "20-29岁||", "30岁及以上||"}));

    // A page cut short inside the age section: no end of the section, no rows.
    EXPECT_TRUE(
        ParseAudience(page.left(page.indexOf(QStringLiteral("20-29岁"))), Audience::Age, 1000)
            .empty());
    // Width 12.5 of 100 is read as 12, halves to the even neighbour.
    const QString half = QString(page)
                             .replace(QStringLiteral("width:20%"), QStringLiteral("width:12.5%"))
                             .replace(QStringLiteral("width:30%"), QStringLiteral("width:37.5%"));
    EXPECT_EQ(Rows(ParseAudience(half, Audience::Age, 100)),
              QStringList({"19岁及以下|12|12%", "20-29岁|38|38%", "30岁及以上|50|50%"}));
}

}  // namespace
