#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

#include "platform/database.h"
#include "platform/row_table.h"

// Writes of the tools window that the user starts on many records at once run as one
// transaction: a list of thousands is written in one go, and a failure leaves every record
// before it written and the rest untouched.

// Runs `sql` once per parameter list, in order, stopping at the first statement that fails; how
// many ran and are kept.
int ExecuteEach(platform::Connection& db, const QString& sql, const QList<QVariantList>& params);

struct Deletion {
    int deleted = 0;
    bool failed = false;  // a record could not be deleted: it and the rows after it stay
};
// Deletes from `table` the records whose ids the checked rows of `list` carry as their tags, top
// to bottom, and removes their rows in one pass; stops at the first record that cannot be
// deleted.
Deletion DeleteCheckedRecords(platform::Connection& db, const QString& table,
                              platform::RowTable& list);

// Runs the insert `sql` and returns the id the new record got; nothing when it failed.
std::optional<qint64> InsertRecord(platform::Connection& db, const QString& sql,
                                   const QVariantList& params);
