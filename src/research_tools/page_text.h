#pragma once

#include <QString>
#include <optional>

// Cutting values out of the research pages, where a marker that is missing must be told from
// an empty value.
namespace research {

// The text after the first `first` in `text` up to the next `end` after it, as GetMemo cuts
// it; nothing when either marker is missing (an empty text between two present markers is a
// value).
std::optional<QString> FindBetween(const QString& text, const QString& first, const QString& end);

}  // namespace research
