#pragma once

#include "metrics/window_context.h"
#include "mining/mining_binding.h"

// What the mining window keeps from one opening to the next. The window's controls are made
// anew at every opening; these fields live as long as the program.
struct MiningWindowFields {
    // A load found db.db missing; nothing clears it.
    bool MiningDbMissing = false;
    // The metric routines' failure count and last Baidu request of the window.
    metrics::WindowMetricsState Metrics = metrics::WindowMetricsState::Counting();
    // How far each mode's run has got: a paused run resumes after a reload. Each mode keeps its
    // own, so that one mode's run never empties or resumes the other's.
    mining::MiningRunState RegularRun;
    mining::MiningRunState BatchRun;
};
