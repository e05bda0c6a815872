#include "tools_window/rank_store.h"

bool SaveRankRecord(platform::Connection& db, const RankRecord& r) {
    const std::optional<platform::Recordset> found =
        db.Query(QStringLiteral("select id from ranks where kws = ? and urls = ? and se = ? and "
                                "addtime = ?"),
                 {r.kws, r.urls, r.se, r.addtime});
    if (!found) return false;
    if (!found->Eof())
        return db.Execute(QStringLiteral("update ranks set rank = ?,rankstr = ? where id = ?"),
                          {r.rank, r.rankstr, found->Field(0)});
    return db.Execute(QStringLiteral("insert into ranks (se,kws,urls,rank,rankstr,addtime) values "
                                     "(?,?,?,?,?,?)"),
                      {r.se, r.kws, r.urls, r.rank, r.rankstr, r.addtime});
}
