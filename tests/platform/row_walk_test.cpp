#include "platform/row_walk.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/row_table.h"

using platform::RowTable;
using platform::RowWalk;

namespace {

// A walk from row b of a,b,c,d goes on in the order the rows had when it started, whatever
// the table goes through after b's turn; a row removed meanwhile is handed out ("-": its key
// finds no row), a row added is not.
TEST(RowWalkTest, GoesOnInTheStartOrderWhateverTheTableGoesThrough) {
    const struct {
        const char* change;
        std::function<void(RowTable&)> apply;
        QString walked;
    } cases[] = {
        {"none", [](RowTable&) {}, "b,c,d"},
        {"a row added at the end", [](RowTable& t) { t.Add(QStringLiteral("e")); }, "b,c,d"},
        {"rows appended",
         [](RowTable& t) {
             RowTable::Appender append(t, 1);
             append.AddNew(QStringLiteral("e"));
         },
         "b,c,d"},
        {"sorted backwards",
         [](RowTable& t) {
             t.SetSorting(platform::SortRule{0, Qt::DescendingOrder, platform::TextLess});
         },
         "b,c,d"},
        {"the next row removed", [](RowTable& t) { t.Remove(3); }, "b,-,d"},
        {"the last row filtered out",
         [](RowTable& t) { t.RemoveWhere([&t](int row) { return t.Text(row) == "d"; }); }, "b,c,-"},
        {"rebuilt from a copy in another order",
         [](RowTable& t) {
             RowTable copy;
             copy.RebuildFrom(t);
             copy.SetSorting(platform::SortRule{0, Qt::DescendingOrder, platform::TextLess});
             t.RebuildFrom(copy);
         },
         "b,c,d"},
        {"cleared", [](RowTable& t) { t.Clear(); }, "b,-,-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        RowTable table;
        for (const char* text : {"a", "b", "c", "d"}) table.Add(QString::fromUtf8(text));
        RowWalk walk(table, 2);
        QStringList walked;
        while (const quint64 key = walk.Next()) {
            const int row = table.IndexOfKey(key);
            walked << (row ? table.Text(row) : QStringLiteral("-"));
            if (walked.size() == 1) c.apply(table);
        }
        EXPECT_EQ(walked.join(u','), c.walked);
        EXPECT_EQ(walk.Next(), 0u) << "an ended walk stays ended";
    }
}

TEST(RowWalkTest, AWalkFromBeyondTheLastRowHandsOutNothing) {
    RowTable table;
    EXPECT_EQ(RowWalk(table, 1).Next(), 0u);
    table.Add(QStringLiteral("a"));
    EXPECT_EQ(RowWalk(table, 2).Next(), 0u);
    RowWalk one(table, 1);
    EXPECT_EQ(one.Next(), table.Key(1));
    EXPECT_EQ(one.Next(), 0u);
}

}  // namespace
