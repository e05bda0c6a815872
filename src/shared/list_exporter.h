#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class QWidget;

namespace platform {
class RowTable;
}

// The interactive export of a list: refuses while a job runs, asks for a file name and a
// folder, asks before replacing a file, writes the file ("txt" and "htm" as a report of
// `kind`, "xls" as a workbook, whose file is named .xlsx whether the name was typed with
// ".xls", ".xlsx" or neither), then offers to open it (a workbook
// or HTML report with `owner` as the owning window). Every outcome is told to the user.
void ExportList(const platform::RowTable& list, const QString& extension, qint16 kind,
                QWidget* owner);

// The export's questions: the file name (a typed suffix of `extension` dropped; a name with a
// "." or a character no file name holds is refused with "输入文件名有误！"), the folder (the
// program folder when the picker is cancelled) and, for a file that exists, whether to replace
// it. The file's path; nothing when the user refused or cancelled.
std::optional<QString> AskExportPath(const QString& extension);

// The interactive export of a list of sites or keywords as a plain text file, one row's text a
// line (WriteListLines), asked for and told as ExportList does; it runs whatever job is under
// way, since it only reads the list it is given.
void ExportListLines(const platform::RowTable& list, QWidget* owner);

// Whether an ExportList runs: it still reads its list and its owner window.
bool ExportInProgress();

// The suffix an export with `extension` gets: ".xlsx" for "xls", else "." and the extension.
QString ExportFileSuffix(const QString& extension);

// The file `name` with the suffix of `extension` in `folder`; a folder that ends in a
// separator, as a root folder does, gives a single one (every doubled separator becomes one).
QString ExportPath(const QString& folder, const QString& name, const QString& extension);

// Writes `list` to `path` as the export `extension` asks: "xls" a workbook, "htm" an HTML
// report, anything else a text report of `kind`. A negative kind writes nothing. Whether the
// file was written.
bool WriteListAs(const platform::RowTable& list, const QString& path, const QString& extension,
                 qint16 kind);

// `text` made fit to be one file name: the characters no file name can hold, "/" and "\"
// among them, become "_", as does every "..", and it is cut to a length every file system
// takes.
QString SafeFileName(const QString& text);
