#include "platform/row_walk.h"

#include "platform/row_table.h"

namespace platform {

RowWalk::RowWalk(RowTable& table, int first) : table_(table) {
    if (first < 1 || first > table.Count()) return;
    first_ = table.Key(first);
    end_ = table.Key(table.Count());
    // Each is told before the rows move.
    const auto keep = [this] { KeepWhatIsToCome(); };
    QObject::connect(&table, &QAbstractItemModel::rowsAboutToBeInserted, &watch_, keep);
    QObject::connect(&table, &QAbstractItemModel::rowsAboutToBeRemoved, &watch_, keep);
    QObject::connect(&table, &QAbstractItemModel::rowsAboutToBeMoved, &watch_, keep);
    QObject::connect(&table, &QAbstractItemModel::layoutAboutToBeChanged, &watch_, keep);
    QObject::connect(&table, &QAbstractItemModel::modelAboutToBeReset, &watch_, keep);
}

quint64 RowWalk::Next() {
    if (toCome_) return next_ < toCome_->size() ? (*toCome_)[next_++] : 0;
    if (last_ == end_) return 0;
    if (last_ == 0) return last_ = first_;
    // The rows kept their order since the last one was handed out: it is still there.
    const int at = table_.IndexOfKey(last_);
    Q_ASSERT(at > 0 && at < table_.Count());
    // Should a change ever come untold, the walk ends rather than start over from the top.
    if (at == 0 || at >= table_.Count()) {
        last_ = end_;
        return 0;
    }
    return last_ = table_.Key(at + 1);
}

void RowWalk::KeepWhatIsToCome() {
    if (toCome_) return;
    toCome_.emplace();
    if (last_ == end_) return;
    const int from = last_ == 0 ? table_.IndexOfKey(first_) : table_.IndexOfKey(last_) + 1;
    const int to = table_.IndexOfKey(end_);
    toCome_->reserve(static_cast<size_t>(qMax(0, to - from + 1)));
    for (int row = from; row <= to; ++row) toCome_->push_back(table_.Key(row));
}

}  // namespace platform
