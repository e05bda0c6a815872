#include <QCoreApplication>

#include "platform/charset.h"
#include "shared/shared_connection.h"
#include "support/database_files.h"
#include "support/list_ends.h"
#include "support/other_program.h"
#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;
using platform::Answer;

class RankTargetsTest : public ToolsWindowTest {
  protected:
    RankTargetsTest() { Open(); }

    // The stored rows of kind `stat`, each "txt|subtxt", in id order.
    QStringList Stored(int stat) {
        return TableRows(QStringLiteral("select txt,ifnull(subtxt,'') from kws where stat = %1 "
                                        "order by id")
                             .arg(stat));
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = folder.FilePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    platform::RowTable& Sites() { return window->ListView8->Rows(); }
    platform::RowTable& Keywords() { return window->ListView9->Rows(); }
};

TEST_F(RankTargetsTest, SitesAndTheirKeywordsAreAddedOnceInAnyCaseTrimmedAndStored) {
    prompts.Type(QStringLiteral(" www.a.com #Site-B.com# #WWW.A.COM##it's&me.com "));
    Click("Command38");
    EXPECT_EQ(Stored(0), QStringList({"www.a.com|", "Site-B.com|", "it's&me.com|"}));
    EXPECT_EQ(Texts(Sites()), QStringList({"www.a.com", "Site-B.com", "it's&me.com"}));
    EXPECT_EQ(Checks(Sites()), QStringLiteral("001")) << "the newest row is current";
    const qint64 newest = Sites().Tag(3).toLongLong();
    EXPECT_EQ(window->Targets->CurrentSiteId, newest);

    const QString longKeyword(300, u'长');
    prompts.Type(QStringLiteral("减肥| 瘦身 |减肥|Diet|diet|😀 表情|C#教程|") + longKeyword);
    Click("Command16");
    EXPECT_EQ(Texts(Keywords()),
              QStringList({"减肥", "瘦身", "Diet", "😀 表情", "C#教程", longKeyword}));
    EXPECT_EQ(Checks(Keywords()), QStringLiteral("111111"));
    EXPECT_EQ(testing_support::LastOf(Stored(0)),
              QStringLiteral("it's&me.com|减肥|瘦身|Diet|😀 表情|C#教程|") + longKeyword);

    prompts.Type(QStringLiteral("site-b.COM"));
    Click("Command38");
    EXPECT_EQ(Stored(0).size(), 3) << "a site present in other letters is not added again";
    prompts.Type(QStringLiteral(" SITE-B.com "));
    Click("Command5");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("该网站已经存在！")) << "nor as a combination";
    EXPECT_EQ(Stored(0).size(), 3);

    prompts.Type(QStringLiteral(" # "));
    Click("Command38");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("网站或关键词不能为空！"));
    prompts.Type(QStringLiteral("good.com#bad|site.com"));
    Click("Command38");
    EXPECT_TRUE(prompts.LastText().contains(QStringLiteral("bad|site.com")));
    EXPECT_EQ(testing_support::LastOf(Texts(Sites())), QStringLiteral("good.com"));
    EXPECT_TRUE(prompts.Exhausted());
}

// An add the database refuses leaves the list as it was, with one message naming what failed:
// another program's lock, met once, or a file damaged while the program runs.
TEST_F(RankTargetsTest, AnAddTheDatabaseRefusesLeavesTheListAsItWasAndSaysWhy) {
    prompts.Type(QStringLiteral("a.com#b.com"));
    Click("Command38");
    const qsizetype told = prompts.Texts().size();
    const QString db = folder.FilePath(QStringLiteral("db.db"));
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        testing_support::OtherProgramSession other(db, {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        prompts.Type(QStringLiteral("c.com"));
        Click("Command38");
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_EQ(prompts.LastText(), QStringLiteral("写入数据库失败：数据库文件正被其他程序占用"));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);
    EXPECT_EQ(Texts(Sites()), QStringList({"a.com", "b.com"}));
    EXPECT_EQ(Checks(Sites()), QStringLiteral("01"));

    SharedConnection().Close();  // every page written into the file itself
    testing_support::DamagePages(db);
    ASSERT_TRUE(SharedConnection().Open(db));
    prompts.Type(QStringLiteral("c.com"));
    Click("Command38");
    EXPECT_EQ(
        prompts.LastText(),
        QStringLiteral("写入数据库失败：数据库文件已损坏（database disk image is malformed）"));
    EXPECT_EQ(Texts(Sites()), QStringList({"a.com", "b.com"}));
    EXPECT_EQ(prompts.Texts().size(), told + 4) << "two prompts and two messages";
}

TEST_F(RankTargetsTest, ARowBecomesCurrentByItsBoxOrAClickAndTheEntriesFollowIt) {
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into kws (txt,subtxt,stat) values ('s1','a||b',0),('s2','a | b',0),"
                       "('s3',null,0),('s4','|',0),('k1','x',1)")));
    window->Option1[1]->click();
    window->Option1[0]->click();
    EXPECT_EQ(Texts(Sites()), QStringList({"s1", "s2", "s3", "s4"}));
    EXPECT_EQ(Checks(Sites()), QStringLiteral("0000"));
    EXPECT_EQ(Keywords().Count(), 0);

    UserClick(window->ListView8, 1);
    EXPECT_EQ(Texts(Keywords()), QStringList({"a", "b"}));
    EXPECT_EQ(Checks(Keywords()), QStringLiteral("11"));
    UserCheck(window->ListView8, 2, true);
    UserClick(window->ListView8, 2);  // the click that ticked the box
    EXPECT_EQ(Checks(Sites()), QStringLiteral("0100"));
    EXPECT_EQ(Texts(Keywords()), QStringList({"a ", " b"})) << "entries as stored";
    QCoreApplication::processEvents();

    UserCheck(window->ListView8, 2, false);
    EXPECT_EQ(Checks(Sites()), QStringLiteral("0000"));
    EXPECT_EQ(window->Targets->CurrentSiteId, 0);
    EXPECT_EQ(Keywords().Count(), 0);
    QCoreApplication::processEvents();

    for (int row : {3, 4}) {
        UserClick(window->ListView8, row);
        EXPECT_EQ(Keywords().Count(), 0);
        EXPECT_EQ(window->Targets->CurrentSiteId, Sites().Tag(row).toLongLong());
    }
    UserClick(window->ListView9, 1);  // the entry list's events change nothing
    EXPECT_EQ(Checks(Sites()), QStringLiteral("0001"));

    Click("Command10");
    EXPECT_EQ(Checks(Sites()), QStringLiteral("1111"));
    EXPECT_EQ(Find("Command10")->Caption(), QStringLiteral("全不"));
    EXPECT_EQ(Find("Command8")->Caption(), QStringLiteral("全选"));
    Click("Command10");
    EXPECT_EQ(Checks(Sites()), QStringLiteral("0000"));
    EXPECT_EQ(Find("Command10")->Caption(), QStringLiteral("全选"));
}

TEST_F(RankTargetsTest, EditsInPlaceAreStoredAsTypedOrRefusedWithAMessage) {
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("insert into kws (txt,subtxt,stat) values ('s1','a|b|c',0),('s2','',0)")));
    window->Option1[1]->click();
    window->Option1[0]->click();
    UserClick(window->ListView8, 1);

    UserEdit(window->ListView9, 2, QStringLiteral(" x "));
    EXPECT_EQ(Texts(Keywords()), QStringList({"a", " x ", "c"}));
    UserEdit(window->ListView8, 2, QStringLiteral("  it's.com "));
    EXPECT_EQ(Stored(0), QStringList({"s1|a| x |c", "  it's.com |"}));
    EXPECT_EQ(Texts(Sites()), QStringList({"s1", "  it's.com "}));

    for (const char* refused : {"a|b", "   "}) {
        UserEdit(window->ListView9, 1, QString::fromUtf8(refused));
        UserEdit(window->ListView8, 1, QString::fromUtf8(refused));
    }
    EXPECT_EQ(prompts.prompts().size(), 4u);
    EXPECT_EQ(Texts(Keywords()), QStringList({"a", " x ", "c"}));
    EXPECT_EQ(Stored(0), QStringList({"s1|a| x |c", "  it's.com |"}));
}

TEST_F(RankTargetsTest, ImportsReadGbkAndUtf8FilesToTheirEndSkippingEmptyLines) {
    const QString gbk = WriteFile(QStringLiteral("sites.txt"),
                                  platform::ToAnsi(QStringLiteral(
                                      "  例子.com  \r\n\r\n   \r\nb.com\r\nA|B.com\r\n例子.COM")));
    prompts.Type(gbk);
    Click("Command15");
    EXPECT_EQ(Stored(0), QStringList({"例子.com|", "b.com|"}));
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("导入了2个网站，另有2行未导入（1行列表中已有该网站，1行含有“|”）。"));
    EXPECT_EQ(prompts.prompts()[0].text, QStringLiteral("导入网站列表"));

    const QString utf8 = WriteFile(QStringLiteral("keywords.txt"),
                                   "\xEF\xBB\xBF" + QStringLiteral("减肥\n\n瘦身 \n").toUtf8());
    prompts.Type(utf8);
    Click("Command19");
    EXPECT_EQ(Texts(Keywords()), QStringList({"减肥", "瘦身"}));
    EXPECT_EQ(testing_support::LastOf(Stored(0)), QStringLiteral("b.com|减肥|瘦身"));

    // Lines end at a CR alone too.
    prompts.Type(WriteFile(QStringLiteral("cr.txt"), QByteArray("c.com\rd.com\r")));
    Click("Command15");
    EXPECT_EQ(Stored(0), QStringList({"例子.com|", "b.com|减肥|瘦身", "c.com|", "d.com|"}));

    // Bytes that are neither GBK nor UTF-8 are refused whole, as is a file that is not there.
    prompts.Type(WriteFile(QStringLiteral("binary.txt"), QByteArray("e.com\r\n\x81\x20x\r\n")));
    Click("Command15");
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("无法读取网站列表文件（应为GBK")));
    prompts.Type(folder.FilePath(QStringLiteral("missing.txt")));
    Click("Command15");
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("无法读取网站列表文件")));
    EXPECT_EQ(Stored(0).size(), 4);
    prompts.Type(QString());
    Click("Command19");  // cancelled
    EXPECT_TRUE(prompts.Exhausted());
}

// An import the database refuses is told once, its count and its reason in one message.
TEST_F(RankTargetsTest, AnImportTheDatabaseRefusesIsToldInOneMessage) {
    const QString file = WriteFile(QStringLiteral("sites.txt"), QByteArray("a.com\r\nb.com\r\n"));
    SharedConnection().SetLockWait(std::chrono::milliseconds(200));
    {
        testing_support::OtherProgramSession other(folder.FilePath(QStringLiteral("db.db")),
                                                   {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        prompts.Type(file);
        Click("Command15");
    }
    EXPECT_EQ(prompts.Texts(),
              QStringList({QStringLiteral("导入网站列表"),
                           QStringLiteral("导入了0个网站，另有2行未导入（2行未能写入数据库）。\n"
                                          "数据库文件正被其他程序占用")}));
    EXPECT_TRUE(Texts(Sites()).isEmpty());
}

TEST_F(RankTargetsTest, CombinationsInModeOneStoreAKeywordWithItsSites) {
    window->Option1[1]->click();
    EXPECT_EQ(window->Frame12->x(), platform::TwipsToPixels(120));
    prompts.Type(QStringLiteral(" 优化 ")).Type(QStringLiteral("a.com# b.com #A.COM##c|d.com"));
    Click("Command5");
    EXPECT_EQ(Stored(1), QStringList({"优化|a.com|b.com"}));
    EXPECT_EQ(Texts(Keywords()), QStringList({"优化"}));
    EXPECT_EQ(Checks(Keywords()), QStringLiteral("1"));
    EXPECT_EQ(Keywords().Tag(1).toLongLong(), window->Targets->CurrentKeywordId);
    EXPECT_EQ(Texts(Sites()), QStringList({"a.com", "b.com"}));
    EXPECT_EQ(Checks(Sites()), QStringLiteral("11"));
    EXPECT_TRUE(prompts.LastText().contains(QStringLiteral("c|d.com")));

    prompts.Type(QStringLiteral("优化"));
    Click("Command5");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("该关键词已经存在！"));
    prompts.Type(QString());
    Click("Command5");
    EXPECT_EQ(Stored(1).size(), 1);
    EXPECT_EQ(Stored(0).size(), 0) << "the modes keep their own rows";

    // Edits in mode 1: the keyword row is renamed, a site entry rewritten.
    UserEdit(window->ListView9, 1, QStringLiteral("SEO优化"));
    UserEdit(window->ListView8, 1, QStringLiteral("HTTP://WWW.Example.com/"));
    EXPECT_EQ(Stored(1), QStringList({"SEO优化|HTTP://WWW.Example.com/|b.com"}));
    UserEdit(window->ListView8, 1, QStringLiteral("a.com"));

    // Entry-list commands in mode 1 act on the current keyword's sites.
    prompts.Type(QStringLiteral("c.com"));
    Click("Command38");
    EXPECT_EQ(Stored(1), QStringList({"SEO优化|a.com|b.com|c.com"}));
    UserCheck(window->ListView8, 2, false);
    prompts.Answer(Answer::Yes);
    Click("Command11");
    EXPECT_EQ(Stored(1), QStringList({"SEO优化|b.com"}));
    EXPECT_EQ(Texts(Sites()), QStringList({"b.com"}));
    EXPECT_TRUE(prompts.Exhausted());
}

TEST_F(RankTargetsTest, DeletingRowsAsksAndEmptiesTheEntryList) {
    prompts.Type(QStringLiteral("a.com#b.com#c.com"));
    Click("Command38");
    prompts.Type(QStringLiteral("k"));
    Click("Command16");

    prompts.Answer(Answer::No);
    Click("Command11");
    EXPECT_EQ(Stored(0).size(), 3);
    UserCheck(window->ListView8, 1, true);
    Click("Command10");  // every row checked
    UserCheck(window->ListView8, 2, false);
    EXPECT_EQ(Checks(Sites()), QStringLiteral("000")) << "a cleared box leaves none checked";
    Sites().SetChecked(1, true);
    Sites().SetChecked(3, true);
    prompts.Answer(Answer::Yes);
    Click("Command11");
    EXPECT_EQ(Stored(0), QStringList({"b.com|"}));
    EXPECT_EQ(Texts(Sites()), QStringList({"b.com"}));
    EXPECT_EQ(Keywords().Count(), 0);
    EXPECT_EQ(window->Targets->CurrentSiteId, 0);

    Click("Command18");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("必须选中一个网站！"));
    Click("Command16");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("请选择要查询的网站！"));
    EXPECT_TRUE(prompts.Exhausted());
}

TEST_F(RankTargetsTest, ExportsWriteEveryRowTrimmedAsAGbkLine) {
    prompts.Type(QStringLiteral("例子.com#b.com"));
    Click("Command38");
    prompts.Type(QStringLiteral("list.txt")).Type(folder.Path()).Answer(Answer::Ok);
    Click("Command32");
    QFile file(folder.FilePath(QStringLiteral("list.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), platform::ToAnsi(QStringLiteral("例子.com\r\nb.com\r\n")));
    EXPECT_EQ(shell.edited, QStringList{folder.FilePath(QStringLiteral("list.txt"))});

    prompts.Type(QStringLiteral("a.b"));
    Click("Command20");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("没有数据需要导出！"))
        << "the keyword list is empty";
    Click("Command32");
    EXPECT_EQ(prompts.LastText(), QStringLiteral("输入文件名有误！"));

    prompts.Type(QStringLiteral("gone")).Type(folder.FilePath(QStringLiteral("no/such/folder")));
    Click("Command32");
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("导出失败")));
    EXPECT_TRUE(prompts.Exhausted());
}

}  // namespace
