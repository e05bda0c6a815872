// The keyword tools window's frame: the side bar with its page tree and introductions, the page
// switch with its five pages, and the tree's navigation between them.
#include <QStyle>

#include "tools_window/notices.h"
#include "tools_window/tools_layout.h"
#include "tools_window/tools_window.h"

namespace {

using tools_layout::Put;

struct Page {
    const char* key;
    QString node;   // the tree node's text
    QString tab;    // the page switch's caption
    QString title;  // the caption of lbltitle while the page shows
};

// The page tree's nodes in order; node n shows page n - 1 of both switches.
const Page kPages[] = {
    {"link1", QStringLiteral("百度关键词指数查询"), QStringLiteral("关键词指数查询"),
     QStringLiteral("功能介绍-关键词指数查询")},
    {"link2", QStringLiteral("关键词竞争度分析"), QStringLiteral("关键词竞争度分析"),
     QStringLiteral("功能介绍-关键词竞争度分析")},
    {"link3", QStringLiteral("关键词排名查询"), QStringLiteral("关键词排名查询"),
     QStringLiteral("功能介绍-关键词排名查询")},
    {"link5", QStringLiteral("关键词对比分析"), QStringLiteral("关键词对比分析"),
     QStringLiteral("功能介绍-关键词对比分析")},
    {"link4", QStringLiteral("百度热门关键词"), QStringLiteral("百度热门关键词查询"),
     QStringLiteral("功能介绍-百度热门关键词")},
};
constexpr int kRankPage = 2;

const QStringList kHotKeywordTip = {
    QStringLiteral("本工具可以快速查询百度推荐"), QStringLiteral("的热门关键词，按多种分类浏"),
    QStringLiteral("览，同时可以显示关键词的百"), QStringLiteral("度指数和搜索量。")};
const QStringList kTips[] = {
    {QStringLiteral("本工具可以同时查询多个关键"), QStringLiteral("词的百度关键词指数（关键词"),
     QStringLiteral("搜索量），同时可以查询关键"), QStringLiteral("词最近一个月的每天搜索量，"),
     QStringLiteral("以及关键词每天分地区的搜索"), QStringLiteral("量。")},
    {QStringLiteral("本工具分析某个关键词在百度"), QStringLiteral("搜索引擎中的相关竞争对手网"),
     QStringLiteral("站的性质、SEO指数等来分析"), QStringLiteral("此关键词在百度搜索引擎中"),
     QStringLiteral("的竞争强度的高低，是你判断"), QStringLiteral("关键词优化难易程度的好帮手"),
     QStringLiteral("。")},
    {QStringLiteral("本工具可以同时查询多个网站"), QStringLiteral("多个关键词的搜索引擎关键词"),
     QStringLiteral("排名。高效快速，并保留记录"), QStringLiteral("，支持7大目前的主流搜索引"),
     QStringLiteral("擎，支持最大查询前50页的"), QStringLiteral("排名记录。")},
    kHotKeywordTip,
    kHotKeywordTip,
};

constexpr int kTipWidth = 2640;
constexpr int kTipHeight = 5175;
constexpr int kTipLineHeight = 270;

const char* const kTipNames[] = {"tip1", "tip2", "tip3", "tip4", "tip5"};
const char* const kPaneNames[] = {"pic1", "pic3", "pic4", "pic6", "Pic5"};

}  // namespace

void 关键词工具::BuildSideBar() {
    PicLEFT = Put<QWidget>("PicLEFT", this, {0, 0, 2820, 9075});
    PicLEFT->setAutoFillBackground(true);
    QPalette colours = PicLEFT->palette();
    colours.setColor(QPalette::Window, QColor(0xE8, 0xF0, 0xFA));
    PicLEFT->setPalette(colours);

    Label2 = Put<platform::Label>("Label2", PicLEFT, {450, 120, 1110, 255},
                                  QStringLiteral("关键词工具"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    TreeView1 = Put<platform::TreeView>("TreeView1", PicLEFT, {0, 600, 2790, 1620});
    // The nodes show the page marks of their own colours, never the selection's.
    TreeView1->setSelectionMode(QAbstractItemView::NoSelection);
    ImageList1 = {style()->standardIcon(QStyle::SP_FileIcon),
                  style()->standardIcon(QStyle::SP_ArrowRight)};
    lbltitle = Put<platform::Label>("lbltitle", PicLEFT, {360, 2400, 2310, 255}, kPages[0].title);
    lbltitle->setFont(bold);
    tab2 = Put<platform::TabContainer>("tab2", PicLEFT, {60, 2880, 2760, 5175});
    for (int i = 0; i < 5; ++i) {
        tips[i] = Put<QWidget>(kTipNames[i], tab2->AddPage(kPages[i].tab),
                               {60, 120, kTipWidth, kTipHeight});
        for (int line = 0; line < kTips[i].size(); ++line)
            tools_layout::Caption(tips[i], kTips[i][line],
                                  {0, line * kTipLineHeight, kTipWidth, kTipLineHeight});
    }
    connect(tab2, &platform::TabContainer::Click, this, [this] { tab2_Click(); });
    connect(TreeView1, &platform::TreeView::NodeClick, this,
            [this](int index) { TreeView1_NodeClick(index); });
}

void 关键词工具::BuildPages() {
    tab1 = Put<platform::TabContainer>("tab1", this, {2880, 0, 14655, 9255});
    QWidget** panes[] = {&pic1, &pic3, &pic4, &pic6, &Pic5};
    for (int i = 0; i < 5; ++i)
        *panes[i] = Put<QWidget>(kPaneNames[i], tab1->AddPage(kPages[i].tab), {0, 0, 14655, 9255});
    connect(tab1, &platform::TabContainer::Click, this, [this] { tab1_Click(); });

    ListView2 = Put<platform::ListView>("ListView2", pic1, {120, 4920, 2205, 3615});
    BuildCompetitionPage();
    BuildTargetFrames();
    BuildOptionControls();
    BuildRunControls();
    BuildHistoryFrame();
}

void 关键词工具::LoadPageTree() {
    TreeView1->ClearNodes();
    for (const Page& page : kPages) TreeView1->AddNode(QString(), page.key, page.node);
    for (int i = 1; i <= TreeView1->NodeCount(); ++i)
        TreeView1->topLevelItem(i - 1)->setIcon(0, ImageList1[i == 1 ? 1 : 0]);
    QTreeWidgetItem* first = TreeView1->topLevelItem(0);
    first->setBackground(0, palette().color(QPalette::Highlight));
    first->setForeground(0, Qt::white);
}

void 关键词工具::LoadTips() {
    for (QWidget* tip : tips) tip->move(0, 0);
    tab2->SetTab(0);
    tab2_Click();
}

void 关键词工具::tab1_Click() {
    const QList<QWidget*> panes = {pic1, pic3, pic4, pic6, Pic5};
    for (int page = 0; page < panes.size(); ++page) panes[page]->setVisible(page == tab1->Tab());
}

void 关键词工具::tab2_Click() {
    for (int page = 0; page < 5; ++page) tips[page]->setVisible(page == tab2->Tab());
}

void 关键词工具::TreeView1_NodeClick(int index) {
    if (index < 1 || index > TreeView1->NodeCount()) return;
    tab1->SetTab(index - 1);
    const int page = tab1->Tab();
    lbltitle->SetCaption(kPages[page].title);
    tab2->SetTab(page);
    if (page == kRankPage && !VisitRankPage()) return;
    TreeView1->MarkCurrentNode(index, ImageList1[0], ImageList1[1]);
}

void 关键词工具::TreeView1_SelectedNodeBlack() {
    TreeView1->SetSelectedNodeForeground(Qt::black);
}

void 关键词工具::TreeView1_SelectedNodeWhite() {
    TreeView1->SetSelectedNodeForeground(Qt::white);
}
