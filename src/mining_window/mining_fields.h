#pragma once

#include "metrics/window_context.h"

// What the mining window keeps from one opening to the next. The window's controls are made
// anew at every opening; these fields live as long as the program.
struct MiningWindowFields {
    // A load found db.db missing; nothing clears it.
    bool MiningDbMissing = false;
    // The metric routines' failure count and last Baidu request of the window.
    metrics::WindowMetricsState Metrics = metrics::WindowMetricsState::Counting();
};
