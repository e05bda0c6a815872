#pragma once

#include <QString>
#include <vector>

#include "metrics/window_context.h"
#include "platform/row_table.h"
#include "research_tools/index_detail_page.h"

// The keyword index query: for each keyword of its box one row with the keyword's monthly and
// yesterday's search volume, Baidu's and Google's result counts, an optimisation index for
// each, and the week, month and quarter attention of the Baidu index. At its end the detail
// view shows the last row: the keyword's daily history and its audience by age, occupation
// and education.
namespace research {

// The page's own state, which lives as long as the window.
struct IndexQueryState {
    bool QueryRunning = false;
    bool DetailRunning = false;
};

// What the index query page gives its query and detail view; the window implements it.
class IndexQueryPage {
  public:
    virtual ~IndexQueryPage() = default;

    virtual metrics::WindowContext& Window() = 0;
    virtual IndexQueryState& State() = 0;
    // The keyword list (ListView3) and the keyword box (Text3).
    virtual platform::RowTable& List() = 0;
    virtual QString KeywordText() const = 0;
    // The query button and the delete button (Command6, Command41), disabled while a query
    // runs.
    virtual void SetQueryCommandsEnabled(bool enabled) = 0;
    // The list's selected row, from 1; 0 when none is.
    virtual int SelectedRow() const = 0;
    virtual void SelectRow(int index) = 0;
    // The detail lists: the history (ListView2), which the window's GetBaiduIndex fills, and
    // the audience lists (ListView6, ListView11, ListView15).
    virtual platform::RowTable& HistoryList() = 0;
    virtual platform::RowTable& AudienceList(Audience audience) = 0;
};

// The columns of the keyword list (ListView3) and of the detail lists.
std::vector<platform::Column> IndexQueryColumns();
std::vector<platform::Column> HistoryColumns();
std::vector<platform::Column> AudienceColumns(Audience audience);

// A click on the query button (Command6_Click); returns when the query and the detail view of
// its last row are done.
void IndexQueryClick(IndexQueryPage& page);

// The detail view of the list's selected row (ListView3_DblClick); a row without a monthly
// volume changes nothing, and a detail view under way refuses a second.
void IndexDetail(IndexQueryPage& page);

// A click on the delete button (Command41_Click): removes every ticked row, or says that none
// is ticked.
void DeleteTickedKeywords(IndexQueryPage& page);

}  // namespace research
