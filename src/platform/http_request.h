#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace platform {

// Environment variable "host:port" of a loopback web that stands in for the internet: when it
// is set, every request goes to it as an HTTP proxy, https addresses as plain http.
inline constexpr char kFakeWebVariable[] = "TARNWICK_FAKEWEB";

// The program's one network access point, with the proxy switch above applied.
QNetworkAccessManager& SharedNetwork();
// `url` as it must be requested: https becomes http while the fake web is in use.
QUrl RoutedUrl(const QUrl& url);

// The largest answer body taken, 16 MiB: far above any result page (a few hundred kB), small
// enough that an endless or hostile body cannot exhaust memory. A larger body fails the request.
inline constexpr qint64 kMaxResponseBytes = qint64(16) << 20;

// Requests sent and not yet completed or abandoned, and a count of completions so far. A test
// clock uses them to let loopback answers arrive before it moves time on.
int HttpRequestsInFlight();
quint64 HttpRequestsCompleted();
// The numbers of the requests in flight, each request's own. While the fake web is in use every
// request carries its number in the header below, so that the fake web can say which of them
// it holds without answer.
QList<quint64> HttpRequestNumbersInFlight();
inline constexpr char kFakeWebRequestHeader[] = "X-Fake-Web-Request";

// One HTTP request: opened with a method and an address, given headers, sent without waiting,
// then watched until it completes; the caller waits through the event loop. Abandoning it
// (destruction, or Abort) drops an answer still on its way. Only a whole answer counts: a body
// cut short, one beyond kMaxResponseBytes and a redirect that leads nowhere (a loop, an address
// that is not http) fail the request as a network failure does.
class HttpRequest {
  public:
    HttpRequest() = default;
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // `method` is "GET" or "POST"; `url` an absolute address.
    void Open(const QString& method, const QString& url);
    void SetRequestHeader(const QString& name, const QString& value);
    // Sends the request and returns at once; `body` goes with a POST. An address that cannot
    // be requested completes at once without an HTTP status.
    void Send(const QByteArray& body = {});
    void Abort();

    // Whether the answer is complete (or the request failed for good).
    bool Completed() const { return completed_; }
    // Calls `done` once the request completes or fails; never after Abort or destruction.
    void OnCompleted(std::function<void()> done) { onCompleted_ = std::move(done); }
    // Waits in the event loop until the request completes or `timeout` has passed on the
    // clock in force; whether it completed.
    bool Wait(std::chrono::milliseconds timeout);

    // The HTTP status, 0 while none came (no answer yet, or a failed request).
    int Status() const { return status_; }
    // The status text of the answer, or why the request failed.
    QString StatusText() const { return statusText_; }
    // The body of a whole answer; empty for a failed request.
    QByteArray ResponseBody() const { return body_; }
    // The value of response header `name` (any letter case); empty when the answer had none.
    QString ResponseHeader(const QString& name) const;
    // The address that answered, after redirects.
    QUrl FinalUrl() const { return finalUrl_; }

  private:
    // Moves the bytes that have arrived into the body; false, with the request failed, once
    // the body outgrows the cap.
    bool TakeArrivedBody();
    // Gives the request up when its reply failed for good; whether it did.
    bool GiveUpIfBroken();
    void Finish();
    // Takes reply_ from this request, once: cuts this request's handlers from it and stops it
    // if it still runs. The caller frees it: from within one of the reply's own signals with
    // deleteLater, so that it goes once that signal is done.
    QNetworkReply* Detach();
    void Fail(const QString& reason);
    void Complete();

    QString method_;
    QString url_;
    quint64 number_ = 0;
    QList<QPair<QByteArray, QByteArray>> headers_;
    QPointer<QNetworkReply> reply_;
    QList<QMetaObject::Connection> handlers_;
    bool completed_ = false;
    int status_ = 0;
    QString statusText_;
    QByteArray body_;
    QList<QPair<QByteArray, QByteArray>> responseHeaders_;
    QUrl finalUrl_;
    bool routedToPlain_ = false;
    std::function<void()> onCompleted_;
};

}  // namespace platform
