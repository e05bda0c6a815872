#include "shared/cxhtml.h"

#include <QRegularExpression>
#include <cmath>

#include "platform/charset.h"
#include "platform/wait.h"

namespace {

const QString kDefaultAgent = QStringLiteral(
    "Mozilla/5.0 (Windows; U; Windows NT 6.0; zh-CN; rv:1.9.0.3) Gecko/2008092417 "
    "Firefox/3.0.3 (.NET CLR 3.5.30729)");
const QString kDefaultCharset = QStringLiteral("gb2312");

// The charset name a page declares after "charset=", with or without quotes.
QString DeclaredCharset(const QString& page) {
    QString declared =
        TrimBlanks(GetMemo(page.toLower(), QStringLiteral("charset="), QStringLiteral(">")));
    static const QRegularExpression name(QStringLiteral(R"(^["'\s]*([^"'\s;/>]*))"));
    return name.match(declared).captured(1);
}

}  // namespace

std::chrono::milliseconds GiveUpAfter(int tryTime) {
    const qint64 halfway = qint64(tryTime) * 1000 + 500;
    const qint64 limit = (tryTime % 2 == 0) ? halfway + 1 : halfway;
    return std::chrono::milliseconds(std::max<qint64>(0, limit));
}

QString CXHtml::GetSrc() {
    if (!Prepare()) return {};
    return GetHttpPage(char_);
}

QString CXHtml::GetSrcOnSuccess() {
    QString page = GetSrc();
    if (status_ < 200 || status_ > 299) page.clear();
    return page;
}

QString CXHtml::PostSrc(const QString& strRequest) {
    if (!Prepare()) return {};
    return PostHttpPage(strRequest, char_);
}

bool CXHtml::Prepare() {
    status_ = 0;
    if (url_.isEmpty()) return false;
    CompleteUrl();
    // The sniff fetches the page once by GET, also ahead of a POST; its answer stays for
    // every later request of this object until the caller sets another charset.
    if (char_.isEmpty()) char_ = GetChar();
    return true;
}

void CXHtml::CompleteUrl() {
    static const QRegularExpression scheme(QStringLiteral("^[a-z][a-z0-9+.-]*://"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (!scheme.match(url_).hasMatch()) url_.prepend(QStringLiteral("http://"));
}

void CXHtml::OpenWithHeaders(platform::HttpRequest& request, const QString& method) const {
    request.Open(method, url_);
    if (!refer_.isEmpty()) request.SetRequestHeader(QStringLiteral("Referer"), refer_);
    request.SetRequestHeader(QStringLiteral("User-Agent"),
                             agent_.isEmpty() ? kDefaultAgent : agent_);
}

bool CXHtml::Await(platform::HttpRequest& request, const QByteArray& body) {
    request.Send(body);
    platform::DoEvents();
    // Measured from the send on the clock in force, so a wait across midnight still ends.
    const bool came = request.Wait(GiveUpAfter(tryTime_));
    status_ = came ? request.Status() : 0;
    return came;
}

// The request component is built into the program, so there is no "component missing" case
// to report.
QString CXHtml::GetHttpPage(const QString& charset) {
    platform::HttpRequest request;
    OpenWithHeaders(request, QStringLiteral("GET"));
    if (!Await(request)) return {};
    return BytesToBstr(request.ResponseBody(), charset);
}

QString CXHtml::PostHttpPage(const QString& strRequest, const QString& charset) {
    platform::HttpRequest request;
    OpenWithHeaders(request, QStringLiteral("POST"));
    request.SetRequestHeader(QStringLiteral("Content-Type"),
                             QStringLiteral("application/x-www-form-urlencoded"));
    if (!Await(request, strRequest.toUtf8())) return {};
    if (request.Status() < 200 || request.Status() > 299) return {};
    return BytesToBstr(request.ResponseBody(), charset);
}

bool CXHtml::CheckUrl() {
    if (url_.isEmpty()) {
        status_ = 0;
        statusText = QStringLiteral("链接为空");
        return false;
    }
    CompleteUrl();
    platform::HttpRequest request;
    request.Open(QStringLiteral("GET"), url_);
    if (!Await(request)) {
        statusText = QStringLiteral("查询超时");
        return false;
    }
    statusText = request.StatusText();
    return request.Status() >= 200 && request.Status() <= 399;
}

QString CXHtml::BytesToBstr(const QByteArray& body, const QString& charset) const {
    return platform::BytesToText(body, charset);
}

QString CXHtml::GetChar() {
    const QString declared = DeclaredCharset(GetHttpPage(kDefaultCharset));
    return declared.isEmpty() ? kDefaultCharset : declared;
}
