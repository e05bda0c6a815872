#include "tools_window/rank_setting.h"

#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;

TEST(RankSettingTest, ReadsFiveFieldsAndKeepsUnusableOnesOut) {
    const struct {
        const char* text;
        QStringList tags;
        int mode;
        std::optional<int> depth, exact, paid;
    } cases[] = {
        {"baidu$google.cn|0|1|0|0", {"baidu", "google.cn"}, 0, 1, 0, 0},
        {"sogou$nothing|1|0|1|1", {"sogou", "nothing"}, 1, 0, 1, 1},
        {"|x|y|2|", {}, 1, std::nullopt, std::nullopt, std::nullopt},
        {"bing", {"bing"}, 1, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const RankSetting s = ParseRankSetting(QString::fromUtf8(c.text));
        EXPECT_EQ(s.engineTags, c.tags) << c.text;
        EXPECT_EQ(s.mode, c.mode) << c.text;
        EXPECT_EQ(s.depthIndex, c.depth) << c.text;
        EXPECT_EQ(s.exactMatch, c.exact) << c.text;
        EXPECT_EQ(s.countPaid, c.paid) << c.text;
    }
    EXPECT_EQ(FormatRankSetting(ParseRankSetting(DefaultRankSetting())), DefaultRankSetting());
}

QStringList Ticked(const platform::RowTable& list) {
    QStringList names;
    for (int i = 1; i <= list.Count(); ++i)
        if (list.Checked(i)) names << list.Text(i);
    return names;
}

TEST_F(ToolsWindowTest, TheFirstLoadShowsTheDefaultOptions) {
    关键词工具& w = Open();
    EXPECT_EQ(Texts(w.ListView10->Rows()),
              QStringList({"百度", "谷歌", "雅虎", "搜狗", "搜搜", "有道", "必应"}));
    EXPECT_EQ(w.ListView10->Rows().SmallIcon(7), QStringLiteral("live"));
    EXPECT_EQ(Ticked(w.ListView10->Rows()), QStringList({"百度", "谷歌"}));
    EXPECT_EQ(w.Option1[0]->Value(), 1);
    EXPECT_EQ(w.Combo8->Text(), QStringLiteral("50"));
    EXPECT_EQ(w.Check111->Value(), 0);
    EXPECT_EQ(w.Check112->Value(), 0);
    EXPECT_EQ(w.Frame11->x(), platform::TwipsToPixels(120));
    EXPECT_EQ(w.Frame12->x(), platform::TwipsToPixels(3360));
}

TEST_F(ToolsWindowTest, EveryChangeOfAnOptionIsSavedAndComesBackAtTheNextLoad) {
    SetSetting(QStringLiteral("setting4"), QStringLiteral("sogou$altavista|0|0|0|0"));
    关键词工具& w = Open();
    EXPECT_EQ(Ticked(w.ListView10->Rows()), QStringList({"搜狗"}))
        << "unknown tags are passed over";
    EXPECT_EQ(Setting(QStringLiteral("setting4")), QStringLiteral("sogou$altavista|0|0|0|0"))
        << "the load's own restore writes nothing back";

    UserCheck(w.ListView10, 3, true);
    EXPECT_EQ(Setting(QStringLiteral("setting4")), QStringLiteral("yahoo.cn$sogou|0|0|0|0"));
    w.Check111->click();
    w.Check112->click();
    w.Combo8->SetListIndex(1);
    w.Option1[1]->click();
    EXPECT_EQ(Setting(QStringLiteral("setting4")), QStringLiteral("yahoo.cn$sogou|1|1|1|1"));
    EXPECT_EQ(w.Frame11->x(), platform::TwipsToPixels(3360)) << "the row list stands left";

    Close();
    关键词工具& again = Open();
    EXPECT_EQ(Ticked(again.ListView10->Rows()), QStringList({"雅虎", "搜狗"}));
    EXPECT_EQ(again.Option1[1]->Value(), 1);
    EXPECT_EQ(again.Combo8->Text(), QStringLiteral("50"));
    EXPECT_EQ(again.Check111->Value(), 1);
    EXPECT_EQ(again.Check112->Value(), 1);
    EXPECT_TRUE(again.ExactSiteMatch());
    EXPECT_TRUE(again.CountPaidListings());
}

TEST_F(ToolsWindowTest, WithoutTheDatabaseTheOptionsSaveButTheModeSwitchDoesNothing) {
    SetSetting(QStringLiteral("setting4"), QStringLiteral("baidu$google.cn|1|1|0|0"));
    QFile::remove(folder.FilePath(QStringLiteral("db.db")));
    关键词工具& w = Open();
    EXPECT_EQ(w.Option1[1]->Value(), 1);
    EXPECT_EQ(w.Frame11->x(), platform::TwipsToPixels(3360)) << "the load places the frames";

    w.Check111->click();
    EXPECT_EQ(Setting(QStringLiteral("setting4")), QStringLiteral("baidu$google.cn|1|1|1|0"));
    w.Option1[0]->click();
    EXPECT_EQ(Setting(QStringLiteral("setting4")), QStringLiteral("baidu$google.cn|1|1|1|0"))
        << "the mode is not saved";
    EXPECT_EQ(w.Frame11->x(), platform::TwipsToPixels(3360)) << "nor are the frames moved";
    EXPECT_EQ(w.Frame12->x(), platform::TwipsToPixels(120));
    EXPECT_EQ(w.ListView8->Count() + w.ListView9->Count(), 0);
}

}  // namespace
