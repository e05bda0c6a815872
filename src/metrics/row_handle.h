#pragma once

#include "platform/row_table.h"

namespace metrics {

// A row of a list taken when a job starts, found again after every wait: a row removed
// meanwhile is gone, one moved by other rows is still the same row.
class RowHandle {
  public:
    RowHandle() = default;
    RowHandle(platform::RowTable* list, int index)
        : list_(list),
          key_(list && index >= 1 && index <= list->Count() ? list->Key(index) : 0),
          index_(index) {}

    // Where the row stands now, from 1; 0 once it is gone.
    int Index() const {
        if (!list_ || key_ == 0) return 0;
        // Usually the row stays where it was: no look-up at all.
        if (index_ <= list_->Count() && list_->Key(index_) == key_) return index_;
        return list_->IndexOfKey(key_);
    }
    platform::RowTable* List() const { return list_; }

  private:
    platform::RowTable* list_ = nullptr;
    quint64 key_ = 0;
    int index_ = 0;
};

// The last row of `list` (nullptr or an empty list: no row).
inline RowHandle LastRow(platform::RowTable* list) {
    return list ? RowHandle(list, list->Count()) : RowHandle();
}

}  // namespace metrics
