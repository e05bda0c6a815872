#include <gtest/gtest.h>

#include <QFile>

#include "database_window_fixture.h"
#include "keyword_lists/comparison_handoff.h"
#include "platform/program_folder.h"
#include "shared/shared_connection.h"
#include "shell/popup_menus.h"
#include "shell/work_windows.h"

namespace {

using database_window_testing::DatabaseWindowTest;

// Keywords that break SQL, LIKE patterns, UTF-16 pairs or short columns.
QStringList UnsafeKeywords() {
    return {QStringLiteral("it's"), QStringLiteral("100%"), QStringLiteral("a_b"),
            QStringLiteral("😀表情"), QString(300, QChar(u'长'))};
}

class DatabaseCommandsTest : public DatabaseWindowTest {
  protected:
    // Stores keyword rows "text|month|day|count|date" and opens the window.
    关键词数据库& OpenWith(const QStringList& rows) {
        for (const QString& row : rows) {
            const QStringList f = row.split(u'|');
            db.Insert(f[0], QStringLiteral("p"), f[1], f[2], f[3], f[4]);
        }
        return Open();
    }
    QStringList StoredKeywords() {
        QStringList keys;
        for (const QString& row : db.Rows()) keys << row.section(u'|', 0, 0);
        return keys;
    }
};

TEST_F(DatabaseCommandsTest, DeleteRemovesTheCheckedKeywordsFromTableAndBothListsByIdentity) {
    关键词数据库& w = OpenWith(
        {"c|1|1|1|2026-12-01", "a|1|1|1|2026-12-01", "b|1|1|1|2026-12-01", "d|1|1|1|2026-12-01"});
    w.Command48_Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"请选择你要删除的关键词"}));

    w.ListView16_ColumnClick(1);  // sorted: the positions no longer match the master copy's
    ASSERT_EQ(Column(), QStringLiteral("d,c,b,a"));
    Check({1, 3});
    w.Command48_Click();

    EXPECT_EQ(Column(), QStringLiteral("c,a"));
    EXPECT_EQ(StoredKeywords(), QStringList({"c", "a"}));
    w.Command17_Click();
    EXPECT_EQ(Column(), QStringLiteral("c,a"));
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

TEST_F(DatabaseCommandsTest, ADeleteTheDatabaseRefusesLeavesEveryRowAndSaysWhy) {
    关键词数据库& w = OpenWith({"a|1|1|1|2026-12-01", "b|1|1|1|2026-12-01"});
    platform::Connection other;  // another program holds db.db locked
    ASSERT_TRUE(other.Open(DatabasePath()));
    ASSERT_TRUE(other.Execute(QStringLiteral("begin exclusive")));
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    Check({1});

    w.Command48_Click();

    EXPECT_EQ(Column(), QStringLiteral("a,b"));
    EXPECT_EQ(MasterColumn(), QStringLiteral("a,b"));
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.Texts()[0].startsWith(QStringLiteral("选中的关键词未能从数据库删除")));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Exclamation);
    other.Execute(QStringLiteral("rollback"));
    EXPECT_EQ(StoredKeywords(), QStringList({"a", "b"}));
}

TEST_F(DatabaseCommandsTest, SelectAllTogglesWithItsCaption) {
    关键词数据库& w = OpenWith({"a|1|1|1|2026-12-01", "b|1|1|1|2026-12-01"});
    w.Command53_Click();
    EXPECT_TRUE(w.ListView16->Rows().Checked(1) && w.ListView16->Rows().Checked(2));
    EXPECT_EQ(w.Command53->Caption(), QStringLiteral("全不选"));
    w.Command53_Click();
    EXPECT_FALSE(w.ListView16->Rows().AnyChecked());
    EXPECT_EQ(w.Command53->Caption(), QStringLiteral("全选"));
}

TEST_F(DatabaseCommandsTest, TheFilterUsesTheDatabaseColumnsAndRestoreBringsEverythingBack) {
    关键词数据库& w = OpenWith(
        {"seo|10|1|100|2026-12-01", "seo工具|30|1|300|2026-12-01", "优化|50|1|500|2026-12-01"});
    w.Text4->SetText(QStringLiteral("SEO"));
    w.Text5->SetText(QStringLiteral("200"));  // 百度收录 > 200
    w.Text6->SetText(QStringLiteral("20"));   // 百度月均指数 > 20
    w.Command22_Click();
    EXPECT_EQ(Column(), QStringLiteral("seo工具"));
    EXPECT_EQ(MasterColumn(), QStringLiteral("seo,seo工具,优化"));
    EXPECT_EQ(StoredKeywords().size(), 3);

    w.Command17_Click();
    EXPECT_EQ(Column(), QStringLiteral("seo,seo工具,优化"));
}

TEST_F(DatabaseCommandsTest, ColumnsSortByTextNumberOrDateAndTheOrderFlipsOnEveryClick) {
    关键词数据库& w = OpenWith({"b|1|1|120|2026-12-01", "a|3|1|9|2010/6/24", "c|-|1|-|2009-1-5",
                                "d|1,000|1|1000|2026-11-30 08:00:00", "e|2|1|50|2010-10-1",
                                "f|4|1|500|2010-9-30"});
    const struct {
        int column;
        const char* order;
    } clicks[] = {
        {5, "d,f,b,e,a,c"},  // 百度收录: 9 < 50 < 120 < 500 < 1000 by value; "-" first; descending
        {5, "c,a,e,b,f,d"},  // ascending
        // 更新日期 by date, whatever its form ("2010-9-30" before "2010-10-1"); descending
        {7, "b,d,e,f,a,c"},
        {3, "c,b,e,a,f,d"},  // 百度月均指数 ascending: "-", 1, 2, 3, 4, then 1,000
        {1, "f,e,d,c,b,a"},  // 关键词 by text, descending
    };
    for (const auto& click : clicks) {
        w.ListView16_ColumnClick(click.column);
        EXPECT_EQ(Column(), QString::fromUtf8(click.order)) << click.column;
    }
    // What the cells show is left as it was, and the master copy keeps its order.
    EXPECT_EQ(Column(4), QStringLiteral("500,50,1000,-,120,9"));
    EXPECT_EQ(MasterColumn(), QStringLiteral("b,a,c,d,e,f"));
}

TEST_F(DatabaseCommandsTest, SortingTheIndexUsesItsExactValue) {
    关键词数据库& w =
        OpenWith({"x|3|1|100000|2026-12-01", "y|4|1|100000|2026-12-01", "z|2|1|100000|2026-12-01"});
    ASSERT_EQ(Column(5), QStringLiteral("0.3,0.4,0.2"));
    w.ListView16_ColumnClick(6);
    EXPECT_EQ(Column(), QStringLiteral("y,x,z"));
}

TEST_F(DatabaseCommandsTest, AddKeywordsPutsNewKeywordsIntoTheTableAndBothLists) {
    关键词数据库& w = OpenWith({"a|1|1|1|2026-12-01"});
    modals.work = [](QDialog& dialog) {
        auto& add = static_cast<frm_AddKeywords&>(dialog);
        add.Text1->setPlainText(QStringLiteral("A\nnew"));
        add.Command5_Click();
    };
    w.Command45_Click();
    EXPECT_EQ(modals.titles, QStringList({"批量添加关键词"}));
    EXPECT_EQ(Column(), QStringLiteral("a,new"));
    EXPECT_EQ(MasterColumn(), QStringLiteral("a,new"));
    EXPECT_EQ(StoredKeywords(), QStringList({"a", "new"}));
}

TEST_F(DatabaseCommandsTest, TheComparisonGetsTheCheckedKeywords) {
    struct Tool final : ComparisonTool {
        void CompareKeywords(const QString& keywords) override { handed << keywords; }
        QStringList handed;
    } tool;
    InstallComparisonTool(&tool);
    关键词数据库& w = OpenWith({"a|1|1|1|2026-12-01", "b|1|1|1|2026-12-01", "c|1|1|1|2026-12-01"});
    Check({1, 3});
    w.Command13_Click();
    InstallComparisonTool(nullptr);
    EXPECT_EQ(tool.handed, QStringList({"a#c"}));
}

TEST_F(DatabaseCommandsTest, UnsafeKeywordsSurviveLoadFilterSortExportAndDelete) {
    QStringList rows;
    for (const QString& keyword : UnsafeKeywords())
        rows << keyword + QStringLiteral("|1|1|1|2026-12-01");
    OpenWith(rows);
    RegisterWorkWindow(WorkWindowKind::Database, [this] { return new 关键词数据库(memory); });
    关键词数据库& w = *dynamic_cast<关键词数据库*>(LoadWorkWindow(WorkWindowKind::Database));
    EXPECT_EQ(w.ListView16->Rows().Count(), UnsafeKeywords().size());
    for (int i = 1; i <= w.ListView16->Count(); ++i)
        EXPECT_EQ(w.ListView16->Rows().Text(i), UnsafeKeywords()[i - 1]);

    w.Text4->SetText(QStringLiteral("%#_#'"));
    w.Command22_Click();
    EXPECT_EQ(w.ListView16->Count(), 3);
    w.Command17_Click();
    w.ListView16_ColumnClick(1);

    QWidget owner;
    WorkWindowMenus menus(&owner);
    prompts.Type(QStringLiteral("unsafe"))
        .Type(platform::ProgramFolder())
        .Answer(platform::Answer::Cancel);
    menus.m_txt3->trigger();
    QFile exported(platform::ProgramFolder() + QStringLiteral("/unsafe.txt"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(exported.readAll());
    for (const QString& keyword : UnsafeKeywords().mid(0, 3)) EXPECT_TRUE(text.contains(keyword));

    w.Command53_Click();
    w.Command48_Click();
    EXPECT_EQ(w.ListView16->Count(), 0);
    EXPECT_EQ(w.ListView13.Count(), 0);
    EXPECT_TRUE(StoredKeywords().isEmpty());
    UnloadWorkWindow(WorkWindowKind::Database);
    RegisterWorkWindow(WorkWindowKind::Database, {});
}

// Both are told as the damage they are, once in the run (never as a missing file, whose download
// would take the user's keywords with it).
TEST_F(DatabaseCommandsTest, AnEmptyOrDamagedDatabaseFileIsToldAndLeavesTheListEmpty) {
    const QByteArray files[] = {QByteArray(), QByteArray(4096, 'x')};
    const size_t before = prompts.prompts().size();
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.size());
        ForgetSharedConnection();
        memory = {};
        QFile db(DatabasePath());
        ASSERT_TRUE(db.open(QIODevice::WriteOnly | QIODevice::Truncate));
        db.write(bytes);
        db.close();

        Open();

        EXPECT_EQ(window->ListView16->Count(), 0);
    }
    ASSERT_EQ(prompts.prompts().size(), before + 1);
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("数据库文件已损坏或缺少数据表")))
        << prompts.LastText().toStdString();
}

}  // namespace

#include "database_window/db_column_sort.h"

namespace {

TEST(DbColumnSort, CellsReadAsNumbersAndDatesOnlyWhenTheyAreSuch) {
    EXPECT_EQ(CellNumber(u"1,234.5"), 1234.5);
    EXPECT_EQ(CellNumber(u" +3e2 "), 300.0);
    for (const char16_t* text : {u"-", u"", u"更新中...", u"1.2.3", u"inf", u"12abc"})
        EXPECT_FALSE(CellNumber(text).has_value());
    EXPECT_LT(*CellMoment(u"2009-1-5"), *CellMoment(u"2010/6/24"));
    EXPECT_LT(*CellMoment(u"2026-11-30 08:00:00"), *CellMoment(u"2026-12-01"));
    EXPECT_LT(*CellMoment(u"2026-12-01"), *CellMoment(u"2026-12-01 9:05"));
    for (const char16_t* text : {u"-", u"2026-13-01", u"2026-12", u"2026-12/01", u"12:00"})
        EXPECT_FALSE(CellMoment(text).has_value());
}

}  // namespace
