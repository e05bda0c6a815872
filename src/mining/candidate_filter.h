#pragma once

#include <QString>
#include <optional>

namespace platform {
class RowTable;
}

// Which related keywords a mining run lists.
namespace mining {

// Whether `text` contains one of the "#"-separated `words`, each an exact, case-sensitive
// substring, blanks included. An empty word (from "##" or a "#" at either end) stands for
// nothing: it would otherwise exclude every candidate.
bool ContainsAnyWord(const QString& text, const QString& words);

// The options of a mode that a candidate must satisfy, as they stand for this candidate.
struct CandidateOptions {
    bool mustContainSeed = false;
    // The exclusion words as typed, while the exclusion option is ticked.
    std::optional<QString> exclusionWords;
};

// Whether `keyword` is listed already: in the shown list, or in its master copy (`master`,
// none for a list without one), which keeps the rows a filter took out of the shown list.
bool Listed(const QString& keyword, const platform::RowTable& shown,
            const platform::RowTable* master);

// Whether `candidate` (lower-cased and trimmed) becomes a new row: not empty, containing the
// seed when the options ask for it, containing none of the exclusion words (trimmed and
// lower-cased), and not listed yet.
bool AcceptCandidate(const QString& candidate, const QString& seed, const CandidateOptions& options,
                     const platform::RowTable& shown, const platform::RowTable* master);

}  // namespace mining
