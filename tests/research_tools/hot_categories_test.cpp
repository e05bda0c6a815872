#include "research_tools/hot_categories.h"

#include <gtest/gtest.h>

#include <QSet>

#include "support/qt_printers.h"

namespace {

using research::FindHotSubcategory;
using research::HotKeywordCategories;
using research::HotPageKind;
using research::HotSubcategory;

TEST(HotCategoriesTest, EightCategoriesOfFortySevenPagesInTreeOrder) {
    const std::vector<HotSubcategory>& table = HotKeywordCategories();
    ASSERT_EQ(table.size(), 47u);
    EXPECT_EQ(research::HotCategoryNames(),
              QStringList({"综合热门", "娱乐", "人物", "IT", "特色", "金融", "有啊", "网游"}));
    QSet<QString> pages;
    for (const HotSubcategory& entry : table) pages.insert(entry.page);
    EXPECT_EQ(pages.size(), 47) << "every subcategory has a page of its own";

    EXPECT_EQ(table.front().Address(), QStringLiteral("http://top.baidu.com/buzz/top10.html"));
    EXPECT_EQ(table.back().Address(),
              QStringLiteral("http://top.baidu.com/buzz/leisure_game.html"));
    EXPECT_EQ(table[19].text, QStringLiteral("PC品牌"));
    EXPECT_EQ(table[19].page, QStringLiteral("pc_brand"));
}

TEST(HotCategoriesTest, NodeTextsFindTheirPageCaptionAndLayout) {
    struct Case {
        const char* node;
        const char* page;  // nullptr: no subcategory
        const char* caption;
        HotPageKind kind;
        const char* volumeHeader;
    };
    const Case cases[] = {
        {"今日上升最快", "top10", "关键词列表（综合热门\\今日上升最快）", HotPageKind::RisingToday,
         "百度搜索-周均"},
        {"一周热点", "weekhotspot", "关键词列表（综合热门\\一周热点）", HotPageKind::WeekHotspot,
         "百度搜索-周均"},
        {"电影", "movie", "关键词列表（娱乐\\电影）", HotPageKind::Other, "百度搜索-月均"},
        // The category 网游 has the text of its own subcategory and acts as it.
        {"网游", "mmogame", "关键词列表（网游\\网游）", HotPageKind::Other, "百度搜索-月均"},
        {"娱乐", nullptr, "", HotPageKind::Other, ""},
        {"电影 ", nullptr, "", HotPageKind::Other, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        const int found = FindHotSubcategory(QString::fromUtf8(c.node));
        if (!c.page) {
            EXPECT_EQ(found, -1);
            continue;
        }
        ASSERT_GE(found, 0);
        const HotSubcategory& entry = HotKeywordCategories()[found];
        EXPECT_EQ(entry.page, QString::fromUtf8(c.page));
        EXPECT_EQ(entry.ListCaption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(entry.Kind(), c.kind);
        EXPECT_EQ(entry.VolumeHeader(), QString::fromUtf8(c.volumeHeader));
    }
}

}  // namespace
