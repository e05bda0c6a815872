// What the program said it saved is in db.db, whatever other programs do to the file meanwhile:
// they run as processes of their own, as they do on the user's machine.
#include "program_fixture.h"
#include "support/other_program.h"

namespace program_testing {
namespace {

using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

class DatabaseFile : public ProgramTest {
  protected:
    DatabaseFile() { ServeMiningSources(); }

    // The mining window with a finished run on "减肥" without metrics.
    关键词挖掘& Mined() {
        关键词挖掘& mining = OpenMining();
        TickRegularMetrics(mining, false);
        mining.Text2->SetText(QStringLiteral("减肥"));
        mining.Command2_Click();
        return mining;
    }
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
    关键词挖掘* mining = &Mined();
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
    关键词挖掘* mining = &Mined();
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

}  // namespace
}  // namespace program_testing
