// What the program said it saved is in db.db, whatever other programs do to the file meanwhile:
// they run as processes of their own, as they do on the user's machine.
#include <QFile>

#include "program_fixture.h"
#include "support/other_program.h"

namespace program_testing {
namespace {

using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

class DatabaseFile : public ProgramTest {
  protected:
    DatabaseFile() { ServeMiningSources(); }

    // Ticks rows [first, last] of the result list alone and submits them.
    void Submit(关键词挖掘& mining, int first, int last) {
        platform::RowTable& rows = mining.ListView1->Rows();
        for (int i = 1; i <= rows.Count(); ++i) rows.SetChecked(i, i >= first && i <= last);
        mining.Command15_Click();
    }
    QString StoredCount() const {
        return OtherProgramQuery(DatabasePath(), QStringLiteral("select count(*) from keywords"));
    }
};

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

// Opening a window reads, and a reader never waits for another program's write: the tools
// window opens at once under another program's lock, with its database, not given up.
TEST_F(DatabaseFile, TheToolsWindowOpensAtOnceUnderAnotherProgramsLockWithItsDatabase) {
    OpenMining();
    OtherProgramSession other(DatabasePath(), {QStringLiteral("begin exclusive")});
    ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
    const int waits = SharedConnection().LockWaits();
    const size_t told = prompts.prompts().size();
    OpenTools();
    EXPECT_EQ(SharedConnection().LockWaits(), waits);
    EXPECT_FALSE(fields.tools.ToolsDbMissing);
    EXPECT_EQ(prompts.prompts().size(), told);
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
