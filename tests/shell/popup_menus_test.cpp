#include "shell/popup_menus.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMenuBar>

#include "menu_windows.h"
#include "platform/list_view.h"
#include "shared/busy_indicator.h"
#include "shell/main_window.h"
#include "shell/work_window.h"
#include "shell/work_windows.h"
#include "shell_fixture.h"
#include "support/test_environment.h"

namespace {

using shell_testing::DatabaseWindow;
using shell_testing::MiningWindow;

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

class PopupMenusTest : public testing_support::TestEnvironment {
  protected:
    PopupMenusTest()
        : TestEnvironment(testing_support::Database::Missing, testing_support::Desktop::Used) {
        RegisterWorkWindow(WorkWindowKind::Mining, [] { return new MiningWindow; });
        RegisterWorkWindow(WorkWindowKind::Database, [] { return new DatabaseWindow; });
        BusyIndicator::Set(BusyIndicator::kReady);
    }
    ~PopupMenusTest() override {
        UnloadWorkWindow(WorkWindowKind::Mining);
        UnloadWorkWindow(WorkWindowKind::Database);
    }
    MiningWindow& Mining() {
        return *dynamic_cast<MiningWindow*>(LoadWorkWindow(WorkWindowKind::Mining));
    }
    DatabaseWindow& Database() {
        return *dynamic_cast<DatabaseWindow*>(LoadWorkWindow(WorkWindowKind::Database));
    }
    // A mining result row, selected, also in the master copy.
    void AddSelectedRow(const QString& keyword) {
        Mining().ListView17.Add(keyword);
        Mining().ListView1.SetSelectedIndex(Mining().ListView1.Add(keyword).Index());
    }

    QWidget mainWindow;
    WorkWindowMenus menus{&mainWindow};
};

TEST_F(PopupMenusTest, MenusCarryTheirItemsInOrder) {
    EXPECT_EQ(TheWorkWindowMenus(), &menus);
    EXPECT_EQ(menus.m_xggjc->title(), QStringLiteral("相关关键词"));
    EXPECT_EQ(
        Captions(menus.m_xggjc),
        QStringList({QStringLiteral("重查当前项"), QStringLiteral("-"),
                     QStringLiteral("查看该关键词的百度指数"),
                     QStringLiteral("查看该关键词的百度收录"),
                     QStringLiteral("查看该关键词的谷歌收录"), QStringLiteral("-"),
                     QStringLiteral("加入当前项至关键词数据库"), QStringLiteral("删除当前项")}));
    for (const QMenu* menu : {menus.m_daochu1, menus.m_daochu2, menus.m_daochu3}) {
        EXPECT_EQ(menu->title(), QStringLiteral("导出"));
        EXPECT_EQ(Captions(menu),
                  QStringList({QStringLiteral("导出为Excel"), QStringLiteral("导出为Html"),
                               QStringLiteral("导出为Txt")}));
    }
}

TEST_F(PopupMenusTest, PageItemsOpenTheSelectedKeywordsPagesEncoded) {
    AddSelectedRow(QStringLiteral("减 肥&"));
    menus.m_chaindex->trigger();
    menus.m_chabaidu->trigger();
    menus.m_chagoogle->trigger();
    EXPECT_EQ(
        shell.opened,
        QStringList({QStringLiteral("http://index.baidu.com/main/word.php?word=%BC%F5%20%B7%CA%26"),
                     QStringLiteral("http://www.baidu.com/s?wd=%BC%F5%20%B7%CA%26"),
                     QStringLiteral("http://www.google.com.hk/search?hl=zh-CN&source=hp&q="
                                    "%E5%87%8F%20%E8%82%A5%26")}));
}

TEST_F(PopupMenusTest, RowItemsActOnTheSelectedRowOfTheMiningWindow) {
    AddSelectedRow(QStringLiteral("a"));
    AddSelectedRow(QStringLiteral("b"));
    menus.m_chanum->trigger();
    menus.m_adddb->trigger();
    EXPECT_EQ(Mining().requeried, QStringList{QStringLiteral("b")});
    EXPECT_EQ(Mining().added, QStringList{QStringLiteral("b")});

    menus.m_delete->trigger();
    ASSERT_EQ(Mining().ListView1.Count(), 1);
    EXPECT_EQ(Mining().ListView1.Item(1).Text(), QStringLiteral("a"));
    EXPECT_EQ(Mining().ListView17.Count(), 2) << "the master copy keeps the row";
}

TEST_F(PopupMenusTest, WithoutASelectedRowOrALoadedWindowTheItemsDoNothing) {
    for (QAction* item : {menus.m_chanum, menus.m_chaindex, menus.m_adddb, menus.m_delete,
                          menus.m_txt1, menus.m_txt3})
        item->trigger();  // no window loaded
    Mining().ListView1.Add(QStringLiteral("a"));
    for (QAction* item : {menus.m_chaindex, menus.m_chabaidu, menus.m_chagoogle, menus.m_delete})
        item->trigger();  // nothing selected
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(Mining().ListView1.Count(), 1);
}

TEST_F(PopupMenusTest, EveryExportItemReachesTheExporterWithItsList) {
    Mining();
    Database();
    const QList<QAction*> items = {menus.m_excel1, menus.m_html1, menus.m_txt1,
                                   menus.m_excel2, menus.m_html2, menus.m_txt2,
                                   menus.m_excel3, menus.m_html3, menus.m_txt3};
    for (QAction* item : items) item->trigger();
    EXPECT_EQ(prompts.Texts(), QStringList(items.size(), QStringLiteral("没有数据需要导出！")));
}

TEST_F(PopupMenusTest, ExportsWriteTheListsReports) {
    AddSelectedRow(QStringLiteral("减肥茶"));
    Database().ListView16.Add(QStringLiteral("瘦身"));
    prompts.Type(QStringLiteral("mining")).Type(folder.Path()).Answer(platform::Answer::Cancel);
    menus.m_html1->trigger();
    prompts.Type(QStringLiteral("database")).Type(folder.Path()).Answer(platform::Answer::Cancel);
    menus.m_txt3->trigger();

    QFile mining(folder.FilePath(QStringLiteral("mining.htm")));
    ASSERT_TRUE(mining.open(QIODevice::ReadOnly));
    EXPECT_TRUE(mining.readAll().contains("<html")) << "an HTML report of the mining list";
    EXPECT_TRUE(QFile::exists(folder.FilePath(QStringLiteral("database.txt"))));
    EXPECT_TRUE(prompts.Exhausted());
}

using MainWindowMenusTest = shell_testing::ShellTest;

TEST_F(MainWindowMenusTest, TheMainWindowOwnsTheMenusTheWorkWindowsShow) {
    MDIfrm window;
    ASSERT_TRUE(window.PopupMenus);
    EXPECT_EQ(TheWorkWindowMenus(), window.PopupMenus.get());
    EXPECT_EQ(window.PopupMenus->m_xggjc->parent(), &window);
    EXPECT_FALSE(window.menuBar()->actions().contains(window.PopupMenus->m_xggjc->menuAction()));
}

}  // namespace
