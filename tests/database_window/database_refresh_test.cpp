#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>

#include "database_window_fixture.h"
#include "fakeweb/fake_web.h"
#include "keyword_lists/add_keywords_dialog.h"
#include "metrics/fixture_pages.h"
#include "platform/database.h"
#include "shared/shared_connection.h"
#include "support/fake_browser.h"
#include "support/other_program.h"
#include "support/shared_database.h"

namespace {

using database_window_testing::DatabaseWindowTest;
using namespace metrics_testing;
using testing_support::OtherProgramQuery;

const QString kOldDate = QStringLiteral("2026-01-01");
// The end of a run whose rows kept old values for want of a page.
QString NotObtained(int rows) {
    return QStringLiteral(
               "%1个关键词未能取得新数据（网络不通、服务器无应答或被屏蔽），保留原来的数值。")
        .arg(rows);
}

class DatabaseRefreshTest : public DatabaseWindowTest {
  protected:
    // Stores each keyword with the old values 1|1|1 and opens the window with both boxes ticked
    // and no request gap.
    关键词数据库& OpenWith(const QStringList& keywords) {
        for (const QString& keyword : keywords)
            db.Insert(keyword, keyword, "1", "1", "1", kOldDate);
        关键词数据库& w = Open();
        w.Check30->SetValue(1);
        w.Check10->SetValue(1);
        w.txtbaiduse->SetText(QStringLiteral("0"));
        return w;
    }
    void ServeShare(const QString& keyword, const QString& pair) {
        web.Serve(kShareHost,
                  LookupUrl(keyword).mid(QStringLiteral("http://").size() + kShareHost.size()),
                  pair);
    }
    void ServeBaidu(const QString& keyword, const QString& page) {
        web.Serve(kBaiduHost,
                  SearchUrl(keyword).mid(QStringLiteral("http://").size() + kBaiduHost.size()),
                  page, QStringLiteral("gbk"));
    }
    // The rows of the shown list as "text|month|day|count|index|date", joined by ",".
    QString Rows() const {
        QStringList rows;
        for (int i = 1; i <= window->ListView16->Count(); ++i) {
            QStringList cells;
            for (int j : {0, 2, 3, 4, 5, 6}) cells << window->ListView16->Rows().Cell(i, j);
            rows << cells.join(u'|');
        }
        return rows.join(u',');
    }
    // Runs the refresh while another program holds db.db for a write beyond the wait; how many
    // lock waits the window stood still for.
    int RefreshUnderALock(关键词数据库& w) {
        SharedConnection().SetLockWait(std::chrono::milliseconds(200));
        const testing_support::OtherProgramSession other(DatabasePath(),
                                                         {QStringLiteral("begin immediate")});
        EXPECT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        w.Command44_Click();
        return SharedConnection().LockWaits() - waits;
    }
    // Where the row of `text` stands in the shown list; 0 when it is not there.
    static int RowOf(关键词数据库& w, const QString& text) {
        for (int i = 1; i <= w.ListView16->Count(); ++i)
            if (w.ListView16->Rows().Text(i) == text) return i;
        return 0;
    }
    QString Bold() const {
        QStringList bold;
        for (int i = 1; i <= window->ListView16->Count(); ++i)
            if (window->ListView16->Rows().Bold(i)) bold << window->ListView16->Rows().Text(i);
        return bold.join(u',');
    }

    testing_support::FakeBrowsers browsers;
};

TEST_F(DatabaseRefreshTest, EveryRowGetsItsVolumesAndCountInBothListsAndTheTableByKeyword) {
    关键词数据库& w = OpenWith({"a", "b", "c"});
    w.txtsetse->SetText(QStringLiteral("0"));  // a blocking page would open the settings
    ServeShare(QStringLiteral("a"), QStringLiteral("5-100"));
    ServeBaidu(QStringLiteral("a"), ResultsPage(QStringLiteral("约1,230")));
    ServeShare(QStringLiteral("b"), QStringLiteral("7-300"));
    ServeBaidu(QStringLiteral("b"), kNoResultsPage);
    // c: neither the service nor the index lookups have a value, and no page comes.

    w.Command44_Click();

    // The list keeps its dates; the records get today's.
    EXPECT_EQ(Rows(), QStringLiteral("a|100|5|1230|813|2026-01-01,b|300|7|0|0|2026-01-01,"
                                     "c|1|1|1|10000|2026-01-01"));
    for (int j = 0; j <= 6; ++j) EXPECT_EQ(MasterColumn(j), Column(j));
    EXPECT_EQ(db.Rows(), QStringList({"a|a|100|5|1230|2026-12-10", "b|b|300|7|0|2026-12-10",
                                      "c|c|1|1|1|2026-01-01"}));
    EXPECT_TRUE(modals.titles.isEmpty()) << "an empty page is a failed fetch, not a blocking page";
    // c kept its old values: the end says so rather than reading as refreshed.
    EXPECT_EQ(prompts.Texts(), QStringList{NotObtained(1)});
    EXPECT_EQ(Bold(), QString());
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
    EXPECT_EQ(w.Command44->Caption(), QStringLiteral("更新数据库"));
    EXPECT_TRUE(w.Frame9->isEnabled());
}

// The program's own connection sees what it wrote before the commit too: only another program
// shows that every row's save was kept, and that the run left the file free for writing.
TEST_F(DatabaseRefreshTest, WithBothBoxesTickedEverySaveIsCommittedForOtherPrograms) {
    关键词数据库& w = OpenWith({"a", "b"});
    ServeShare(QStringLiteral("a"), QStringLiteral("5-100"));
    ServeBaidu(QStringLiteral("a"), ResultsPage(QStringLiteral("约1,230")));
    ServeShare(QStringLiteral("b"), QStringLiteral("7-300"));
    ServeBaidu(QStringLiteral("b"), ResultsPage(QStringLiteral("50")));

    w.Command44_Click();

    EXPECT_EQ(OtherProgramQuery(DatabasePath(),
                                QStringLiteral("select keys || '|' || monthrank || '|' || dayrank "
                                               "|| '|' || baidunum from keywords order by id")),
              QStringLiteral("a|100|5|1230\nb|300|7|50"));
    EXPECT_EQ(
        OtherProgramQuery(DatabasePath(),
                          QStringLiteral("update keywords set baidunum = 2 where keys = 'a'")),
        QString());
}

TEST_F(DatabaseRefreshTest, AResultsPageThatCameWithAnErrorStatusGivesNoCount) {
    关键词数据库& w = OpenWith({"a"});
    w.Check30->SetValue(0);
    web.Serve(
        kBaiduHost,
        SearchUrl(QStringLiteral("a")).mid(QStringLiteral("http://").size() + kBaiduHost.size()),
        fakeweb::Page::Text(ResultsPage(QStringLiteral("约1,230")), QStringLiteral("gbk"))
            .Status(503));

    w.Command44_Click();

    EXPECT_EQ(Rows(), QStringLiteral("a|1|1|1|10000|2026-01-01"));
    EXPECT_EQ(db.Rows(), QStringList({"a|a|1|1|1|2026-01-01"}));
}

TEST_F(DatabaseRefreshTest, APauseStopsAtTheNextRowWhichAStartResumesFrom) {
    关键词数据库& w = OpenWith({"a", "b", "c"});
    for (const QString& k : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        ServeShare(k, QStringLiteral("2-20"));
        ServeBaidu(k, ResultsPage(QStringLiteral("10")));
    }
    QString captionWhileStopping;
    bool frameWhileRunning = true;
    QTimer::singleShot(0, &w, [&] {
        frameWhileRunning = w.Frame9->isEnabled();
        w.Command44_Click();  // during row a's first wait
        captionWhileStopping = w.Command44->Caption() + (w.Command44->isEnabled() ? "+" : "-");
    });
    w.Command44_Click();

    EXPECT_FALSE(frameWhileRunning);
    EXPECT_EQ(captionWhileStopping, QStringLiteral("正在停止-"));
    EXPECT_EQ(Rows(), QStringLiteral("a|20|2|10|20000|2026-01-01,b|1|1|1|10000|2026-01-01,"
                                     "c|1|1|1|10000|2026-01-01"));
    EXPECT_EQ(Bold(), QStringLiteral("b"));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
    EXPECT_EQ(w.Command44->Caption(), QStringLiteral("更新数据库"));

    web.ClearRequests();
    w.Command44_Click();
    EXPECT_EQ(Column(2), QStringLiteral("20,20,20"));
    QStringList asked;
    for (const fakeweb::Request& request : web.Requests()) asked << request.Url();
    asked.removeDuplicates();  // a fetcher's first request asks for the charset first
    EXPECT_EQ(asked, QStringList({LookupUrl("b"), SearchUrl("b"), LookupUrl("c"), SearchUrl("c")}));
    EXPECT_EQ(Bold(), QString());
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
}

// A command acted on a window whose refresh is paused at row b.
struct PausedRowCommand {
    const char* name;
    void (*act)(关键词数据库& w);
    bool dropsThePause;  // it takes row b from the list
};

void PrintTo(const PausedRowCommand& command, std::ostream* out) {
    *out << command.name;
}

class PausedRowCommands : public DatabaseRefreshTest,
                          public testing::WithParamInterface<PausedRowCommand> {};

// The paused refresh resumes at its bold row: a command that takes that row from the list
// drops the refresh, and the status bar no longer says it is paused; one that keeps the row
// keeps the pause.
TEST_P(PausedRowCommands, TakingThePausedRowDropsThePausedRefreshAndItsPauseMark) {
    关键词数据库& w = OpenWith({"a", "b", "c"});
    for (const QString& k : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        ServeShare(k, QStringLiteral("2-20"));
        ServeBaidu(k, ResultsPage(QStringLiteral("10")));
    }
    QTimer::singleShot(0, &w, [&w] { w.Command44_Click(); });  // during row a's first wait
    w.Command44_Click();
    ASSERT_EQ(Bold(), QStringLiteral("b"));
    ASSERT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);

    GetParam().act(w);

    const bool dropped = GetParam().dropsThePause;
    EXPECT_EQ(Bold(), dropped ? QString() : QStringLiteral("b"));
    EXPECT_EQ(w.JobPaused(), !dropped);
    EXPECT_EQ(BusyIndicator::Text(), dropped ? BusyIndicator::kReady : BusyIndicator::kPaused);
}

INSTANTIATE_TEST_SUITE_P(
    EachCommand, PausedRowCommands,
    testing::Values(PausedRowCommand{"Reload", [](关键词数据库& w) { w.Command49_Click(); }, true},
                    PausedRowCommand{"Restore", [](关键词数据库& w) { w.Command17_Click(); }, true},
                    PausedRowCommand{"DeleteTheBoldRow",
                                     [](关键词数据库& w) {
                                         w.ListView16->Rows().SetChecked(2, true);
                                         w.Command48_Click();
                                     },
                                     true},
                    PausedRowCommand{"DeleteAnotherRow",
                                     [](关键词数据库& w) {
                                         w.ListView16->Rows().SetChecked(3, true);
                                         w.Command48_Click();
                                     },
                                     false},
                    PausedRowCommand{"Sort", [](关键词数据库& w) { w.ListView16_ColumnClick(1); },
                                     false}),
    [](const testing::TestParamInfo<PausedRowCommand>& info) { return info.param.name; });

TEST_F(DatabaseRefreshTest, OneBoxAsksOnlyForItsValuesAndNoBoxIsRefused) {
    关键词数据库& w = OpenWith({"a"});
    ServeShare(QStringLiteral("a"), QStringLiteral("5-100"));
    ServeBaidu(QStringLiteral("a"), ResultsPage(QStringLiteral("50")));

    w.Check10->SetValue(0);
    w.Command44_Click();
    EXPECT_EQ(Rows(), QStringLiteral("a|100|5|1|1000000|2026-01-01"));
    EXPECT_TRUE(web.Requests(kBaiduHost).empty());

    w.Check30->SetValue(0);
    w.Check10->SetValue(1);
    web.ClearRequests();
    w.Command44_Click();
    EXPECT_EQ(Rows(), QStringLiteral("a|100|5|50|20000|2026-01-01"));
    EXPECT_TRUE(web.Requests(kShareHost).empty());

    w.Check10->SetValue(0);
    w.Command44_Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"请至少选择一个要更新的项目"}));
}

TEST_F(DatabaseRefreshTest, TheRequestGapCountsAcrossRunsAndTheFirstRequestGoesAtOnce) {
    关键词数据库& w = OpenWith({"a", "b"});
    w.Check30->SetValue(0);
    w.txtbaiduse->SetText(QStringLiteral("3"));
    ServeBaidu(QStringLiteral("a"), ResultsPage(QStringLiteral("10")));
    ServeBaidu(QStringLiteral("b"), ResultsPage(QStringLiteral("10")));

    w.Command44_Click();
    EXPECT_GE(clock.Waited(), std::chrono::milliseconds(3000));
    EXPECT_LT(clock.Waited(), std::chrono::milliseconds(4000));
    w.Command44_Click();  // at once after the last: waits again before its first request
    EXPECT_GE(clock.Waited(), std::chrono::milliseconds(9000));
}

TEST_F(DatabaseRefreshTest, ABlockingPageBringsTheReactionKeepsTheCountAndOnlyTheReloadWaits) {
    关键词数据库& w = OpenWith({"a", "b", "c"});
    w.Check30->SetValue(0);
    w.txtsetse->SetText(QStringLiteral("0"));
    ServeBaidu(QStringLiteral("a"), kBlockingPage);
    ServeBaidu(QStringLiteral("c"), ResultsPage(QStringLiteral("10")));
    modals.work = [&](QDialog& dialog) {
        if (auto* add = dynamic_cast<frm_AddKeywords*>(&dialog)) {
            add->Text1->setPlainText(QStringLiteral("d"));
            add->Command5_Click();
            return;
        }
        // While the blocking settings are open the refresh waits on row a: the reload would
        // empty the list it walks and waits, the other commands run at once.
        w.Command49_Click();
        w.ListView16->Rows().SetChecked(2, true);
        w.Command48_Click();
        w.ListView16_ColumnClick(1);
        w.Command45_Click();
    };

    w.Command44_Click();

    EXPECT_EQ(modals.titles.size(), 2);
    EXPECT_EQ(prompts.Texts(),
              QStringList({"正在更新数据库，请先暂停更新再进行此操作！", NotObtained(1)}));
    EXPECT_EQ(Column(0), QStringLiteral("d,c,a")) << "b deleted, sorted, d added in order";
    EXPECT_EQ(MasterColumn(0), QStringLiteral("a,c,d"));
    EXPECT_EQ(Column(4), QStringLiteral(",10,1"));
    EXPECT_EQ(db.Rows().mid(0, 2), QStringList({"a|a|1|1|1|2026-01-01", "c|c|1|1|10|2026-12-10"}));
    EXPECT_EQ(db.Rows().size(), 3);
}

TEST_F(DatabaseRefreshTest, RowsAreFollowedByKeyWhenTheListIsRestoredDuringTheRun) {
    关键词数据库& w = OpenWith({"a", "b"});
    w.Check10->SetValue(0);
    ServeShare(QStringLiteral("a"), QStringLiteral("1-10"));
    ServeShare(QStringLiteral("b"), QStringLiteral("2-20"));
    w.Text4->SetText(QStringLiteral("b"));
    w.Command22_Click();  // only b shown
    w.ListView16->Rows().SetBold(1, false);
    QTimer::singleShot(0, &w, [&] { w.Command17_Click(); });  // a comes back above b

    w.Command44_Click();

    EXPECT_EQ(Column(2), QStringLiteral("1,20"));
    EXPECT_EQ(MasterColumn(2), QStringLiteral("1,20"));
}

// Another program holds db.db beyond the wait: the first save that meets the lock pauses the run
// at its row, which the next start refreshes again; the window stood still once.
TEST_F(DatabaseRefreshTest, ALockThatOutlastsTheWaitPausesTheRunAtTheRowItCouldNotSave) {
    关键词数据库& w = OpenWith({"a", "b"});
    w.Check10->SetValue(0);
    ServeShare(QStringLiteral("a"), QStringLiteral("1-10"));
    ServeShare(QStringLiteral("b"), QStringLiteral("2-20"));
    EXPECT_EQ(RefreshUnderALock(w), 1);
    EXPECT_EQ(Bold(), QStringLiteral("a"));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_TRUE(prompts.Texts()[0].contains(QStringLiteral("1个关键词的新数据未能写入数据库")));
    // The cause is told once, as a failure.
    EXPECT_EQ(prompts.Texts()[0].count(QStringLiteral("数据库文件正被其他程序占用")), 1)
        << prompts.Texts()[0].toStdString();
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Exclamation);
    for (const fakeweb::Request& request : web.Requests()) EXPECT_NE(request.Url(), LookupUrl("b"));
    EXPECT_EQ(db.Rows(), QStringList({"a|a|1|1|1|2026-01-01", "b|b|1|1|1|2026-01-01"}));

    w.Command44_Click();  // the other program has let go
    EXPECT_EQ(db.Rows(), QStringList({"a|a|10|1|1|2026-12-10", "b|b|20|2|1|2026-12-10"}));
    EXPECT_EQ(prompts.Texts().size(), 1);
}

// With both boxes ticked the row's volume save meets the lock first: the run stops there and
// asks for no count, neither the row's nor another's, so the window stood still once.
TEST_F(DatabaseRefreshTest, AVolumeSaveALockHoldsOffAsksForNoCountAfterIt) {
    关键词数据库& w = OpenWith({"a", "b"});
    ServeShare(QStringLiteral("a"), QStringLiteral("1-10"));
    ServeBaidu(QStringLiteral("a"), ResultsPage(QStringLiteral("10")));
    EXPECT_EQ(RefreshUnderALock(w), 1);
    EXPECT_TRUE(web.Requests(kBaiduHost).empty());
    EXPECT_EQ(Bold(), QStringLiteral("a"));
    EXPECT_EQ(db.Rows(), QStringList({"a|a|1|1|1|2026-01-01", "b|b|1|1|1|2026-01-01"}));
}

// The user deletes the row whose volume the run waits for: the run asks nothing more for it, by
// its keyword or by an empty one, and does not count it among the rows without new data.
TEST_F(DatabaseRefreshTest, ARowDeletedWhileItsVolumeIsAskedForIsLeftAlone) {
    关键词数据库& w = OpenWith({"a", "b"});
    for (const QString& k : {QStringLiteral("a"), QStringLiteral("b")}) {
        ServeShare(k, QStringLiteral("2-20"));
        ServeBaidu(k, ResultsPage(QStringLiteral("10")));
    }
    QTimer::singleShot(0, &w, [&w] {  // during row a's volume lookup
        w.ListView16->Rows().SetChecked(1, true);
        w.Command48_Click();
    });

    w.Command44_Click();

    QStringList asked;
    for (const fakeweb::Request& request : web.Requests(kBaiduHost)) asked << request.Url();
    EXPECT_EQ(asked, QStringList{SearchUrl(QStringLiteral("b"))});
    EXPECT_TRUE(prompts.prompts().empty()) << prompts.LastText().toStdString();
    EXPECT_EQ(db.Rows(), QStringList{"b|b|20|2|10|2026-12-10"});
    EXPECT_EQ(Column(), QStringLiteral("b"));
}

// The user deletes a row before the run reaches it, or while its count waits out the request
// gap: the run asks nothing more for it, neither by its keyword nor by an empty one, counts it
// nowhere, and goes on with the rows after it.
TEST_F(DatabaseRefreshTest, ARowDeletedBeforeItsTurnOrDuringItsRequestGapIsAskedNothingMore) {
    const struct {
        const char* what;
        const char* gap;
        // Whether the moment to delete row b has come.
        std::function<bool(关键词数据库&)> when;
        QStringList asked;
    } cases[] = {
        {"before its turn",
         "0",
         [](关键词数据库&) { return true; },
         {LookupUrl("a"), SearchUrl("a"), LookupUrl("c"), SearchUrl("c")}},
        {"during its request gap",
         "3",
         [](关键词数据库& w) {
             const int b = RowOf(w, QStringLiteral("b"));
             return b > 0 && w.ListView16->Rows().Cell(b, 4) == QStringLiteral("更新中...");
         },
         {LookupUrl("a"), SearchUrl("a"), LookupUrl("b"), LookupUrl("c"), SearchUrl("c")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing_support::TemporaryProgramFolder own;
        const testing_support::SharedDatabase ownDb(own);
        关键词数据库& w = OpenWith({"a", "b", "c"});
        w.txtbaiduse->SetText(QString::fromUtf8(c.gap));
        for (const QString& k : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
            ServeShare(k, QStringLiteral("2-20"));
            ServeBaidu(k, ResultsPage(QStringLiteral("10")));
        }
        web.ClearRequests();
        auto* deleting = new QTimer(&w);
        QObject::connect(deleting, &QTimer::timeout, [deleting, &w, &c] {
            if (!c.when(w)) return;
            deleting->stop();
            w.ListView16->Rows().SetChecked(RowOf(w, QStringLiteral("b")), true);
            w.Command48_Click();
        });
        deleting->start(0);

        w.Command44_Click();

        QStringList asked;
        for (const fakeweb::Request& request : web.Requests()) asked << request.Url();
        asked.removeDuplicates();  // a fetcher's first request asks for the charset first
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(prompts.Texts(), QStringList()) << "nothing to tell of the deleted row";
        EXPECT_EQ(db.Rows(), QStringList({"a|a|20|2|10|2026-12-10", "c|c|20|2|10|2026-12-10"}));
        EXPECT_EQ(Column(), QStringLiteral("a,c"));
        EXPECT_EQ(Bold(), QString());
        window.reset();
    }
}

// db.db moved away, or replaced by another file, while the run waits for a row's values: the
// row's save finds it gone and the run stops there, as under a lock, saying why once; no later
// row is asked for, and nothing goes into the file now at the path.
TEST_F(DatabaseRefreshTest, AFileMovedOrReplacedDuringTheRunStopsItAtTheRowItCouldNotSave) {
    const struct {
        const char* what;
        bool replaced;
    } cases[] = {{"moved away", false}, {"replaced", true}};
    const QString moved = QStringLiteral("数据库文件在软件运行期间被移动、删除或替换");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing_support::TemporaryProgramFolder own;
        const testing_support::SharedDatabase ownDb(own);
        own.AddFreshDatabase(QStringLiteral("fresh.db"));
        const size_t told = prompts.prompts().size();
        关键词数据库& w = OpenWith({"a", "b", "c"});
        w.Check10->SetValue(0);
        for (const QString& k : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
            ServeShare(k, QStringLiteral("2-20"));
        web.ClearRequests();
        QTimer::singleShot(0, &w, [&own, &c] {  // during row a's volume lookup
            ASSERT_TRUE(QFile::rename(DatabasePath(), own.FilePath(QStringLiteral("moved.db"))));
            if (c.replaced) {
                ASSERT_TRUE(
                    QFile::rename(own.FilePath(QStringLiteral("fresh.db")), DatabasePath()));
            }
        });

        w.Command44_Click();

        for (const fakeweb::Request& request : web.Requests()) {
            EXPECT_NE(request.Url(), LookupUrl("b"));
            EXPECT_NE(request.Url(), LookupUrl("c"));
        }
        EXPECT_EQ(Bold(), QStringLiteral("a")) << "the row to resume from";
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
        ASSERT_EQ(prompts.prompts().size(), told + 1);
        const QString said = prompts.LastText();
        EXPECT_EQ(said.count(moved), 1) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("更新已暂停"))) << said.toStdString();
        if (c.replaced) {
            EXPECT_EQ(
                OtherProgramQuery(DatabasePath(), QStringLiteral("select count(*) from keywords")),
                QStringLiteral("0"))
                << "nothing goes into the file now at the path";
        } else {
            EXPECT_FALSE(QFile::exists(DatabasePath())) << "no file is made at the path";
        }
        window.reset();
    }
}

TEST_F(DatabaseRefreshTest, TheVolumeUpdateGoesToTheRecordAsListedThoughItsKeyHasBlanks) {
    // Older files hold keys with surrounding blanks; the lookups ask for the keyword without.
    关键词数据库& w = OpenWith({" a ", "b"});
    w.Check10->SetValue(0);
    ServeShare(QStringLiteral("a"), QStringLiteral("5-100"));
    ServeShare(QStringLiteral("b"), QStringLiteral("7-300"));

    w.Command44_Click();

    EXPECT_EQ(db.Rows(), QStringList({" a | a |100|5|1|2026-12-10", "b|b|300|7|1|2026-12-10"}));
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(DatabaseRefreshTest, TheBoxesTickedOrClearedDuringARunCountFromTheNextRow) {
    关键词数据库& w = OpenWith({"a", "b"});
    w.Check10->SetValue(0);
    for (const QString& k : {QStringLiteral("a"), QStringLiteral("b")}) {
        ServeShare(k, QStringLiteral("2-20"));
        ServeBaidu(k, ResultsPage(QStringLiteral("10")));
    }
    QTimer::singleShot(0, &w, [&w] {  // during row a's volume lookup
        w.Check30->SetValue(0);
        w.Check10->SetValue(1);
    });

    w.Command44_Click();

    const QStringList rows = db.Rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("a|a|20|2|"))) << rows[0].toStdString();
    EXPECT_EQ(rows[1], QStringLiteral("b|b|1|1|10|2026-12-10"));
    for (const fakeweb::Request& request : web.Requests())
        EXPECT_NE(request.Url(), LookupUrl("b")) << "b's volume is no longer asked for";
}

TEST_F(DatabaseRefreshTest, RowsWhoseUpdateFindsNoTableAreCountedAndToldAtTheEnd) {
    关键词数据库& w = OpenWith({"a", "b"});
    w.Check10->SetValue(0);
    ServeShare(QStringLiteral("a"), QStringLiteral("2-20"));
    ServeShare(QStringLiteral("b"), QStringLiteral("3-30"));
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table keywords")));

    w.Command44_Click();

    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.LastText().startsWith(
        QStringLiteral("2个关键词的新数据未能写入数据库，只显示在列表中。")))
        << prompts.LastText().toStdString();
    EXPECT_EQ(Column(2), QStringLiteral("20,30")) << "the list shows what was obtained";
}

TEST_F(DatabaseRefreshTest, RowsWhoseUpdateAnotherProgramsLockRefusesAreCountedAndToldAtTheEnd) {
    关键词数据库& w = OpenWith({"a", "b"});
    w.Check10->SetValue(0);
    ServeShare(QStringLiteral("a"), QStringLiteral("2-20"));
    ServeShare(QStringLiteral("b"), QStringLiteral("3-30"));
    platform::Connection other;  // another program writes to db.db all along
    ASSERT_TRUE(other.Open(DatabasePath()));
    ASSERT_TRUE(other.Execute(QStringLiteral("begin immediate")));
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));

    w.Command44_Click();

    other.Execute(QStringLiteral("rollback"));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    // The first save the lock refuses pauses the run there: one row is told as not written.
    EXPECT_TRUE(prompts.LastText().contains(QStringLiteral("1个")))
        << prompts.LastText().toStdString();
    EXPECT_EQ(db.Rows(), QStringList({"a|a|1|1|1|2026-01-01", "b|b|1|1|1|2026-01-01"}));
}

TEST_F(DatabaseRefreshTest, AnEmptyListEndsAtOnce) {
    关键词数据库& w = OpenWith({});
    w.Command44_Click();
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
    EXPECT_TRUE(web.Requests().empty());
}

}  // namespace
