#include "keyword_lists/add_keywords_dialog.h"

#include <gtest/gtest.h>

#include "metrics/fresh_database.h"
#include "platform/row_table.h"
#include "shell/database_bootstrap.h"
#include "support/database_files.h"
#include "support/fake_clock.h"
#include "support/other_program.h"
#include "support/qt_printers.h"
#include "support/scripted_modals.h"
#include "support/scripted_prompts.h"

namespace {

// The lists of an opener: one shown list with its master copy for every mode.
class TestLists final : public AddKeywordsLists {
  public:
    platform::RowTable* ShownList(AddKeywordsMode mode) override { return &shown[int(mode)]; }
    platform::RowTable* MasterList(AddKeywordsMode mode) override {
        return mode == AddKeywordsMode::Batch ? nullptr : &master[int(mode)];
    }
    QStringList Texts(AddKeywordsMode mode) const {
        QStringList texts;
        for (int i = 1; i <= shown[int(mode)].Count(); ++i) texts << shown[int(mode)].Text(i);
        return texts;
    }
    platform::RowTable shown[3];
    platform::RowTable master[3];
};

class AddKeywordsTest : public ::testing::Test {
  protected:
    ~AddKeywordsTest() override { delete LoadedAddKeywords(); }

    // Opens the dialog in `mode`, types `text` (when not null) and clicks 添加关键词.
    void Add(const QString& mode, const QString& text) {
        modals.work = [&](QDialog& dialog) {
            auto& add = static_cast<frm_AddKeywords&>(dialog);
            if (!text.isNull()) add.Text1->setPlainText(text);
            add.Command5_Click();
        };
        ShowAddKeywords(lists, mode);
    }

    QStringList Stored(const QString& sql) {
        QStringList rows;
        auto records = SharedConnection().Query(sql);
        for (; records && !records->Eof(); records->MoveNext()) {
            QStringList fields;
            for (int i = 0; i < records->FieldCount(); ++i)
                fields << records->Text(records->FieldName(i));
            rows << fields.join(u'|');
        }
        return rows;
    }

    testing_support::FakeClock clock;
    testing_support::ScriptedPrompts prompts;
    testing_support::ScriptedModals modals;
    metrics_testing::FreshDatabase database;
    TestLists lists;
};

TEST_F(AddKeywordsTest, DatabaseModeStoresEachNewKeywordOnceAndListsItInBothListsUnderOneKey) {
    database.Insert(QStringLiteral("stored"), QStringLiteral("p"), "1", "2", "3",
                    QStringLiteral("2026-01-01"));
    lists.shown[int(AddKeywordsMode::Database)].Add(QStringLiteral("listed"));

    // Lines end in CR LF, LF or CR; case and surrounding blanks make no new keyword.
    Add(QStringLiteral("3"), QStringLiteral("Apple\napple \r\n APPLE\r\n\r\n   \rit's 100%_\n"
                                            "listed\nSTORED\n😀"));

    EXPECT_EQ(lists.Texts(AddKeywordsMode::Database),
              QStringList({"listed", "apple", "it's 100%_", "😀"}));
    const platform::RowTable& shown = lists.shown[int(AddKeywordsMode::Database)];
    const platform::RowTable& master = lists.master[int(AddKeywordsMode::Database)];
    ASSERT_EQ(master.Count(), 3);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(master.Key(i), shown.Key(i + 1));
    EXPECT_EQ(Stored(QStringLiteral("select keys,adddate,parentkeys,monthrank from keywords "
                                    "order by id")),
              QStringList({"stored|2026-01-01|p|1", "apple|2026-12-10|apple|",
                           "it's 100%_|2026-12-10|it's 100%_|", "😀|2026-12-10|😀|"}));
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_FALSE(LoadedAddKeywords()->isVisible());
}

TEST_F(AddKeywordsTest, BatchModeFillsKwlistAndTheBatchListAndManualModeOnlyTheLists) {
    CreateMissingTables(SharedConnection(), {QStringLiteral("kwlist")});
    Add(QStringLiteral("1"), QStringLiteral("a\nb"));
    Add(QStringLiteral("2"), QStringLiteral("c"));

    EXPECT_EQ(Stored(QStringLiteral("select kws,setting from kwlist order by id")),
              QStringList({"a|1", "b|1"}));
    EXPECT_EQ(lists.Texts(AddKeywordsMode::Batch), QStringList({"a", "b"}));
    EXPECT_EQ(lists.shown[int(AddKeywordsMode::Batch)].Cell(1, 4), QStringLiteral("默认设置"));
    EXPECT_EQ(lists.Texts(AddKeywordsMode::Manual), QStringList({"c"}));
    EXPECT_EQ(lists.master[int(AddKeywordsMode::Manual)].Text(1), QStringLiteral("c"));
    EXPECT_EQ(Stored(QStringLiteral("select keys from keywords")), QStringList());
}

TEST_F(AddKeywordsTest, AnEmptyBoxIsRefusedAndTheDialogKeepsItsTextUntilClosed) {
    Add(QStringLiteral("3"), QString());
    EXPECT_EQ(prompts.Texts(), QStringList({"必须输入关键词信息！"}));

    Add(QStringLiteral("3"), QStringLiteral("one"));
    // Opened again, the dialog still holds the last lines, which add nothing now.
    Add(QStringLiteral("3"), QString());
    EXPECT_EQ(LoadedAddKeywords()->Text1->toPlainText(), QStringLiteral("one"));
    EXPECT_EQ(lists.Texts(AddKeywordsMode::Database), QStringList({"one"}));

    // Closed by the user, it is unloaded: the next opening starts empty.
    modals.work = {};
    ShowAddKeywords(lists, QStringLiteral("3"));
    EXPECT_EQ(LoadedAddKeywords(), nullptr);
}

TEST_F(AddKeywordsTest, KeywordsTheTableDidNotTakeAreNeitherListedNorLostInSilence) {
    ForgetSharedConnection();  // db.db could not be opened
    SharedConnection().Open(QStringLiteral("/nonexistent/db.db"));

    Add(QStringLiteral("3"), QStringLiteral("a\nb"));

    EXPECT_EQ(lists.Texts(AddKeywordsMode::Database), QStringList());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.Texts()[0].startsWith(QStringLiteral("2个关键词未能写入数据库")))
        << prompts.Texts()[0].toStdString();
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Exclamation);
}

TEST_F(AddKeywordsTest, KeywordsWhoseCommitTheFileRefusesAreNeitherListedNorLostInSilence) {
    ASSERT_TRUE(testing_support::RefuseCommitsOfKeywordInserts(SharedConnection()));

    Add(QStringLiteral("3"), QStringLiteral("a\nb"));

    EXPECT_EQ(lists.Texts(AddKeywordsMode::Database), QStringList());
    EXPECT_EQ(lists.master[int(AddKeywordsMode::Database)].Count(), 0);
    EXPECT_TRUE(Stored(QStringLiteral("select keys from keywords")).isEmpty());
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("2个关键词未能写入数据库")))
        << prompts.LastText().toStdString();
}

// A disk that fills up half-way through an add: the library takes the transaction back itself,
// and the add stops there, all or nothing, instead of writing the rest one by one.
TEST_F(AddKeywordsTest, AnAddThatFillsTheDiskWritesAndListsNoneOfItsKeywords) {
    const std::optional<platform::Recordset> pages =
        SharedConnection().Query(QStringLiteral("pragma page_count"));
    ASSERT_TRUE(pages);
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("pragma max_page_count = %1").arg(pages->Field(0).toInt() + 2)));
    QStringList keywords;
    for (int i = 0; i < 400; ++i) keywords << QStringLiteral("词%1").arg(i) + QString(60, u'长');

    Add(QStringLiteral("3"), keywords.join(u'\n'));

    EXPECT_TRUE(Stored(QStringLiteral("select keys from keywords")).isEmpty());
    EXPECT_EQ(lists.Texts(AddKeywordsMode::Database), QStringList());
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("400个关键词未能写入数据库")));
    EXPECT_TRUE(prompts.LastText().endsWith(QStringLiteral("原因：磁盘已满，数据库文件无法写入")))
        << prompts.LastText().toStdString();
}

// Another program holds db.db beyond the wait: an add to either table waits once, then writes and
// lists none of its keywords and says why.
TEST_F(AddKeywordsTest, AnAddUnderAnotherProgramsLockWaitsOnceAndWritesNothing) {
    CreateMissingTables(SharedConnection(), {QStringLiteral("kwlist")});
    const struct {
        const char* mode;
        AddKeywordsMode list;
        const char* table;
    } cases[] = {
        {"3", AddKeywordsMode::Database, "select keys from keywords"},
        {"1", AddKeywordsMode::Batch, "select kws from kwlist"},
    };
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    for (const auto& c : cases) {
        {
            testing_support::OtherProgramSession other(DatabasePath(),
                                                       {QStringLiteral("begin immediate")});
            ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
            const int waits = SharedConnection().LockWaits();
            Add(QString::fromUtf8(c.mode), QStringLiteral("a\nb\nc"));
            EXPECT_EQ(SharedConnection().LockWaits() - waits, 1) << c.mode;
        }
        EXPECT_EQ(prompts.LastText(),
                  QStringLiteral("3个关键词未能写入数据库，没有加入列表：a、b、c\n"
                                 "原因：数据库文件正被其他程序占用"));
        EXPECT_EQ(lists.Texts(c.list), QStringList()) << c.mode;
        EXPECT_EQ(Stored(QString::fromUtf8(c.table)), QStringList()) << c.mode;
    }
}

}  // namespace
