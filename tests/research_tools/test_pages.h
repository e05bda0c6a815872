#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>

#include "fakeweb/fake_web.h"
#include "metrics/test_host.h"
#include "platform/row_table.h"
#include "research_tools/comparison_run.h"
#include "research_tools/hot_categories.h"
#include "research_tools/hot_list_run.h"
#include "research_tools/index_query.h"

// Stand-ins for the keyword tools window's pages as their runs see them.
namespace research_testing {

// The keyword tools window as the metric lookups see it: it counts its empty history pages and
// lays a history into its history list, a dated row a day.
using TestToolsWindow = metrics_testing::TestWindow;

class TestHotListPage final : public research::HotListPage {
  public:
    TestHotListPage() { list.SetColumns(research::HotListColumns()); }

    metrics::WindowContext& Window() override { return *window; }
    research::HotListState& State() override { return state; }
    platform::RowTable& List() override { return list; }
    void SetListCaption(const QString& text) override { caption = text; }
    int SelectedNodeIndex() const override { return selectedNode; }
    bool ShowsMetrics() const override { return Check5; }
    QString ButtonCaption() const override { return button; }
    void SetButtonCaption(const QString& text) override { button = text; }
    void SetButtonEnabled(bool on) override { enabled = on; }
    void FocusTree() override { ++treeFocused; }

    // Selects the tree node with `text` as the user does: the categories are nodes 1 to 8,
    // the subcategories follow them in table order.
    void ClickNode(const QString& text, bool category = false) {
        const int categories = research::HotCategoryNames().size();
        selectedNode = category ? research::HotCategoryNames().indexOf(text) + 1
                                : categories + research::FindHotSubcategory(text) + 1;
        research::HotCategoryClick(*this, text);
    }

    std::unique_ptr<TestToolsWindow> window = TestToolsWindow::Tools();
    research::HotListState state;
    platform::RowTable list;
    QString caption = research::kHotListFrameCaption;
    int selectedNode = 0;
    bool Check5 = false;
    QString button = research::kHotStartCaption;
    bool enabled = true;
    int treeFocused = 0;
};

class TestIndexQueryPage final : public research::IndexQueryPage {
  public:
    TestIndexQueryPage() {
        list.SetColumns(research::IndexQueryColumns());
        list.SetCheckable(true);
    }

    metrics::WindowContext& Window() override { return *window; }
    research::IndexQueryState& State() override { return state; }
    platform::RowTable& List() override { return list; }
    QString KeywordText() const override { return Text3; }
    void SetQueryCommandsEnabled(bool on) override { commandsEnabled << on; }
    int SelectedRow() const override { return selected; }
    void SelectRow(int index) override { selected = index; }
    platform::RowTable& HistoryList() override { return window->history; }
    platform::RowTable& AudienceList(research::Audience audience) override {
        return audiences[audience];
    }

    std::unique_ptr<TestToolsWindow> window = TestToolsWindow::Tools();
    research::IndexQueryState state;
    platform::RowTable list;
    std::map<research::Audience, platform::RowTable> audiences;
    QString Text3;
    int selected = 0;
    // Every change of the query and delete buttons, in order.
    QList<bool> commandsEnabled;
};

class TestComparisonPage final : public research::ComparisonPage {
  public:
    TestComparisonPage() { list.SetColumns(research::ComparisonColumns()); }

    metrics::WindowContext& Window() override { return *window; }
    research::ComparisonState& State() override { return state; }
    platform::RowTable& List() override { return list; }
    QString KeywordText() const override { return Text8; }
    QString ButtonCaption() const override { return button; }
    void SetButtonCaption(const QString& text) override { button = text; }
    void SetButtonEnabled(bool on) override { enabled = on; }
    void SetListCommandsEnabled(bool on) override { listCommandsEnabled = on; }
    void SetProgressPanels(const QString& count, const QString& item) override {
        panels << count + u'|' + item;
    }

    std::unique_ptr<TestToolsWindow> window = TestToolsWindow::Tools();
    research::ComparisonState state;
    platform::RowTable list;
    QString Text8;
    QString button = research::kComparisonStartCaption;
    bool enabled = true;
    bool listCommandsEnabled = true;
    QStringList panels;
};

// What the user does from the event loop while a run waits: `action` once `when` holds.
class UserAction {
  public:
    void When(std::function<bool()> when, std::function<void()> action) {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this, when, action] {
            if (!when()) return;
            timer_.stop();
            action();
        });
        timer_.start();
    }

  private:
    QTimer timer_;
};

// The addresses of `requests`, in order.
inline QStringList RequestedUrls(const std::vector<fakeweb::Request>& requests) {
    QStringList urls;
    for (const fakeweb::Request& request : requests) urls << request.Url();
    return urls;
}

// Rows as "text|cell 1|...|cell `last`", a bold row marked with "*".
inline QStringList Rows(const platform::RowTable& list, int last) {
    QStringList rows;
    for (int i = 1; i <= list.Count(); ++i) {
        QStringList cells{(list.Bold(i) ? QStringLiteral("*") : QString()) + list.Text(i)};
        for (int j = 1; j <= last; ++j) cells << list.Cell(i, j);
        rows << cells.join(u'|');
    }
    return rows;
}

}  // namespace research_testing
