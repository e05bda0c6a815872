#pragma once

#include <QString>

#include "platform/row_table.h"

// The user's list of monopoly sites: sites that hold good places in the results of certain
// keywords. Kept in the setting ldsites as the entries joined by "$".
namespace monopoly_sites {

inline const QString kSettingName = QStringLiteral("ldsites");

// The default list: the Baidu and QQ domains and the Chinese government domain suffix.
QString DefaultList();

// Fills `list` from ldsites, a row per entry as stored; writes the default list first when the
// value is missing or empty.
void Load(platform::RowTable& list);
// Writes the rows of `list`, first to last, joined by "$".
void Save(const platform::RowTable& list);

// Why `site` (trimmed) cannot be an entry: empty, or holding the "$" that joins the entries;
// an empty text when it can.
QString SiteRefusal(const QString& site);

// Asks for a site and adds it trimmed, unless the list has it already in any letter case; then
// saves the list.
void Add(platform::RowTable& list);
// The user typed `text` over row `row`: the row takes it as typed and the list is saved, or
// the edit is refused with a message (nothing left after trimming, or a "$").
void Edited(platform::RowTable& list, int row, const QString& text);
// After the user's yes, removes the ticked rows and saves the list.
void RemoveTicked(platform::RowTable& list);

}  // namespace monopoly_sites
