#include "shared/list_import.h"

#include <gtest/gtest.h>

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

TEST_F(ListImportTest, LinesEndInCrLfLfOrCrAndAreTakenTrimmedWithoutNuls) {
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
        {"NUL bytes", QByteArray("s\0e\0o\r\n\0\0\r\nx", 13), {"seo", "x"}, 0},
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
    };
    for (const auto& c : cases) {
        const QString path = Write(bytes);
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
