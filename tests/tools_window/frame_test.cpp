#include <QSettings>

#include "platform/settings_hive.h"

#include "shared/shared_connection.h"
#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;

// The names of every value stored in the current user's settings.
QStringList StoredSettings() {
    QSettings hive(qEnvironmentVariable(platform::kSettingsFolderVariable) +
                       QStringLiteral("/current_user.ini"),
                   QSettings::IniFormat);
    QStringList names;
    for (const QString& key : hive.allKeys())
        if (!key.endsWith(QStringLiteral("(key)"))) names << key.section(u'/', -1);
    names.sort();
    return names;
}

TEST_F(ToolsWindowTest, TheFirstLoadBuildsTheTreeShowsTheIndexPageAndWritesTheThreeDefaults) {
    关键词工具& w = Open();

    EXPECT_TRUE(SharedConnection().IsOpen());
    EXPECT_FALSE(fields.ToolsDbMissing);
    EXPECT_TRUE(SharedConnection().HasTable(QStringLiteral("prs")));
    QStringList nodes;
    for (int i = 1; i <= w.TreeView1->NodeCount(); ++i)
        nodes << w.TreeView1->NodeKey(i) + u':' + w.TreeView1->NodeText(i);
    EXPECT_EQ(nodes, QStringList({"link1:百度关键词指数查询", "link2:关键词竞争度分析",
                                  "link3:关键词排名查询", "link5:关键词对比分析",
                                  "link4:百度热门关键词"}));
    EXPECT_EQ(w.tab1->Tab(), 0);
    EXPECT_EQ(w.tab2->Tab(), 0);
    EXPECT_FALSE(w.pic1->isHidden());
    for (QWidget* pane : {w.pic3, w.pic4, w.pic6, w.Pic5}) EXPECT_TRUE(pane->isHidden());
    EXPECT_FALSE(w.tips[0]->isHidden());
    EXPECT_EQ(w.tips[0]->pos(), QPoint(0, 0));
    EXPECT_EQ(w.lbltitle->Caption(), QStringLiteral("功能介绍-关键词指数查询"));
    EXPECT_EQ(w.TreeView1->topLevelItem(0)->foreground(0).color(), QColor(Qt::white));

    EXPECT_EQ(Setting(QStringLiteral("setting4")), QStringLiteral("baidu$google.cn|0|1|0|0"));
    EXPECT_EQ(Setting(QStringLiteral("ldsites")), QStringLiteral("baidu.com$qq.com$gov.cn"));
    EXPECT_TRUE(Setting(QStringLiteral("settingurl")).isEmpty());
    EXPECT_EQ(StoredSettings(), QStringList({"ldsites", "setting4", "settingurl"}))
        << "nothing else is written during the load";
    EXPECT_TRUE(fields.ToolsLoaded);
    EXPECT_EQ(Texts(w.ListView5->Rows()), QStringList({"baidu.com", "qq.com", "gov.cn"}));
    EXPECT_EQ(w.Combo16->count(), 4);
    EXPECT_EQ(w.Combo16->Text(), QStringLiteral("1"));
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(ToolsWindowTest, TheNodesOpenTheirPagesTitlesAndIntroductions) {
    关键词工具& w = Open();
    const struct {
        int node;
        QWidget* pane;
        int tip;
        const char* title;
    } cases[] = {
        {4, w.pic6, 3, "功能介绍-关键词对比分析"},   {5, w.Pic5, 4, "功能介绍-百度热门关键词"},
        {2, w.pic3, 1, "功能介绍-关键词竞争度分析"}, {3, w.pic4, 2, "功能介绍-关键词排名查询"},
        {1, w.pic1, 0, "功能介绍-关键词指数查询"},
    };
    for (const auto& c : cases) {
        w.TreeView1->ClickNode(c.node);
        EXPECT_FALSE(c.pane->isHidden()) << c.node;
        for (QWidget* pane : w.SideBarPanes())
            if (pane != c.pane) {
                EXPECT_TRUE(pane->isHidden()) << c.node;
            }
        for (int tip = 0; tip < 5; ++tip) EXPECT_EQ(w.tips[tip]->isHidden(), tip != c.tip);
        EXPECT_EQ(w.lbltitle->Caption(), QString::fromUtf8(c.title));
        int marked = 0;
        for (int i = 1; i <= 5; ++i) {
            const QTreeWidgetItem* node = w.TreeView1->topLevelItem(i - 1);
            const bool current = node->background(0).color() != QColor(Qt::white);
            marked += current;
            EXPECT_EQ(current, i == c.node);
            EXPECT_EQ(node->foreground(0).color(), QColor(Qt::black));
        }
        EXPECT_EQ(marked, 1);
    }
}

TEST_F(ToolsWindowTest, WithoutTheDatabaseTheLoadWarnsAndTheRankPageRefusesItsVisit) {
    QFile::remove(folder.FilePath(QStringLiteral("db.db")));
    关键词工具& w = Open();

    EXPECT_TRUE(fields.ToolsDbMissing);
    EXPECT_EQ(prompts.Texts(), QStringList{"缺失数据库文件，请下载后解压并复制到软件安装目录！"});
    EXPECT_EQ(shell.opened.size(), 1);
    EXPECT_FALSE(QFile::exists(folder.FilePath(QStringLiteral("db.db"))));

    w.TreeView1->ClickNode(3);
    EXPECT_FALSE(w.pic4->isHidden());
    EXPECT_EQ(w.lbltitle->Caption(), QStringLiteral("功能介绍-关键词排名查询"));
    EXPECT_EQ(prompts.LastText(), QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！"));
    const QColor highlight = w.palette().color(QPalette::Highlight);
    EXPECT_EQ(w.TreeView1->topLevelItem(0)->background(0).color(), highlight)
        << "the colours stay as they were";
    EXPECT_NE(w.TreeView1->topLevelItem(2)->background(0).color(), highlight);

    Click("Command21");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！"));
    w.TreeView1->ClickNode(4);
    EXPECT_FALSE(w.pic6->isHidden());
}

TEST_F(ToolsWindowTest, TheWindowStateOutlivesAnUnloadAndTheLoadRunsAgain) {
    Open();
    ASSERT_TRUE(SharedConnection().IsOpen());
    const QString opened = SharedConnection().ConnectionString();
    window->TreeView1->ClickNode(3);
    Close();
    EXPECT_TRUE(fields.ToolsLoaded) << "from the end of one load to the next";

    关键词工具& w = Open();
    EXPECT_EQ(SharedConnection().ConnectionString(), opened);
    EXPECT_TRUE(SharedConnection().IsOpen());
    EXPECT_EQ(w.tab1->Tab(), 0) << "every load starts on the index query page";
    EXPECT_EQ(w.TreeView1->NodeCount(), 5);
}

TEST_F(ToolsWindowTest, TheLayoutFollowsTheWindowAndSkipsWhatASmallWindowCannotTake) {
    关键词工具& w = Open();
    using namespace platform;
    w.show();
    w.resize(TwipsToPixels(18000), TwipsToPixels(10500));
    const int inner = PixelsToTwips(w.width());
    EXPECT_EQ(PixelsToTwips(w.PicLEFT->height()), PixelsToTwips(w.height()) + 195);
    EXPECT_NEAR(PixelsToTwips(w.pic4->width()), inner - 2820 + 100, 15);
    EXPECT_NEAR(PixelsToTwips(w.tab1->width()), inner + 200, 15);
    // The history frame ends short of the window's right edge, which the page passes.
    EXPECT_NEAR(PixelsToTwips(w.Frame5->width()), PixelsToTwips(w.pic4->width()) - 6900, 15);
    EXPECT_NEAR(PixelsToTwips(w.ListView14->height()), PixelsToTwips(w.Frame5->height()) - 1800,
                15);
    EXPECT_NEAR(PixelsToTwips(w.Command9->y()), PixelsToTwips(w.ListView14->height()) + 1300, 15);
    EXPECT_NEAR(PixelsToTwips(w.Frame1->width()), PixelsToTwips(w.pic3->width()) - 4000, 15);

    const int wideFrame = w.Frame5->width();
    w.resize(TwipsToPixels(9000), TwipsToPixels(10500));
    EXPECT_EQ(w.Frame5->width(), wideFrame) << "a negative width is skipped";
    EXPECT_NEAR(PixelsToTwips(w.Frame14->height()), PixelsToTwips(w.pic4->height()) - 6100, 15)
        << "the other steps still run";
}

TEST_F(ToolsWindowTest, TheWindowCountsEmptyHistoryPagesAndReportsTheKeywordAsParent) {
    关键词工具& w = Open();
    EXPECT_EQ(w.MetricsState().IndexFailCount, std::optional<qint16>(0));
    EXPECT_EQ(w.ReportParent(metrics::ReportSource::History, QStringLiteral("减肥")),
              QStringLiteral("减肥"));
    w.ShowHistory({QStringLiteral("10"), QStringLiteral("20")});
    EXPECT_EQ(Texts(w.ListView2->Rows(), 2), QStringList({"2026-12-09|20", "2026-12-08|10"}));
}

}  // namespace
