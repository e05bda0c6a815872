#include "tools_window/record_writes.h"

int ExecuteEach(platform::Connection& db, const QString& sql, const QList<QVariantList>& params) {
    if (params.isEmpty()) return 0;
    platform::WriteTransaction transaction(db);
    if (!transaction.Begun()) return 0;
    int done = 0;
    while (done < params.size() && db.Execute(sql, params[done])) ++done;
    return transaction.Commit() ? done : 0;
}

Deletion DeleteCheckedRecords(platform::Connection& db, const QString& table,
                              platform::RowTable& list) {
    QList<QVariantList> ids;
    for (int i = 1; i <= list.Count(); ++i)
        if (list.Checked(i)) ids.append(QVariantList{list.Tag(i).toLongLong()});
    Deletion deletion;
    deletion.deleted =
        ExecuteEach(db, QStringLiteral("delete from %1 where id = ?").arg(table), ids);
    deletion.failed = deletion.deleted < ids.size();
    int checkedSeen = 0;
    list.RemoveWhere([&](int i) { return list.Checked(i) && checkedSeen++ < deletion.deleted; });
    return deletion;
}

std::optional<qint64> InsertRecord(platform::Connection& db, const QString& sql,
                                   const QVariantList& params) {
    if (!db.Execute(sql, params)) return std::nullopt;
    // The id the connection's last insert gave, not the highest id of the table.
    const std::optional<platform::Recordset> id =
        db.Query(QStringLiteral("select last_insert_rowid()"));
    if (!id || id->Eof()) return std::nullopt;
    return id->Field(0).toLongLong();
}
