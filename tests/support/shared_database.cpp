#include "support/shared_database.h"

#include <gtest/gtest.h>

#include "shared/shared_connection.h"

namespace testing_support {

SharedDatabase::SharedDatabase(const TemporaryProgramFolder& folder, Database database) {
    ForgetSharedConnection();
    if (database == Database::Missing) return;
    folder.AddFreshDatabase();
    EXPECT_TRUE(SharedConnection().Open(DatabasePath()))
        << SharedConnection().LastError().toStdString();
}

SharedDatabase::~SharedDatabase() {
    ForgetSharedConnection();
}

void SharedDatabase::Insert(const QString& keys, const QString& parent, const QVariant& month,
                            const QVariant& day, const QVariant& count, const QString& date) {
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                       "adddate) values (?,?,?,?,?,?)"),
        {keys, parent, month, day, count, date}))
        << SharedConnection().LastError().toStdString();
}

QStringList SharedDatabase::Rows() const {
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

}  // namespace testing_support
