#include "mining/candidate_filter.h"

#include <QStringTokenizer>

#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace mining {

bool ContainsAnyWord(const QString& text, const QString& words) {
    for (const QStringView word : QStringTokenizer(words, u'#', Qt::SkipEmptyParts))
        if (text.contains(word)) return true;
    return false;
}

bool Listed(const QString& keyword, const platform::RowTable& shown,
            const platform::RowTable* master) {
    return platform::ListContainsText(keyword, shown) ||
           (master && platform::ListContainsText(keyword, *master));
}

bool AcceptCandidate(const QString& candidate, const QString& seed, const CandidateOptions& options,
                     const platform::RowTable& shown, const platform::RowTable* master) {
    if (candidate.isEmpty()) return false;
    if (options.mustContainSeed && !candidate.contains(seed)) return false;
    if (options.exclusionWords &&
        ContainsAnyWord(candidate, TrimBlanks(*options.exclusionWords).toLower()))
        return false;
    return !Listed(candidate, shown, master);
}

}  // namespace mining
