#include "mining_window/batch_keywords.h"

#include <QSet>

#include "platform/database.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace batch_keywords {
void ReloadBatchKeywords(platform::Connection& connection, platform::RowTable& list) {
    // One pass into a table no view shows, then one change of the list.
    platform::RowTable loaded;
    if (std::optional<platform::Recordset> records =
            connection.Query(QStringLiteral("select kws from kwlist"))) {
        for (; !records->Eof(); records->MoveNext())
            loaded.Add(TrimBlanks(records->Text(QStringLiteral("kws"))));
    }
    list.RebuildFrom(loaded);
}

DeleteOutcome DeleteCheckedKeywords(platform::Connection& connection, platform::RowTable& list) {
    DeleteOutcome outcome;
    QSet<QString> deleted;
    QSet<QString> kept;
    for (int i = 1; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        outcome.anyChecked = true;
        const QString keyword = TrimBlanks(list.Text(i));
        if (deleted.contains(keyword) || kept.contains(keyword)) continue;
        if (connection.Execute(QStringLiteral("delete from kwlist where kws = ?"), {keyword})) {
            deleted.insert(keyword);
        } else {
            kept.insert(keyword);
            outcome.kept << keyword;
            outcome.error = connection.LastError();
        }
    }
    list.RemoveWhere([&list, &deleted](int index) {
        return list.Checked(index) && deleted.contains(TrimBlanks(list.Text(index)));
    });
    return outcome;
}

list_import::ImportOutcome ImportKeywordFile(platform::Connection& connection,
                                             platform::RowTable& list, const QString& path) {
    // The records first, in one write transaction whose lock is taken before anything else:
    // under another program's lock the import waits once and writes none. The rows once the
    // records are kept.
    QStringList written;
    QSet<QString> taken;
    QString error;
    platform::WriteTransaction transaction(connection);
    if (!transaction.Begun()) error = connection.LastError();
    list_import::ImportOutcome outcome =
        list_import::ImportListFile(path, [&](const QString& entry) {
            const QString keyword = TrimBlanks(entry.toLower());
            if (taken.contains(keyword) || platform::ListContainsText(keyword, list))
                return list_import::EntryFate::Present;
            taken.insert(keyword);
            if (!transaction.Begun()) return list_import::EntryFate::NotWritten;
            if (!connection.Execute(QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
                                    {keyword})) {
                error = connection.LastError();
                return list_import::EntryFate::NotWritten;
            }
            written << keyword;
            return list_import::EntryFate::Imported;
        });
    outcome.error = outcome.error.isEmpty() ? error : outcome.error;
    const bool keep = outcome.refusal == list_import::Refusal::None;
    if (transaction.Begun() && !(keep && transaction.Commit())) {
        if (keep) outcome.error = connection.LastError();
        outcome.notWritten += outcome.imported;
        outcome.imported = 0;
        written.clear();
    }
    for (const QString& keyword : written) list.Add(keyword);
    return outcome;
}

bool KeywordStored(platform::Connection& connection, const QString& keyword) {
    const std::optional<platform::Recordset> records =
        connection.Query(QStringLiteral("select id from kwlist where kws = ?"), {keyword});
    return records && !records->Eof();
}

bool AddKeywordRecord(platform::Connection& connection, const KeywordSettings& settings) {
    if (settings.paneSettings)
        return connection.Execute(QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
                                  {settings.keyword});
    return connection.Execute(
        QStringLiteral("insert into kwlist (kws,ext,k1,k2,k3,setting) values (?,?,?,?,?,0)"),
        {settings.keyword, settings.saveFormat, settings.maximum, settings.mustContain ? 1 : 0,
         settings.exclusionWords});
}

bool UpdateKeywordRecords(platform::Connection& connection, const QString& before,
                          const KeywordSettings& settings) {
    return connection.Execute(
        QStringLiteral("update kwlist set kws = ?,ext = ?,k1 = ?,k2 = ?,k3 = ?,setting = ? where "
                       "kws = ?"),
        {settings.keyword, settings.saveFormat, settings.maximum, settings.mustContain ? 1 : 0,
         settings.exclusionWords, settings.paneSettings ? 1 : 0, before});
}

}  // namespace batch_keywords
