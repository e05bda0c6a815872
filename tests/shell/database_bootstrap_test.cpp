#include "shell/database_bootstrap.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "support/database_files.h"
#include "support/other_program.h"
#include "support/test_environment.h"

namespace {

using testing_support::RecordingShell;
using testing_support::ScriptedPrompts;
using testing_support::TemporaryProgramFolder;

const QString kMissingDatabase =
    QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！");

// The test environment without db.db, and a connection not yet opened.
class OpenDatabaseOrWarnTest : public testing_support::TestEnvironment {
  protected:
    OpenDatabaseOrWarnTest()
        : TestEnvironment(testing_support::Database::Missing, testing_support::Desktop::Used) {}

    platform::Connection connection;
    bool missing = false;
};

TEST_F(OpenDatabaseOrWarnTest, MissingFileWarnsOnceHandsTheDownloadPageOverAndSetsTheFlag) {
    OpenDatabaseOrWarn(connection, nullptr, &missing);

    EXPECT_TRUE(missing);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, kMissingDatabase);
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("警告"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Critical);
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened[0].endsWith(QStringLiteral("/update/db.rar")));
    EXPECT_FALSE(QFile::exists(folder.FilePath(QStringLiteral("db.db")))) << "never created";

    // A later window on the same connection looks for the file again, and is told again.
    bool laterMissing = false;
    OpenDatabaseOrWarn(connection, nullptr, &laterMissing);
    EXPECT_TRUE(laterMissing);
    EXPECT_EQ(prompts.Texts(), QStringList(2, kMissingDatabase));

    // Once the user has put the file in place, as the warning asks, the next window opens it
    // and completes it as the start-up would have.
    folder.AddFreshDatabase();
    bool nowMissing = false;
    OpenDatabaseOrWarn(connection, nullptr, &nowMissing);
    EXPECT_FALSE(nowMissing);
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_EQ(prompts.prompts().size(), 2u);
    for (const QString& table : kBootstrapTables) EXPECT_TRUE(connection.HasTable(table));
}

TEST_F(OpenDatabaseOrWarnTest, PresentFileOpensQuietlyAndOnlyOnce) {
    folder.AddFreshDatabase();

    OpenDatabaseOrWarn(connection, nullptr, &missing);
    OpenDatabaseOrWarn(connection, nullptr, nullptr);

    EXPECT_FALSE(missing);
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_EQ(connection.ConnectionString(), folder.FilePath(QStringLiteral("db.db")));
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_TRUE(shell.opened.empty());
}

// A lock another program lets go of while the start-up waits for it is waited out: a locked file
// is not a missing one.
TEST_F(OpenDatabaseOrWarnTest, AFileAnotherProgramHoldsForAMomentIsWaitedFor) {
    folder.AddFreshDatabase();
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        other.EndWhenWaitedFor();
        OpenDatabaseOrWarn(connection, nullptr, &missing);
        EXPECT_EQ(connection.LockWaits(), 1) << "the open met the lock";
    }
    EXPECT_FALSE(missing);
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_TRUE(shell.opened.empty());
}

// A lock that outlasts the wait is no reason to give the database up: the file is told as held,
// not missing; the next statement finds it once the other program lets go, and the next window
// load completes what the start-up could not (the program's own tables).
TEST_F(OpenDatabaseOrWarnTest, AFileHeldPastTheWaitIsNotGivenUpAndServesOnceLetGo) {
    folder.AddFreshDatabase();
    connection.SetLockWait(std::chrono::milliseconds(200));
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        OpenDatabaseOrWarn(connection, nullptr, &missing);
        CreateMissingTables(connection, kBootstrapTables);
        bool laterMissing = false;
        OpenDatabaseOrWarn(connection, nullptr, &laterMissing);
        EXPECT_FALSE(laterMissing);
    }
    EXPECT_FALSE(missing);
    ASSERT_EQ(prompts.prompts().size(), 1u) << "told once";
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("数据库文件正被其他程序占用")));
    EXPECT_TRUE(shell.opened.empty()) << "no download for a file that is there";

    bool laterMissing = false;
    OpenDatabaseOrWarn(connection, nullptr, &laterMissing);
    EXPECT_FALSE(laterMissing);
    EXPECT_TRUE(connection.HasTable(QStringLiteral("kwlist")));
    EXPECT_TRUE(connection.Execute(QStringLiteral("insert into kwlist (kws) values ('减肥')")));
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

// Another program's write under way at the open holds nothing up: the file reads at once and is
// neither told as held nor as read-only.
TEST_F(OpenDatabaseOrWarnTest, AnotherProgramsWriteUnderWayDoesNotHoldTheOpenUp) {
    folder.AddFreshDatabase();
    testing_support::OtherProgramSession other(DatabasePath(), {QStringLiteral("begin immediate")});
    ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
    const int waits = connection.LockWaits();
    OpenDatabaseOrWarn(connection, nullptr, &missing);
    EXPECT_EQ(connection.LockWaits(), waits);
    EXPECT_FALSE(missing);
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_TRUE(prompts.prompts().empty());
}

void SetPermissions(const QString& path, QFile::Permissions permissions) {
    ASSERT_TRUE(QFile::setPermissions(path, permissions)) << path.toStdString();
}

const QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther |
                                     QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
const QFile::Permissions kWritable =
    kReadOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

// A db.db that opens but cannot serve is told plainly, once: a damaged one switches the
// database off like a missing one; one that takes no writes still serves for reading.
TEST_F(OpenDatabaseOrWarnTest, AFileThatCannotServeIsToldWhatIsWrongOnce) {
    const QString damaged = QStringLiteral(
        "数据库文件已损坏或缺少数据表，无法使用：\r\n%1\r\n\r\n"
        "本次运行将不使用关键词数据库。请备份该文件后重新下载数据库文件，"
        "解压并复制到软件安装目录！");
    const QString readOnly = QStringLiteral(
        "数据库文件无法写入（文件或它所在的文件夹是只读的）：\r\n%1\r\n\r\n"
        "关键词数据库中的数据可以查看，但无法保存。请取消只读属性，"
        "或把软件安装到可以写入的文件夹后重新启动软件！");
    const struct {
        const char* what;
        std::function<void(const TemporaryProgramFolder&)> prepare;
        const QString& message;
        bool serves;
    } cases[] = {
        {"an empty file",
         [](const TemporaryProgramFolder& f) {
             QFile(f.FilePath(QStringLiteral("db.db"))).open(QIODevice::WriteOnly);
         },
         damaged, false},
        {"no keywords table",
         [](const TemporaryProgramFolder& f) {
             f.AddFreshDatabase();
             platform::Connection db;
             ASSERT_TRUE(db.Open(f.FilePath(QStringLiteral("db.db"))));
             ASSERT_TRUE(db.Execute(QStringLiteral("drop table keywords")));
         },
         damaged, false},
        {"a read-only file",
         [](const TemporaryProgramFolder& f) {
             f.AddFreshDatabase();
             SetPermissions(f.FilePath(QStringLiteral("db.db")), kReadOnly);
         },
         readOnly, true},
        {"a read-only folder",
         [](const TemporaryProgramFolder& f) {
             f.AddFreshDatabase();
             SetPermissions(f.FilePath(QStringLiteral("db.db")), kWritable);
             SetPermissions(f.Path(), kReadOnly);
         },
         readOnly, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryProgramFolder own;
        SetPermissions(own.Path(), kWritable);  // an ordinary user's program folder
        c.prepare(own);
        ScriptedPrompts told;
        RecordingShell shellOfTheCase;
        platform::Connection shared, tools;
        bool sharedMissing = false, toolsMissing = false;
        {
            testing_support::OrdinaryUserFileAccess user;
            OpenDatabaseOrWarn(shared, nullptr, &sharedMissing);
            // The tools window opens its own connection to the same file: told once is enough.
            OpenDatabaseOrWarn(tools, nullptr, &toolsMissing);
        }
        SetPermissions(own.Path(), kWritable);

        ASSERT_EQ(told.Texts(), QStringList{c.message.arg(DatabasePath())});
        EXPECT_EQ(told.prompts()[0].title, QStringLiteral("警告"));
        EXPECT_EQ(told.prompts()[0].icon, platform::Icon::Critical);
        EXPECT_TRUE(shellOfTheCase.opened.empty()) << "a new download would not mend it";
        EXPECT_EQ(sharedMissing, !c.serves);
        EXPECT_EQ(toolsMissing, !c.serves);
        EXPECT_EQ(shared.IsOpen(), c.serves);
        if (c.serves) {
            EXPECT_TRUE(shared.HasTable(QStringLiteral("keywords")));
        }
    }
}

// A file that is there but cannot be opened is told for what it is, once, and never as missing:
// the download page would have the user copy a fresh file over the only copy of their keywords.
TEST_F(OpenDatabaseOrWarnTest, AFileThatIsThereButCannotBeOpenedIsNeverToldAsMissing) {
    const auto overwrite = [](qint64 at, const QByteArray& bytes) {
        return [at, bytes](const TemporaryProgramFolder& f) {
            f.AddFreshDatabase();
            QFile file(f.FilePath(QStringLiteral("db.db")));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.seek(at);
            file.write(bytes);
        };
    };
    const struct {
        const char* what;
        std::function<void(const TemporaryProgramFolder&)> prepare;
        const char* told;
    } cases[] = {
        {"a text file",
         [](const TemporaryProgramFolder& f) {
             QFile file(f.FilePath(QStringLiteral("db.db")));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("this is not a database file at all, just text that fills the header");
         },
         "数据库文件已损坏"},
        {"a zeroed header", overwrite(0, QByteArray(100, '\0')), "数据库文件已损坏"},
        {"a damaged table list", overwrite(4096 - 600, QByteArray(600, '\xA5')),
         "数据库文件已损坏"},
        {"a file in log mode in a read-only folder",
         [](const TemporaryProgramFolder& f) {
             f.AddFreshDatabase();
             ASSERT_EQ(
                 testing_support::OtherProgramQuery(f.FilePath(QStringLiteral("db.db")),
                                                    QStringLiteral("pragma journal_mode = wal")),
                 QStringLiteral("wal"));
             SetPermissions(f.Path(), kReadOnly);
         },
         "只读"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryProgramFolder own;
        SetPermissions(own.Path(), kWritable);
        c.prepare(own);
        ScriptedPrompts told;
        RecordingShell shellOfTheCase;
        bool first = false, second = false;
        {
            testing_support::OrdinaryUserFileAccess user;
            platform::Connection shared, tools;
            OpenDatabaseOrWarn(shared, nullptr, &first);
            OpenDatabaseOrWarn(shared, nullptr, nullptr);  // the next window load
            OpenDatabaseOrWarn(tools, nullptr, &second);
        }
        SetPermissions(own.Path(), kWritable);
        EXPECT_TRUE(first);
        EXPECT_TRUE(second);
        ASSERT_EQ(told.Texts().size(), 1) << told.Texts().join(u'|').toStdString();
        EXPECT_TRUE(told.Texts()[0].contains(QString::fromUtf8(c.told)))
            << told.Texts()[0].toStdString();
        EXPECT_TRUE(told.Texts()[0].contains(QDir::toNativeSeparators(DatabasePath())));
        EXPECT_EQ(told.prompts()[0].title, QStringLiteral("警告"));
        EXPECT_EQ(told.prompts()[0].icon, platform::Icon::Critical);
        EXPECT_TRUE(shellOfTheCase.opened.empty()) << "the download page was opened";
    }
}

// The open reads the same few pages whatever the file's size: pages damaged beyond the
// schema are not looked for, and the statement that meets them tells the damage.
TEST_F(OpenDatabaseOrWarnTest, DamagedPagesAreToldByTheStatementThatMeetsThem) {
    folder.AddFreshDatabase();
    {
        platform::Connection db;
        ASSERT_TRUE(db.Open(DatabasePath()));
        ASSERT_TRUE(db.Execute(QStringLiteral(
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000) "
            "insert into keywords (keys) select hex(randomblob(30)) from n")));
    }
    testing_support::DamagePages(DatabasePath());

    OpenDatabaseOrWarn(connection, nullptr, &missing);
    EXPECT_FALSE(missing);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_FALSE(connection.Query(QStringLiteral("select count(*) from keywords")));
    EXPECT_EQ(connection.LastFailure(), platform::Failure::Damaged);
    EXPECT_TRUE(connection.LastError().startsWith(QStringLiteral("数据库文件已损坏")));
}

// A log kept out of db.db at the open is told, with where it went: its rows are not in the
// database, whether it was another file's or could not be checked.
TEST_F(OpenDatabaseOrWarnTest, ALogSetAsideAtTheOpenIsToldWithWhereItWent) {
    const struct {
        const char* what;
        bool freshFileCopiedOver;  // else the log is the file's own, but cannot be checked
        const char* told;
    } cases[] = {
        {"another file's", true, "数据库文件旁有一个不属于它的日志文件"},
        {"unchecked", false, "无法检查它是否属于该数据库"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryProgramFolder own;
        own.AddFreshDatabase();
        own.AddFreshDatabase(QStringLiteral("fresh.db"));
        testing_support::OtherProgramSession killed(
            DatabasePath(), {QStringLiteral("pragma journal_mode = wal"),
                             QStringLiteral("pragma wal_autocheckpoint = 0"),
                             QStringLiteral("insert into keywords (keys) values ('日志')")});
        ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
        killed.Kill();
        if (c.freshFileCopiedOver) {
            ASSERT_TRUE(QFile::remove(DatabasePath()));
            ASSERT_TRUE(QFile::rename(own.FilePath(QStringLiteral("fresh.db")), DatabasePath()));
        }
        const QByteArray temporary = qgetenv("TMPDIR");
        // A temporary folder that is a file: nothing can be made in it, whoever runs the test.
        const QString notAFolder = own.FilePath(QStringLiteral("not a folder"));
        ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));
        if (!c.freshFileCopiedOver) qputenv("TMPDIR", QFile::encodeName(notAFolder));
        ScriptedPrompts told;
        platform::Connection program;
        OpenDatabaseOrWarn(program, nullptr, nullptr);
        if (temporary.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", temporary);

        ASSERT_EQ(told.prompts().size(), 1u)
            << program.SetAsideLog().toStdString() << " " << program.LastError().toStdString()
            << QFile::exists(DatabasePath() + "-wal");
        EXPECT_TRUE(told.LastText().contains(QString::fromUtf8(c.told)));
        EXPECT_TRUE(told.LastText().contains(QDir::toNativeSeparators(program.SetAsideLog())));
        EXPECT_TRUE(QFile::exists(program.SetAsideLog()));
        EXPECT_EQ(told.Last().icon, platform::Icon::Exclamation);
        EXPECT_TRUE(program.IsOpen());
    }
}

// The indexes of table keywords that lead with `keys`.
QStringList KeywordIndexes(platform::Connection& connection) {
    QStringList names;
    connection.ReadRows(
        QStringLiteral("select list.name from pragma_index_list('keywords') as list, "
                       "pragma_index_info(list.name) as info "
                       "where info.seqno = 0 and info.name = 'keys'"),
        {}, [&names](const platform::RowReader& row) { names << row.Text(0); });
    return names;
}

// How the database finds a keyword's row: the query plan's detail.
QString KeywordLookupPlan(platform::Connection& connection) {
    const std::optional<platform::Recordset> plan = connection.Query(
        QStringLiteral("explain query plan select id from keywords where keys = ?"), {"x"});
    return plan ? plan->Text(QStringLiteral("detail")) : QString();
}

// Whether `plan` goes straight to the keyword through `index`: a plan that reads the whole index
// names it too.
bool SearchesIndex(const QString& plan, const QString& index) {
    for (const QString& form : {QStringLiteral("SEARCH keywords USING INDEX %1 (keys=?)"),
                                QStringLiteral("SEARCH keywords USING COVERING INDEX %1 (keys=?)")})
        if (plan == form.arg(index)) return true;
    return false;
}

// Opening db.db gives table keywords an index on keys when it has none, so that finding a
// keyword no longer reads the whole table; an index of the user's own on keys serves as well,
// unless it cannot serve a lookup by the keyword as written.
TEST_F(OpenDatabaseOrWarnTest, OpeningIndexesTheKeywordsOnceAndLookupsGoThroughTheIndex) {
    const struct {
        const char* what;
        const char* own;  // an index the file holds already, if any
        QStringList indexes;
        const char* searched;
    } cases[] = {
        {"a file without an index", nullptr, {QStringLiteral("keywords_keys")}, "keywords_keys"},
        {"a file with an index of its own on keys",
         "create index mine on keywords (keys, adddate)",
         {QStringLiteral("mine")},
         "mine"},
        {"a file with an index of its own on keys in another collation",
         "create index mine on keywords (keys collate nocase)",
         {QStringLiteral("keywords_keys"), QStringLiteral("mine")},
         "keywords_keys"},
        {"a file with an index of its own on some keys only",
         "create index mine on keywords (keys) where baidunum > 0",
         {QStringLiteral("keywords_keys"), QStringLiteral("mine")},
         "keywords_keys"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryProgramFolder own;
        own.AddFreshDatabase();
        if (c.own) {
            platform::Connection db;
            ASSERT_TRUE(db.Open(DatabasePath()));
            ASSERT_TRUE(db.Execute(QString::fromUtf8(c.own)));
        }
        for (int open = 0; open < 2; ++open) {
            platform::Connection connection;
            OpenDatabaseOrWarn(connection, nullptr, &missing);
            ASSERT_TRUE(connection.IsOpen());
            QStringList indexes = KeywordIndexes(connection);
            indexes.sort();
            EXPECT_EQ(indexes, c.indexes) << "open " << open;
            EXPECT_TRUE(SearchesIndex(KeywordLookupPlan(connection), QString::fromUtf8(c.searched)))
                << KeywordLookupPlan(connection).toStdString();
        }
    }
    EXPECT_FALSE(missing);
    EXPECT_TRUE(prompts.prompts().empty());
}

// A file that takes no write goes on without the index, without a word beyond its own
// message; the next open that can write gives it the index.
TEST_F(OpenDatabaseOrWarnTest, AReadOnlyFileServesWithoutTheIndexAndGetsItAtTheNextOpen) {
    TemporaryProgramFolder own;
    SetPermissions(own.Path(), kWritable);
    own.AddFreshDatabase();
    SetPermissions(DatabasePath(), kReadOnly);
    {
        ScriptedPrompts told;
        platform::Connection connection;
        {
            testing_support::OrdinaryUserFileAccess user;
            OpenDatabaseOrWarn(connection, nullptr, &missing);
        }
        ASSERT_TRUE(connection.IsOpen());
        EXPECT_EQ(told.prompts().size(), 1u) << "the read-only message alone";
        EXPECT_TRUE(KeywordIndexes(connection).isEmpty());
    }
    SetPermissions(DatabasePath(), kWritable);
    platform::Connection connection;
    OpenDatabaseOrWarn(connection, nullptr, &missing);
    EXPECT_EQ(KeywordIndexes(connection), QStringList{QStringLiteral("keywords_keys")});
}

int CountRows(platform::Connection& connection, const QString& table) {
    auto rows = connection.Query(QStringLiteral("select count(*) from ") + table);
    return rows ? rows->Field(0).toInt() : -1;
}

using CreateMissingTablesTest = testing_support::TestEnvironment;

TEST_F(CreateMissingTablesTest, CreatesExactlyTheMissingTablesAndKeepsTheRowsOfTheOthers) {
    platform::Connection connection;
    ASSERT_TRUE(connection.Open(DatabasePath()));
    CreateMissingTables(connection, kBootstrapTables);
    ASSERT_TRUE(connection.Execute(QStringLiteral("drop table prs")));
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into kwsetting (k1) values (?)"),
                                   {QStringLiteral("种子")}));
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into kwlist (kws) values (?)"),
                                   {QStringLiteral("词")}));

    CreateMissingTables(connection, kBootstrapTables);

    EXPECT_EQ(CountRows(connection, QStringLiteral("prs")), 0);
    EXPECT_EQ(CountRows(connection, QStringLiteral("kwsetting")), 1);
    EXPECT_EQ(CountRows(connection, QStringLiteral("kwlist")), 1);
    // Every new row gets an id of its own, as an identity column gives.
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into prs (urls) values (?)"), {"a"}));
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into prs (urls) values (?)"), {"b"}));
    auto ids =
        connection.Query(QStringLiteral("select count(distinct id) from prs where id is not null"));
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->Field(0).toInt(), 2);
}

using BootstrapSchemaTest = testing_support::TestEnvironment;

TEST_F(BootstrapSchemaTest, CompletesTheSharedDatabase) {
    OpenDatabaseOrWarn(SharedConnection(), nullptr, nullptr);

    BootstrapSchema();

    for (const QString& table : kBootstrapTables)
        EXPECT_TRUE(SharedConnection().HasTable(table)) << table.toStdString();
}

}  // namespace
