#include "mining_window/batch_keywords.h"

#include <QSet>
#include <QVariantList>
#include <optional>

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

namespace {

// Keywords stored by one statement: a file's keywords cost a statement each only once in this
// many.
constexpr int kKeywordsPerInsert = 256;

// Stores the keywords of an import `kKeywordsPerInsert` at a time.
class KeywordInserts {
  public:
    explicit KeywordInserts(platform::Connection& connection) : connection_(connection) {}

    // Whether every keyword so far is stored, or waits for the next statement.
    bool Add(const QString& keyword) {
        pending_ << keyword;
        return pending_.size() < kKeywordsPerInsert || Flush();
    }
    // Stores the keywords that wait; whether they were stored.
    bool Flush() {
        if (pending_.isEmpty()) return true;
        QString sql = QStringLiteral("insert into kwlist (kws,setting) values (?,1)");
        for (qsizetype i = 1; i < pending_.size(); ++i) sql += QStringLiteral(",(?,1)");
        const bool stored = connection_.Execute(sql, pending_);
        pending_.clear();
        return stored;
    }

  private:
    platform::Connection& connection_;
    QVariantList pending_;
};

list_import::ImportOutcome NotStored(list_import::ImportOutcome outcome, const QString& cause) {
    outcome.refusal = list_import::Refusal::NotStored;
    outcome.error = cause;
    outcome.imported = 0;
    return outcome;
}

}  // namespace

list_import::ImportOutcome ImportKeywordFile(platform::Connection& connection,
                                             platform::RowTable& list, const QString& path) {
    // All or nothing. The records go in one write transaction whose lock is taken before
    // anything else: under another program's lock the import waits once and writes none. The
    // first statement that fails ends the import and takes every record back (after a full
    // disk the library may have ended the transaction itself: nothing may follow outside it).
    // The rows wait unseen until the records are kept.
    platform::WriteTransaction transaction(connection);
    if (!transaction.Begun()) return NotStored({}, connection.LastError());
    std::optional<platform::RowTable::Appender> rows;
    KeywordInserts inserts(connection);
    list_import::ImportOutcome outcome = list_import::ImportListFile(
        path, {.expect = [&](qsizetype lines) { rows.emplace(list, lines); },
               .take =
                   [&](const QString& entry) {
                       const QString keyword = entry.toLower();
                       if (!rows->AddNew(keyword)) return list_import::EntryFate::Present;
                       if (!inserts.Add(keyword)) return list_import::EntryFate::Stop;
                       return list_import::EntryFate::Imported;
                   }});
    if (outcome.refusal == list_import::Refusal::None && !(inserts.Flush() && transaction.Commit()))
        outcome.refusal = list_import::Refusal::NotStored;
    if (outcome.refusal == list_import::Refusal::None) return outcome;
    if (rows) rows->Drop();
    if (outcome.refusal != list_import::Refusal::NotStored) return outcome;
    return NotStored(outcome, connection.LastError());
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
