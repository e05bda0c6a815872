#include "tools_window/rank_engines.h"

#include <algorithm>

using lookups::RankEngine;

const std::array<RankEngineInfo, 7>& RankEngines() {
    // Google's and Yahoo's tags are their regional domains for China: texts only, never asked.
    static const std::array<RankEngineInfo, 7> engines = {{
        {RankEngine::Baidu, QStringLiteral("百度"), QStringLiteral("baidu"),
         QStringLiteral("baidu"), QStringLiteral("baidu")},
        {RankEngine::Google, QStringLiteral("谷歌"), QStringLiteral("google"),
         QStringLiteral("google"), QStringLiteral("google.cn")},
        {RankEngine::Yahoo, QStringLiteral("雅虎"), QStringLiteral("yahoo"),
         QStringLiteral("yahoo"), QStringLiteral("yahoo.cn")},
        {RankEngine::Sogou, QStringLiteral("搜狗"), QStringLiteral("sogou"),
         QStringLiteral("sogou"), QStringLiteral("sogou")},
        {RankEngine::Soso, QStringLiteral("搜搜"), QStringLiteral("soso"), QStringLiteral("soso"),
         QStringLiteral("soso")},
        {RankEngine::Youdao, QStringLiteral("有道"), QStringLiteral("youdao"),
         QStringLiteral("youdao"), QStringLiteral("youdao")},
        {RankEngine::Bing, QStringLiteral("必应"), QStringLiteral("live"), QStringLiteral("bing"),
         QStringLiteral("bing")},
    }};
    return engines;
}

namespace {

const RankEngineInfo* Find(QString RankEngineInfo::*field, const QString& value) {
    const auto& engines = RankEngines();
    const auto found = std::find_if(engines.begin(), engines.end(),
                                    [&](const RankEngineInfo& e) { return e.*field == value; });
    return found == engines.end() ? nullptr : &*found;
}

}  // namespace

const RankEngineInfo* EngineNamed(const QString& name) {
    return Find(&RankEngineInfo::name, name);
}

const RankEngineInfo* EngineTagged(const QString& tag) {
    return Find(&RankEngineInfo::tag, tag);
}
