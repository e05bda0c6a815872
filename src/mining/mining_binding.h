#pragma once

#include <QString>
#include <array>
#include <optional>

#include "metrics/window_context.h"

namespace platform {
class BrowserControl;
}

namespace mining {

inline constexpr int kSourceCount = 8;

// How far the window's mining has got: one set shared by its regular and batch modes, kept for
// as long as the window object lives, so that a paused run can be resumed after a reload.
struct MiningRunState {
    // True while the active run may go on; a pause click clears it and the run stops at its
    // next item.
    bool MiningRunning = false;
    // The seed whose progress SourceDone records; a start with another seed begins afresh.
    QString LastMinedKeyword;
    // One flag per source, in MiningSources order: whether it has delivered all its items for
    // LastMinedKeyword. A resumed run skips the sources done.
    std::array<bool, kSourceCount> SourceDone{};
    // How many of the sources asked about LastMinedKeyword gave no page (no connection, no
    // answer in time): told at the end of the run, so that a failure never reads as a seed
    // without related keywords.
    int SourcesWithoutPage = 0;
};

// The captions of a mode's start and pause button.
inline const QString kStartCaption = QStringLiteral("开始挖掘");
inline const QString kPauseCaption = QStringLiteral("暂停挖掘");
inline const QString kStoppingCaption = QStringLiteral("正在停止");

// What a mining mode of the window gives the run: its seed, its button, its lists and options,
// its progress display and the window's metric context. The mining window implements one for
// each mode.
class MiningBinding {
  public:
    virtual ~MiningBinding() = default;

    // The window as the row metrics see it; it also holds the pane's result list, which the run
    // fills (ResultList), and that list's master copy (SecondList, none for the batch pane).
    virtual metrics::MiningContext& Window() = 0;
    virtual metrics::Pane ResultPane() const = 0;
    // The window's run state, shared by its modes.
    virtual MiningRunState& RunState() = 0;

    // The message that refuses a start, such as a missing seed; empty when a run may start.
    virtual QString Refusal() = 0;
    // The seed a run started now works on.
    virtual QString Seed() = 0;

    // The mode's start and pause button.
    virtual QString ButtonCaption() const = 0;
    virtual void SetButtonCaption(const QString& caption) = 0;
    virtual void SetButtonEnabled(bool enabled) = 0;

    // The candidate options, read afresh for every candidate: whether a candidate must contain
    // the seed, and the exclusion words as typed while the exclusion option is ticked.
    virtual bool MustContainSeed() const = 0;
    virtual std::optional<QString> ExclusionWords() const = 0;

    // The status bar's progress panels: the pane's row count and `keyword`; emptied at the end.
    virtual void ShowProgress(const QString& keyword) = 0;
    virtual void ClearProgress() = 0;
    // The result filter, which a run of the mode disables while it is active; a mode without
    // one ignores this.
    virtual void SetFilterEnabled(bool enabled) = 0;
    // The window's hidden browser that encodes a keyword through the local helper page.
    virtual platform::BrowserControl* HelperBrowser() = 0;
};

// The regular mode: its seed is the seed box lower-cased and without surrounding blanks, and an
// empty box refuses a start.
class RegularMiningBinding : public MiningBinding {
  public:
    metrics::Pane ResultPane() const override { return metrics::Pane::Regular; }
    QString Refusal() override;
    QString Seed() override;
};

}  // namespace mining
