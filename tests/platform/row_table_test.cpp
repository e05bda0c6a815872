#include "platform/row_table.h"

#include <gtest/gtest.h>

#include <QPixmap>
#include <QSet>
#include <QSignalSpy>

using platform::ListContainsText;
using platform::RowTable;
using platform::SortRule;

namespace {

// The row texts, top to bottom, joined by ",".
QString Texts(const RowTable& table) {
    QStringList texts;
    for (int i = 1; i <= table.Count(); ++i) texts << table.Text(i);
    return texts.join(u',');
}

// Gives `table` two columns and a row for each of `texts`.
void Fill(RowTable& table, const QStringList& texts) {
    table.AddColumn(QStringLiteral("关键词"), 1500);
    table.AddColumn(QStringLiteral("搜索量"), 1000);
    for (const QString& text : texts) table.Add(text);
}

TEST(RowTableTest, RowsCountFromOneAndKeepTheirKeyUntilRemoved) {
    RowTable table;
    Fill(table, {QStringLiteral("减肥"), QStringLiteral("瘦身")});
    table.Item(2).SetSubItem(1, QStringLiteral("12"));
    table.Item(2).SetSubItem(3, QStringLiteral("beyond the columns"));

    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Item(2).SubItem(1), QStringLiteral("12"));
    EXPECT_EQ(table.Item(2).SubItem(2), QString());
    EXPECT_EQ(table.Item(2).SubItem(3), QStringLiteral("beyond the columns"));
    EXPECT_EQ(table.Item(1).SubItem(1), QString());

    // Changing a middle cell keeps the cells after it.
    table.SetCell(2, 1, QStringLiteral("123456"));
    EXPECT_EQ(table.Cell(2, 3), QStringLiteral("beyond the columns"));
    table.SetText(2, QString());
    EXPECT_EQ(table.Cell(2, 1), QStringLiteral("123456"));

    const quint64 key = table.Key(2);
    table.Remove(1);
    EXPECT_EQ(table.IndexOfKey(key), 1);
    table.Remove(1);
    EXPECT_EQ(table.IndexOfKey(key), 0);
}

TEST(RowTableTest, DuplicateTestTrimsAndLowersTheNeedleButNotTheRows) {
    RowTable table;
    Fill(table, {QStringLiteral("seo"), QStringLiteral("SEM"), QStringLiteral("seo")});
    struct Case {
        const char* needle;
        bool found;
    } cases[] = {{"seo", true},  {"  SEO  ", true}, {"sem", false},
                 {"SEM", false}, {"\tseo", false},  {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(ListContainsText(QString::fromUtf8(c.needle), table), c.found) << c.needle;

    // The look-up follows every change of the row texts.
    table.Remove(1);
    EXPECT_TRUE(ListContainsText(QStringLiteral("seo"), table)) << "one of two copies is left";
    table.SetText(2, QStringLiteral("sea"));
    EXPECT_FALSE(ListContainsText(QStringLiteral("seo"), table));
    table.RemoveWhere([&table](int index) { return table.Text(index) == u"sea"; });
    EXPECT_FALSE(ListContainsText(QStringLiteral("sea"), table));
    RowTable copy;
    copy.RebuildFrom(table);
    EXPECT_TRUE(copy.ContainsText(QStringLiteral("SEM")));
    table.Clear();
    EXPECT_FALSE(table.ContainsText(QStringLiteral("SEM")));
}

// The duplicate test stays right through many texts counted and forgotten (its blocks grow,
// and forgotten texts make room for others), and a sub-item row keeps every cell.
TEST(RowTableTest, TheDuplicateTestFollowsThousandsOfChanges) {
    RowTable table;
    for (int i = 0; i < 5000; ++i) table.Add(QStringLiteral("k%1").arg(i % 3000));
    table.RemoveWhere([&table](int index) { return index % 2 == 0; });
    // Counted again here, so that the changes below count and forget texts one at a time.
    ASSERT_TRUE(table.ContainsText(table.Text(1)));
    for (int i = 1; i <= table.Count(); i += 3) table.SetText(i, QStringLiteral("x%1").arg(i));
    for (int i = 0; i < 400; ++i) table.Remove(1);
    QSet<QString> texts;
    for (int i = 1; i <= table.Count(); ++i) texts.insert(table.Text(i));
    for (int i = 0; i < 3000; ++i)
        for (const QString& text : {QStringLiteral("k%1").arg(i), QStringLiteral("x%1").arg(i)})
            EXPECT_EQ(table.ContainsText(text), texts.contains(text)) << text.toStdString();

    table.Item(1).SetSubItem(20, QStringLiteral("twentieth"));
    table.Item(1).SetSubItem(2, QStringLiteral("second"));
    EXPECT_EQ(table.Cell(1, 20), QStringLiteral("twentieth"));
    EXPECT_EQ(table.Cell(1, 2), QStringLiteral("second"));
    EXPECT_EQ(table.Cell(1, 19), QString());
}

// New rows added in one pass show at once, after the table's rows and in its order when it is
// sorted, or go again whole.
TEST(RowTableTest, AnAppenderShowsItsRowsAtOnceOrTakesThemBack) {
    RowTable table;
    Fill(table, {"b", "d"});
    table.SetSorting(SortRule{});
    QSignalSpy inserted(&table, &RowTable::rowsInserted);
    {
        RowTable::Appender rows(table, 3);
        EXPECT_TRUE(rows.AddNew(QStringLiteral("c")));
        EXPECT_FALSE(rows.AddNew(QStringLiteral("d"))) << "a row has it";
        EXPECT_FALSE(rows.AddNew(QStringLiteral("c"))) << "an added row has it";
        EXPECT_TRUE(rows.AddNew(QStringLiteral("a")));
        EXPECT_EQ(table.rowCount(), 2) << "no view sees them yet";
        EXPECT_TRUE(table.ContainsText(QStringLiteral("a")));
    }
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(Texts(table), QStringLiteral("a,b,c,d"));
    {
        RowTable::Appender rows(table, 1);
        EXPECT_TRUE(rows.AddNew(QStringLiteral("e")));
        rows.Drop();
    }
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(Texts(table), QStringLiteral("a,b,c,d"));
    EXPECT_FALSE(table.ContainsText(QStringLiteral("e")));
}

TEST(ListContainsTextTest, FindsTheTrimmedLowerCasedTextAmongRowsAsTheyStand) {
    platform::RowTable list;
    list.AddColumn(QStringLiteral("关键词"), 1500);
    EXPECT_FALSE(platform::ListContainsText(QStringLiteral("seo"), list));

    list.Add(QStringLiteral("SEO 优化"));
    list.Add(QStringLiteral(" seo "));
    EXPECT_FALSE(platform::ListContainsText(QStringLiteral("SEO 优化"), list));
    EXPECT_FALSE(platform::ListContainsText(QStringLiteral("seo"), list));

    list.Add(QStringLiteral("seo 优化"));
    EXPECT_TRUE(platform::ListContainsText(QStringLiteral("  SEO 优化 "), list));
}

TEST(RowTableTest, BulkChangesAreOnePassAndOneReset) {
    RowTable table;
    Fill(table, {"a", "b", "c", "d", "e"});
    table.SetBold(1, true);
    for (int i : {2, 4}) table.SetChecked(i, true);
    QSignalSpy resets(&table, &RowTable::modelReset);

    EXPECT_EQ(table.RemoveChecked(), 2);
    EXPECT_EQ(Texts(table), QStringLiteral("a,c,e"));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(table.RemoveWhere([](int) { return false; }), 0);
    EXPECT_EQ(resets.count(), 1) << "nothing removed, nothing reset";

    RowTable master;
    Fill(master, {"a", "b", "c"});
    master.SetBold(2, true);
    master.SetCell(3, 1, QStringLiteral("99"));
    master.SetChecked(3, true);
    table.RebuildFrom(master);
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(Texts(table), QStringLiteral("a,b,c"));
    EXPECT_TRUE(table.Bold(2));
    EXPECT_FALSE(table.Bold(1));
    EXPECT_EQ(table.Cell(3, 1), QStringLiteral("99"));
    EXPECT_FALSE(table.Checked(3)) << "the restored rows start unchecked";
    EXPECT_EQ(table.Key(2), master.Key(2)) << "a restored row is still its master's row";

    table.SetAllChecked(true);
    EXPECT_TRUE(table.Checked(1) && table.Checked(2) && table.Checked(3));
    table.SetAllChecked(false);
    EXPECT_FALSE(table.AnyChecked());
}

bool ByLength(QStringView a, QStringView b) {
    return a.size() < b.size();
}

TEST(RowTableTest, ASortedTableKeepsItsOrderWhileRowsAreAdded) {
    struct Case {
        Qt::SortOrder order;
        platform::CellLess less;
        QStringList rows;
        QStringList added;
        const char* expected;
    } cases[] = {
        {Qt::AscendingOrder, platform::TextLess, {"b", "C", "a"}, {"B", "0"}, "0,a,b,B,C"},
        {Qt::DescendingOrder, platform::TextLess, {"b", "C", "a"}, {"B"}, "C,b,B,a"},
        // Equal cells keep the order they came in, as a stable sort leaves them.
        {Qt::AscendingOrder, ByLength, {"bb", "a", "cc"}, {"dd", "e"}, "a,e,bb,cc,dd"},
    };
    for (const Case& c : cases) {
        RowTable table;
        Fill(table, c.rows);
        table.SetSorting(SortRule{0, c.order, c.less});
        for (const QString& text : c.added) table.Add(text);
        EXPECT_EQ(Texts(table), QString::fromUtf8(c.expected));
    }

    // A sort on a sub-item; switched off, rows are appended again.
    RowTable table;
    Fill(table, {"x", "y"});
    table.SetCell(1, 1, QStringLiteral("2"));
    table.SetCell(2, 1, QStringLiteral("1"));
    const quint64 x = table.Key(1);
    table.SetSorting(SortRule{1, Qt::AscendingOrder, platform::TextLess});
    EXPECT_EQ(Texts(table), QStringLiteral("y,x"));
    EXPECT_EQ(table.IndexOfKey(x), 2);
    table.SetSorting(std::nullopt);
    table.Add(QStringLiteral("a"));
    EXPECT_EQ(Texts(table), QStringLiteral("y,x,a"));
}

// The bold mark counted through every change that takes rows away or copies them: a table
// whose last bold row went says so without looking.
TEST(RowTableTest, TheFirstBoldRowIsFoundAfterEachKindOfChange) {
    RowTable table;
    Fill(table, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(table.FirstBold(), 0);
    table.SetBold(4, true);
    table.SetBold(2, true);
    table.SetBold(2, true);
    EXPECT_EQ(table.FirstBold(), 2);
    table.SetBold(2, false);
    EXPECT_EQ(table.FirstBold(), 4);
    table.Remove(4);
    EXPECT_EQ(table.FirstBold(), 0) << "the bold row removed";
    table.SetBold(1, true);
    table.RemoveWhere([](int row) { return row == 1; });
    EXPECT_EQ(table.FirstBold(), 0) << "the bold row filtered out";
    {
        RowTable::Appender append(table, 1);
        append.AddNew(QStringLiteral("f"));
        table.SetBold(table.Count(), true);
        append.Drop();
    }
    EXPECT_EQ(table.FirstBold(), 0) << "the bold row appended and taken back";
    table.SetBold(3, true);
    RowTable copy;
    copy.RebuildFrom(table);
    EXPECT_EQ(copy.FirstBold(), 3) << "a copy keeps the bold marks";
    copy.SetSorting(SortRule{0, Qt::DescendingOrder, platform::TextLess});
    EXPECT_EQ(copy.FirstBold(), 1) << Texts(copy).toStdString();
    copy.Clear();
    copy.Add(QStringLiteral("g"));
    EXPECT_EQ(copy.FirstBold(), 0) << "cleared";
    {
        RowTable::Loader load(table, 1);
        load.AddRow(QStringLiteral("h"), 0);
    }
    EXPECT_EQ(table.FirstBold(), 0) << "loaded anew";
}

// A row is found by its key wherever it stands: in a table loaded in one pass and in its copy,
// after a sort, a removal and rows added, and when its keys lie far apart.
TEST(RowTableTest, EveryRowIsFoundByItsKeyAfterEachKindOfChange) {
    RowTable loaded;
    {
        RowTable::Loader load(loaded, 4);
        for (const char* text : {"d", "b", "c", "a"}) load.AddRow(QString::fromUtf8(text), 0);
    }
    RowTable copy;
    copy.RebuildFrom(loaded);
    EXPECT_EQ(copy.Key(3), loaded.Key(3)) << "a copy's rows keep their source's keys";
    // Keys of another table taken in between lie among this one's.
    RowTable sparse;
    RowTable other;
    for (int i = 0; i < 3; ++i) {
        sparse.Add(QString::number(i));
        for (int k = 0; k < 5000; ++k) other.Add(QString());
    }
    const auto expectEveryRowFound = [](const RowTable& table, const char* when) {
        for (int row = 1; row <= table.Count(); ++row)
            EXPECT_EQ(table.IndexOfKey(table.Key(row)), row) << when;
    };
    for (RowTable* table : {&loaded, &copy, &sparse}) {
        expectEveryRowFound(*table, "as made");
        const quint64 second = table->Key(2);
        table->SetSorting(SortRule{0, Qt::DescendingOrder, platform::TextLess});
        expectEveryRowFound(*table, "sorted");
        table->SetSorting(std::nullopt);
        table->Remove(table->IndexOfKey(second));
        EXPECT_EQ(table->IndexOfKey(second), 0) << "a removed row is gone";
        table->Add(QStringLiteral("e"));
        expectEveryRowFound(*table, "after a removal and an addition");
    }
}

TEST(RowTableTest, OnlyTheUserRaisesCheckAndEditEvents) {
    RowTable table;
    Fill(table, {"seo"});
    table.SetCheckable(true);
    table.SetEditable(true);
    QSignalSpy checks(&table, &RowTable::CheckedByUser);
    QSignalSpy edits(&table, &RowTable::TextEditedByUser);

    table.SetChecked(1, true);
    table.SetText(1, QStringLiteral("seo2"));
    EXPECT_EQ(checks.count(), 0);
    EXPECT_EQ(edits.count(), 0);

    // What a click on the box and an edit in place do through the model.
    EXPECT_TRUE(table.setData(table.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(table.Checked(1));
    EXPECT_EQ(checks.count(), 1);
    EXPECT_TRUE(table.setData(table.index(0, 0), QStringLiteral("new"), Qt::EditRole));
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits.at(0).at(1).toString(), QStringLiteral("new"));
    EXPECT_EQ(table.Text(1), QStringLiteral("seo2")) << "the handler decides what is kept";
}

TEST(RowTableTest, AHeaderIsRewrittenWithoutTouchingTheRows) {
    RowTable table;
    Fill(table, {QStringLiteral("减肥")});
    table.Item(1).SetSubItem(1, QStringLiteral("12"));
    QSignalSpy headers(&table, &RowTable::headerDataChanged);
    QSignalSpy resets(&table, &RowTable::modelReset);

    table.SetColumnText(2, QStringLiteral("本周总搜索量"));
    table.SetColumnText(2, QStringLiteral("本周总搜索量"));  // unchanged: nothing raised
    table.SetColumnText(3, QStringLiteral("no such column"));

    EXPECT_EQ(table.ColumnText(2), QStringLiteral("本周总搜索量"));
    EXPECT_EQ(table.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("本周总搜索量"));
    EXPECT_EQ(table.ColumnCount(), 2);
    EXPECT_EQ(headers.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(table.Item(1).SubItem(1), QStringLiteral("12"));
}

}  // namespace

namespace {

TEST(RowTableTest, ARowShowsThePictureItsIconKeyNamesInItsFirstColumn) {
    RowTable table;
    Fill(table, {"百度", "站点"});
    QPixmap picture(8, 8);
    picture.fill(Qt::blue);
    table.SetImageList({{QStringLiteral("baidu"), QIcon(picture)}});
    table.Item(1).SetSmallIcon(QStringLiteral("baidu"));
    table.Item(2).SetSmallIcon(QStringLiteral("unknown"));

    EXPECT_EQ(table.Item(1).SmallIcon(), QStringLiteral("baidu"));
    EXPECT_FALSE(table.data(table.index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(table.data(table.index(0, 1), Qt::DecorationRole).isValid()) << "first column";
    EXPECT_TRUE(table.data(table.index(1, 0), Qt::DecorationRole).value<QIcon>().isNull())
        << "a key without a picture shows none";

    RowTable copy;
    copy.RebuildFrom(table);
    EXPECT_EQ(copy.SmallIcon(1), QStringLiteral("baidu")) << "a rebuilt row keeps its icon";
}

}  // namespace
