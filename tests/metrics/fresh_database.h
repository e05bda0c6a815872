#pragma once

#include <gtest/gtest.h>
#include <QStringList>

#include "platform/database.h"
#include "shared/shared_connection.h"
#include "support/program_folder_fixture.h"

namespace metrics_testing {

// A fresh db.db in a program folder of its own, open on the shared connection.
class FreshDatabase {
  public:
    FreshDatabase() {
        folder_.AddFreshDatabase();
        ForgetSharedConnection();
        EXPECT_TRUE(SharedConnection().Open(DatabasePath()));
    }
    ~FreshDatabase() { ForgetSharedConnection(); }

    void Insert(const QString& keys, const QString& parent, const QVariant& month,
                const QVariant& day, const QVariant& count, const QString& date) {
        ASSERT_TRUE(SharedConnection().Execute(
            QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                           "adddate) values (?,?,?,?,?,?)"),
            {keys, parent, month, day, count, date}));
    }

    // Every row as "keys|parentkeys|monthrank|dayrank|baidunum|adddate", in the order of ids.
    QStringList Rows() const {
        QStringList rows;
        std::optional<platform::Recordset> records = SharedConnection().Query(
            QStringLiteral("select keys,parentkeys,monthrank,dayrank,baidunum,adddate from "
                           "keywords order by id"));
        for (; records && !records->Eof(); records->MoveNext()) {
            QStringList fields;
            for (int i = 0; i < records->FieldCount(); ++i) fields << records->Field(i).toString();
            rows << fields.join(u'|');
        }
        return rows;
    }

  private:
    testing_support::TemporaryProgramFolder folder_;
};

}  // namespace metrics_testing
