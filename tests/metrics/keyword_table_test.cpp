#include "metrics/keyword_table.h"

#include <gtest/gtest.h>

#include "shared/shared_connection.h"
#include "support/list_ends.h"
#include "support/other_program.h"
#include "support/test_environment.h"
#include "test_host.h"

namespace {

using metrics::Pane;
using namespace metrics_testing;

const QString kToday = QStringLiteral("2026-12-10");

class KeywordTableTest : public testing_support::TestEnvironment {
  protected:
    KeywordTableTest() {
        window.seed = QStringLiteral(" 减肥 ");
        window.batchKeyword = QStringLiteral("瘦身 ");
    }

    TestMiningWindow window;
};

TEST_F(KeywordTableTest, ANewKeywordIsInsertedWithThePanesParentKeyword) {
    const struct {
        Pane pane;
        const char* keyword;
        const char* row;
    } cases[] = {
        {Pane::Regular, " 减肥茶 ", "减肥茶|减肥|120|35|1230|2026-12-10"},
        {Pane::Batch, "瘦身汤", "瘦身汤|瘦身 |120|35|1230|2026-12-10"},
        {Pane::Manual, " SEO's ", "seo's|seo's|120|35|1230|2026-12-10"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(metrics::SaveKeywordRow(window, c.pane,
                                            {QString::fromUtf8(c.keyword), QStringLiteral("120"),
                                             QStringLiteral("35"), QStringLiteral(" 1230 ")}));
        EXPECT_EQ(testing_support::LastOf(db.Rows()), QString::fromUtf8(c.row));
    }
}

TEST_F(KeywordTableTest, AValueThatIsNoNumberIsStoredAsNotObtained) {
    metrics::SaveKeywordRow(window, Pane::Regular,
                            {QStringLiteral("词"), QStringLiteral("-"), QStringLiteral(""),
                             QStringLiteral("正在查询中...")});
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("词|减肥|-|-|-|2026-12-10")});
}

// The stored monthly and yesterday's volumes always come from one lookup.
TEST_F(KeywordTableTest, AKeywordStoredTodayKeepsItsValuesAndGetsOnlyWhatItLacked) {
    const struct {
        QVariant month, day, count;
        const char* row;
    } cases[] = {
        // No stored pair (a lone monthly value is none): the new pair goes in whole.
        {QStringLiteral("80"), QStringLiteral("-"), QVariant(), "词|旧|120|35|1230|2026-12-10"},
        {QVariant(), QVariant(), QStringLiteral("9"), "词|旧|120|35|9|2026-12-10"},
        // A stored pair stays whole, whatever the new lookup found.
        {QStringLiteral("80"), QStringLiteral("20"), QStringLiteral("-"),
         "词|旧|80|20|1230|2026-12-10"},
        {QStringLiteral("-"), QStringLiteral("20"), QStringLiteral("9"), "词|旧|-|20|9|2026-12-10"},
    };
    for (const auto& c : cases) {
        SharedConnection().Execute(QStringLiteral("delete from keywords"));
        db.Insert(QStringLiteral("词"), QStringLiteral("旧"), c.month, c.day, c.count, kToday);
        EXPECT_TRUE(metrics::SaveKeywordRow(window, Pane::Regular,
                                            {QStringLiteral("词"), QStringLiteral("120"),
                                             QStringLiteral("35"), QStringLiteral("1230")}));
        EXPECT_EQ(db.Rows(), QStringList{QString::fromUtf8(c.row)});
    }
}

TEST_F(KeywordTableTest, AKeywordStoredEarlierIsRefreshedInEveryRowTheParentExceptOnTheManualPane) {
    for (const Pane pane : {Pane::Regular, Pane::Manual}) {
        SharedConnection().Execute(QStringLiteral("delete from keywords"));
        db.Insert(QStringLiteral("词"), QStringLiteral("旧"), QStringLiteral("1"),
                  QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2026-12-09"));
        db.Insert(QStringLiteral("词"), QStringLiteral("旧"), QStringLiteral("1"),
                  QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2025-01-01"));
        db.Insert(QStringLiteral("别的"), QStringLiteral("旧"), QStringLiteral("1"),
                  QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2025-01-01"));
        EXPECT_TRUE(metrics::SaveKeywordRow(window, pane,
                                            {QStringLiteral("词"), QStringLiteral("120"),
                                             QStringLiteral("35"), QStringLiteral("1230")}));
        const QString refreshed = pane == Pane::Regular
                                      ? QStringLiteral("词|减肥|120|35|1230|2026-12-10")
                                      : QStringLiteral("词|旧|120|35|1230|2026-12-10");
        EXPECT_EQ(db.Rows(),
                  QStringList({refreshed, refreshed, QStringLiteral("别的|旧|1|2|3|2025-01-01")}));
    }
}

TEST_F(KeywordTableTest, NothingIsWrittenWhenTheDatabaseIsMissing) {
    window.dbMissing = true;
    EXPECT_FALSE(metrics::SaveKeywordRow(
        window, Pane::Regular,
        {QStringLiteral("词"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_TRUE(db.Rows().isEmpty());

    window.selectedRow = window.AddRow(Pane::Regular, QStringLiteral("词"));
    metrics::Addto_db(window);
    EXPECT_EQ(prompts.Texts(),
              QStringList{QStringLiteral("缺失数据库文件的情况下，本功能暂时被禁用！")});
    EXPECT_TRUE(db.Rows().isEmpty());
}

TEST_F(KeywordTableTest, AddtoDbStoresTheSelectedRowOnceAndCountsOnlyWhatWasWritten) {
    window.AddRow(Pane::Regular, QStringLiteral("别的"));
    const int row = window.AddRow(Pane::Regular, QStringLiteral(" SEO "));
    window.ListView1.SetCell(row, 1, QStringLiteral("120"));
    window.ListView1.SetCell(row, 2, QStringLiteral("35"));
    window.ListView1.SetCell(row, 3, QStringLiteral("正在查询中..."));
    window.selectedRow = row;

    metrics::Addto_db(window);
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("seo|减肥|120|35|-|2026-12-10")});
    metrics::Addto_db(window);
    EXPECT_EQ(db.Rows().size(), 1);
    ASSERT_EQ(prompts.Texts(), QStringList({QStringLiteral("成功提交了1条数据至数据库！"),
                                            QStringLiteral("成功提交了0条数据至数据库！")}));
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Information);
}

// A write the database refuses is never told as a success.
TEST_F(KeywordTableTest, AddtoDbTellsAFailedWrite) {
    window.selectedRow = window.AddRow(Pane::Regular, QStringLiteral("SEO"));
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("create trigger refuse before insert on keywords "
                       "begin select raise(abort, 'disk is full'); end")));

    metrics::Addto_db(window);

    ASSERT_EQ(prompts.Texts(),
              QStringList{QStringLiteral(
                  "未能将“seo”加入关键词数据库，数据库无法写入：\r\n\r\n数据库操作失败（disk is full）")});
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("保存失败"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Critical);
}

// Another program writing to db.db delays a save until it lets go; the save loses nothing.
TEST_F(KeywordTableTest, ASaveWaitsOutAnotherProgramsWriteLock) {
    metrics::TakeFailedRowSaves();
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        other.EndWhenWaitedFor();
        const int waits = SharedConnection().LockWaits();
        EXPECT_TRUE(metrics::SaveKeywordRow(
            window, Pane::Regular,
            {QStringLiteral("词"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1) << "the save met the lock";
    }
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("词|减肥|1|2|3|2026-12-10")});
    EXPECT_EQ(metrics::TakeFailedRowSaves().rows, 0);
}

// A run of saves learns at its end how many rows the database refused.
TEST_F(KeywordTableTest, FailedRowSavesAreCountedUntilTheCountIsTaken) {
    metrics::TakeFailedRowSaves();
    const metrics::KeywordRowValues row{QStringLiteral("词"), QStringLiteral("1"),
                                        QStringLiteral("2"), QStringLiteral("3")};
    ASSERT_TRUE(metrics::SaveKeywordRow(window, Pane::Regular, row));
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table keywords")));
    EXPECT_FALSE(metrics::SaveKeywordRow(window, Pane::Regular, row));
    EXPECT_FALSE(metrics::SaveKeywordRow(window, Pane::Batch, row));
    window.dbMissing = true;  // the user knows: nothing is saved, nothing counted
    EXPECT_FALSE(metrics::SaveKeywordRow(window, Pane::Regular, row));

    EXPECT_EQ(metrics::TakeFailedRowSaves().rows, 2);
    EXPECT_EQ(metrics::TakeFailedRowSaves().rows, 0);
}

TEST_F(KeywordTableTest, TodaysRowIsReadByKeywordAndDate) {
    db.Insert(QStringLiteral("词"), QStringLiteral("p"), QStringLiteral("280"),
              QStringLiteral("300"), QStringLiteral("5000"), QStringLiteral("2026-12-09"));
    EXPECT_FALSE(metrics::ReadTodaysRow(QStringLiteral("词")));
    db.Insert(QStringLiteral("词"), QStringLiteral("p"), QStringLiteral("280"),
              QStringLiteral("300"), QVariant(), kToday);
    const std::optional<metrics::TodaysRow> row = metrics::ReadTodaysRow(QStringLiteral(" 词 "));
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->HasVolumes());
    EXPECT_FALSE(row->HasCount()) << "a missing value is no stored count";
    EXPECT_FALSE(row->Complete());
}

}  // namespace
