#include <gtest/gtest.h>

#include <QFile>
#include <memory>

#include "database_window/database_window.h"
#include "fakeweb/fake_web.h"
#include "keyword_lists/comparison_handoff.h"
#include "research_tools/fixture_pages.h"
#include "research_tools/test_pages.h"
#include "shared/busy_indicator.h"
#include "shared/shared_connection.h"
#include "shell/work_windows.h"
#include "support/qt_printers.h"
#include "support/test_environment.h"
#include "tools_window/comparison_entry.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using research_testing::PageBytes;
using research_testing::Rows;
using std::chrono::milliseconds;

// The keyword tools window with its research pages, as the program makes it, against the
// loopback web with the pages of every research tool.
class ResearchWindowTest : public testing_support::TestEnvironment {
  protected:
    ResearchWindowTest()
        : TestEnvironment(testing_support::Database::Missing, testing_support::Desktop::Used) {
        folder.AddFreshDatabase();
        BusyIndicator::Set(BusyIndicator::kReady);
        web.Serve(QStringLiteral("top.baidu.com"), QStringLiteral("/buzz/movie.html"),
                  fakeweb::Page::Bytes(PageBytes(QStringLiteral("hot_movie.htm"))));
        web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
                  QStringLiteral("35-120"));
        ServeResults(milliseconds(0));
        web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
                  fakeweb::Page::Bytes(PageBytes(QStringLiteral("google_results.htm"))));
        web.Serve(QStringLiteral("index.baidu.com"), QStringLiteral("/main/word.php"),
                  fakeweb::Page::Bytes(PageBytes(QStringLiteral("index_word.htm"))));
        web.Serve(QStringLiteral("history.tarnwick.com"), QStringLiteral("/history"),
                  QStringLiteral("<div>所有数据：7,8,9<br>最新数据：[2026-12-09]9]</div>"),
                  QStringLiteral("gbk"));
    }
    ~ResearchWindowTest() override {
        UnloadWorkWindow(WorkWindowKind::Tools);
        UnloadWorkWindow(WorkWindowKind::Database);
        window.reset();
        InstallComparisonTool(nullptr);
    }

    void ServeResults(milliseconds delay) {
        web.Serve(
            QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
            fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))).After(delay));
    }
    research::ResearchPanes& Open() {
        window = std::make_unique<关键词工具>(fields);
        window->resize(1200, 700);
        window->Form_Load();
        window->show();
        return window->Research();
    }
    template <typename Control = platform::CommandButton>
    Control* Find(QWidget* in, const char* name) {
        auto* control = in->findChild<Control*>(QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    ToolsWindowFields fields;
    std::unique_ptr<关键词工具> window;
    research_testing::UserAction user;
};

const QString kDone = QStringLiteral("|120|1230000|3|4|4|1.9");

TEST_F(ResearchWindowTest, ThePagesSitInTheirPanesLaidOutWithTheWindow) {
    research::ResearchPanes& panes = Open();
    for (const char* name : {"Text3", "Command6", "Command40", "Command41"})
        EXPECT_EQ(Find<QWidget>(window.get(), name)->parentWidget(), window->pic1) << name;
    for (const char* name :
         {"Text8", "Command31", "Command4", "Command24", "Command25", "Command28"})
        EXPECT_EQ(Find<QWidget>(window.get(), name)->parentWidget(), window->pic6) << name;
    EXPECT_EQ(Find<QWidget>(window.get(), "Frame8")->parentWidget(), window->Pic5);
    EXPECT_EQ(Find<platform::ListView>(window->pic1, "ListView2")->ColumnText(1),
              QStringLiteral("日期"));

    // The load fills the category tree: eight categories, then their 47 pages.
    platform::TreeView* tree = Find<platform::TreeView>(window->Pic5, "TreeView2");
    ASSERT_EQ(tree->NodeCount(), 55);
    EXPECT_EQ(tree->NodeText(1), QStringLiteral("综合热门"));
    EXPECT_EQ(tree->NodeText(9), QStringLiteral("今日上升最快"));
    EXPECT_EQ(tree->NodeText(55), QStringLiteral("休闲游戏"));
    EXPECT_EQ(panes.HotKeywords.Frame7->title(), QStringLiteral("热门关键词列表"));

    // Lengths in twips, each within the pixel it is rounded to.
    using namespace tools_layout;
    window->resize(1400, 800);
    const int pixel = platform::kTwipsPerPixel;
    EXPECT_NEAR(Width(panes.IndexQuery.ListView3), Width(window->pic1) - 500, pixel);
    EXPECT_NEAR(Width(panes.Comparison.ListView18), Width(window->pic6) - 700, pixel);
    EXPECT_NEAR(Top(panes.Comparison.Command4), Height(panes.Comparison.ListView18) + 1600, pixel);
    EXPECT_NEAR(Width(panes.HotKeywords.Frame7), Width(window->Pic5) - 3900, pixel);
    EXPECT_NEAR(Top(panes.HotKeywords.Command34), Height(panes.HotKeywords.ListView4) + 420, pixel);
}

TEST_F(ResearchWindowTest, TheHotListRunsFromTheTreeAndExportsItsReport) {
    research::ResearchPanes& panes = Open();
    platform::TreeView* tree = panes.HotKeywords.TreeView2;
    tree->ClickNode(9 + research::FindHotSubcategory(QStringLiteral("电影")));
    EXPECT_EQ(panes.HotKeywords.Frame7->title(), QStringLiteral("关键词列表（娱乐\\电影）"));
    panes.HotKeywords.Check5->SetValue(1);
    panes.HotKeywords.Command29->click();

    const platform::RowTable& list = panes.HotKeywords.ListView4->Rows();
    ASSERT_EQ(list.Count(), 8);
    EXPECT_EQ(Rows(list, 6).first(),
              QStringLiteral("阿凡达|562,358|18,221,465|93,219|120|1,230,000|0.97"));
    EXPECT_EQ(panes.HotKeywords.Command29->Caption(), QStringLiteral("开始查询"));
    EXPECT_FALSE(window->JobRunning());

    prompts.Type(QStringLiteral("hot")).Type(folder.Path()).Answer(platform::Answer::No);
    panes.HotKeywords.Command43->click();
    QFile report(folder.FilePath(QStringLiteral("hot.txt")));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString text = platform::BytesToText(report.readAll(), QStringLiteral("gb2312"));
    EXPECT_TRUE(text.contains(QStringLiteral("当天搜索量"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("非诚勿扰2"))) << text.toStdString();
}

TEST_F(ResearchWindowTest, TheIndexQueryHoldsItsButtonsWhileItRunsAndEndsInTheDetailView) {
    research::ResearchPanes& panes = Open();
    research::IndexQueryPane& page = panes.IndexQuery;
    page.Text3->SetText(QStringLiteral("减肥茶"));
    bool heldMeanwhile = false;
    user.When([&page] { return page.ListView3->Count() == 1; },
              [this, &page, &heldMeanwhile] {
                  heldMeanwhile = !page.Command6->isEnabled() && !page.Command41->isEnabled() &&
                                  window->JobRunning();
              });
    page.Command6->click();

    EXPECT_TRUE(heldMeanwhile);
    EXPECT_TRUE(page.Command6->isEnabled());
    EXPECT_EQ(Rows(page.ListView3->Rows(), 9),
              QStringList{"减肥茶|120|35|1230000|1,230,000|0.97|0.97|12,345|9,876|7,654"});
    EXPECT_EQ(page.ListView3->SelectedIndex(), 1);
    EXPECT_EQ(window->ListView2->Count(), 3);
    EXPECT_EQ(Rows(page.ListView6->Rows(), 2).first(), QStringLiteral("19岁及以下|24|20%"));

    page.Command40->click();
    EXPECT_EQ(page.Command40->Caption(), QStringLiteral("全不选"));
    page.Command41->click();
    EXPECT_EQ(page.ListView3->Count(), 0);
}

TEST_F(ResearchWindowTest, TheComparisonPausesFromItsButtonAndHoldsItsListCommands) {
    research::ComparisonPane& page = Open().Comparison;
    ServeResults(milliseconds(50));
    page.Text8->SetText(QStringLiteral("a#b#c"));
    QString meanwhile;
    user.When([&page] { return !page.ListView18->Rows().Cell(1, 1).isEmpty(); },
              [this, &page, &meanwhile] {
                  meanwhile = QStringLiteral("%1 %2 %3")
                                  .arg(page.Command4->isEnabled())
                                  .arg(window->JobRunning())
                                  .arg(BusyIndicator::Text());
                  page.Command31->click();
              });
    page.Command31->click();

    EXPECT_EQ(meanwhile, QStringLiteral("0 1 进行中..."));
    EXPECT_EQ(Rows(page.ListView18->Rows(), 6), QStringList({"*a" + kDone, "b||||||", "c||||||"}));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
    EXPECT_TRUE(page.Command4->isEnabled());
    EXPECT_FALSE(window->JobRunning());

    ServeResults(milliseconds(0));
    page.Command31->click();
    EXPECT_EQ(Rows(page.ListView18->Rows(), 0), QStringList({"*a", "*b", "*c"}));
    page.Command4->click();
    EXPECT_EQ(page.ListView18->Count(), 0);
}

TEST_F(ResearchWindowTest, TheDatabaseWindowsHandOffOpensTheComparisonPageAndRunsIt) {
    RegisterWorkWindow(WorkWindowKind::Tools, [this] { return new 关键词工具(fields); });
    research::ToolsWindowComparison entry;
    InstallComparisonTool(&entry);
    ASSERT_TRUE(SharedConnection().Open(folder.FilePath(QStringLiteral("db.db"))));
    for (const char* keyword : {"减肥茶", "瘦身", "seo"})
        ASSERT_TRUE(SharedConnection().Execute(
            QStringLiteral("insert into keywords (keys,parentkeys,monthrank,dayrank,baidunum,"
                           "adddate) values (?,'p','1','1','1','2026-12-01')"),
            {QString::fromUtf8(keyword)}));
    DatabaseWindowMemory memory;
    RegisterWorkWindow(WorkWindowKind::Database, [&memory] { return new 关键词数据库(memory); });
    auto* database = dynamic_cast<关键词数据库*>(ShowWorkWindow(WorkWindowKind::Database));
    ASSERT_NE(database, nullptr);
    platform::RowTable& keywords = database->ListView16->Rows();
    for (int i = 1; i <= keywords.Count(); ++i)
        keywords.SetChecked(i, keywords.Text(i) != QStringLiteral("瘦身"));
    database->Command13->click();

    auto* tools = dynamic_cast<关键词工具*>(LoadedWorkWindow(WorkWindowKind::Tools));
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Database), database) << "left open behind it";
    EXPECT_EQ(tools->tab1->Tab(), 3);
    EXPECT_EQ(tools->lbltitle->Caption(), QStringLiteral("功能介绍-关键词对比分析"));
    research::ComparisonPane& page = tools->Research().Comparison;
    EXPECT_EQ(page.Text8->Text(), QStringLiteral("减肥茶#seo"));
    EXPECT_EQ(Rows(page.ListView18->Rows(), 6), QStringList({"*减肥茶" + kDone, "*seo" + kDone}));
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);

    // The mining window hands its ticked rows the same way.
    platform::RowTable mined;
    mined.Add(QStringLiteral("瘦身")).SetChecked(true);
    CompareInToolsWindow(mined);
    EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Tools), tools) << "the loaded window serves again";
    EXPECT_EQ(Rows(page.ListView18->Rows(), 0), QStringList({"*瘦身"}));
}

}  // namespace
