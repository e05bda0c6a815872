#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "metrics/test_host.h"
#include "mining/mining_binding.h"
#include "platform/browser.h"

namespace mining_testing {

// The regular pane of a mining window as the run sees it: the seed box, the button, the two
// option boxes with the words box, the filter frame and the progress panels, over the metric
// routines' test window (result lists ListView1 and ListView17, the Baidu fallback's browser).
// Its metric options start unticked and the database missing, so a run asks only the sources.
class TestBinding final : public mining::RegularMiningBinding {
  public:
    TestBinding() {
        window.dbMissing = true;
        for (const metrics::PaneOption option :
             {metrics::PaneOption::Volume, metrics::PaneOption::Count, metrics::PaneOption::Save})
            window.SetTicked(metrics::Pane::Regular, option, false);
        window.browser = std::make_unique<metrics_testing::TestBrowser>();
    }

    metrics::MiningContext& Window() override { return window; }
    mining::MiningRunState& RunState() override { return state; }
    QString ButtonCaption() const override { return caption; }
    void SetButtonCaption(const QString& text) override { caption = text; }
    void SetButtonEnabled(bool on) override { enabled = on; }
    bool MustContainSeed() const override { return Check6; }
    std::optional<QString> ExclusionWords() const override {
        return Check2 ? std::optional<QString>(Text14) : std::nullopt;
    }
    // Records the row count and the keyword the panels would show.
    void ShowProgress(const QString& keyword) override {
        progress << QString::number(window.ListView1.Count()) + u'|' + keyword;
    }
    void ClearProgress() override { progress << QString(); }
    void SetFilterEnabled(bool on) override { frameEnabled = on; }
    platform::BrowserControl* HelperBrowser() override { return helper.get(); }

    // The seed box is window.seed.
    metrics_testing::TestMiningWindow window;
    mining::MiningRunState state;
    QString caption = mining::kStartCaption;
    bool enabled = true;
    bool Check6 = false;
    bool Check2 = false;
    QString Text14;
    bool frameEnabled = true;
    QStringList progress;
    // Made through the browser factory in force: a test installs its fake browsers first.
    std::unique_ptr<platform::BrowserView> helper{platform::CreateBrowserView(nullptr)};
};

// The row texts of `list`, a bold row marked with "*".
inline QStringList Rows(const platform::RowTable& list) {
    QStringList rows;
    for (int i = 1; i <= list.Count(); ++i)
        rows << (list.Bold(i) ? QStringLiteral("*") : QString()) + list.Text(i);
    return rows;
}

}  // namespace mining_testing
