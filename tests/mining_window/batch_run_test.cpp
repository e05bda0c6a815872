#include <QDir>
#include <QFile>

#include "mining_run_fixture.h"
#include "platform/charset.h"
#include "support/database_files.h"
#include "support/other_program.h"
#include "support/recording_power.h"

namespace {

using namespace mining_testing;
using std::chrono::milliseconds;
using testing_support::OtherProgramQuery;

const QString kSlimUtf8 = QStringLiteral("%E7%98%A6%E8%BA%AB");  // "瘦身"

// The batch pane over three checked keywords with unchecked ones between them, saving each
// keyword's results as text into a folder of its own.
class BatchRun : public MiningRunTest {
  protected:
    BatchRun() : results(folder.FilePath(QStringLiteral("results"))) {
        QDir().mkpath(results);
        window->Text3->SetText(results);
        for (const char* keyword : {"减肥", "其他", "瘦身", "另一个", "seo"})
            window->ListView8->Add(QString::fromUtf8(keyword));
        for (int row : {1, 3, 5}) window->ListView8->Rows().SetChecked(row, true);
    }

    void Click() { window->Command9->click(); }
    // Whether the batch's run of `keyword` has delivered source `number`.
    std::function<bool()> SourceDone(const QString& keyword, int number) {
        return [this, keyword, number] {
            return fields.BatchRun.LastMinedKeyword == keyword &&
                   fields.BatchRun.SourceDone[number - 1];
        };
    }
    // The result files, by name.
    QStringList Files() const { return QDir(results).entryList(QDir::Files, QDir::Name); }
    QString FileText(const QString& name) const {
        QFile file(QDir(results).filePath(name));
        return file.open(QIODevice::ReadOnly) ? platform::FileBytesToText(file.readAll())
                                              : QString();
    }
    int RequestsFor(const QString& gbkKeyword) const {
        int count = 0;
        for (const QString& url : RequestedUrls()) count += url.contains(gbkKeyword) ? 1 : 0;
        return count;
    }
    void ExpectEnded(const QString& message) {
        EXPECT_EQ(prompts.LastText(), message);
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
        EXPECT_EQ(JobProgress::CountText(), QString());
        EXPECT_EQ(Shows(window->Command9), QStringLiteral("开始挖掘"));
        EXPECT_EQ(window->txtkw->Text(), QStringLiteral("1"));
        EXPECT_FALSE(fields.BatchRun.BatchActive);
        EXPECT_TRUE(fields.BatchRun.LastMinedKeyword.isEmpty());
        EXPECT_FALSE(window->JobRunning());
    }

    QString results;
    testing_support::RecordingPower power;
};

TEST_F(BatchRun, EachCheckedKeywordIsMinedSavedInTurnAndTheEndIsTold) {
    Click();

    // 瘦身's Baidu address carries its GBK form; seo is not asked of the first suggestion service.
    EXPECT_EQ(web.Requests().size(), 8u + 8u + 7u);
    EXPECT_EQ(RequestsFor(kGbkSeed), 4);
    const QStringList files = Files();
    ASSERT_EQ(files.size(), 3);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("seo-2026-12-10")));
    EXPECT_TRUE(files[1].startsWith(QStringLiteral("减肥-")));
    EXPECT_TRUE(files[2].startsWith(QStringLiteral("瘦身-")));
    EXPECT_TRUE(FileText(files[1]).contains(QStringLiteral("减肥茶")));
    EXPECT_TRUE(FileText(files[2]).contains(QStringLiteral("瘦身")));
    // The list shows the last keyword's rows, its seed first and bold.
    EXPECT_EQ(Rows(window->ListView3->Rows()).value(0), QStringLiteral("*seo"));
    ExpectEnded(QStringLiteral("查询完毕，并已自动保存！"));
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Information);
    EXPECT_TRUE(power.actions.isEmpty());
    // The regular pane was not touched.
    EXPECT_EQ(window->ListView1->Count(), 0);
    EXPECT_TRUE(window->Frame9->isEnabled());
}

TEST_F(BatchRun, WithoutSavingNoFileIsWrittenAndTheEndSaysSo) {
    window->Combo1->SetListIndex(0);
    Click();
    EXPECT_TRUE(Files().isEmpty());
    ExpectEnded(QStringLiteral("查询完毕，未自动保存！"));
}

TEST_F(BatchRun, TheBatchReadsItsOwnPanesOptionsAndNeverTheRegularPanes) {
    for (int row : {3, 5}) window->ListView8->Rows().SetChecked(row, false);
    window->Check1->SetValue(1);  // only keywords that hold the seed
    window->Check9->SetValue(1);
    window->Text8->SetText(QStringLiteral("药"));
    Click();

    const QStringList rows = Texts(window->ListView3->Rows());
    ASSERT_GT(rows.size(), 10);
    for (const QString& row : rows) {
        EXPECT_TRUE(row.contains(QStringLiteral("减肥"))) << row.toStdString();
        EXPECT_FALSE(row.contains(u'药')) << row.toStdString();
    }
    // The regular pane's boxes, ticked, do not narrow the batch.
    window->Check1->SetValue(0);
    window->Check9->SetValue(0);
    window->Check6->SetValue(1);
    window->Check2->SetValue(1);
    window->Text14->SetText(QStringLiteral("药"));
    Click();
    EXPECT_TRUE(window->ListView3->Rows().ContainsText(QStringLiteral("瘦身")));
    EXPECT_TRUE(window->ListView3->Rows().ContainsText(QStringLiteral("减肥药")));
}

TEST_F(BatchRun, APauseInTheSecondKeywordKeepsItsPlaceAcrossARegularRunAndResumesThere) {
    web.Serve(QStringLiteral("www.youdao.com"), QStringLiteral("/search?q=") + kSlimUtf8,
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("youdao_search.htm")))
                  .After(milliseconds(200)));
    QString afterPauseClick;
    QString regularRefusal;
    WhenThen(SourceDone(QStringLiteral("瘦身"), 3), [&] {
        // A regular start while the batch runs is refused; the batch's own click pauses it.
        window->Text2->SetText(QStringLiteral("seo"));
        window->Command2->click();
        regularRefusal = prompts.Texts().value(0);
        Click();
        afterPauseClick = Shows(window->Command9);
    });
    Click();

    EXPECT_EQ(regularRefusal,
              QStringLiteral("批量挖掘正在进行中，请先暂停批量挖掘再开始常规挖掘！"));
    EXPECT_EQ(afterPauseClick, QStringLiteral("正在停止(disabled)"));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
    EXPECT_EQ(Shows(window->Command9), QStringLiteral("开始挖掘"));
    EXPECT_EQ(window->txtkw->Text(), QStringLiteral("2"));
    EXPECT_EQ(Files().size(), 1);
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(power.actions.isEmpty());

    // While paused: the batch node keeps the list and its checks; a regular run goes its way.
    window->TreeView1->ClickNode(2);
    EXPECT_TRUE(window->ListView8->Rows().Checked(3));
    window->Command2->click();
    EXPECT_EQ(Rows(window->ListView1->Rows()).value(0), QStringLiteral("*seo"));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);

    // The batch resumes 瘦身 at Youdao, keeps its rows, then mines seo.
    const int listedBefore = window->ListView3->Count();
    web.ClearRequests();
    WhenThen(SourceDone(QStringLiteral("瘦身"), 8), [&] {
        EXPECT_GT(window->ListView3->Count(), listedBefore);
        EXPECT_EQ(Rows(window->ListView3->Rows()).value(0), QStringLiteral("*瘦身"));
    });
    Click();
    EXPECT_EQ(RequestedUrls().value(0),
              QStringLiteral("http://www.youdao.com/search?q=") + kSlimUtf8);
    EXPECT_EQ(web.Requests().size(), 5u + 7u);
    EXPECT_EQ(Files().size(), 3);
    ExpectEnded(QStringLiteral("查询完毕，并已自动保存！"));
}

TEST_F(BatchRun, APauseAskedWhileTheLastSourcesYieldNothingStopsAtTheNextKeyword) {
    // A page that came and holds no suggestion.
    web.Serve(QStringLiteral("suggest.china.alibaba.com"), QStringLiteral("/bin/suggest"),
              fakeweb::Page::Text(QStringLiteral("{}")).After(milliseconds(200)));
    WhenThen(SourceDone(QStringLiteral("减肥"), 7), [this] { Click(); });
    Click();

    EXPECT_EQ(Files().size(), 1);
    EXPECT_EQ(window->txtkw->Text(), QStringLiteral("2"));
    EXPECT_EQ(Shows(window->Command9), QStringLiteral("开始挖掘"));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
    EXPECT_EQ(window->ListView3->Count(), 0);
    EXPECT_TRUE(prompts.prompts().empty());

    web.ClearRequests();
    Click();
    EXPECT_EQ(RequestedUrls().value(0),
              QStringLiteral("http://www.baidu.com/s?wd=%CA%DD%C9%ED"));  // 瘦身 from the start
    ExpectEnded(QStringLiteral("查询完毕，并已自动保存！"));
}

// Sources that gave no page are named per keyword at the end, so that a keyword's short
// result file does not read as all there is.
TEST_F(BatchRun, SourcesThatGaveNoPageAreNamedPerKeywordAtTheEnd) {
    const auto silence = [this](const char* host, const QString& pathAndQuery) {
        web.Serve(QString::fromUtf8(host), pathAndQuery,
                  fakeweb::Page::Text(QString()).Status(404));
    };
    silence("www.google.com.hk", QStringLiteral("/search?hl=zh-CN&source=hp&q=") + kSlimUtf8);
    silence("www.google.com.hk", QStringLiteral("/search?hl=zh-CN&source=hp&q=seo"));
    silence("www.sogou.com", QStringLiteral("/web?query=seo"));
    Click();
    ExpectEnded(QStringLiteral(
        "查询完毕，并已自动保存！\n以下关键词的8个挖掘来源中有未能取得页面的（网络不通或服务器无"
        "应答），结果可能不全：瘦身（1个）、seo（2个）"));
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(Files().size(), 3);
}

TEST_F(BatchRun, NoCheckedKeywordRefusesAStartButNeverAPause) {
    window->ListView8->Rows().SetAllChecked(false);
    Click();
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("请选择你要批量查询的关键词！")});
    EXPECT_TRUE(web.Requests().empty());

    window->ListView8->Rows().SetChecked(1, true);
    WhenThen(SourceDone(QStringLiteral("减肥"), 2), [this] {
        window->ListView8->Rows().SetAllChecked(false);
        Click();
    });
    Click();
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
}

TEST_F(BatchRun, TheMachineIsSwitchedOffAfterASavedBatchOnlyAndNeverAfterAFailedSave) {
    for (int row : {3, 5}) window->ListView8->Rows().SetChecked(row, false);
    window->is_shutdown->SetValue(1);
    Click();
    EXPECT_EQ(power.actions, QList<platform::PowerAction>{platform::PowerAction::ShutDown});
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_EQ(window->txtkw->Text(), QStringLiteral("1"));

    // "不保存": nothing to save fails, so the machine is switched off all the same.
    window->Combo1->SetListIndex(0);
    Click();
    EXPECT_EQ(power.actions, QList<platform::PowerAction>(2, platform::PowerAction::ShutDown));
    EXPECT_TRUE(prompts.prompts().empty());
    window->Combo1->SetListIndex(1);

    // A folder that is not there: the keyword is named, and the machine stays on.
    window->Text3->SetText(folder.FilePath(QStringLiteral("nowhere")));
    Click();
    EXPECT_EQ(power.actions.size(), 2);
    ExpectEnded(QStringLiteral(
        "查询完毕，未自动保存！\n以下关键词的结果未能保存：减肥\n因此没有自动关机。"));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
}

TEST_F(BatchRun, RowsTheDatabaseRefusedAreToldAtTheEndAndKeepTheMachineOn) {
    for (int row : {3, 5}) window->ListView8->Rows().SetChecked(row, false);
    window->is_shutdown->SetValue(1);
    window->Check3->SetValue(1);
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table keywords")));
    Click();
    EXPECT_TRUE(power.actions.isEmpty());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.Texts()[0].startsWith(
        QStringLiteral("查询完毕，并已自动保存！\n有%1个关键词未能保存到关键词数据库")
            .arg(window->ListView3->Count())))
        << prompts.Texts()[0].toStdString();
    EXPECT_TRUE(prompts.Texts()[0].endsWith(QStringLiteral("因此没有自动关机。")));
}

// Another program holds db.db beyond the wait: the first row save that meets the lock ends the
// saving of the whole batch, so the window stands still once for all its keywords.
TEST_F(BatchRun, ALockThatOutlastsTheWaitEndsTheSavingOfTheWholeBatchAndTheEndSaysSo) {
    window->Check3->SetValue(1);
    SharedConnection().SetLockWait(milliseconds(200));
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin immediate")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        Click();
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_EQ(Files().size(), 3);
    EXPECT_TRUE(TableRows(QStringLiteral("keywords"), QStringLiteral("keys")).isEmpty());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("查询完毕，并已自动保存！\n有")))
        << prompts.LastText().toStdString();
    EXPECT_TRUE(prompts.LastText().endsWith(
        QStringLiteral("个关键词未能保存到关键词数据库（数据库无法写入）。\n"
                       "数据库文件正被其他程序占用，从那时起挖掘到的关键词只列在结果列表中，"
                       "没有保存到关键词数据库。")))
        << prompts.LastText().toStdString();
}

// db.db replaced by another file while the batch mines its first keyword: the first row save
// that finds it ends the row saves of the whole batch, through a pause and its resume too;
// nothing goes into the file now at the path, and the end says why once.
TEST_F(BatchRun, AFileReplacedDuringTheFirstKeywordTakesNoRowOfALaterOne) {
    window->Check3->SetValue(1);
    const QString stopped = QStringLiteral(
        "数据库文件在软件运行期间被移动、删除或替换，从那时起挖掘到的关键词只列在结果列表中，"
        "没有保存到关键词数据库。");
    for (const bool pausedBetween : {false, true}) {
        SCOPED_TRACE(pausedBetween ? "paused in the second keyword and resumed" : "run through");
        const QString fresh = QStringLiteral("fresh%1.db").arg(pausedBetween);
        const QString moved = folder.FilePath(QStringLiteral("moved%1.db").arg(pausedBetween));
        folder.AddFreshDatabase(fresh);
        const size_t told = prompts.prompts().size();
        WhenThen(SourceDone(QStringLiteral("减肥"), 1), [this, fresh, moved] {
            ASSERT_TRUE(QFile::rename(DatabasePath(), moved));
            ASSERT_TRUE(QFile::rename(folder.FilePath(fresh), DatabasePath()));
        });
        if (pausedBetween) WhenThen(SourceDone(QStringLiteral("瘦身"), 2), [this] { Click(); });
        Click();
        if (pausedBetween) {
            ASSERT_EQ(window->txtkw->Text(), QStringLiteral("2")) << "not paused";
            Click();
        }

        ASSERT_FALSE(fields.BatchRun.BatchActive);
        EXPECT_EQ(
            OtherProgramQuery(DatabasePath(), QStringLiteral("select count(*) from keywords")),
            QStringLiteral("0"));
        ASSERT_EQ(prompts.prompts().size(), told + 1);
        EXPECT_EQ(prompts.LastText().count(stopped), 1) << prompts.LastText().toStdString();
    }
}

}  // namespace
