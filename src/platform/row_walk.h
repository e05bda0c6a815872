#pragma once

#include <QObject>
#include <optional>
#include <vector>

namespace platform {

class RowTable;

// A job's walk over the rows of a table, from one row to the row that is last when the walk
// starts, in their order at the start, each handed out by key as its turn comes. While the
// table keeps its order, the next row is the one below the row handed out last, found by that
// row's key: a step costs the same whatever the table's length. The first change of order (rows
// added, removed or sorted, the table reset) takes the keys still to come as they stand just
// before it. A row removed meanwhile is still handed out; its key finds no row.
class RowWalk {
  public:
    // From row `first` (from 1); a walk from beyond the last row hands out nothing.
    RowWalk(RowTable& table, int first);
    RowWalk(const RowWalk&) = delete;
    RowWalk& operator=(const RowWalk&) = delete;

    // The key of the next row; 0 once the walk is over.
    quint64 Next();

  private:
    void KeepWhatIsToCome();

    RowTable& table_;
    quint64 first_ = 0;
    quint64 end_ = 0;
    quint64 last_ = 0;  // the key handed out last; 0 before the first
    // The keys still to come, once the table changed its order.
    std::optional<std::vector<quint64>> toCome_;
    size_t next_ = 0;
    QObject watch_;  // ends the watch on the table with the walk
};

}  // namespace platform
