#include "research_tools/hot_categories.h"

#include "shared/web_addresses.h"

namespace research {
namespace {

HotSubcategory Entry(const char* category, const char* text, const char* page) {
    return {QString::fromUtf8(category), QString::fromUtf8(text), QString::fromLatin1(page)};
}

}  // namespace

HotPageKind HotSubcategory::Kind() const {
    if (page == QLatin1String("top10")) return HotPageKind::RisingToday;
    if (page == QLatin1String("weekhotspot")) return HotPageKind::WeekHotspot;
    return HotPageKind::Other;
}

QString HotSubcategory::ListCaption() const {
    return QStringLiteral("关键词列表（") + category + u'\\' + text + QStringLiteral("）");
}

QString HotSubcategory::Address() const {
    return WebAddress::kBaiduHotList + QStringLiteral("/buzz/") + page + QStringLiteral(".html");
}

QString HotSubcategory::VolumeHeader() const {
    return Kind() == HotPageKind::Other ? QStringLiteral("百度搜索-月均")
                                        : QStringLiteral("百度搜索-周均");
}

const std::vector<HotSubcategory>& HotKeywordCategories() {
    static const std::vector<HotSubcategory> table{
        Entry("综合热门", "今日上升最快", "top10"),
        Entry("综合热门", "一周热点", "weekhotspot"),
        Entry("综合热门", "总热门搜索", "top_keyword"),
        Entry("娱乐", "快乐女生", "happygirl"),
        Entry("娱乐", "电影", "movie"),
        Entry("娱乐", "电视剧", "tv"),
        Entry("娱乐", "小说", "book"),
        Entry("娱乐", "体育", "sport"),
        Entry("娱乐", "电视节目", "dianshi"),
        Entry("娱乐", "卡通动漫", "katong"),
        Entry("娱乐", "畅销书", "shu"),
        Entry("人物", "美女", "girls"),
        Entry("人物", "帅哥", "boys"),
        Entry("人物", "娱乐女明星", "ymingxing"),
        Entry("人物", "娱乐男明星", "nmingxing"),
        Entry("人物", "女歌手", "ygeshou"),
        Entry("人物", "男歌手", "ngeshou"),
        Entry("人物", "名人", "renwu"),
        Entry("人物", "富豪", "rich"),
        Entry("IT", "PC品牌", "pc_brand"),
        Entry("IT", "笔记本品牌", "notebook_brand"),
        Entry("IT", "台式机品牌", "desktop_brand"),
        Entry("IT", "笔记本产品", "notebook_product"),
        Entry("IT", "台式机产品", "desktop_product"),
        Entry("特色", "高校", "school"),
        Entry("特色", "汽车", "car"),
        Entry("特色", "宠物", "pet"),
        Entry("特色", "软件", "soft"),
        Entry("特色", "风景名胜", "fengjingmingsheng"),
        Entry("金融", "中资银行", "chinese_bank"),
        Entry("金融", "外资银行", "foreign_bank"),
        Entry("金融", "基金公司", "fund_company"),
        Entry("金融", "开放式基金", "open_ended_fund"),
        Entry("金融", "封闭式基金", "closed_ended_fund"),
        Entry("有啊", "数码产品", "shuma"),
        Entry("有啊", "化妆品品牌", "hzp"),
        Entry("有啊", "服装品牌", "clothes"),
        Entry("有啊", "手机型号", "phone"),
        Entry("网游", "运营商", "operator"),
        Entry("网游", "网游", "mmogame"),
        Entry("网游", "网页游戏", "web_game"),
        Entry("网游", "魔幻RPG", "magic_rpg"),
        Entry("网游", "武侠RPG", "martial_arts_rpg"),
        Entry("网游", "神话RPG", "myth_rpg"),
        Entry("网游", "历史RPG", "history_rpg"),
        Entry("网游", "科幻RPG", "sf_game"),
        Entry("网游", "休闲游戏", "leisure_game"),
    };
    return table;
}

QStringList HotCategoryNames() {
    QStringList names;
    for (const HotSubcategory& entry : HotKeywordCategories())
        if (!names.contains(entry.category)) names << entry.category;
    return names;
}

int FindHotSubcategory(const QString& nodeText) {
    const std::vector<HotSubcategory>& table = HotKeywordCategories();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].text == nodeText) return static_cast<int>(i);
    return -1;
}

}  // namespace research
