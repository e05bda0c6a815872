#pragma once

namespace platform {
class Connection;
class RowTable;
}  // namespace platform

// The batch keyword list of table kwlist (kws is the keyword, lower-case and trimmed), below
// the batch pane's list.
namespace batch_keywords {

// Fills `list` anew from the table, one unchecked row per record in the table's order. A table
// that cannot be read leaves the list empty.
void ReloadBatchKeywords(platform::Connection& connection, platform::RowTable& list);

}  // namespace batch_keywords
