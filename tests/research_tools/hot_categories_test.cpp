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
    // Category, node text and page of every subcategory, in tree order.
    const QStringList expected = {
        "综合热门|今日上升最快|top10",
        "综合热门|一周热点|weekhotspot",
        "综合热门|总热门搜索|top_keyword",
        "娱乐|快乐女生|happygirl",
        "娱乐|电影|movie",
        "娱乐|电视剧|tv",
        "娱乐|小说|book",
        "娱乐|体育|sport",
        "娱乐|电视节目|dianshi",
        "娱乐|卡通动漫|katong",
        "娱乐|畅销书|shu",
        "人物|美女|girls",
        "人物|帅哥|boys",
        "人物|娱乐女明星|ymingxing",
        "人物|娱乐男明星|nmingxing",
        "人物|女歌手|ygeshou",
        "人物|男歌手|ngeshou",
        "人物|名人|renwu",
        "人物|富豪|rich",
        "IT|PC品牌|pc_brand",
        "IT|笔记本品牌|notebook_brand",
        "IT|台式机品牌|desktop_brand",
        "IT|笔记本产品|notebook_product",
        "IT|台式机产品|desktop_product",
        "特色|高校|school",
        "特色|汽车|car",
        "特色|宠物|pet",
        "特色|软件|soft",
        "特色|风景名胜|fengjingmingsheng",
        "金融|中资银行|chinese_bank",
        "金融|外资银行|foreign_bank",
        "金融|基金公司|fund_company",
        "金融|开放式基金|open_ended_fund",
        "金融|封闭式基金|closed_ended_fund",
        "有啊|数码产品|shuma",
        "有啊|化妆品品牌|hzp",
        "有啊|服装品牌|clothes",
        "有啊|手机型号|phone",
        "网游|运营商|operator",
        "网游|网游|mmogame",
        "网游|网页游戏|web_game",
        "网游|魔幻RPG|magic_rpg",
        "网游|武侠RPG|martial_arts_rpg",
        "网游|神话RPG|myth_rpg",
        "网游|历史RPG|history_rpg",
        "网游|科幻RPG|sf_game",
        "网游|休闲游戏|leisure_game",
    };
    QStringList rows;
    for (const HotSubcategory& entry : table)
        rows << entry.category + u'|' + entry.text + u'|' + entry.page;
    EXPECT_EQ(rows, expected);
    ASSERT_EQ(table.size(), 47u);
    EXPECT_EQ(research::HotCategoryNames(),
              QStringList({"综合热门", "娱乐", "人物", "IT", "特色", "金融", "有啊", "网游"}));
    QSet<QString> pages;
    for (const HotSubcategory& entry : table) pages.insert(entry.page);
    EXPECT_EQ(pages.size(), 47) << "every subcategory has a page of its own";

    EXPECT_EQ(table.front().Address(), QStringLiteral("http://top.baidu.com/buzz/top10.html"));
    EXPECT_EQ(table.back().Address(),
              QStringLiteral("http://top.baidu.com/buzz/leisure_game.html"));
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
