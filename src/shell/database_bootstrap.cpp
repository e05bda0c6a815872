#include "shell/database_bootstrap.h"

#include <QWidget>

#include "platform/prompts.h"
#include "platform/shell.h"
#include "shared/web_addresses.h"

namespace {

// The statements keep the table and column names of the shipped program; the id columns are
// SQLite's auto-numbered keys, which give every new row its own id as an identity column does.
QString CreateStatement(const QString& table) {
    if (table == u"prs")
        return QStringLiteral(
            "create table prs (id integer primary key autoincrement,urls varchar(200),pr int,"
            "addtime datetime)");
    if (table == u"kwsetting")
        return QStringLiteral(
            "create table kwsetting (id integer primary key autoincrement,k1 varchar(50),"
            "k2 varchar(50) ,k3 varchar(50),k4 varchar(50) ,k11 varchar(50) ,k12 varchar(50) ,"
            "k13 varchar(50) ,k21 varchar(150) ,k22 varchar(50),k23 varchar(50) ,"
            "k31 varchar(50) ,k32 varchar(50),k33 varchar(50),k41 varchar(50),k42 varchar(50),"
            "k43 varchar(50) )");
    if (table == u"kwlist")
        return QStringLiteral(
            "create table kwlist (id integer primary key autoincrement,kws varchar(50),"
            "maxnum int,ext varchar(10),k1 int,k2 int,k3 varchar(250),setting int)");
    return {};
}

}  // namespace

void OpenDatabaseOrWarn(platform::Connection& connection, QWidget* owner, bool* dbMissingFlag) {
    if (!connection.ConnectionString().isEmpty()) {
        if (!connection.IsOpen() && dbMissingFlag) *dbMissingFlag = true;
        return;
    }
    if (connection.Open(DatabasePath())) return;
    if (dbMissingFlag) *dbMissingFlag = true;
    platform::ThePrompts().MessageBox(
        QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！"),
        QStringLiteral("警告"), platform::Buttons::Ok, platform::Icon::Critical);
    platform::TheShell().Open(WebAddress::kMakerUpdateSite + QStringLiteral("/update/db.rar"),
                              owner);
}

void CreateMissingTables(platform::Connection& connection, const QStringList& tables) {
    if (!connection.IsOpen()) return;
    for (const QString& table : tables) {
        const QString statement = CreateStatement(table);
        if (!statement.isEmpty() && !connection.HasTable(table)) connection.Execute(statement);
    }
}

void BootstrapSchema() {
    CreateMissingTables(SharedConnection(), kBootstrapTables);
}
