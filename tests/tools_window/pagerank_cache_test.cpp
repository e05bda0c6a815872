#include "shell/main_window.h"
#include "support/fake_browser.h"
#include "support/fake_tray.h"
#include "tools_window_fixture.h"

namespace {

using namespace tools_testing;
using fakeweb::Page;

const QString kServiceA = QStringLiteral("pr-a.seotools.tarnwick.com");

Page PageRankPage(const QString& value) {
    return Page::Text(
        QStringLiteral("<img src=\"http://pr-a.seotools.tarnwick.com/pagerank%1.gif\">").arg(value),
        QStringLiteral("gbk"));
}

TEST_F(ToolsWindowTest, APageRankIsFetchedOncePerSiteAndDayAndKeptInOneRow) {
    关键词工具& w = Open();
    web.Serve(kServiceA, QStringLiteral("/querypr.asp"), PageRankPage(QStringLiteral("5")));
    const QString site = QStringLiteral("it's.example.com");

    EXPECT_EQ(w.GetCachedPR(site), 5);
    EXPECT_EQ(w.GetCachedPR(site), 5);
    EXPECT_EQ(web.Requests(kServiceA).size(), 1u) << "the day's value is kept";
    EXPECT_EQ(TableRows(QStringLiteral("select urls,pr,addtime from prs")),
              QStringList{"it's.example.com|5|2026-12-10"});

    clock.Advance(std::chrono::hours(24));
    web.Serve(kServiceA, QStringLiteral("/querypr.asp"), PageRankPage(QStringLiteral("6")));
    EXPECT_EQ(w.GetCachedPR(site), 6);
    EXPECT_EQ(web.Requests(kServiceA).size(), 2u);
    EXPECT_EQ(TableRows(QStringLiteral("select urls,pr,addtime from prs")),
              QStringList{"it's.example.com|6|2026-12-11"});

    EXPECT_EQ(w.GetCachedPR(QStringLiteral("http://") + site), 6);
    EXPECT_EQ(TableRows(QStringLiteral("select count(*) from prs")), QStringList{"2"})
        << "an address written otherwise is another row";
}

TEST_F(ToolsWindowTest, APageRankOutsideZeroToTenIsAFailedLookupAndNotKept) {
    关键词工具& w = Open();
    for (const char* value : {"11", "-1", "x"}) {
        web.Serve(kServiceA, QStringLiteral("/querypr.asp"),
                  PageRankPage(QString::fromUtf8(value)));
        EXPECT_EQ(w.GetCachedPR(QStringLiteral("example.com")), std::nullopt) << value;
    }
    web.Serve(kServiceA, QStringLiteral("/querypr.asp"), PageRankPage(QStringLiteral("0")));
    EXPECT_EQ(w.GetCachedPR(QStringLiteral("example.com")), 0);
    EXPECT_EQ(TableRows(QStringLiteral("select pr from prs")), QStringList{"0"});
}

TEST_F(ToolsWindowTest, WithoutAnAnswerOfServiceAThePageRankComesThroughTheMainWindowsBrowser) {
    testing_support::FakeTray tray;
    testing_support::FakeBrowsers browsers;
    const QString serviceB =
        QStringLiteral("http://pr-b.seotools.tarnwick.com/mypr.php?w=example.com&s=1");
    browsers.redirects[serviceB] = QStringLiteral("http://pr-b.seotools.tarnwick.com/pr/7.gif");
    web.Serve(kServiceA, QStringLiteral("/querypr.asp"), Page::Text(QStringLiteral("busy")));
    关键词工具& w = Open();

    EXPECT_EQ(w.GetCachedPR(QStringLiteral("example.com")), std::nullopt)
        << "no main window, no browser";
    EXPECT_TRUE(browsers.navigated.isEmpty());

    MDIfrm main;
    EXPECT_TRUE(main.WebBrowser1->isHidden());
    EXPECT_EQ(w.GetCachedPR(QStringLiteral("example.com")), 7);
    EXPECT_EQ(browsers.navigated, QStringList{serviceB});
    EXPECT_EQ(TableRows(QStringLiteral("select urls,pr from prs")), QStringList{"example.com|7"});
}

}  // namespace
