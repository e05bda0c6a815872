#include "shell/database_bootstrap.h"

#include <QDir>
#include <QFileInfo>
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
enum class DatabaseProblem { None, WritesHeld, Locked, Damaged, ReadOnly };

// Checks that the opened file can serve: holding the shipped tables, and taking writes. It reads
// the same few pages whatever the file's size; a damaged page elsewhere is told by the statement
// that meets it. A check that another program's lock kept from its answer says nothing of the
// file.
DatabaseProblem CheckFile(platform::Connection& connection) {
    for (const QString& table : kShippedTables)
        if (!connection.HasTable(table))
            return connection.LastFailureWasLock() ? DatabaseProblem::Locked
                                                   : DatabaseProblem::Damaged;
    // Another program's write under way says nothing of whether the file takes writes, and is
    // not waited for: the window opens at once, and the next one asks again.
    const platform::NoLockWait noWait(connection);
    if (!connection.TakesWrites())
        return connection.LastFailureWasLock() ? DatabaseProblem::WritesHeld
                                               : DatabaseProblem::ReadOnly;
    return DatabaseProblem::None;
}

QString ProblemText(DatabaseProblem problem, const QString& path) {
    const QString file = QDir::toNativeSeparators(path);
    switch (problem) {
        case DatabaseProblem::Locked:
            return QStringLiteral(
                       "数据库文件正被其他程序占用，暂时无法使用：\r\n%1\r\n\r\n"
                       "不必重新启动软件：等其他程序释放它以后，下次用到关键词数据库时会自动重试。")
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
        case DatabaseProblem::WritesHeld:
            break;
    }
    return {};
}

// Each notice is told once per run, whichever window's open meets it first.
void TellOnce(const QString& text, platform::Icon icon, const QString& title) {
    static QSet<QString> told;
    if (told.contains(text)) return;
    told.insert(text);
    platform::ThePrompts().MessageBox(text, title, platform::Buttons::Ok, icon);
}

void TellOnce(DatabaseProblem problem, const QString& path) {
    TellOnce(ProblemText(problem, path), platform::Icon::Critical, QStringLiteral("警告"));
}

// The open kept a log out of db.db: the user learns where it went, since its rows are not in
// the database.
void TellSetAsideLog(const platform::Connection& connection) {
    if (connection.SetAsideLog().isEmpty()) return;
    const QString why =
        connection.SetAsideReason() == platform::database_log::AsideReason::Unchecked
            ? QStringLiteral(
                  "数据库文件旁有一个日志文件，无法检查它是否属于该数据库"
                  "（临时文件夹无法写入），为免读入它损坏数据库，")
            : QStringLiteral("数据库文件旁有一个不属于它的日志文件，读入它会损坏数据库，");
    TellOnce(why + QStringLiteral("已把它移到：\r\n%1\r\n\r\n数据库文件本身可以照常使用。")
                       .arg(QDir::toNativeSeparators(connection.SetAsideLog())),
             platform::Icon::Exclamation, QStringLiteral("提示"));
}

// An existing file that could not be opened: told for what it is. A new download would not mend
// it, and one copied over it would take the user's keywords with it.
void TellUnopenable(const platform::Connection& connection, bool* dbMissingFlag) {
    if (dbMissingFlag) *dbMissingFlag = true;
    const QString path = connection.ConnectionString();
    if (connection.LastFailure() == platform::Failure::Damaged) {
        TellOnce(DatabaseProblem::Damaged, path);
        return;
    }
    TellOnce(QStringLiteral("数据库文件无法打开：\r\n%1\r\n\r\n原因：%2\r\n\r\n"
                            "本次运行暂不使用关键词数据库；原因排除后，下次用到关键词数据库时会"
                            "自动重试。")
                 .arg(QDir::toNativeSeparators(path), connection.LastError()),
             platform::Icon::Critical, QStringLiteral("警告"));
}

void WarnMissing(QWidget* owner, bool* dbMissingFlag) {
    if (dbMissingFlag) *dbMissingFlag = true;
    platform::ThePrompts().MessageBox(
        QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！"),
        QStringLiteral("警告"), platform::Buttons::Ok, platform::Icon::Critical);
    platform::TheShell().Open(WebAddress::kMakerUpdateSite + QStringLiteral("/update/db.rar"),
                              owner);
}

}  // namespace

void OpenDatabaseOrWarn(platform::Connection& connection, QWidget* owner, bool* dbMissingFlag) {
    const bool first = connection.ConnectionString().isEmpty();
    // A file missing or unusable at an earlier open is looked for again: the user may have put
    // it in place since, as the warning asks. A file held by another program is not missing: it
    // serves once let go.
    if (!connection.IsOpen() && !connection.OpenPending()) {
        if (!connection.Open(DatabasePath()) && !connection.LastFailureWasLock()) {
            if (connection.LastFailure() == platform::Failure::Missing)
                WarnMissing(owner, dbMissingFlag);
            else
                TellUnopenable(connection, dbMissingFlag);
            return;
        }
        TellSetAsideLog(connection);
    }
    if (connection.Checked()) return;
    const DatabaseProblem problem = CheckFile(connection);
    switch (problem) {
        case DatabaseProblem::None:
            // The start-up could not complete the file while another program held it.
            if (!first) CreateMissingTables(connection, kBootstrapTables);
            IndexKeywordLookups(connection);
            connection.SetChecked();
            return;
        case DatabaseProblem::WritesHeld:
            return;  // it reads; whether it takes writes is asked again at the next load
        case DatabaseProblem::Locked:
            // Not given up: the next window or action that needs the file tries again.
            TellOnce(problem, connection.ConnectionString());
            return;
        case DatabaseProblem::ReadOnly:
            connection.SetChecked();
            TellOnce(problem, connection.ConnectionString());  // its keywords can still be read
            return;
        case DatabaseProblem::Damaged:
            connection.Close();
            if (dbMissingFlag) *dbMissingFlag = true;
            TellOnce(problem, connection.ConnectionString());
            return;
    }
}

bool DatabaseStillMissing(bool& dbMissingFlag) {
    if (!dbMissingFlag) return false;
    platform::Connection& connection = SharedConnection();
    // While no file stands there, the command's own answer says enough: no warning again.
    if (!connection.IsOpen() && !QFileInfo::exists(DatabasePath())) return true;
    bool missing = false;
    OpenDatabaseOrWarn(connection, nullptr, &missing);
    dbMissingFlag = missing;
    return missing;
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
    const platform::NoLockWait noWait(connection);
    connection.Execute(
        QStringLiteral("create index if not exists keywords_keys on keywords (keys)"));
}
