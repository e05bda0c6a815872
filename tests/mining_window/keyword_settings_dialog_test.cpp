#include "mining_window/keyword_settings_dialog.h"

#include "mining_window_fixture.h"
#include "support/list_ends.h"

namespace {

using mining_testing::MiningWindowTest;
using mining_testing::Texts;

// The keyword-settings dialog over the batch pane's list and table kwlist.
class KeywordSettings : public MiningWindowTest {
  protected:
    KeywordSettings() : dialog(list) { dialog.Form_Load(); }

    QStringList Stored() const {
        return TableRows(QStringLiteral("kwlist"), QStringLiteral("kws,ext,k1,k2,k3,setting"));
    }

    platform::RowTable list;
    frm_KeywordsSet dialog;
};

TEST_F(KeywordSettings, AddsAKeywordWithItsOwnSettingsOrThePanesAndRefusesADuplicate) {
    EXPECT_EQ(dialog.Combo1->Text(), QStringLiteral("Excel"));
    EXPECT_FALSE(dialog.Text8->isEnabled());
    dialog.Text1->SetText(QStringLiteral(" Foo "));
    dialog.Combo1->SetListIndex(3);
    dialog.Check1->SetValue(1);
    dialog.Check9->SetValue(1);
    dialog.Text8->SetText(QStringLiteral("a#b "));
    dialog.Command1_Click();

    EXPECT_EQ(Stored(), QStringList{QStringLiteral("foo|Txt|1000|1|a#b |0")});
    EXPECT_EQ(Texts(list), QStringList{QStringLiteral("foo")});
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("添加关键词成功！")});
    EXPECT_EQ(dialog.Text1->Text(), QString());
    EXPECT_EQ(dialog.Text8->Text(), QString());
    EXPECT_EQ(dialog.Text2->Text(), QStringLiteral("1000"));

    dialog.Text1->SetText(QStringLiteral("it's"));
    dialog.Check2->SetValue(1);
    EXPECT_FALSE(dialog.Frame1->isEnabled());
    EXPECT_FALSE(dialog.Frame2->isEnabled());
    dialog.Command1_Click();
    EXPECT_EQ(testing_support::LastOf(Stored()), QStringLiteral("it's|||||1"));

    dialog.Text1->SetText(QStringLiteral("FOO"));
    dialog.Command1_Click();
    EXPECT_EQ(prompts.LastText(), QStringLiteral("本关键词列表中已经存在！"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(dialog.Text1->Text(), QStringLiteral("FOO"));

    dialog.Text1->SetText(QString());
    dialog.Command1_Click();
    EXPECT_EQ(prompts.LastText(), QStringLiteral("必须输入关键词！"));
}

TEST_F(KeywordSettings, EditsARowInPlaceAndRefusesAKeywordAnotherRecordHolds) {
    for (const char* keyword : {"foo", "bar"}) {
        ASSERT_TRUE(SharedConnection().Execute(
            QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
            {QString::fromUtf8(keyword)}));
        list.Add(QString::fromUtf8(keyword));
    }
    dialog.show();
    dialog.Text1->SetText(QStringLiteral("foo"));
    dialog.Text3->SetText(QStringLiteral("foo"));
    dialog.Text4->SetText(QStringLiteral("1"));
    dialog.Text2->SetText(QStringLiteral("abc"));  // no number: emptied, then 1000
    EXPECT_EQ(dialog.Text2->Text(), QString());
    dialog.Check9->SetValue(1);
    dialog.Text8->SetText(QStringLiteral(" x "));
    dialog.Command1_Click();
    EXPECT_EQ(testing_support::FirstOf(Stored()), QStringLiteral("foo|Excel|1000|0|x|0"));
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("更新关键词成功！")});
    EXPECT_FALSE(dialog.isVisible());

    dialog.Text1->SetText(QStringLiteral("Bar"));
    dialog.Command1_Click();
    EXPECT_EQ(prompts.LastText(), QStringLiteral("本关键词列表中已经存在！"));
    dialog.Text1->SetText(QStringLiteral("baz"));
    dialog.Command1_Click();
    EXPECT_EQ(Texts(list), (QStringList{QStringLiteral("baz"), QStringLiteral("bar")}));
    EXPECT_EQ(testing_support::FirstOf(Stored()).section(u'|', 0, 0), QStringLiteral("baz"));

    // Unticking the exclusion box empties its words.
    dialog.Check9->SetValue(0);
    EXPECT_EQ(dialog.Text8->Text(), QString());
    EXPECT_FALSE(dialog.Text8->isEnabled());
}

TEST_F(KeywordSettings, AStatementThatFailsIsToldAndListsNothing) {
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table kwlist")));
    dialog.Text1->SetText(QStringLiteral("foo"));
    dialog.Command1_Click();
    EXPECT_TRUE(prompts.Texts().value(0).startsWith(QStringLiteral("添加关键词失败")));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
