#pragma once

#include "metrics/window_context.h"

namespace platform {
class RowTable;
}

// The row-by-row refresh of the keyword database list: for each row its search volumes
// (from the data-sharing service, else the index lookups) and its Baidu indexed-page count
// (after the request gap) are asked again, written into the row, the master copy's row and the
// keyword's record with today's date, and the optimisation index is worked out again.

// What the refresh reads of the database window while it runs.
class DbRefreshHost : public metrics::WindowContext {
  public:
    virtual platform::RowTable& ShownList() = 0;   // ListView16
    virtual platform::RowTable& MasterList() = 0;  // ListView13
    // The option boxes, read anew for every row: 更新百度指数, 更新百度收录.
    virtual bool VolumeTicked() const = 0;
    virtual bool CountTicked() const = 0;
    // Whether the user has asked the run to pause (UpdateRunning cleared).
    virtual bool PauseAsked() const = 0;
};

// How a run ended.
struct DbRefreshOutcome {
    bool paused = false;
    // Why a save stopped the run at its row, in the user's words (another program's lock on
    // db.db outlasted the wait, the file was moved away); that row stays bold as the place to
    // resume, as after a pause. Empty when no save stopped it.
    QString stoppedBy;
    // Rows whose new values the table did not take (they still show in the lists).
    int unsaved = 0;
    // Rows that kept old values because a page they asked for did not come.
    int notObtained = 0;
};

// UpdateDb's walk: the rows of the shown list from the first bold row (the first row when none
// is bold) to the row that is last when the run starts. Each row is made bold as its turn
// comes; a pause asked for stops the run at the top of the next row, which stays bold as the
// place to resume. Rows are followed by key, so rows that move or are added meanwhile neither
// lose nor receive another keyword's values. A value not obtained (no volume pair, no results
// page) leaves the row's values and its record as they were. A save the table refuses is
// counted and the run goes on; a save that another program's lock holds off ends the run at
// that row. At the end the last row of the list loses its bold mark.
DbRefreshOutcome RefreshKeywordRows(DbRefreshHost& host);
