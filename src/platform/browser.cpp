#include "platform/browser.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <utility>

#include "platform/charset.h"
#include "platform/http_request.h"

namespace platform {
namespace {

// The charset a page declares in its HTTP header or in its own head; empty when none.
QString DeclaredCharset(const QByteArray& contentType, const QByteArray& body) {
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([\\w-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (const QString& text :
         {QString::fromLatin1(contentType), QString::fromLatin1(body.left(4096))}) {
        const QRegularExpressionMatch match = charset.match(text);
        if (match.hasMatch()) return match.captured(1);
    }
    return {};
}

QString DecodePage(const QByteArray& contentType, const QByteArray& body) {
    const QString charset = DeclaredCharset(contentType, body);
    return charset.isEmpty() ? FileBytesToText(body) : BytesToText(body, charset);
}

// Shows pages as rich text: no scripts, and no resource is fetched to display them.
class StaticPageView final : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

class TextBrowserView final : public BrowserView {
  public:
    explicit TextBrowserView(QWidget* parent) : BrowserView(parent), view_(new StaticPageView) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        view_->setOpenLinks(false);
        QObject::connect(view_, &QTextBrowser::anchorClicked, view_, [this](const QUrl& link) {
            Navigate(QUrl(location_).resolved(link).toString());
        });
    }
    ~TextBrowserView() override { Stop(); }

    void Navigate(const QString& url) override {
        Stop();
        location_ = url;
        const QUrl address = QUrl::fromUserInput(url);
        if (address.isLocalFile()) {
            QFile file(address.toLocalFile());
            Show(file.open(QIODevice::ReadOnly) ? DecodePage({}, file.readAll()) : QString());
            return;
        }
        QNetworkRequest request(RoutedUrl(address));
        reply_ = SharedNetwork().get(request);
        routedToPlain_ = RoutedUrl(address).scheme() != address.scheme();
        QObject::connect(reply_, &QNetworkReply::finished, view_, [this] { Loaded(); });
    }

    bool Busy() const override { return reply_ != nullptr; }
    QString DocumentHtml() const override { return RootInnerHtml(document_); }
    QString FirstInputValue() const override { return FirstInputValueOf(document_); }
    QString LocationUrl() const override { return location_; }

  private:
    void Loaded() {
        QNetworkReply* reply = reply_;
        reply_ = nullptr;
        QUrl finalUrl = reply->url();
        if (routedToPlain_) finalUrl.setScheme(QStringLiteral("https"));
        location_ = finalUrl.toString();
        Show(DecodePage(reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(),
                        reply->readAll()));
        // A page that could not be reached shows why; its document stays empty.
        if (document_.isEmpty() && reply->error() != QNetworkReply::NoError)
            view_->setPlainText(
                QStringLiteral("无法打开网页 %1\n%2").arg(location_, reply->errorString()));
        reply->deleteLater();
    }

    void Show(const QString& document) {
        document_ = document;
        view_->setHtml(document);
    }

    void Stop() {
        if (reply_) DropReply(std::exchange(reply_, nullptr));
    }

    StaticPageView* view_;
    QPointer<QNetworkReply> reply_;
    bool routedToPlain_ = false;
    QString location_;
    QString document_;
};

BrowserViewFactory& Installed() {
    static BrowserViewFactory factory;
    return factory;
}

}  // namespace

BrowserView* CreateBrowserView(QWidget* parent) {
    if (Installed()) return Installed()(parent);
    return new TextBrowserView(parent);
}

void InstallBrowserViewFactory(BrowserViewFactory factory) {
    Installed() = std::move(factory);
}

QString RootInnerHtml(const QString& document) {
    static const QRegularExpression open(QStringLiteral("<html\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch start = open.match(document);
    if (!start.hasMatch()) return document;
    const qsizetype from = start.capturedEnd();
    const qsizetype end = document.lastIndexOf(QStringLiteral("</html"), -1, Qt::CaseInsensitive);
    return document.mid(from, end >= from ? end - from : -1);
}

QString FirstInputValueOf(const QString& document) {
    static const QRegularExpression input(QStringLiteral("<input\\b([^>]*)>"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression value(
        QStringLiteral("\\bvalue\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch tag = input.match(document);
    if (!tag.hasMatch()) return {};
    const QRegularExpressionMatch match = value.match(tag.captured(1));
    if (!match.hasMatch()) return {};
    QString raw = match.captured(1);
    if (raw.isEmpty()) raw = match.captured(2);
    if (raw.isEmpty()) raw = match.captured(3);
    return QTextDocumentFragment::fromHtml(raw).toPlainText();
}

}  // namespace platform
