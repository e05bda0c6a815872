#include "mining_run_fixture.h"
#include "support/list_ends.h"

namespace {

using namespace mining_testing;
using std::chrono::milliseconds;

// The mining window's regular pane on the sources' fixture pages.
class RegularRun : public MiningRunTest {
  protected:
    RegularRun() { window->Text2->SetText(QStringLiteral(" 减肥 ")); }

    void Click() { window->Command2->click(); }
    // A click while the run waits; what the button shows right after it is kept.
    void ClickWhen(std::function<bool()> when) {
        WhenThen(when, [this] {
            Click();
            afterUserClick = Shows(window->Command2);
        });
    }
    std::function<bool()> SourceDone(int number) {
        return [this, number] { return fields.RegularRun.SourceDone[number - 1]; };
    }
    void ExpectIdle() {
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
        EXPECT_EQ(Shows(window->Command2), QStringLiteral("开始挖掘"));
        EXPECT_TRUE(window->Frame9->isEnabled());
        EXPECT_EQ(JobProgress::CountText(), QString());
        EXPECT_FALSE(window->JobRunning());
    }

    QString afterUserClick;
};

TEST_F(RegularRun, ListsEachSourcesKeywordsAfterTheBoldSeedAndShowsItsProgress) {
    QStringList panels;
    JobProgress::Attach(
        [&panels](const QString& count, const QString& item) { panels << count + u'|' + item; });
    QString duringRun;
    WhenThen(SourceDone(1), [this, &duringRun] {
        duringRun = BusyIndicator::Text() + u'|' + window->Command2->Caption() + u'|' +
                    QString::number(window->Frame9->isEnabled()) + u'|' +
                    QString::number(window->JobRunning());
    });
    Click();

    EXPECT_EQ(RequestedUrls(), kSourceUrls);
    const QStringList rows = Rows(window->ListView1->Rows());
    ASSERT_EQ(rows.size(), 26);
    EXPECT_EQ(rows.mid(0, 3), (QStringList{QStringLiteral("*减肥"), QStringLiteral("减肥茶"),
                                           QStringLiteral("减肥药")}));
    EXPECT_EQ(rows.last(), QStringLiteral("瘦身"));
    EXPECT_EQ(Rows(window->ListView17), rows);
    EXPECT_EQ(duringRun, QStringLiteral("进行中...|暂停挖掘|0|1"));
    EXPECT_EQ(panels.mid(1, 2),
              (QStringList{QStringLiteral("累计查询到相关关键词：0个|当前相关关键词：减肥"),
                           QStringLiteral("累计查询到相关关键词：2个|当前相关关键词：减肥茶")}));
    EXPECT_EQ(testing_support::LastOf(panels), QStringLiteral("|"));
    ExpectIdle();
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(RegularRun, TheOptionBoxesKeepKeywordsOutAndAnEmptyExclusionWordExcludesNothing) {
    window->Check6->SetValue(1);
    window->Check2->SetValue(1);
    window->Text14->SetText(QStringLiteral(" 药#TEA# "));
    Click();

    const QStringList rows = Texts(window->ListView1->Rows());
    EXPECT_GT(rows.size(), 10);
    for (const QString& row : rows) {
        EXPECT_TRUE(row.contains(QStringLiteral("减肥"))) << row.toStdString();
        EXPECT_FALSE(row.contains(u'药') || row.contains(QStringLiteral("tea")))
            << row.toStdString();
    }
}

TEST_F(RegularRun, APauseClickStopsAtTheNextItemAndTheSameSeedResumesWithoutDoubles) {
    // Youdao's page is held back; the user clicks while the run waits for it.
    web.Serve(QStringLiteral("www.youdao.com"), QStringLiteral("/search"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("youdao_search.htm")))
                  .After(milliseconds(200)));
    ClickWhen(SourceDone(3));
    Click();

    EXPECT_EQ(afterUserClick, QStringLiteral("正在停止(disabled)"));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
    EXPECT_EQ(window->Command2->Caption(), QStringLiteral("开始挖掘"));
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_TRUE(window->Frame9->isEnabled());
    EXPECT_FALSE(window->JobRunning());
    EXPECT_EQ(RequestedUrls(), kSourceUrls.mid(0, 4));
    ASSERT_EQ(window->ListView1->Count(), 16);
    EXPECT_EQ(window->ListView1->Rows().Text(2), QStringLiteral("减肥茶"));

    // While paused the row menu takes a row out of the shown list; Youdao offers it again.
    window->ListView1->Remove(2);
    web.ClearRequests();
    Click();

    EXPECT_EQ(RequestedUrls(), kSourceUrls.mid(3));
    EXPECT_EQ(window->ListView17.Count(), 26);
    EXPECT_EQ(window->ListView1->Count(), 25);
    EXPECT_FALSE(window->ListView1->Rows().ContainsText(QStringLiteral("减肥茶")));
    QStringList master = Texts(window->ListView17);
    master.removeDuplicates();
    EXPECT_EQ(master.size(), 26);
    ExpectIdle();
}

TEST_F(RegularRun, AnUnloadedWindowTakesItsPausedRunAlongAndAnotherSeedStartsAfresh) {
    ClickWhen(SourceDone(3));
    Click();
    ASSERT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);

    // The window comes back with empty lists and the seed it remembered: the run starts over,
    // since the rows of the sources before the pause are gone.
    Opened();
    EXPECT_EQ(window->ListView1->Count(), 0);
    EXPECT_EQ(window->Text2->Text(), QStringLiteral("减肥"));
    web.ClearRequests();
    Click();
    EXPECT_EQ(RequestedUrls(), kSourceUrls);
    EXPECT_EQ(Rows(window->ListView1->Rows()).value(0), QStringLiteral("*减肥"));
    ExpectIdle();

    ClickWhen(SourceDone(1));
    Click();
    window->Text2->SetText(QStringLiteral("瘦身"));
    web.ClearRequests();
    Click();
    EXPECT_EQ(web.Requests().size(), 8u);
    EXPECT_EQ(Rows(window->ListView1->Rows()).value(0), QStringLiteral("*瘦身"));
    EXPECT_EQ(window->ListView17.Text(1), QStringLiteral("瘦身"));
}

TEST_F(RegularRun, WithEveryMetricOptionEachRowGetsItsMetricsAndIsSaved) {
    web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
              fakeweb::Page::Text(QStringLiteral("35-120")));
    for (platform::CheckBox* box : {window->Check7, window->Check8, window->Check11})
        box->SetValue(1);
    Click();

    const platform::RowTable& rows = window->ListView1->Rows();
    ASSERT_EQ(rows.Count(), 26);
    for (int i = 1; i <= rows.Count(); ++i) {
        EXPECT_EQ(rows.Cell(i, 1) + u'|' + rows.Cell(i, 2) + u'|' + rows.Cell(i, 3),
                  QStringLiteral("120|35|12300000"))
            << rows.Text(i).toStdString();
        EXPECT_NE(rows.Cell(i, 4), QStringLiteral("-"));
        EXPECT_EQ(window->ListView17.Cell(i, 3), QStringLiteral("12300000"));
    }
    QStringList saved = TableRows(QStringLiteral("keywords"), QStringLiteral("keys"));
    saved.sort();
    QStringList listed = Texts(rows);
    listed.sort();
    EXPECT_EQ(saved, listed);
    // The request gap of txtbaiduse lies between the count pages.
    EXPECT_GE(clock.Waited(), std::chrono::seconds(3 * 25));
}

// The run lists each row in the shown list and its master copy under one key: ticked rows
// deleted after the run stay deleted when 还原 brings back the master copy.
TEST_F(RegularRun, RowsDeletedAfterTheRunDoNotComeBackOnRestore) {
    Click();
    platform::RowTable& rows = window->ListView1->Rows();
    ASSERT_EQ(rows.Count(), 26);
    QStringList kept = Texts(rows);
    for (int i : {2, 5, 26}) rows.SetChecked(i, true);
    for (int i : {26, 5, 2}) kept.removeAt(i - 1);

    window->Command14->click();
    window->Command17->click();

    EXPECT_EQ(Texts(rows), kept);
    EXPECT_EQ(Texts(window->ListView17), kept);
}

TEST_F(RegularRun, AColumnSortBeforeARunIsLeftOffSoRowsComeInRunOrderWithTheirOwnMetrics) {
    web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
              fakeweb::Page::Text(QStringLiteral("35-120")));
    window->Check7->SetValue(1);
    window->ListView1_ColumnClick(1);  // sorted by keyword, while still empty
    Click();

    const platform::RowTable& rows = window->ListView1->Rows();
    ASSERT_EQ(rows.Count(), 26);
    EXPECT_EQ(Rows(rows).mid(0, 3), (QStringList{QStringLiteral("*减肥"), QStringLiteral("减肥茶"),
                                                 QStringLiteral("减肥药")}));
    EXPECT_EQ(rows.Text(26), QStringLiteral("瘦身"));
    for (int i = 1; i <= rows.Count(); ++i)
        EXPECT_EQ(rows.Cell(i, 1), QStringLiteral("120")) << rows.Text(i).toStdString();
}

TEST_F(RegularRun,
       AnEmptyBaiduPageIsLoadedThroughTheWindowsBrowserAndABlockingPageOpensTheSettings) {
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              fakeweb::Page::Text(QString()));
    browsers.documents[kBaiduResults] =
        mining_testing::PageText(QStringLiteral("baidu_results.htm"), QStringLiteral("gbk"));
    Click();
    EXPECT_TRUE(browsers.navigated.contains(kBaiduResults));
    EXPECT_TRUE(window->ListView1->Rows().ContainsText(QStringLiteral("减肥小窍门")));
    EXPECT_TRUE(modals.titles.isEmpty());

    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_blocked.htm"))));
    window->txtsetse->SetText(QStringLiteral("0"));
    Click();
    EXPECT_EQ(modals.titles, QStringList{QStringLiteral("搜索引擎屏蔽设置")});
    EXPECT_FALSE(window->ListView1->Rows().ContainsText(QStringLiteral("减肥小窍门")));
    ExpectIdle();
}

}  // namespace
