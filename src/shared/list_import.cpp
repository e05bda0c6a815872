#include "shared/list_import.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <QUtf8StringView>
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/charset.h"
#include "platform/regular_file.h"
#include "platform/wait.h"
#include "shared/job_progress.h"

namespace list_import {
namespace {

constexpr qint64 kChunkBytes = 64 * 1024;
// The progress is shown again after this many bytes.
constexpr qint64 kProgressStep = 1 << 20;

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

// The file as its first pass finds it.
struct Survey {
    QString charset;           // empty when the file is no text
    qsizetype markLength = 0;  // of its byte-order mark
    // In 8-bit text a NUL is no character, but a stray byte (a C string's end, padding left by a
    // crash) that the reading drops.
    bool dropsNuls = false;
    // Lines at most: the more of its LF and CR bytes, one more for a last line without end.
    qsizetype lines = 1;
};

// The charset a byte-order mark at the start of `bytes` names, with the mark's length.
std::pair<QString, qsizetype> MarkedCharset(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return {QStringLiteral("utf-8"), 3};
    if (bytes.startsWith("\xFF\xFE")) return {QStringLiteral("utf-16le"), 2};
    if (bytes.startsWith("\xFE\xFF")) return {QStringLiteral("utf-16be"), 2};
    return {};
}

// How many bytes at the end of `bytes` start a UTF-8 character that needs more bytes than
// are there.
qsizetype UnfinishedUtf8(QByteArrayView bytes) {
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<uchar>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        const qsizetype needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

// How many of a file's bytes are NUL, and how many of those end it.
class NulCount {
  public:
    void Feed(QByteArrayView piece) {
        const qsizetype nuls = std::count(piece.begin(), piece.end(), '\0');
        all_ += nuls;
        if (nuls == piece.size()) {
            ending_ += nuls;
        } else {
            const auto last = std::find_if(piece.rbegin(), piece.rend(), [](char c) { return c; });
            ending_ = last - piece.rbegin();
        }
    }
    qint64 All() const { return all_; }
    // The NULs after the file's last other byte.
    qint64 Ending() const { return ending_; }
    // Whether 8-bit text of `size` bytes is no text for its NULs: nothing but NULs, or more
    // NULs than other bytes, not counting those that end it (NUL padding left by a crash, a C
    // string's end).
    bool MostlyNul(qint64 size) const {
        const qint64 others = size - all_;
        return all_ > 0 && (others == 0 || all_ - ending_ > others);
    }

  private:
    qint64 all_ = 0;
    qint64 ending_ = 0;
};

// Whether a file without a byte-order mark is UTF-16, as a list saved as "Unicode" without its
// mark, by what its bytes say throughout, taken as two-byte units in either byte order:
// - no CR or LF byte stands where a character's high byte goes (characters U+0A00-U+0AFF and
//   U+0D00-U+0DFF, scripts that keyword lists do not hold);
// - of the CR and LF bytes in the low byte's place, the line ends, their high byte a NUL, are
//   no fewer than the others. Such a byte beside another is a character such as 上 (U+4E0A)
//   or 不 (U+4E0D) in UTF-16, but a line end in 8-bit text that holds a stray NUL;
// - a file without line ends holds NULs, all in the high byte's place.
// The NULs that end the file tell nothing: 8-bit text may end in a C string's NUL or in
// padding. Fed the file's pieces in order.
class Utf16Clues {
  public:
    void Feed(QByteArrayView piece, qint64 offset) {
        qsizetype at = 0;
        if (offset % 2 != 0 && !piece.isEmpty()) {
            Unit(pending_, piece.front(), offset - 1);
            at = 1;
        }
        const auto* bytes = reinterpret_cast<const uchar*>(piece.data());
        for (; at + 1 < piece.size(); at += 2) {
            // Units without a NUL, CR or LF byte tell nothing.
            if (bytes[at] > '\r' && bytes[at + 1] > '\r') continue;
            Unit(bytes[at], bytes[at + 1], offset + at);
        }
        if (at < piece.size()) pending_ = bytes[at];
    }

    // "utf-16le" or "utf-16be" when the bytes of a file of `size` bytes, of which the last
    // `endingNuls` are NULs, say so; otherwise empty. A file of an odd size they say so of is
    // UTF-16 cut short, for the reading to refuse.
    QString Charset(qint64 size, qint64 endingNuls) const {
        const qint64 end = size - endingNuls;  // where the ending NULs start
        // Of them, at even and at odd offsets.
        const qint64 endingEven = (size + 1) / 2 - (end + 1) / 2;
        const qint64 endingOdd = endingNuls - endingEven;
        Order little = little_;
        if (lastLittleEndNul_ == end) --little.lineEnds;
        little.highNuls -= endingOdd;
        little.lowNuls -= endingEven;
        Order big = big_;
        big.highNuls -= endingEven;
        big.lowNuls -= endingOdd;
        if (little.Says()) return QStringLiteral("utf-16le");
        if (big.Says()) return QStringLiteral("utf-16be");
        return {};
    }

  private:
    // What the bytes say of one byte order.
    struct Order {
        bool highEnd = false;  // a CR or LF byte in a high byte's place
        qint64 lineEnds = 0;   // CR and LF bytes in the low byte's place, beside a NUL
        qint64 others = 0;     // CR and LF bytes in the low byte's place, beside another byte
        qint64 highNuls = 0;
        qint64 lowNuls = 0;
        bool Says() const {
            if (highEnd) return false;
            if (lineEnds > 0 || others > 0) return lineEnds > 0 && lineEnds >= others;
            return highNuls > 0 && lowNuls == 0;
        }
    };

    static bool IsLineEnd(uchar byte) { return byte == '\n' || byte == '\r'; }

    // The unit of the bytes at the even offset `offset` and the one after it.
    void Unit(uchar first, uchar second, qint64 offset) {
        Count(little_, first, second);
        Count(big_, second, first);
        if (IsLineEnd(first) && second == 0) lastLittleEndNul_ = offset + 1;
    }
    static void Count(Order& order, uchar low, uchar high) {
        order.highEnd = order.highEnd || IsLineEnd(high);
        if (IsLineEnd(low)) ++(high == 0 ? order.lineEnds : order.others);
        order.highNuls += high == 0;
        order.lowNuls += low == 0;
    }

    uchar pending_ = 0;  // the first byte of a unit the next piece finishes
    Order little_;
    Order big_;
    qint64 lastLittleEndNul_ = -1;  // the offset of the NUL of the last UTF-16 LE line end
};

// The first pass: the file's charset and how many lines it has at most; nothing when it
// cannot be read. UTF-8 and GBK are told apart with the NUL bytes dropped.
std::optional<Survey> SurveyFile(QFile& file, qint64 size, Progress& progress) {
    Survey survey;
    qsizetype lineFeeds = 0;
    qsizetype returns = 0;
    bool utf8 = true;
    bool ascii = true;  // so far, the start of a character the next piece finishes aside
    Utf16Clues utf16;
    NulCount nuls;
    // The bytes read, after the start of a UTF-8 character left unfinished by the last piece.
    QByteArray buffer;
    qsizetype carried = 0;
    for (qint64 done = 0; done < size;) {
        const qint64 want = std::min(kChunkBytes, size - done);
        buffer.resize(carried + want);
        const qint64 got = file.read(buffer.data() + carried, want);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        buffer.resize(carried + got);
        const QByteArrayView fresh(buffer.constData() + carried, got);
        if (done == 0) std::tie(survey.charset, survey.markLength) = MarkedCharset(fresh);
        utf16.Feed(fresh, done);
        nuls.Feed(fresh);
        done += got;
        lineFeeds += std::count(fresh.begin(), fresh.end(), '\n');
        returns += std::count(fresh.begin(), fresh.end(), '\r');
        // Without a mark, UTF-8 only when the whole file is valid UTF-8. A character cut at the
        // end of a file of UTF-8 characters leaves it UTF-8, for the reading to refuse; after
        // nothing but ASCII it is the last character of a GBK text.
        if (survey.charset.isEmpty() && utf8) {
            buffer.erase(std::remove(buffer.begin() + carried, buffer.end(), '\0'), buffer.end());
            const qsizetype tail = UnfinishedUtf8(buffer);
            const QByteArrayView whole = QByteArrayView(buffer).chopped(tail);
            ascii = ascii && QtPrivate::isAscii(QLatin1StringView(whole));
            const bool gbkEnd = done == size && tail > 0 && ascii;
            utf8 = QUtf8StringView(whole).isValidUtf8() && !gbkEnd;
            std::memmove(buffer.data(), buffer.constData() + buffer.size() - tail, tail);
            carried = utf8 ? tail : 0;
        }
        progress.Show(done);
    }
    survey.lines += std::max(lineFeeds, returns);
    if (survey.charset.isEmpty()) survey.charset = utf16.Charset(size, nuls.Ending());
    if (survey.charset.isEmpty())
        survey.charset = utf8 ? QStringLiteral("utf-8") : QStringLiteral("gb2312");
    survey.dropsNuls = !survey.charset.startsWith(QStringLiteral("utf-16")) && nuls.All() > 0;
    if (survey.dropsNuls && nuls.MostlyNul(size)) survey.charset.clear();
    return survey;
}

// The second pass's lines, out of the text as it is decoded a piece at a time, each handed on
// with its entry trimmed. A line too long to be taken is skipped rather than held.
class LineTaker {
  public:
    LineTaker(const EntryTaker& taker, ImportOutcome& outcome) : taker_(taker), outcome_(outcome) {}

    // Takes the lines that `text` ends; false once the list stopped the import.
    bool Feed(const QString& text) {
        qsizetype at = 0;
        if (afterCr_ && text.startsWith(u'\n')) at = 1;  // the LF of a CR LF pair
        afterCr_ = false;
        qsizetype nextLf = -1;
        qsizetype nextCr = -1;
        while (at < text.size()) {
            if (nextLf < at) nextLf = Found(text.indexOf(u'\n', at), text);
            if (nextCr < at) nextCr = Found(text.indexOf(u'\r', at), text);
            const qsizetype end = std::min(nextLf, nextCr);
            if (end == text.size()) {
                Carry(QStringView(text).sliced(at));
                break;
            }
            const QStringView piece = QStringView(text).sliced(at, end - at);
            const bool taken = carry_.isEmpty() && !carryTooLong_
                                   ? Take(piece, false)
                                   : (Carry(piece), Take(carry_, carryTooLong_));
            carry_.clear();
            carryTooLong_ = false;
            if (!taken) return false;
            at = end + 1;
            if (text[end] == u'\r') {
                if (at == text.size())
                    afterCr_ = true;
                else if (text[at] == u'\n')
                    ++at;
            }
        }
        return true;
    }
    // Takes the last line, when the file does not end in a line end.
    void Finish() {
        if (!carry_.isEmpty() || carryTooLong_) Take(carry_, carryTooLong_);
    }

  private:
    static qsizetype Found(qsizetype at, const QString& text) { return at < 0 ? text.size() : at; }

    void Carry(QStringView piece) {
        if (carryTooLong_) return;
        if (carry_.size() + piece.size() > kLongestLine) {
            carryTooLong_ = true;
            carry_.clear();
            return;
        }
        carry_.append(piece);
    }

    bool Take(QStringView line, bool tooLong) {
        ++outcome_.linesRead;
        if (tooLong || line.size() > kLongestLine) {
            ++outcome_.tooLong;
            return true;
        }
        while (!line.isEmpty() && line.front() == u' ') line = line.sliced(1);
        while (!line.isEmpty() && line.back() == u' ') line.chop(1);
        if (line.isEmpty()) return true;
        switch (taker_.take(line.toString())) {
            case EntryFate::Imported:
                ++outcome_.imported;
                break;
            case EntryFate::Present:
                ++outcome_.present;
                break;
            case EntryFate::Refused:
                ++outcome_.refused;
                break;
            case EntryFate::NotWritten:
                ++outcome_.notWritten;
                break;
            case EntryFate::Stop:
                outcome_.refusal = Refusal::NotStored;
                return false;
        }
        return true;
    }

    const EntryTaker& taker_;
    ImportOutcome& outcome_;
    QString carry_;  // the start of a line the next piece goes on with
    bool carryTooLong_ = false;
    bool afterCr_ = false;
};

ImportOutcome Refused(Refusal refusal, const QString& error = {}) {
    ImportOutcome outcome;
    outcome.refusal = refusal;
    outcome.error = error;
    return outcome;
}

QString ReadError(const QFile& file) {
    return QStringLiteral("读取文件时出错（%1）").arg(file.errorString());
}

}  // namespace

ImportOutcome ImportListFile(const QString& path, const EntryTaker& taker) {
    const platform::OpenedFile opened = platform::TheFileOpener().OpenRegularFile(path);
    if (!opened.file) return Refused(Refusal::Unreadable, opened.refusal);
    QFile& file = *opened.file;
    const qint64 size = file.size();
    const QDateTime modified = QFileInfo(path).lastModified();
    if (size > kLargestFile) return Refused(Refusal::TooLarge);
    Progress progress(path, size);
    const std::optional<Survey> survey = SurveyFile(file, size, progress);
    if (!survey) return Refused(Refusal::Unreadable, ReadError(file));
    if (survey->charset.isEmpty()) return Refused(Refusal::NotText);
    if (!file.seek(0)) return Refused(Refusal::Unreadable, ReadError(file));
    if (taker.expect) taker.expect(survey->lines);

    ImportOutcome outcome;
    LineTaker lines(taker, outcome);
    platform::PieceDecoder decoder(survey->charset);
    qint64 done = 0;
    QByteArray bytes;
    while (done < size) {
        bytes.resize(std::min(kChunkBytes, size - done));
        const qint64 got = file.read(bytes.data(), bytes.size());
        if (got < 0) return Refused(Refusal::Unreadable, ReadError(file));
        if (got == 0) break;
        bytes.truncate(got);
        // No byte-order mark holds a NUL: what is left of the first piece still starts with it.
        if (survey->dropsNuls) bytes.removeIf([](char byte) { return byte == '\0'; });
        QByteArrayView piece(bytes);
        if (done == 0) piece = piece.sliced(std::min(survey->markLength, piece.size()));
        done += got;
        // U+0000 is no character of a text: the file is something else.
        const std::optional<QString> text = decoder.Decode(piece);
        if (!text || text->contains(QChar(u'\0'))) return Refused(Refusal::NotText);
        if (!lines.Feed(*text)) return outcome;
        progress.Show(size + done);
    }
    if (!decoder.EndsWhole()) return Refused(Refusal::NotText);
    lines.Finish();
    outcome.changed =
        done != size || file.size() != size || QFileInfo(path).lastModified() != modified;
    return outcome;
}

bool ImportFailed(const ImportOutcome& outcome) {
    return outcome.refusal != Refusal::None || outcome.notWritten > 0 || outcome.changed;
}

QString ImportMessage(const ImportOutcome& outcome, const QString& path, const QString& what,
                      const QString& refusal) {
    const QString error = outcome.error.isEmpty() ? QString() : u'\n' + outcome.error;
    switch (outcome.refusal) {
        case Refusal::Unreadable:
            return QStringLiteral("无法读取%1列表文件，未导入任何%1：").arg(what) + path + error;
        case Refusal::TooLarge:
            return QStringLiteral("%1列表文件过大（超过%2 MB），未导入任何%1：")
                       .arg(what)
                       .arg(kLargestFile >> 20) +
                   path;
        case Refusal::NotText:
            return QStringLiteral(
                       "无法读取%1列表文件（应为GBK、UTF-8或UTF-16编码的文本文件），未导入任何%1：")
                       .arg(what) +
                   path;
        case Refusal::NotStored:
            return QStringLiteral("未能将%1写入数据库：%2。未导入任何%1：")
                       .arg(what, outcome.error) +
                   path;
        case Refusal::None:
            break;
    }
    if (outcome.NotImported() == 0 && !outcome.changed) return {};
    QString message = QStringLiteral("导入了%1个%2").arg(outcome.imported).arg(what);
    if (outcome.NotImported() > 0) {
        QStringList reasons;
        if (outcome.tooLong > 0)
            reasons << QStringLiteral("%1行超过%2个字符").arg(outcome.tooLong).arg(kLongestLine);
        if (outcome.present > 0)
            reasons << QStringLiteral("%1行列表中已有该%2").arg(outcome.present).arg(what);
        if (outcome.refused > 0) reasons << QStringLiteral("%1行").arg(outcome.refused) + refusal;
        if (outcome.notWritten > 0)
            reasons << QStringLiteral("%1行未能写入数据库").arg(outcome.notWritten);
        message += QStringLiteral("，另有%1行未导入（%2）")
                       .arg(outcome.NotImported())
                       .arg(reasons.join(QStringLiteral("，")));
    }
    message += u'。';
    if (outcome.changed)
        message +=
            QStringLiteral("文件在读取时被改动了（被截短、加长或改写），只读取了其中的前%1行：")
                .arg(outcome.linesRead) +
            path;
    return message + error;
}

}  // namespace list_import
