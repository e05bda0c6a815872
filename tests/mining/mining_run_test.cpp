#include "mining/mining_run.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>

#include "fixture_pages.h"
#include "metrics/fresh_database.h"
#include "shared/busy_indicator.h"
#include "support/fake_browser.h"
#include "support/other_program.h"
#include "support/recording_sound.h"
#include "support/test_environment.h"
#include "test_binding.h"

namespace {

using mining_testing::kPages;
using mining_testing::Rows;
using std::chrono::milliseconds;

const QString kBaiduHost = QStringLiteral("www.baidu.com");
const QString kSuggestHost = QStringLiteral("suggestion.baidu.com");
const QString kYoudaoHost = QStringLiteral("www.youdao.com");
const QString kAlibabaSuggestHost = QStringLiteral("suggest.china.alibaba.com");

// "减肥" in the forms the sources send.
const QString kGbkSeed = QStringLiteral("%BC%F5%B7%CA");
const QString kUtf8Seed = QStringLiteral("%E5%87%8F%E8%82%A5");
// The form the helper page gives in the tests, told apart from the GBK form that stands in
// when it gives none.
const QString kHelperSeed = QStringLiteral("%E5%87%8F%E8%82%A5");

QStringList List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list << QString::fromUtf8(text);
    return list;
}

// The rows a run on "减肥" lists from the fixture pages, source after source.
const QStringList kMinedRows = List({
    "*减肥",
    // Baidu's results page: its first ten related searches.
    "减肥茶",
    "减肥药",
    "减肥方法",
    "减肥食谱",
    "减肥运动",
    "减肥瑜伽",
    "减肥tea",
    "快速减肥",
    "减肥 产品",
    "减肥小窍门",
    // The suggestion services.
    "减肥 食谱",
    "减肥药's",
    "减肥茶有用吗",
    "减肥药排行榜",
    "减肥汤",
    // Youdao, Sogou, Google.
    "瘦身减肥",
    "减肥操",
    "seo减肥",
    "减肥 方法",
    // Alibaba's offer search and suggestions.
    "减肥茶批发",
    "减肥产品",
    "瘦身tea",
    "减肥药 代理",
    "减肥pill",
    "瘦身",
});

QStringList SourceUrls(const QString& gbk, const QString& utf8, const QString& helper) {
    return {
        QStringLiteral("http://www.baidu.com/s?wd=") + gbk,
        QStringLiteral("http://suggestion.baidu.com/su?wd=") + helper + QStringLiteral("&p=3"),
        QStringLiteral("http://nssug.baidu.com/su?wd=") + helper,
        QStringLiteral("http://www.youdao.com/search?q=") + utf8,
        QStringLiteral("http://www.sogou.com/web?query=") + gbk,
        QStringLiteral("http://www.google.com.hk/search?hl=zh-CN&source=hp&q=") + utf8,
        QStringLiteral("http://search.china.alibaba.com/selloffer/k-") + gbk +
            QStringLiteral("_n-y.html"),
        QStringLiteral("http://suggest.china.alibaba.com/bin/suggest?type=saleoffer&q=") + gbk,
    };
}

// The end of a run of which `sources` gave no page.
QString NoPageMessage(int sources) {
    return QStringLiteral(
               "8个挖掘来源中有%1个未能取得页面（网络不通或服务器无应答），挖掘结果可能不全。")
        .arg(sources);
}

// Where each source's fixture page is served, in the sources' order.
struct SourcePage {
    QString host;
    QString path;
    QString file;
};
const SourcePage kSourcePages[] = {
    {kBaiduHost, QStringLiteral("/s"), QStringLiteral("baidu_results.htm")},
    {kSuggestHost, QStringLiteral("/su"), QStringLiteral("baidu_suggest.js")},
    {QStringLiteral("nssug.baidu.com"), QStringLiteral("/su"), QStringLiteral("baidu_suggest2.js")},
    {kYoudaoHost, QStringLiteral("/search"), QStringLiteral("youdao_search.htm")},
    {QStringLiteral("www.sogou.com"), QStringLiteral("/web"), QStringLiteral("sogou_search.htm")},
    {QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
     QStringLiteral("google_search.htm")},
    {QStringLiteral("search.china.alibaba.com"),
     QStringLiteral("/selloffer/k-") + kGbkSeed + QStringLiteral("_n-y.html"),
     QStringLiteral("alibaba_search.htm")},
    {kAlibabaSuggestHost, QStringLiteral("/bin/suggest"), QStringLiteral("alibaba_suggest.js")},
};

// The run's window starts without db.db: a run asks only the sources.
class MiningRunTest : public testing_support::TestEnvironment {
  public:
    MiningRunTest() : TestEnvironment(testing_support::Database::Missing) {
        BusyIndicator::Set(BusyIndicator::kReady);
        for (const SourcePage& page : kSourcePages) Serve(page.host, page.path, page.file);
        folder.AddHelperPage();
        browsers.documents[HelperUrl(QStringLiteral("减肥"))] =
            QStringLiteral("<html><body><form><input id=kw value=' ") + kHelperSeed +
            QStringLiteral(" '></form></body></html>");
        binding.window.seed = QStringLiteral(" 减肥 ");
    }

    void Serve(const QString& host, const QString& path, const QString& file) {
        web.Serve(host, path, kPages.Served(file));
    }
    QString HelperUrl(const QString& seed) const {
        return QStringLiteral("file://") + folder.Path() + QStringLiteral("/loginweb/111.htm?") +
               seed;
    }

    void Click() { mining::RegularMiningClick(binding); }
    // What the user does from the event loop, while the run waits, once `when` holds.
    void When(std::function<bool()> when, std::function<void()> action) {
        userAction_.setInterval(1);
        QObject::connect(&userAction_, &QTimer::timeout, [this, when, action] {
            if (!when()) return;
            userAction_.stop();
            action();
        });
        userAction_.start();
    }
    // A click the user makes while the run waits, once `when` holds; `before` is what the
    // user does just before it. The button's state right after that click is recorded.
    void ClickWhen(std::function<bool()> when, std::function<void()> before = {}) {
        When(when, [this, before] {
            if (before) before();
            Click();
            afterUserClick =
                binding.caption + (binding.enabled ? QString() : QStringLiteral("(disabled)"));
        });
    }
    // Whether source `number` has delivered all its items.
    std::function<bool()> SourceDone(int number) {
        return [this, number] { return binding.state.SourceDone[number - 1]; };
    }
    void ExpectIdle() {
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
        EXPECT_EQ(binding.caption, mining::kStartCaption);
        EXPECT_TRUE(binding.enabled);
        EXPECT_TRUE(binding.frameEnabled);
        EXPECT_TRUE(binding.state.LastMinedKeyword.isEmpty());
        EXPECT_EQ(binding.state.SourceDone, (std::array<bool, 8>{}));
        EXPECT_EQ(binding.progress.value(binding.progress.size() - 1), QString());
    }
    void ExpectPaused() {
        EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kPaused);
        EXPECT_EQ(binding.caption, mining::kStartCaption);
        EXPECT_TRUE(binding.enabled);
        EXPECT_TRUE(binding.frameEnabled);
    }

    testing_support::RecordingSound sound;
    testing_support::FakeBrowsers browsers;
    mining_testing::TestBinding binding;
    QString afterUserClick;

  private:
    QTimer userAction_;
};

TEST_F(MiningRunTest, ARunAsksTheEightSourcesInOrderAndListsWhatItAccepts) {
    Click();

    EXPECT_EQ(web.RequestedUrls(), SourceUrls(kGbkSeed, kUtf8Seed, kHelperSeed));
    EXPECT_EQ(browsers.navigated, QStringList(2, HelperUrl(QStringLiteral("减肥"))));
    EXPECT_EQ(Rows(binding.window.ListView1), kMinedRows);
    EXPECT_EQ(Rows(binding.window.ListView17), kMinedRows);
    // The seed is shown before its row exists; each keyword once its row is there.
    EXPECT_EQ(binding.progress.mid(0, 3), List({"0|减肥", "2|减肥茶", "3|减肥药"}));
    EXPECT_EQ(binding.progress.size(), kMinedRows.size() + 1);
    ExpectIdle();
    EXPECT_TRUE(prompts.prompts().empty());

    // The same seed again after the end: afresh, every source asked again.
    web.ClearRequests();
    Click();
    EXPECT_EQ(web.RequestedUrls(), SourceUrls(kGbkSeed, kUtf8Seed, kHelperSeed));
    EXPECT_EQ(Rows(binding.window.ListView1), kMinedRows);
    EXPECT_EQ(Rows(binding.window.ListView17), kMinedRows);
}

TEST_F(MiningRunTest, APageThatCameWithAnErrorStatusYieldsNoKeyword) {
    // Each source's own page, but with an error status: none of it is a keyword.
    const struct {
        QString host;
        QString path;
        const char* file;
        int status;
    } sources[] = {
        {kBaiduHost, QStringLiteral("/s"), "baidu_results.htm", 503},
        {kSuggestHost, QStringLiteral("/su"), "baidu_suggest.js", 500},
        {QStringLiteral("nssug.baidu.com"), QStringLiteral("/su"), "baidu_suggest2.js", 404},
        {kYoudaoHost, QStringLiteral("/search"), "youdao_search.htm", 500},
        {QStringLiteral("www.sogou.com"), QStringLiteral("/web"), "sogou_search.htm", 403},
        {QStringLiteral("www.google.com.hk"), QStringLiteral("/search"), "google_search.htm", 429},
        {QStringLiteral("search.china.alibaba.com"),
         QStringLiteral("/selloffer/k-") + kGbkSeed + QStringLiteral("_n-y.html"),
         "alibaba_search.htm", 500},
        {kAlibabaSuggestHost, QStringLiteral("/bin/suggest"), "alibaba_suggest.js", 502},
    };
    for (const auto& source : sources)
        web.Serve(source.host, source.path,
                  kPages.Served(QString::fromUtf8(source.file)).Status(source.status));
    Click();

    EXPECT_EQ(web.RequestedUrls().mid(0, 8), SourceUrls(kGbkSeed, kUtf8Seed, kHelperSeed));
    EXPECT_EQ(Rows(binding.window.ListView1), QStringList{QStringLiteral("*减肥")});
    ExpectIdle();
    // Error answers are pages not obtained, and the end of the run says so.
    EXPECT_EQ(
        prompts.Texts(),
        QStringList{
            QStringLiteral(
                "8个挖掘来源中有%1个未能取得页面（网络不通或服务器无应答），挖掘结果可能不全。")
                .arg(8)});
}

TEST_F(MiningRunTest, APauseClickStopsAtTheNextItemAndTheSameSeedResumesAtTheUnfinishedSource) {
    // Youdao's page is held back; the user clicks while the run waits for it.
    web.Serve(kYoudaoHost, QStringLiteral("/search"),
              kPages.Served(QStringLiteral("youdao_search.htm")).After(milliseconds(200)));
    ClickWhen(SourceDone(3));
    Click();

    EXPECT_EQ(afterUserClick, mining::kStoppingCaption + QStringLiteral("(disabled)"));
    ExpectPaused();
    EXPECT_EQ(binding.state.LastMinedKeyword, QStringLiteral("减肥"));
    EXPECT_EQ(binding.state.SourceDone, (std::array<bool, 8>{true, true, true}));
    EXPECT_EQ(web.RequestedUrls(), SourceUrls(kGbkSeed, kUtf8Seed, kHelperSeed).mid(0, 4));
    const QStringList beforeYoudao = kMinedRows.mid(0, 16);
    EXPECT_EQ(Rows(binding.window.ListView1), beforeYoudao);

    // While paused, the filter takes a row out of the shown list that a later source offers
    // again; the master copy keeps it, and the resumed run lists it nowhere a second time.
    binding.window.ListView1.Remove(2);
    web.ClearRequests();
    browsers.navigated.clear();
    Click();

    EXPECT_EQ(web.RequestedUrls(), SourceUrls(kGbkSeed, kUtf8Seed, kHelperSeed).mid(3));
    EXPECT_TRUE(browsers.navigated.isEmpty());
    QStringList shown = kMinedRows;
    shown.removeAt(1);
    EXPECT_EQ(Rows(binding.window.ListView1), shown);
    EXPECT_EQ(Rows(binding.window.ListView17), kMinedRows);
    ExpectIdle();
}

// A source whose page does not come reads as a source without related keywords unless the
// end says so: once, with how many of the eight gave no page, counted across a pause.
TEST_F(MiningRunTest, SourcesThatGaveNoPageAreToldOnceAtTheEndOfTheRun) {
    // Every source silent: the seed row alone, and the message, not a plain "就绪".
    for (const SourcePage& page : kSourcePages)
        web.Serve(page.host, page.path, fakeweb::Page::Text(QString()).Status(404));
    Click();
    EXPECT_EQ(Rows(binding.window.ListView1), QStringList{QStringLiteral("*减肥")});
    EXPECT_EQ(prompts.Texts(), QStringList{NoPageMessage(8)});
    ExpectIdle();

    // Two sources silent, one before and one after a pause: told once, at the real end.
    for (const SourcePage& page : kSourcePages) Serve(page.host, page.path, page.file);
    for (const int silent : {2, 7}) {
        const SourcePage& page = kSourcePages[silent - 1];
        web.Serve(page.host, page.path, fakeweb::Page::Text(QString()).Status(404));
    }
    web.Serve(kYoudaoHost, QStringLiteral("/search"),
              kPages.Served(QStringLiteral("youdao_search.htm")).After(milliseconds(200)));
    ClickWhen(SourceDone(3));
    Click();
    ExpectPaused();
    EXPECT_EQ(prompts.prompts().size(), 1u);
    Click();
    EXPECT_EQ(prompts.Texts().mid(1), QStringList{NoPageMessage(2)});
    ExpectIdle();
}

// Without the helper page the suggestion services take the seed's GBK form at once: no second
// spent in the browser for each of them.
TEST_F(MiningRunTest, WithoutTheHelperPageTheSuggestionServicesAreAskedAtOnce) {
    ASSERT_TRUE(QFile::remove(folder.FilePath(QStringLiteral("loginweb/111.htm"))));
    Click();
    EXPECT_TRUE(browsers.navigated.isEmpty());
    EXPECT_EQ(clock.Waited(), milliseconds(0));
    EXPECT_EQ(web.RequestedUrls(), SourceUrls(kGbkSeed, kUtf8Seed, kGbkSeed));
    EXPECT_EQ(Rows(binding.window.ListView1), kMinedRows);
}

TEST_F(MiningRunTest, AnotherSeedAfterAPauseStartsAfresh) {
    ClickWhen(SourceDone(1));
    Click();
    ExpectPaused();

    binding.window.seed = QStringLiteral("SEO");
    binding.Check6 = true;  // only keywords that contain the seed
    web.Serve(QStringLiteral("search.china.alibaba.com"),
              QStringLiteral("/selloffer/k-seo_n-y.html"),
              kPages.Served(QStringLiteral("alibaba_search.htm")));
    web.ClearRequests();
    Click();

    // "seo" is not asked of the first suggestion service; the second is asked all the same.
    const QStringList urls =
        SourceUrls(QStringLiteral("seo"), QStringLiteral("seo"), QStringLiteral("seo"));
    EXPECT_EQ(web.RequestedUrls(), QStringList(urls).mid(0, 1) + urls.mid(2));
    EXPECT_EQ(Rows(binding.window.ListView1), List({"*seo", "seo减肥"}));
    EXPECT_EQ(Rows(binding.window.ListView17), List({"*seo", "seo减肥"}));
    ExpectIdle();
}

TEST_F(MiningRunTest, NeitherSeoNorSemIsAskedOfTheFirstSuggestionService) {
    for (const char* typed : {"seo", "SEM"}) {
        SCOPED_TRACE(typed);
        binding.window.seed = QString::fromUtf8(typed);
        web.ClearRequests();
        Click();
        const QString seed = QString::fromUtf8(typed).toLower();
        const QStringList urls = SourceUrls(seed, seed, seed);
        EXPECT_EQ(web.RequestedUrls(), QStringList(urls).mid(0, 1) + urls.mid(2));
    }
    // The loopback web has no page of one source for these seeds; the skip is no failure.
    EXPECT_EQ(
        prompts.Texts(),
        QStringList(
            2, QStringLiteral(
                   "8个挖掘来源中有%1个未能取得页面（网络不通或服务器无应答），挖掘结果可能不全。")
                   .arg(1)));
}

TEST_F(MiningRunTest, AnOptionChangedDuringTheRunCountsFromTheNextCandidate) {
    // Once Baidu's results page is listed, the user asks for keywords that hold the seed.
    When(SourceDone(1), [this] { binding.Check6 = true; });
    Click();

    QStringList expected = kMinedRows.mid(0, 11);
    for (const QString& row : kMinedRows.mid(11))
        if (row.contains(QStringLiteral("减肥"))) expected << row;
    ASSERT_LT(expected.size(), kMinedRows.size());
    EXPECT_EQ(Rows(binding.window.ListView1), expected);
}

// The user changes the seed box to `typed` while the run waits for its third source, then
// clicks: the run pauses, its seed and rows stay, and nothing is said. The third source's page
// comes only after the click.
void PausesAfterTyping(MiningRunTest& test, const QString& typed) {
    test.web.Serve(QStringLiteral("nssug.baidu.com"), QStringLiteral("/su"),
                   kPages.Served(QStringLiteral("baidu_suggest2.js")).UntilReleased());
    test.When([&test] { return test.web.Requests().size() == 3; },
              [&test, typed] {
                  test.binding.window.seed = typed;
                  test.Click();
                  test.web.Release();
              });
    test.Click();

    test.ExpectPaused();
    EXPECT_TRUE(test.prompts.prompts().empty());
    EXPECT_EQ(test.binding.state.LastMinedKeyword, QStringLiteral("减肥"));
    EXPECT_EQ(Rows(test.binding.window.ListView1), kMinedRows.mid(0, 13));
    EXPECT_EQ(Rows(test.binding.window.ListView17), kMinedRows.mid(0, 13));
    EXPECT_EQ(test.web.Requests().size(), 3u);
}

TEST_F(MiningRunTest, APauseClickWithAnotherSeedPausesTheRunningSeed) {
    PausesAfterTyping(*this, QStringLiteral("瘦身"));

    // The next click takes the new seed, from the first source.
    web.ClearRequests();
    Click();
    EXPECT_EQ(Rows(binding.window.ListView1).value(0), QStringLiteral("*瘦身"));
    EXPECT_EQ(web.Requests().size(), 8u);
    ExpectIdle();
}

TEST_F(MiningRunTest, APauseClickWithAnEmptySeedBoxPauses) {
    PausesAfterTyping(*this, QString());
}

TEST_F(MiningRunTest, AStartWithAnEmptySeedBoxIsRefused) {
    binding.window.seed.clear();
    binding.window.ListView1.Add(QStringLiteral("上次的结果"));
    Click();

    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, QStringLiteral("请输入要查询的关键词！"));
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Information);
    EXPECT_TRUE(web.Requests().empty());
    EXPECT_EQ(Rows(binding.window.ListView1), QStringList{QStringLiteral("上次的结果")});
    EXPECT_EQ(BusyIndicator::Text(), BusyIndicator::kReady);
    EXPECT_EQ(binding.caption, mining::kStartCaption);
}

TEST_F(MiningRunTest, APauseAskedWhenNoItemFollowsEndsTheRunAsUsual) {
    // A page that came and holds no suggestion.
    web.Serve(kAlibabaSuggestHost, QStringLiteral("/bin/suggest"),
              fakeweb::Page::Text(QStringLiteral("{}")).After(milliseconds(200)));
    ClickWhen(SourceDone(7));
    Click();

    EXPECT_EQ(afterUserClick, mining::kStoppingCaption + QStringLiteral("(disabled)"));
    ExpectIdle();
    EXPECT_EQ(Rows(binding.window.ListView1), kMinedRows.mid(0, kMinedRows.size() - 2));
}

TEST_F(MiningRunTest, ExclusionWordsKeepKeywordsOutAndAnEmptyWordExcludesNothing) {
    binding.Check2 = true;
    binding.Text14 = QStringLiteral(" 药#TEA# ");
    Click();

    QStringList kept;
    for (const QString& row : kMinedRows)
        if (row == QStringLiteral("*减肥") ||
            !(row.contains(u'药') || row.contains(QStringLiteral("tea"))))
            kept << row;
    EXPECT_EQ(Rows(binding.window.ListView1), kept);
}

// Rows only Baidu's results page offers.
bool BaiduRowsListed(const platform::RowTable& list) {
    return list.ContainsText(QStringLiteral("减肥小窍门"));
}

TEST_F(MiningRunTest, AnEmptyBaiduPageIsLoadedThroughTheBrowser) {
    web.Serve(kBaiduHost, QStringLiteral("/s"), fakeweb::Page::Text(QString()));
    binding.window.browser->document =
        mining_testing::PageText(QStringLiteral("baidu_results.htm"), QStringLiteral("gbk"));
    binding.window.reaction = QStringLiteral("0");  // a reaction would open the settings
    Click();

    const QString address = SourceUrls(kGbkSeed, kUtf8Seed, kHelperSeed)[0];
    EXPECT_EQ(binding.window.browser->navigated, QStringList{address});
    EXPECT_EQ(web.Requests(kBaiduHost).size(), 1u);
    EXPECT_GE(clock.Waited(), std::chrono::seconds(5));
    EXPECT_EQ(Rows(binding.window.ListView1), kMinedRows);
    EXPECT_EQ(binding.window.blockingDialogs, 0);
    ExpectIdle();
}

TEST_F(MiningRunTest, ABlockingBaiduPageBringsTheReactionOnceAndNoSecondRequest) {
    Serve(kBaiduHost, QStringLiteral("/s"), QStringLiteral("baidu_blocked.htm"));
    binding.window.reaction = QStringLiteral("0");
    Click();

    EXPECT_EQ(binding.window.blockingDialogs, 1);
    EXPECT_EQ(web.Requests(kBaiduHost).size(), 1u);
    EXPECT_TRUE(binding.window.browser->navigated.isEmpty());
    EXPECT_FALSE(BaiduRowsListed(binding.window.ListView1));
    EXPECT_EQ(web.Requests().size(), 8u);
    ExpectIdle();
}

TEST_F(MiningRunTest, ABaiduPageStillEmptyAfterTheBrowserIsAFailedFetchWithoutReaction) {
    web.Serve(kBaiduHost, QStringLiteral("/s"), fakeweb::Page::Text(QString()));
    binding.window.reaction = QStringLiteral("0");
    Click();

    EXPECT_EQ(binding.window.browser->navigated.size(), 1);
    EXPECT_EQ(binding.window.blockingDialogs, 0);
    EXPECT_FALSE(BaiduRowsListed(binding.window.ListView1));
    EXPECT_EQ(web.Requests().size(), 8u);
    EXPECT_EQ(prompts.Texts(), QStringList{NoPageMessage(1)});
    ExpectIdle();
}

TEST_F(MiningRunTest, OddSeedsAndKeywordsAreRequestedEncodedListedAndSavedWhole) {
    // A db.db in a program folder of its own: no helper page there.
    metrics_testing::FreshDatabase database;
    binding.window.dbMissing = false;
    binding.window.SetTicked(metrics::Pane::Regular, metrics::PaneOption::Save, true);
    Serve(QStringLiteral("www.sogou.com"), QStringLiteral("/web"),
          QStringLiteral("sogou_odd_keywords.htm"));
    Serve(kYoudaoHost, QStringLiteral("/search"), QStringLiteral("youdao_odd_keywords.htm"));
    // The other sources (Alibaba's offer search too) answer with nothing, and the end says so.
    for (const auto& [host, path] : std::initializer_list<std::pair<QString, QString>>{
             {kBaiduHost, QStringLiteral("/s")},
             {kSuggestHost, QStringLiteral("/su")},
             {QStringLiteral("nssug.baidu.com"), QStringLiteral("/su")},
             {QStringLiteral("www.google.com.hk"), QStringLiteral("/search")},
             {kAlibabaSuggestHost, QStringLiteral("/bin/suggest")}})
        web.Serve(host, path, fakeweb::Page::Text(QString()).Status(404));
    // 300 characters, with every character an address treats apart, one GBK cannot hold
    // (sent as UTF-8) and an emoji.
    const QString odd = QStringLiteral("减'\"<&#+% 😀한ABC");
    const QString seed = odd + QString(300 - odd.size(), u'长');
    binding.window.seed = u' ' + seed + u' ';
    Click();

    const QString longTail = QStringLiteral("%B3%A4").repeated(300 - odd.size());
    const QString gbk =
        QStringLiteral("%BC%F5'%22%3C%26%23%2B%25%20%F0%9F%98%80%ED%95%9Cabc") + longTail;
    const QString utf8 = QStringLiteral("%E5%87%8F'%22%3C%26%23%2B%25%20%F0%9F%98%80%ED%95%9Cabc") +
                         QStringLiteral("%E9%95%BF").repeated(300 - odd.size());
    EXPECT_EQ(web.RequestedUrls(), SourceUrls(gbk, utf8, gbk));

    const QString lowered = seed.toLower();
    // Youdao's keywords, then Sogou's.
    const QStringList rows = QStringList{u'*' + lowered} +
                             List({"减肥😀", "다이어트 减肥", "减'肥", "减\"肥\"", "a<b", "x&y",
                                   "c#d", "e+f", "50%", "减 肥"}) +
                             QStringList{QStringLiteral("长尾") + QString(298, u'词')};
    EXPECT_EQ(Rows(binding.window.ListView1), rows);
    QStringList saved;
    for (const QString& row : rows) saved << (row.startsWith(u'*') ? row.mid(1) : row);
    QStringList stored;
    for (const QString& row : database.Rows()) stored << row.section(u'|', 0, 0);
    EXPECT_EQ(stored, saved);
    // The parent keyword is the seed box without its surrounding blanks.
    EXPECT_EQ(database.Rows().value(1).section(u'|', 1, 1), seed);
    EXPECT_EQ(prompts.Texts(), QStringList{NoPageMessage(6)});
}

TEST_F(MiningRunTest, EveryListedRowGetsItsMetricsInBothLists) {
    binding.window.SetTicked(metrics::Pane::Regular, metrics::PaneOption::Volume, true);
    binding.window.SetTicked(metrics::Pane::Regular, metrics::PaneOption::Count, true);
    web.Serve(QStringLiteral("share.tarnwick.com"), QStringLiteral("/index/lookup"),
              QStringLiteral("35-120"));
    // A results page with a count and no related searches.
    web.Serve(kBaiduHost, QStringLiteral("/s"),
              fakeweb::Page::Text(QStringLiteral("<html>百度一下，找到相关网页约1,230篇</html>"),
                                  QStringLiteral("gbk")));
    Click();

    ASSERT_GT(binding.window.ListView1.Count(), 1);
    for (const platform::RowTable* list : {&binding.window.ListView1, &binding.window.ListView17})
        for (int i = 1; i <= list->Count(); ++i)
            EXPECT_EQ(metrics_testing::Cells(*list, i), QStringLiteral("120|35|1230|975.6"))
                << list->Text(i).toStdString();
}

// Rows the database refuses are never lost without a word: the run's end says how many.
TEST_F(MiningRunTest, RowsTheDatabaseRefusesAreCountedAndToldAtTheEnd) {
    metrics_testing::FreshDatabase database;
    binding.window.dbMissing = false;
    binding.window.SetTicked(metrics::Pane::Regular, metrics::PaneOption::Save, true);
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("create trigger refuse before insert on keywords "
                       "begin select raise(abort, 'disk is full'); end")));
    Click();

    const int listed = binding.window.ListView1.Count();
    ASSERT_GT(listed, 1);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text,
              QStringLiteral("有%1个关键词未能保存到关键词数据库（数据库无法写入），"
                             "它们仍在结果列表中，可稍后用“加入关键词数据库”再次提交。")
                  .arg(listed));
    EXPECT_TRUE(database.Rows().isEmpty());

    // A run whose rows are all saved says nothing more.
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop trigger refuse")));
    binding.window.seed = QStringLiteral("减肥2");
    web.Serve(QStringLiteral("search.china.alibaba.com"),
              QStringLiteral("/selloffer/k-%BC%F5%B7%CA2_n-y.html"),
              kPages.Served(QStringLiteral("alibaba_search.htm")));
    Click();
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

// Another program holds db.db beyond the wait: the first row save that meets the lock ends the
// run's saving, so the window stands still once; the run lists every keyword and its end says
// what was not saved, and why.
TEST_F(MiningRunTest, ALockThatOutlastsTheWaitEndsTheSavingAndTheRunGoesOnListing) {
    metrics_testing::FreshDatabase database;
    binding.window.dbMissing = false;
    binding.window.SetTicked(metrics::Pane::Regular, metrics::PaneOption::Save, true);
    SharedConnection().SetLockWait(milliseconds(200));
    {
        testing_support::OtherProgramSession other(SharedConnection().ConnectionString(),
                                                   {QStringLiteral("begin immediate")});
        ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
        const int waits = SharedConnection().LockWaits();
        Click();
        EXPECT_EQ(SharedConnection().LockWaits() - waits, 1);
    }
    EXPECT_EQ(Rows(binding.window.ListView1), kMinedRows);
    EXPECT_TRUE(database.Rows().isEmpty());
    EXPECT_EQ(prompts.Texts(),
              QStringList{QStringLiteral(
                              "有%1个关键词未能保存到关键词数据库（数据库无法写入），"
                              "它们仍在结果列表中，可稍后用“加入关键词数据库”再次提交。\n"
                              "数据库文件正被其他程序占用，从那时起挖掘到的关键词只列在结果列表中，"
                              "没有保存到关键词数据库。")
                              .arg(kMinedRows.size())});

    // The next run tries its saves again.
    binding.window.seed = QStringLiteral("减肥2");
    web.Serve(QStringLiteral("search.china.alibaba.com"),
              QStringLiteral("/selloffer/k-%BC%F5%B7%CA2_n-y.html"),
              kPages.Served(QStringLiteral("alibaba_search.htm")));
    Click();
    EXPECT_FALSE(database.Rows().isEmpty());
    EXPECT_EQ(prompts.Texts().size(), 1);
}

}  // namespace
