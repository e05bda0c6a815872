// What the program said it saved is in db.db, whatever other programs do to the file meanwhile:
// they run as processes of their own, as they do on the user's machine.
#include <QFile>
#include <QGuiApplication>
#include <QStatusBar>

#include "program_fixture.h"
#include "shell/lock_wait_notice.h"
#include "support/other_program.h"

namespace program_testing {
namespace {

using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

// Runs `seen` each time `widget` is painted.
class PaintWatch : public QObject {
  public:
    PaintWatch(QWidget* widget, std::function<void()> seen) : seen_(std::move(seen)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) seen_();
        return false;
    }

  private:
    std::function<void()> seen_;
};

class DatabaseFile : public ProgramTest {
  protected:
    DatabaseFile() { ServeMiningSources(); }

    // Ticks rows [first, last] of the result list alone and submits them.
    void Submit(关键词挖掘& mining, int first, int last) {
        platform::RowTable& rows = mining.ListView1->Rows();
        for (int i = 1; i <= rows.Count(); ++i) rows.SetChecked(i, i >= first && i <= last);
        mining.Command15_Click();
    }
    QString StoredCount(const QString& path = DatabasePath()) const {
        return OtherProgramQuery(path, QStringLiteral("select count(*) from keywords"));
    }
    // A backup of db.db made earlier, holding 500 keywords of its own.
    QString Backup() const {
        const QString backup = folder.FilePath(QStringLiteral("backup500.db"));
        folder.AddFreshDatabase(QStringLiteral("backup500.db"));
        EXPECT_EQ(OtherProgramQuery(
                      backup, QStringLiteral("with recursive n(i) as (select 1 union all select "
                                             "i + 1 from n where i < 500) insert into keywords "
                                             "(keys, adddate) select '备份' || i, '2026-01-01' "
                                             "from n")),
                  QString());
        return backup;
    }
    // The user ends the program through its menu and says yes.
    void ExitNormally() {
        prompts.Answer(platform::Answer::Yes);
        main->mnuTc->trigger();
        ASSERT_EQ(programEnd.ends, 1);
    }
    // A new start without db.db; a fresh file waits beside it to be put in place.
    void StartWithoutTheFile() {
        main.reset();
        ForgetSharedConnection();
        ASSERT_TRUE(QFile::remove(DatabasePath()));
        folder.AddFreshDatabase(QStringLiteral("later.db"));
        main = std::make_unique<MDIfrm>();
        main->MDIForm_Load();
    }
    void PutTheFileInPlace() const {
        ASSERT_TRUE(QFile::rename(folder.FilePath(QStringLiteral("later.db")), DatabasePath()));
    }
    // Another program holds db.db under its lock, and a new main window is made, not yet loaded.
    std::unique_ptr<OtherProgramSession> HoldTheFileBeforeANewStart() {
        main.reset();
        ForgetSharedConnection();
        SharedConnection().SetLockWait(std::chrono::milliseconds(200));
        auto other = std::make_unique<OtherProgramSession>(
            DatabasePath(), QStringList{QStringLiteral("begin exclusive")});
        EXPECT_TRUE(other->Ready()) << other->Said().toStdString();
        main = std::make_unique<MDIfrm>();
        return other;
    }
    // Nothing of the library's beside db.db.
    void ExpectOneFile() const {
        for (const char* beside : {"-wal", "-shm", "-journal"})
            EXPECT_FALSE(QFile::exists(DatabasePath() + QString::fromUtf8(beside))) << beside;
    }
};

// After a normal end, db.db alone is the whole database: a copy of it holds every row the
// program said it saved, and nothing is left beside it.
TEST_F(DatabaseFile, AfterANormalExitACopyOfTheFileAloneHoldsEverySubmittedRow) {
    关键词挖掘& mining = MinedWindow();
    const int rows = mining.ListView1->Count();
    Submit(mining, 1, rows);
    ASSERT_EQ(prompts.LastText(), QStringLiteral("成功提交了%1条数据至数据库！").arg(rows));
    ExitNormally();
    ExpectOneFile();
    const QString copy = folder.FilePath(QStringLiteral("copy.db"));
    ASSERT_TRUE(QFile::copy(DatabasePath(), copy));
    EXPECT_EQ(StoredCount(copy), QString::number(rows));
}

// A backup copied over db.db after a normal end is what the next program that opens the file
// reads: all of the backup's rows, none of the session's.
TEST_F(DatabaseFile, ABackupRestoredAfterANormalExitIsReadAsItIs) {
    const QString backup = Backup();
    关键词挖掘& mining = MinedWindow();
    Submit(mining, 1, mining.ListView1->Count());
    ExitNormally();
    ASSERT_TRUE(testing_support::OtherProgramOverwrite(DatabasePath(), backup));
    EXPECT_EQ(StoredCount(), QStringLiteral("500"));
    EXPECT_EQ(OtherProgramQuery(DatabasePath(), QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

// db.db replaced by a rename while the program runs: another program that reads the new file
// before the program's next save finds it untouched; that save is refused with the cause, and
// the one after it goes into the new file.
TEST_F(DatabaseFile, AFileReplacedByARenameIsLeftUntouchedAndTheSecondSubmitGoesIntoIt) {
    const QString backup = Backup();
    关键词挖掘& mining = MinedWindow();
    Submit(mining, 1, 2);
    ASSERT_TRUE(QFile::rename(DatabasePath(), folder.FilePath(QStringLiteral("old.db"))));
    ASSERT_TRUE(QFile::rename(backup, DatabasePath()));
    EXPECT_EQ(StoredCount(), QStringLiteral("500"));

    Submit(mining, 3, 4);
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("提交失败，2条数据都没有写入数据库。\n原因：数据库文件在软件运行期间被"
                             "移动、删除或替换"));
    EXPECT_EQ(StoredCount(), QStringLiteral("500"));
    Submit(mining, 3, 4);
    EXPECT_EQ(prompts.LastText(), QStringLiteral("成功提交了2条数据至数据库！"));
    ExitNormally();
    EXPECT_EQ(StoredCount(), QStringLiteral("502"));
    EXPECT_EQ(StoredCount(folder.FilePath(QStringLiteral("old.db"))), QStringLiteral("2"));
    ExpectOneFile();
}

// db.db overwritten in place (the same file, a backup's bytes) while the program runs: the next
// submit goes into the file as it now stands, beside the backup's rows.
TEST_F(DatabaseFile, AFileOverwrittenInPlaceTakesTheNextSubmitBesideItsOwnRows) {
    const QString backup = Backup();
    关键词挖掘& mining = MinedWindow();
    const int rows = mining.ListView1->Count();
    Submit(mining, 1, 2);
    ASSERT_TRUE(testing_support::OtherProgramOverwrite(DatabasePath(), backup));
    Submit(mining, 3, rows);
    ASSERT_EQ(prompts.LastText(), QStringLiteral("成功提交了%1条数据至数据库！").arg(rows - 2));
    ExitNormally();
    EXPECT_EQ(StoredCount(), QString::number(500 + rows - 2));
    EXPECT_EQ(OtherProgramQuery(DatabasePath(), QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

// db.db missing at the start and copied into the folder afterwards, as the start-up's warning
// asks: the next window that needs it opens it, with the tables the start-up could not make.
TEST_F(DatabaseFile, AFilePutInPlaceAfterAMissingStartIsOpenedByTheNextWindow) {
    StartWithoutTheFile();
    ASSERT_EQ(prompts.LastText(),
              QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！"));
    PutTheFileInPlace();
    const size_t told = prompts.prompts().size();
    OpenTools();
    EXPECT_FALSE(fields.tools.ToolsDbMissing);
    EXPECT_EQ(prompts.prompts().size(), told);
    for (const char* table : {"prs", "kwsetting", "kwlist"})
        EXPECT_EQ(OtherProgramQuery(DatabasePath(),
                                    QStringLiteral("select count(*) from sqlite_master where "
                                                   "name = '%1'")
                                        .arg(QString::fromUtf8(table))),
                  QStringLiteral("1"))
            << table;
}

// The mining window loaded while db.db was missing takes the file once it is put in place, also
// after the database window has opened it: its mined rows are saved, not refused.
TEST_F(DatabaseFile, AMiningWindowLoadedWithoutTheFileSavesIntoItOncePutInPlace) {
    for (const bool databaseWindowFirst : {false, true}) {
        SCOPED_TRACE(databaseWindowFirst ? "database window opened it" : "put in place");
        StartWithoutTheFile();
        关键词挖掘& mining = MinedWindow();
        ASSERT_TRUE(fields.mining.MiningDbMissing);
        PutTheFileInPlace();
        if (databaseWindowFirst) OpenDatabase();

        Submit(mining, 1, 2);
        EXPECT_EQ(prompts.LastText(), QStringLiteral("成功提交了2条数据至数据库！"));
        EXPECT_EQ(StoredCount(), QStringLiteral("2"));
    }
}

// Opening the tools window once cost the program its locks on db.db: another program that read
// the file then deleted its log, and every row submitted after that was lost without a word.
TEST_F(DatabaseFile, RowsSubmittedAfterTheToolsWindowOpenedAndAnotherProgramReadAreKept) {
    关键词挖掘* mining = &MinedWindow();
    const int rows = mining->ListView1->Count();
    ASSERT_GT(rows, 12);
    Submit(*mining, 1, 10);
    ASSERT_EQ(prompts.LastText(), QStringLiteral("成功提交了10条数据至数据库！"));
    OpenTools();
    mining = &OpenMining();
    ASSERT_EQ(mining->ListView1->Count(), rows) << "the unsaved results stay behind a switch";
    EXPECT_EQ(StoredCount(), QStringLiteral("10"));

    Submit(*mining, 11, rows);
    ASSERT_EQ(prompts.LastText(), QStringLiteral("成功提交了%1条数据至数据库！").arg(rows - 10));
    ForgetSharedConnection();  // the program ends
    EXPECT_EQ(StoredCount(), QString::number(rows));
    EXPECT_EQ(OtherProgramQuery(DatabasePath(), QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

// After the tools window opened, another program's lock still holds the program back: a submit
// under it waits once and tells, instead of "succeeding" into a file nobody reads.
TEST_F(DatabaseFile, AnotherProgramsLockStillHoldsTheSubmitBackAfterTheToolsWindowOpened) {
    关键词挖掘* mining = &MinedWindow();
    Submit(*mining, 1, 2);
    OpenTools();
    mining = &OpenMining();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        OtherProgramSession other(DatabasePath(), {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        Submit(*mining, 3, 4);
    }
    EXPECT_EQ(
        prompts.LastText(),
        QStringLiteral("提交失败，2条数据都没有写入数据库。\n原因：数据库文件正被其他程序占用"));
    Submit(*mining, 3, 4);
    EXPECT_EQ(prompts.LastText(), QStringLiteral("成功提交了2条数据至数据库！"));
    ForgetSharedConnection();
    EXPECT_EQ(StoredCount(), QStringLiteral("4"));
}

// Opening a window reads many things: under another program's lock that outlasts the wait it
// stands still once, says so, and keeps its database for when the lock has gone.
TEST_F(DatabaseFile, TheToolsWindowWaitsOnceUnderAnotherProgramsLockAndKeepsItsDatabase) {
    OpenMining();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    const int waits = SharedConnection().LockWaits();
    {
        OtherProgramSession other(DatabasePath(), {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        OpenTools();
    }
    EXPECT_EQ(SharedConnection().LockWaits(), waits + 1);
    EXPECT_FALSE(fields.tools.ToolsDbMissing);
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("数据库文件正被其他程序占用，窗口中的数据没有全部读出。\r\n\r\n"
                             "请在其他程序释放它以后重新打开本窗口。"));
    EXPECT_TRUE(SharedConnection().Execute(QStringLiteral("insert into kws (txt) values ('x')")));
}

// While the program stands still for another program's lock, the pointer is the wait cursor and
// the status bar says why; both go when the wait ends. They are painted there and then, as
// no event reaches the windows during the wait.
TEST_F(DatabaseFile, WhileALockIsWaitedForThePointerAndTheStatusBarSaySo) {
    关键词挖掘& mining = MinedWindow();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    QStringList paintedDuringWaitCursor;
    PaintWatch watch(main->StatusBar1, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (cursor && cursor->shape() == Qt::WaitCursor)
            paintedDuringWaitCursor << main->StatusBar1->currentMessage();
    });
    {
        OtherProgramSession other(DatabasePath(), {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        Submit(mining, 1, 2);
    }
    EXPECT_EQ(paintedDuringWaitCursor, QStringList{QString::fromUtf16(kLockWaitText)});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(main->StatusBar1->currentMessage(), QString());
    EXPECT_TRUE(prompts.LastText().endsWith(QStringLiteral("数据库文件正被其他程序占用")));
}

// A lock held before the program starts: the main window shows at once with the wait cursor
// and the notice, instead of nothing on screen for the whole wait.
TEST_F(DatabaseFile, ALockHeldBeforeTheStartShowsTheWindowWithTheNotice) {
    const std::unique_ptr<OtherProgramSession> other = HoldTheFileBeforeANewStart();
    bool seen = false;
    PaintWatch watch(main->StatusBar1, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        seen |= cursor && cursor->shape() == Qt::WaitCursor &&
                main->StatusBar1->currentMessage() == QString::fromUtf16(kLockWaitText);
    });
    main->MDIForm_Load();
    EXPECT_TRUE(seen);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(prompts.Texts().first().startsWith(QStringLiteral("数据库文件正被其他程序占用")));
}

// A lock held since before the start was told by the start-up's open: the windows loaded while
// it lasts, each reading less than it would, add no warning of their own.
TEST_F(DatabaseFile, WindowsLoadedUnderALockHeldSinceTheStartAreNotToldAgain) {
    const std::unique_ptr<OtherProgramSession> other = HoldTheFileBeforeANewStart();
    main->MDIForm_Load();
    ASSERT_EQ(prompts.Texts().size(), 1);
    ASSERT_TRUE(prompts.LastText().startsWith(QStringLiteral("数据库文件正被其他程序占用")));

    OpenTools();
    OpenMining();

    EXPECT_EQ(prompts.Texts().size(), 1) << prompts.Texts().join(u'\n').toStdString();
}

// db.db moved away and replaced while a run waits for a page: the run saves nothing more and
// says why, with the rows it kept in the list; the next submit, which the user asks for, goes
// into the file that stands at the path then. The moved file keeps what was saved before.
TEST_F(DatabaseFile, AFileReplacedDuringARunTakesNoMoreRowsAndTheNextSubmitGoesToTheNewOne) {
    folder.AddFreshDatabase(QStringLiteral("fresh.db"));
    关键词挖掘& mining = OpenMining();
    TickRegularMetrics(mining, true);
    mining.Text2->SetText(QStringLiteral("减肥"));
    When(
        [&mining] { return mining.ListView1->Count() >= 3; },
        [this] {
            ASSERT_TRUE(QFile::rename(DatabasePath(), folder.FilePath(QStringLiteral("moved.db"))));
            ASSERT_TRUE(QFile::rename(folder.FilePath(QStringLiteral("fresh.db")), DatabasePath()));
        });
    mining.Command2_Click();

    const int rows = mining.ListView1->Count();
    EXPECT_TRUE(prompts.LastText().contains(
        QStringLiteral("数据库文件在软件运行期间被移动、删除或替换，从那时起挖掘到的关键词只列在"
                       "结果列表中，没有保存到关键词数据库。")))
        << prompts.LastText().toStdString();
    EXPECT_EQ(StoredCount(), QStringLiteral("0"));
    Submit(mining, 1, rows);
    EXPECT_EQ(prompts.LastText(), QStringLiteral("成功提交了%1条数据至数据库！").arg(rows));
    ForgetSharedConnection();
    EXPECT_EQ(StoredCount(), QString::number(rows));
    const int moved = OtherProgramQuery(folder.FilePath(QStringLiteral("moved.db")),
                                        QStringLiteral("select count(*) from keywords"))
                          .toInt();
    EXPECT_GE(moved, 1);
    EXPECT_LT(moved, rows);
}

}  // namespace
}  // namespace program_testing
