#include "shared/list_import.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/charset.h"
#include "shared/job_progress.h"
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
        return ImportListFile(Write(bytes), [this](const QString& entry) {
            taken << entry;
            return EntryFate::Imported;
        });
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
    const ImportOutcome outcome = ImportListFile(large, [&](const QString&) {
        ++calls;
        return EntryFate::Imported;
    });
    EXPECT_EQ(outcome.refusal, Refusal::TooLarge);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(ImportListFile(folder.filePath(QStringLiteral("missing.txt")),
                             [](const QString&) { return EntryFate::Imported; })
                  .refusal,
              Refusal::Unreadable);
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
