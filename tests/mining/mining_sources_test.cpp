#include "mining/mining_sources.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using mining::SourceItems;
using mining_testing::PageBytes;
using mining_testing::PageText;

const mining::MiningSource& Source(int number) {
    return mining::MiningSources()[number - 1];
}

QStringList List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list << QString::fromUtf8(text);
    return list;
}

TEST(MiningSourcesTest, EachSourceCutsItsItemsOutOfItsPage) {
    const struct {
        int source;
        const char* file;
        QStringList items;
    } cases[] = {
        // Lower-cased, " nowrap" removed, the first ten of twelve links.
        {1, "baidu_results.htm",
         List({"减肥茶", "减肥药", "减肥方法", "减肥食谱", "减肥运动", "减肥瑜伽", "减肥tea",
               "快速减肥", "减肥 产品", "减肥小窍门"})},
        // The class without quotes.
        {1, "baidu_results_unquoted.htm", List({"seo优化", "seo教程", "seo工具"})},
        {1, "baidu_blocked.htm", {}},
        {2, "baidu_suggest.js",
         List({"减肥茶", "减肥药", "减肥方法", "减肥Tea ", "减肥 食谱", "减肥药's"})},
        {3, "baidu_suggest2.js", List({"减肥茶有用吗", "减肥药排行榜", " 减肥汤", "减肥茶"})},
        {4, "youdao_search.htm", List({"减肥茶", "减肥Tea", "瘦身减肥", "减肥 食谱"})},
        {5, "sogou_search.htm", List({"减肥茶", "减肥Tea", "减肥药", " 减肥操 "})},
        {6, "google_search.htm", List({"减肥茶", "减肥药", "SEO减肥", "减肥 方法"})},
        {7, "alibaba_search.htm", List({"减肥茶批发", "减肥产品", "瘦身Tea", "减肥药 代理"})},
        // Every "_", "?" and "%" removed.
        {8, "alibaba_suggest.js", List({"减肥茶", "减肥药", " 减肥Pill ", "瘦身"})},
    };
    for (const auto& c : cases) {
        const mining::MiningSource& source = Source(c.source);
        const QString file = QString::fromUtf8(c.file);
        ASSERT_FALSE(PageBytes(file).isEmpty()) << c.file;
        EXPECT_EQ(SourceItems(source, PageText(file, source.charset)), c.items) << c.file;
    }
}

TEST(MiningSourcesTest, BlocksWithoutSeparatorOrMarkers) {
    const struct {
        int source;
        const char* page;
        QStringList items;
    } cases[] = {
        // A single suggestion: the sources that keep piece 0 offer it.
        {2, "window.baidu.sug({q:\"a\",p:false,s:[\"减肥茶\"]});", List({"减肥茶"})},
        {3, "window.bdsug.sug({'s':['减肥茶']});", List({"减肥茶"})},
        {5, "</div><!--hint:减肥茶#*#-->", List({"减肥茶"})},
        // ...and the sources that skip piece 0 offer nothing.
        {4, "相关搜索：</th><td>减肥茶</td></tbody>", {}},
        {6, "</em>的相关搜索<td>减肥茶</td></table></div></div>", {}},
        {7, "<span>相关搜索</span><ul></ul>SearchListPage", {}},
        {8, "{result:[]]}", {}},
        // An empty suggestion list, a missing end marker, an empty page.
        {2, "window.baidu.sug({q:\"a\",p:false,s:[]});", {}},
        {5, "</div><!--hint:减肥茶#*#减肥药", {}},
        {1, "", {}},
        // An item whose cut markers are missing is empty; the run refuses it.
        {4, "相关搜索：</th><a href='x'>减肥茶</a><a href='y'></tbody>", List({"减肥茶", ""})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SourceItems(Source(c.source), QString::fromUtf8(c.page)), c.items) << c.page;
}

}  // namespace
