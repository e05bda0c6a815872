#include "platform/browser.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <memory>
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
        request_ = std::make_unique<HttpRequest>();
        request_->Open(QStringLiteral("GET"), address.toString());
        request_->OnCompleted([this] { Loaded(); });
        request_->Send();
    }

    bool Busy() const override { return request_ && !request_->Completed(); }
    QString DocumentHtml() const override { return RootInnerHtml(document_); }
    QString FirstInputValue() const override { return FirstInputValueOf(document_); }
    QString LocationUrl() const override { return location_; }

  private:
    // The page comes through the program's HTTP layer, so it is held to the same rules as any
    // fetched page: a body cut short or beyond the size cap is no page, and neither is an error
    // page, which is shown but never read as the document.
    void Loaded() {
        location_ = request_->FinalUrl().toString();
        const QString page =
            DecodePage(request_->ResponseHeader(QStringLiteral("Content-Type")).toLatin1(),
                       request_->ResponseBody());
        const int status = request_->Status();
        const bool success = status >= 200 && status <= 299;
        Show(page);
        if (success) return;
        document_.clear();
        // A page that could not be reached shows why.
        if (page.isEmpty())
            view_->setPlainText(
                QStringLiteral("无法打开网页 %1\n%2").arg(location_, request_->StatusText()));
    }

    void Show(const QString& document) {
        document_ = document;
        view_->setHtml(document);
    }

    void Stop() { request_.reset(); }

    StaticPageView* view_;
    std::unique_ptr<HttpRequest> request_;
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
