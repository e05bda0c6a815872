#include <QMdiSubWindow>

#include "shared/registry_store.h"
#include "shell/about_dialog.h"
#include "shell/blocking_settings_dialog.h"
#include "shell/login_settings_dialog.h"
#include "shell/main_window.h"
#include "shell/suggest_dialog.h"
#include "shell_fixture.h"

namespace {

using platform::Hive;
using shell_testing::FakeWorkWindow;
using shell_testing::ShellTest;

class BlockingSettings : public ShellTest {
  protected:
    QString Legacy(const QString& name) {
        return mReg::GetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, name);
    }
    void StoreLegacy(const QString& name, const QString& value) {
        mReg::CreateConfigKey(Hive::CurrentUser, mReg::LegacyConfigKey);
        mReg::SetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, name, value);
    }
    // The gap and reaction boxes of both windows, mining first.
    QStringList Boxes() {
        QStringList texts;
        for (WorkWindowKind kind : {WorkWindowKind::Mining, WorkWindowKind::Database}) {
            FakeWorkWindow* window = Window(kind);
            texts << (window ? window->gap->Text() + u'/' + window->reaction->Text()
                             : QStringLiteral("(not loaded)"));
        }
        return texts;
    }
    // Opens the dialog and lets `pick` work it while it is open.
    void Open(std::function<void(frm_setse&)> pick = {}) {
        modals.work = [pick](QDialog& dialog) {
            if (pick) pick(dynamic_cast<frm_setse&>(dialog));
        };
        ShowBlockingSettings(nullptr);
    }
};

TEST_F(BlockingSettings, FirstOpeningAppliesTheDefaultsEverywhere) {
    int gapIndex = -2, reactionIndex = -2;
    Open([&](frm_setse& dialog) {
        gapIndex = dialog.Combo1->ListIndex();
        reactionIndex = dialog.Combo2->ListIndex();
        EXPECT_EQ(dialog.Combo1->count(), 11);
        EXPECT_EQ(dialog.Combo1->Text(), QStringLiteral("5"));
    });

    EXPECT_EQ(modals.titles, QStringList{QStringLiteral("搜索引擎屏蔽设置")});
    EXPECT_EQ(gapIndex, 5);
    EXPECT_EQ(reactionIndex, 0);
    EXPECT_EQ(Legacy(QStringLiteral("baiduse")), QStringLiteral("5"));
    EXPECT_EQ(Legacy(QStringLiteral("baidusetse")), QStringLiteral("0"));
    EXPECT_EQ(Boxes(), (QStringList{QStringLiteral("5/0"), QStringLiteral("5/0")}));
    EXPECT_EQ(browsers.navigated,
              (QStringList{QStringLiteral("http://www.baidu.com/s?wd=seo"),
                           QStringLiteral("http://www.baidu.com/s?wd=site%3Awww.baidu.com")}));
}

TEST_F(BlockingSettings, EveryPickIsStoredAndWrittenIntoBothWindowsAtOnce) {
    QStringList afterGap;
    Open([&](frm_setse& dialog) {
        dialog.Combo1->SetListIndex(10);
        afterGap = Boxes();
        dialog.Combo2->SetListIndex(2);
    });
    EXPECT_EQ(afterGap, (QStringList{QStringLiteral("10/0"), QStringLiteral("10/0")}));
    EXPECT_EQ(Legacy(QStringLiteral("baiduse")), QStringLiteral("10"));
    EXPECT_EQ(Legacy(QStringLiteral("baidusetse")), QStringLiteral("2"));
    EXPECT_EQ(Boxes(), (QStringList{QStringLiteral("10/2"), QStringLiteral("10/2")}));
    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("baiduse")),
              QString())
        << "only the old key holds them";
}

TEST_F(BlockingSettings, StoredValuesAreAppliedAndThoseOutsideTheListsChangeNothing) {
    const struct {
        const char* gap;
        const char* reaction;
        int gapIndex;
        int reactionIndex;
        QStringList boxes;
        const char* storedGapAfter;
    } cases[] = {
        {"7", "1", 7, 1, {"7/1", "7/1"}, "7"},
        {"letters", "2", 0, 2, {"0/2", "0/2"}, "0"},
        {"15", "1", -1, 1, {"3/1", "3/1"}, "15"},
        {"2", "9", 2, -1, {"2/1", "2/1"}, "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gap);
        UnloadWorkWindow(WorkWindowKind::Mining);
        UnloadWorkWindow(WorkWindowKind::Database);
        StoreLegacy(QStringLiteral("baiduse"), QString::fromLatin1(c.gap));
        StoreLegacy(QStringLiteral("baidusetse"), QString::fromLatin1(c.reaction));
        // A window loaded before the dialog opens starts from its own texts.
        LoadWorkWindow(WorkWindowKind::Mining);
        LoadWorkWindow(WorkWindowKind::Database);
        int gapIndex = -2, reactionIndex = -2;
        Open([&](frm_setse& dialog) {
            gapIndex = dialog.Combo1->ListIndex();
            reactionIndex = dialog.Combo2->ListIndex();
        });
        EXPECT_EQ(gapIndex, c.gapIndex);
        EXPECT_EQ(reactionIndex, c.reactionIndex);
        EXPECT_EQ(Boxes(), c.boxes);
        EXPECT_EQ(Legacy(QStringLiteral("baiduse")), QString::fromLatin1(c.storedGapAfter));
    }
}

TEST_F(BlockingSettings, OpensOverTheWindowThatAsksForIt) {
    QWidget window;
    QWidget* owner = nullptr;
    modals.work = [&owner](QDialog& dialog) { owner = dialog.parentWidget(); };
    ShowBlockingSettings(&window);
    EXPECT_EQ(modals.titles, QStringList{QStringLiteral("搜索引擎屏蔽设置")});
    EXPECT_EQ(owner, &window);
}

TEST_F(BlockingSettings, LoadsAWindowThatIsNotLoadedWithoutShowingIt) {
    folder.AddFreshDatabase();
    MDIfrm main;
    main.show();
    LoadWorkWindow(WorkWindowKind::Mining);
    ASSERT_EQ(LoadedWorkWindow(WorkWindowKind::Database), nullptr);

    main.mnuse->trigger();

    FakeWorkWindow* database = Window(WorkWindowKind::Database);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->loads, 1);
    EXPECT_FALSE(database->isVisible());
    EXPECT_TRUE(main.Area->subWindowList().isEmpty());
    EXPECT_EQ(Window(WorkWindowKind::Mining)->loads, 1);

    // Opened later through the menu, it keeps the dialog's values: it is loaded already.
    main.mnuDatabase->trigger();
    EXPECT_EQ(Window(WorkWindowKind::Database), database);
    EXPECT_EQ(database->loads, 1);
    EXPECT_EQ(database->gap->Text(), QStringLiteral("5"));
    EXPECT_TRUE(database->isVisible());
}

class LoginSettings : public ShellTest {
  protected:
    QString Config(const QString& name) {
        return mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name);
    }
};

TEST_F(LoginSettings, StoresEveryChangeTrimmedAndShowsItAgain) {
    {
        frm_loginset dialog;
        dialog.Form_Load();
        EXPECT_TRUE(dialog.Text1->Text().isEmpty());
        EXPECT_EQ(dialog.Check1->Value(), 0);
        EXPECT_EQ(dialog.Check2->Value(), 0);
        EXPECT_EQ(dialog.Text2->echoMode(), QLineEdit::Password);

        dialog.Text1->SetText(QStringLiteral("  站长 "));
        dialog.Text2->SetText(QStringLiteral(" geheim"));
        EXPECT_EQ(dialog.Text2->displayText(), QStringLiteral("*******")) << "one per character";
        dialog.Check1->click();
        dialog.Check2->click();
        dialog.Check2->click();
    }
    EXPECT_EQ(Config(QStringLiteral("setting_user")), QStringLiteral("站长"));
    EXPECT_EQ(Config(QStringLiteral("setting_pass")), QStringLiteral("geheim"));
    EXPECT_EQ(Config(QStringLiteral("setting_issave")), QStringLiteral("save"));
    EXPECT_EQ(Config(QStringLiteral("setting_autologin")), QString());

    frm_loginset again;
    again.Form_Load();
    EXPECT_EQ(again.Text1->Text(), QStringLiteral("站长"));
    EXPECT_EQ(again.Text2->Text(), QStringLiteral("geheim"));
    EXPECT_EQ(again.Check1->Value(), 1);
    EXPECT_EQ(again.Check2->Value(), 0);
}

using SmallDialogs = testing_support::TestEnvironment;

TEST_F(SmallDialogs, FeedbackFormOffersFourTypesAndSendsNothing) {
    frm_suggest dialog;
    dialog.Form_Load();
    EXPECT_EQ(dialog.Combo1->count(), 4);
    EXPECT_EQ(dialog.Combo1->Text(), QStringLiteral("一般性建议"));
    dialog.Command1->click();
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(shell.started.isEmpty());
}

TEST_F(SmallDialogs, AboutBoxTakesTheMainWindowsIcon) {
    QWidget owner;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    owner.setWindowIcon(QIcon(red));
    frm_about dialog(&owner);
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowIcon().cacheKey(), owner.windowIcon().cacheKey());
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Tarnwick V4.0"));
}

}  // namespace
