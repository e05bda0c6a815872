#include "shared/list_exporter.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <functional>

#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/row_table.h"
#include "platform/shell.h"
#include "shared/excel_export.h"
#include "shared/folder_picker.h"
#include "shared/report_writer.h"
#include "shared/running_job.h"

namespace {

// Room for a date-time stamp and a suffix within 255 bytes of UTF-8.
constexpr qsizetype kMaxNameLength = 60;

int runningExports = 0;

struct ExportRunning {
    ExportRunning() { ++runningExports; }
    ~ExportRunning() { --runningExports; }
};

void Tell(const QString& text, const QString& title, platform::Icon icon) {
    platform::ThePrompts().MessageBox(text, title, platform::Buttons::Ok, icon);
}

// A character that some file system refuses in a file name.
bool Forbidden(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(c);
}

// The suffixes a typed name may end in for an export with `extension`: a workbook may be
// typed with either workbook suffix.
QStringList TypedSuffixes(const QString& extension) {
    if (extension == u"xls") return {QStringLiteral(".xlsx"), QStringLiteral(".xls")};
    return {ExportFileSuffix(extension)};
}

bool Ask(const QString& text) {
    return platform::ThePrompts().MessageBox(text, QStringLiteral("提示"),
                                             platform::Buttons::OkCancel,
                                             platform::Icon::None) == platform::Answer::Ok;
}

}  // namespace

bool ExportInProgress() {
    return runningExports > 0;
}

QString ExportFileSuffix(const QString& extension) {
    return extension == u"xls" ? QStringLiteral(".xlsx") : u'.' + extension;
}

QString ExportPath(const QString& folder, const QString& name, const QString& extension) {
    QString path = folder + u'/' + name + ExportFileSuffix(extension);
    return path.replace(QStringLiteral("//"), QStringLiteral("/"));
}

bool WriteListAs(const platform::RowTable& list, const QString& path, const QString& extension,
                 qint16 kind) {
    if (kind < 0) return false;
    if (extension == u"xls") return ExportListToExcel(list, path);
    return WriteListReport(list, path, extension != u"htm", kind);
}

QString SafeFileName(const QString& text) {
    QString name = text.left(kMaxNameLength);
    if (!name.isEmpty() && name.back().isHighSurrogate()) name.chop(1);
    for (QChar& c : name) {
        if (Forbidden(c)) c = u'_';
    }
    return name.replace(QStringLiteral(".."), QStringLiteral("_"));
}

std::optional<QString> AskExportPath(const QString& extension) {
    QString name = platform::ThePrompts().InputBox(QStringLiteral("请输入您要导出文件的文件名"),
                                                   QStringLiteral("导出文件"), QString());
    for (const QString& suffix : TypedSuffixes(extension)) name.remove(suffix);
    if (name.isEmpty() || name.contains(u'.') ||
        std::any_of(name.cbegin(), name.cend(), Forbidden)) {
        Tell(QStringLiteral("输入文件名有误！"), QStringLiteral("提示"),
             platform::Icon::Information);
        return std::nullopt;
    }
    QString folder =
        BrowseForFolder(platform::ProgramFolder(), QStringLiteral("请选要导出文件所保存的文件夹"));
    if (folder.isEmpty()) folder = platform::ProgramFolder();
    const QString path = ExportPath(folder, name, extension);
    if (QFile::exists(path) && !Ask(QStringLiteral("该文件已经存在，是否覆盖?")))
        return std::nullopt;
    return path;
}

namespace {

// Writes a list to a path; false when the file was not written.
using ListWriter = std::function<bool(const platform::RowTable& list, const QString& path)>;

// The export's dialogue around `write`: the path, the failure, or `doneMessage` (when given)
// and the offer to open the file. A writer that told its own failure (`writerTellsFailure`) is
// not told again.
void AskAndWrite(const platform::RowTable& list, const QString& extension, const ListWriter& write,
                 bool writerTellsFailure, const QString& doneMessage, QWidget* owner) {
    const auto refusedEmpty = [&list] {
        if (list.Count() > 0) return false;
        Tell(QStringLiteral("没有数据需要导出！"), QStringLiteral("导出数据"),
             platform::Icon::Information);
        return true;
    };
    if (refusedEmpty()) return;
    const std::optional<QString> path = AskExportPath(extension);
    // The list stays live while the questions wait: it may have been emptied meanwhile.
    if (!path || refusedEmpty()) return;
    if (extension == u"xls") QFile::remove(*path);

    if (!write(list, *path)) {
        if (!writerTellsFailure) {
            Tell(QStringLiteral("导出失败，无法写入文件：\r\n\r\n") +
                     QDir::toNativeSeparators(*path),
                 QStringLiteral("导出失败"), platform::Icon::Critical);
        }
        return;
    }
    if (!doneMessage.isEmpty())
        Tell(doneMessage, QStringLiteral("提示"), platform::Icon::Information);
    if (!Ask(QStringLiteral("导出完成，是否打开文件?"))) return;
    if (extension == u"txt") {
        platform::TheShell().EditTextFile(*path);
    } else {
        platform::TheShell().Open(*path, owner);
    }
}

}  // namespace

void ExportList(const platform::RowTable& list, const QString& extension, qint16 kind,
                QWidget* owner) {
    const ExportRunning running;
    if (jobs::AnyRunning()) return;
    // A workbook export that ran has shown its own reason already.
    const bool writerTellsFailure = extension == u"xls" && kind >= 0;
    AskAndWrite(
        list, extension,
        [&extension, kind](const platform::RowTable& rows, const QString& path) {
            return WriteListAs(rows, path, extension, kind);
        },
        writerTellsFailure, QString(), owner);
}

void ExportListLines(const platform::RowTable& list, QWidget* owner, const QString& doneMessage) {
    const ExportRunning running;
    AskAndWrite(list, QStringLiteral("txt"), WriteListLines, false, doneMessage, owner);
}
