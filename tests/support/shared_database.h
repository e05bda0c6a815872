#pragma once

#include <QStringList>
#include <QVariant>

#include "support/program_folder_fixture.h"

namespace testing_support {

// Whether a test starts with a fresh db.db open on the shared connection, or without db.db.
enum class Database { Fresh, Missing };

// The shared connection of a test: forgotten when the object comes and when it goes, so that no
// test meets another's; open on a fresh db.db with the shipped tables in `folder` unless the
// test starts without one.
class SharedDatabase {
  public:
    explicit SharedDatabase(const TemporaryProgramFolder& folder,
                            Database database = Database::Fresh);
    ~SharedDatabase();
    SharedDatabase(const SharedDatabase&) = delete;
    SharedDatabase& operator=(const SharedDatabase&) = delete;

    // Adds a row to the keywords table.
    void Insert(const QString& keys, const QString& parent, const QVariant& month,
                const QVariant& day, const QVariant& count, const QString& date);
    // Every row of the keywords table as "keys|parentkeys|monthrank|dayrank|baidunum|adddate",
    // in the order of ids.
    QStringList Rows() const;
};

}  // namespace testing_support
