#pragma once

#include <QString>

#include "mining/mining_binding.h"

// One click on a mining mode's button: it starts a run on the mode's seed, resumes the paused
// run of that seed, or asks the active run to pause. A run lists the seed as a bold first row,
// then asks the sources in order and lists each related keyword it accepts, with its metrics.
namespace mining {

enum class ClickOutcome {
    Refused,         // no run could start: the user was told why
    PauseRequested,  // the click asked the active run to pause
    Paused,          // the run stopped at an item after a pause request
    Completed,       // the run went through every source; the mode's end of the run follows
};

// The whole click; it returns once the run has completed or paused, after a refusal, or after
// it asked an active run to pause (that run goes on until its next item).
ClickOutcome MiningClick(MiningBinding& binding);

// The regular mode's button (Command2): a click, then FinishRegularMining and
// TellRegularRunEnd when the run completed.
void RegularMiningClick(RegularMiningBinding& binding);

// The regular mode's end of a run: status "就绪" without progress, the button back to its start
// caption, the filter enabled, and the run state emptied so that the next start begins afresh.
void FinishRegularMining(MiningBinding& binding);

// Tells the user, in one message, how many sources of the finished run gave no page and how
// many of its rows could not be saved in table keywords; nothing when all went well.
void TellRegularRunEnd(int sourcesWithoutPage);

// The end message's line telling that `cause` (another program's lock, a file moved away) held
// off the row saves of a run from one row on.
QString RowSavesStoppedText(const QString& cause);

}  // namespace mining
