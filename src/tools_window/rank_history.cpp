#include "tools_window/rank_history.h"

#include "shared/text_helpers.h"
#include "tools_window/rank_columns.h"
#include "tools_window/rank_engines.h"

namespace rank_history {
namespace {

using namespace rank_columns;

bool ChoosesAll(const QString& entry, const QString& all) {
    return entry.isEmpty() || entry == all;
}

// The "all" entry, then the distinct values of `column` of the records whose `where` column is
// `value` (all records when `value` chooses all).
QStringList FilterEntries(platform::Connection& db, const QString& all, const QString& column,
                          const QString& where, const QString& value, const QString& valueAll) {
    QString sql = QStringLiteral("select distinct %1 from ranks").arg(column);
    QVariantList params;
    if (!ChoosesAll(value, valueAll)) {
        sql += QStringLiteral(" where %1 = ?").arg(where);
        params << value;
    }
    QStringList entries{all};
    std::optional<platform::Recordset> values = db.Query(sql, params);
    for (; values && !values->Eof(); values->MoveNext()) entries << values->Field(0).toString();
    return entries;
}

}  // namespace

QStringList EngineFilterEntries() {
    QStringList entries{kAllEngines};
    for (const RankEngineInfo& engine : RankEngines()) entries << engine.name;
    return entries;
}

QStringList SiteFilterEntries(platform::Connection& db, const QString& keyword) {
    return FilterEntries(db, kAllSites, QStringLiteral("urls"), QStringLiteral("kws"), keyword,
                         kAllKeywords);
}

QStringList KeywordFilterEntries(platform::Connection& db, const QString& site) {
    return FilterEntries(db, kAllKeywords, QStringLiteral("kws"), QStringLiteral("urls"), site,
                         kAllSites);
}

bool LoadHistory(platform::Connection& db, const Filter& filter, platform::RowTable& list) {
    list.Clear();
    QStringList conditions;
    QVariantList params;
    const auto condition = [&](const QString& column, const QString& value, const QString& all) {
        if (ChoosesAll(value, all)) return;
        conditions << column + QStringLiteral(" = ?");
        params << value;
    };
    condition(QStringLiteral("urls"), filter.site, kAllSites);
    condition(QStringLiteral("kws"), filter.keyword, kAllKeywords);
    condition(QStringLiteral("se"), filter.engine, kAllEngines);
    QString sql = QStringLiteral("select id,se,urls,kws,rank,rankstr,addtime from ranks");
    if (!conditions.isEmpty()) sql += QStringLiteral(" where ") + conditions.join(u" and ");
    sql += QStringLiteral(" order by id desc");
    std::optional<platform::Recordset> records = db.Query(sql, params);
    if (!records) return false;
    for (; !records->Eof(); records->MoveNext()) {
        const auto value = [&records](int field) {
            return TrimBlanks(records->Field(field).toString());
        };
        const platform::ListItem row = list.Add(value(1));
        if (const RankEngineInfo* engine = EngineNamed(value(1)))
            row.SetSmallIcon(engine->resultIcon);
        row.SetSubItem(kSite, value(2));
        row.SetSubItem(kKeyword, value(3));
        row.SetSubItem(kRank, value(4));
        row.SetSubItem(kLink, value(5));
        row.SetSubItem(kDate, value(6));
        row.SetTag(value(0));
    }
    return true;
}

}  // namespace rank_history
