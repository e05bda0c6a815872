#include "shared/list_import.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "platform/charset.h"
#include "shared/job_progress.h"
#include "support/failing_files.h"
#include "support/qt_printers.h"

namespace {

using list_import::EntryFate;
using list_import::ImportListFile;
using list_import::ImportOutcome;
using list_import::Refusal;

class ListImportTest : public testing::Test {
  protected:
    QString Write(const QByteArray& bytes) {
        const QString path = folder.filePath(QStringLiteral("list%1.txt").arg(++files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Imports `bytes`, every entry taken; the entries in `taken`.
    ImportOutcome Import(const QByteArray& bytes) {
        taken.clear();
        return ImportListFile(Write(bytes), TakeAll());
    }
    // Takes every entry into `taken`.
    list_import::EntryTaker TakeAll() {
        return {.take = [this](const QString& entry) {
            taken << entry;
            return EntryFate::Imported;
        }};
    }

    QTemporaryDir folder;
    int files = 0;
    QStringList taken;
};

TEST_F(ListImportTest, LinesEndInCrLfLfOrCrAndAreTakenTrimmed) {
    const QString longest(list_import::kLongestLine, u'长');
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList entries;
        int tooLong;
    } cases[] = {
        {"gbk, CR LF",
         platform::ToAnsi(QStringLiteral("Foo\r\n bar \r\n\r\n   \r\n优化")),
         {"Foo", "bar", "优化"},
         0},
        {"utf-8 with its mark, LF",
         QByteArray("\xEF\xBB\xBF") + QStringLiteral("减肥😀\nit's \"x\"\n").toUtf8(),
         {"减肥😀", "it's \"x\""},
         0},
        {"CR alone", platform::ToAnsi(QStringLiteral("a\rb\r\rc\r")), {"a", "b", "c"}, 0},
        {"lines at and beyond the limit",
         (longest + u'\n' + longest + QStringLiteral("长\n") + QString(100'000, u'x') +
          QStringLiteral("\nend"))
             .toUtf8(),
         {longest, "end"},
         2},
        {"empty file", QByteArray(), {}, 0},
    };
    for (const auto& c : cases) {
        const ImportOutcome outcome = Import(c.bytes);
        EXPECT_EQ(outcome.refusal, Refusal::None) << c.name;
        EXPECT_EQ(taken, c.entries) << c.name;
        EXPECT_EQ(outcome.imported, c.entries.size()) << c.name;
        EXPECT_EQ(outcome.tooLong, c.tooLong) << c.name;
    }
}

// A byte-order mark names the charset: Notepad's "Unicode" is UTF-16 LE with its mark, whose
// every other byte of ASCII text is a NUL that belongs to the character.
TEST_F(ListImportTest, AByteOrderMarkNamesTheCharset) {
    const QString text = QStringLiteral("apple\r\n手机\r\n 减肥方法 \r\n😀");
    const QStringList entries = {"apple", "手机", "减肥方法", "😀"};
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"utf-16 le",
         QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text)},
        {"utf-16 be",
         QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE).encode(text)},
        {"utf-8", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Import(c.bytes).refusal, Refusal::None) << c.name;
        EXPECT_EQ(taken, entries) << c.name;
    }
    // A mark followed by bytes that are not valid in its charset.
    EXPECT_EQ(Import(QByteArray("\xEF\xBB\xBF") + platform::ToAnsi(QStringLiteral("手机"))).refusal,
              Refusal::NotText);
}

// Bytes of `text` in UTF-16 LE or BE, without a byte-order mark.
QByteArray Utf16Le(const QString& text) {
    return QStringEncoder(QStringEncoder::Utf16LE).encode(text);
}
QByteArray Utf16Be(const QString& text) {
    return QStringEncoder(QStringEncoder::Utf16BE).encode(text);
}

// A list saved as "Unicode" without its mark: its line ends are UTF-16 ones, or, without line
// ends, its NULs are the high bytes of its characters. What the bytes say of UTF-16 but is no
// text of it, U+0000, unpaired surrogates or a byte short, makes the file no text.
TEST_F(ListImportTest, Utf16WithoutAMarkIsToldByItsNulBytesAndLineEnds) {
    const QStringList entries = {"手机", "seo优化", "一上不", "apple"};
    const QString text = QStringLiteral("手机\r\nseo优化\r\n 一上不 \r\napple");
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList entries;
    } read[] = {
        {"utf-16 le", Utf16Le(text), entries},
        {"utf-16 be", Utf16Be(text), entries},
        {"utf-16 le, LF", Utf16Le(QStringLiteral("上\n一\n")), {"上", "一"}},
        {"utf-16 be, CR", Utf16Be(QStringLiteral("手机\r")), {"手机"}},
        {"one word", Utf16Le(QStringLiteral("手机\r\n")), {"手机"}},
        {"utf-16 le without a line end", Utf16Le(QStringLiteral("seo优化")), {"seo优化"}},
        {"ascii in utf-16 be, LF", Utf16Be(QStringLiteral("diet\nhat\n")), {"diet", "hat"}},
    };
    for (const auto& c : read) {
        EXPECT_EQ(Import(c.bytes).refusal, Refusal::None) << c.name;
        EXPECT_EQ(taken, c.entries) << c.name;
    }
    const struct {
        const char* name;
        QByteArray bytes;
    } refused[] = {
        {"utf-16 le of an odd size", Utf16Le(text) + "x"},
        {"utf-16 le holding U+0000", Utf16Le(QStringLiteral("seo\r\n")) + QByteArray(2, '\0')},
        {"lone high surrogate", QByteArray("\xFF\xFE") + Utf16Le(QStringLiteral("a\r\n")) +
                                    "\x3D\xD8" + Utf16Le(QStringLiteral("b\r\n"))},
        {"lone low surrogate", QByteArray("\xFE\xFF") + Utf16Be(QStringLiteral("a\r\n")) +
                                   "\xDE\x00" + Utf16Be(QStringLiteral("b\r\n"))},
        {"lone high surrogate without a mark",
         Utf16Le(QStringLiteral("a\r\n")) + "\x3D\xD8" + Utf16Le(QStringLiteral("b\r\n"))},
    };
    for (const auto& c : refused) {
        const ImportOutcome outcome = Import(c.bytes);
        EXPECT_EQ(outcome.refusal, Refusal::NotText) << c.name;
        EXPECT_EQ(outcome.imported, 0) << c.name;
    }
}

// A NUL is no character of 8-bit text but a stray byte (a C string's end, padding left by a
// crash): it is dropped and the lines read, even where a line end beside it looks like a UTF-16
// one. A file of NULs, or mostly of them, is no text.
TEST_F(ListImportTest, NulBytesInEightBitTextAreDropped) {
    const QByteArray nul(1, '\0');
    const QByteArray padding(4096, '\0');
    const QString ascii = QStringLiteral("diet\nhat\nseo\napple\n");  // every LF at an even offset
    const QString chinese = QStringLiteral("减肥\r\nseo优化\r\n手机\r\n一上不\r\n");
    const QStringList asciiEntries = {"diet", "hat", "seo", "apple"};
    const QStringList chineseEntries = {"减肥", "seo优化", "手机", "一上不"};
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList entries;
        QByteArray mark;  // the byte-order mark it may have
    } files[] = {
        {"ascii", ascii.toLatin1(), asciiEntries, "\xEF\xBB\xBF"},
        {"gbk", platform::ToAnsi(chinese), chineseEntries, {}},
        {"utf-8", chinese.toUtf8(), chineseEntries, "\xEF\xBB\xBF"},
        {"utf-8, LF", QStringLiteral("减肥\n茶\n").toUtf8(), {"减肥", "茶"}, "\xEF\xBB\xBF"},
        {"gbk, one line", platform::ToAnsi(QStringLiteral("减肥\n")), {"减肥"}, {}},
    };
    for (const auto& f : files) {
        const QByteArray stray = QByteArray(f.bytes).insert(f.bytes.indexOf('\n') + 1, nul);
        const struct {
            const char* name;
            QByteArray bytes;
        } damaged[] = {
            {"a stray NUL", stray},
            {"a C string's NUL", f.bytes + nul},
            {"4 KiB of NUL padding", f.bytes + padding},
            {"a NUL inside a line", QByteArray(f.bytes).insert(1, nul)},
            {"a mark and a stray NUL", f.mark + stray},
        };
        for (const auto& d : damaged) {
            const ImportOutcome outcome = Import(d.bytes);
            EXPECT_EQ(outcome.refusal, Refusal::None) << f.name << ", " << d.name;
            EXPECT_EQ(taken, f.entries) << f.name << ", " << d.name;
        }
    }

    const struct {
        const char* name;
        QByteArray bytes;
    } refused[] = {
        {"NULs alone", padding},
        {"mostly NULs", QByteArray("k\0\0\0e\0\0\0y\0\0\0s\0\0\0", 16)},
        {"NULs and bytes of no charset", QByteArray("good\r\n\x81\x20x\r\n") + nul},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(Import(c.bytes).refusal, Refusal::NotText) << c.name;
        EXPECT_TRUE(taken.isEmpty()) << c.name;
    }
}

// A file cut in the middle of its last character is refused, not taken without it; but a GBK
// file of ASCII whose last character's bytes would begin a UTF-8 one is GBK.
TEST_F(ListImportTest, AFileCutInTheMiddleOfACharacterIsRefused) {
    const QString text = QStringLiteral("手机\r\n减肥");
    const QString emoji = QStringLiteral("手机\r\n😀");
    const struct {
        const char* name;
        QByteArray bytes;
    } cut[] = {
        {"utf-8 with its mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8().chopped(1)},
        {"utf-8", text.toUtf8().chopped(2)},
        {"utf-8, 4-byte character", emoji.toUtf8().chopped(1)},
        {"utf-16 le, odd byte", QByteArray("\xFF\xFE") + Utf16Le(text).chopped(1)},
        {"utf-16 be, high surrogate", QByteArray("\xFE\xFF") + Utf16Be(emoji).chopped(2)},
    };
    for (const auto& c : cut) EXPECT_EQ(Import(c.bytes).refusal, Refusal::NotText) << c.name;
    for (const char* last : {"鎵", "稹"}) {
        const QString gbk = QStringLiteral("seo\r\nab") + QString::fromUtf8(last);
        EXPECT_EQ(Import(platform::ToAnsi(gbk)).refusal, Refusal::None) << last;
        EXPECT_EQ(taken, QStringList({"seo", "ab" + QString::fromUtf8(last)})) << last;
    }
}

// Lines of bytes that put `cut` at the byte offset where the first 64 KiB piece of the file
// ends: ASCII lines before it, `cut` right across it, more lines after.
QByteArray AcrossTheFirstPiece(const QByteArray& cut, qsizetype before) {
    constexpr qsizetype kPiece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() + 200 < kPiece - before) bytes += "keyword\r\n";
    bytes += QByteArray(kPiece - before - bytes.size() - 2, 'y') + "\r\n";
    return bytes + cut + "\r\nend\r\n";
}

// What is cut where two pieces of the file meet comes out whole: a character of four bytes in
// a file whose only other characters are ASCII is still UTF-8, and a line of exactly the
// longest length is taken.
TEST_F(ListImportTest, WhatPiecesOfTheFileCutIsReadWhole) {
    const QString emoji = QStringLiteral("ab😀");
    const QString longest(list_import::kLongestLine, u'x');
    const struct {
        const char* name;
        QByteArray cut;
        qsizetype before;  // of its bytes in the first piece
        QString line;
        int tooLong;
    } cases[] = {
        {"utf-8 emoji, 1 byte before", emoji.toUtf8(), 3, emoji, 0},
        {"utf-8 emoji, 2 bytes before", emoji.toUtf8(), 4, emoji, 0},
        {"utf-8 emoji, 3 bytes before", emoji.toUtf8(), 5, emoji, 0},
        {"longest line", longest.toUtf8(), 500, longest, 0},
        {"longest line, its CR last", longest.toUtf8(), longest.size() + 1, longest, 0},
        {"one more than the longest", (longest + u'x').toUtf8(), 500, {}, 1},
    };
    for (const auto& c : cases) {
        const ImportOutcome outcome = Import(AcrossTheFirstPiece(c.cut, c.before));
        EXPECT_EQ(outcome.refusal, Refusal::None) << c.name;
        EXPECT_EQ(outcome.tooLong, c.tooLong) << c.name;
        ASSERT_GE(taken.size(), 2) << c.name;
        EXPECT_EQ(taken.last(), QStringLiteral("end")) << c.name;
        if (!c.line.isEmpty()) {
            EXPECT_EQ(taken[taken.size() - 2], c.line) << c.name;
        }
    }
    // A surrogate pair of UTF-16 split between the pieces: after the mark, 32766 units.
    const QString text =
        QStringLiteral("k\r\n").repeated(10900) + QString(66, u'y') + QStringLiteral("😀\r\nend");
    const QByteArray bytes = QByteArray("\xFF\xFE") + Utf16Le(text);
    ASSERT_EQ(bytes.mid(64 * 1024 - 2, 2), QByteArray("\x3D\xD8"));
    EXPECT_EQ(Import(bytes).refusal, Refusal::None);
    ASSERT_GE(taken.size(), 2);
    EXPECT_TRUE(taken[taken.size() - 2].endsWith(QStringLiteral("y😀")));
}

// The file is read a piece at a time: characters and line ends cut between two pieces come out
// whole, in every charset.
TEST_F(ListImportTest, NoCharacterIsLostWherePiecesOfTheFileMeet) {
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("减肥😀%1").arg(i) +
                (i % 2 ? QStringLiteral("\r\n") : QStringLiteral("\r"));
    const QString withoutEmoji = QString(text).remove(QStringLiteral("😀"));
    const struct {
        const char* name;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"utf-8", text.toUtf8(), text},
        {"gbk", platform::ToAnsi(withoutEmoji), withoutEmoji},
        {"utf-16 le", QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text),
         text},
    };
    for (const auto& c : cases) {
        ASSERT_GT(c.bytes.size(), 3 * 64 * 1024) << c.name;
        const ImportOutcome outcome = Import(c.bytes);
        EXPECT_EQ(outcome.refusal, Refusal::None) << c.name;
        EXPECT_EQ(taken,
                  c.text.split(QRegularExpression(QStringLiteral("\r\n?")), Qt::SkipEmptyParts))
            << c.name;
        EXPECT_FALSE(outcome.changed) << c.name;
    }
}

#ifdef Q_OS_UNIX
// Only a regular file is read: a pipe, a device or a folder is refused by what it is, at once
// (a pipe without a writer would hold the open for ever, a device be read without end).
TEST_F(ListImportTest, WhatIsNoRegularFileIsRefusedWithTheTrueReason) {
    const QString fifo = folder.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {fifo, QStringLiteral("这是一个管道（FIFO），不是普通文件")},
        {QStringLiteral("/dev/zero"), QStringLiteral("这是一个设备，不是普通文件")},
        {folder.path(), QStringLiteral("这是一个文件夹，不是文件")},
        {folder.filePath(QStringLiteral("missing.txt")), QStringLiteral("文件不存在")},
    };
    for (const auto& c : cases) {
        const ImportOutcome outcome = ImportListFile(c.path, TakeAll());
        EXPECT_EQ(outcome.refusal, Refusal::Unreadable) << c.path.toStdString();
        EXPECT_EQ(outcome.error, c.reason) << c.path.toStdString();
    }
    EXPECT_TRUE(taken.isEmpty());
}
#endif

// A file cut short or added to while it is read: what was there is taken, and the outcome says
// the file changed and how many lines were read.
TEST_F(ListImportTest, AFileThatChangesWhileItIsReadIsTold) {
    QByteArray bytes;
    for (int i = 0; i < 330000; ++i)
        bytes += QStringLiteral("k%1\r\n").arg(i, 7, 10, QLatin1Char('0')).toLatin1();
    const struct {
        const char* name;
        std::function<void(const QString& path)> change;
        int lines;
    } cases[] = {
        {"cut short", [](const QString& path) { QFile::resize(path, 2'000'000); }, 200000},
        {"added to",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::Append));
             file.write("more\r\n");
         },
         330000},
        {"rewritten with the same size",
         [&bytes](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(bytes);
         },
         330000},
    };
    for (const auto& c : cases) {
        const QString path = Write(bytes);
        {
            // Written long before it is read.
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                         QFileDevice::FileModificationTime));
        }
        // Both passes show their progress once a MiB: the fourth time is in the second pass.
        int shown = 0;
        JobProgress::Attach([&](const QString&, const QString&) {
            if (++shown == 4) c.change(path);
        });
        taken.clear();
        const ImportOutcome outcome = ImportListFile(path, TakeAll());
        JobProgress::Attach({});
        EXPECT_EQ(outcome.refusal, Refusal::None) << c.name;
        EXPECT_TRUE(outcome.changed) << c.name;
        EXPECT_EQ(outcome.linesRead, c.lines) << c.name;
        ASSERT_EQ(taken.size(), c.lines) << c.name;
        EXPECT_EQ(taken.last(), QStringLiteral("k%1").arg(c.lines - 1, 7, 10, QLatin1Char('0')))
            << c.name;
        EXPECT_EQ(list_import::ImportMessage(outcome, path, QStringLiteral("关键词")),
                  QStringLiteral("导入了%1个关键词。文件在读取时被改动了（被截短、加长或改写），"
                                 "只读取了其中的前%1行：")
                          .arg(c.lines) +
                      path)
            << c.name;
    }
    JobProgress::Clear();
}

// A read error part-way refuses the file, whatever was handed on before it.
TEST_F(ListImportTest, AReadErrorPartWayRefusesTheFile) {
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i) bytes += "keyword\r\n";
    testing_support::FailingFiles files(bytes.size() * 3 / 2);
    const ImportOutcome outcome = Import(bytes);
    EXPECT_EQ(outcome.refusal, Refusal::Unreadable);
    EXPECT_EQ(outcome.error, QStringLiteral("读取文件时出错（Input/output error）"));
}

TEST_F(ListImportTest, AFileOfNeitherCharsetOrBeyondTheBoundIsRefusedBeforeAnyEntry) {
    QByteArray garbage(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(20);
    random.fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    EXPECT_EQ(Import(garbage).refusal, Refusal::NotText);
    EXPECT_EQ(Import(QByteArray("good\r\n\x81\x20x\r\n")).refusal, Refusal::NotText);
    EXPECT_TRUE(taken.isEmpty());

    // Sparse: the size alone refuses it, nothing is read.
    const QString large = Write(QByteArray());
    QFile file(large);
    ASSERT_TRUE(file.resize(list_import::kLargestFile + 1));
    int calls = 0;
    const ImportOutcome outcome = ImportListFile(large, {.take = [&](const QString&) {
                                                     ++calls;
                                                     return EntryFate::Imported;
                                                 }});
    EXPECT_EQ(outcome.refusal, Refusal::TooLarge);
    EXPECT_EQ(calls, 0);
}

TEST_F(ListImportTest, TheMessageCountsEachReasonAndAFullImportSaysNothing) {
    ImportOutcome outcome;
    outcome.imported = 3;
    EXPECT_EQ(list_import::ImportMessage(outcome, QStringLiteral("a.txt"), QStringLiteral("网站")),
              QString());
    outcome.tooLong = 1;
    outcome.present = 2;
    outcome.refused = 3;
    outcome.notWritten = 4;
    outcome.error = QStringLiteral("database is locked");
    EXPECT_EQ(
        list_import::ImportMessage(outcome, QStringLiteral("a.txt"), QStringLiteral("网站"),
                                   QStringLiteral("含有“|”")),
        QStringLiteral("导入了3个网站，另有10行未导入（1行超过1024个字符，2行列表中已有该网站，"
                       "3行含有“|”，4行未能写入数据库）。\ndatabase is locked"));
    outcome = {};
    outcome.refusal = Refusal::TooLarge;
    EXPECT_EQ(
        list_import::ImportMessage(outcome, QStringLiteral("a.txt"), QStringLiteral("关键词")),
        QStringLiteral("关键词列表文件过大（超过64 MB），未导入任何关键词：a.txt"));
    outcome.refusal = Refusal::NotStored;
    outcome.error = QStringLiteral("磁盘已满");
    EXPECT_EQ(
        list_import::ImportMessage(outcome, QStringLiteral("a.txt"), QStringLiteral("关键词")),
        QStringLiteral("未能将关键词写入数据库：磁盘已满。未导入任何关键词：a.txt"));
}

TEST_F(ListImportTest, TheProgressShowsInTheStatusBarAndWhatItShowedComesBack) {
    JobProgress::Set(QStringLiteral("3/10"), QStringLiteral("减肥"));
    QStringList shown;
    JobProgress::Attach([&](const QString& count, const QString&) { shown << count; });
    QByteArray bytes;
    while (bytes.size() < 3 << 20) bytes += "keyword\r\n";
    Import(bytes);
    JobProgress::Attach({});
    // Both passes over 3 MiB, once a MiB.
    EXPECT_EQ(shown.filter(QStringLiteral("正在导入 ")).size(), 6)
        << shown.join(u',').toStdString();
    EXPECT_EQ(JobProgress::CountText(), QStringLiteral("3/10"));
    EXPECT_EQ(JobProgress::ItemText(), QStringLiteral("减肥"));
    JobProgress::Clear();
}

}  // namespace
