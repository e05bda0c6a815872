#include "lookups/backlink_checker.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/list_ends.h"
#include "support/test_environment.h"

namespace {

using lookups::link;
using namespace lookups_testing;
using namespace std::chrono_literals;

const QString kPartnerHost = QStringLiteral("www.partner.cn");

using BacklinkCheckerTest = testing_support::TestEnvironment;

TEST_F(BacklinkCheckerTest, AlivePagesAnswerFrom200To399WithTheirLastModifiedDate) {
    const QByteArray modified = "Wed, 23 Jun 2010 10:00:00 GMT";
    const struct {
        fakeweb::Page page;
        bool alive;
        const char* statusText;
        const char* pageupdates;
    } cases[] = {
        {fakeweb::Page::Text("ok").Header("Last-Modified", modified), true, "OK",
         modified.constData()},
        {fakeweb::Page::Text("moved").Status(304).Header("Last-Modified", modified), true,
         "Not Modified", modified.constData()},
        {fakeweb::Page::Text("gone").Status(404).Header("Last-Modified", modified), false,
         "Not Found", ""},
        {fakeweb::Page::Text("broken").Status(500), false, "Internal Server Error", ""},
    };
    for (const auto& c : cases) {
        web.Serve(kPartnerHost, QStringLiteral("/links.html"), c.page);
        link checker;
        checker.Check_url(QStringLiteral("WWW.Partner.CN/links.html"));
        checker.pageupdates = QStringLiteral("an older date");
        EXPECT_EQ(checker.CheckUrl(), c.alive) << c.statusText;
        EXPECT_EQ(checker.statusText, QString::fromUtf8(c.statusText));
        EXPECT_EQ(checker.pageupdates, QString::fromUtf8(c.pageupdates));
        EXPECT_GE(checker.querytimes, 0);
    }
    EXPECT_EQ(testing_support::LastOf(web.Requests()).Url(),
              QStringLiteral("http://www.partner.cn/links.html"));
}

TEST_F(BacklinkCheckerTest, APageThatDoesNotAnswerInTimeTakesItsTimeInMilliseconds) {
    web.Serve(kPartnerHost, QStringLiteral("/links.html"), fakeweb::Page::Never());
    link checker;
    checker.Check_url(QStringLiteral("http://www.partner.cn/links.html"));
    checker.TryTime(40);
    checker.pageupdates = QStringLiteral("an older date");
    EXPECT_FALSE(checker.CheckUrl());
    EXPECT_EQ(checker.statusText, QStringLiteral("查询超时"));
    EXPECT_EQ(checker.pageupdates, QString());
    EXPECT_EQ(checker.querytimes, 40501) << "40 s round to more than 40 from 40.5 s on";
}

TEST_F(BacklinkCheckerTest, APageLostToANetworkFailureIsDeadAndSaysWhy) {
    web.Serve(kPartnerHost, QStringLiteral("/links.html"),
              fakeweb::Page::Text(QStringLiteral("the whole page"))
                  .Header("Last-Modified", "Wed, 23 Jun 2010 10:00:00 GMT")
                  .CutAfter(3));
    link checker;
    checker.Check_url(QStringLiteral("http://www.partner.cn/links.html"));
    checker.pageupdates = QStringLiteral("an older date");
    EXPECT_FALSE(checker.CheckUrl());
    EXPECT_FALSE(checker.statusText.isEmpty());
    EXPECT_NE(checker.statusText, QStringLiteral("查询超时")) << "it did not wait for a time-out";
    EXPECT_EQ(checker.pageupdates, QString());
    EXPECT_LT(checker.querytimes, 20000);
}

TEST_F(BacklinkCheckerTest, TheCharsetIsTheOneThePageDeclares) {
    const struct {
        const char* page;
        const char* charset;
    } cases[] = {
        {"partner_gbk.htm", "gb2312"},
        {"partner_utf8.htm", "utf-8"},  // declared as <meta charset="utf-8">
        {"partner_nolinks.htm", "gb2312"},
    };
    for (const auto& c : cases) {
        web.Serve(kPartnerHost, QStringLiteral("/links.html"), Fixture(QString::fromUtf8(c.page)));
        link checker;
        checker.Check_url(QStringLiteral("http://www.partner.cn/links.html"));
        EXPECT_EQ(checker.GetChar(), QString::fromUtf8(c.charset)) << c.page;
    }
}

TEST_F(BacklinkCheckerTest, TheSummaryTellsOfTheFirstOwnLinkAmongTheOutboundLinks) {
    const fakeweb::Page gbk = Fixture(QStringLiteral("partner_gbk.htm"));
    web.Serve(kPartnerHost, QStringLiteral("/links.html"), gbk);
    web.Serve(kPartnerHost, QStringLiteral("/"), gbk);
    web.Serve(QStringLiteral("friend.example.com"), QStringLiteral("/partners/"),
              Fixture(QStringLiteral("partner_utf8.htm")));
    const struct {
        const char* checkUrl;
        const char* ownSite;
        const char* linkstr;
        qint32 linknum;
        bool nofollow;  // of the last own link, which the link fields describe
    } cases[] = {
        // Only links holding host and path of the partner page are its own: about.html counts.
        {"WWW.Partner.CN/links.html", "HTTP://www.Own.com/",
         "链接URL:http://www.own.com/;链接文字:我的<b>;外链位置:4/13", 13, true},
        {"http://www.partner.cn/", "www.own.com",
         "链接URL:http://www.own.com/;链接文字:我的<b>;外链位置:3/12", 12, true},
        {"http://www.partner.cn/", "own.com", "", 12, false},
        {"Friend.Example.com/partners/", "http://own.com",
         "链接URL:http://own.com/;链接文字:友情链接;外链位置:2/2", 2, false},
    };
    for (const auto& c : cases) {
        web.ClearRequests();
        link checker;
        checker.Check_url(QString::fromUtf8(c.checkUrl));
        checker.Master_Url(QString::fromUtf8(c.ownSite));
        checker.checklinks(0);
        SCOPED_TRACE(c.checkUrl);
        EXPECT_EQ(web.Requests().size(), 2u) << "the charset first, then the page in it";
        EXPECT_TRUE(checker.websource.contains(QStringLiteral("</html>")));
        EXPECT_EQ(checker.Linkstr, QString::fromUtf8(c.linkstr));
        EXPECT_EQ(checker.linknum, c.linknum);
        EXPECT_EQ(checker.linknofollow, c.nofollow);
    }
}

// An error answer is no partner page, even one whose body carries the partner's links.
TEST_F(BacklinkCheckerTest, AnErrorAnswerIsNoPartnerPage) {
    for (int status : {403, 404, 500}) {
        web.Serve(kPartnerHost, QStringLiteral("/links.html"),
                  Fixture(QStringLiteral("partner_gbk.htm")).Status(status));
        link checker;
        checker.Master_Url(QStringLiteral("www.own.com"));
        checker.Check_url(QStringLiteral("http://www.partner.cn/links.html"));
        checker.checklinks(0);
        EXPECT_EQ(checker.websource, QString()) << status;
        EXPECT_EQ(checker.linknum, 0) << status;
        EXPECT_EQ(checker.Linkstr, QString()) << status;
        EXPECT_EQ(checker.linkurl, QString()) << status;
    }
}

TEST_F(BacklinkCheckerTest, EachCheckDescribesItsOwnPageOnly) {
    web.Serve(kPartnerHost, QStringLiteral("/links.html"),
              Fixture(QStringLiteral("partner_gbk.htm")));
    web.Serve(kPartnerHost, QStringLiteral("/empty.html"),
              Fixture(QStringLiteral("partner_nolinks.htm")));
    link checker;
    checker.Master_Url(QStringLiteral("www.own.com"));
    checker.Check_url(QStringLiteral("http://www.partner.cn/links.html"));
    checker.checklinks(0);
    // The summary tells of the first own link, the link fields of the last.
    EXPECT_EQ(checker.Linkstr,
              QStringLiteral("链接URL:http://www.own.com/;链接文字:我的<b>;外链位置:4/13"));
    EXPECT_EQ(checker.linkurl, QStringLiteral("http://www.own.com"));
    EXPECT_EQ(checker.linkpos, 6);
    EXPECT_EQ(checker.linktxt, QStringLiteral("再次"));
    EXPECT_TRUE(checker.linknofollow);

    checker.Check_url(QStringLiteral("http://www.partner.cn/empty.html"));
    checker.checklinks(0);
    EXPECT_TRUE(checker.websource.contains(QStringLiteral("这里没有链接")));
    EXPECT_EQ(checker.linknum, 0);
    EXPECT_EQ(checker.Linkstr, QString());
    EXPECT_EQ(checker.linkurl, QString());
    EXPECT_EQ(checker.linkpos, 0);
    EXPECT_EQ(checker.linktxt, QString());

    // Fetching only: the page is read, the link fields are emptied, the count stays.
    checker.Check_url(QStringLiteral("http://www.partner.cn/links.html"));
    checker.checklinks(0);
    checker.checklinks(1);
    EXPECT_TRUE(checker.websource.contains(QStringLiteral("友情链接")));
    EXPECT_EQ(checker.Linkstr, QString());
    EXPECT_EQ(checker.linkurl, QString());
    EXPECT_EQ(checker.linknum, 13);

    // A page that cannot be fetched leaves nothing of the one before.
    checker.Check_url(QStringLiteral("http://www.partner.cn/missing.html"));
    checker.checklinks(0);
    EXPECT_EQ(checker.websource, QString());
    EXPECT_EQ(checker.linknum, 0);
}

}  // namespace
