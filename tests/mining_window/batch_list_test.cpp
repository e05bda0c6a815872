#include <QDir>
#include <QFile>
#include <functional>
#include <memory>

#include "mining_window_fixture.h"
#include "platform/charset.h"
#include "platform/program_folder.h"
#include "support/database_files.h"
#include "support/failing_files.h"
#include "support/other_program.h"

namespace {

using mining_testing::MiningWindowTest;
using mining_testing::Texts;
using platform::Answer;

// The batch pane's keyword list over table kwlist.
class BatchList : public MiningWindowTest {
  protected:
    BatchList() : w(Opened()) { w.TreeView1->ClickNode(2); }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = folder.FilePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    void Import(const QString& path) {
        prompts.Type(path);
        w.Command7->click();
    }
    QStringList Stored() const {
        return TableRows(QStringLiteral("kwlist"), QStringLiteral("kws,setting"));
    }
    static QByteArray Gbk(const QString& text) { return platform::ToAnsi(text); }
    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    关键词挖掘& w;
};

TEST_F(BatchList, ImportReadsEveryLineOfGbkOrUtf8FilesWhateverTheirLineEnds) {
    const QString longKeyword = QString(1024, QChar(u'长'));
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList keywords;
        int notImported;
    } files[] = {
        {"gbk_crlf.txt",
         Gbk(QStringLiteral("Foo\r\n bar \r\nfoo\r\n\r\n   \r\nbaz\r\n")),
         {"foo", "bar", "baz"},
         1},
        {"utf8_bom_lf.txt",
         QByteArray("\xEF\xBB\xBF") + QStringLiteral("减肥😀\nBAR\nit's \"x\"").toUtf8(),
         {"减肥😀", "it's \"x\""},
         1},
        {"gbk_cr.txt",
         Gbk(QStringLiteral("优化\r") + longKeyword + QStringLiteral("\r")),
         {"优化", longKeyword},
         0},
        {"too_long.txt", Gbk(longKeyword + QStringLiteral("长\r\nseo")), {"seo"}, 1},
    };
    QStringList listed;
    for (const auto& file : files) {
        const int before = static_cast<int>(prompts.prompts().size());
        Import(WriteFile(QString::fromUtf8(file.name), file.bytes));
        listed += file.keywords;
        EXPECT_EQ(Texts(w.ListView8->Rows()), listed) << file.name;
        const bool told = static_cast<int>(prompts.prompts().size()) > before + 1;
        EXPECT_EQ(told, file.notImported > 0) << file.name;
        if (told) {
            EXPECT_TRUE(
                prompts.LastText().startsWith(QStringLiteral("导入了%1个关键词，另有%2行未导入（")
                                                  .arg(file.keywords.size())
                                                  .arg(file.notImported)))
                << prompts.LastText().toStdString();
        }
    }
    QStringList stored;
    for (const QString& keyword : listed) stored << keyword + QStringLiteral("|1");
    EXPECT_EQ(Stored(), stored);

    // The reload shows the table's keywords, unchecked.
    w.ListView8->Rows().SetAllChecked(true);
    w.TreeView1->ClickNode(2);
    EXPECT_EQ(Texts(w.ListView8->Rows()), listed);
    EXPECT_FALSE(w.ListView8->Rows().AnyChecked());
}

TEST_F(BatchList, AFileThatCannotBeReadIsToldAndImportsNothing) {
    Import(WriteFile(QStringLiteral("broken.txt"), QByteArray("good\r\n\x81\x20x\r\n")));
    Import(folder.FilePath(QStringLiteral("missing.txt")));
    prompts.Type(QString());  // cancelled
    w.Command7->click();

    ASSERT_EQ(prompts.Texts().size(), 5);
    for (int i : {1, 3})
        EXPECT_TRUE(prompts.Texts()[i].startsWith(QStringLiteral("无法读取关键词列表文件")));
    EXPECT_EQ(w.ListView8->Count(), 0);
    EXPECT_EQ(Stored(), QStringList());
}

// Another program holds db.db beyond the wait: the import waits once and writes nothing.
TEST_F(BatchList, AnImportUnderAnotherProgramsLockWaitsOnceAndWritesNothing) {
    Import(WriteFile(QStringLiteral("first.txt"), QByteArray("a")));
    const QString path = WriteFile(QStringLiteral("keywords.txt"), QByteArray("a\nb\nc\nd"));
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        testing_support::OtherProgramSession other(DatabasePath(),
                                                   {QStringLiteral("begin immediate")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        Import(path);
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("未能将关键词写入数据库：数据库文件正被其他程序占用。"
                             "未导入任何关键词：") +
                  path);
    EXPECT_EQ(Texts(w.ListView8->Rows()), QStringList{QStringLiteral("a")});
    EXPECT_EQ(Stored(), QStringList{QStringLiteral("a|1")});
}

// A file's keywords are stored all or none: whatever fails on the way (the disk fills up, the
// file cannot be read to its end, the commit is refused) leaves list and table as they were,
// and the message says that nothing was imported and why.
TEST_F(BatchList, AnImportThatFailsOnTheWayStoresNoneOfItsKeywordsAndSaysWhy) {
    Import(WriteFile(QStringLiteral("first.txt"), QByteArray("a")));
    QByteArray many;
    for (int i = 0; i < 3000; ++i) many += QStringLiteral("关键词%1\r\n").arg(i).toUtf8();
    const QString path = WriteFile(QStringLiteral("many.txt"), many);
    platform::Connection& db = SharedConnection();
    const auto execute = [&db](const QString& sql) {
        ASSERT_TRUE(db.Execute(sql)) << sql.toStdString();
    };
    const int pages = db.Query(QStringLiteral("pragma page_count"))->Field(0).toInt();
    std::unique_ptr<testing_support::FailingFiles> failingFiles;
    const struct {
        const char* name;
        std::function<void()> plant;
        std::function<void()> undo;
        QString told;
    } cases[] = {
        {"the disk fills up",
         [&] { execute(QStringLiteral("pragma max_page_count = %1").arg(pages + 2)); },
         [&] { execute(QStringLiteral("pragma max_page_count = 1073741823")); },
         QStringLiteral("未能将关键词写入数据库：磁盘已满，数据库文件无法写入。"
                        "未导入任何关键词：") +
             path},
        {"the file fails half-way",
         // The import reads the file twice: the error comes half-way through the second pass.
         [&] {
             failingFiles = std::make_unique<testing_support::FailingFiles>(many.size() * 3 / 2);
         },
         [&] { failingFiles.reset(); },
         QStringLiteral("无法读取关键词列表文件，未导入任何关键词：") + path +
             QStringLiteral("\n读取文件时出错（Input/output error）")},
        {"the commit is refused",
         [&] {
             ASSERT_TRUE(
                 testing_support::RefuseCommitsAfter(db, QStringLiteral("insert on kwlist")));
         },
         [&] { execute(QStringLiteral("drop trigger hold")); },
         QStringLiteral("未能将关键词写入数据库：数据库操作失败（FOREIGN KEY constraint "
                        "failed）。未导入任何关键词：") +
             path},
    };
    for (const auto& c : cases) {
        c.plant();
        Import(path);
        c.undo();
        EXPECT_EQ(prompts.LastText(), c.told) << c.name;
        EXPECT_EQ(prompts.prompts().back().icon, platform::Icon::Exclamation) << c.name;
        EXPECT_EQ(Texts(w.ListView8->Rows()), QStringList{QStringLiteral("a")}) << c.name;
        EXPECT_EQ(Stored(), QStringList{QStringLiteral("a|1")}) << c.name;
    }
    // Nothing of them stays behind: the same file imports whole afterwards.
    Import(path);
    EXPECT_EQ(w.ListView8->Count(), 3001);
    EXPECT_EQ(Stored().size(), 3001);
}

TEST_F(BatchList, DeleteRemovesTheCheckedRowsAndEveryRecordOfTheirKeywords) {
    for (const char* keyword : {"a", "b", "a", "c"})
        ASSERT_TRUE(SharedConnection().Execute(
            QStringLiteral("insert into kwlist (kws,setting) values (?,1)"),
            {QString::fromUtf8(keyword)}));
    w.TreeView1->ClickNode(2);
    w.Command6->click();
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("请选择你要删除的关键词")});

    w.ListView8->Rows().SetChecked(1, true);
    w.ListView8->Rows().SetChecked(3, true);
    w.Command6->click();
    EXPECT_EQ(Texts(w.ListView8->Rows()), (QStringList{"b", "c"}));
    EXPECT_EQ(Stored(), (QStringList{"b|1", "c|1"}));
    EXPECT_EQ(prompts.prompts().size(), 1u);

    // A record that cannot be deleted keeps its row.
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop table kwlist")));
    w.ListView8->Rows().SetChecked(2, true);
    w.Command6->click();
    EXPECT_EQ(Texts(w.ListView8->Rows()), (QStringList{"b", "c"}));
    EXPECT_TRUE(prompts.LastText().startsWith(
        QStringLiteral("以下关键词未能从数据库中删除，仍留在列表中：c")));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
}

TEST_F(BatchList, ExportWritesEveryRowAsGbkLinesAndTellsTheOutcome) {
    for (const char* keyword : {"foo", "减肥", "笑😀"}) w.ListView8->Add(QString::fromUtf8(keyword));
    w.ListView8->Rows().SetChecked(1, true);
    const QString file = folder.FilePath(QStringLiteral("list.txt"));

    // A name with ".txt", the picker cancelled (the program folder), then open it.
    prompts.Type(QStringLiteral("list.txt")).Type(QString()).Answer(Answer::Ok).Answer(Answer::Ok);
    w.Command8->click();
    EXPECT_EQ(FileBytes(file), Gbk(QStringLiteral("foo\r\n减肥\r\n笑?\r\n")));
    EXPECT_EQ(prompts.Texts().mid(2, 1), QStringList{QStringLiteral("网站列表导出成功！")});
    EXPECT_EQ(shell.edited, QStringList{file});

    // Refused names; an answer of Cancel to the overwrite question keeps the file.
    for (const char* name : {"list.TXT", "a.b", "", "a/b"}) {
        prompts.Type(QString::fromUtf8(name));
        w.Command8->click();
        EXPECT_EQ(prompts.LastText(), QStringLiteral("输入文件名有误！")) << name;
    }
    w.ListView8->Remove(1);
    prompts.Type(QStringLiteral("list")).Type(folder.Path() + u'/').Answer(Answer::Cancel);
    w.Command8->click();
    EXPECT_EQ(FileBytes(file), Gbk(QStringLiteral("foo\r\n减肥\r\n笑?\r\n")));
    EXPECT_EQ(prompts.LastText(), QStringLiteral("该文件已经存在，是否覆盖?"));

    // A folder that is not there: the failure is told, not a success.
    prompts.Type(QStringLiteral("list")).Type(folder.FilePath(QStringLiteral("nowhere")));
    w.Command8->click();
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("导出失败，无法写入文件")));
    EXPECT_EQ(prompts.Last().title, QStringLiteral("导出失败"));

    w.ListView8->Rows().Clear();
    w.Command8->click();
    EXPECT_EQ(prompts.Last().title, QStringLiteral("导出数据"));
    EXPECT_EQ(prompts.LastText(), QStringLiteral("没有数据需要导出！"));
}

TEST_F(BatchList, TheSaveFolderButtonStoresTheChosenFolderAndACancelKeepsTheOldOne) {
    const QString chosen = folder.FilePath(QStringLiteral("results"));
    prompts.Type(chosen);
    w.Command3->click();
    ASSERT_FALSE(prompts.prompts().empty());
    EXPECT_EQ(prompts.prompts()[0].title, platform::ProgramFolder());
    EXPECT_EQ(w.Text3->Text(), chosen);
    EXPECT_EQ(TableRows(QStringLiteral("kwsetting"), QStringLiteral("k21")), QStringList{chosen});
    prompts.Type(QString());
    w.Command3->click();
    EXPECT_EQ(w.Text3->Text(), chosen);
}

TEST_F(BatchList, SelectAllTogglesTheBatchListOnly) {
    w.ListView8->Add(QStringLiteral("a"));
    w.Command4->click();
    EXPECT_TRUE(w.ListView8->Rows().Checked(1));
    EXPECT_EQ(w.Command4->Caption(), QStringLiteral("全不选"));
    EXPECT_EQ(w.Command34->Caption(), QStringLiteral("全选"));
}

TEST_F(BatchList, BatchAddPutsTheTypedKeywordsIntoTheListAndTheTable) {
    w.ListView8->Add(QStringLiteral("seo"));
    modals.work = [](QDialog& dialog) {
        auto& add = static_cast<frm_AddKeywords&>(dialog);
        add.Text1->setPlainText(QStringLiteral("SEO\n减肥 \r\n\n优化"));
        add.Command5_Click();
    };
    w.Command16->click();
    EXPECT_EQ(Texts(w.ListView8->Rows()), (QStringList{"seo", "减肥", "优化"}));
    EXPECT_EQ(Stored(), (QStringList{"减肥|1", "优化|1"}));
}

}  // namespace
