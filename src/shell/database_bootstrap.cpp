#include "shell/database_bootstrap.h"

#include <QDir>
#include <QSet>
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

// What keeps an existing db.db from serving the program.
enum class DatabaseProblem { None, Unreadable, Locked, Damaged, ReadOnly };

// Opens `path` on `connection` and checks that it can serve: readable, holding the shipped
// tables on sound pages, and taking writes.
DatabaseProblem OpenAndCheck(platform::Connection& connection, const QString& path) {
    // A check that failed on another program's lock says nothing about the file itself.
    const auto failed = [&connection](DatabaseProblem problem) {
        return connection.LastFailureWasLock() ? DatabaseProblem::Locked : problem;
    };
    if (!connection.Open(path)) return failed(DatabaseProblem::Unreadable);
    for (const QString& table : kShippedTables)
        if (!connection.HasTable(table)) return failed(DatabaseProblem::Damaged);
    if (!connection.PagesIntact()) return failed(DatabaseProblem::Damaged);
    if (!connection.TakesWrites()) return failed(DatabaseProblem::ReadOnly);
    return DatabaseProblem::None;
}

QString ProblemText(DatabaseProblem problem, const QString& path) {
    const QString file = QDir::toNativeSeparators(path);
    switch (problem) {
        case DatabaseProblem::Locked:
            return QStringLiteral(
                       "数据库文件正被其他程序占用，等待后仍无法使用：\r\n%1\r\n\r\n"
                       "本次运行将不使用关键词数据库。请关闭占用它的程序后重新启动软件！")
                .arg(file);
        case DatabaseProblem::Damaged:
            return QStringLiteral(
                       "数据库文件已损坏或缺少数据表，无法使用：\r\n%1\r\n\r\n"
                       "本次运行将不使用关键词数据库。请备份该文件后重新下载数据库文件，"
                       "解压并复制到软件安装目录！")
                .arg(file);
        case DatabaseProblem::ReadOnly:
            return QStringLiteral(
                       "数据库文件无法写入（文件或它所在的文件夹是只读的）：\r\n%1\r\n\r\n"
                       "关键词数据库中的数据可以查看，但无法保存。请取消只读属性，"
                       "或把软件安装到可以写入的文件夹后重新启动软件！")
                .arg(file);
        case DatabaseProblem::None:
        case DatabaseProblem::Unreadable:
            break;
    }
    return {};
}

// Each problem of a file is told once per run, whichever window's open meets it first.
void TellOnce(DatabaseProblem problem, const QString& path) {
    static QSet<QString> told;
    const QString key = QString::number(static_cast<int>(problem)) + u'|' + path;
    if (told.contains(key)) return;
    told.insert(key);
    platform::ThePrompts().MessageBox(ProblemText(problem, path), QStringLiteral("警告"),
                                      platform::Buttons::Ok, platform::Icon::Critical);
}

}  // namespace

void OpenDatabaseOrWarn(platform::Connection& connection, QWidget* owner, bool* dbMissingFlag) {
    if (!connection.ConnectionString().isEmpty()) {
        if (!connection.IsOpen() && dbMissingFlag) *dbMissingFlag = true;
        return;
    }
    const QString path = DatabasePath();
    const DatabaseProblem problem = OpenAndCheck(connection, path);
    switch (problem) {
        case DatabaseProblem::None:
            IndexKeywordLookups(connection);
            return;
        case DatabaseProblem::ReadOnly:
            TellOnce(problem, path);  // its keywords can still be read
            return;
        case DatabaseProblem::Locked:
        case DatabaseProblem::Damaged:
            connection.Close();
            if (dbMissingFlag) *dbMissingFlag = true;
            TellOnce(problem, path);
            return;
        case DatabaseProblem::Unreadable:
            break;
    }
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

void IndexKeywordLookups(platform::Connection& connection) {
    if (!connection.IsOpen()) return;
    // Any whole index that leads with `keys` as written serves, whatever its name.
    const std::optional<platform::Recordset> indexed = connection.Query(QStringLiteral(
        "select 1 from pragma_index_list('keywords') as list, "
        "pragma_index_xinfo(list.name) as info where list.partial = 0 and info.seqno = 0 "
        "and info.name = 'keys' and info.coll = 'BINARY'"));
    if (!indexed || !indexed->Eof()) return;
    // The start-up does not stand still for another program's lock over an index: the
    // lookups work without it, only slower.
    connection.SetLockWait(std::chrono::milliseconds(0));
    connection.Execute(
        QStringLiteral("create index if not exists keywords_keys on keywords (keys)"));
    connection.SetLockWait(platform::kLockWait);
}
