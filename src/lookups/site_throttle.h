#pragma once

#include <QDateTime>
#include <QString>
#include <chrono>
#include <optional>

namespace lookups {

// How long a throttled request waits: nothing for the first one (no `last`) or once the gap
// has passed; otherwise until strictly more than the rest of the gap has passed. `gapText` is
// the gap in seconds as the settings hold it; a missing or unreadable one is no gap. Seconds
// are compared rounded to whole ones, halves to the even neighbour, as the gap itself is.
std::chrono::milliseconds ThrottleDelay(const std::optional<QDateTime>& last, const QDateTime& now,
                                        const QString& gapText);

}  // namespace lookups
