#include "platform/browser.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "fakeweb/fake_web.h"
#include "platform/charset.h"
#include "platform/wait.h"

namespace {

using namespace std::chrono_literals;

TEST(BrowserView, LoadsAPageThroughTheHttpLayerInItsCharsetAndRunsNoScript) {
    fakeweb::FakeWeb web;
    const QString page = QStringLiteral(
        "<html><head><meta charset=\"gb2312\"><script>document.write('x')</script></head>"
        "<body><input name=q value=\"百度&amp;一下\"><input value=\"second\"></body></html>");
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              fakeweb::Page::Bytes(platform::ToAnsi(page)));
    QWidget window;
    platform::BrowserView* browser = platform::CreateBrowserView(&window);

    browser->Navigate(QStringLiteral("http://www.baidu.com/s?wd=seo"));
    EXPECT_TRUE(browser->Busy());
    ASSERT_TRUE(platform::WaitUntil([&] { return !browser->Busy(); }, 30s));

    ASSERT_EQ(web.Requests().size(), 1u) << "the page alone, no script or resource";
    EXPECT_EQ(web.Requests()[0].Url(), QStringLiteral("http://www.baidu.com/s?wd=seo"));
    EXPECT_TRUE(browser->DocumentHtml().startsWith(QStringLiteral("<head><meta")));
    EXPECT_TRUE(browser->DocumentHtml().endsWith(QStringLiteral("</body>")));
    EXPECT_EQ(browser->FirstInputValue(), QStringLiteral("百度&一下"));
    EXPECT_EQ(browser->LocationUrl(), QStringLiteral("http://www.baidu.com/s?wd=seo"));
}

TEST(BrowserView, ReportsTheAddressAfterARedirect) {
    fakeweb::FakeWeb web;
    web.Serve(
        QStringLiteral("t.example"), QStringLiteral("/go"),
        fakeweb::Page::Text(QString()).Status(302).Header("Location", "http://site.example/home"));
    web.Serve(QStringLiteral("site.example"), QStringLiteral("/home"), QStringLiteral("<p>home"));
    QWidget window;
    platform::BrowserView* browser = platform::CreateBrowserView(&window);

    browser->Navigate(QStringLiteral("http://t.example/go"));
    ASSERT_TRUE(platform::WaitUntil([&] { return !browser->Busy(); }, 30s));

    EXPECT_EQ(browser->LocationUrl(), QStringLiteral("http://site.example/home"));
    EXPECT_EQ(browser->DocumentHtml(), QStringLiteral("<p>home"));
}

TEST(BrowserView, AnUnreachablePageShowsWhyAndLeavesTheDocumentEmpty) {
    fakeweb::FakeWeb web;  // serves nothing: every address answers 404 without a body
    QWidget window;
    platform::BrowserView* browser = platform::CreateBrowserView(&window);

    browser->Navigate(QStringLiteral("http://www.tarnwick.com/news.html?ver=4.0.0"));
    ASSERT_TRUE(platform::WaitUntil([&] { return !browser->Busy(); }, 30s));

    EXPECT_TRUE(browser->DocumentHtml().isEmpty());
    auto* view = browser->findChild<QTextBrowser*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->toPlainText().startsWith(
        QStringLiteral("无法打开网页 http://www.tarnwick.com/news.html")));
}

// The browser's pages obey the page fetcher's rules: a body cut short or without end, or one
// that came with an error status, is no document, however much of it came.
TEST(BrowserView, ABodyCutShortEndlessOrOfAnErrorPageLeavesTheDocumentEmpty) {
    fakeweb::FakeWeb web;
    const QString results = QStringLiteral("<p>百度一下，找到相关网页约100篇</p>");
    web.Serve(QStringLiteral("cut.example"), QStringLiteral("/"),
              fakeweb::Page::Text(results).CutAfter(5));
    web.Serve(QStringLiteral("flood.example"), QStringLiteral("/"), fakeweb::Page::Endless());
    web.Serve(QStringLiteral("busy.example"), QStringLiteral("/"),
              fakeweb::Page::Text(results).Status(503));
    QWidget window;
    platform::BrowserView* browser = platform::CreateBrowserView(&window);

    for (const char* address :
         {"http://cut.example/", "http://flood.example/", "http://busy.example/"}) {
        browser->Navigate(QString::fromLatin1(address));
        ASSERT_TRUE(platform::WaitUntil([&] { return !browser->Busy(); }, 30s)) << address;
        EXPECT_TRUE(browser->DocumentHtml().isEmpty()) << address;
    }
}

TEST(BrowserView, LoadsALocalFileAtOnce) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("111.htm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral("<html><body><input type=text value='关键词'></body></html>").toUtf8());
    file.close();
    QWidget window;
    platform::BrowserView* browser = platform::CreateBrowserView(&window);

    browser->Navigate(file.fileName());

    EXPECT_FALSE(browser->Busy());
    EXPECT_EQ(browser->FirstInputValue(), QStringLiteral("关键词"));
}

TEST(FirstInputValueOf, TableOfDocuments) {
    const struct {
        const char* document;
        const char* value;
    } cases[] = {
        {"<p>no input</p>", ""},
        {"<INPUT TYPE=hidden VALUE=abc>", "abc"},
        {"<input name=x><input value=\"later\">", ""},
        {"<input value='a b' name=y>", "a b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::FirstInputValueOf(QString::fromUtf8(c.document)),
                  QString::fromUtf8(c.value))
            << c.document;
}

}  // namespace
