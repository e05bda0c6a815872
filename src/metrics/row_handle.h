#pragma once

#include "platform/list_view.h"

namespace metrics {

// A row of a list taken when a job starts, found again after every wait: a row removed
// meanwhile is gone, one moved by other rows is still the same row.
class RowHandle {
  public:
    RowHandle() = default;
    RowHandle(platform::ListView* list, platform::ListItem* row)
        : list_(list), key_(row ? row->Key() : 0), index_(row ? row->Index() : 0) {}

    // The row, or nullptr once it is gone.
    platform::ListItem* Get() const {
        if (!list_ || key_ == 0) return nullptr;
        // Usually the row stays where it was: no search through a long list.
        platform::ListItem* there = index_ <= list_->Count() ? list_->Item(index_) : nullptr;
        return there && there->Key() == key_ ? there : list_->FindByKey(key_);
    }

  private:
    platform::ListView* list_ = nullptr;
    quint64 key_ = 0;
    int index_ = 0;
};

// The last row of `list` (nullptr or an empty list: no row).
inline RowHandle LastRow(platform::ListView* list) {
    return list && list->Count() > 0 ? RowHandle(list, list->Item(list->Count())) : RowHandle();
}

}  // namespace metrics
