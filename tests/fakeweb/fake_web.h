#pragma once

// The loopback web of the tests. Create a FakeWeb and every request the program sends goes to
// it instead of the internet (it sets TARNWICK_FAKEWEB for its lifetime; https addresses arrive
// as plain http). It answers by the original host and path and records what it was asked:
//
//   fakeweb::FakeWeb web;
//   web.Serve("www.baidu.com", "/s", page, "gbk");             // any query
//   web.Serve("www.baidu.com", "/s?wd=%D3%C5%BB%AF", other);   // this query only (wins)
//   web.Serve("update.tarnwick.com", "/ver.txt", fakeweb::Page::Text("4.1").Status(404));
//   web.Serve("slow.example", "/", fakeweb::Page::Text("late").After(std::chrono::seconds(3)));
//   web.Serve("dead.example", "/", fakeweb::Page::Never());
//   web.Serve("held.example", "/", fakeweb::Page::Text("late").UntilReleased());
//   web.Release();   // the held answers go out, and later ones are no longer held
//   web.Serve("cut.example", "/", fakeweb::Page::Text("whole page").CutAfter(5));
//   web.Serve("flood.example", "/", fakeweb::Page::Endless());
//   web.EndlessBodiesBeingSent() == 0   // every client of an endless body hung up
//   web.ServeInTurn("a.example", "/x", {fakeweb::Page::Text("1"), fakeweb::Page::Text("2")});
//   ... run the code under test ...
//   web.Requests()[0].Url() == "http://www.baidu.com/s?wd=%D3%C5%BB%AF"
//
// An address nobody serves is answered with status 404 and an empty body (and recorded).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace fakeweb {

// One answer: status, body bytes, content type, when (at once, after a delay, or never), and
// how the body travels (whole, in chunks, cut short, or without end).
struct Page {
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/html";
    std::chrono::milliseconds delay{0};
    bool never = false;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool chunked = false;
    std::optional<qsizetype> cutAfter;
    bool endless = false;
    bool untilClose = false;
    bool untilReleased = false;

    // `text` encoded in `charset` ("gbk", "gb2312", "utf-8", or any name the program knows).
    static Page Text(const QString& text, const QString& charset = QStringLiteral("utf-8"));
    static Page Bytes(const QByteArray& bytes);
    // A page that is never answered: the connection stays open until the FakeWeb goes.
    static Page Never();
    // A chunked body that never ends: chunks keep coming until the client hangs up.
    static Page Endless();

    Page& Status(int code) {
        status = code;
        return *this;
    }
    Page& After(std::chrono::milliseconds wait) {
        delay = wait;
        return *this;
    }
    Page& ContentType(const QByteArray& type) {
        contentType = type;
        return *this;
    }
    Page& Header(const QByteArray& name, const QByteArray& value) {
        headers.append({name, value});
        return *this;
    }
    // Holds the answer back until the test calls FakeWeb::Release(): the program waits for it
    // for as long as the test needs, however loaded the machine.
    Page& UntilReleased() {
        untilReleased = true;
        return *this;
    }
    // Sends the body in chunks (Transfer-Encoding: chunked) instead of with a Content-Length.
    Page& Chunked() {
        chunked = true;
        return *this;
    }
    // Sends an endless body without chunks or a length, as a body that ends where the
    // connection closes.
    Page& UntilClose() {
        untilClose = true;
        return *this;
    }
    // Closes the connection after the first `bytes` of the body, as a reset does: the whole
    // body's Content-Length was announced, or, chunked, the closing chunk never comes.
    Page& CutAfter(qsizetype bytes) {
        cutAfter = bytes;
        return *this;
    }
};

// One request as the server received it.
struct Request {
    QString method;
    QString host;  // without a port
    QString path;  // path and query exactly as sent, such as "/s?wd=%D3%C5"
    QList<QPair<QString, QString>> headers;
    QByteArray body;

    QString Url() const { return QStringLiteral("http://") + host + path; }
    // The value of header `name` (any letter case); empty when it was not sent.
    QString Header(const QString& name) const;
};

// Whether an answer may still come to a request the program has out: some request in flight is
// not one that a loopback web holds without answer (Page::Never). A test clock lets time pass
// only once none may come.
bool AnswerMayCome();

class FakeWeb {
  public:
    FakeWeb();
    ~FakeWeb();
    FakeWeb(const FakeWeb&) = delete;
    FakeWeb& operator=(const FakeWeb&) = delete;

    // Answers `host` + `path` with `page` from now on. A path without "?" answers every query;
    // one with "?" answers that exact query only and wins over the former.
    void Serve(const QString& host, const QString& path, const Page& page);
    void Serve(const QString& host, const QString& path, const QString& text,
               const QString& charset = QStringLiteral("utf-8"));
    // Answers with `pages` in turn; the last one keeps answering once the others are used.
    void ServeInTurn(const QString& host, const QString& path, const std::vector<Page>& pages);

    // Every request so far, in the order they arrived.
    std::vector<Request> Requests() const;
    // The requests for `host`, in order.
    std::vector<Request> Requests(const QString& host) const;
    // The addresses of every request so far, in order.
    QStringList RequestedUrls() const;
    void ClearRequests();
    // Holds every answer back by `delay` beyond its own, the 404 of an address nobody serves
    // too, so that the program waits for each page it asks for.
    void DelayEveryAnswer(std::chrono::milliseconds delay);

    // Sends the answers held by Page::UntilReleased, and every later one at once.
    void Release();

    // Endless bodies still being sent: their clients have not hung up yet.
    int EndlessBodiesBeingSent() const;

    // "127.0.0.1:port", the value of TARNWICK_FAKEWEB while this object lives.
    QString Address() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace fakeweb
