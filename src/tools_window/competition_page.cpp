// The competition analysis page: the keyword to analyse, the monopoly-site list, and the
// competitor list and report, which no command fills.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "tools_window/monopoly_sites.h"
#include "tools_window/rank_columns.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Caption;
using tools_layout::Put;

// The report frame's lines of fixed texts; an empty text stands for an empty figure. The
// sentence of the counts takes two lines, so that it shows whole on a small screen.
const QList<QStringList> kReportLines = {
    {QStringLiteral("本关键词"), {}, QStringLiteral("竞争度指数："), {}},
    {QStringLiteral("总计"),
     {},
     QStringLiteral("个竞争对手中，其中广告网站"),
     {},
     QStringLiteral("个，垄断网站共计"),
     {}},
    {QStringLiteral("个，百度快照3天内的网站有"), {}, QStringLiteral("个。")},
    {QStringLiteral("以上网站有"),
     {},
     QStringLiteral("个，独立域名网站有"),
     {},
     QStringLiteral("个常规网站中，PR4"),
     {}},
};

void FillReport(QWidget* frame) {
    auto* lines = new QVBoxLayout(frame);
    for (const QStringList& texts : kReportLines) {
        auto* line = new QHBoxLayout;
        for (const QString& text : texts) {
            auto* label = new QLabel(text, frame);
            if (text.isEmpty()) {
                label->setMinimumWidth(40);
                label->setStyleSheet(QStringLiteral("color: red"));
            }
            line->addWidget(label);
        }
        line->addStretch();
        lines->addLayout(line);
    }
}

}  // namespace

void 关键词工具::BuildCompetitionPage() {
    Frame20 =
        Put<platform::Frame>("Frame20", pic3, {120, 120, 3495, 1815}, QStringLiteral("分析关键词"));
    Caption(Frame20, QStringLiteral("关键词："), {120, 360, 855, 255});
    Text1 = Put<platform::TextBox>("Text1", Frame20, {960, 330, 2400, 300});
    Caption(Frame20, QStringLiteral("分析前："), {120, 840, 855, 255});
    Combo16 = Put<platform::ComboBox>("Combo16", Frame20, {960, 800, 855, 300});
    Caption(Frame20, QStringLiteral("页的竞争对手"), {1920, 840, 1455, 255});
    Command35 = Put<platform::CommandButton>("Command35", Frame20, {240, 1320, 1335, 375},
                                             QStringLiteral("开始分析"));
    Command23 = Put<platform::CommandButton>("Command23", Frame20, {1800, 1320, 1455, 375},
                                             QStringLiteral("删除搜索记录"));

    Frame26 = Put<platform::Frame>("Frame26", pic3, {120, 2040, 3555, 5055},
                                   QStringLiteral("垄断网站列表"));
    ListView5 = Put<platform::ListView>("ListView5", Frame26, {240, 360, 3000, 2055});
    ListView5->Rows().SetColumns({rank_columns::kMonopolyHeader});
    ListView5->SetCheckBoxes(true);
    ListView5->SetLabelEdit(true);
    ListView5->setToolTip(QStringLiteral("单击修改网站"));
    Command36 = Put<platform::CommandButton>("Command36", Frame26, {240, 2520, 1335, 375},
                                             QStringLiteral("添加"));
    Command37 = Put<platform::CommandButton>("Command37", Frame26, {1905, 2520, 1335, 375},
                                             QStringLiteral("删除"));
    const std::pair<const char*, QString> notes[] = {
        {"Label12", QStringLiteral("垄断网站是指在搜索某些关键词的时候")},
        {"Label13", QStringLiteral("一些网站会获得稳定的较好排名，比如")},
        {"Label14", QStringLiteral("*.baidu.com，搜索QQ相关的关键词时，")},
        {"Label15", QStringLiteral("*.qq.com。一个关键词的垄断网站越多，")},
        {"Label16", QStringLiteral("此关键词竞争难度越大。")},
    };
    for (int i = 0; i < 5; ++i)
        Put<platform::Label>(notes[i].first, Frame26, {120, 3120 + i * 300, 3405, 255},
                             notes[i].second);

    Frame1 = Put<platform::Frame>("Frame1", pic3, {3720, 120, 8655, 6255},
                                  QStringLiteral("关键词竞争对手列表"));
    ListView7 = Put<platform::ListView>("ListView7", Frame1, {150, 360, 8175, 5235});
    ListView7->Rows().SetColumns({{QStringLiteral("竞争对手收录网页"), 4500},
                                  {QStringLiteral("百度快照日期"), 1500},
                                  {QStringLiteral("百度排名"), 1200}});
    Command33 = Put<platform::CommandButton>("Command33", Frame1, {1200, 5760, 1575, 375},
                                             QStringLiteral("导出Excel"));
    Command39 = Put<platform::CommandButton>("Command39", Frame1, {3240, 5760, 1575, 375},
                                             QStringLiteral("导出Html"));
    Command30 = Put<platform::CommandButton>("Command30", Frame1, {5280, 5760, 1575, 375},
                                             QStringLiteral("导出Txt"));
    Frame2 = Put<platform::Frame>("Frame2", pic3, {3720, 6600, 8655, 1575},
                                  QStringLiteral("关键词竞争度分析报告"));
    FillReport(Frame2);

    ConnectClicks(
        {{Command36, &关键词工具::Command36_Click}, {Command37, &关键词工具::Command37_Click}});
    connect(ListView5, &platform::ListView::AfterLabelEdit, this,
            [this](int row, const QString& text) { ListView5_AfterLabelEdit(row, text); });
}

void 关键词工具::Command36_Click() {
    monopoly_sites::Add(ListView5->Rows());
}

void 关键词工具::Command37_Click() {
    monopoly_sites::RemoveTicked(ListView5->Rows());
}

void 关键词工具::ListView5_AfterLabelEdit(int row, const QString& text) {
    monopoly_sites::Edited(ListView5->Rows(), row, text);
}
