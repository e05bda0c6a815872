#include "research_tools/index_query.h"

#include <gtest/gtest.h>

#include "fakeweb/fake_web.h"
#include "fixture_pages.h"
#include "shared/url_encoding.h"
#include "support/fake_clock.h"
#include "support/program_folder_fixture.h"
#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "test_pages.h"

namespace {

using research::Audience;
using research_testing::PageBytes;
using research_testing::Rows;
using std::chrono::milliseconds;

const QString kShareHost = QStringLiteral("share.tarnwick.com");
const QString kIndexHost = QStringLiteral("index.baidu.com");

QString LookupPath(const QString& keyword) {
    return QStringLiteral("/index/lookup?kw=") + UrlEncodeUtf8(keyword);
}

class IndexQueryTest : public ::testing::Test {
  protected:
    IndexQueryTest() {
        web.Serve(kShareHost, LookupPath(QStringLiteral("减肥茶")), QStringLiteral("35-120"));
        web.Serve(kShareHost, LookupPath(QStringLiteral("seo")), QStringLiteral("0-0"));
        web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
                  fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))));
        // Google counts more pages than Baidu: each index comes from its own count.
        web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
                  fakeweb::Page::Bytes(PageBytes(QStringLiteral("google_results_larger.htm"))));
        ServeWordPage(milliseconds(0));
        web.Serve(QStringLiteral("history.tarnwick.com"), QStringLiteral("/history"),
                  QStringLiteral("<div>所有数据：7,8,9<br>最新数据：[2026-12-09]9]</div>"),
                  QStringLiteral("gbk"));
    }

    void ServeWordPage(milliseconds delay) {
        web.Serve(kIndexHost, QStringLiteral("/main/word.php"),
                  fakeweb::Page::Bytes(PageBytes(QStringLiteral("index_word.htm"))).After(delay));
    }
    QStringList RequestedUrls() const { return research_testing::RequestedUrls(web.Requests()); }
    QStringList Audiences() {
        QStringList rows;
        for (const Audience audience : {Audience::Age, Audience::Occupation, Audience::Education})
            rows << Rows(page.audiences[audience], 2).join(u',');
        return rows;
    }
    void Query(const QString& text) {
        page.Text3 = text;
        research::IndexQueryClick(page);
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    testing_support::ScriptedPrompts prompts;
    fakeweb::FakeWeb web;
    research_testing::TestIndexQueryPage page;
    research_testing::UserAction user;
};

const QString kTeaRow =
    QStringLiteral("减肥茶|120|35|1230000|4,800,000|0.97|0.25|12,345|9,876|7,654");
const QStringList kTeaHistory = {"2026-12-09|9", "2026-12-08|8", "2026-12-07|7"};
const QStringList kTeaAudiences = {
    "19岁及以下|24|20%,20-29岁|36|30%,30岁及以上|60|50%",
    "学生|40|33%,白领|40|33%,自由职业|40|33%,其他|-|-",
    "高中及以下|16|14%,大专|44|36%,本科及以上|60|50%",
};

TEST_F(IndexQueryTest, EachKeywordGetsItsRowAndTheLastRowItsDetailView) {
    Query(QStringLiteral("  SEO # 减肥茶 "));

    EXPECT_EQ(Rows(page.list, 9),
              QStringList({"seo|-|0|1230000|4,800,000|0|0|12,345|9,876|7,654", kTeaRow}));
    const QString tea = QStringLiteral("%BC%F5%B7%CA%B2%E8");
    EXPECT_EQ(RequestedUrls().mid(0, 8),
              QStringList({
                  "http://share.tarnwick.com" + LookupPath("seo"),
                  "http://www.baidu.com/s?wd=seo",
                  "http://www.google.com.hk/search?hl=zh-CN&q=seo",
                  "http://index.baidu.com/main/word.php?word=seo",
                  "http://share.tarnwick.com" + LookupPath("减肥茶"),
                  "http://www.baidu.com/s?wd=" + tea,
                  "http://www.google.com.hk/search?hl=zh-CN&q=%E5%87%8F%E8%82%A5%E8%8C%B6",
                  "http://index.baidu.com/main/word.php?word=" + tea,
              }));
    EXPECT_EQ(page.selected, 2);
    EXPECT_EQ(Rows(page.window->history, 1), kTeaHistory);
    EXPECT_EQ(Audiences(), kTeaAudiences);
    EXPECT_EQ(page.commandsEnabled, QList<bool>({false, true}));

    // A second query adds its rows below; a row without a monthly volume shows no detail.
    Query(QStringLiteral("seo"));
    EXPECT_EQ(page.list.Count(), 3);
    EXPECT_EQ(page.selected, 3);
    EXPECT_EQ(Rows(page.window->history, 1), kTeaHistory);
    EXPECT_EQ(Audiences(), kTeaAudiences);
}

TEST_F(IndexQueryTest, OddKeywordsAreQueriedWholeAndEmptyOnesNotAtAll) {
    const QString longWord = QString(300, QChar(u'词'));
    web.Serve(QStringLiteral("history.tarnwick.com"), QStringLiteral("/history"),
              fakeweb::Page::Text(QString()).Status(404));
    Query(QStringLiteral("#a##b & c# 😀 ## ") + longWord + QStringLiteral("#"));

    QStringList texts;
    for (int i = 1; i <= page.list.Count(); ++i) texts << page.list.Text(i);
    EXPECT_EQ(texts, QStringList({"a", "b & c", "😀", longWord}));
    EXPECT_EQ(research_testing::RequestedUrls(web.Requests(QStringLiteral("www.baidu.com"))),
              QStringList({"http://www.baidu.com/s?wd=a", "http://www.baidu.com/s?wd=b%20%26%20c",
                           "http://www.baidu.com/s?wd=%F0%9F%98%80",
                           "http://www.baidu.com/s?wd=" + UrlEncodeGbk(longWord)}));
    // Nothing the share service knew, nothing the index had: no value from another keyword.
    for (int i = 1; i <= page.list.Count(); ++i)
        EXPECT_EQ(page.list.Cell(i, 1), QStringLiteral("-"));

    // A box that yields no keyword adds no row, fetches nothing and says so.
    web.ClearRequests();
    page.selected = 0;
    for (const char* box : {"", "   ", " # ## "}) Query(QString::fromUtf8(box));
    EXPECT_EQ(prompts.Texts(), QStringList(3, QStringLiteral("请输入要查询的关键词！")));
    EXPECT_EQ(page.list.Count(), 4);
    EXPECT_EQ(page.selected, 0);
    EXPECT_TRUE(web.Requests().empty());
}

TEST_F(IndexQueryTest, PagesThatDoNotComeOrLackTheirMarkersShowDashes) {
    web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("baidu_compare.htm"))).CutAfter(2000));
    web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
              fakeweb::Page::Text(QStringLiteral("<html>nothing</html>")));
    web.Serve(kIndexHost, QStringLiteral("/main/word.php"),
              fakeweb::Page::Text(QStringLiteral("<td>周</td><td><span>5</span>"), "gbk"));
    Query(QStringLiteral("减肥茶"));
    EXPECT_EQ(Rows(page.list, 9), QStringList({"减肥茶|120|35|-|-|0|0|5|-|-"}));

    web.Serve(kIndexHost, QStringLiteral("/main/word.php"),
              fakeweb::Page::Bytes(PageBytes(QStringLiteral("index_word_unknown.htm"))));
    Query(QStringLiteral("减肥茶"));
    EXPECT_EQ(page.list.Cell(2, 7) + page.list.Cell(2, 8) + page.list.Cell(2, 9),
              QStringLiteral("000"));
}

// Whatever way every request fails, the row shows that nothing was obtained; yesterday's
// volume is no 0 either.
TEST_F(IndexQueryTest, ARowWhoseRequestsAllFailShowsNothingObtained) {
    const fakeweb::Page failures[] = {
        fakeweb::Page::Text(QString()).Status(404),
        fakeweb::Page::Text(QStringLiteral("<h1>500</h1>")).Status(500),
        fakeweb::Page::Text(QString()),
        fakeweb::Page::Text(QStringLiteral("the whole page")).CutAfter(3),
    };
    for (const fakeweb::Page& failure : failures) {
        for (const auto& [host, path] : std::initializer_list<std::pair<QString, QString>>{
                 {kShareHost, QStringLiteral("/index/lookup")},
                 {kIndexHost, QStringLiteral("/tools/get_data.php")},
                 {kIndexHost, QStringLiteral("/main/word.php")},
                 {kIndexHost, QStringLiteral("/main/get_province_data.php")},
                 {QStringLiteral("history.tarnwick.com"), QStringLiteral("/history")},
                 {QStringLiteral("www.baidu.com"), QStringLiteral("/s")},
                 {QStringLiteral("www.google.com.hk"), QStringLiteral("/search")}})
            web.Serve(host, path, failure);
        Query(QStringLiteral("生词"));
        EXPECT_EQ(Rows(page.list, 9).last(), QStringLiteral("生词|-|-|-|-|0|0|-|-|-"));
    }
}

// A page that came as an error answer is no page, though its body holds figures: the cells it
// would fill, and the index worked out of its count, show what they show without a page.
TEST_F(IndexQueryTest, APageThatCameAsAnErrorAnswerGivesNoFigureThoughItsBodyHoldsThem) {
    const struct {
        const char* name;
        QString host;
        const char* path;
        const char* file;
        const char* row;
    } cases[] = {
        {"Baidu's results", QStringLiteral("www.baidu.com"), "/s", "baidu_compare.htm",
         "减肥茶|120|35|-|4,800,000|0|0.25|12,345|9,876|7,654"},
        {"Google's results", QStringLiteral("www.google.com.hk"), "/search",
         "google_results_larger.htm", "减肥茶|120|35|1230000|-|0.97|0|12,345|9,876|7,654"},
        {"the index word page", kIndexHost, "/main/word.php", "index_word.htm",
         "减肥茶|120|35|1230000|4,800,000|0.97|0.25|-|-|-"},
    };
    for (const auto& c : cases) {
        web.Serve(c.host, QString::fromUtf8(c.path),
                  fakeweb::Page::Bytes(PageBytes(QString::fromUtf8(c.file))).Status(500));
        page.list.Clear();
        Query(QStringLiteral("减肥茶"));
        EXPECT_EQ(Rows(page.list, 9), QStringList{QString::fromUtf8(c.row)}) << c.name;
        web.Serve(c.host, QString::fromUtf8(c.path),
                  fakeweb::Page::Bytes(PageBytes(QString::fromUtf8(c.file))));
    }
}

// A row whose monthly volume is no figure above zero has no detail view: a double-click on it
// leaves the detail lists as the last view filled them and asks for nothing.
TEST_F(IndexQueryTest, ARowWithoutAMonthlyVolumeAboveZeroKeepsTheDetailViewAndAsksNothing) {
    Query(QStringLiteral("减肥茶"));
    ASSERT_EQ(Rows(page.window->history, 1), kTeaHistory);
    for (const char* month : {"0", "-", "", "12a"}) {
        page.list.Add(QStringLiteral("其他")).SetSubItem(1, QString::fromUtf8(month));
        page.selected = page.list.Count();
        web.ClearRequests();
        research::IndexDetail(page);
        EXPECT_EQ(Rows(page.window->history, 1), kTeaHistory) << month;
        EXPECT_EQ(Audiences(), kTeaAudiences) << month;
        EXPECT_TRUE(web.Requests().empty()) << month;
    }
}

// Google's pages never come for the first keywords: each is given up at the query's time-out,
// its connection with it, so that the host's few connections stay free and the last keyword's
// page still comes.
TEST_F(IndexQueryTest, PagesGivenUpAtTheTimeOutLeaveTheHostsConnectionsFree) {
    constexpr int kGivenUp = 7;  // more than the connections opened to one host
    std::vector<fakeweb::Page> answers(kGivenUp, fakeweb::Page::Never());
    answers.push_back(fakeweb::Page::Bytes(PageBytes(QStringLiteral("google_results_larger.htm"))));
    web.ServeInTurn(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"), answers);
    QStringList keywords;
    for (int i = 0; i <= kGivenUp; ++i) keywords << QStringLiteral("减肥茶");

    Query(keywords.join(u'#'));

    ASSERT_EQ(page.list.Count(), kGivenUp + 1);
    EXPECT_EQ(page.list.Cell(1, 4), QStringLiteral("-"));
    EXPECT_EQ(page.list.Cell(kGivenUp + 1, 4), QStringLiteral("4,800,000"));
}

TEST_F(IndexQueryTest, AQueryRefusesASecondAndADetailViewRefusesASecond) {
    page.Text3 = QStringLiteral("减肥茶");
    // The word page comes late; meanwhile the user clicks once more.
    ServeWordPage(milliseconds(100));
    user.When([this] { return page.list.Count() == 1; },
              [this] { research::IndexQueryClick(page); });
    research::IndexQueryClick(page);
    EXPECT_EQ(Rows(page.list, 9), QStringList{kTeaRow});

    // A detail view of the first row waits for its pages; a double-click on the second row
    // meanwhile changes nothing.
    page.list.Add(QStringLiteral("other")).SetSubItem(1, QStringLiteral("50"));
    page.selected = 1;
    web.ClearRequests();
    user.When([this] { return page.window->history.Count() > 0; },
              [this] {
                  page.selected = 2;
                  research::IndexDetail(page);
              });
    research::IndexDetail(page);
    EXPECT_EQ(Rows(page.window->history, 1), kTeaHistory);
    EXPECT_EQ(Audiences(), kTeaAudiences);
    for (const fakeweb::Request& request : web.Requests())
        EXPECT_FALSE(request.Url().contains(QStringLiteral("other")))
            << request.Url().toStdString();
    EXPECT_FALSE(page.state.DetailRunning);
}

TEST_F(IndexQueryTest, TheDeleteRemovesTickedRowsOrSaysNoneIsTicked) {
    for (const char* text : {"1", "2", "3", "4", "5"}) page.list.Add(QString::fromUtf8(text));
    research::DeleteTickedKeywords(page);
    EXPECT_EQ(prompts.Texts(), QStringList{"请选择要删除的关键词！"});
    EXPECT_EQ(page.list.Count(), 5);

    page.list.SetChecked(2, true);
    page.list.SetChecked(4, true);
    research::DeleteTickedKeywords(page);
    EXPECT_EQ(Rows(page.list, 0), QStringList({"1", "3", "5"}));
}

}  // namespace
