#include "shared/cxhtml.h"

#include <gtest/gtest.h>

#include "support/test_environment.h"

namespace {

using fakeweb::Page;
using namespace std::chrono_literals;

const QString kAgent = QStringLiteral(
    "Mozilla/5.0 (Windows; U; Windows NT 6.0; zh-CN; rv:1.9.0.3) Gecko/2008092417 "
    "Firefox/3.0.3 (.NET CLR 3.5.30729)");

using CXHtmlTest = testing_support::TestEnvironment;

TEST_F(CXHtmlTest, GetSendsTheFixedAgentAndARefererOnlyWhenOneIsSet) {
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"), QStringLiteral("<p>结果</p>"),
              QStringLiteral("gbk"));
    CXHtml html;
    html.url(QStringLiteral("http://www.baidu.com/s?wd=%D3%C5%BB%AF"));
    html.Char(QStringLiteral("gb2312"));
    EXPECT_EQ(html.GetSrc(), QStringLiteral("<p>结果</p>"));

    html.refer(QStringLiteral("http://www.baidu.com/"));
    html.agent(QStringLiteral("Tester/1.0"));
    EXPECT_EQ(html.GetSrc(), QStringLiteral("<p>结果</p>"));

    const auto requests = web.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, QStringLiteral("GET"));
    EXPECT_EQ(requests[0].Url(), QStringLiteral("http://www.baidu.com/s?wd=%D3%C5%BB%AF"));
    EXPECT_EQ(requests[0].Header(QStringLiteral("User-Agent")), kAgent);
    EXPECT_EQ(requests[0].Header(QStringLiteral("Referer")), QString());
    EXPECT_EQ(requests[1].Header(QStringLiteral("User-Agent")), QStringLiteral("Tester/1.0"));
    EXPECT_EQ(requests[1].Header(QStringLiteral("Referer")),
              QStringLiteral("http://www.baidu.com/"));
}

struct SniffCase {
    const char* name;
    QString page;
    QString charset;  // how the page is served
    QString sniffed;
};

void PrintTo(const SniffCase& c, std::ostream* out) {
    *out << c.name;
}

class CharsetSniffTest : public CXHtmlTest, public testing::WithParamInterface<SniffCase> {};

TEST_P(CharsetSniffTest, AnEmptyCharsetIsAskedOfThePageOnceAndKept) {
    const SniffCase& c = GetParam();
    web.Serve(QStringLiteral("www.site.cn"), QStringLiteral("/"), c.page, c.charset);
    CXHtml html;
    html.url(QStringLiteral("www.site.cn/"));
    EXPECT_EQ(html.GetSrc(), c.page);
    EXPECT_EQ(html.Char(), c.sniffed);
    EXPECT_EQ(web.Requests().size(), 2u);  // the sniff and the real request

    EXPECT_EQ(html.GetSrc(), c.page);
    EXPECT_EQ(web.Requests().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharsetSniffTest,
    testing::Values(
        SniffCase{"QuotedUtf8", QStringLiteral("<meta charset=\"utf-8\"><title>优化</title>"),
                  QStringLiteral("utf-8"), QStringLiteral("utf-8")},
        SniffCase{"ContentTypeGbk",
                  QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                 "charset=GBK\" /><title>优化</title>"),
                  QStringLiteral("gbk"), QStringLiteral("gbk")},
        SniffCase{"UnquotedUpperCase", QStringLiteral("<meta charset=UTF-8><b>百度</b>"),
                  QStringLiteral("utf-8"), QStringLiteral("utf-8")},
        SniffCase{"SingleQuotes", QStringLiteral("<meta charset='utf-8' /><b>百度</b>"),
                  QStringLiteral("utf-8"), QStringLiteral("utf-8")},
        SniffCase{"NoDeclarationGbkOnlyCharacter", QStringLiteral("<title>无声明 喆</title>"),
                  QStringLiteral("gbk"), QStringLiteral("gb2312")}),
    [](const testing::TestParamInfo<SniffCase>& info) { return info.param.name; });

struct AddressCase {
    const char* name;
    QString given;
    QString completed;  // url after the fetch
    QString host;       // where the request arrived
    QString path;
};

void PrintTo(const AddressCase& c, std::ostream* out) {
    *out << c.name;
}

class AddressCompletionTest : public CXHtmlTest, public testing::WithParamInterface<AddressCase> {};

TEST_P(AddressCompletionTest, OnlyAnAddressWithoutASchemeGetsHttp) {
    const AddressCase& c = GetParam();
    web.Serve(c.host, c.path, QStringLiteral("ok"));
    CXHtml html;
    html.Char(QStringLiteral("utf-8"));
    html.url(c.given);
    EXPECT_EQ(html.GetSrc(), QStringLiteral("ok"));
    EXPECT_EQ(html.url(), c.completed);
    ASSERT_EQ(web.Requests().size(), 1u);
    EXPECT_EQ(web.Requests()[0].host, c.host);
    EXPECT_EQ(web.Requests()[0].path, c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddressCompletionTest,
    testing::Values(AddressCase{"NoScheme", QStringLiteral("www.x.cn/a?b=1"),
                                QStringLiteral("http://www.x.cn/a?b=1"), QStringLiteral("www.x.cn"),
                                QStringLiteral("/a?b=1")},
                    AddressCase{"CapitalScheme", QStringLiteral("HTTP://www.x.cn/b"),
                                QStringLiteral("HTTP://www.x.cn/b"), QStringLiteral("www.x.cn"),
                                QStringLiteral("/b")},
                    AddressCase{"Https", QStringLiteral("https://www.x.cn/c"),
                                QStringLiteral("https://www.x.cn/c"), QStringLiteral("www.x.cn"),
                                QStringLiteral("/c")},
                    AddressCase{"HttpOnlyInTheQuery", QStringLiteral("www.x.cn/go?to=http://y.cn/"),
                                QStringLiteral("http://www.x.cn/go?to=http://y.cn/"),
                                QStringLiteral("www.x.cn"), QStringLiteral("/go?to=http://y.cn/")}),
    [](const testing::TestParamInfo<AddressCase>& info) { return info.param.name; });

TEST_F(CXHtmlTest, AnEmptyAddressSendsNothing) {
    CXHtml html;
    EXPECT_EQ(html.GetSrc(), QString());
    EXPECT_EQ(html.PostSrc(QStringLiteral("a=1")), QString());
    EXPECT_EQ(html.Char(), QString());
    EXPECT_TRUE(web.Requests().empty());
}

TEST_F(CXHtmlTest, GetReturnsAnErrorPageButPostOnlyA2xxAnswer) {
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/missing"),
              Page::Text(QStringLiteral("<h1>页面不存在</h1>")).Status(404));
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/form"),
              Page::Text(QStringLiteral("已收到"), QStringLiteral("gbk")));
    CXHtml html;
    html.Char(QStringLiteral("utf-8"));
    html.url(QStringLiteral("http://www.x.cn/missing"));
    EXPECT_EQ(html.GetSrc(), QStringLiteral("<h1>页面不存在</h1>"));
    EXPECT_EQ(html.PostSrc(QStringLiteral("a=1")), QString());

    html.Char(QStringLiteral("gb2312"));
    html.url(QStringLiteral("http://www.x.cn/form"));
    EXPECT_EQ(html.PostSrc(QStringLiteral("kw=%D3%C5&n=2")), QStringLiteral("已收到"));

    const auto requests = web.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2].method, QStringLiteral("POST"));
    EXPECT_EQ(requests[2].body, QByteArray("kw=%D3%C5&n=2"));
    EXPECT_EQ(requests[2].Header(QStringLiteral("Content-Type")),
              QStringLiteral("application/x-www-form-urlencoded"));
    EXPECT_EQ(requests[2].Header(QStringLiteral("User-Agent")), kAgent);
}

TEST_F(CXHtmlTest, CallersSeeTheStatusAndOnlyASuccessAnswerIsAPageOnSuccess) {
    const QString whole = QStringLiteral("<p>完整的页面</p>");
    const struct {
        const char* name;
        Page page;
        int status;
        QString src;
        QString onSuccess;
    } cases[] = {
        {"success", Page::Text(whole), 200, whole, whole},
        {"error page", Page::Text(whole).Status(500), 500, whole, QString()},
        {"body cut short", Page::Text(whole).CutAfter(7), 0, QString(), QString()},
    };
    CXHtml html;
    html.Char(QStringLiteral("utf-8"));
    for (const auto& c : cases) {
        web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/"), c.page);
        html.url(QStringLiteral("http://www.x.cn/"));
        EXPECT_EQ(html.GetSrc(), c.src) << c.name;
        EXPECT_EQ(html.Status(), c.status) << c.name;
        EXPECT_EQ(html.GetSrcOnSuccess(), c.onSuccess) << c.name;
    }
    html.url(QString());
    html.GetSrc();
    EXPECT_EQ(html.Status(), 0) << "no request, no status";
}

TEST_F(CXHtmlTest, PostWithoutCharsetSniffsByGetFirst) {
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/form"),
              QStringLiteral("<meta charset=\"utf-8\">好"));
    CXHtml html;
    html.url(QStringLiteral("www.x.cn/form"));
    EXPECT_EQ(html.PostSrc(QStringLiteral("a=1")), QStringLiteral("<meta charset=\"utf-8\">好"));
    const auto requests = web.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, QStringLiteral("GET"));
    EXPECT_EQ(requests[1].method, QStringLiteral("POST"));
}

TEST_F(CXHtmlTest, ALateAnswerWithinTheTimeOutIsTaken) {
    web.Serve(QStringLiteral("slow.cn"), QStringLiteral("/"),
              Page::Text(QStringLiteral("终于")).After(300ms));
    CXHtml html;
    html.TryTime(1);
    html.Char(QStringLiteral("utf-8"));
    html.url(QStringLiteral("slow.cn/"));
    EXPECT_EQ(html.GetSrc(), QStringLiteral("终于"));
}

struct TimeOutCase {
    const char* name;
    int tryTime;
    QString charset;
    std::chrono::milliseconds waited;  // on the clock, since the sends
};

void PrintTo(const TimeOutCase& c, std::ostream* out) {
    *out << c.name;
}

class TimeOutTest : public CXHtmlTest, public testing::WithParamInterface<TimeOutCase> {};

TEST_P(TimeOutTest, ASilentServerIsGivenUpWhenTheRoundedSecondsExceedTryTime) {
    const TimeOutCase& c = GetParam();
    web.Serve(QStringLiteral("dead.cn"), QStringLiteral("/"), Page::Never());
    // Just before midnight: the wait is measured from the send, not by the time of day.
    clock.Set(QDateTime(QDate(2026, 12, 10), QTime(23, 59, 58)));
    CXHtml html;
    html.TryTime(c.tryTime);
    html.Char(c.charset);
    html.url(QStringLiteral("dead.cn/"));
    EXPECT_EQ(html.GetSrc(), QString());
    EXPECT_EQ(clock.Waited(), c.waited);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimeOutTest,
    testing::Values(TimeOutCase{"TenSeconds", 10, QStringLiteral("gb2312"), 10501ms},
                    TimeOutCase{"OddSecondGivesUpAtTheHalf", 1, QStringLiteral("utf-8"), 1500ms},
                    TimeOutCase{"SniffWaitsItsOwnTimeOut", 10, QString(), 2 * 10501ms}),
    [](const testing::TestParamInfo<TimeOutCase>& info) { return info.param.name; });

TEST_F(CXHtmlTest, ATimeOutOnTheRealClockReturnsEmpty) {
    const testing_support::SystemClockInForce realClock;
    web.Serve(QStringLiteral("dead.cn"), QStringLiteral("/"), Page::Never());
    CXHtml html;
    html.TryTime(0);  // gives up after half a second
    html.Char(QStringLiteral("utf-8"));
    html.url(QStringLiteral("dead.cn/"));
    EXPECT_EQ(html.GetSrc(), QString());
    EXPECT_EQ(html.PostSrc(QStringLiteral("a=1")), QString());
}

TEST_F(CXHtmlTest, CheckUrlAcceptsStatusesUpTo399) {
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/399"),
              Page::Text(QString()).Status(399));
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/400"),
              Page::Text(QString()).Status(400));
    CXHtml html;
    html.url(QStringLiteral("www.x.cn/399"));
    EXPECT_TRUE(html.CheckUrl());
    EXPECT_EQ(html.url(), QStringLiteral("http://www.x.cn/399"));
    html.url(QStringLiteral("www.x.cn/400"));
    EXPECT_FALSE(html.CheckUrl());
    EXPECT_EQ(html.statusText, QStringLiteral("Bad Request"));

    html.url(QString());
    EXPECT_FALSE(html.CheckUrl());
    EXPECT_EQ(html.statusText, QStringLiteral("链接为空"));
}

TEST_F(CXHtmlTest, CheckUrlCallsARedirectOnlyLiveWhenItEndsAtALivePage) {
    const auto redirect = [](const char* to) {
        return Page::Text(QString()).Status(302).Header("Location", to);
    };
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/moved"), redirect("http://www.x.cn/"));
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/"), QStringLiteral("ok"));
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/loop"),
              redirect("http://www.x.cn/loop"));
    web.Serve(QStringLiteral("www.x.cn"), QStringLiteral("/file"), redirect("file:///etc/passwd"));
    CXHtml html;
    html.url(QStringLiteral("www.x.cn/moved"));
    EXPECT_TRUE(html.CheckUrl());
    EXPECT_EQ(html.statusText, QStringLiteral("OK"));
    for (const char* dead : {"www.x.cn/loop", "www.x.cn/file"}) {
        html.url(QString::fromUtf8(dead));
        EXPECT_FALSE(html.CheckUrl()) << dead;
        EXPECT_FALSE(html.statusText.isEmpty()) << dead;
    }
}

TEST_F(CXHtmlTest, CheckUrlReportsATimeOut) {
    web.Serve(QStringLiteral("dead.cn"), QStringLiteral("/"), Page::Never());
    CXHtml html;
    html.url(QStringLiteral("dead.cn/"));
    EXPECT_FALSE(html.CheckUrl());
    EXPECT_EQ(html.statusText, QStringLiteral("查询超时"));
}

}  // namespace
