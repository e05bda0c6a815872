#include "tools_window/rank_run.h"

#include "lookups/rank_lookup.h"
#include "lookups/site_match.h"
#include "platform/clock.h"
#include "shared/text_helpers.h"
#include "tools_window/rank_columns.h"
#include "tools_window/rank_store.h"

namespace {

using namespace rank_columns;

QString Today() {
    return platform::TheClock().Now().date().toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList TickedTexts(const platform::RowTable& list) {
    QStringList texts;
    for (int i = 1; i <= list.Count(); ++i)
        if (list.Checked(i)) texts << TrimBlanks(list.Text(i));
    return texts;
}

}  // namespace

QString RankQueryRefusal(const platform::RowTable& sites, const platform::RowTable& keywords,
                         const platform::RowTable& engines) {
    if (!sites.AnyChecked()) return QStringLiteral("请添加或选择至少一个要查询的网站！");
    if (!keywords.AnyChecked()) return QStringLiteral("请添加或选择至少一个要查询的关键词！");
    if (!engines.AnyChecked()) return QStringLiteral("请至少选择一个要查询搜索引擎！");
    // An empty site would match every result; an empty keyword asks for nothing.
    for (const QString& site : TickedTexts(sites))
        if (lookups::NormaliseSite(site).isEmpty())
            return QStringLiteral("要查询的网站不能为空，请修改或取消勾选空白的网站！");
    for (const QString& keyword : TickedTexts(keywords))
        if (keyword.isEmpty())
            return QStringLiteral("要查询的关键词不能为空，请修改或取消勾选空白的关键词！");
    return {};
}

RankRunPlan PlanRankRun(const platform::RowTable& sites, const platform::RowTable& keywords,
                        const platform::RowTable& engines, int pages, const QString& depthText) {
    RankRunPlan plan;
    plan.sites = TickedTexts(sites);
    plan.keywords = TickedTexts(keywords);
    for (int i = 1; i <= engines.Count(); ++i)
        if (engines.Checked(i))
            if (const RankEngineInfo* engine = EngineTagged(engines.Tag(i))) plan.engines << engine;
    plan.pages = pages;
    plan.depthText = depthText;
    return plan;
}

RankRunOutcome RunRankQuery(const RankRunPlan& plan, const lookups::RankLookupOptions& options,
                            platform::RowTable& results, platform::Connection& db) {
    RankRunOutcome outcome;
    lookups::cKeyrank lookup(options);
    const QString notFound = QStringLiteral("不在前") + plan.depthText + QStringLiteral("名");
    for (const QString& site : plan.sites) {
        for (const QString& keyword : plan.keywords) {
            const platform::ListItem header = results.Add(site);
            header.SetSubItem(kKeywordOrRank, keyword);
            header.SetSubItem(kDateOrLink, Today());
            for (const RankEngineInfo* engine : plan.engines) {
                const platform::ListItem added = results.Add(engine->name);
                added.SetSmallIcon(engine->resultIcon);
                const quint64 key = added.Key();
                lookup.Keyword(keyword);
                lookup.url(site);
                lookup.maxnum(plan.pages);
                const int position = lookup.GetRank(engine->engine, 0, 0);
                ++outcome.lookups;
                const bool failed = lookup.LastLookupFailed();
                const QString rankstr = position == 0 ? notFound : lookup.LinkField(engine->engine);
                // The rows stay the run's own while it waits for pages: found by their key.
                if (const int row = results.IndexOfKey(key)) {
                    results.SetCell(
                        row, kKeywordOrRank,
                        failed ? QStringLiteral("查询失败") : QString::number(position));
                    results.SetCell(row, kDateOrLink, failed ? QString() : rankstr);
                    results.SetTag(row, lookup.PageField(engine->engine));
                }
                if (failed) {
                    ++outcome.failedLookups;
                    continue;
                }
                // After a lock that outlasted its wait every save would stand the window still
                // for another wait, and after a moved file go where nobody sees it: the run
                // lists the rest without saving it.
                if (!outcome.savesStoppedBy.isEmpty() ||
                    !SaveRankRecord(db,
                                    {engine->name, keyword, site, position, rankstr, Today()})) {
                    ++outcome.failedSaves;
                    if (outcome.savesStoppedBy.isEmpty() && db.LastFailureEndsWrites())
                        outcome.savesStoppedBy = db.LastError();
                }
            }
        }
    }
    return outcome;
}

QString RankRunEndMessage(const RankRunOutcome& outcome) {
    QString text = QStringLiteral("查询完毕");
    if (outcome.failedLookups > 0)
        text += QStringLiteral(
                    "\r\n其中 %1 次查询没有取得搜索引擎的结果页面，显示为“查询失败”，"
                    "结果没有保存。")
                    .arg(outcome.failedLookups);
    if (outcome.failedSaves > 0)
        text += QStringLiteral("\r\n有 %1 个查询结果没能保存到数据库。").arg(outcome.failedSaves);
    if (!outcome.savesStoppedBy.isEmpty())
        text += QStringLiteral("\r\n%1，从那时起的结果只列在查询结果中，排名历史没有刷新。")
                    .arg(outcome.savesStoppedBy);
    return text;
}
