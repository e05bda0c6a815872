#include "research_tools/page_text.h"

namespace research {

std::optional<QString> FindBetween(const QString& text, const QString& first, const QString& end) {
    const qsizetype start = text.indexOf(first);
    if (start < 0) return std::nullopt;
    const qsizetype from = start + first.size();
    const qsizetype stop = text.indexOf(end, from);
    if (stop < 0) return std::nullopt;
    return text.mid(from, stop - from);
}

}  // namespace research
