#include "lookups/site_throttle.h"

#include <cmath>
#include <limits>

#include "lookups/site_text.h"

namespace lookups {
namespace {

// `seconds` rounded half to even; nothing outside the 32-bit range.
std::optional<qint64> WholeSeconds(double seconds) {
    const double whole = std::nearbyint(seconds);
    if (!std::isfinite(whole) || std::fabs(whole) > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint64(whole);
}

}  // namespace

std::chrono::milliseconds ThrottleDelay(const std::optional<QDateTime>& last, const QDateTime& now,
                                        const QString& gapText) {
    using std::chrono::milliseconds;
    if (!last || !ReadsAsNumber(gapText)) return milliseconds(0);
    const std::optional<qint64> gap =
        WholeSeconds(QString(gapText).remove(u',').trimmed().toDouble());
    const double elapsed = last->msecsTo(now) / 1000.0;
    const std::optional<qint64> elapsedWhole = WholeSeconds(elapsed);
    if (!gap || !elapsedWhole || *elapsedWhole >= *gap) return milliseconds(0);
    const std::optional<qint64> rest = WholeSeconds(double(*gap) - elapsed);
    return milliseconds(std::max<qint64>(rest.value_or(0), 0) * 1000 + 1);
}

}  // namespace lookups
