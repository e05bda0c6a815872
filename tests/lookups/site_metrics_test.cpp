#include "lookups/site_metrics.h"
#include "lookups/whois.h"

#include <gtest/gtest.h>

#include <QHash>

#include "fixture_pages.h"
#include "platform/browser_control.h"
#include "support/list_ends.h"
#include "support/test_environment.h"

namespace {

using lookups::CSeo;
using namespace lookups_testing;
using namespace std::chrono_literals;

// A browser control that follows the redirects the test gives it, at once.
class RedirectingBrowser final : public platform::BrowserControl {
  public:
    void Navigate(const QString& url) override {
        navigated << url;
        location = redirects.value(url, url);
    }
    bool Busy() const override { return false; }
    QString DocumentHtml() const override { return {}; }
    QString FirstInputValue() const override { return {}; }
    QString LocationUrl() const override { return location; }

    QHash<QString, QString> redirects;
    QStringList navigated;
    QString location;
};

using SiteMetricsTest = testing_support::TestEnvironment;

TEST_F(SiteMetricsTest, ANewObjectHasEmptySlotsThatKeepWhatIsWritten) {
    CSeo seo;
    for (int slot = 0; slot < CSeo::kSlotCount; ++slot)
        EXPECT_EQ(seo.Read(CSeo::Slot(slot)), QVariant()) << slot;
    seo.v_pr(QStringLiteral("5"));
    seo.v_live1(0);
    seo.v_baidudates(QDate(2010, 6, 24));
    seo.v_youdaodates(QDate(2010, 6, 24));
    seo.v_youdao2(0);
    EXPECT_EQ(seo.pr(), QVariant(QStringLiteral("5")));
    EXPECT_EQ(seo.live1(), QVariant(0));
    EXPECT_EQ(seo.baidudates(), QVariant(QDate(2010, 6, 24)));
    EXPECT_EQ(seo.youdaodates(), QVariant(QStringLiteral("2010-06-24"))) << "a text slot";
    EXPECT_EQ(seo.youdao2(), QVariant(QStringLiteral("0")));
    EXPECT_EQ(seo.TrimUrl(QStringLiteral(" HTTP://Example.COM/ ")), QStringLiteral("example.com"));
}

TEST_F(SiteMetricsTest, PageRankComesFromServiceAOrFromTheRedirectOfServiceB) {
    const QString serviceA = QStringLiteral("http://pr-a.seotools.tarnwick.com/querypr.asp?url=");
    const QString serviceB =
        QStringLiteral("http://pr-b.seotools.tarnwick.com/mypr.php?w=Example.com%20%E4%BE%8B&s=1");
    const struct {
        const char* pageA;  // nullptr: an empty answer
        const char* redirect;
        const char* pr;
        bool asksB;
        int statusA = 200;
    } cases[] = {
        {"pr_a.htm", "", "5", false},
        {"pr_a_zero.htm", "", "0", false},  // a PageRank of 0 is an answer
        {"no_markers.htm", "http://pr-b.seotools.tarnwick.com/pr/10.gif", "10", true},
        {nullptr, "http://pr-b.seotools.tarnwick.com/pr/7.gif", "7", true},
        {"pr_a.htm", "http://pr-b.seotools.tarnwick.com/pr/7.gif", "7", true, 503},  // no page
        {nullptr, "http://pr-b.seotools.tarnwick.com/error.htm", "or.htm", true},    // unchecked
    };
    for (const auto& c : cases) {
        web.Serve(QStringLiteral("pr-a.seotools.tarnwick.com"), QStringLiteral("/querypr.asp"),
                  (c.pageA ? Fixture(QString::fromUtf8(c.pageA)) : fakeweb::Page::Bytes({}))
                      .Status(c.statusA));
        web.ClearRequests();
        RedirectingBrowser browser;
        browser.redirects[serviceB] = QString::fromUtf8(c.redirect);
        CSeo seo;
        seo.SetBrowser(&browser);
        const auto waitedBefore = clock.Waited();

        seo.GetPR(QStringLiteral("Example.com 例"));

        EXPECT_EQ(seo.pr(), QVariant(QString::fromUtf8(c.pr)));
        ASSERT_EQ(RequestedUrls(web),
                  QStringList{serviceA + QStringLiteral("Example.com%20%C0%FD")});
        EXPECT_EQ(web.Requests()[0].Header(QStringLiteral("Referer")),
                  AsReceived(serviceA + QStringLiteral("Example.com%20%C0%FD")));
        EXPECT_EQ(browser.navigated, c.asksB ? QStringList{serviceB} : QStringList());
        if (c.asksB) {
            EXPECT_GT(clock.Waited() - waitedBefore, 3s);
        }
    }
}

TEST_F(SiteMetricsTest, WithoutABrowserOrASiteThePageRankIsEmpty) {
    CSeo seo;
    seo.GetPR1(QStringLiteral("example.com"));
    EXPECT_EQ(seo.pr(), QVariant(QString()));

    RedirectingBrowser browser;
    seo.SetBrowser(&browser);
    seo.v_pr(QStringLiteral("3"));
    seo.GetPR(QStringLiteral("  "));
    EXPECT_EQ(seo.pr(), QVariant(QString()));
    EXPECT_TRUE(web.Requests().empty());
    EXPECT_TRUE(browser.navigated.isEmpty());
}

// Whatever the user typed, a lookup asks for it encoded or not at all.
TEST_F(SiteMetricsTest, OddSitesAreEncodedIntoTheRequestOrRefused) {
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              Fixture(QStringLiteral("baidu_site.htm")));
    const QString longSite = QString(296, u'a') + QStringLiteral(".com");
    const struct {
        QString site;
        QString query;  // the site in Baidu's address; empty when nothing is asked
        QVariant count;
    } cases[] = {
        {"HTTP://Example.COM/", "example.com/", "1230"},
        {"example.com/path?q=1", "example.com/path%3Fq%3D1", "1230"},
        {"Example.com:8080", "example.com:8080", "1230"},
        {"例子.中国", "%C0%FD%D7%D3.%D6%D0%B9%FA", "1230"},
        {longSite, longSite, "1230"},
        {"", "", "X"},
        {"   ", "", "X"},
        {"http://", "", "X"},
    };
    for (const auto& c : cases) {
        web.ClearRequests();
        CSeo seo;
        seo.GetBaiduS(c.site);
        EXPECT_EQ(seo.baidu1(), c.count) << c.site.toStdString();
        EXPECT_EQ(RequestedUrls(web),
                  c.query.isEmpty()
                      ? QStringList()
                      : QStringList{QStringLiteral("http://www.baidu.com/s?wd=site%3A") + c.query +
                                    QStringLiteral("&cl=3")})
            << c.site.toStdString();
    }
}

TEST(DomainAgeTest, CountsWholeMonthsUpToTodayFromTheRegistryDate) {
    const QDate today(2010, 6, 24);
    const QString cnRecord = QStringLiteral("Registration Date: %1 12:20:05\nExpiration Date: x");
    const QString comRecord = QStringLiteral("Creation Date: %1\nExpiration Date: x");
    const struct {
        QString domain;
        QString whois;
        const char* age;
    } cases[] = {
        {"example.cn/", cnRecord.arg("2003-03-17"), "7年3个月"},
        {"example.com.cn", cnRecord.arg("2003-03-17"), "7年3个月"},
        {"example.cn:8080/x", cnRecord.arg("2010-06-01"), "0年0个月"},
        {"example.com", comRecord.arg("17-mar-2003"), "7年3个月"},
        {"example.com", comRecord.arg("17-MAR-2003"), "7年3个月"},
        {"example.com", comRecord.arg("17-03-2003"), "7年3个月"},
        {"example.com", comRecord.arg("31-may-2010"), "0年1个月"},  // days do not count
        {"example.com", comRecord.arg("24-jun-2000"), "10年0个月"},
        // ".cn" only counts as the host's last label
        {"example.cnn.com", comRecord.arg("17-mar-2003"), "7年3个月"},
        {"cn.example.com/a.cn", comRecord.arg("17-mar-2003"), "7年3个月"},
        {"example.cnn.com", cnRecord.arg("2003-03-17"), "X"},
        // a date after today is no age
        {"example.com", comRecord.arg("10-jan-2011"), "X"},
        {"example.com", comRecord.arg("30-jun-2010"), "X"},
        {"example.com", comRecord.arg("17-mar."), "X"},
        {"example.com", comRecord.arg("17-march-2003"), "X"},
        {"example.com", comRecord.arg("2003-03-17"), "X"},
        {"example.com", "Domain Name: example.com", "X"},
        {"example.cn", cnRecord.arg("17-mar-2003"), "X"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookups::DomainAge(c.whois, c.domain, today), QString::fromUtf8(c.age))
            << c.domain.toStdString() << " " << c.whois.toStdString();
}

TEST_F(SiteMetricsTest, DomainAgeReadsTheRecordOfTheWhoisChain) {
    clock.Set(QDateTime(QDate(2010, 6, 24), QTime(10, 0)));
    const QString whoisA = QStringLiteral("whois-a.seotools.tarnwick.com");
    const QString whoisC = QStringLiteral("whois-c.seotools.tarnwick.com");
    const struct {
        const char* site;
        const char* pageA;
        const char* age;
        int requests;
    } cases[] = {
        {"HTTP://WWW.Example.COM/", "whois_a.htm", "7年3个月", 1},
        {"www.example-new.com", "whois_a_nomatch.htm", "X", 1},
        {"http://www.例子.com.cn", "no_markers.htm", "7年3个月", 3},  // from service C
    };
    web.Serve(whoisC, QStringLiteral("/whois/"), Fixture(QStringLiteral("whois_c.htm")));
    for (const auto& c : cases) {
        web.Serve(whoisA, QStringLiteral("/cgi-bin/whois"), Fixture(QString::fromUtf8(c.pageA)));
        web.ClearRequests();
        EXPECT_EQ(CSeo().GetDomainHis(QString::fromUtf8(c.site)), QString::fromUtf8(c.age))
            << c.site;
        EXPECT_EQ(web.Requests().size(), size_t(c.requests)) << c.site;
    }
    EXPECT_EQ(testing_support::FirstOf(RequestedUrls(web)),
              QStringLiteral("http://whois-a.seotools.tarnwick.com/cgi-bin/whois?domain="
                             "%C0%FD%D7%D3.com.cn&GO=GO"));
}

}  // namespace
