#include "tools_window/comparison_pane.h"

#include "shared/job_progress.h"
#include "shared/list_exporter.h"
#include "shared/report_writer.h"
#include "tools_window/pane_buttons.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace research {

using tools_layout::Put;

ComparisonPane::ComparisonPane(关键词工具& window) : window_(window) {
    QWidget* page = window.pic6;
    Put<platform::Label>("Label60", page, {360, 360, 735, 255}, QStringLiteral("关键词："));
    Text8 = Put<platform::TextBox>("Text8", page, {1320, 330, 6255, 300});
    Command31 = Put<platform::CommandButton>("Command31", page, {7800, 320, 1215, 375},
                                             kComparisonStartCaption);
    Put<platform::Label>("Label6", page, {9240, 380, 2700, 255},
                         QStringLiteral("多个关键词之间用#分开。"));
    ListView18 = Put<platform::ListView>("ListView18", page, {240, 840, 12525, 6015});
    ListView18->Rows().SetColumns(ComparisonColumns());
    Label33 = Put<platform::Label>(
        "Label33", page, {480, 7200, 12375, 255},
        QStringLiteral("此处的关键词竞争度是指：根据关键词搜索量、收录量、竞价广告数、TOP10结果"
                       "独立网站比例、TOP10结果快照三天内网站比例等指数，综合得到的"));
    Label67 = Put<platform::Label>(
        "Label67", page, {480, 7560, 12015, 255},
        QStringLiteral("一个数值，基本上反映了该关键词的竞争强度（越大竞争越激烈），详细的竞争度"
                       "分析请使用关键词竞争度分析功能。"));
    PutButtonRow<ComparisonPane>(
        *this, page, 7800,
        {{&Command4, "Command4", 480, "清空数据", &ComparisonPane::Command4_Click},
         {&Command24, "Command24", 3240, "导出Excel", &ComparisonPane::Command24_Click},
         {&Command25, "Command25", 5280, "导出Html", &ComparisonPane::Command25_Click},
         {&Command28, "Command28", 7320, "导出Txt", &ComparisonPane::Command28_Click}});
    QObject::connect(Command31, &platform::CommandButton::Click, Command31,
                     [this] { Command31_Click(); });
    QObject::connect(ListView18, &platform::ListView::ColumnClick, ListView18,
                     [this](int column) { ListView18_ColumnClick(column - 1); });
}

void ComparisonPane::Command31_Click() {
    ComparisonClick(*this);
}

void ComparisonPane::Command4_Click() {
    ListView18->Clear();
}

void ComparisonPane::Command24_Click() {
    ExportList(ListView18->Rows(), QStringLiteral("xls"), 0, &window_);
}

void ComparisonPane::Command25_Click() {
    ExportList(ListView18->Rows(), QStringLiteral("htm"), ReportKeywordComparison, &window_);
}

void ComparisonPane::Command28_Click() {
    ExportList(ListView18->Rows(), QStringLiteral("txt"), ReportKeywordComparison, &window_);
}

void ComparisonPane::ListView18_ColumnClick(int column) {
    ComparisonColumnClick(*this, column);
}

void ComparisonPane::pic6_Resize() {
    using namespace tools_layout;
    SetWidth(ListView18, Width(window_.pic6) - 700);
    SetHeight(ListView18, Height(window_.pic6) - 2300);
    // The explanation ends where the list ends: on a narrow screen it takes a smaller type
    // instead of running past the window's edge.
    for (QWidget* line : {Label33, Label67})
        SetWidth(line, Left(ListView18) + Width(ListView18) - Left(line));
    platform::FitLines({Label33, Label67});
    SetTop(Label33, Height(ListView18) + 1000);
    SetTop(Label67, Height(ListView18) + 1300);
    for (QWidget* button : {Command4, Command24, Command25, Command28})
        SetTop(button, Height(ListView18) + 1600);
}

metrics::WindowContext& ComparisonPane::Window() {
    return window_;
}

void ComparisonPane::SetListCommandsEnabled(bool enabled) {
    for (platform::CommandButton* button : {Command4, Command24, Command25, Command28})
        button->SetEnabled(enabled);
}

void ComparisonPane::SetProgressPanels(const QString& count, const QString& item) {
    JobProgress::Set(count, item);
}

}  // namespace research
