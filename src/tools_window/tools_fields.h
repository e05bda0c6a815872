#pragma once

#include "metrics/window_context.h"

// What the keyword tools window keeps from one opening to the next. The window's controls are
// made anew at every opening; these fields live as long as the program.
struct ToolsWindowFields {
    // A load could not open db.db; nothing clears it.
    bool ToolsDbMissing = false;
    // The load has finished: the rank options save on every change from then on.
    bool ToolsLoaded = false;
    // A visit of the rank page has filled the history filters.
    bool HistoryFiltersLoaded = false;
    // The metric lookups' count of empty index-history pages of this window.
    metrics::WindowMetricsState Metrics = metrics::WindowMetricsState::Counting();
};
