#pragma once

#include <QTimer>
#include <functional>

#include "mining/fixture_pages.h"
#include "mining/helper_page.h"
#include "mining/test_binding.h"
#include "mining_window_fixture.h"

namespace mining_testing {

// "减肥" in percent-encoded GBK and UTF-8.
inline const QString kGbkSeed = QStringLiteral("%BC%F5%B7%CA");
inline const QString kUtf8Seed = QStringLiteral("%E5%87%8F%E8%82%A5");

inline const QString kBaiduResults = QStringLiteral("http://www.baidu.com/s?wd=") + kGbkSeed;

// The eight addresses a run on "减肥" asks for, in order; the helper page gives the suggestion
// services the UTF-8 form.
inline const QStringList kSourceUrls = {
    kBaiduResults,
    QStringLiteral("http://suggestion.baidu.com/su?wd=") + kUtf8Seed + QStringLiteral("&p=3"),
    QStringLiteral("http://nssug.baidu.com/su?wd=") + kUtf8Seed,
    QStringLiteral("http://www.youdao.com/search?q=") + kUtf8Seed,
    QStringLiteral("http://www.sogou.com/web?query=") + kGbkSeed,
    QStringLiteral("http://www.google.com.hk/search?hl=zh-CN&source=hp&q=") + kUtf8Seed,
    QStringLiteral("http://search.china.alibaba.com/selloffer/k-") + kGbkSeed +
        QStringLiteral("_n-y.html"),
    QStringLiteral("http://suggest.china.alibaba.com/bin/suggest?type=saleoffer&q=") + kGbkSeed,
};

// The mining window on the fixture pages of the eight sources: every keyword gets the same
// pages, but for Alibaba's offer search, which finds only "减肥" ("瘦身" and "seo" get a page
// without offers).
class MiningRunTest : public MiningWindowTest {
  protected:
    MiningRunTest() {
        const std::pair<const char*, const char*> pages[] = {
            {"www.baidu.com/s", "baidu_results.htm"},
            {"suggestion.baidu.com/su", "baidu_suggest.js"},
            {"nssug.baidu.com/su", "baidu_suggest2.js"},
            {"www.youdao.com/search", "youdao_search.htm"},
            {"www.sogou.com/web", "sogou_search.htm"},
            {"www.google.com.hk/search", "google_search.htm"},
            {"search.china.alibaba.com/selloffer/k-%BC%F5%B7%CA_n-y.html", "alibaba_search.htm"},
            {"suggest.china.alibaba.com/bin/suggest", "alibaba_suggest.js"}};
        for (const auto& [address, file] : pages) {
            const QString url = QString::fromUtf8(address);
            const int slash = static_cast<int>(url.indexOf(u'/'));
            web.Serve(url.left(slash), url.mid(slash),
                      fakeweb::Page::Bytes(PageBytes(QString::fromUtf8(file))));
        }
        for (const char* keyword : {"%CA%DD%C9%ED", "seo"})
            web.Serve(QStringLiteral("search.china.alibaba.com"),
                      QStringLiteral("/selloffer/k-%1_n-y.html").arg(QString::fromUtf8(keyword)),
                      QStringLiteral("<html><body>没有找到相关的供应信息</body></html>"));
        folder.AddHelperPage();
        browsers.documents[mining::HelperPageAddress(QStringLiteral("减肥"))] =
            QStringLiteral("<html><body><input value='") + kUtf8Seed +
            QStringLiteral("'></body></html>");
        Opened();
    }

    // What the user does from the event loop while a run waits, once `when` holds.
    void WhenThen(std::function<bool()> when, std::function<void()> then) {
        auto* timer = new QTimer(window);
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, [timer, when, then] {
            if (!when()) return;
            timer->stop();
            then();
        });
        timer->start();
    }
    // `button` as it stands: its caption, "(disabled)" when it is.
    static QString Shows(const platform::CommandButton* button) {
        return button->Caption() + (button->isEnabled() ? QString() : QStringLiteral("(disabled)"));
    }
    QStringList RequestedUrls() const {
        QStringList urls;
        for (const fakeweb::Request& request : web.Requests()) urls << request.Url();
        return urls;
    }
};

}  // namespace mining_testing
