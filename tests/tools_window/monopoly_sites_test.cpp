#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;
using platform::Answer;

TEST_F(ToolsWindowTest, MonopolySitesAreAddedRemovedAndEditedWithTheSettingFollowing) {
    SetSetting(QStringLiteral("ldsites"), QStringLiteral("Baidu.com$ qq.com $gov.cn"));
    关键词工具& w = Open();
    platform::RowTable& sites = w.ListView5->Rows();
    EXPECT_EQ(Texts(sites), QStringList({"Baidu.com", " qq.com ", "gov.cn"})) << "as stored";

    prompts.Type(QStringLiteral("  sina.com.cn "))
        .Type(QStringLiteral("BAIDU.COM"))
        .Type(QStringLiteral("   "))
        .Type(QStringLiteral("a$b.com"))
        .Type(QString());
    for (int i = 0; i < 5; ++i) Click("Command36");
    EXPECT_EQ(Texts(sites), QStringList({"Baidu.com", " qq.com ", "gov.cn", "sina.com.cn"}));
    EXPECT_EQ(prompts.Texts().mid(1),
              QStringList({"请输入垄断网站URL！请尽量输入不带www的url，比如qq.com或baidu.com",
                           "您添加的网站URL已经存在！",
                           "请输入垄断网站URL！请尽量输入不带www的url，比如qq.com或baidu.com",
                           "网站URL不能为空！",
                           "请输入垄断网站URL！请尽量输入不带www的url，比如qq.com或baidu.com",
                           "网站URL中不能含有“$”：a$b.com",
                           "请输入垄断网站URL！请尽量输入不带www的url，比如qq.com或baidu.com"}));
    EXPECT_EQ(Setting(QStringLiteral("ldsites")),
              QStringLiteral("Baidu.com$ qq.com $gov.cn$sina.com.cn"));

    UserEdit(w.ListView5, 2, QStringLiteral(" QQ.com "));
    UserEdit(w.ListView5, 3, QStringLiteral(" "));
    UserEdit(w.ListView5, 3, QStringLiteral("x$y"));
    EXPECT_EQ(Texts(sites), QStringList({"Baidu.com", " QQ.com ", "gov.cn", "sina.com.cn"}))
        << "an edit stands as typed";
    EXPECT_EQ(Setting(QStringLiteral("ldsites")),
              QStringLiteral("Baidu.com$ QQ.com $gov.cn$sina.com.cn"));
    EXPECT_EQ(prompts.Texts().mid(prompts.Texts().size() - 2),
              QStringList({"网站URL不能为空！", "网站URL中不能含有“$”：x$y"}));

    prompts.Answer(Answer::No);
    Click("Command37");
    prompts.Answer(Answer::Yes);
    Click("Command37");
    EXPECT_EQ(prompts.Texts().last(), QStringLiteral("请选择要删除的垄断网站URL"));
    sites.SetChecked(2, true);
    sites.SetChecked(3, true);
    prompts.Answer(Answer::Yes);
    Click("Command37");
    EXPECT_EQ(Setting(QStringLiteral("ldsites")), QStringLiteral("Baidu.com$sina.com.cn"));

    sites.SetAllChecked(true);
    prompts.Answer(Answer::Yes);
    Click("Command37");
    EXPECT_TRUE(Setting(QStringLiteral("ldsites")).isEmpty());
    Close();
    Open();
    EXPECT_EQ(Setting(QStringLiteral("ldsites")), QStringLiteral("baidu.com$qq.com$gov.cn"))
        << "an emptied list gets the default again";
    EXPECT_TRUE(prompts.Exhausted());
}

}  // namespace
