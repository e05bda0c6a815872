#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

#include "platform/http_request.h"

#include "shared/text_helpers.h"

// How long a request of `tryTime` seconds may take: it is given up once the seconds since the
// send, rounded to the nearest whole number with halves to the even neighbour, exceed
// `tryTime`. So 10 gives up after 10.5 s, 1 at 1.5 s.
std::chrono::milliseconds GiveUpAfter(int tryTime);

// Fetches a web page by GET or POST and returns its text decoded with the page's charset,
// waiting in the event loop (the windows stay responsive) until the answer comes or the
// time-out passes. An empty text means that nothing usable came back. One object may serve
// several requests in turn; set `url` (and `Char`) before each.
class CXHtml {
  public:
    CXHtml() = default;

    // Outcome of the last CheckUrl: the answer's status text, "链接为空" or "查询超时".
    QString statusText;

    // The address; an address without a scheme is requested with "http://" in front.
    void url(const QString& sUrl) { url_ = sUrl; }
    QString url() const { return url_; }
    // Charset of the page ("gb2312", "utf-8", ...); when empty, the next GetSrc or PostSrc
    // asks the page for it first and keeps the answer.
    void Char(const QString& sChar) { char_ = sChar; }
    QString Char() const { return char_; }
    // Referer header, sent when not empty.
    void refer(const QString& sRefer) { refer_ = sRefer; }
    // User-Agent header; a fixed browser text when empty.
    void agent(const QString& sAgent) { agent_ = sAgent; }
    // Time-out of one request, in seconds.
    void TryTime(int sTime) { tryTime_ = sTime; }
    void errnum(int sNum) { errnum_ = sNum; }

    // The page at `url`, by GET; an error page's text too (see Status).
    QString GetSrc();
    // GetSrc when the answer came with a success status (2xx); empty for an error page, as
    // for no answer, so that a lookup never reads an error page as a value.
    QString GetSrcOnSuccess();
    // The answer to a POST of the form body `strRequest` (already encoded) to `url`; empty
    // unless the status is 2xx.
    QString PostSrc(const QString& strRequest);
    // Whether `url` answers with a status from 200 to 399; sets statusText.
    bool CheckUrl();
    // The HTTP status of the last request's answer; 0 when none came whole (no request, a
    // time-out, a network failure, a body cut short or beyond the size cap).
    int Status() const { return status_; }

    // One GET of `url` as it stands, decoded with `charset`; an error page's text too.
    QString GetHttpPage(const QString& charset);
    // One POST of `strRequest` to `url` as it stands, decoded with `charset`; empty unless 2xx.
    QString PostHttpPage(const QString& strRequest, const QString& charset);
    // `body` decoded in the named charset.
    QString BytesToBstr(const QByteArray& body, const QString& charset) const;
    // The charset the page at `url` declares; "gb2312" when it declares none.
    QString GetChar();

    QString GetMemo(const QString& temp, const QString& firststr, const QString& endstr) const {
        return ::GetMemo(temp, firststr, endstr);
    }
    bool CheckNull(const QString& u) const { return ::CheckNull(u); }
    QString GetSqlStr(const QString& u) const { return ::GetSqlStr(u); }
    QString ClearHtml(QString& content) const { return ::ClearHtml(content); }

  private:
    // Completes the address and, when no charset is set, asks the page for it; false when
    // there is no address to fetch.
    bool Prepare();
    void CompleteUrl();
    // Opens `request` for `url` with the Referer and User-Agent headers.
    void OpenWithHeaders(platform::HttpRequest& request, const QString& method) const;
    // Sends `request` and waits for its answer as every fetch does, noting its status; whether
    // it came in time.
    bool Await(platform::HttpRequest& request, const QByteArray& body = {});

    QString url_;
    QString char_;
    QString refer_;
    QString agent_;
    int errnum_ = 100000000;
    int tryTime_ = 10;
    int status_ = 0;
};
