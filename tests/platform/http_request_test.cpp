#include "platform/http_request.h"

#include <gtest/gtest.h>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <thread>

#include "fakeweb/fake_web.h"
#include "platform/wait.h"
#include "support/qt_printers.h"

namespace {

using fakeweb::FakeWeb;
using fakeweb::Page;
using platform::HttpRequest;
using namespace std::chrono_literals;

TEST(HttpRequestTest, SendsThroughTheFakeWebAndReportsStatusTextAndBytes) {
    FakeWeb web;
    web.Serve(QStringLiteral("index.baidu.com"), QStringLiteral("/main/word.php"),
              Page::Bytes(QByteArray("\xD3\xC5\xBB\xAF", 4)).Status(403));
    HttpRequest request;
    request.Open(QStringLiteral("GET"),
                 QStringLiteral("https://index.baidu.com/main/word.php?word=%D3%C5"));
    request.SetRequestHeader(QStringLiteral("X-Test"), QStringLiteral("1"));
    request.Send();
    EXPECT_FALSE(request.Completed());  // sent without waiting
    EXPECT_EQ(platform::HttpRequestsInFlight(), 1);
    ASSERT_TRUE(request.Wait(30s));
    EXPECT_EQ(platform::HttpRequestsInFlight(), 0);

    EXPECT_EQ(request.Status(), 403);
    EXPECT_EQ(request.StatusText(), QStringLiteral("Forbidden"));
    EXPECT_EQ(request.ResponseBody(), QByteArray("\xD3\xC5\xBB\xAF", 4));
    const auto requests = web.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Url(),
              QStringLiteral("http://index.baidu.com/main/word.php?word=%D3%C5"));
    EXPECT_EQ(requests[0].Header(QStringLiteral("X-Test")), QStringLiteral("1"));
}

TEST(HttpRequestTest, AnswersComeInTurnAndUnservedAddressesGet404) {
    FakeWeb web;
    web.ServeInTurn(QStringLiteral("a.cn"), QStringLiteral("/x"),
                    {Page::Text(QStringLiteral("1")), Page::Text(QStringLiteral("2"))});
    web.Serve(QStringLiteral("a.cn"), QStringLiteral("/x?only=this"), QStringLiteral("exact"));
    const auto fetch = [](const QString& url) {
        HttpRequest request;
        request.Open(QStringLiteral("GET"), url);
        request.Send();
        EXPECT_TRUE(request.Wait(30s));
        return QString::number(request.Status()) + u' ' + QString::fromUtf8(request.ResponseBody());
    };
    EXPECT_EQ(fetch(QStringLiteral("http://a.cn/x?q=1")), QStringLiteral("200 1"));
    EXPECT_EQ(fetch(QStringLiteral("http://a.cn/x?only=this")), QStringLiteral("200 exact"));
    EXPECT_EQ(fetch(QStringLiteral("http://a.cn/x")), QStringLiteral("200 2"));
    EXPECT_EQ(fetch(QStringLiteral("http://a.cn/x")), QStringLiteral("200 2"));
    EXPECT_EQ(fetch(QStringLiteral("http://b.cn/x")), QStringLiteral("404 "));
    EXPECT_EQ(web.Requests(QStringLiteral("b.cn")).size(), 1u);
}

TEST(HttpRequestTest, FailuresCompleteWithoutStatusAndAnAbandonedRequestIsDropped) {
    HttpRequest invalid;
    invalid.Open(QStringLiteral("GET"), QStringLiteral("http://"));
    invalid.Send();
    EXPECT_TRUE(invalid.Completed());
    EXPECT_EQ(invalid.Status(), 0);
    EXPECT_FALSE(invalid.StatusText().isEmpty());

    QString address;
    {
        FakeWeb web;
        address = web.Address();
        web.Serve(QStringLiteral("slow.cn"), QStringLiteral("/"), Page::Never());
        {
            HttpRequest abandoned;
            abandoned.Open(QStringLiteral("POST"), QStringLiteral("http://slow.cn/"));
            abandoned.Send("a=1");
            EXPECT_FALSE(abandoned.Wait(50ms));
        }
        EXPECT_EQ(platform::HttpRequestsInFlight(), 0);
    }

    // The fake web is gone: its port refuses the connection.
    qputenv(platform::kFakeWebVariable, address.toUtf8());
    HttpRequest refused;
    refused.Open(QStringLiteral("GET"), QStringLiteral("http://gone.cn/"));
    refused.Send();
    EXPECT_TRUE(refused.Wait(30s));
    EXPECT_EQ(refused.Status(), 0);
    EXPECT_FALSE(refused.StatusText().isEmpty());
    EXPECT_TRUE(refused.ResponseBody().isEmpty());
    qunsetenv(platform::kFakeWebVariable);
}

// What a fetch of `page` gives: the status and the body's size.
std::pair<int, qsizetype> Fetch(const Page& page) {
    FakeWeb web;
    web.Serve(QStringLiteral("a.cn"), QStringLiteral("/"), page);
    HttpRequest request;
    request.Open(QStringLiteral("GET"), QStringLiteral("http://a.cn/"));
    request.Send();
    EXPECT_TRUE(request.Wait(60s));
    if (request.Status() == 0) {
        EXPECT_FALSE(request.StatusText().isEmpty());
    }
    return {request.Status(), request.ResponseBody().size()};
}

TEST(HttpRequestTest, ABodyCutShortIsAFailedRequestWithoutStatus) {
    const QByteArray body(10000, 'a');
    const struct {
        const char* name;
        Page page;
        std::pair<int, qsizetype> outcome;
    } cases[] = {
        {"whole, chunked", Page::Bytes(body).Chunked(), {200, 10000}},
        {"fewer bytes than announced", Page::Bytes(body).CutAfter(5000), {0, 0}},
        {"chunked without its last chunk", Page::Bytes(body).Chunked().CutAfter(5000), {0, 0}},
        {"error page cut short", Page::Bytes(body).Status(404).CutAfter(5000), {0, 0}},
        {"whole error page", Page::Bytes(body).Status(404), {404, 10000}},
    };
    for (const auto& c : cases) EXPECT_EQ(Fetch(c.page), c.outcome) << c.name;
}

TEST(HttpRequestTest, ABodyBeyondTheCapIsAFailedRequest) {
    EXPECT_EQ(platform::kMaxResponseBytes, 16 << 20);
    // A type the fake web does not compress: the network layer refuses a body of one repeated
    // byte as a decompression bomb before the cap is reached.
    const QByteArray type = "application/octet-stream";
    const QByteArray full(platform::kMaxResponseBytes, 'a');
    EXPECT_EQ(Fetch(Page::Bytes(full).ContentType(type)), std::make_pair(200, full.size()));
    EXPECT_EQ(Fetch(Page::Bytes(full + 'b').ContentType(type)), std::make_pair(0, qsizetype(0)));
    EXPECT_EQ(Fetch(Page::Bytes(full + 'b').ContentType(type).Chunked()),
              std::make_pair(0, qsizetype(0)));
    EXPECT_EQ(Fetch(Page::Endless().ContentType(type)), std::make_pair(0, qsizetype(0)));
    // Compressed, it is refused as a decompression bomb, which must end the request too.
    EXPECT_EQ(Fetch(Page::Endless()), std::make_pair(0, qsizetype(0)));
    EXPECT_EQ(platform::HttpRequestsInFlight(), 0);
}

// Counts, while it lives, Qt's warnings that a reply was made to report its failure twice.
class TwiceReportedFailures {
  public:
    TwiceReportedFailures() : previous_(qInstallMessageHandler(Record)) {
        previous = previous_;
        count = 0;
    }
    ~TwiceReportedFailures() { qInstallMessageHandler(previous_); }
    int Count() const { return count; }

  private:
    static void Record(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.contains(QStringLiteral("this method must only be called once")))
            ++count;
        else if (previous)
            previous(type, context, text);
    }

    static inline QtMessageHandler previous = nullptr;
    static inline int count = 0;
    QtMessageHandler previous_;
};

// Whether `holds` comes true within a generous bound. Checked every few milliseconds: a change
// made in the fake web's thread wakes no event loop.
bool Eventually(const std::function<bool()>& holds) {
    for (int i = 0; i < 1000 && !holds(); ++i) platform::Pause(30ms);
    return holds();
}

int LiveReplies() {
    return int(platform::SharedNetwork().findChildren<QNetworkReply*>().size());
}

// A body given up, beyond the cap or abandoned on its way, is given up once: its connection
// closes, so the server stops sending and the host's few connections stay free for the next
// pages; its reply is freed; and nothing of it is reported twice.
TEST(HttpRequestTest, ABodyGivenUpClosesItsConnectionAndFreesItsReply) {
    enum class Ending { Capped, CappedInAnotherWait, Abandoned };
    const QByteArray plain = "application/octet-stream";
    const struct {
        const char* name;
        Page page;
        Ending ending;
    } cases[] = {
        {"endless chunked", Page::Endless().ContentType(plain), Ending::Capped},
        {"endless chunked, compressed", Page::Endless(), Ending::Capped},
        {"endless without a length", Page::Endless().ContentType(plain).UntilClose(),
         Ending::Capped},
        {"capped while another request waits", Page::Endless().ContentType(plain),
         Ending::CappedInAnotherWait},
        {"abandoned on its way", Page::Endless().ContentType(plain), Ending::Abandoned},
    };
    const TwiceReportedFailures twiceReported;
    // A case that hangs ends by itself, and the others still run.
    const auto run = [](const auto& c) {
        FakeWeb web;
        web.Serve(QStringLiteral("a.cn"), QStringLiteral("/"), c.page);
        web.Serve(QStringLiteral("a.cn"), QStringLiteral("/page"), QStringLiteral("whole"));
        const auto request = [](HttpRequest& r, const QString& path) {
            r.Open(QStringLiteral("GET"), QStringLiteral("http://a.cn") + path);
            r.Send();
        };
        // More in a row than the connections the network layer opens to one host.
        for (size_t i = 0; i < 7; ++i) {
            HttpRequest endless;
            request(endless, QStringLiteral("/"));
            if (c.ending == Ending::Abandoned) {
                ASSERT_TRUE(Eventually([&] {
                    return web.Requests(QStringLiteral("a.cn")).size() > i;
                })) << c.name
                    << ' ' << i;
                continue;
            }
            if (c.ending == Ending::CappedInAnotherWait) {
                HttpRequest other;
                other.OnCompleted([&] { endless.Wait(30s); });
                request(other, QStringLiteral("/page"));
                ASSERT_TRUE(other.Wait(30s)) << c.name << ' ' << i;
            }
            ASSERT_TRUE(endless.Wait(30s)) << c.name << ' ' << i;
            EXPECT_EQ(endless.Status(), 0) << c.name;
            web.ClearRequests();
        }
        EXPECT_TRUE(Eventually([&] {
            return web.EndlessBodiesBeingSent() == 0 && LiveReplies() == 0;
        })) << c.name
            << ": " << web.EndlessBodiesBeingSent() << " bodies still sent, " << LiveReplies()
            << " replies alive";
        HttpRequest next;
        request(next, QStringLiteral("/page"));
        ASSERT_TRUE(next.Wait(30s)) << c.name;
        EXPECT_EQ(next.ResponseBody(), "whole") << c.name;
    };
    for (const auto& c : cases) run(c);
    EXPECT_EQ(twiceReported.Count(), 0);
}

// A body given up stops coming at once, whether it outgrew the cap or its reply failed while the
// body still came: its connection closes without the event loop that would free the reply (a
// job's wait may hold that off long after the request failed), and Qt reports no second error.
TEST(HttpRequestTest, ABodyGivenUpStopsComingBeforeItsReplyIsFreed) {
    const QByteArray plain = "application/octet-stream";
    const struct {
        const char* name;
        Page page;
    } cases[] = {
        {"beyond the cap", Page::Endless().ContentType(plain)},
        {"declared gzip, not gzip",
         Page::Endless().ContentType(plain).Header("Content-Encoding", "gzip")},
        {"a decompression bomb", Page::Endless()},
    };
    const TwiceReportedFailures twiceReported;
    for (const auto& c : cases) {
        FakeWeb web;
        web.Serve(QStringLiteral("a.cn"), QStringLiteral("/"), c.page);
        HttpRequest request;
        request.Open(QStringLiteral("GET"), QStringLiteral("http://a.cn/"));
        request.Send();
        ASSERT_TRUE(request.Wait(30s)) << c.name;
        ASSERT_EQ(request.Status(), 0) << c.name;
        // No event is handled from here on: only the network's own thread can close it.
        for (int i = 0; i < 1000 && web.EndlessBodiesBeingSent() > 0; ++i)
            std::this_thread::sleep_for(30ms);
        EXPECT_EQ(web.EndlessBodiesBeingSent(), 0) << c.name;
    }
    EXPECT_EQ(twiceReported.Count(), 0);
}

}  // namespace
