// 1,000 sequential GETs of a small page from the loopback web: through the page fetcher, and
// the same loop on a bare QNetworkAccessManager, to show what the fetcher adds.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include "fakeweb/fake_web.h"
#include "platform/charset.h"
#include "platform/http_request.h"
#include "qt_benchmark_app.h"
#include "shared/cxhtml.h"

namespace {

const QString kPage =
    QStringLiteral("<html><meta charset=gb2312><body>找到相关网页约1,230篇</body></html>");
const QString kUrl = QStringLiteral("http://www.bench.cn/s?wd=%D3%C5%BB%AF");

fakeweb::FakeWeb* web = nullptr;

void BM_CXHtmlGet(benchmark::State& state) {
    for (auto _ : state) {
        CXHtml html;
        html.url(kUrl);
        html.Char(QStringLiteral("gb2312"));
        const QString text = html.GetSrc();
        if (text != kPage) state.SkipWithError("wrong page");
    }
}
BENCHMARK(BM_CXHtmlGet)->Iterations(1000)->Repetitions(5)->Unit(benchmark::kMicrosecond);

void BM_BareNetworkGet(benchmark::State& state) {
    QNetworkAccessManager& network = platform::SharedNetwork();  // the same proxy switch
    for (auto _ : state) {
        QNetworkReply* reply = network.get(QNetworkRequest(QUrl(kUrl)));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QString text = platform::BytesToText(reply->readAll(), QStringLiteral("gb2312"));
        reply->deleteLater();
        if (text != kPage) state.SkipWithError("wrong page");
    }
}
BENCHMARK(BM_BareNetworkGet)->Iterations(1000)->Repetitions(5)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QtBenchmarkApp app(argc, argv);
    fakeweb::FakeWeb theWeb;
    web = &theWeb;
    web->Serve(QStringLiteral("www.bench.cn"), QStringLiteral("/s"), kPage, QStringLiteral("gbk"));
    return app.Run();
}
