#include "tools_window/hot_keyword_pane.h"

#include <QStyle>

#include "research_tools/hot_categories.h"
#include "shared/list_exporter.h"
#include "shared/report_writer.h"
#include "tools_window/pane_buttons.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace research {

using tools_layout::Put;

HotKeywordPane::HotKeywordPane(关键词工具& window) : window_(window) {
    QWidget* page = window.Pic5;
    Frame8 = Put<platform::Frame>("Frame8", page, {120, 120, 3375, 7860},
                                  QStringLiteral("热门关键词分类"));
    TreeView2 = Put<platform::TreeView>("TreeView2", Frame8, {120, 240, 3105, 6495});
    Check5 = Put<platform::CheckBox>("Check5", Frame8, {60, 6840, 3300, 375},
                                     QStringLiteral("同时显示关键词百度指数和网页搜索量"));
    Command29 =
        Put<platform::CommandButton>("Command29", Frame8, {720, 7320, 1695, 375}, kHotStartCaption);
    Frame7 = Put<platform::Frame>("Frame7", page, {3600, 120, 8535, 8175}, kHotListFrameCaption);
    ListView4 = Put<platform::ListView>("ListView4", Frame7, {120, 240, 8235, 7095});
    ListView4->Rows().SetColumns(HotListColumns());
    PutButtonRow<HotKeywordPane>(
        *this, Frame7, 7560,
        {{&Command34, "Command34", 1320, "导出Excel", &HotKeywordPane::Command34_Click},
         {&Command42, "Command42", 3480, "导出Html", &HotKeywordPane::Command42_Click},
         {&Command43, "Command43", 5640, "导出Txt", &HotKeywordPane::Command43_Click}});
    QObject::connect(TreeView2, &platform::TreeView::NodeClick, TreeView2,
                     [this](int index) { TreeView2_NodeClick(index); });
    QObject::connect(Command29, &platform::CommandButton::Click, Command29,
                     [this] { Command29_Click(); });
}

void HotKeywordPane::FillCategoryTree() {
    TreeView2->ClearNodes();
    const QIcon image = TreeView2->style()->standardIcon(QStyle::SP_DirIcon);
    const QStringList categories = HotCategoryNames();
    for (int i = 0; i < categories.size(); ++i)
        TreeView2->AddNode(QString(), QStringLiteral("c%1").arg(i + 1), categories[i]);
    for (const HotSubcategory& entry : HotKeywordCategories())
        TreeView2->AddNode(QStringLiteral("c%1").arg(categories.indexOf(entry.category) + 1),
                           QString(), entry.text);
    for (QTreeWidgetItemIterator node(TreeView2); *node; ++node) (*node)->setIcon(0, image);
}

void HotKeywordPane::TreeView2_NodeClick(int index) {
    HotCategoryClick(*this, TreeView2->NodeText(index));
}

void HotKeywordPane::Command29_Click() {
    HotListClick(*this);
}

void HotKeywordPane::Command34_Click() {
    ExportList(ListView4->Rows(), QStringLiteral("xls"), 0, &window_);
}

void HotKeywordPane::Command42_Click() {
    ExportList(ListView4->Rows(), QStringLiteral("htm"), ReportHotKeywords, &window_);
}

void HotKeywordPane::Command43_Click() {
    ExportList(ListView4->Rows(), QStringLiteral("txt"), ReportHotKeywords, &window_);
}

void HotKeywordPane::Pic5_Resize() {
    using namespace tools_layout;
    SetWidth(Frame7, Width(window_.Pic5) - 3900);
    SetHeight(Frame7, Height(window_.Pic5) - 500);
    SetWidth(ListView4, Width(Frame7) - 250);
    SetHeight(ListView4, Height(Frame7) - 1200);
    for (QWidget* button : {Command34, Command43, Command42})
        SetTop(button, Height(ListView4) + 420);
}

metrics::WindowContext& HotKeywordPane::Window() {
    return window_;
}

}  // namespace research
