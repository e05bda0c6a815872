#include "mining_window/mining_window.h"

#include <QFile>

#include "mining_window_fixture.h"
#include "platform/program_folder.h"
#include "platform/twips.h"
#include "support/other_program.h"

namespace {

using mining_testing::MiningWindowTest;
using mining_testing::Texts;

class MiningWindow : public MiningWindowTest {
  protected:
    static int Twips(int pixels) { return platform::PixelsToTwips(pixels); }
    static int Px(int twips) { return platform::TwipsToPixels(twips); }
    // The pane of `tab1` that shows, from 0; -1 when none does.
    int ShownPane() const {
        const QList<QWidget*> panes = window->SideBarPanes();
        for (int i = 0; i < panes.size(); ++i)
            if (!panes[i]->isHidden()) return i;
        return -1;
    }
    int ShownTip() const {
        const QWidget* tips[] = {window->tip1, window->tip2, window->tip3};
        for (int i = 0; i < 3; ++i)
            if (!tips[i]->isHidden()) return i;
        return -1;
    }
};

TEST_F(MiningWindow, LoadWithoutDatabaseWarnsOnceAndKeepsItsDesignTexts) {
    ForgetSharedConnection();
    QFile::remove(DatabasePath());
    关键词挖掘& w = Opened();

    EXPECT_TRUE(w.DbMissing());
    EXPECT_EQ(prompts.Texts(),
              QStringList{QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！")});
    EXPECT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(w.txtbaiduse->Text(), QStringLiteral("3"));
    EXPECT_EQ(w.txtsetse->Text(), QStringLiteral("1"));
    EXPECT_EQ(w.txtkw->Text(), QStringLiteral("1"));
    EXPECT_EQ(w.Text2->Text(), QString());
    EXPECT_EQ(w.Text3->Text(), platform::ProgramFolder());

    // The flag outlives the window; typing stores nothing and tells nothing more.
    w.Text2->SetText(QStringLiteral("seo"));
    w.TreeView1_NodeClick(2);
    EXPECT_EQ(w.ListView8->Count(), 0);
    Unload();
    EXPECT_TRUE(fields.MiningDbMissing);
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

TEST_F(MiningWindow, FirstLoadWritesTheDefaultsAndShowsTheRegularPane) {
    关键词挖掘& w = Opened();

    EXPECT_EQ(Setting(QStringLiteral("setting1")), QStringLiteral("0|0|0|0|0"));
    EXPECT_EQ(Setting(QStringLiteral("setting2")), QStringLiteral("100|1|0|0|0|0|0|0"));
    EXPECT_EQ(Setting(QStringLiteral("setting3")), QStringLiteral("0|0|0|0|0"));
    for (platform::CheckBox* box :
         {w.Check6, w.Check2, w.Check7, w.Check8, w.Check11, w.is_shutdown, w.Check1, w.Check9,
          w.Check5, w.Check4, w.Check3, w.Check16, w.Check12, w.Check15, w.Check14, w.Check13})
        EXPECT_EQ(box->Value(), 0) << box->objectName().toStdString();
    EXPECT_EQ(w.kwmax->Text(), QStringLiteral("100"));
    EXPECT_EQ(w.Combo1->Text(), QStringLiteral("Txt"));
    // The load's own filling stores nothing in kwsetting; the folder is not stored yet.
    EXPECT_EQ(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k1")), QStringList());
    EXPECT_EQ(w.Text3->Text(), platform::ProgramFolder());

    EXPECT_EQ(ShownPane(), 0);
    EXPECT_EQ(ShownTip(), 0);
    EXPECT_EQ(w.lbltitle->Caption(), QStringLiteral("功能介绍-常规挖掘"));
    ASSERT_EQ(w.TreeView1->NodeCount(), 3);
    EXPECT_EQ(
        (QStringList{w.TreeView1->NodeKey(1), w.TreeView1->NodeKey(2), w.TreeView1->NodeKey(3)}),
        (QStringList{QStringLiteral("link1"), QStringLiteral("link2"), QStringLiteral("link4")}));
    EXPECT_EQ(w.TreeView1->NodeText(3), QStringLiteral("手工挖掘"));
    EXPECT_EQ(w.TreeView1->topLevelItem(0)->foreground(0).color(), QColor(Qt::white));
    for (platform::ComboBox* list : {w.Combo4, w.Combo15}) {
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->Text(), QStringLiteral("包含"));
    }
    for (platform::ComboBox* list :
         {w.Combo5, w.Combo6, w.Combo7, w.Combo9, w.Combo16, w.Combo17, w.Combo18, w.Combo19}) {
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->Text(), QStringLiteral(">"));
    }
    EXPECT_EQ(w.ListView1->ColumnText(5), QStringLiteral("百度优化指数"));
    EXPECT_EQ(w.ListView17.ColumnCount(), 5);
    EXPECT_EQ(w.ListView2->ColumnText(5), QStringLiteral("谷歌收录数"));
    EXPECT_EQ(w.ListView8->ColumnText(1), QStringLiteral("关键词"));
    EXPECT_TRUE(w.WebBrowser1->isHidden());
    EXPECT_TRUE(w.txtkw->isHidden());
}

TEST_F(MiningWindow, LoadRestoresOptionsAndTextsAndWritesNothingBack) {
    StoreSetting(QStringLiteral("setting1"), QStringLiteral("1|0|1|x|1"));
    // The number box's own "|" stays with it.
    StoreSetting(QStringLiteral("setting2"), QStringLiteral("1|5|0|1|1|0|1|0|1"));
    StoreSetting(QStringLiteral("setting3"), QStringLiteral("0|1"));
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into kwsetting (k1,k11,k12,k21,k22,k31,k32) values "
                       "(?,?,?,?,?,?,?)"),
        {QStringLiteral("  Seo 优化 "), QStringLiteral("a#b"), QVariant(), QStringLiteral("   "),
         QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")}));
    关键词挖掘& w = Opened();

    // Regular: field 4 is no number and leaves Check8 in its design state (ticked).
    EXPECT_EQ((QList<int>{w.Check6->Value(), w.Check2->Value(), w.Check7->Value(),
                          w.Check8->Value(), w.Check11->Value()}),
              (QList<int>{1, 0, 1, 1, 1}));
    EXPECT_EQ(w.kwmax->Text(), QStringLiteral("1|5"));
    EXPECT_EQ(w.Combo1->ListIndex(), 0);
    EXPECT_EQ((QList<int>{w.is_shutdown->Value(), w.Check1->Value(), w.Check9->Value(),
                          w.Check5->Value(), w.Check4->Value(), w.Check3->Value()}),
              (QList<int>{1, 1, 0, 1, 0, 1}));
    // Manual: two fields; the others keep the design state.
    EXPECT_EQ((QList<int>{w.Check16->Value(), w.Check12->Value(), w.Check15->Value(),
                          w.Check14->Value(), w.Check13->Value()}),
              (QList<int>{0, 1, 1, 1, 0}));
    EXPECT_EQ(w.Text2->Text(), QStringLiteral("Seo 优化"));
    EXPECT_EQ(w.Text14->Text(), QStringLiteral("a#b"));
    EXPECT_EQ(w.Text4->Text(), QString());
    EXPECT_EQ(w.Text3->Text(), platform::ProgramFolder());
    EXPECT_EQ(w.Text15->Text(), QStringLiteral("e"));

    EXPECT_EQ(Setting(QStringLiteral("setting1")), QStringLiteral("1|0|1|x|1"));
    EXPECT_EQ(Setting(QStringLiteral("setting3")), QStringLiteral("0|1"));
    EXPECT_EQ(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k1,k21")),
              QStringList{QStringLiteral("  Seo 优化 |   ")});
}

TEST_F(MiningWindow, ChangesAfterTheLoadStoreTheWholePaneAndAllSevenTextsInFull) {
    关键词挖掘& w = Opened();
    w.Check7->SetValue(1);
    EXPECT_EQ(Setting(QStringLiteral("setting1")), QStringLiteral("0|0|1|0|0"));
    w.kwmax->SetText(QStringLiteral("abc"));
    w.Combo1->SetListIndex(0);
    w.Check3->SetValue(1);
    EXPECT_EQ(Setting(QStringLiteral("setting2")), QStringLiteral("abc|0|0|0|0|0|0|1"));
    w.Check13->SetValue(1);
    EXPECT_EQ(Setting(QStringLiteral("setting3")), QStringLiteral("0|0|0|0|1"));

    // Quotes, a "#" and a text longer than its column are stored as typed, untrimmed.
    const QString longWords = QString(300, QChar(u'词'));
    w.Text14->SetText(QStringLiteral("it's \"a\"#<b>&"));
    w.Text8->SetText(longWords);
    w.Text2->SetText(QStringLiteral(" seo "));
    EXPECT_EQ(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k1,k11,k12,k21,k22,k31,k32")),
              QStringList{QStringLiteral(" seo |it's \"a\"#<b>&||") + platform::ProgramFolder() +
                          QStringLiteral("|") + longWords + QStringLiteral("||")});
    EXPECT_TRUE(prompts.prompts().empty());

    // A reload shows them again.
    Unload();
    关键词挖掘& again = Opened();
    EXPECT_EQ(again.Text14->Text(), QStringLiteral("it's \"a\"#<b>&"));
    EXPECT_EQ(again.Text8->Text(), longWords);
    EXPECT_EQ(again.Check7->Value(), 1);
    EXPECT_EQ(again.kwmax->Text(), QStringLiteral("abc"));
}

TEST_F(MiningWindow, AFailedSaveOfTheTextsIsToldOncePerOpening) {
    关键词挖掘& w = Opened();
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table kwsetting")));
    w.Text2->SetText(QStringLiteral("s"));
    w.Text2->SetText(QStringLiteral("se"));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.Texts()[0].startsWith(QStringLiteral("挖掘设置未能保存到数据库")));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Exclamation);
}

// Another program's lock never holds typing up: each keystroke's save gives up at once, the
// next change after the lock saves the texts as they stand, and nothing is told meanwhile.
TEST_F(MiningWindow, TypingUnderAnotherProgramsLockNeitherWaitsNorLosesTheTexts) {
    关键词挖掘& w = Opened();
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        for (const char* typed : {"减", "减肥", "减肥茶"})
            w.Text2->SetText(QString::fromUtf8(typed));
        EXPECT_EQ(SharedConnection().LockWaits(), waits);
        EXPECT_TRUE(prompts.prompts().empty());
    }
    w.Text14->SetText(QStringLiteral("广告"));
    EXPECT_EQ(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k1,k11")),
              QStringList{QStringLiteral("减肥茶|广告")});
    EXPECT_TRUE(prompts.prompts().empty());
}

// Texts a lock kept from the database until the window goes are told lost, once.
TEST_F(MiningWindow, TextsALockKeptFromTheDatabaseUntilTheWindowGoesAreToldOnce) {
    关键词挖掘& w = Opened();
    testing_support::OtherProgramSession other(DatabasePath(), {QStringLiteral("begin exclusive")});
    ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
    w.Text2->SetText(QStringLiteral("减肥"));
    w.hide();
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("挖掘设置未能保存到数据库，本次修改的关键词和路径将不会被记住："
                             "数据库文件正被其他程序占用"));
}

// Texts a lock kept from the database are saved when the window goes, once the other program
// has let go, though nothing was typed after the lock: the next opening shows them.
TEST_F(MiningWindow, TextsALockKeptFromTheDatabaseAreSavedWhenTheWindowGoes) {
    关键词挖掘& w = Opened();
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        w.Text2->SetText(QStringLiteral("减肥"));
        w.Text14->SetText(QStringLiteral("广告"));
    }
    ASSERT_TRUE(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k1")).isEmpty())
        << "saved under the lock";

    Unload();

    EXPECT_EQ(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k1,k11")),
              QStringList{QStringLiteral("减肥|广告")});
    EXPECT_TRUE(prompts.prompts().empty());
    关键词挖掘& again = Opened();
    EXPECT_EQ(again.Text2->Text(), QStringLiteral("减肥"));
    EXPECT_EQ(again.Text14->Text(), QStringLiteral("广告"));
}

TEST_F(MiningWindow, TheModeTreeSwitchesPanesTitlesAndTipsAndReloadsTheBatchList) {
    for (const char* keyword : {" alpha ", "beta"})
        ASSERT_TRUE(SharedConnection().Execute(
            QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
            {QString::fromUtf8(keyword)}));
    关键词挖掘& w = Opened();
    EXPECT_EQ(w.ListView8->Count(), 0);

    w.TreeView1->ClickNode(2);
    EXPECT_EQ(ShownPane(), 1);
    EXPECT_EQ(ShownTip(), 1);
    EXPECT_EQ(w.lbltitle->Caption(), QStringLiteral("功能介绍-批量挖掘"));
    EXPECT_EQ(Texts(w.ListView8->Rows()), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(w.TreeView1->topLevelItem(1)->background(0).color(),
              w.palette().color(QPalette::Highlight));
    EXPECT_EQ(w.TreeView1->topLevelItem(0)->background(0).color(), QColor(Qt::white));

    // A second click reloads: the checks are gone.
    w.ListView8->Rows().SetChecked(1, true);
    w.TreeView1->ClickNode(2);
    EXPECT_FALSE(w.ListView8->Rows().AnyChecked());

    w.TreeView1->ClickNode(3);
    EXPECT_EQ(ShownPane(), 2);
    EXPECT_EQ(ShownTip(), 2);
    EXPECT_EQ(w.lbltitle->Caption(), QStringLiteral("功能介绍-手工挖掘"));

    // The focus paints the current node's text black, its loss white.
    w.TreeView1_SelectedNodeBlack();
    EXPECT_EQ(w.TreeView1->currentItem()->foreground(0).color(), QColor(Qt::black));
    w.TreeView1_SelectedNodeWhite();
    EXPECT_EQ(w.TreeView1->currentItem()->foreground(0).color(), QColor(Qt::white));

    // Without a readable table the list stays empty.
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table kwlist")));
    w.TreeView1->ClickNode(2);
    EXPECT_EQ(w.ListView8->Count(), 0);
    EXPECT_EQ(ShownPane(), 1);
}

TEST_F(MiningWindow, ResizeLaysOutTheSideBarPanesListsAndButtons) {
    关键词挖掘& w = Opened(1200, 800);
    const int scaleWidth = Twips(1200);
    const int scaleHeight = Twips(800);
    EXPECT_EQ(w.PicLEFT->height(), Px(scaleHeight + 200));
    EXPECT_EQ(w.pic1->width(), Px(scaleWidth - 2720));
    EXPECT_EQ(w.pic1->height(), Px(scaleHeight + 200));
    EXPECT_EQ(w.tab1->width(), Px(scaleWidth + 200));
    EXPECT_EQ(w.tab1->x(), Px(2880));

    // The panes lay out from their own sizes, as they stand in whole pixels.
    const int h = Twips(w.pic1->height());
    const int w1 = Twips(w.pic1->width());
    EXPECT_EQ(w.ListView1->height(), Px(h - 1800));
    EXPECT_EQ(w.ListView1->width(), Px(w1 - 4300));
    EXPECT_EQ(w.Label63->y(), Px(h - 1000));
    EXPECT_EQ(w.Command43->y(), Px(h - 700));
    EXPECT_EQ(w.ListView1->x(), Px(3960));

    w.TreeView1->ClickNode(2);
    EXPECT_EQ(w.ListView3->height(), Px(h - 500));
    EXPECT_EQ(w.ListView3->width(), Px(w1 - 5400));
    w.TreeView1->ClickNode(3);
    EXPECT_EQ(w.ListView2->height(), Px(h - 1600));
    EXPECT_EQ(w.Command39->y(), Px(h - 1300));
    EXPECT_EQ(w.Command21->y(), Px(h - 800));

    // A window too small for the list keeps the list's width, and still moves the buttons.
    const int listWidth = w.ListView2->width();
    w.resize(300, 800);
    EXPECT_EQ(w.ListView2->width(), listWidth);
    EXPECT_EQ(w.pic3->width(), Px(Twips(300) - 2720));
    EXPECT_EQ(w.Command39->y(), Px(h - 1300));

    // With the side bar hidden by the toolbar, the resize still takes the side bar's width.
    w.SideBar()->hide();
    w.tab1->move(platform::TwipsToPixels(100), 0);
    w.resize(1400, 800);
    EXPECT_EQ(w.pic1->width(), Px(Twips(1400) - 2720));
    EXPECT_EQ(w.tab1->x(), platform::TwipsToPixels(100));
}

TEST_F(MiningWindow, ProgressShowsThePaneListsCountAndTheKeyword) {
    关键词挖掘& w = Opened();
    w.ShowMiningProgress(metrics::Pane::Regular, QStringLiteral("seo"));
    EXPECT_EQ(JobProgress::CountText(), QStringLiteral("累计查询到相关关键词：0个"));
    EXPECT_EQ(JobProgress::ItemText(), QStringLiteral("当前相关关键词：seo"));
    w.ListView1->Add(QStringLiteral("seo"));
    w.ListView17.Add(QStringLiteral("seo"));
    w.ListView17.Add(QStringLiteral("filtered away"));
    w.ListView3->Add(QStringLiteral("a"));
    w.ListView3->Add(QStringLiteral("b"));
    w.ShowMiningProgress(metrics::Pane::Regular, QStringLiteral("seo 工具"));
    EXPECT_EQ(JobProgress::CountText(), QStringLiteral("累计查询到相关关键词：1个"));
    EXPECT_EQ(JobProgress::ItemText(), QStringLiteral("当前相关关键词：seo 工具"));
    w.ShowMiningProgress(metrics::Pane::Batch, QStringLiteral("b"));
    EXPECT_EQ(JobProgress::CountText(), QStringLiteral("累计查询到相关关键词：2个"));
}

TEST_F(MiningWindow, TheMetricRoutinesReadThePanesBoxesAndTabs) {
    关键词挖掘& w = Opened();
    w.Check8->SetValue(1);
    w.Check5->SetValue(1);
    EXPECT_TRUE(w.Ticked(metrics::Pane::Regular, metrics::PaneOption::Count));
    EXPECT_FALSE(w.Ticked(metrics::Pane::Regular, metrics::PaneOption::Volume));
    EXPECT_TRUE(w.Ticked(metrics::Pane::Batch, metrics::PaneOption::Volume));
    EXPECT_FALSE(w.Ticked(metrics::Pane::Manual, metrics::PaneOption::Save));
    EXPECT_EQ(w.ResultList(metrics::Pane::Batch), &w.ListView3->Rows());
    EXPECT_EQ(w.SecondList(metrics::Pane::Regular), &w.ListView17);
    EXPECT_EQ(w.SecondList(metrics::Pane::Batch), nullptr);

    w.Text2->SetText(QStringLiteral(" SEO "));
    EXPECT_EQ(w.ReportParent(metrics::ReportSource::ThirtyDayData, QStringLiteral("kw")),
              QStringLiteral("SEO"));
    w.TreeView1->ClickNode(2);
    EXPECT_EQ(w.ReportParent(metrics::ReportSource::ThirtyDayData, QStringLiteral("kw")),
              QStringLiteral("kw"));

    w.txtbaiduse->SetText(QStringLiteral("7"));
    EXPECT_EQ(w.IntervalText(), QStringLiteral("7"));
    w.ShowHistory({QStringLiteral("1"), QStringLiteral("2")});
    EXPECT_EQ(Texts(w.ListView2->Rows()), QStringList{QStringLiteral("2")});
}

}  // namespace
