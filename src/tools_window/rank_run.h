#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "lookups/rank_options.h"
#include "platform/database.h"
#include "platform/row_table.h"
#include "tools_window/rank_engines.h"

// The rank query run: every ticked site for every ticked keyword on every ticked engine, each
// result listed and stored once per keyword, site, engine and day.

// What a run looks up, taken from the lists when it starts: editing them meanwhile changes
// nothing of a run under way.
struct RankRunPlan {
    QStringList sites;  // trimmed, in list order
    QStringList keywords;
    QList<const RankEngineInfo*> engines;  // in the engines' order
    int pages = 5;                         // result pages of ten scanned per lookup
    QString depthText = QStringLiteral("50");
};

struct RankRunOutcome {
    int lookups = 0;
    // Lookups that missed a results page before finding the site: nothing is known of them.
    int failedLookups = 0;
    int failedSaves = 0;
    // Why the saves stopped, in the user's words (another program's lock that outlasted the
    // wait, a file moved away): the results from then on were listed and not saved.
    QString savesStoppedBy;

    bool AnyFailed() const {
        return failedLookups > 0 || failedSaves > 0 || !savesStoppedBy.isEmpty();
    }
};

// Why a run must not start (nothing ticked in the site, keyword or engine list, or a ticked site
// or keyword that is empty), or an empty text when it may.
QString RankQueryRefusal(const platform::RowTable& sites, const platform::RowTable& keywords,
                         const platform::RowTable& engines);

// The plan of the ticked rows of the lists; the engine list's rows carry their engine's tag.
RankRunPlan PlanRankRun(const platform::RowTable& sites, const platform::RowTable& keywords,
                        const platform::RowTable& engines, int pages, const QString& depthText);

// Looks up the plan, appending to `results` a header row per site and keyword and a row per
// engine, filled when its lookup ends, and storing each result that was found or not found in
// `db`. A failed lookup's row reads "查询失败" and nothing is stored for it. A save that another
// program's lock holds off beyond the wait ends the run's saving: the run goes on listing.
RankRunOutcome RunRankQuery(const RankRunPlan& plan, const lookups::RankLookupOptions& options,
                            platform::RowTable& results, platform::Connection& db);

// The message at the end of a run: "查询完毕", and what failed.
QString RankRunEndMessage(const RankRunOutcome& outcome);
