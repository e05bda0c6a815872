#pragma once

#include <QString>
#include <QStringList>

#include "platform/row_table.h"
#include "tools_window/kws_table.h"
#include "tools_window/tools_fields.h"

// The rank query's two target lists and their commands, below the window: the site list
// (ListView8) and the keyword list (ListView9) with table kws behind them. In mode 0 the site
// list shows the stored sites (the row list) and the keyword list the keywords of the current
// site (the entry list); in mode 1 the other way round.
enum class TargetList { Sites, Keywords };

class RankTargets {
  public:
    RankTargets(ToolsWindowFields& fields, platform::RowTable& sites, platform::RowTable& keywords)
        : fields_(fields), sites_(sites), keywords_(keywords) {}

    int Mode() const { return mode_; }
    // Empties both lists, forgets the current rows and shows the stored rows of `mode`.
    void SwitchMode(int mode);

    // The user changed the box of row `row`, or clicked it: in the row list the row becomes the
    // current one, the only one checked (a cleared box leaves none); in the entry list nothing
    // happens.
    void RowChecked(TargetList list, int row);
    void RowClicked(TargetList list, int row);
    // The user typed `text` over row `row`: the row and the table take it as typed, or the edit
    // is refused with a message (nothing left after trimming, or a "|") and the row keeps its
    // text.
    void Edited(TargetList list, int row, const QString& text);

    // The commands: add typed texts, import a file's lines, delete the checked rows, add a row
    // with its entries in one go.
    void Add(TargetList list);
    void Import(TargetList list);
    void DeleteChecked(TargetList list);
    void AddCombination();

    // Loads the entries of record `l` into the keyword list, or into the site list.
    void chgkws(qint64 l);
    void chgwzs(qint64 l);

    // The id of the current row of each mode; 0 for none.
    qint64 CurrentSiteId = 0;
    qint64 CurrentKeywordId = 0;

  private:
    bool IsRowList(TargetList list) const;
    platform::RowTable& Table(TargetList list);
    platform::RowTable& RowList();
    platform::RowTable& EntryList();
    kws_table::Kind RowKind() const;
    qint64& CurrentId();
    // Loads the current row's entries into the entry list.
    void LoadCurrentEntries();
    // Reloads the row list and makes its last row the checked, current one; a read that fails
    // is told and leaves the list as it was.
    void ReloadRowList();
    // Stores the entry list as the current row's entries; tells a failure. Whether it was stored.
    bool StoreEntries();
    // Adds `texts` to `list` as the mode has it: new records of the row list, or new entries of
    // the current row.
    void AddTexts(TargetList list, const QStringList& texts);
    // Stores `taken`, new to `list`, as AddTexts does; how many were stored. A failed write is
    // not told here but left in `error`, so that each caller tells it once in its own message.
    int StoreNewEntries(TargetList list, const QStringList& taken, QString* error);

    ToolsWindowFields& fields_;
    platform::RowTable& sites_;
    platform::RowTable& keywords_;
    int mode_ = 0;
};

// Why a typed site or keyword cannot be stored: nothing is left of it after trimming, or it
// holds a "|", which would split it in two when the entries are read back. Empty when it can.
QString EntryRefusal(const QString& trimmedText);

// The new entries among `texts`: each trimmed; empty ones and those `present` holds in any
// letter case left out, those holding "|" put into `refused`. `present` grows by each taken.
QStringList TakeNewEntries(const QStringList& texts, LowerCaseTexts& present, QStringList* refused);
