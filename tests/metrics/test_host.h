#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "metrics/window_context.h"
#include "platform/browser_control.h"
#include "platform/row_table.h"

// Small stand-ins for the work windows that the metric routines serve.
namespace metrics_testing {

// A browser control that records where it was sent and holds the document the test gave.
class TestBrowser final : public platform::BrowserControl {
  public:
    void Navigate(const QString& url) override { navigated << url; }
    bool Busy() const override { return false; }
    QString DocumentHtml() const override { return document; }
    QString FirstInputValue() const override { return QString(); }
    QString LocationUrl() const override { return navigated.value(navigated.size() - 1); }

    QStringList navigated;
    QString document;
};

// How a test window treats the index history it is handed.
enum class HistoryLayout { None, Across, Down };

// The settings, switches and state every window hands to the metric routines.
template <typename Context>
class TestHost : public Context {
  public:
    metrics::WindowMetricsState& MetricsState() override { return state; }
    bool DbMissing() override { return dbMissing; }
    QString IntervalText() const override { return interval; }
    QString ReactionText() const override { return reaction; }
    void ShowBlockingSettings() override {
        ++blockingDialogs;
        if (whileBlockingSettingsShow) whileBlockingSettingsShow();
    }
    platform::BrowserControl* Browser() override { return browser.get(); }
    QString ReportParent(metrics::ReportSource source, const QString& keyword) const override {
        return reportsSeed ? metrics::MiningReportParent(seed, pageTab, tipTab, source, keyword)
                           : keyword;
    }
    void ShowHistory(const QStringList& values) override {
        if (historyLayout == HistoryLayout::Across) metrics::LayHistoryAcross(history, values);
        if (historyLayout == HistoryLayout::Down) metrics::LayHistoryDown(history, values);
    }

    metrics::WindowMetricsState state = metrics::WindowMetricsState::Counting();
    bool dbMissing = false;
    QString interval = QStringLiteral("0");
    QString reaction = QStringLiteral("1");
    int blockingDialogs = 0;
    // What the user does while the blocking settings are open (the job waits meanwhile).
    std::function<void()> whileBlockingSettingsShow;
    std::unique_ptr<TestBrowser> browser;
    // The mining window sends its seed as the parent of some reports; the others the keyword.
    bool reportsSeed = false;
    QString seed;
    int pageTab = 0;
    int tipTab = 0;
    HistoryLayout historyLayout = HistoryLayout::None;
    platform::RowTable history;
};

// The database window (no failure count, no history list) or the tools window.
class TestWindow final : public TestHost<metrics::WindowContext> {
  public:
    static std::unique_ptr<TestWindow> Database() {
        auto window = std::make_unique<TestWindow>();
        window->state = metrics::WindowMetricsState::NotCounting();
        return window;
    }
    static std::unique_ptr<TestWindow> Tools() {
        auto window = std::make_unique<TestWindow>();
        window->historyLayout = HistoryLayout::Down;
        return window;
    }
};

// The result rows of the mining window's regular and batch panes, and of its manual pane.
inline const metrics::KeywordColumns kResultColumns{
    {metrics::KeywordCell::Keyword, {QStringLiteral("相关关键词"), 1200}},
    {metrics::KeywordCell::MonthVolume, {QStringLiteral("搜索量-月均"), 1200}},
    {metrics::KeywordCell::DayVolume, {QStringLiteral("搜索量-昨日"), 1200}},
    {metrics::KeywordCell::BaiduCount, {QStringLiteral("百度收录数"), 1200}},
    {metrics::KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1200}},
};
inline const metrics::KeywordColumns kManualColumns{
    {metrics::KeywordCell::Keyword, {QStringLiteral("关键词"), 1200}},
    {metrics::KeywordCell::MonthVolume, {QStringLiteral("搜索量-月均"), 1200}},
    {metrics::KeywordCell::DayVolume, {QStringLiteral("搜索量-昨日"), 1200}},
    {metrics::KeywordCell::BaiduCount, {QStringLiteral("百度收录数"), 1200}},
    {metrics::KeywordCell::GoogleCount, {QStringLiteral("谷歌收录数"), 1200}},
    {metrics::KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1200}},
    {metrics::KeywordCell::GoogleIndex, {QStringLiteral("谷歌优化指数"), 1200}},
};

// The mining window: the panes' result lists and option boxes, and the batch keyword.
class TestMiningWindow final : public TestHost<metrics::MiningContext> {
  public:
    TestMiningWindow() {
        reportsSeed = true;
        historyLayout = HistoryLayout::Across;
        for (platform::RowTable* list : {&ListView1, &ListView17, &ListView3})
            list->SetColumns(kResultColumns.Headers());
        for (platform::RowTable* list : {&ListView2, &ListView5})
            list->SetColumns(kManualColumns.Headers());
    }

    platform::RowTable* ResultList(metrics::Pane pane) override {
        switch (pane) {
            case metrics::Pane::Regular:
                return &ListView1;
            case metrics::Pane::Batch:
                return &ListView3;
            case metrics::Pane::Manual:
                return &ListView2;
        }
        return nullptr;
    }
    platform::RowTable* SecondList(metrics::Pane pane) override {
        switch (pane) {
            case metrics::Pane::Regular:
                return &ListView17;
            case metrics::Pane::Batch:
                return nullptr;
            case metrics::Pane::Manual:
                return &ListView5;
        }
        return nullptr;
    }
    const metrics::KeywordColumns& ResultColumns(metrics::Pane pane) const override {
        return pane == metrics::Pane::Manual ? kManualColumns : kResultColumns;
    }
    int SelectedRow(metrics::Pane) const override { return selectedRow; }
    bool Ticked(metrics::Pane pane, metrics::PaneOption option) const override {
        return ticked[int(pane)][int(option)];
    }
    QString SeedText() const override { return seed; }
    QString CurrentBatchKeyword() const override { return batchKeyword; }

    void SetTicked(metrics::Pane pane, metrics::PaneOption option, bool on) {
        ticked[int(pane)][int(option)] = on;
    }
    // Appends a row to the pane's lists as the mining run does before it asks for metrics;
    // its position in the shown list.
    int AddRow(metrics::Pane pane, const QString& keyword) {
        if (platform::RowTable* second = SecondList(pane)) second->Add(keyword);
        return ResultList(pane)->Add(keyword).Index();
    }

    platform::RowTable ListView1, ListView17, ListView3, ListView2, ListView5;
    int selectedRow = 0;
    QString batchKeyword;
    bool ticked[3][3] = {{true, true, true}, {true, true, true}, {true, true, true}};  // all boxes
};

// The cells 1 to `last` of row `index`, joined by "|".
inline QString Cells(const platform::RowTable& list, int index, int last = 4) {
    QStringList cells;
    for (int j = 1; j <= last; ++j) cells << list.Cell(index, j);
    return cells.join(u'|');
}

}  // namespace metrics_testing
