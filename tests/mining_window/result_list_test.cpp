#include <QFile>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "keyword_lists/recording_comparison_tool.h"
#include "mining_window/result_commands.h"
#include "mining_window_fixture.h"
#include "shell/popup_menus.h"
#include "support/database_files.h"
#include "support/other_program.h"

namespace {

using mining_testing::MiningWindowTest;
using mining_testing::Texts;

// The regular pane's result list holding rows as a run leaves them: the shown list and its
// master copy, row for row under the same keys, the seed row bold.
class ResultList : public MiningWindowTest {
  protected:
    ResultList() : w(Opened()) {}

    // Rows of "keyword|month|day|count|index", the first one bold.
    void Mined(std::initializer_list<const char*> rows) {
        bool first = true;
        for (const char* text : rows) {
            const QStringList cells = QString::fromUtf8(text).split(u'|');
            platform::ListItem shown = w.ListView1->Add(cells[0]);
            platform::ListItem master = w.ListView17.Add(cells[0], shown.Key());
            for (int j = 1; j < cells.size(); ++j) {
                shown.SetSubItem(j, cells[j]);
                master.SetSubItem(j, cells[j]);
            }
            shown.SetBold(first);
            master.SetBold(first);
            first = false;
        }
    }
    void Check(const QString& keyword) {
        platform::RowTable& rows = w.ListView1->Rows();
        for (int i = 1; i <= rows.Count(); ++i)
            if (rows.Text(i) == keyword) rows.SetChecked(i, true);
    }
    QStringList Column(int j) const {
        QStringList cells;
        for (int i = 1; i <= w.ListView1->Count(); ++i) cells << w.ListView1->Rows().Cell(i, j);
        return cells;
    }

    关键词挖掘& w;
};

TEST_F(ResultList, DeleteRemovesTheCheckedKeywordsFromBothListsWhateverTheirPlaces) {
    Mined({"seo", "seo工具", "seo优化", "seo教程"});
    w.Command14->click();
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("请选择你要删除的关键词")});

    // Sorted, and one row taken out of the shown list by the row menu: the places differ.
    w.ListView1_ColumnClick(1);
    w.ListView1->Remove(w.ListView1->Count());
    Check(QStringLiteral("seo优化"));
    w.Command14->click();

    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_FALSE(w.ListView1->Rows().ContainsText(QStringLiteral("seo优化")));
    EXPECT_EQ(Texts(w.ListView17), (QStringList{QStringLiteral("seo"), QStringLiteral("seo工具"),
                                                QStringLiteral("seo教程")}));
}

TEST_F(ResultList, SubmitWritesTheCheckedNewKeywordsAndTellsHowManyWereWritten) {
    // A cell still waiting for its value is stored as not obtained.
    Mined({"seo|120|35|1000|1.2", "it's|正在查询中...|-|0|0", "seo工具|5|1|20|2500",
           "stored|1|1|1|1"});
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into keywords (keys,parentkeys,adddate) values ('stored','x',"
                       "'2020-01-01')")));
    w.Text2->SetText(QStringLiteral(" Seo "));
    for (const char* keyword : {"seo", "it's", "stored"}) Check(QString::fromUtf8(keyword));
    w.Command15->click();

    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("成功提交了2条数据至数据库！")});
    EXPECT_EQ(TableRows(QStringLiteral("keywords"),
                        QStringLiteral("keys,parentkeys,monthrank,dayrank,baidunum,adddate")),
              (QStringList{QStringLiteral("stored|x||||2020-01-01"),
                           QStringLiteral("seo|Seo|120|35|1000|2026-12-10"),
                           QStringLiteral("it's|Seo|-|-|0|2026-12-10")}));

    // Again: everything is stored; nothing checked: nothing written either.
    w.Command15->click();
    w.Command34->click();
    w.Command34->click();
    w.Command15->click();
    EXPECT_EQ(prompts.Texts().mid(1), (QStringList{QStringLiteral("成功提交了0条数据至数据库！"),
                                                   QStringLiteral("成功提交了0条数据至数据库！")}));

    // A table that takes no rows: nothing is counted as written, and the user hears why.
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table keywords")));
    Check(QStringLiteral("seo工具"));
    w.Command15->click();
    EXPECT_TRUE(prompts.LastText().startsWith(
        QStringLiteral("提交失败，1条数据都没有写入数据库。\n原因：数据库操作失败")));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
}

// A submit is whole or nothing: a refused row takes the others back with it.
TEST_F(ResultList, ASubmitWithARefusedRowWritesNothingAndSaysWhy) {
    Mined({"seo|1|1|1|1", "seo工具|2|2|2|2", "seo优化|3|3|3|3"});
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("create trigger refuse before insert on keywords when new.keys = 'seo工具' "
                       "begin select raise(abort, 'disk is full'); end")));
    w.Command34->click();
    w.Command15->click();

    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("提交失败，3条数据都没有写入数据库。\n"
                                                          "原因：数据库操作失败（disk is full）")});
    EXPECT_TRUE(TableRows(QStringLiteral("keywords"), QStringLiteral("keys")).isEmpty());
}

// Another program holds db.db for longer than a statement waits: the window stands still for one
// wait, not one per row.
TEST_F(ResultList, ASubmitOfTenThousandRowsUnderAnotherProgramsLockWaitsOnceAndWritesNothing) {
    for (int i = 0; i < 10000; ++i) {
        const platform::ListItem row = w.ListView1->Add(QStringLiteral("词%1").arg(i));
        for (int j = 1; j <= 4; ++j) row.SetSubItem(j, QStringLiteral("1"));
    }
    w.Command34->click();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin immediate")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        w.Command15->click();
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_EQ(prompts.Texts(),
              QStringList{QStringLiteral("提交失败，10000条数据都没有写入数据库。\n"
                                         "原因：数据库文件正被其他程序占用")});
}

// The submit finds each row's keyword through the index on keys that the window's opening gave
// the file, never by reading every stored key: a submit costs the same with 40 or 1,000,000
// keywords stored.
TEST_F(ResultList, TheSubmitFindsEachKeywordThroughTheIndexTheOpeningMade) {
    QStringList plan;
    ASSERT_TRUE(SharedConnection().ReadRows(
        QStringLiteral("explain query plan ") + result_commands::kStoredKeywordQuery,
        {QStringLiteral("seo")}, [&plan](const platform::RowReader& row) { plan << row.Text(3); }));
    ASSERT_EQ(plan.size(), 1) << plan.join(u'/').toStdString();
    EXPECT_TRUE(plan[0].startsWith(QStringLiteral("SEARCH keywords USING ")) &&
                plan[0].endsWith(QStringLiteral("INDEX keywords_keys (keys=?)")))
        << plan[0].toStdString();
}

TEST_F(ResultList, ASubmitWhoseCommitFailsCountsNoRowAsWritten) {
    Mined({"seo|120|35|1000|1.2", "seo工具|5|1|20|2500"});
    ASSERT_TRUE(testing_support::RefuseCommitsOfKeywordInserts(SharedConnection()));
    Check(QStringLiteral("seo"));
    Check(QStringLiteral("seo工具"));
    w.Command15->click();

    EXPECT_TRUE(
        prompts.LastText().startsWith(QStringLiteral("提交失败，2条数据都没有写入数据库。")))
        << prompts.LastText().toStdString();
    EXPECT_TRUE(TableRows(QStringLiteral("keywords"), QStringLiteral("keys")).isEmpty());
}

// A failed submit counts the rows it was to write: not those whose keyword was stored before,
// nor a keyword's second row.
TEST_F(ResultList, AFailedSubmitCountsOnlyTheRowsItWasToWrite) {
    Mined({"stored|1|1|1|1", "seo|1|1|1|1", "seo工具|2|2|2|2", "seo|3|3|3|3"});
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into keywords (keys,parentkeys,adddate) values ('stored','x',"
                       "'2020-01-01')")));
    w.Command34->click();
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    std::optional<testing_support::OtherProgramSession> other;
    const struct {
        const char* name;
        std::function<bool()> refuse;
        std::function<void()> allow;
    } cases[] = {
        {"another program's write lock",
         [&] {
             other.emplace(DatabasePath(), QStringList{QStringLiteral("begin immediate")});
             return other->Ready();
         },
         [&] { other.reset(); }},
        {"a refused row",
         [] {
             return SharedConnection().Execute(QStringLiteral(
                 "create trigger refuse before insert on keywords when new.keys = 'seo工具' "
                 "begin select raise(abort, 'disk is full'); end"));
         },
         [] { SharedConnection().Execute(QStringLiteral("drop trigger refuse")); }},
        {"a commit that fails",
         [] { return testing_support::RefuseCommitsOfKeywordInserts(SharedConnection()); },
         [] { SharedConnection().Execute(QStringLiteral("drop trigger hold")); }},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.refuse()) << c.name;
        w.Command15->click();
        c.allow();
        EXPECT_TRUE(
            prompts.LastText().startsWith(QStringLiteral("提交失败，2条数据都没有写入数据库。")))
            << c.name << ": " << prompts.LastText().toStdString();
        EXPECT_EQ(TableRows(QStringLiteral("keywords"), QStringLiteral("keys")),
                  QStringList{QStringLiteral("stored")})
            << c.name;
    }
}

TEST_F(ResultList, SubmitAndImportAreDisabledWithoutTheDatabase) {
    ForgetSharedConnection();
    ASSERT_TRUE(QFile::remove(DatabasePath()));
    fields.MiningDbMissing = true;
    Mined({"seo"});
    Check(QStringLiteral("seo"));
    w.Command15->click();
    w.Command7->click();
    EXPECT_EQ(prompts.Texts(),
              QStringList(2, QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！")));
}

TEST_F(ResultList, SelectAllTogglesEveryRowAndItsCaption) {
    Mined({"a", "b", "c"});
    Check(QStringLiteral("b"));
    w.Command34->click();
    EXPECT_EQ(w.Command34->Caption(), QStringLiteral("全不选"));
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(w.ListView1->Rows().Checked(i));
    w.Command34->click();
    EXPECT_EQ(w.Command34->Caption(), QStringLiteral("全选"));
    EXPECT_FALSE(w.ListView1->Rows().AnyChecked());
}

TEST_F(ResultList, HeaderClicksSortByNumberOrTextFlippingTheOrderAndKeepingTheCells) {
    Mined({"seo|-|-|-|-", "b|9|1|1,200|0.0125", "a|100|2|12|3", "c|12|3|-|0.012"});
    emit w.ListView1->ColumnClick(5);  // the first click sorts descending
    EXPECT_EQ(Column(4), (QStringList{"3", "0.0125", "0.012", "-"}));
    emit w.ListView1->ColumnClick(5);
    EXPECT_EQ(Column(4), (QStringList{"-", "0.012", "0.0125", "3"}));
    emit w.ListView1->ColumnClick(4);
    EXPECT_EQ(Texts(w.ListView1->Rows()), (QStringList{"b", "a", "seo", "c"}));
    emit w.ListView1->ColumnClick(1);
    EXPECT_EQ(Texts(w.ListView1->Rows()), (QStringList{"a", "b", "c", "seo"}));
    EXPECT_EQ(w.ListView1->Rows().Cell(2, 3), QStringLiteral("1,200"));
    EXPECT_TRUE(w.ListView1->Rows().Bold(4));

    // The master copy keeps the run's order.
    EXPECT_EQ(Texts(w.ListView17), (QStringList{"seo", "b", "a", "c"}));

    // Not while the window's run fills the list, whatever the status bar reads.
    std::optional<bool> sortedDuringRun;
    QTimer::singleShot(0, &w, [&] {
        BusyIndicator::Set(BusyIndicator::kReady);
        emit w.ListView1->ColumnClick(2);
        sortedDuringRun = w.ListView1->Rows().Sorting().has_value();
    });
    w.Text2->SetText(QStringLiteral("减肥"));
    w.Command2_Click();
    EXPECT_EQ(sortedDuringRun, std::optional<bool>(false));
}

TEST_F(ResultList, ARightClickOnARowOpensTheRowMenuAndTheExportButtonTheExportMenu) {
    QWidget mainWindow;
    WorkWindowMenus menus(&mainWindow);
    const QPoint firstRow = w.ListView1->visualRect(w.ListView1->model()->index(0, 0)).center();
    QTest::mouseClick(w.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(menus.m_xggjc->isVisible()) << "an empty list opens no menu";

    Mined({"seo", "seo工具"});
    const QPoint second = w.ListView1->visualRect(w.ListView1->model()->index(1, 0)).center();
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, firstRow);
    EXPECT_FALSE(menus.m_xggjc->isVisible());
    QTest::mouseClick(w.ListView1->viewport(), Qt::RightButton, {}, second);
    EXPECT_TRUE(menus.m_xggjc->isVisible());
    menus.m_xggjc->hide();
    // The items act on the row the right click selected: 加入当前项至关键词数据库 stores it,
    // 删除当前项 takes it out of the shown list only.
    menus.m_adddb->trigger();
    EXPECT_EQ(TableRows(QStringLiteral("keywords"), QStringLiteral("keys")),
              QStringList{QStringLiteral("seo工具")});
    menus.m_delete->trigger();
    EXPECT_EQ(Texts(w.ListView1->Rows()), QStringList{QStringLiteral("seo")});
    EXPECT_EQ(w.ListView17.Count(), 2);

    w.Command43->click();
    EXPECT_TRUE(menus.m_daochu1->isVisible());
    menus.m_daochu1->hide();
    prompts.Type(QStringLiteral("结果")).Type(folder.Path()).Answer(platform::Answer::Cancel);
    menus.m_txt1->trigger();
    EXPECT_TRUE(QFile::exists(folder.FilePath(QStringLiteral("结果.txt"))));
}

TEST_F(ResultList, TheFilterNarrowsTheShownListAndRestoreBringsBackTheRunInItsOrder) {
    Mined({"seo|-|-|-|-", "seo工具|5|1|20|2500", "seo优化|120|35|1000|1.2", "网站优化|9|1|9|9"});
    w.Text4->SetText(QStringLiteral("SEO"));
    w.Text6->SetText(QStringLiteral("10"));
    w.Command22->click();
    EXPECT_EQ(Texts(w.ListView1->Rows()), (QStringList{"seo", "seo优化"}));
    EXPECT_EQ(w.ListView17.Count(), 4);

    w.ListView1_ColumnClick(1);
    Check(QStringLiteral("seo优化"));
    w.Command17->click();
    EXPECT_EQ(Texts(w.ListView1->Rows()), Texts(w.ListView17));
    EXPECT_FALSE(w.ListView1->Rows().AnyChecked());
    EXPECT_TRUE(w.ListView1->Rows().Bold(1));
    EXPECT_EQ(w.ListView1->Rows().Cell(2, 4), QStringLiteral("2500"));
    // Rows added after a restore come at the end again.
    EXPECT_FALSE(w.ListView1->Sorted());
}

TEST_F(ResultList, CompareHandsTheCheckedKeywordsToTheComparisonPage) {
    mining_testing::RecordingComparisonTool tool;
    Mined({"seo", "seo工具", "seo优化"});
    w.Command42->click();
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("请选择要对比分析的关键词！")});
    w.Command34->click();
    JobProgress::Set(QStringLiteral("累计查询到相关关键词：3个"), QStringLiteral("x"));
    BusyIndicator::Set(BusyIndicator::kPaused);
    w.Command42->click();
    EXPECT_EQ(tool.handed, QStringList{QStringLiteral("seo#seo工具#seo优化")});
    EXPECT_EQ(tool.busyWhenHanded, BusyIndicator::kReady);
    EXPECT_EQ(JobProgress::CountText(), QString());
}

}  // namespace
