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

QList<quint64> inFlight;
quint64 sent = 0;
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

// Whether `reply` ended with an answer that came whole: without error, or with an error that
// only restates its HTTP status (4xx, 5xx). A network error after the status (a reset or close
// cutting the body short) or a redirect that could not be followed leaves no answer.
bool CameWhole(const QNetworkReply& reply, int status) {
    const QNetworkReply::NetworkError error = reply.error();
    return error == QNetworkReply::NoError ||
           (status >= 400 && error > QNetworkReply::UnknownNetworkError);
}

// Forgets the failure `reply` reported, if any, without a signal (Qt keeps the setter for its
// reply classes): Qt warns when a reply that failed is aborted.
class FailureForgetting : public QNetworkReply {
  public:
    static void Forget(QNetworkReply& reply) {
        (reply.*&FailureForgetting::setError)(NoError, QString());
    }
};

QPointer<QNetworkAccessManager>& Network() {
    static QPointer<QNetworkAccessManager> network;
    return network;
}

// The end of the application: the network goes while the application is still whole. Its
// replies go first, while its thread still runs to end their requests: a reply whose deletion
// was asked inside a wait that has returned, with no event loop run since, would otherwise go
// only with the network, after its thread, leaving that request's objects behind.
void EndNetwork() {
    QNetworkAccessManager* network = Network();
    if (!network) return;
    for (QNetworkReply* reply : network->findChildren<QNetworkReply*>()) delete reply;
    delete network;
}

}  // namespace

QNetworkAccessManager& SharedNetwork() {
    QPointer<QNetworkAccessManager>& network = Network();
    if (!network) {
        network = new QNetworkAccessManager(QCoreApplication::instance());
        qAddPostRoutine(EndNetwork);
    }
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
    return int(inFlight.size());
}

QList<quint64> HttpRequestNumbersInFlight() {
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
    const QUrl requested(url_, QUrl::TolerantMode);
    const QUrl url = RoutedUrl(requested);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
        statusText_ = QStringLiteral("invalid address: ") + url_;
        completed_ = true;
        if (onCompleted_) onCompleted_();
        return;
    }
    routedToPlain_ = url.scheme() != requested.scheme();
    finalUrl_ = requested;
    QNetworkRequest request(url);
    for (const auto& [name, value] : headers_) request.setRawHeader(name, value);
    number_ = ++sent;
    if (FakeWebProxy()) request.setRawHeader(kFakeWebRequestHeader, QByteArray::number(number_));

    QNetworkAccessManager& network = SharedNetwork();
    if (method_ == u"GET")
        reply_ = network.get(request);
    else if (method_ == u"POST")
        reply_ = network.post(request, body);
    else
        reply_ = network.sendCustomRequest(request, method_.toLatin1(), body);
    inFlight.append(number_);
    // Taken as it arrives, so that the network layer holds no second copy and an endless body
    // is stopped at the cap.
    handlers_ = {
        QObject::connect(reply_, &QNetworkReply::readyRead, reply_, [this] { TakeArrivedBody(); }),
        // A reply that failed for good is given up at once: some failures (a body that does not
        // decompress) never finish.
        QObject::connect(reply_, &QNetworkReply::errorOccurred, reply_,
                         [this] { GiveUpIfBroken(); }),
        QObject::connect(reply_, &QNetworkReply::finished, reply_, [this] { Finish(); }),
    };
}

bool HttpRequest::TakeArrivedBody() {
    if (body_.size() + reply_->bytesAvailable() > kMaxResponseBytes) {
        Detach()->deleteLater();
        Fail(QStringLiteral("answer larger than %1 MiB").arg(kMaxResponseBytes >> 20));
        return false;
    }
    body_ += reply_->readAll();
    return true;
}

bool HttpRequest::GiveUpIfBroken() {
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status && CameWhole(*reply_, status)) return false;
    const QString reason = reply_->errorString();
    Detach()->deleteLater();
    Fail(reason);
    return true;
}

void HttpRequest::Finish() {
    if (!TakeArrivedBody() || GiveUpIfBroken()) return;
    status_ = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    statusText_ = reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    responseHeaders_ = reply_->rawHeaderPairs();
    finalUrl_ = reply_->url();
    if (routedToPlain_) finalUrl_.setScheme(QStringLiteral("https"));
    Detach()->deleteLater();
    Complete();
}

void HttpRequest::Complete() {
    completed_ = true;
    ++completed;
    if (onCompleted_) onCompleted_();
}

void HttpRequest::Fail(const QString& reason) {
    status_ = 0;
    statusText_ = reason;
    body_.clear();
    Complete();
}

QString HttpRequest::ResponseHeader(const QString& name) const {
    for (const auto& [headerName, value] : responseHeaders_)
        if (QString::fromLatin1(headerName).compare(name, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(value);
    return {};
}

void HttpRequest::Abort() {
    // Only the owner aborts, never one of the reply's own signals (the request lets go of its
    // reply before it reports completion), so the reply goes at once: a deferred deletion asked
    // outside every event loop, or at a job's own level, would wait for the job to end.
    if (reply_) delete Detach();
}

QNetworkReply* HttpRequest::Detach() {
    // Only this request's own handlers: the reply's links to the network thread must stay, as
    // they carry the abort (and the deletion) to the connection, which else keeps taking in an
    // endless body and is never given back.
    for (const QMetaObject::Connection& handler : std::exchange(handlers_, {}))
        QObject::disconnect(handler);
    QNetworkReply* reply = std::exchange(reply_, nullptr);
    // Stopped even when it failed while its body still comes (a body that does not decompress):
    // else its connection keeps taking the body in until the reply is freed, which a job's wait
    // may hold off. That failure was taken already, and nothing hears the abort's own.
    if (reply->isRunning()) {
        FailureForgetting::Forget(*reply);
        reply->abort();
    }
    inFlight.removeOne(number_);
    return reply;
}

bool HttpRequest::Wait(std::chrono::milliseconds timeout) {
    return WaitUntil([this] { return completed_; }, timeout);
}

}  // namespace platform
