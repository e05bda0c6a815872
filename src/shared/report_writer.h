#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {
class RowTable;
}

// The report layouts (title and column header) of the text and HTML reports. Kind 1 selects
// the same layout as kind 0; a kind outside 0 to 10 selects none.
enum ReportKind : qint16 {
    ReportFriendLinks = 0,
    ReportOutboundLinks = 2,
    ReportLinkResources = 3,
    ReportLinkMarket = 4,
    ReportRelatedKeywords = 5,
    ReportCompetitors = 6,
    ReportHotKeywords = 7,
    ReportKeywordComparison = 8,
    ReportRankHistory = 9,
    ReportKeywordDatabase = 10,
};

// Writes every row of `list`, as the list holds it, to `path`: a plain-text report when
// `asText`, else an HTML report, in GBK with CR LF. The header is the kind's fixed text, not
// the list's own captions; kind 5 names Google's two columns only over a list that holds them.
// A file of that name is replaced in one step; false when the file could not be written, in
// which case an old file stays as it was.
bool WriteListReport(const platform::RowTable& list, const QString& path, bool asText, qint16 kind);

// Writes the text of every row of `list`, without its surrounding blanks, as one line of `path`
// in GBK with CR LF; rows whose text is then empty are left out. Replaces a file of that name
// in one step; false when the file could not be written.
bool WriteListLines(const platform::RowTable& list, const QString& path);
