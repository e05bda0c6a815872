#include "shared/list_import.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/charset.h"
#include "platform/wait.h"
#include "shared/job_progress.h"
#include "shared/text_helpers.h"

namespace list_import {
namespace {

const QString kUtf8 = QStringLiteral("utf-8");
const QString kGbk = QStringLiteral("gb2312");
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// No character takes more than four bytes in either charset, so a line of more bytes than
// this is too long whatever it holds.
constexpr qsizetype kLongestLineBytes = 4 * kLongestLine;
constexpr qint64 kChunkBytes = 64 * 1024;
// The progress is shown again after this many bytes.
constexpr qint64 kProgressStep = 1 << 20;

// The lines of a file, read a chunk at a time; a line too long to be taken is skipped rather
// than held.
class LineReader {
  public:
    explicit LineReader(QFile& file) : file_(file) {}

    // The next line without its end and without NUL bytes; `tooLong` for one beyond
    // kLongestLineBytes, which comes empty. False at the end of the file or when it cannot be
    // read (Failed).
    bool Next(QByteArray& line, bool& tooLong) {
        line.clear();
        tooLong = false;
        bool any = false;
        const bool afterCr = std::exchange(afterCr_, false);
        for (bool first = true;; first = false) {
            if (at_ == chunk_.size() && !Fill()) return any;
            // The LF of a CR LF pair ends no second line.
            if (first && afterCr && chunk_[at_] == '\n') ++at_;
            qsizetype end = at_;
            while (end < chunk_.size() && chunk_[end] != '\n' && chunk_[end] != '\r') ++end;
            if (!tooLong) {
                line.append(chunk_.constData() + at_, end - at_);
                line.removeIf([](char c) { return c == '\0'; });
                if (line.size() > kLongestLineBytes) {
                    tooLong = true;
                    line.clear();
                }
            }
            any = any || end > at_ || end < chunk_.size();
            if (end < chunk_.size()) {
                afterCr_ = chunk_[end] == '\r';
                at_ = end + 1;
                return true;
            }
            at_ = end;
        }
    }
    bool Failed() const { return failed_; }
    qint64 BytesRead() const { return bytesRead_; }

  private:
    bool Fill() {
        chunk_ = file_.read(kChunkBytes);
        at_ = 0;
        if (file_.error() != QFileDevice::NoError) failed_ = true;
        bytesRead_ += chunk_.size();
        return !chunk_.isEmpty();
    }

    QFile& file_;
    QByteArray chunk_;
    qsizetype at_ = 0;
    bool afterCr_ = false;
    bool failed_ = false;
    qint64 bytesRead_ = 0;
};

// Panels 2 and 3 of the status bar while a file is read in two passes; what they showed before
// comes back at the end.
class Progress {
  public:
    Progress(const QString& path, qint64 size)
        : name_(QFileInfo(path).fileName()),
          total_(std::max<qint64>(1, 2 * size)),
          count_(JobProgress::CountText()),
          item_(JobProgress::ItemText()) {}
    ~Progress() { JobProgress::Set(count_, item_); }

    void Show(qint64 bytes) {
        if (bytes < shown_ + kProgressStep) return;
        shown_ = bytes;
        JobProgress::Set(QStringLiteral("正在导入 %1%").arg(bytes * 100 / total_), name_);
        platform::ShowPendingChanges();
    }

  private:
    QString name_;
    qint64 total_;
    qint64 shown_ = 0;
    QString count_;
    QString item_;
};

// The first pass: the charset every line of the file is valid in, UTF-8 before GBK; nothing
// when there is none or the file cannot be read.
std::optional<QString> FileCharset(QFile& file, Progress& progress) {
    LineReader reader(file);
    bool utf8 = true;
    bool gbk = true;
    QByteArray line;
    bool tooLong = false;
    for (bool first = true; reader.Next(line, tooLong); first = false) {
        if (first && line.startsWith(kByteOrderMark)) line.remove(0, kByteOrderMark.size());
        utf8 = utf8 && platform::BytesToTextExactly(line, kUtf8).has_value();
        gbk = gbk && platform::BytesToTextExactly(line, kGbk).has_value();
        if (!utf8 && !gbk) return std::nullopt;
        progress.Show(reader.BytesRead());
    }
    if (reader.Failed()) return std::nullopt;
    return utf8 ? kUtf8 : kGbk;
}

ImportOutcome Refused(Refusal refusal, const QString& error = {}) {
    ImportOutcome outcome;
    outcome.refusal = refusal;
    outcome.error = error;
    return outcome;
}

}  // namespace

ImportOutcome ImportListFile(const QString& path,
                             const std::function<EntryFate(const QString& entry)>& take) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Refused(Refusal::Unreadable, file.errorString());
    if (file.size() > kLargestFile) return Refused(Refusal::TooLarge);
    Progress progress(path, file.size());
    const std::optional<QString> charset = FileCharset(file, progress);
    if (file.error() != QFileDevice::NoError)
        return Refused(Refusal::Unreadable, file.errorString());
    if (!charset) return Refused(Refusal::NotText);
    if (!file.seek(0)) return Refused(Refusal::Unreadable, file.errorString());

    ImportOutcome outcome;
    LineReader reader(file);
    QByteArray line;
    bool tooLong = false;
    for (bool first = true; reader.Next(line, tooLong); first = false) {
        progress.Show(file.size() + reader.BytesRead());
        if (first && line.startsWith(kByteOrderMark)) line.remove(0, kByteOrderMark.size());
        const QString text =
            tooLong ? QString() : platform::BytesToTextExactly(line, *charset).value_or(QString());
        if (tooLong || text.size() > kLongestLine) {
            ++outcome.tooLong;
            continue;
        }
        const QString entry = TrimBlanks(text);
        if (entry.isEmpty()) continue;
        switch (take(entry)) {
            case EntryFate::Imported:
                ++outcome.imported;
                break;
            case EntryFate::Present:
                ++outcome.present;
                break;
            case EntryFate::Refused:
                ++outcome.refused;
                break;
            case EntryFate::NotWritten:
                ++outcome.notWritten;
                break;
        }
    }
    if (reader.Failed()) {
        outcome.refusal = Refusal::Unreadable;
        outcome.error = file.errorString();
    }
    return outcome;
}

QString ImportMessage(const ImportOutcome& outcome, const QString& path, const QString& what,
                      const QString& refusal) {
    switch (outcome.refusal) {
        case Refusal::Unreadable:
            return QStringLiteral("无法读取%1列表文件，未导入任何%1：").arg(what) + path +
                   (outcome.error.isEmpty() ? QString() : u'\n' + outcome.error);
        case Refusal::TooLarge:
            return QStringLiteral("%1列表文件过大（超过%2 MB），未导入任何%1：")
                       .arg(what)
                       .arg(kLargestFile >> 20) +
                   path;
        case Refusal::NotText:
            return QStringLiteral(
                       "无法读取%1列表文件（应为GBK或UTF-8编码的文本文件），未导入任何%1：")
                       .arg(what) +
                   path;
        case Refusal::None:
            break;
    }
    if (outcome.NotImported() == 0) return {};
    QStringList reasons;
    if (outcome.tooLong > 0)
        reasons << QStringLiteral("%1行超过%2个字符").arg(outcome.tooLong).arg(kLongestLine);
    if (outcome.present > 0)
        reasons << QStringLiteral("%1行列表中已有该%2").arg(outcome.present).arg(what);
    if (outcome.refused > 0) reasons << QStringLiteral("%1行").arg(outcome.refused) + refusal;
    if (outcome.notWritten > 0)
        reasons << QStringLiteral("%1行未能写入数据库").arg(outcome.notWritten);
    return QStringLiteral("导入了%1个%2，另有%3行未导入（%4）。")
               .arg(outcome.imported)
               .arg(what)
               .arg(outcome.NotImported())
               .arg(reasons.join(QStringLiteral("，"))) +
           (outcome.error.isEmpty() ? QString() : u'\n' + outcome.error);
}

}  // namespace list_import
