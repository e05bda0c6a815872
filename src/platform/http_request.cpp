#include "platform/http_request.h"

#include <utility>

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <optional>

#include "platform/wait.h"

namespace platform {
namespace {

int inFlight = 0;
quint64 completed = 0;

// The fake web named by the environment, if any.
std::optional<QNetworkProxy> FakeWebProxy() {
    const QString address = qEnvironmentVariable(kFakeWebVariable);
    const qsizetype colon = address.lastIndexOf(u':');
    if (colon <= 0) return std::nullopt;
    bool ok = false;
    const quint16 port = address.mid(colon + 1).toUShort(&ok);
    if (!ok) return std::nullopt;
    return QNetworkProxy(QNetworkProxy::HttpProxy, address.left(colon), port);
}

// Points the application's proxy at the fake web while the environment names one, and puts
// back the proxy it had before once the variable is gone.
void ApplyFakeWebSwitch() {
    static std::optional<QNetworkProxy> original;
    const std::optional<QNetworkProxy> fake = FakeWebProxy();
    if (fake) {
        if (!original) original = QNetworkProxy::applicationProxy();
        if (QNetworkProxy::applicationProxy() != *fake) QNetworkProxy::setApplicationProxy(*fake);
    } else if (original) {
        QNetworkProxy::setApplicationProxy(*original);
        original.reset();
    }
}

}  // namespace

QNetworkAccessManager& SharedNetwork() {
    // Owned by the application, so that it goes before the application does.
    static QPointer<QNetworkAccessManager> network;
    if (!network) network = new QNetworkAccessManager(QCoreApplication::instance());
    ApplyFakeWebSwitch();
    return *network;
}

QUrl RoutedUrl(const QUrl& url) {
    if (!FakeWebProxy() || url.scheme().compare(u"https", Qt::CaseInsensitive) != 0) return url;
    QUrl plain = url;
    plain.setScheme(QStringLiteral("http"));
    if (plain.port() == 443) plain.setPort(-1);
    return plain;
}

int HttpRequestsInFlight() {
    return inFlight;
}

quint64 HttpRequestsCompleted() {
    return completed;
}

HttpRequest::~HttpRequest() {
    Abort();
}

void HttpRequest::Open(const QString& method, const QString& url) {
    Abort();
    method_ = method.toUpper();
    url_ = url;
    headers_.clear();
    completed_ = false;
    status_ = 0;
    statusText_.clear();
    body_.clear();
    responseHeaders_.clear();
}

void HttpRequest::SetRequestHeader(const QString& name, const QString& value) {
    headers_.append({name.toLatin1(), value.toUtf8()});
}

void HttpRequest::Send(const QByteArray& body) {
    const QUrl url = RoutedUrl(QUrl(url_, QUrl::TolerantMode));
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
        statusText_ = QStringLiteral("invalid address: ") + url_;
        completed_ = true;
        return;
    }
    QNetworkRequest request(url);
    for (const auto& [name, value] : headers_) request.setRawHeader(name, value);

    QNetworkAccessManager& network = SharedNetwork();
    if (method_ == u"GET")
        reply_ = network.get(request);
    else if (method_ == u"POST")
        reply_ = network.post(request, body);
    else
        reply_ = network.sendCustomRequest(request, method_.toLatin1(), body);
    ++inFlight;
    QObject::connect(reply_, &QNetworkReply::finished, reply_, [this] { Finish(); });
}

void HttpRequest::Finish() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    status_ = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    statusText_ = status_ ? reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()
                          : reply->errorString();
    body_ = reply->readAll();
    responseHeaders_ = reply->rawHeaderPairs();
    completed_ = true;
    --inFlight;
    ++completed;
    reply->deleteLater();
}

QString HttpRequest::ResponseHeader(const QString& name) const {
    for (const auto& [headerName, value] : responseHeaders_)
        if (QString::fromLatin1(headerName).compare(name, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(value);
    return {};
}

void DropReply(QNetworkReply* reply) {
    reply->disconnect();
    reply->abort();
    reply->deleteLater();
}

void HttpRequest::Abort() {
    if (!reply_) return;
    DropReply(std::exchange(reply_, nullptr));
    --inFlight;
}

bool HttpRequest::Wait(std::chrono::milliseconds timeout) {
    return WaitUntil([this] { return completed_; }, timeout);
}

}  // namespace platform
