#include "tools_window/kws_table.h"

#include "shared/text_helpers.h"
#include "tools_window/record_writes.h"

namespace kws_table {

QStringList SplitEntries(const QString& subtxt) {
    return subtxt.split(u'|', Qt::SkipEmptyParts);
}

QString JoinEntries(const platform::RowTable& list) {
    QStringList texts;
    texts.reserve(list.Count());
    for (int i = 1; i <= list.Count(); ++i) texts << list.Text(i);
    return texts.join(u'|');
}

bool LoadRows(platform::Connection& db, Kind kind, platform::RowTable& list) {
    std::optional<platform::Recordset> rows =
        db.Query(QStringLiteral("select txt,id from kws where stat = ? order by id"), {int(kind)});
    if (!rows) return false;
    list.Clear();
    for (; !rows->Eof(); rows->MoveNext())
        list.Add(TrimBlanks(rows->Text(QStringLiteral("txt"))))
            .SetTag(rows->Text(QStringLiteral("id")));
    return true;
}

bool LoadEntries(platform::Connection& db, qint64 id, platform::RowTable& list) {
    std::optional<platform::Recordset> record =
        db.Query(QStringLiteral("select subtxt from kws where id = ?"), {id});
    if (!record) return false;
    list.Clear();
    if (record->Eof()) return true;
    for (const QString& entry : SplitEntries(record->Text(QStringLiteral("subtxt"))))
        list.Add(entry).SetChecked(true);
    return true;
}

std::optional<bool> RowExists(platform::Connection& db, Kind kind, const QString& text) {
    const std::optional<platform::Recordset> found =
        db.Query(QStringLiteral("select id from kws where lower(txt) = lower(?) and stat = ?"),
                 {TrimBlanks(text), int(kind)});
    if (!found) return std::nullopt;
    return !found->Eof();
}

int InsertRows(platform::Connection& db, Kind kind, const QStringList& texts) {
    QList<QVariantList> params;
    params.reserve(texts.size());
    for (const QString& text : texts) params.append(QVariantList{text, int(kind)});
    return ExecuteEach(db, QStringLiteral("insert into kws (txt,stat) values (?,?)"), params);
}

std::optional<qint64> InsertRowWithEntries(platform::Connection& db, Kind kind, const QString& text,
                                           const QString& entries) {
    return InsertRecord(db, QStringLiteral("insert into kws (txt,subtxt,stat) values (?,?,?)"),
                        {text, entries, int(kind)});
}

bool RenameRow(platform::Connection& db, qint64 id, const QString& text) {
    return db.Execute(QStringLiteral("update kws set txt = ? where id = ?"), {text, id});
}

bool WriteEntries(platform::Connection& db, qint64 id, const QString& entries) {
    return db.Execute(QStringLiteral("update kws set subtxt = ? where id = ?"), {entries, id});
}

}  // namespace kws_table

LowerCaseTexts::LowerCaseTexts(const platform::RowTable& list) {
    texts_.reserve(list.Count());
    for (int i = 1; i <= list.Count(); ++i) texts_.insert(list.Text(i).toLower());
}
