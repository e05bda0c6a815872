#include "shared/list_exporter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QWidget>

#include "platform/charset.h"
#include "platform/program_folder.h"
#include "platform/row_table.h"
#include "shared/busy_indicator.h"
#include "shared/running_job.h"
#include "support/test_environment.h"

namespace {

using platform::Answer;
using testing_support::ScriptedPrompts;

const QString kNamePrompt = QStringLiteral("请输入您要导出文件的文件名");
const QString kFolderPrompt = QStringLiteral("请选要导出文件所保存的文件夹");
const QString kExists = QStringLiteral("该文件已经存在，是否覆盖?");
const QString kDone = QStringLiteral("导出完成，是否打开文件?");
const QString kBadName = QStringLiteral("输入文件名有误！");

class ListExporterTest : public testing_support::TestEnvironment {
  protected:
    ListExporterTest()
        : TestEnvironment(testing_support::Database::Missing, testing_support::Desktop::Used) {
        BusyIndicator::Set(BusyIndicator::kReady);
        list_.AddColumn(QStringLiteral("关键词"), 1500);
        list_.AddColumn(QStringLiteral("搜索量-月均"), 1500);
        list_.Add(QStringLiteral("减肥")).SetSubItem(1, QStringLiteral("1200"));
        QDir(folder.Path()).mkdir(QStringLiteral("out"));
    }
    ~ListExporterTest() override { BusyIndicator::Set(BusyIndicator::kReady); }

    QString Out(const QString& name) const {
        return folder.FilePath(QStringLiteral("out/") + name);
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    platform::RowTable list_;
    QWidget owner_;
};

TEST_F(ListExporterTest, NothingHappensWhileAJobRuns) {
    const jobs::Running job(QStringLiteral("常规挖掘"));
    ExportList(list_, QStringLiteral("txt"), 5, nullptr);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(ListExporterTest, AnEmptyListHasNothingToExport) {
    list_.Clear();
    ExportList(list_, QStringLiteral("xls"), 0, &owner_);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, QStringLiteral("没有数据需要导出！"));
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("导出数据"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Information);
}

TEST_F(ListExporterTest, ABadFileNameIsRefusedBeforeTheFolderIsAsked) {
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("txt"), QString()},  // a cancelled name prompt
        {QStringLiteral("txt"), QStringLiteral("report.txt.doc")},
        {QStringLiteral("txt"), QStringLiteral("sub/report")},
        {QStringLiteral("htm"), QStringLiteral("a:b")},
        {QStringLiteral("xls"), QStringLiteral(".xlsx")},
        {QStringLiteral("xls"), QStringLiteral("report.XLSX")},
        {QStringLiteral("xls"), QStringLiteral(".xls")},
    };
    for (const auto& [extension, name] : cases) {
        ScriptedPrompts asked;
        asked.Type(name);
        ExportList(list_, extension, 5, &owner_);
        ASSERT_EQ(asked.Texts(), (QStringList{kNamePrompt, kBadName}))
            << extension.toStdString() << " " << name.toStdString();
        EXPECT_EQ(asked.prompts()[0].title, QStringLiteral("导出文件"));
        EXPECT_EQ(asked.prompts()[1].title, QStringLiteral("提示"));
    }
}

// Only the suffix and the characters no file name can hold limit the name, not its length.
TEST_F(ListExporterTest, ALongNameIsTakenAsTyped) {
    const QString name = QString(40, u'报') + QString(60, u'x');
    prompts.Type(name).Type(folder.FilePath(QStringLiteral("out"))).Answer(Answer::Cancel);
    ExportList(list_, QStringLiteral("htm"), 5, &owner_);
    EXPECT_EQ(prompts.LastText(), kDone);
    EXPECT_TRUE(QFile::exists(Out(name + QStringLiteral(".htm"))));
}

TEST_F(ListExporterTest, ATextReportGoesToTheChosenFolderAndOpensInTheEditor) {
    for (const QString& name : {QStringLiteral("report.txt"), QStringLiteral("report.txt.txt")}) {
        ScriptedPrompts asked;
        asked.Type(name).Type(folder.FilePath(QStringLiteral("out"))).Answer(Answer::Ok);
        if (QFile::exists(Out(QStringLiteral("report.txt")))) asked.Answer(Answer::Ok);
        ExportList(list_, QStringLiteral("txt"), 5, nullptr);
        EXPECT_TRUE(asked.Exhausted());
        ASSERT_GE(asked.prompts().size(), 2u);
        EXPECT_EQ(asked.prompts()[1].text, kFolderPrompt);
        EXPECT_EQ(asked.prompts()[1].title, platform::ProgramFolder());  // the start folder
        EXPECT_EQ(asked.LastText(), kDone);
    }
    EXPECT_EQ(shell.edited, QStringList(2, Out(QStringLiteral("report.txt"))));
    EXPECT_TRUE(Read(Out(QStringLiteral("report.txt")))
                    .endsWith(platform::ToAnsi(QStringLiteral("\r\n减肥    1200     \r\n"))));
}

TEST_F(ListExporterTest, ACancelledFolderSavesInTheProgramFolderAndCancelOpensNothing) {
    prompts.Type(QStringLiteral("report")).Type(QString()).Answer(Answer::Cancel);
    ExportList(list_, QStringLiteral("htm"), 5, &owner_);
    EXPECT_TRUE(Read(folder.FilePath(QStringLiteral("report.htm"))).startsWith("<html><title>"));
    EXPECT_EQ(prompts.LastText(), kDone);
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(shell.edited.isEmpty());
}

TEST_F(ListExporterTest, AWorkbookOrHtmlReportOpensWithItsProgram) {
    // A folder that ends in a separator, as a root folder does, gives a single one.
    prompts.Type(QStringLiteral("book.xlsx"))
        .Type(folder.FilePath(QStringLiteral("out/")))
        .Answer(Answer::Ok);
    ExportList(list_, QStringLiteral("xls"), 0, &owner_);
    EXPECT_EQ(shell.opened, QStringList{Out(QStringLiteral("book.xlsx"))});
    EXPECT_TRUE(Read(Out(QStringLiteral("book.xlsx"))).startsWith("PK"));
}

TEST_F(ListExporterTest, AWorkbookNameMayBeTypedWithEitherWorkbookSuffix) {
    for (const QString& name : {QStringLiteral("book.xls"), QStringLiteral("book.xlsx"),
                                QStringLiteral("book.xls.xlsx")}) {
        QFile::remove(Out(QStringLiteral("book.xlsx")));
        ScriptedPrompts asked;
        asked.Type(name).Type(folder.FilePath(QStringLiteral("out"))).Answer(Answer::Cancel);
        ExportList(list_, QStringLiteral("xls"), 0, &owner_);
        EXPECT_EQ(asked.LastText(), kDone) << name.toStdString();
        EXPECT_TRUE(Read(Out(QStringLiteral("book.xlsx"))).startsWith("PK")) << name.toStdString();
    }
}

TEST_F(ListExporterTest, TheOverwriteQuestionGuardsAnExistingFile) {
    for (const QString& extension : {QStringLiteral("txt"), QStringLiteral("xls")}) {
        const QString path = Out(QStringLiteral("old") + ExportFileSuffix(extension));
        Put(path, "old");
        {
            ScriptedPrompts asked;
            asked.Type(QStringLiteral("old"))
                .Type(folder.FilePath(QStringLiteral("out")))
                .Answer(Answer::Cancel);
            ExportList(list_, extension, 5, &owner_);
            EXPECT_EQ(asked.LastText(), kExists);
            EXPECT_EQ(Read(path), QByteArray("old"));
        }
        ScriptedPrompts asked;
        asked.Type(QStringLiteral("old"))
            .Type(folder.FilePath(QStringLiteral("out")))
            .Answer(Answer::Ok)
            .Answer(Answer::Cancel);
        ExportList(list_, extension, 5, &owner_);
        EXPECT_EQ(asked.Texts(), (QStringList{kNamePrompt, kFolderPrompt, kExists, kDone}));
        EXPECT_NE(Read(path), QByteArray("old"));
    }
}

// A write that fails is told as a failure, never as a finished export.
TEST_F(ListExporterTest, AFailedWriteIsToldAndNotOfferedForOpening) {
    const QString missing = folder.FilePath(QStringLiteral("missing"));
    prompts.Type(QStringLiteral("report")).Type(missing);
    ExportList(list_, QStringLiteral("txt"), 5, nullptr);
    ASSERT_EQ(prompts.prompts().size(), 3u);
    EXPECT_EQ(prompts.prompts()[2].text,
              QStringLiteral("导出失败，无法写入文件：\r\n\r\n") +
                  QDir::toNativeSeparators(missing + QStringLiteral("/report.txt")));
    EXPECT_EQ(prompts.prompts()[2].title, QStringLiteral("导出失败"));
    EXPECT_EQ(prompts.prompts()[2].icon, platform::Icon::Critical);

    ScriptedPrompts asked;
    asked.Type(QStringLiteral("book")).Type(missing);
    ExportList(list_, QStringLiteral("xls"), 0, &owner_);
    ASSERT_EQ(asked.prompts().size(), 3u);
    EXPECT_TRUE(asked.prompts()[2].text.startsWith(QStringLiteral("导出失败，原因如下：")));

    // A kind that selects no export writes nothing, and says so.
    ScriptedPrompts negative;
    negative.Type(QStringLiteral("book")).Type(folder.FilePath(QStringLiteral("out")));
    ExportList(list_, QStringLiteral("xls"), -1, &owner_);
    ASSERT_EQ(negative.prompts().size(), 3u);
    EXPECT_EQ(negative.prompts()[2].title, QStringLiteral("导出失败"));
    EXPECT_FALSE(QFile::exists(Out(QStringLiteral("book.xlsx"))));
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(shell.edited.isEmpty());
}

}  // namespace
