#include "mining/candidate_filter.h"

#include <gtest/gtest.h>

#include "platform/row_table.h"
#include "support/qt_printers.h"

namespace {

using mining::AcceptCandidate;
using mining::CandidateOptions;
using mining::ContainsAnyWord;

TEST(ContainsAnyWordTest, WordsAreExactSubstringsAndEmptyWordsCountForNothing) {
    const struct {
        const char* text;
        const char* words;
        bool contains;
    } cases[] = {
        {"减肥茶", "", false},
        {"减肥茶", "药#茶", true},
        {"减肥茶", "药#汤", false},
        {"减肥Tea", "tea", false},   // case-sensitive
        {"减肥 茶", "肥 #x", true},  // the blank belongs to the word
        {"减肥茶", "肥 #x", false},
        {"减肥茶", "药##汤", false},  // "##", a leading or a trailing
                                      // "#"
        {"减肥茶", "#药#", false},
        {"减肥茶", "#", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContainsAnyWord(QString::fromUtf8(c.text), QString::fromUtf8(c.words)),
                  c.contains)
            << c.text << " / " << c.words;
}

TEST(AcceptCandidateTest, OptionsAndTheListsDecide) {
    platform::RowTable shown, master;
    for (const char* keyword : {"减肥", "减肥茶"}) {
        shown.Add(QString::fromUtf8(keyword));
        master.Add(QString::fromUtf8(keyword));
    }
    // A row a filter took out of the shown list while the run was paused.
    master.Add(QStringLiteral("减肥药"));
    const QString seed = QStringLiteral("减肥");
    const CandidateOptions none;
    const CandidateOptions mustContain{true, std::nullopt};
    const CandidateOptions excluding{false, QStringLiteral("  药#汤# ")};

    const struct {
        const char* candidate;
        const CandidateOptions& options;
        bool withMaster;
        bool accepted;
    } cases[] = {
        {"", none, true, false},
        {"瘦身", none, true, true},
        {"瘦身", mustContain, true, false},
        {"减肥操", mustContain, true, true},
        {"减肥汤", excluding, true, false},  // words trimmed: "药", "汤", ""
        {"减肥 操", excluding, true, true},  // the empty word excludes nothing
        {"减肥", none, true, false},         // the seed row
        {"减肥茶", none, true, false},
        {"减肥药", none, true, false},  // kept by the master copy alone
        {"减肥药", none, false, true},  // a list without a master copy
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptCandidate(QString::fromUtf8(c.candidate), seed, c.options, shown,
                                  c.withMaster ? &master : nullptr),
                  c.accepted)
            << c.candidate;
}

TEST(AcceptCandidateTest, ExclusionWordsAreLowerCasedAndAnEmptySeedIsInEveryCandidate) {
    platform::RowTable shown;
    const CandidateOptions excluding{true, QStringLiteral("TEA")};
    EXPECT_FALSE(AcceptCandidate(QStringLiteral("减肥tea"), QString(), excluding, shown, nullptr));
    EXPECT_TRUE(AcceptCandidate(QStringLiteral("减肥茶"), QString(), excluding, shown, nullptr));
}

}  // namespace
