#include "mining_window/batch_keywords.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include "platform/charset.h"
#include "platform/database.h"
#include "platform/row_table.h"
#include "shared/text_helpers.h"

namespace batch_keywords {
namespace {

// The text of a keyword file: UTF-8 (after a byte-order mark) or GBK; nothing when the bytes
// are neither.
std::optional<QString> DecodeKeywordFile(const QByteArray& bytes) {
    static const QByteArray kByteOrderMark("\xEF\xBB\xBF");
    const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(3) : bytes;
    const QString text = platform::FileBytesToText(body);
    // Either reading gives back the very bytes it read; bytes that neither charset holds do not.
    if (platform::TextToBytes(text, QStringLiteral("utf-8")) == body ||
        platform::TextToBytesExactly(text, QStringLiteral("gb2312")) == body)
        return text;
    return std::nullopt;
}

}  // namespace

void ReloadBatchKeywords(platform::Connection& connection, platform::RowTable& list) {
    // One pass into a table no view shows, then one change of the list.
    platform::RowTable loaded;
    if (std::optional<platform::Recordset> records =
            connection.Query(QStringLiteral("select kws from kwlist"))) {
        for (; !records->Eof(); records->MoveNext())
            loaded.Add(TrimBlanks(records->Text(QStringLiteral("kws"))));
    }
    list.RebuildFrom(loaded);
}

DeleteOutcome DeleteCheckedKeywords(platform::Connection& connection, platform::RowTable& list) {
    DeleteOutcome outcome;
    QSet<QString> deleted;
    QSet<QString> kept;
    for (int i = 1; i <= list.Count(); ++i) {
        if (!list.Checked(i)) continue;
        outcome.anyChecked = true;
        const QString keyword = TrimBlanks(list.Text(i));
        if (deleted.contains(keyword) || kept.contains(keyword)) continue;
        if (connection.Execute(QStringLiteral("delete from kwlist where kws = ?"), {keyword})) {
            deleted.insert(keyword);
        } else {
            kept.insert(keyword);
            outcome.kept << keyword;
            outcome.error = connection.LastError();
        }
    }
    list.RemoveWhere([&list, &deleted](int index) {
        return list.Checked(index) && deleted.contains(TrimBlanks(list.Text(index)));
    });
    return outcome;
}

QStringList FileLines(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineEnd);
    // The end of the last line is no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

ImportOutcome ImportKeywordFile(platform::Connection& connection, platform::RowTable& list,
                                const QString& path) {
    ImportOutcome outcome;
    QFile file(path);
    std::optional<QString> text;
    if (file.open(QIODevice::ReadOnly)) text = DecodeKeywordFile(file.readAll());
    if (!text || file.error() != QFileDevice::NoError) {
        outcome.unreadable = true;
        outcome.error = file.errorString();
        return outcome;
    }

    // The records first, in one transaction; the rows once the records are kept.
    QStringList written;
    QSet<QString> taken;
    const bool inTransaction = connection.Execute(QStringLiteral("begin"));
    for (const QString& line : FileLines(*text)) {
        const QString keyword = TrimBlanks(line.toLower());
        if (keyword.isEmpty()) continue;
        if (taken.contains(keyword) || platform::ListContainsText(keyword, list)) {
            ++outcome.notImported;
            continue;
        }
        taken.insert(keyword);
        if (connection.Execute(QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
                               {keyword})) {
            written << keyword;
        } else {
            ++outcome.notImported;
            outcome.error = connection.LastError();
        }
    }
    if (inTransaction && !connection.Execute(QStringLiteral("commit"))) {
        outcome.error = connection.LastError();
        connection.Execute(QStringLiteral("rollback"));
        outcome.notImported += static_cast<int>(written.size());
        written.clear();
    }
    for (const QString& keyword : written) list.Add(keyword);
    outcome.imported = static_cast<int>(written.size());
    return outcome;
}

ExportOutcome ExportKeywordFile(const platform::RowTable& list, const QString& path) {
    ExportOutcome outcome;
    QByteArray bytes;
    for (int i = 1; i <= list.Count(); ++i) {
        const QString keyword = TrimBlanks(list.Text(i));
        if (keyword.isEmpty()) continue;
        if (!platform::TextToBytesExactly(keyword, QStringLiteral("gb2312"))) ++outcome.unmappable;
        bytes += platform::ToAnsi(keyword) + "\r\n";
    }
    QSaveFile file(path);
    outcome.written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!outcome.written) outcome.error = file.errorString();
    return outcome;
}

}  // namespace batch_keywords
