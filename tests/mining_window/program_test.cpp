#include <QMdiSubWindow>

#include "mining_window/mining_window.h"
#include "shared/job_progress.h"
#include "shell/main_window.h"
#include "shell/shell_fixture.h"

namespace {

// The mining window as the program opens it: through the main window's toolbar.
class MiningWindowInProgram : public shell_testing::ShellTest {
  protected:
    MiningWindowInProgram() {
        RegisterWorkWindow(WorkWindowKind::Mining, [this] { return new 关键词挖掘(fields); });
    }
    ~MiningWindowInProgram() override {
        UnloadWorkWindow(WorkWindowKind::Mining);
        RegisterWorkWindow(WorkWindowKind::Mining, {});
    }

    MiningWindowFields fields;
};

TEST_F(MiningWindowInProgram, TheToolbarOpensItMaximisedWithItsProgressInTheStatusBar) {
    folder.AddFreshDatabase();
    MDIfrm main;
    ASSERT_TRUE(main.MDIForm_Load());

    main.Button(2)->trigger();
    auto* window = dynamic_cast<关键词挖掘*>(LoadedWorkWindow(WorkWindowKind::Mining));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(main.ActiveChild()->widget(), window);
    EXPECT_TRUE(main.ActiveChild()->isMaximized());
    EXPECT_TRUE(window->MiningLoaded);
    EXPECT_EQ(window->TreeView1->NodeCount(), 3);

    window->ShowMiningProgress(metrics::Pane::Regular, QStringLiteral("seo"));
    EXPECT_EQ(main.Panel(2)->text(), QStringLiteral("累计查询到相关关键词：0个"));
    EXPECT_EQ(main.Panel(3)->text(), QStringLiteral("当前相关关键词：seo"));

    // The side-bar button widens the panes and moves the pages to the left edge.
    main.Button(7)->trigger();
    EXPECT_TRUE(window->PicLEFT->isHidden());
    EXPECT_EQ(window->tab1->x(), platform::TwipsToPixels(100));
    EXPECT_EQ(window->pic1->width(), platform::TwipsToPixels(window->ScaleWidth() - 200));
}

}  // namespace
