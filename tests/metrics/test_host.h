#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "metrics/window_binding.h"
#include "platform/browser_control.h"
#include "platform/list_view.h"

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

// The settings, switches and state every window hands to the metric routines.
template <typename Binding>
class TestHost : public Binding {
  public:
    metrics::WindowMetricsState& MetricsState() override { return state; }
    bool DbMissing() const override { return dbMissing; }
    QString IntervalText() const override { return interval; }
    QString ReactionText() const override { return reaction; }
    void ShowBlockingSettings() override {
        ++blockingDialogs;
        if (whileBlockingSettingsShow) whileBlockingSettingsShow();
    }
    platform::BrowserControl* Browser() override { return browser.get(); }
    QString SeedText() const override { return seed; }
    int PageTab() const override { return pageTab; }
    int TipTab() const override { return tipTab; }
    platform::ListView* HistoryList() override { return &history; }

    metrics::WindowMetricsState state;
    bool dbMissing = false;
    QString interval = QStringLiteral("0");
    QString reaction = QStringLiteral("1");
    int blockingDialogs = 0;
    // What the user does while the blocking settings are open (the job waits meanwhile).
    std::function<void()> whileBlockingSettingsShow;
    std::unique_ptr<TestBrowser> browser;
    QString seed;
    int pageTab = 0;
    int tipTab = 0;
    platform::ListView history;
};

// The database or tools window, or a mining window as far as the lookups see it.
class TestWindow final : public TestHost<metrics::WindowBinding> {
  public:
    explicit TestWindow(metrics::WindowKind kind) : kind(kind) {}
    metrics::WindowKind Kind() const override { return kind; }
    metrics::WindowKind kind;
};

// The mining window: the panes' result lists and option boxes, and the batch keyword.
class TestMiningWindow final : public TestHost<metrics::MiningBinding> {
  public:
    TestMiningWindow() {
        for (platform::ListView* list :
             {&ListView1, &ListView17, &ListView3, &ListView2, &ListView5})
            for (const char* caption :
                 {"相关关键词", "搜索量-月均", "搜索量-昨日", "百度收录数", "百度优化指数"})
                list->AddColumn(QString::fromUtf8(caption), 1200);
    }

    platform::ListView* ResultList(metrics::Pane pane) override {
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
    platform::ListView* SecondList(metrics::Pane pane) override {
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
    bool Ticked(metrics::Pane pane, metrics::PaneOption option) const override {
        return ticked[int(pane)][int(option)];
    }
    QString CurrentBatchKeyword() const override { return batchKeyword; }

    void SetTicked(metrics::Pane pane, metrics::PaneOption option, bool on) {
        ticked[int(pane)][int(option)] = on;
    }
    // Appends a row to the pane's lists as the mining run does before it asks for metrics.
    platform::ListItem* AddRow(metrics::Pane pane, const QString& keyword) {
        if (platform::ListView* second = SecondList(pane)) second->Add(keyword);
        return ResultList(pane)->Add(keyword);
    }

    platform::ListView ListView1, ListView17, ListView3, ListView2, ListView5;
    QString batchKeyword;
    bool ticked[3][3] = {{true, true, true}, {true, true, true}, {true, true, true}};  // all boxes
};

// The cells 1 to `last` of a row, joined by "|".
inline QString Cells(const platform::ListItem* row, int last = 4) {
    QStringList cells;
    for (int j = 1; j <= last; ++j) cells << row->SubItem(j);
    return cells.join(u'|');
}

}  // namespace metrics_testing
