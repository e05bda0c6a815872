#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/database.h"
#include "platform/row_table.h"

// Table kws: the rank query's stored targets. A site row (stat 0) carries its keywords, a
// keyword row (stat 1) its sites, as entries joined by "|" in subtxt.
namespace kws_table {

enum class Kind { Site = 0, Keyword = 1 };

// The entries of a subtxt text: its pieces between "|" that are not empty, as they stand.
QStringList SplitEntries(const QString& subtxt);
// The texts of every row of `list`, top to bottom, joined by "|".
QString JoinEntries(const platform::RowTable& list);

// Fills `list` with the rows of `kind` in id order: text txt trimmed, tag id, unchecked. A read
// that fails leaves the list as it was.
bool LoadRows(platform::Connection& db, Kind kind, platform::RowTable& list);
// Fills `list` with the entries of record `id`, every row checked; empty when there is none.
// A read that fails leaves the list as it was.
bool LoadEntries(platform::Connection& db, qint64 id, platform::RowTable& list);
// Whether a row of `kind` has the text `text` (trimmed), in any letter case; nothing when the
// read failed.
std::optional<bool> RowExists(platform::Connection& db, Kind kind, const QString& text);
// Stores new rows of `kind` without entries, in order; how many were stored before a failure.
int InsertRows(platform::Connection& db, Kind kind, const QStringList& texts);
// Stores a new row with its entries; its id, or nothing when it was not stored.
std::optional<qint64> InsertRowWithEntries(platform::Connection& db, Kind kind, const QString& text,
                                           const QString& entries);
bool RenameRow(platform::Connection& db, qint64 id, const QString& text);
bool WriteEntries(platform::Connection& db, qint64 id, const QString& entries);

}  // namespace kws_table

// The texts of a target list in lower case, for the duplicate test of its entries: a site or
// keyword counts as present in any letter case. Built in one pass over the list.
class LowerCaseTexts {
  public:
    LowerCaseTexts() = default;
    explicit LowerCaseTexts(const platform::RowTable& list);
    bool Contains(const QString& text) const { return texts_.contains(text.toLower()); }
    void Insert(const QString& text) { texts_.insert(text.toLower()); }

  private:
    QSet<QString> texts_;
};
