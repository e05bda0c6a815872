#include "shared/batch_helpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "platform/charset.h"
#include "platform/row_table.h"
#include "shared/batch_binding.h"
#include "support/test_environment.h"

namespace {

// Stands in for the mining window: the save folder box.
class BatchHost final : public BatchBinding {
  public:
    BatchHost() { InstallBatchBinding(this); }
    ~BatchHost() override { InstallBatchBinding(nullptr); }

    QString SaveFolder() const override { return Text3; }

    QString Text3;
};

// A batch result list of one row.
void FillResults(platform::RowTable& list) {
    for (const char* caption :
         {"相关关键词", "搜索量-月均", "搜索量-昨日", "百度收录数", "百度优化指数"})
        list.AddColumn(QString::fromUtf8(caption), 1500);
    const platform::ListItem row = list.Add(QStringLiteral("减肥茶"));
    for (int j = 1; j <= 4; ++j) row.SetSubItem(j, QStringLiteral("-"));
}

// Every file below `folder`, relative to it.
QStringList FilesIn(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

const QString kKeyword = QStringLiteral("减肥");

class AutoSaveTest : public testing_support::TestEnvironment {
  protected:
    AutoSaveTest() {
        clock.Set(QDateTime(QDate(2010, 6, 24), QTime(14, 5, 9)));
        host_.Text3 = save_.path();
        FillResults(results_);
    }

    BatchHost host_;
    QTemporaryDir save_;
    platform::RowTable results_;
};

TEST_F(AutoSaveTest, SavesAReportNamedAfterTheKeywordAndTheTime) {
    ASSERT_TRUE(AutoSaveList(results_, kKeyword, QStringLiteral("txt"), 5));
    QFile saved(save_.filePath(QStringLiteral("减肥-2010-06-24-14-05-09.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(
        text.contains(platform::ToAnsi(QStringLiteral("\r\n相关关键词        月均搜索量"))));
    EXPECT_TRUE(text.endsWith(
        platform::ToAnsi(QStringLiteral("\r\n减肥茶    -     -     -     -     \r\n"))));

    // In the first second of a day the system's date-time text is the date alone; a second save
    // in the same second replaces the first.
    clock.Set(QDateTime(QDate(2010, 6, 25), QTime(0, 0)));
    ASSERT_TRUE(AutoSaveList(results_, QString(), QStringLiteral("htm"), 5));
    clock.Set(QDateTime(QDate(2010, 6, 25), QTime(0, 0, 0, 400)));
    ASSERT_TRUE(AutoSaveList(results_, QString(), QStringLiteral("htm"), 5));
    EXPECT_EQ(FilesIn(save_.path()), (QStringList{QStringLiteral("-2010-06-25.htm"),
                                                  QStringLiteral("减肥-2010-06-24-14-05-09.txt")}));
}

TEST_F(AutoSaveTest, AKeywordCannotLeadTheFileOutOfTheSaveFolder) {
    QTemporaryDir outside;
    QDir(outside.path()).mkdir(QStringLiteral("save"));
    QDir(outside.path()).mkdir(QStringLiteral("a"));
    host_.Text3 = outside.filePath(QStringLiteral("save"));
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("../减肥"), QStringLiteral("__减肥")},
        {QStringLiteral("../a/b"), QStringLiteral("__a_b")},
        {QStringLiteral("..\\..\\x"), QStringLiteral("____x")},
        {QStringLiteral("what?*:<>|\"\t"), QStringLiteral("what________")},
        {QStringLiteral("a...b"), QStringLiteral("a_.b")},
        {QString(100, u'长'), QString(60, u'长')},
    };
    for (const auto& [keyword, name] : cases) {
        EXPECT_TRUE(AutoSaveList(results_, keyword, QStringLiteral("txt"), 5))
            << keyword.toStdString();
        EXPECT_TRUE(QFile::exists(outside.filePath(QStringLiteral("save/") + name +
                                                   QStringLiteral("-2010-06-24-14-05-09.txt"))))
            << keyword.toStdString();
    }
    EXPECT_EQ(FilesIn(outside.path()).filter(QStringLiteral("save/")).size(),
              qsizetype(cases.size()));
    EXPECT_EQ(FilesIn(outside.path()).size(), qsizetype(cases.size()));
}

TEST_F(AutoSaveTest, ReportsFalseWhenNothingWasWritten) {
    struct Case {
        const char* what;
        QString folder;
        qint16 kind;
    };
    const std::vector<Case> cases = {
        {"no save folder", QString(), 5},
        {"a save folder that does not exist", save_.filePath(QStringLiteral("gone")), 5},
        {"a negative kind", save_.path(), -1},
    };
    for (const Case& c : cases) {
        host_.Text3 = c.folder;
        EXPECT_FALSE(AutoSaveList(results_, kKeyword, QStringLiteral("txt"), c.kind)) << c.what;
    }
    EXPECT_TRUE(FilesIn(save_.path()).isEmpty());

    InstallBatchBinding(nullptr);
    host_.Text3 = save_.path();
    EXPECT_FALSE(AutoSaveList(results_, kKeyword, QStringLiteral("txt"), 5));
    InstallBatchBinding(&host_);
}

}  // namespace
