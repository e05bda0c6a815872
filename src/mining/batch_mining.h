#pragma once

#include <QString>
#include <QStringList>

#include "mining/mining_binding.h"

// The batch mode: every checked keyword of the batch keyword list, from the top, becomes in
// turn the seed of a mining run into the batch result list; after each keyword its results are
// saved when the pane asks for it and the position moves on; after the last one the user is
// told, or the machine is switched off when the pane asks for that.
namespace mining {

// How far a batch has got, beyond the run of its current keyword.
struct BatchRunState : MiningRunState {
    // A batch was started and has not ended: it is running or paused.
    bool BatchActive = false;
    // The batch's keywords, the checked rows of the batch list as the batch started: ticks and
    // rows changed meanwhile neither skip nor rename a keyword of the batch.
    QStringList Keywords;
    // The keywords of this batch whose results were to be saved and were not.
    QStringList Unsaved;
    // The result rows of this batch that table keywords refused.
    int UnsavedRows = 0;
    // Why the row saves of this batch stopped (another program's lock, a file moved away): the
    // rows after it were not saved. Empty while they go on.
    QString SavesStoppedBy;
    // The keywords of this batch some of whose sources gave no page, each with how many.
    QList<std::pair<QString, int>> WithoutPage;
};

// How the saving of one keyword's results went.
enum class SaveOutcome { NotAsked, Saved, Failed };

// What the batch mode gives the run besides what every mode gives.
class BatchMiningBinding : public MiningBinding {
  public:
    metrics::Pane ResultPane() const override { return metrics::Pane::Batch; }
    MiningRunState& RunState() override { return BatchState(); }
    virtual BatchRunState& BatchState() = 0;
    // A start is refused while the batch has no keyword.
    QString Refusal() override;
    // The batch's keyword at the batch position; a position that names none starts the batch
    // again from its first keyword.
    QString Seed() override;
    // A batch leaves the regular pane's result filter alone.
    void SetFilterEnabled(bool) override {}

    // The checked keywords of the batch list, top to bottom.
    virtual QStringList CheckedKeywords() const = 0;
    // The batch position box (txtkw): which keyword of the batch, from 1.
    virtual QString Position() const = 0;
    virtual void SetPosition(const QString& position) = 0;
    // Saves the current keyword's results when the pane asks for it.
    virtual SaveOutcome SaveResults() = 0;
    // Whether the pane asks for the machine to be switched off at the end of the batch.
    virtual bool ShutDownAtEnd() const = 0;
};

// One click on the batch mode's button: starts or resumes the batch and runs it keyword after
// keyword until it pauses or ends, or asks the active run to pause.
void BatchMiningClick(BatchMiningBinding& binding);

// Switches the machine off: mode 1 shuts it down, 2 restarts it, 3 powers it off; any other
// mode does nothing. A refusal of the system goes unreported.
void ShutdownMachine(qint16 mode);

}  // namespace mining
