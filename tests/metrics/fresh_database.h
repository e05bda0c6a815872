#pragma once

#include <QStringList>
#include <QVariant>

#include "shared/shared_connection.h"
#include "support/program_folder_fixture.h"
#include "support/shared_database.h"

namespace metrics_testing {

// A fresh db.db in a program folder of its own, open on the shared connection, for a test that
// needs no more of the test environment.
class FreshDatabase {
  public:
    void Insert(const QString& keys, const QString& parent, const QVariant& month,
                const QVariant& day, const QVariant& count, const QString& date) {
        database_.Insert(keys, parent, month, day, count, date);
    }
    // Every keywords row as "keys|parentkeys|monthrank|dayrank|baidunum|adddate", by id.
    QStringList Rows() const { return database_.Rows(); }

  private:
    testing_support::TemporaryProgramFolder folder_;
    testing_support::SharedDatabase database_{folder_};
};

}  // namespace metrics_testing
